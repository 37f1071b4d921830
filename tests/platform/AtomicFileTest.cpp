#include "platform/AtomicFile.h"
#include "support/FileSizeLimit.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

QByteArray Read(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

} // namespace

TEST(AtomicFileTest, ReplacesTheWholeFile) {
    QTemporaryDir folder;
    const QString path = folder.filePath(QStringLiteral("f.xml"));
    ASSERT_TRUE(AtomicFile::Write(path, QByteArray(5000, 'a')));
    ASSERT_TRUE(AtomicFile::Write(path, "short"));
    EXPECT_EQ(Read(path), QByteArray("short"));
}

TEST(AtomicFileTest, AShortWriteKeepsThePreviousFile) {
    QTemporaryDir folder;
    const QString path = folder.filePath(QStringLiteral("f.xml"));
    ASSERT_TRUE(AtomicFile::Write(path, "previous"));
    {
        const FileSizeLimit fullDisk(100);
        EXPECT_FALSE(AtomicFile::Write(path, QByteArray(600, 'x')));
    }
    EXPECT_EQ(Read(path), QByteArray("previous"));
    EXPECT_EQ(QDir(folder.path()).entryList(QDir::Files), QStringList{QStringLiteral("f.xml")});
}

TEST(AtomicFileTest, FailsWhereNoFileCanBe) {
    QTemporaryDir folder;
    EXPECT_FALSE(AtomicFile::Write(folder.path(), "x"));
    EXPECT_FALSE(AtomicFile::Write(folder.filePath(QStringLiteral("missing/f.xml")), "x"));
}
