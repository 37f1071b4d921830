#include "core/DirectoryImport.h"

#include "model/Provider.h"
#include "retrieval/AliasList.h"
#include "support/EventWait.h"
#include "support/GoldenFile.h"
#include "support/NamedProviders.h"
#include "support/ProgramHome.h"
#include "support/RecordingMessageBox.h"
#include "support/RssFeed.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QMap>
#include <QSet>

#include <optional>

namespace {

using Answer = MessageBoxPresenter::Answer;

// A working copy of four providers, a directory list served beside their
// feeds and alias sets naming other addresses of two of them, all in
// data/directory: Own is listed under its own address, Old (from the
// directory before) and Mine (the user's) under other addresses, and
// Vanished (from the directory) no longer. A case,
// data/directory/imports/*.case.json beside the report expected, says where
// the list is read from ("{site}" the local server, "{folder}" the test's
// folder, which holds a copy of the list), what else is served, the limits
// in milliseconds, whether details are fetched and whether the import is
// cancelled once a path was asked for.
class DirectoryImportTest : public ProgramHome, public ::testing::WithParamInterface<std::string> {
protected:
    void SetUp() override {
        NewProgram();
        ASSERT_TRUE(providers.ReadFile(
            TestData::Write(folder.filePath("working.xml"), Sited("directory/working.xml")),
            nullptr, false));
        const QString bundled = folder.filePath("bundle");
        TestData::Write(bundled + "/qtk_aliases.xml", Sited("directory/qtk_aliases.xml"));
        TestData::Write(folder.filePath("list.xml"), Sited("directory/list.xml"));
        aliases = std::make_unique<AliasList>(
            AliasList::Locations{QString(), folder.filePath("cache"), bundled});
        server.Serve("/list.xml", Sited("directory/list.xml"));
        server.Serve("/feed", RssFeed::Named("Feed"));
    }

    // A file under tests/data with "{site}" standing for the server.
    QByteArray Sited(const QString& file) const {
        return TestData::Read(file).replace("{site}", server.Url(QString()).toString().toUtf8());
    }

    QString Unsited(QString text) const {
        return text.replace(server.Url(QString()).toString(), "{site}");
    }

    // Each provider: name, address, category, origin and what holds of it.
    QJsonArray ProviderLines() const {
        QJsonArray lines;
        for (const auto& provider : providers)
            lines.append(
                Unsited(QStringLiteral("%1 %2 @%3 origin %4 last used %5%6%7%8%9%10 pending %11")
                            .arg(provider->ProviderName, provider->DataURL, provider->Category)
                            .arg(provider->Origin)
                            .arg(provider->LastUsed.ToQDate().toString(Qt::ISODate))
                            .arg(provider->Active ? " active" : "")
                            .arg(provider->NeedsDetails ? " needs details" : "")
                            .arg(Provider::IsTemporaryID(provider->UniqueID) ? " temporary id" : "")
                            .arg(provider->BrandNew ? " brand new" : "")
                            .arg(provider->Renewed ? " renewed" : "")
                            .arg(provider->PendingOperations)));
        return lines;
    }

    QJsonObject Report(const DirectoryImport::Result& r) const {
        QStringList categories;
        for (const auto& category : providers.Categories())
            categories.append(category->CategoryName);
        return {{"available", r.Available},
                {"added", r.Added},
                {"known", r.AlreadyKnown},
                {"known via another address", r.KnownViaOtherURL},
                {"gone", r.Gone},
                {"added names", Unsited(r.AddedNames.join(", "))},
                {"skipped", r.Skipped.join(", ")},
                {"categories", categories.join(", ")}};
    }

    TestHttpServer server;
    ProviderCollection providers;
    std::unique_ptr<AliasList> aliases;
};

} // namespace

