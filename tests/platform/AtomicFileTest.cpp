#include "platform/AtomicFile.h"
#include "support/FileSizeLimit.h"
#include "support/TestData.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <gtest/gtest.h>

TEST(AtomicFileTest, ReplacesTheWholeFileOrLeavesThePreviousOne) {
    QTemporaryDir folder;
    const QString path = folder.filePath(QStringLiteral("f.xml"));
    ASSERT_TRUE(AtomicFile::Write(path, QByteArray(5000, 'a')));
    ASSERT_TRUE(AtomicFile::Write(path, "short"));
    EXPECT_EQ(TestData::ReadFile(path), QByteArray("short"));
    {
        const FileSizeLimit fullDisk(100);
        EXPECT_FALSE(AtomicFile::Write(path, QByteArray(600, 'x')));
    }
    EXPECT_EQ(TestData::ReadFile(path), QByteArray("short"));
    EXPECT_EQ(QDir(folder.path()).entryList(QDir::Files), QStringList{QStringLiteral("f.xml")});
}

TEST(AtomicFileTest, FailsWhereNoFileCanBe) {
    QTemporaryDir folder;
    EXPECT_FALSE(AtomicFile::Write(folder.filePath(QStringLiteral("missing/f.xml")), "x"));
    // A directory in the way: even root cannot replace it with a file.
    const QString taken = folder.filePath(QStringLiteral("taken"));
    ASSERT_TRUE(QDir(folder.path()).mkdir(QStringLiteral("taken")));
    EXPECT_FALSE(AtomicFile::Write(taken, "x"));
    EXPECT_TRUE(QFileInfo(taken).isDir());
    EXPECT_EQ(QDir(folder.path()).entryList(QDir::NoDotAndDotDot | QDir::AllEntries),
              QStringList{QStringLiteral("taken")});
}
