#include "ui/SkinsPage.h"
#include "config/Settings.h"
#include "config/SkinCollection.h"
#include "support/PageScenario.h"
#include "support/RecordingOpener.h"
#include "support/SkinFolders.h"

#include <QTemporaryDir>

#include <gtest/gtest.h>

// The Skins tab over a directory of two shipped skins and one with its
// author's links. Each showing of the tab ("in") reads the directory; a
// scenario writes skins there ("write": a folder and its skin's file) and
// watches the skin chosen, the links opened and the help topics.
// data/cases/skins-page-scenarios.json
TEST(SkinsPageTest, Scenarios) {
    PageScenarios::Check(QStringLiteral("skins-page"), [](const QJsonObject& scenario) {
        QTemporaryDir directory;
        for (const QString name : {"Birch", "Torvane"})
            TestData::CopyFiles(TestData::Bundled("skins/" + name), directory.filePath(name));
        SkinCollection skins;
        QStringList topics;
        RecordingOpener opener;
        SkinsPage page(
            skins, [&] { return directory.path(); },
            [&](const QString& topic) { topics.append(topic); }, DesktopActions(opener.Opener()));
        PageScenario play(page, scenario["watch"].toArray());
        play.Add("in", [&](auto& step) {
            Settings settings;
            settings.CurrentSkin = step[1].toString();
            page.In(settings);
            page.Refill();
        });
        play.Add("refill", [&](auto&) { page.Refill(); });
        play.Add("write", [&](auto& step) {
            SkinFolders::Write(directory.path(), step[1].toString(), step[2].toString().toUtf8());
        });
        play.State = [&](const QString& name) {
            Settings settings;
            page.Out(settings);
            const QHash<QString, QString> states{
                {"chosen", settings.CurrentSkin},
                {"opened", QUrl::toStringList(opener.Opened).join(u' ')},
                {"topics", topics.join(u' ')}};
            return states.value(name);
        };
        return play.Play(scenario["steps"].toArray());
    });
}
