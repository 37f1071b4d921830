#include "core/DirectoryImport.h"

#include "model/PendingOperation.h"
#include "model/Provider.h"
#include "retrieval/AliasList.h"
#include "retrieval/FeedFetcher.h"
#include "support/EventWait.h"
#include "support/NamedProviders.h"
#include "support/ProgramHome.h"
#include "support/RecordingMessageBox.h"
#include "support/RssFeed.h"

#include <QJsonObject>
#include <QMap>

#include <optional>

namespace {

using namespace std::chrono_literals;
using Answer = MessageBoxPresenter::Answer;

// A working copy of four providers, a directory list served beside their
// feeds and alias sets naming other addresses of two of them, all in
// data/directory: Own is listed under its own address, Old (from the
// directory before) and Mine (the user's) under other addresses, and
// Vanished (from the directory) no longer.
class DirectoryImportTest : public ProgramHome {
protected:
    void SetUp() override {
        NewProgram();
        ASSERT_TRUE(providers.ReadFile(
            TestData::Write(folder.filePath("working.xml"), Sited("directory/working.xml")),
            nullptr, false));
        const QString bundled = folder.filePath("bundle");
        TestData::Write(bundled + "/qtk_aliases.xml", Sited("directory/qtk_aliases.xml"));
        aliases = std::make_unique<AliasList>(
            AliasList::Locations{QString(), folder.filePath("cache"), bundled});
        server.Serve("/list.xml", Sited("directory/list.xml"));
        server.Serve("/feed", RssFeed::Named("Feed"));
    }

    QString Address(const QString& path) const { return server.Url(path).toString(); }

    // A file under tests/data with "{site}" standing for the server.
    QByteArray Sited(const QString& file) const {
        return TestData::Read(file).replace("{site}", Address(QString()).toUtf8());
    }

    std::unique_ptr<DirectoryImport> NewImport(DirectoryImport::Limits limits = {5s, 5s, 1s}) {
        auto import =
            std::make_unique<DirectoryImport>(providers, *aliases, core->Fetcher(), limits);
        QObject::connect(import.get(), &DirectoryImport::Finished,
                         [this](const DirectoryImport::Result& r) { result = r; });
        QObject::connect(import.get(), &DirectoryImport::Progress, [this](int value, int maximum) {
            progress.append({value, maximum});
        });
        QObject::connect(core.get(), &ProgramCore::ProviderUpdated, import.get(),
                         &DirectoryImport::DetailsArrived);
        return import;
    }

    bool Run(DirectoryImport& import, const QString& source, bool details) {
        import.Start({source, details, false});
        return WaitUntil([&] { return result.has_value(); });
    }

    QStringList Names() const { return ProviderNames(providers); }

