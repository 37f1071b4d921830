#include "config/SettingsIO.h"
#include "config/ProgramVersion.h"
#include "platform/KnownFolders.h"
#include "platform/ProgramError.h"
#include "platform/Saturating.h"
#include "platform/SettingsStore.h"
#include "support/EnvironmentVariable.h"
#include "support/RecordingMessageBox.h"

#include <QFile>
#include <QLocale>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

const QString App = QStringLiteral("Varnocet");
const QSize FullHd(1920 * 15, 1080 * 15);

class SettingsIOTest : public ::testing::Test {
protected:
    Settings Defaults() const {
        Settings settings;
        SettingsIO::SetDefaultSettings(settings, FullHd);
        return settings;
    }

    Settings ReadBack() {
        SettingsStore store(folder.path());
        Settings settings = Defaults();
        SettingsIO::ReadSettings(store, App, settings);
        return settings;
    }

    void Write(const Settings& settings) {
        SettingsStore store(folder.path());
        SettingsIO::WriteSettings(store, App, settings);
    }

    void WriteRaw(const QByteArray& ini) {
        QFile file(folder.filePath(QStringLiteral("Varnocet.conf")));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(ini);
    }

    QByteArray RawFile() const {
        QFile file(folder.filePath(QStringLiteral("Varnocet.conf")));
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }

    QTemporaryDir folder;
};

} // namespace

// The window starts centred on the screen, whose size is in twips; no
// stored version makes start-up take the master list; the folders are the
// user's own.
TEST_F(SettingsIOTest, EmptyStoreCentresTheWindowInUserFolders) {
    const Settings settings = ReadBack();
    EXPECT_TRUE(RecordingMessageBox::Instance().Texts.isEmpty());
    EXPECT_EQ(settings.PrefsVersion, QString());
    EXPECT_TRUE(settings.SkinDirectory.endsWith(QStringLiteral("/skins")));
    EXPECT_TRUE(settings.TempDirectory.startsWith(KnownFolders::Cache()))
        << settings.TempDirectory.toStdString();
    EXPECT_EQ(settings.FormWidth, 11925);
    EXPECT_EQ(settings.FormHeight, 8625);
    // Halves round to even: 3787.5 -> 3788, 8437.5 -> 8438.
    EXPECT_EQ(settings.FormTop, 3788);
    EXPECT_EQ(settings.FormLeft, 8438);
}

