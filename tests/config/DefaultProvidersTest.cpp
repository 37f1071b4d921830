// Updates of the user's list from the master list, as scenarios: every
// folder under data/masterlist holds the list as published on the server
// (published/), as left in the local folder (local/) and as shipped
// (bundled/), and the user's list (user.xml); expected.json holds what the
// update returns and reports (colour and text of each line), the user's list
// written afterwards, which providers are renewed or brand new, what the
// user was told, and what a second update does; and what the first update
// showed as its progress, asked of the server and left in the local folder
// (the local folder shown as "LOCAL"). Without a published list the update
// is the offline one from the local folder; a file "no-server" makes it
// the offline one of a build without a master list server.
//
// A scenario with a startup.json is the program's start-up instead: the
// user's list (user.xml, else none) is loaded, brought up to date as the
// preferences in startup.json ask ("server": false for a build without a
// master list server) and sorted; "first" then holds what start-up
// returned, its report and the copies it made of the user's file ("as
// read" when a copy holds the file as it was).
//
// VARNOCET_REGENERATE=1 rewrites the expected files instead of comparing;
// the change is then reviewed like code.
#include "config/DefaultProviders.h"
#include "MasterListFixture.h"
#include "config/ProgramVersion.h"
#include "config/ProviderListStartup.h"
#include "config/Settings.h"
#include "config/UpdateReport.h"
#include "model/ProviderCollection.h"
#include "support/FixedTime.h"
#include "support/GoldenFile.h"
#include "support/NamedProviders.h"
#include "support/RecordingMessageBox.h"
#include "support/TestData.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QRegularExpression>

#include <string>
#include <vector>

namespace {

class RecordingReport : public UpdateReport {
public:
    void AppendReportLine(const QString& text, Colour colour, bool bold) override {
        Lines.append(QString::asprintf("#%02x%02x%02x ", colour.Red, colour.Green, colour.Blue) +
                     text);
        EXPECT_FALSE(bold);
    }

