#include "config/SkinCollection.h"
#include "config/Skin.h"
#include "config/SkinStyle.h"
#include "support/GoldenFile.h"
#include "support/SkinFolders.h"
#include "support/TestData.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonObject>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

// A file's name as found in the skin's folder; empty when it is missing.
QString Found(const Skin& skin, const QString& directory, const char* file) {
    const QString path = skin.FilePath(directory, QString::fromLatin1(file));
    return path.isEmpty() ? QString() : QFileInfo(path).fileName();
}

QJsonObject Dump(const Skin& skin, const QString& directory) {
    const SkinStyle style = SkinStyle::Read(skin);
    return {
        {"dir", skin.DirName},
        {"name", skin.DisplayName},
        {"description", skin.Description},
        {"authorName", skin.AuthorName},
        {"authorEmail", skin.AuthorEmail},
        {"authorSite", skin.AuthorSiteURL},
        {"files", QJsonObject{{"borders", Found(skin, directory, Skin::BordersFile)},
                              {"captionBar", Found(skin, directory, Skin::CaptionBarFile)},
                              {"thumb", Found(skin, directory, Skin::ThumbFile)}}},
        {"style", QJsonObject{{"captionLeft", style.CaptionLeft},
                              {"captionRight", style.CaptionRight},
                              {"textColor", style.CaptionTextColor},
                              {"borderWidth", style.BorderWidth}}},
    };
}

QStringList DirNames(const SkinCollection& skins) {
    QStringList names;
    for (const auto& skin : skins)
        names.append(skin->DirName);
    return names;
}

class SkinCollectionTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(folder.isValid()); }

    QTemporaryDir folder;
    QString directory = folder.path();
    SkinCollection skins;
};

} // namespace

// Every folder of data/skins, read in one full scan, beside what the scan
// made of it and what it told the user (skins/expected.json).
TEST(SkinCollectionCases, AFullScanReadsEveryFolderAsExpected) {
    const QString directory = TestData::Path(QStringLiteral("skins"));
    SkinCollection skins;
    const QStringList messages = skins.SyncToDir(directory, false, true);
    QJsonArray read;
    for (const auto& skin : skins)
        read.append(Dump(*skin, directory));
    GoldenFile::Check(TestData::Path(QStringLiteral("skins.expected.json")),
                      {{"skins", read}, {"messages", QJsonArray::fromStringList(messages)}},
                      QStringLiteral("skins"), QStringLiteral("config_tests"));

    // Lookups are exact, as the stored choice is.
    ASSERT_NE(skins.FindSkinByDirName(QStringLiteral("Deep")), nullptr);
    EXPECT_EQ(skins.FindSkinByDirName(QStringLiteral("deep")), nullptr);
    EXPECT_EQ(skins.FindSkinByDisplayName(QStringLiteral("Deep Water"))->DirName, "Deep");
    EXPECT_EQ(skins.FindSkinByDisplayName(QStringLiteral("deep water")), nullptr);
}

TEST_F(SkinCollectionTest, ARenamedFolderGoesToTheEndAndTheOldNameGoes) {
    for (const char* name : {"Alpha", "Beta", "Gamma"})
        SkinFolders::Write(directory, QString::fromLatin1(name), SkinFolders::Named(name));
    skins.SyncToDir(directory, false, false);
    ASSERT_EQ(DirNames(skins), QStringList({"Alpha", "Beta", "Gamma"}));

    ASSERT_TRUE(QDir(directory).rename(QStringLiteral("Alpha"), QStringLiteral("Delta")));
    skins.SyncToDir(directory, false, false);
    EXPECT_EQ(DirNames(skins), QStringList({"Beta", "Gamma", "Delta"}));
}

TEST_F(SkinCollectionTest, ASkinThatStopsParsingIsDroppedOnAReloadOnly) {
    SkinFolders::Write(directory, QStringLiteral("Alpha"), SkinFolders::Named("Alpha"));
    skins.SyncToDir(directory, false, false);
    SkinFolders::Write(directory, QStringLiteral("Alpha"), "<NeoCaptionSkin>");

    EXPECT_TRUE(skins.SyncToDir(directory, false, true).isEmpty());
    EXPECT_EQ(skins.Count(), 1);
    const QStringList messages = skins.SyncToDir(directory, true, true);
    EXPECT_EQ(skins.Count(), 0);
    ASSERT_EQ(messages.size(), 1);
    EXPECT_TRUE(messages[0].startsWith("Cannot load skin from directory Alpha. \n"));
}

TEST_F(SkinCollectionTest, OnlyTheNamedFolderIsReadAndOnlyReloadReadsItAgain) {
    SkinFolders::Write(directory, QStringLiteral("Alpha"), SkinFolders::Named("Alpha"));
    SkinFolders::Write(directory, QStringLiteral("Beta"), SkinFolders::Named("Beta"));
    skins.SyncToDir(directory, false, false, QStringLiteral("Beta"));
    ASSERT_EQ(DirNames(skins), QStringList{"Beta"});

    SkinFolders::Write(directory, QStringLiteral("Beta"), SkinFolders::Named("Beta 2"));
    skins.SyncToDir(directory, false, false, QStringLiteral("Beta"));
    EXPECT_EQ(skins.Item(1)->DisplayName, "Beta");
    skins.SyncToDir(directory, true, false, QStringLiteral("Beta"));
    EXPECT_EQ(skins.Item(1)->DisplayName, "Beta 2");
    // A skin read in part is kept by a scan of one folder.
    skins.SyncToDir(directory, false, false, QStringLiteral("Missing"));
    EXPECT_EQ(DirNames(skins), QStringList{"Beta"});

    // Skins are known by folder name; the same name in another directory is
    // another skin, read afresh.
    QTemporaryDir other;
    SkinFolders::Write(directory, QStringLiteral("Alpha"), SkinFolders::Named("First"));
    SkinFolders::Write(other.path(), QStringLiteral("Alpha"), SkinFolders::Named("Second"));
    skins.SyncToDir(directory, false, false);
    skins.SyncToDir(other.path(), false, false);
    EXPECT_EQ(skins.FindSkinByDirName(QStringLiteral("Alpha"))->DisplayName, "Second");
}

// A held skin outlives the scan that drops it: a window may still wear it.
TEST_F(SkinCollectionTest, AnUnreadableDirectoryIsReportedOnceAndEmptiesTheList) {
    SkinFolders::Write(directory, QStringLiteral("Alpha"), SkinFolders::Named("Alpha"));
    skins.SyncToDir(directory, false, false);
    const std::shared_ptr<Skin> worn = skins.Item(1);
    const QString gone = QDir(directory).filePath(QStringLiteral("gone"));

    const QStringList first = skins.SyncToDir(gone, false, true);
    EXPECT_EQ(first, QStringList{QStringLiteral("Cannot read the skin directory %1.").arg(gone)});
    EXPECT_TRUE(skins.SyncToDir(gone, false, true).isEmpty());
    EXPECT_EQ(skins.Count(), 0);
    EXPECT_EQ(worn->DisplayName, "Alpha");

    skins.SyncToDir(directory, false, true);
    EXPECT_EQ(skins.Count(), 1);
    EXPECT_EQ(skins.SyncToDir(gone, false, true).size(), 1);
}