TEST_P(DirectoryImportTest, ImportsAsExpected) {
    const QString file = "directory/imports/" + QString::fromStdString(GetParam());
    const QJsonObject c = QJsonDocument::fromJson(TestData::Read(file)).object();
    const QJsonObject serve = c["serve"].toObject();
    for (auto answer = serve.begin(); answer != serve.end(); ++answer)
        server.Serve(answer.key().toUtf8(), TestHttpServer::FromJson(answer.value().toObject()));
    const QJsonArray limits = c["limits"].toArray({5000, 5000, 1000});
    DirectoryImport import(providers, *aliases, core->Fetcher(),
                           {std::chrono::milliseconds(limits[0].toInt()),
                            std::chrono::milliseconds(limits[1].toInt()),
                            std::chrono::milliseconds(limits[2].toInt())});
    std::optional<DirectoryImport::Result> result;
    QJsonArray progress;
    QObject::connect(&import, &DirectoryImport::Finished,
                     [&](const DirectoryImport::Result& r) { result = r; });
    QObject::connect(&import, &DirectoryImport::Progress, [&](int value, int maximum) {
        progress.append(QStringLiteral("%1/%2").arg(value).arg(maximum));
    });
    QObject::connect(core.get(), &ProgramCore::ProviderUpdated, &import,
                     &DirectoryImport::DetailsArrived);
    import.Start({c["source"]
                      .toString()
                      .replace("{site}", server.Url(QString()).toString())
                      .replace("{folder}", folder.path()),
                  c["details"].toBool(), c["makeActive"].toBool()});
    const QByteArray cancelAfter = c["cancelAfter"].toString().toUtf8();
    ASSERT_TRUE(WaitUntil([&] {
        return cancelAfter.isEmpty() ? result.has_value() : server.RequestCount(cancelAfter) == 1;
    }));
    if (!cancelAfter.isEmpty())
        import.Cancel();
    const bool running = import.IsRunning();
    QCoreApplication::processEvents();
    QJsonObject requests;
    for (const char* path : {"/feed", "/second", "/own"})
        requests[path] = server.RequestCount(path);
    QSet<Long> ids;
    for (const auto& provider : providers)
        ids.insert(provider->UniqueID);
    QJsonObject report{{"result", result ? Report(*result) : QJsonObject()},
                       {"running", running},
                       {"providers", ProviderLines()},
                       {"distinct ids", ids.size()},
                       {"progress", progress}};
    if (cancelAfter.isEmpty())
        report["requests"] = requests;
    if (c["removeGone"].toBool()) {
        report["removed"] = import.RemoveGone();
        report["after removing"] = Unsited(ProviderNames(providers).join(", "));
    }
    GoldenFile::Check(TestData::Path(file.chopped(10) + ".expected.json"), report, file,
                      "core_tests");
}

INSTANTIATE_TEST_SUITE_P(Cases, DirectoryImportTest,
                         ::testing::ValuesIn(GoldenFile::Cases(TestData::Path("directory/imports"),
                                                               ".case.json")),
                         GoldenFile::CaseName);

// The report's messages, by the counters: data/cases/bulk-add-report.json.
TEST(DirectoryImportReportTest, TellsWhatWasAddedAndAsksAboutVanishedProviders) {
    const QMap<QString, Answer> answers{
        {"Ok", Answer::Ok}, {"Yes", Answer::Yes}, {"No", Answer::No}};
    for (const QJsonValue& value : TestData::Cases(QStringLiteral("cases/bulk-add-report.json"))) {
        const QJsonObject c = value.toObject();
        RecordingMessageBox& boxes = RecordingMessageBox::Instance();
        boxes.Texts.clear();
        boxes.Titles.clear();
        boxes.NextAnswer = answers[c["answer"].toString()];
        const int gone = c["gone"].toInt();
        EXPECT_EQ(DirectoryImport::ShowBulkAddReport("Userland", c["added"].toInt(),
                                                     c["known"].toInt(), gone, c["via"].toInt()),
                  answers[c["result"].toString()]);
        EXPECT_EQ(boxes.Texts, c["texts"].toVariant().toStringList());
        if (gone != 0) {
            EXPECT_EQ(boxes.Titles.last(), "Delete?");
        }
    }
}
