#include "config/SettingsIO.h"
#include "config/ProgramVersion.h"
#include "platform/KnownFolders.h"
#include "platform/ProgramError.h"
#include "platform/SettingsStore.h"
#include "support/EnvironmentVariable.h"
#include "support/GoldenFile.h"
#include "support/RecordingMessageBox.h"
#include "support/TestData.h"

#include <QDir>
#include <QJsonArray>
#include <QJsonObject>
#include <QLocale>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

const QString App = QStringLiteral("Varnocet");
// In twips.
const QSize FullHd(1920 * 15, 1080 * 15);

class SettingsIOTest : public ::testing::Test {
protected:
    Settings ReadBack() {
        SettingsStore store(folder.path());
        Settings settings;
        SettingsIO::SetDefaultSettings(settings, FullHd);
        SettingsIO::ReadSettings(store, App, settings);
        return settings;
    }

    void Write(const Settings& settings) {
        SettingsStore store(folder.path());
        SettingsIO::WriteSettings(store, App, settings);
    }

    QString Stored() const { return folder.filePath(App + QStringLiteral(".conf")); }

    QTemporaryDir folder;
};

class SettingsFilesTest : public SettingsIOTest,
                          public ::testing::WithParamInterface<std::string> {};

// Every data/settings/NAME.conf, a stored file, beside NAME.expected.json:
// what the user is told when it is read, the version it was written by (none
// makes start-up take the master list), and the file written back (under a
// German locale, which the stored forms must not follow) with the user's
// folders and the running version named, not spelled out. A new user starts
// with the window centred on a Full HD screen.
TEST_P(SettingsFilesTest, ReadsAndWritesBackAsExpected) {
    const QString file = QString::fromStdString(GetParam());
    TestData::Write(Stored(), TestData::Read("settings/" + file));
    const EnvironmentVariable unset("VARNOCET_TRANSLATION_SERVICE_URL", "");
    const Settings settings = ReadBack();
    const QLocale previous;
    QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
    Write(settings);
    QLocale::setDefault(previous);

    const QString written = QString::fromUtf8(TestData::ReadFile(Stored()))
                                .replace(KnownFolders::Cache(), "<cache>")
                                .replace(KnownFolders::DataFolder(), "<data>")
                                .replace("=" + ProgramVersionString() + "\n", "=<running>\n");
    GoldenFile::Check(
        TestData::Path("settings/" + GoldenFile::Stem(file) + ".expected.json"),
        {{"messages", QJsonArray::fromStringList(RecordingMessageBox::Instance().Texts)},
         {"versionRead", settings.PrefsVersion},
         {"written", QJsonArray::fromStringList(written.split(u'\n'))}},
        file, "config_tests");
}

INSTANTIATE_TEST_SUITE_P(Files, SettingsFilesTest,
                         ::testing::ValuesIn(GoldenFile::Cases(TestData::Path("settings"),
                                                               ".conf")),
                         GoldenFile::CaseName);

} // namespace

// Translation is off until a service is configured: by the user (stored,
// shown by the files), or for every new user by the build or the
// environment.
TEST_F(SettingsIOTest, TheTranslationServiceStartsAsConfigured) {
    {
        const EnvironmentVariable unset("VARNOCET_TRANSLATION_SERVICE_URL", "");
        EXPECT_EQ(ReadBack().TranslationServiceURL, QString());
    }
    const EnvironmentVariable configured("VARNOCET_TRANSLATION_SERVICE_URL",
                                         "https://packaged.example/tr");
    EXPECT_EQ(ReadBack().TranslationServiceURL, "https://packaged.example/tr");

    // Writing to an unwritable store throws.
    TestData::Write(folder.filePath(QStringLiteral("blocker")), {});
    SettingsStore store(folder.filePath(QStringLiteral("blocker/config")));
    EXPECT_THROW(SettingsIO::WriteSettings(store, App, ReadBack()), ProgramError);
}