    QStringList Lines;
};

QDir Scenarios() {
    return QDir(TestData::Path(QStringLiteral("masterlist")));
}

std::vector<std::string> ScenarioNames() {
    std::vector<std::string> names;
    for (const QString& name : Scenarios().entryList(QDir::Dirs | QDir::NoDotAndDotDot))
        names.push_back(name.toStdString());
    return names;
}

class DefaultProvidersTest : public MasterListFixture,
                             public ::testing::WithParamInterface<std::string> {
protected:
    QJsonObject Update(bool doLocal, const MasterProviderSet::Locations& locations,
                       ProgressReporter* progress = nullptr) {
        RecordingReport report;
        Date lastLoad = Date::Never();
        const bool updated = DefaultProviders::AddDefaultProviders(user, &report, true, lastLoad,
                                                                   progress, doLocal, locations);
        return {{"updated", updated},
                {"report", QJsonArray::fromStringList(report.Lines)},
                {"lastLoad", lastLoad.ToText()}};
    }

    QJsonArray Fresh() const {
        QJsonArray fresh;
        for (const auto& provider : user) {
            if (provider->Renewed || provider->BrandNew)
                fresh.append(provider->ProviderName + (provider->Renewed ? " renewed" : "") +
                             (provider->BrandNew ? " brand new" : ""));
        }
        return fresh;
    }

    QJsonArray Requests() const {
        QJsonArray paths;
        for (const TestHttpServer::Request& request : server.Requests())
            paths.append(QString::fromUtf8(request.Path));
        return paths;
    }

    // Each file of the local folder, line by line.
    QJsonObject Cached() const {
        QJsonObject files;
        const QDir local(cache.filePath(QStringLiteral("Standard")));
        for (const QString& file : local.entryList(QDir::Files))
            files.insert(file, QJsonArray::fromStringList(
                                   QString::fromUtf8(TestData::ReadFile(local.filePath(file)))
                                       .split(QStringLiteral("\r\n"))));
        return files;
    }

    QJsonObject StartUp(const QDir& scenario, StatusRecorder& progress) {
        const QJsonObject options =
            QJsonDocument::fromJson(TestData::ReadFile(scenario.filePath("startup.json"))).object();
        Settings settings;
        settings.PrefsVersion = options["prefsVersion"].toString(ProgramVersionString());
        settings.CheckForProviderUpdates = options["checkForProviderUpdates"].toBool();
        ProviderListStartup startup{user, settings,
                                    options["server"].toBool(true) ? Locations() : WithoutServer(),
                                    progress};
        const QDir home(cache.filePath("home"));
        const QByteArray read = TestData::ReadFile(scenario.filePath("user.xml"));
        if (!read.isEmpty())
            TestData::Write(home.filePath("qtk_providers.xml"), read);
        const bool loaded = startup.LoadProviderList(home.filePath("qtk_providers.xml"));
        RecordingReport report;
        bool reportChanged = false;
        const bool updated = startup.UpdateFromMasterList(report, reportChanged);
        startup.SortProviderList();
        QJsonArray first;
        for (const auto& provider : user) {
            if (provider->FirstInCategory)
                first.append(provider->ProviderName);
        }
        QJsonArray copies;
        for (const QString& copy : home.entryList({"qtk_providers.xml.bad-*"}))
            copies.append(TestData::ReadFile(home.filePath(copy)) == read ? "as read" : copy);
        return {{"loaded", loaded},
                {"updated", updated},
                {"reportChanged", reportChanged},
                {"report", QJsonArray::fromStringList(report.Lines)},
                {"firstInCategory", first},
                {"copies", copies},
                {"fileKept", TestData::ReadFile(home.filePath("qtk_providers.xml")) == read}};
    }

    // What the user was told, the user's folder shown as "HOME" and the
    // copies of the user's file named alike.
    QJsonArray Messages() const {
        static const QRegularExpression copy(QStringLiteral("qtk_providers\\.xml\\.bad-[0-9-]+"));
        return QJsonArray::fromStringList(QStringList(RecordingMessageBox::Instance().Texts)
                                              .replaceInStrings(copy, "qtk_providers.xml.bad-STAMP")
                                              .replaceInStrings(cache.filePath("home"), "HOME")
                                              .replaceInStrings(bundle.path(), "BUNDLE"));
    }

    FixedTime now{QDateTime(QDate(2026, 3, 1), QTime(9, 30), Qt::UTC), QTimeZone::utc()};
    ProviderCollection user;
};

TEST_P(DefaultProvidersTest, UpdatesAsExpected) {
    const QDir scenario(Scenarios().filePath(QString::fromStdString(GetParam())));
    const QDir published(scenario.filePath("published"));
    for (const QString& file : published.entryList(QDir::Files))
        Publish(file, TestData::ReadFile(published.filePath(file)));
    if (scenario.exists("local"))
        TestData::CopyFiles(scenario.filePath("local"), cache.filePath("Standard"));
    if (scenario.exists("bundled"))
        TestData::CopyFiles(scenario.filePath("bundled"), bundle.filePath("Standard"));
    const bool startUp = scenario.exists("startup.json");
    const bool serverless = scenario.exists("no-server");
    const MasterProviderSet::Locations locations = serverless ? WithoutServer() : Locations();
    const bool local = serverless || !published.exists();
    if (scenario.exists("user.xml") && !startUp) {
        ASSERT_TRUE(user.LoadFile(scenario.filePath("user.xml"), nullptr, false));
    }

    StatusRecorder progress;
    const QJsonObject first =
        startUp ? StartUp(scenario, progress) : Update(local, locations, &progress);
    const QJsonObject result{
        {"first", first},
        {"progress", QJsonArray::fromStringList(
                         progress.Statuses.replaceInStrings(cache.filePath("Standard"), "LOCAL"))},
        {"requests", Requests()},
        {"cached", Cached()},
        {"list", QJsonArray::fromStringList(
                     QString::fromUtf8(user.ToBytes(false, true, true)).split("\r\n"))},
        {"fresh", Fresh()},
        {"messages", Messages()},
        {"again", startUp ? QJsonObject() : Update(local, locations)}};
    GoldenFile::Check(scenario.filePath("expected.json"), result, scenario.dirName(),
                      "config_tests");
}

INSTANTIATE_TEST_SUITE_P(Scenarios, DefaultProvidersTest, ::testing::ValuesIn(ScenarioNames()),
                         GoldenFile::CaseName);

} // namespace