    TestHttpServer server;
    ProviderCollection providers;
    std::unique_ptr<AliasList> aliases;
    std::optional<DirectoryImport::Result> result;
    QList<std::pair<int, int>> progress;
};

TEST_F(DirectoryImportTest, AddsNewFeedsAndRecognisesKnownOnesByAddressAndAlias) {
    auto import = NewImport();
    ASSERT_TRUE(Run(*import, Address("/list.xml"), false));

    EXPECT_TRUE(result->Available);
    EXPECT_EQ(result->Added, 2) << "/feed and the second services element's entry";
    EXPECT_EQ(result->AlreadyKnown, 2) << "Own, and /feed listed again";
    EXPECT_EQ(result->KnownViaOtherURL, 1) << "Old only: Mine is not the directory's";
    EXPECT_EQ(result->Gone, 1);
    EXPECT_EQ(result->Skipped, QStringList({"ftp://127.0.0.1/feed", "javascript:alert(1)"}));
    EXPECT_EQ(result->AddedNames, QStringList({Address("/feed"), Address("/second")}));
    EXPECT_EQ(Names(), QStringList({"Own", "Old", "Mine", "Vanished", Address("/feed"),
                                    Address("/second")}));
    const auto added = providers.Item(5);
    EXPECT_EQ(added->DataURL, Address("/feed"));
    EXPECT_EQ(added->Category, "UserLand");
    EXPECT_EQ(added->Origin, 2);
    EXPECT_FALSE(added->Active);
    EXPECT_TRUE(added->NeedsDetails);
    EXPECT_TRUE(Provider::IsTemporaryID(added->UniqueID));
    EXPECT_NE(added->UniqueID, providers.Item(6)->UniqueID);
    EXPECT_EQ(added->LastUsed, Date::FromParts(2001, 1, 1));
    EXPECT_TRUE(added->BrandNew && added->Renewed);
    EXPECT_GE(providers.Categories().LocateCategory("UserLand"), 1);
    EXPECT_EQ(server.RequestCount("/feed"), 0) << "no details asked for";
    const QList<bool> renewed{true, true, true, false};
    for (qsizetype position = 1; position <= 4; ++position) {
        EXPECT_EQ(providers.Item(position)->Renewed, renewed.at(position - 1)) << position;
        EXPECT_FALSE(providers.Item(position)->BrandNew) << position;
    }
    EXPECT_EQ(progress.first(), std::make_pair(0, 0));

    EXPECT_EQ(import->RemoveGone(), 1);
    EXPECT_EQ(Names().mid(0, 3), QStringList({"Own", "Old", "Mine"}));
    EXPECT_EQ(providers.Count(), 5);
}

// Whatever goes wrong with the list, the working copy stays as it was and
// the import ends with the list unavailable.
TEST_F(DirectoryImportTest, ListThatCannotBeReadChangesNothing) {
    server.Serve("/silent.xml", {.NeverAnswer = true});
    server.Serve("/page.xml", QByteArray("<html><body><p>moved"), "text/html");
    server.Serve("/gone.xml", {.Status = 404, .Body = "<services/>"});
    const QString missingFile = folder.filePath("none.xml");
    const QString localFile =
        TestData::Write(folder.filePath("list.xml"), Sited("directory/list.xml"));
    const struct {
        QString source;
        bool available;
    } cases[] = {
        {Address("/silent.xml"), false},
        {Address("/page.xml"), false},
        {Address("/gone.xml"), false},
        {"http://127.0.0.1:9/list.xml", false},
        {missingFile, false},
        {localFile, true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.source.toStdString());
        result.reset();
        auto import = NewImport({300ms, 5s, 1s});
        ASSERT_TRUE(Run(*import, c.source, false));
        EXPECT_EQ(result->Available, c.available);
        EXPECT_EQ(providers.Count(), c.available ? 6 : 4);
        EXPECT_EQ(result->Added, c.available ? 2 : 0);
        EXPECT_FALSE(import->IsRunning());
    }
}

TEST_F(DirectoryImportTest, DetailsAreFetchedForNewProvidersOnly) {
    server.Serve("/second", RssFeed::Named("Second"));
    auto import = NewImport();
    ASSERT_TRUE(Run(*import, Address("/list.xml"), true));
    EXPECT_EQ(result->Added, 2);
    EXPECT_EQ(result->AddedNames, QStringList({"Feed", "Second"}));
    EXPECT_EQ(server.RequestCount("/feed"), 1);
    EXPECT_EQ(server.RequestCount("/second"), 1);
    EXPECT_EQ(server.RequestCount("/own"), 0);
    for (qsizetype position : {5, 6}) {
        EXPECT_FALSE(providers.Item(position)->NeedsDetails) << position;
        EXPECT_EQ(providers.Item(position)->PendingOperations, 0) << position;
    }
}

// Details that do not come within the wait are called off; those providers
// get them later, when needed. The bar counts the wait down.
TEST_F(DirectoryImportTest, WaitForDetailsIsBounded) {
    server.Serve("/second", {.NeverAnswer = true});
    auto import = NewImport({5s, 300ms, 100ms});
    ASSERT_TRUE(Run(*import, Address("/list.xml"), true));
    ASSERT_EQ(providers.Count(), 6);
    EXPECT_EQ(providers.Item(5)->ProviderName, "Feed");
    EXPECT_FALSE(providers.Item(5)->NeedsDetails);
    EXPECT_TRUE(providers.Item(6)->NeedsDetails);
    EXPECT_EQ(providers.Item(6)->PendingOperations, 0);
    EXPECT_EQ(progress.mid(progress.size() - 3),
              (QList<std::pair<int, int>>{{2, 3}, {1, 3}, {0, 3}}));
}

TEST_F(DirectoryImportTest, CancelLeavesTheWorkingCopyAsItWas) {
    server.Serve("/silent.xml", {.NeverAnswer = true});
    server.Serve("/second", {.NeverAnswer = true});
    const struct {
        const char* list;
        bool details;
    } cases[] = {{"/silent.xml", false}, {"/list.xml", true}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.list);
        auto import = NewImport({5s, 5s, 1s});
        import->Start({Address(c.list), c.details, true});
        // Until the list is read, or until the first details came.
        ASSERT_TRUE(WaitUntil([&] {
            return c.details ? server.RequestCount("/feed") == 1 : server.RequestCount(c.list) == 1;
        }));
        import->Cancel();
        EXPECT_FALSE(import->IsRunning());
        QCoreApplication::processEvents();
        EXPECT_FALSE(result.has_value());
        EXPECT_EQ(Names(), QStringList({"Own", "Old", "Mine", "Vanished"}));
        for (const auto& provider : providers)
            EXPECT_FALSE(provider->Renewed);
    }
}

// The report's messages, by the counters: data/cases/bulk-add-report.json.
TEST_F(DirectoryImportTest, ReportTellsWhatWasAddedAndAsksAboutVanishedProviders) {
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

} // namespace
