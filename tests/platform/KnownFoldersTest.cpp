#include "platform/KnownFolders.h"

#include "support/TestData.h"

#include <QDir>
#include <QFileInfo>
#include <QSet>
#include <QTemporaryDir>

#include <gtest/gtest.h>

TEST(KnownFoldersTest, PerUserFoldersAreNamedAfterTheProgram) {
    EXPECT_TRUE(KnownFolders::ApplicationData().endsWith(QStringLiteral("/Varnocet")));
    EXPECT_TRUE(KnownFolders::Configuration().endsWith(QStringLiteral("/Varnocet")));
    EXPECT_TRUE(KnownFolders::Cache().endsWith(QStringLiteral("/Varnocet")));
    EXPECT_TRUE(KnownFolders::Autostart().endsWith(QStringLiteral("/autostart")));
    EXPECT_FALSE(KnownFolders::Temporary().isEmpty());
}

TEST(KnownFoldersTest, AChosenHomeHoldsEveryWritableFolder) {
    QTemporaryDir home;
    KnownFolders::SetHome(home.path());
    const QStringList folders = {KnownFolders::ApplicationData(), KnownFolders::Configuration(),
                                 KnownFolders::Cache(),           KnownFolders::Desktop(),
                                 KnownFolders::Applications(),    KnownFolders::Autostart()};
    KnownFolders::SetHome(QString());
    for (const QString& folder : folders)
        EXPECT_TRUE(folder.startsWith(home.path() + u'/')) << folder.toStdString();
    EXPECT_EQ(QSet<QString>(folders.cbegin(), folders.cend()).size(), folders.size());
    EXPECT_FALSE(KnownFolders::Cache().startsWith(home.path()));

    // The data folder is beside the program: tests run from the build tree, whose data/ the build
    // fills. Tests run from the build tree, whose data/ the build fills.
    const QString data = KnownFolders::DataFolder();
    EXPECT_TRUE(data.endsWith(QStringLiteral("/data")) ||
                data.endsWith(QStringLiteral("/share/varnocet")));
    EXPECT_TRUE(QDir(data).exists()) << data.toStdString();
}

TEST(KnownFoldersTest, EnsureFolderCreatesPrivateFoldersOrFails) {
    QTemporaryDir root;
    const QString path = QDir(root.path()).filePath(QStringLiteral("a/b/c"));
    ASSERT_TRUE(KnownFolders::EnsureFolder(path));
    EXPECT_TRUE(QDir(path).exists());
    EXPECT_EQ(QFileInfo(path).permissions() & (QFile::ReadOther | QFile::ReadGroup), 0);
    EXPECT_TRUE(KnownFolders::EnsureFolder(path)); // already there
    // A file where a folder should be.
    const QString file = TestData::Write(root.filePath(QStringLiteral("file")), {});
    EXPECT_FALSE(KnownFolders::EnsureFolder(file + QStringLiteral("/sub")));
}
