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
    for (const QStringList& c : TestData::Table(QStringLiteral("tables/arrival-sound-files.tsv"))) {
        const auto path = [&](QString text) {
            return text.replace("{media}", media.path()).replace("{elsewhere}", elsewhere.path());
        };
        EXPECT_EQ(ArrivalSound::Resolve(path(c[0]), media.path()), path(c[1]))
            << c[0].toStdString();
    }
    // As the settings dialog stores a sound below the media folder.
    EXPECT_EQ(ArrivalSound::Resolve(ProviderListEditor::ArrivalSoundName(below, media.path()),
                                    media.path()),
              below);
    ArrivalSound().Play(absolute + "; touch " + elsewhere.filePath("x"));
    EXPECT_FALSE(QFile::exists(elsewhere.filePath("x")));
}

} // namespace
