#include "ui/ArrivalSound.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

TEST(ArrivalSoundTest, OnlyExistingFilesAreEverPlayed) {
    QTemporaryDir media;
    QTemporaryDir elsewhere;
    for (const QString& path : {media.filePath("Windows Ding.wav"), elsewhere.filePath("a.wav")}) {
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    }
    const QString absolute = elsewhere.filePath("a.wav");
    EXPECT_EQ(ArrivalSound::Resolve(absolute, media.path()), absolute);
    EXPECT_EQ(ArrivalSound::Resolve("\\Windows Ding.wav", media.path()),
              media.filePath("Windows Ding.wav"));
    EXPECT_EQ(ArrivalSound::Resolve("Windows Ding.wav", media.path()),
              media.filePath("Windows Ding.wav"));
    // A name is a file and nothing else: no shell ever sees it.
    EXPECT_EQ(ArrivalSound::Resolve(absolute + "; touch /tmp/x", media.path()), QString());
    EXPECT_EQ(ArrivalSound::Resolve(media.path(), media.path()), QString());
    EXPECT_EQ(ArrivalSound::Resolve("", media.path()), QString());
    ArrivalSound().Play(absolute + "; touch " + elsewhere.filePath("x"));
    EXPECT_FALSE(QFile::exists(elsewhere.filePath("x")));
}

} // namespace
