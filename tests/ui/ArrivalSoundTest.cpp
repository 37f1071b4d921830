#include "ui/ArrivalSound.h"

#include "core/ProviderListEditor.h"
#include "support/TestData.h"

#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

TEST(ArrivalSoundTest, OnlyExistingFilesAreEverPlayed) {
    QTemporaryDir media;
    QTemporaryDir elsewhere;
    TestData::Write(media.filePath("Windows Ding.wav"), "");
    const QString below = TestData::Write(media.filePath("alarms/bell.wav"), "");
    const QString absolute = TestData::Write(elsewhere.filePath("a.wav"), "");
    EXPECT_EQ(ArrivalSound::Resolve(absolute, media.path()), absolute);
    EXPECT_EQ(ArrivalSound::Resolve("\\Windows Ding.wav", media.path()),
              media.filePath("Windows Ding.wav"));
    EXPECT_EQ(ArrivalSound::Resolve("Windows Ding.wav", media.path()),
              media.filePath("Windows Ding.wav"));
    // As the settings dialog stores a sound below the media folder.
    EXPECT_EQ(ArrivalSound::Resolve(ProviderListEditor::ArrivalSoundName(below, media.path()),
                                    media.path()),
              below);
    // A name is a file and nothing else: no shell ever sees it.
    EXPECT_EQ(ArrivalSound::Resolve(absolute + "; touch /tmp/x", media.path()), QString());
    EXPECT_EQ(ArrivalSound::Resolve(media.path(), media.path()), QString());
    EXPECT_EQ(ArrivalSound::Resolve("", media.path()), QString());
    ArrivalSound().Play(absolute + "; touch " + elsewhere.filePath("x"));
    EXPECT_FALSE(QFile::exists(elsewhere.filePath("x")));
}

} // namespace
