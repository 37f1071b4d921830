#include "platform/SpecialFolders.h"

#include <QDir>
#include <QFileInfo>
#include <QTemporaryDir>

#include <gtest/gtest.h>

TEST(SpecialFoldersTest, PerUserFoldersAreNamedAfterTheProgram) {
    EXPECT_TRUE(SpecialFolders::ApplicationData().endsWith(QStringLiteral("/Varnocet")));
    EXPECT_TRUE(SpecialFolders::Configuration().endsWith(QStringLiteral("/Varnocet")));
    EXPECT_TRUE(SpecialFolders::Cache().endsWith(QStringLiteral("/Varnocet")));
    EXPECT_TRUE(SpecialFolders::Autostart().endsWith(QStringLiteral("/autostart")));
    EXPECT_FALSE(SpecialFolders::Temporary().isEmpty());
}

TEST(SpecialFoldersTest, DataFolderIsBesideTheProgram) {
    // Tests run from the build tree, whose data/ the build fills.
    const QString data = SpecialFolders::DataFolder();
    EXPECT_TRUE(data.endsWith(QStringLiteral("/data")) ||
                data.endsWith(QStringLiteral("/share/varnocet")));
    EXPECT_TRUE(QDir(data).exists()) << data.toStdString();
}

TEST(SpecialFoldersTest, EnsureFolderCreatesPrivateFolders) {
    QTemporaryDir root;
    const QString path = QDir(root.path()).filePath(QStringLiteral("a/b/c"));
    ASSERT_TRUE(SpecialFolders::EnsureFolder(path));
    EXPECT_TRUE(QDir(path).exists());
    EXPECT_EQ(QFileInfo(path).permissions() & (QFile::ReadOther | QFile::ReadGroup), 0);
    EXPECT_TRUE(SpecialFolders::EnsureFolder(path)); // already there
}

TEST(SpecialFoldersTest, EnsureFolderFailsWhereNoFolderCanBe) {
    QTemporaryDir root;
    QFile file(QDir(root.path()).filePath(QStringLiteral("file")));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.close();
    EXPECT_FALSE(SpecialFolders::EnsureFolder(file.fileName() + QStringLiteral("/sub")));
}
