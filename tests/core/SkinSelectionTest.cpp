#include "core/SkinSelection.h"
#include "config/Skin.h"
#include "support/Scenario.h"
#include "support/SkinFolders.h"

#include <QDir>
#include <QJsonArray>
#include <QJsonObject>
#include <QSignalSpy>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

// Does a step over skin directories under `root` ("main" holds Torvane and
// Other when a case starts); what it answers when it asks something.
QJsonValue Do(SkinSelection& selection, const QDir& root, const QJsonArray& step) {
    const QString name = step[0].toString();
    const QString directory = root.filePath(step[1].toString());
    const QString skin = step[2].toString();
    if (name == u"write")
        SkinFolders::Write(directory, skin,
                           step[3].toString().startsWith(u'<')
                               ? step[3].toString().toUtf8()
                               : SkinFolders::Named(step[3].toString().toUtf8()));
    if (name == u"rename")
        QDir(directory).rename(skin, step[3].toString());
    if (name == u"load")
        selection.Load(directory, skin);
    if (name == u"sync")
        selection.Skins().SyncToDir(directory, false, false);
    if (name == u"choose")
        selection.Choose(directory, skin);
    if (name == u"rescan")
        return QJsonArray::fromStringList(
            selection.Rescan(directory, skin).replaceInStrings(root.path(), "{root}"));
    return {};
}

// data/cases/skin-selections.json: a new selection each, then steps; after
// each, the skin worn (folder and name), the skins read, the directory and
// how often the windows were told.
class SkinSelections {
public:
    explicit SkinSelections(const QJsonObject&) {
        for (const char* name : {"Torvane", "Other"})
            SkinFolders::Write(root.filePath("main"), name, SkinFolders::Named(name));
    }

    QJsonValue Run(const QJsonArray& step) { return Do(selection, root, step); }

    QJsonObject Snapshot() {
        const auto& worn = selection.Current();
        const int told = static_cast<int>(changed.size());
        changed.clear();
        return {{"worn", worn ? worn->DirName + ": " + worn->DisplayName : "-"},
                {"skins", selection.Skins().Count()},
                {"directory", QString(selection.Directory()).replace(root.path(), "{root}")},
                {"told", told}};
    }

private:
    QTemporaryDir folder;
    QDir root{folder.path()};
    SkinSelection selection;
    QSignalSpy changed{&selection, &SkinSelection::CurrentChanged};
};

} // namespace

TEST(SkinSelectionTest, SelectionsGoAsExpected) {
    Scenario::Walk<SkinSelections>("cases/skin-selections.json", "core_tests");
}