TEST_F(SettingsIOTest, EveryKindOfValueRoundTripsAndTheVersionIsTheRunningOne) {
    Settings written = Defaults();
    written.AutoFlip = true;
    written.FlipInterval = 42;
    written.ArticleListFont = QStringLiteral("DejaVu Sans, Book");
    written.ArticleListFontSize = Currency::FromScaled(105000);
    written.Invocations = 123456;
    written.LastLoadMasterProviderList = Date::FromParts(2026, 12, 6, 16, 47, 5);
    written.CheckListItems = -5;
    written.CharsRead = 9'000'000'000;
    written.CurrentProvider = QStringLiteral("Ünïcode Feed");
    written.FormLeft = 37500;
    written.VertSplitterX = 1500;
    written.PrefsVersion = QStringLiteral("0.9.4");
    Write(written);

    const Settings read = ReadBack();
    EXPECT_TRUE(read.AutoFlip);
    EXPECT_EQ(read.FlipInterval, 42);
    EXPECT_EQ(read.ArticleListFont, written.ArticleListFont);
    EXPECT_EQ(read.ArticleListFontSize, written.ArticleListFontSize);
    EXPECT_EQ(read.Invocations, 123456);
    EXPECT_EQ(read.LastLoadMasterProviderList, written.LastLoadMasterProviderList);
    EXPECT_EQ(read.CheckListItems, -5);
    EXPECT_EQ(read.CharsRead, 9'000'000'000);
    EXPECT_EQ(read.CurrentProvider, written.CurrentProvider);
    EXPECT_EQ(read.FormLeft, 37500);
    EXPECT_EQ(read.VertSplitterX, 1500);
    // The stored version is always the one that wrote the file.
    EXPECT_EQ(read.PrefsVersion, ProgramVersionString());
    EXPECT_TRUE(RecordingMessageBox::Instance().Texts.isEmpty());
}

// Translation is off until a service is configured: by the user (stored),
// or for every new user by the build or the environment.
TEST_F(SettingsIOTest, TheTranslationServiceIsStoredAndStartsAsConfigured) {
    const QString service = QStringLiteral("https://t.example/?u={url}&sl={lin}&tl={lout}");
    {
        const EnvironmentVariable unset("VARNOCET_TRANSLATION_SERVICE_URL", "");
        EXPECT_EQ(ReadBack().TranslationServiceURL, QString());
    }
    {
        const EnvironmentVariable configured("VARNOCET_TRANSLATION_SERVICE_URL",
                                             "https://packaged.example/tr");
        EXPECT_EQ(ReadBack().TranslationServiceURL, "https://packaged.example/tr");
        Settings settings = Defaults();
        settings.TranslationServiceURL = service;
        Write(settings);
    }
    const QByteArray ini = RawFile();
    const qsizetype key = ini.indexOf("\nTranslationServiceURL=");
    EXPECT_TRUE(key > ini.indexOf("[Preferences]") && key < ini.indexOf("[Settings]"));
    const EnvironmentVariable unset("VARNOCET_TRANSLATION_SERVICE_URL", "");
    EXPECT_EQ(ReadBack().TranslationServiceURL, service);
}

TEST_F(SettingsIOTest, StoredTextsAreTheFixedForms) {
    Settings settings = Defaults();
    settings.ProviderListFontSize = Currency::FromScaled(85000);
    settings.LastLoadUserLand = Date::FromParts(2026, 1, 5, 14, 3, 9);
    // The stored forms must not follow the user's locale.
    const QLocale previous;
    QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
    Write(settings);
    QLocale::setDefault(previous);

    const QByteArray ini = RawFile();
    EXPECT_TRUE(ini.contains("AutoFlip=False\n"));
    EXPECT_TRUE(ini.contains("FlipCategories=True\n"));
    EXPECT_TRUE(ini.contains("ProviderListFontSize=8.5\n"));
    EXPECT_TRUE(ini.contains("LastLoadUserLand=1/5/2026 2:03:09 PM\n"));
    EXPECT_TRUE(ini.contains("LastLoadXMLTree=1/1/1900\n"));
    EXPECT_TRUE(ini.contains("FormWidth=11925\n"));
}

TEST_F(SettingsIOTest, ABadValueKeepsOnlyItsOwnDefault) {
    WriteRaw("[Preferences]\nAutoFlip=abc\nFlipInterval=30\nSkipEmptyOnFlip=perhaps\n"
             "HighlightNewStories=False\n"
             "[Settings]\nFormWidth=20000\nFormTop=99999999999\n");
    const Settings settings = ReadBack();
    EXPECT_FALSE(settings.AutoFlip);
    EXPECT_EQ(settings.FlipInterval, 30);
    EXPECT_FALSE(settings.SkipEmptyOnFlip);
    EXPECT_FALSE(settings.HighlightNewStories);
    EXPECT_EQ(settings.FormWidth, 20000);
    EXPECT_EQ(settings.FormTop, Defaults().FormTop);
    EXPECT_EQ(RecordingMessageBox::Instance().Texts,
              QStringList{QStringLiteral("Error in ReadSettings!")});
}

TEST_F(SettingsIOTest, CountersAndGeometryBeyondSixteenBits) {
    WriteRaw("[Preferences]\nCharsRead=2147483000\nInvocations=40000\n"
             "[Settings]\nFormLeft=37500\n");
    Settings settings = ReadBack();
    EXPECT_TRUE(RecordingMessageBox::Instance().Texts.isEmpty());
    settings.CharsRead = SaturatingAdd<qint64>(settings.CharsRead, 1000);
    Write(settings);
    const QByteArray ini = RawFile();
    EXPECT_TRUE(ini.contains("CharsRead=2147484000\n"));
    EXPECT_TRUE(ini.contains("Invocations=40000\n"));
    EXPECT_TRUE(ini.contains("FormLeft=37500\n"));
}

TEST_F(SettingsIOTest, KeysNoLongerWrittenDisappear) {
    WriteRaw("[Preferences]\nRetiredKey=1\nAutoFlip=True\n[Settings]\nOldWindowState=2\n"
             "[Other]\nKept=1\n");
    Write(ReadBack());
    const QByteArray ini = RawFile();
    EXPECT_FALSE(ini.contains("RetiredKey"));
    EXPECT_FALSE(ini.contains("OldWindowState"));
    EXPECT_TRUE(ini.contains("AutoFlip=True"));
    EXPECT_TRUE(ini.contains("[Other]"));
}

TEST_F(SettingsIOTest, WritingToAnUnwritableStoreThrows) {
    QFile blocker(folder.filePath(QStringLiteral("blocker")));
    ASSERT_TRUE(blocker.open(QIODevice::WriteOnly));
    blocker.close();
    SettingsStore store(folder.filePath(QStringLiteral("blocker/config")));
    EXPECT_THROW(SettingsIO::WriteSettings(store, App, Defaults()), ProgramError);
}
