#include "core/SkinSelection.h"
#include "config/Skin.h"
#include "support/SkinFolders.h"

#include <QDir>
#include <QSignalSpy>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

class SkinSelectionTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(folder.isValid());
        for (const char* name : {"Torvane", "Other"})
            SkinFolders::Write(directory, QString::fromLatin1(name), SkinFolders::Named(name));
    }

    QString Worn() const {
        return selection.Current() != nullptr ? selection.Current()->DirName : QStringLiteral("-");
    }

    QTemporaryDir folder;
    QString directory = folder.path();
    SkinSelection selection;
};

} // namespace

// Start-up reads only the folders it needs: the chosen one, else the
// fallback's; with neither, the desktop's frame.
TEST_F(SkinSelectionTest, StartUpWearsTheChosenSkinElseTheFallbackElseNone) {
    selection.Load(directory, QStringLiteral("Other"));
    EXPECT_EQ(Worn(), "Other");
    EXPECT_EQ(selection.Skins().Count(), 1);

    SkinSelection missing;
    missing.Load(directory, QStringLiteral("Uninstalled"));
    ASSERT_NE(missing.Current(), nullptr);
    EXPECT_EQ(missing.Current()->DirName, "Torvane");

    QDir(directory).rename(QStringLiteral("Torvane"), QStringLiteral("Renamed"));
    SkinSelection neither;
    neither.Load(directory, QStringLiteral("Uninstalled"));
    EXPECT_EQ(neither.Current(), nullptr);

    SkinSelection none;
    none.Load(directory, QString());
    EXPECT_EQ(none.Current(), nullptr);
    EXPECT_EQ(none.Skins().Count(), 0);
}

// The settings dialog's choice is announced only when it changes what the
// windows wear.
TEST_F(SkinSelectionTest, AChoiceIsAnnouncedOnlyWhenItChangesTheSkin) {
    selection.Load(directory, QStringLiteral("Torvane"));
    selection.Skins().SyncToDir(directory, false, false);
    QSignalSpy changed(&selection, &SkinSelection::CurrentChanged);

    selection.Choose(directory, QStringLiteral("Torvane"));
    EXPECT_EQ(changed.count(), 0);
    selection.Choose(directory, QStringLiteral("Other"));
    EXPECT_EQ(Worn(), "Other");
    selection.Choose(directory, QString());
    EXPECT_EQ(Worn(), "-");
    EXPECT_EQ(changed.count(), 2);
}

// A new skin directory is read before the choice is looked up in it, so a
// skin of the same name in the old directory is not worn by mistake.
TEST_F(SkinSelectionTest, AChoiceInAnotherDirectoryWearsThatDirectorysSkin) {
    selection.Load(directory, QStringLiteral("Other"));
    QTemporaryDir moved;
    SkinFolders::Write(moved.path(), QStringLiteral("Other"), SkinFolders::Named("Moved"));

    selection.Choose(moved.path(), QStringLiteral("Other"));
    ASSERT_NE(selection.Current(), nullptr);
    EXPECT_EQ(selection.Current()->DisplayName, "Moved");
    EXPECT_EQ(selection.Directory(), moved.path());
}

// A user making a skin edits its files and asks for it again.
TEST_F(SkinSelectionTest, ARescanReadsTheSkinsAgainAndSaysWhatFailed) {
    selection.Load(directory, QStringLiteral("Other"));
    SkinFolders::Write(directory, QStringLiteral("Other"), SkinFolders::Named("Other, edited"));
    SkinFolders::Write(directory, QStringLiteral("Bad"), "<oops>");
    QSignalSpy changed(&selection, &SkinSelection::CurrentChanged);

    const QStringList messages = selection.Rescan(directory, QStringLiteral("Other"));
    EXPECT_EQ(selection.Current()->DisplayName, "Other, edited");
    EXPECT_EQ(selection.Skins().Count(), 2);
    EXPECT_EQ(changed.count(), 1);
    ASSERT_EQ(messages.size(), 1);
    EXPECT_TRUE(messages[0].contains("directory Bad."));
}
