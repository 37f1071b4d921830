#include "core/ProgramCore.h"

#include "config/ProgramVersion.h"
#include "model/ProviderCollection.h"
#include "model/StoryCollection.h"
#include "platform/BackgroundNotice.h"
#include "platform/SettingsStore.h"
#include "retrieval/AutoFlip.h"
#include "retrieval/FeedFetcher.h"
#include "retrieval/RefreshScheduler.h"
#include "support/EnvironmentVariable.h"
#include "support/EventWait.h"
#include "support/ProductsFile.h"
#include "support/ProgramHome.h"
#include "support/RecordingMessageBox.h"
#include "support/SilentReport.h"
#include "support/StatusRecorder.h"
#include "support/TestData.h"

#include <QJsonArray>
#include <QJsonObject>
#include <QSignalSpy>

namespace {

// The program as it runs behind its window, over a temporary home.
class ProgramCoreTest : public ProgramHome {
protected:
    ProgramCore& Start(const QString& storeFolder = {}) {
        NewProgram(storeFolder);
        shown = std::make_unique<QSignalSpy>(core.get(), &ProgramCore::StorySelected);
        core->Load(QSize(15360, 11520), progress, report);
        core->ShowStoredProvider();
        core->ApplyPreferences();
        return *core;
    }

    // The provider `index` on show with its stories read.
    void ShowLoaded(qsizetype index, int stories) {
        core->ShowProvider(index);
        const Provider& provider = *core->Providers().Item(index);
        ASSERT_TRUE(WaitUntil([&] {
            return provider.PendingOperations == 0 && provider.stCollStories != nullptr &&
                   provider.stCollStories->Count() == stories &&
                   core->CurrentStory() == (stories > 0 ? 1 : 0);
        }));
    }

    // The last story the panes were told to show: its address.
    QString ShownURL() const {
        return shown->isEmpty() ? "(none)" : shown->last().at(1).toString();
    }

    // The scheduler's minutes up to `ticks`, with no provider falling due
    // on the way.
    void UpdateTicks(int ticks) const {
        for (const auto& provider : core->Providers()) {
            provider->RefreshMinutes = 32767;
            provider->MinutesToNextRefresh = 32767;
        }
        for (int tick = 0; tick < ticks; ++tick)
            core->Scheduler().UpdateTick();
    }

    // A case of data/cases/update-checks.json, "{next}" standing for the
    // next version: where the products file is (served with the next
    // version or the running one, at an address where nothing listens, or
    // none at all) and whether the preferences ask for the check.
    QJsonObject UpdateCase(const QJsonValue& value) {
        QJsonObject c = value.toObject();
        const QString next = ProductsFile::NextVersion();
        c["answer"] = c["answer"].toString().replace("{next}", next);
        c["prompts"] = QJsonArray::fromStringList(
            c["prompts"].toVariant().toStringList().replaceInStrings("{next}", next));
        const QString products = c["products"].toString();
        QString address;
        if (products == u"closed")
            address = ProductsFile::ClosedAddress();
        if (products == u"newer" || products == u"same") {
            server.Serve("/products.xml",
                         ProductsFile::Listing(products == u"newer" ? ProductsFile::NextVersion()
                                                                    : ProgramVersionString()));
            address = server.Url("/products.xml").toString();
        }
        c["address"] = address;
        WriteStore(c["checkForUpdates"].toBool() ? "[Preferences]\nCheckForUpdates=True\n"
                                                 : "[Preferences]\nCheckForUpdates=False\n");
        return c;
    }

    StatusRecorder progress;
    SilentReport report;
    std::unique_ptr<QSignalSpy> shown;
    TestHttpServer server;
};

} // namespace

TEST_F(ProgramCoreTest, FirstStartSeedsTheListCountsTheRunAndHidesTheTree) {
    WriteStore("[Preferences]\nShowCategories=True\n");
    ProgramCore& program = Start();
    EXPECT_EQ(program.ProgramSettings().Invocations, 1);
    EXPECT_FALSE(program.ProgramSettings().ShowCategories);
    EXPECT_EQ(program.Providers().Count(), 2);
    EXPECT_EQ(program.CurrentProvider()->ProviderName, "Alpha");
    EXPECT_TRUE(QFile::exists(ProvidersFile()));
    EXPECT_TRUE(RecordingMessageBox::Instance().Texts.isEmpty());
    program.Shutdown();
    const QByteArray ini = StoreContents();
    EXPECT_TRUE(ini.contains("Invocations=1\n"));
    EXPECT_TRUE(ini.contains("PrefsVersion=" + ProgramVersionString().toUtf8() + "\n"));
    EXPECT_TRUE(ini.contains("CurrentProvider=Alpha\n"));
    // A background notice is announced once, without a box.
    QSignalSpy notices(&program, &ProgramCore::Notice);
    BackgroundNotice::Forget();
    for (int twice = 0; twice < 2; ++twice)
        BackgroundNotice::Report(QStringLiteral("Unknown XMLNS version (0.93) for RSS."));
    ASSERT_EQ(notices.size(), 1);
    EXPECT_EQ(notices.first().at(0).toString(), "Unknown XMLNS version (0.93) for RSS.");
    EXPECT_TRUE(RecordingMessageBox::Instance().Texts.isEmpty());
}

TEST_F(ProgramCoreTest, ShutdownRunsOnceAndWritesProvidersEvenWhenSettingsFail) {
    WriteProviders("<providers><provider><providername>Kept</providername>"
                   "<attemptedupdates>3</attemptedupdates></provider></providers>");
    TestData::Write(folder.filePath(QStringLiteral("blocker")), "");
    ProgramCore& program = Start(folder.filePath(QStringLiteral("blocker/config")));
    RecordingMessageBox::Instance().Texts.clear();
    program.Providers().Item(1)->AttemptedUpdates = 7;
    program.Shutdown();
    EXPECT_TRUE(Read(ProvidersFile()).contains("<attemptedupdates>7</attemptedupdates>"));
    EXPECT_EQ(RecordingMessageBox::Instance().Texts,
              QStringList{QStringLiteral("Error in WriteSettingsAndProviders!")});
    QFile::remove(ProvidersFile());
    program.Shutdown();
    EXPECT_FALSE(QFile::exists(ProvidersFile()));
}

TEST_F(ProgramCoreTest, StartupSortsTheListAndKeepsTheCurrentCategoryVisible) {
    WriteStore("[Preferences]\nCurrentCategory=Alpha\nInvocations=3\n");
    WriteProviders("<providers v=\"1\">"
                   "<category><categoryname>Zeta</categoryname></category>"
                   "<category><categoryname>Alpha</categoryname><active>False</active></category>"
                   "<category><categoryname>Alpha/Beta</categoryname></category>"
                   "<provider><providername>z</providername><category>Zeta</category></provider>"
                   "<provider><providername>b</providername><category>Alpha/Beta</category>"
                   "</provider></providers>");
    ProgramCore& program = Start();
    const ProviderCollection& providers = program.Providers();
    EXPECT_EQ(providers.Categories().Item(1)->CategoryName, "Alpha");
    EXPECT_EQ(providers.Item(1)->ProviderName, "b");
    EXPECT_TRUE(providers.Item(1)->FirstInCategory);
    // Alpha is switched off: the background refresh of the current category
    // must walk one the user sees.
    EXPECT_EQ(program.ProgramSettings().CurrentCategory, "Zeta");
    EXPECT_TRUE(StoreContents().contains("CurrentCategory=Zeta\n"));
}

TEST_F(ProgramCoreTest, UnreadableProviderListIsCopiedAsideBeforeAnythingIsWritten) {
    const QByteArray truncated = "<providers v=\"2\">\r\n  <provider>\r\n    <providername>Mine";
    WriteProviders(truncated);
    Start();
    const QStringList copies = QDir(folder.filePath(QStringLiteral("data")))
                                   .entryList({QStringLiteral("qtk_providers.xml.bad-*")});
    ASSERT_EQ(copies.size(), 1);
    EXPECT_EQ(Read(folder.filePath(QStringLiteral("data/")) + copies.first()), truncated);
    ASSERT_EQ(RecordingMessageBox::Instance().Texts.size(), 1);
    EXPECT_TRUE(RecordingMessageBox::Instance().Texts.first().contains(copies.first()));
}

TEST_F(ProgramCoreTest, ClosingWithFetchesOutstandingWritesTheStatisticsAsTheyStand) {
    server.Serve("/silent", {.NeverAnswer = true});
    WriteProviders("<providers>" + ProviderElement(1, "Quiet", server.Url("/silent")) +
                   "</providers>");
    ProgramCore& program = Start();
    ASSERT_EQ(program.Providers().Item(1)->PendingOperations, 1);
    program.Shutdown();
    EXPECT_EQ(program.Fetcher().OutstandingRequestCount(), 0);
    EXPECT_TRUE(Read(ProvidersFile()).contains("<attemptedupdates>1</attemptedupdates>"));
}

// Another provider's load leaves the stories on show alone; showing a
// provider always shows its selected story, or an empty page.
TEST_F(ProgramCoreTest, ShowingAProviderShowsItsStoryAndOnlyItsOwnLoadsRefillTheGrid) {
    ServeTwoProviders(server, {"One", "Two"}, {"Other"});
    ProgramCore& program = Start();
    QSignalSpy refilled(&program, &ProgramCore::StoriesChanged);
    ShowLoaded(2, 1);
    ShowLoaded(1, 2);
    EXPECT_EQ(ShownURL(), "http://news.example/One");
    const int fills = static_cast<int>(refilled.size());
    program.Fetcher().GrabStories(*program.Providers().Item(2));
    ASSERT_TRUE(WaitUntil([&] { return program.Providers().Item(2)->PendingOperations == 0; }));
    QCoreApplication::processEvents();
    EXPECT_EQ(refilled.size(), fills);
    // Both loaded and not due: no fetch hides the switch back.
    program.ShowProvider(2);
    EXPECT_EQ(ShownURL(), "http://news.example/Other");
    program.ShowProvider(1);
    EXPECT_EQ(ShownURL(), "http://news.example/One");
    // A provider with nothing to show empties the panes.
    server.Serve("/b", Rss({}));
    program.ShowProvider(2);
    program.ReloadCurrentProvider();
    ASSERT_TRUE(WaitUntil([&] { return program.CurrentStory() == 0; }));
    EXPECT_EQ(ShownURL(), QString());
}

TEST_F(ProgramCoreTest, AReloadKeepsTheStoryBeingRead) {
    ServeTwoProviders(server, {"One", "Two", "Three"}, {});
    ProgramCore& program = Start();
    ShowLoaded(1, 3);
    program.SelectStory(2);
    const qsizetype selections = shown->size();
    server.Serve("/a", Rss({"Zero", "One", "Two", "Three"}));
    program.ReloadCurrentProvider();
    ASSERT_TRUE(WaitUntil([&] { return program.CurrentProvider()->stCollStories->Count() == 4; }));
    QCoreApplication::processEvents();
    EXPECT_EQ(program.CurrentStory(), 3);
    EXPECT_EQ(shown->size(), selections);
    // The story read is gone: the first one is shown.
    server.Serve("/a", Rss({"New"}));
    program.ReloadCurrentProvider();
    ASSERT_TRUE(WaitUntil([&] { return ShownURL() == "http://news.example/New"; }));
    EXPECT_EQ(program.CurrentStory(), 1);
}

TEST_F(ProgramCoreTest, NextAndPreviousStepThroughStoriesThenProviders) {
    ServeTwoProviders(server, {"One", "Two"}, {"Three", "Four"});
    ProgramCore& program = Start();
    ShowLoaded(1, 2);
    program.NextArticle();
    EXPECT_EQ(program.CurrentStory(), 2);
    program.NextArticle();
    ASSERT_TRUE(WaitUntil([&] { return program.CurrentProviderIndex() == 2; }));
    ShowLoaded(2, 2);
    program.PreviousArticle();
    ASSERT_TRUE(WaitUntil([&] { return program.CurrentProviderIndex() == 1; }));
}

TEST_F(ProgramCoreTest, FindLooksAfterTheSelectedStoryThenInTheOtherProviders) {
    ServeTwoProviders(server, {"Storm warning", "Calm"}, {"Sun", "After the storm"});
    ProgramCore& program = Start();
    ShowLoaded(2, 2);
    ShowLoaded(1, 2);
    EXPECT_TRUE(program.FindStory(QStringLiteral("STORM")));
    EXPECT_EQ(program.CurrentProviderIndex(), 2);
    EXPECT_EQ(program.CurrentStory(), 2);
    EXPECT_FALSE(program.FindStory(QStringLiteral("nowhere")));
}

TEST_F(ProgramCoreTest, MakingAProviderInactiveSwitchesOffThatOneAndMovesOnWhenItIsOnShow) {
    WriteProviders("<providers>" + ProviderElement(1, "A", QUrl("http://127.0.0.1:9/a")) +
                   ProviderElement(2, "B", QUrl("http://127.0.0.1:9/b")) +
                   ProviderElement(3, "C", QUrl("http://127.0.0.1:9/c")) + "</providers>");
    ProgramCore& program = Start();
    program.MakeProviderInactive(3);
    EXPECT_FALSE(program.Providers().Item(3)->Active);
    EXPECT_TRUE(program.Providers().Item(1)->Active);
    EXPECT_EQ(program.CurrentProviderIndex(), 1);
    program.MakeProviderInactive(1);
    EXPECT_EQ(program.CurrentProviderIndex(), 2);
}

TEST_F(ProgramCoreTest, CategoryChangesKeepTheCurrentCategoryAndProviderVisible) {
    WriteStore("[Preferences]\nInvocations=3\nCurrentCategory=News\n");
    WriteProviders("<providers>" + ProviderElement(1, "A", QUrl("http://127.0.0.1:9/a")) +
                   ProviderElement(2, "B", QUrl("http://127.0.0.1:9/b"), "World") + "</providers>");
    ProgramCore& program = Start();
    program.RenameCategory(QStringLiteral("news"), QStringLiteral("Headlines"));
    EXPECT_EQ(program.ProgramSettings().CurrentCategory, "Headlines");
    EXPECT_EQ(program.Providers().Item(program.Providers().LocateProvider("A"))->Category,
              "Headlines");
    program.MakeCategoryInactive(QStringLiteral("Headlines"));
    EXPECT_EQ(program.ProgramSettings().CurrentCategory, "World");
    EXPECT_EQ(program.CurrentProvider()->ProviderName, "B");
}

// The categories below follow, switched off ones stay off, and names that
// only start alike are left alone.
TEST_F(ProgramCoreTest, RenamingRefilesCategoriesAndProviders) {
    WriteProviders("<providers>"
                   "<category><categoryname>News/Tech</categoryname><active>False</active>"
                   "</category>" +
                   ProviderElement(1, "Daily", QUrl("http://127.0.0.1:9/a")) +
                   ProviderElement(2, "Gadgets", QUrl("http://127.0.0.1:9/b"), "NEWS/Tech") +
                   ProviderElement(3, "Letter", QUrl("http://127.0.0.1:9/c"), "Newsletters") +
                   "</providers>");
    ProgramCore& program = Start();
    program.RenameCategory(QStringLiteral("News"), QStringLiteral("Alpha"));
    QStringList names;
    for (const auto& category : program.Providers().Categories())
        names << category->CategoryName + (category->Visible ? "" : "-");
    EXPECT_EQ(names, (QStringList{"Alpha", "Alpha/Tech-", "Newsletters"}));
    const ProviderCollection& providers = program.Providers();
    EXPECT_EQ(providers.Item(providers.LocateProvider("Gadgets"))->Category, "Alpha/Tech");
    EXPECT_EQ(providers.Item(providers.LocateProvider("Letter"))->Category, "Newsletters");
    // A name another category has is refused.
    program.RenameCategory(QStringLiteral("Alpha"), QStringLiteral("newsletters"));
    EXPECT_EQ(providers.Item(providers.LocateProvider("Daily"))->Category, "Alpha");
}

// The first run's choice may switch off the category of the provider on
// show.
TEST_F(ProgramCoreTest, TheFirstRunsChoiceMovesOffASwitchedOffCategory) {
    WriteProviders("<providers>" + ProviderElement(1, "A", QUrl("http://127.0.0.1:9/a")) +
                   ProviderElement(2, "B", QUrl("http://127.0.0.1:9/b"), "World") + "</providers>");
    ProgramCore& program = Start();
    ASSERT_EQ(program.CurrentProvider()->ProviderName, "A");
    CategoryCollection& categories = program.Providers().Categories();
    categories.Item(categories.LocateCategory("News"))->Active = false;
    categories.ComputeVisibility();
    program.CategoriesChosen();
    EXPECT_EQ(program.CurrentProvider()->ProviderName, "B");
    categories.Item(categories.LocateCategory("World"))->Active = false;
    categories.ComputeVisibility();
    program.CategoriesChosen();
    EXPECT_EQ(program.CurrentProvider(), nullptr);
    EXPECT_EQ(ShownURL(), QString());
}

TEST_F(ProgramCoreTest, AnAddressIsFoundAddedRefusedOrNeedsACategory) {
    ServeTwoProviders(server, {"One"}, {"Other"});
    server.Serve("/fresh", RssFeed::Named("Fresh"));
    ProgramCore& program = Start();
    ProviderCollection& providers = program.Providers();
    QStringList updated;
    QObject::connect(&program, &ProgramCore::ProviderUpdated,
                     [&](const Provider& provider) { updated.append(provider.ProviderName); });
    using Outcome = ProviderSubscription::Outcome;

    const auto fresh = program.AddProviderByURL(server.Url("/fresh").toString() + "\n", "News");
    ASSERT_EQ(fresh.outcome, Outcome::Added);
    EXPECT_EQ(providers.Count(), 3);
    EXPECT_EQ(fresh.provider->Origin, 6);
    EXPECT_TRUE(fresh.provider->BrandNew);
    EXPECT_EQ(program.CurrentProvider(), fresh.provider);
    // Named by its own feed, and the views are told.
    ASSERT_TRUE(WaitUntil([&] { return updated.contains("Fresh"); }));

    providers.Item(1)->Active = false;
    const auto known = program.AddProviderByURL(server.Url("/a").toString(), QString());
    EXPECT_EQ(known.outcome, Outcome::Found);
    EXPECT_TRUE(providers.Item(1)->Active);
    EXPECT_EQ(program.CurrentProviderIndex(), 1);

    EXPECT_EQ(program.AddProviderByURL(server.Url("/later").toString(), QString()).outcome,
              Outcome::NeedsCategory);
    EXPECT_EQ(program.AddProviderByURL("file:///etc/passwd", "News").outcome, Outcome::Refused);
    EXPECT_EQ(program.AddProviderByURL("javascript:alert(1)", "News").outcome, Outcome::Refused);
    EXPECT_EQ(providers.Count(), 3);
}

TEST_F(ProgramCoreTest, AnEditedListIsAdoptedWithTheProviderOnShow) {
    ServeTwoProviders(server, {"One"}, {"Other"});
    ProgramCore& program = Start();
    ShowLoaded(2, 1);
    std::unique_ptr<ProviderCollection> edited = program.Providers().Copy(nullptr);
    edited->Remove(1);
    auto added = std::make_shared<Provider>();
    added->ProviderName = QStringLiteral("Added");
    added->DataURL = server.Url("/a").toString();
    added->Category = QStringLiteral("News");
    added->UniqueID = 77;
    edited->Add(added);
    program.AdoptProviderList(std::move(edited));
    EXPECT_EQ(program.Providers().Count(), 2);
    EXPECT_EQ(program.CurrentProvider()->ProviderName, "B");
    // The scheduler walks the adopted list.
    const qsizetype next =
        program.Scheduler().NextBackgroundIndex(program.CurrentProviderIndex(), false);
    EXPECT_EQ(program.Providers().Item(next)->ProviderName, "Added");
}

TEST_F(ProgramCoreTest, StoredAutoFlipShowsThePlayButtonOnAtStart) {
    WriteStore("[Preferences]\nAutoFlip=True\nInvocations=2\n");
    NewProgram();
    QSignalSpy icons(core.get(), &ProgramCore::PlayIconChanged);
    core->Load(QSize(15360, 11520), progress, report);
    core->ApplyPreferences();
    ASSERT_FALSE(icons.isEmpty());
    EXPECT_EQ(icons.last().at(0).toInt(), AutoFlip::PlayIconOn);
}

// The views follow a reload and the play button through the core alone.
TEST_F(ProgramCoreTest, ReloadAndPlayButtonAreAnnouncedByTheCore) {
    ServeTwoProviders(server, {"One"}, {"Other"});
    ProgramCore& program = Start();
    ShowLoaded(1, 1);
    QSignalSpy busy(&program, &ProgramCore::BusyChanged);
    program.ReloadCurrentProvider();
    ASSERT_EQ(busy.size(), 2);
    EXPECT_TRUE(busy.at(0).at(0).toBool());
    EXPECT_FALSE(busy.at(1).at(0).toBool());
    ASSERT_TRUE(WaitUntil([&] { return program.CurrentProvider()->PendingOperations == 0; }));

    QSignalSpy captions(&program, &ProgramCore::PlayCaptionChanged);
    QSignalSpy icons(&program, &ProgramCore::PlayIconChanged);
    for (const bool on : {true, false}) {
        program.FlipCommand("PLAY");
        ASSERT_FALSE(captions.isEmpty());
        EXPECT_EQ(captions.last().at(0).toString().endsWith("(off)"), !on);
        ASSERT_FALSE(icons.isEmpty());
        EXPECT_EQ(icons.last().at(0).toInt(), on ? AutoFlip::PlayIconOn : AutoFlip::PlayIconOff);
    }
}

// Asked for, the check always answers, and a check that could not tell is
// never taken for an up-to-date program. Every 2880 minutes of the
// scheduler it runs on its own and speaks only of a newer version; switched
// off in the preferences, it never asks on its own.
TEST_F(ProgramCoreTest, TheUpdateCheckAnswersWhenAskedAndSpeaksOnlyOfANewerVersion) {
    for (const QJsonValue& value : TestData::Cases(QStringLiteral("cases/update-checks.json"))) {
        const QJsonObject c = UpdateCase(value);
        SCOPED_TRACE(c["answer"].toString().toStdString());
        const EnvironmentVariable address("VARNOCET_PRODUCTS_URL",
                                          c["address"].toString().toUtf8());
        ProgramCore& program = Start();
        QSignalSpy answered(&program, &ProgramCore::UpdateCheckAnswered);
        QSignalSpy phoneHome(&program, &ProgramCore::PhoneHomeDue);
        program.CheckForProgramUpdate();
        ASSERT_TRUE(WaitUntil([&] { return !answered.isEmpty(); }));
        EXPECT_EQ(answered.takeFirst().at(0).toString(), c["answer"].toString());
        EXPECT_FALSE(program.CheckingForProgramUpdate());
        EXPECT_TRUE(phoneHome.isEmpty());

        const int requests = server.RequestCount("/products.xml");
        UpdateTicks(RefreshScheduler::UpdateCheckMinutes - 1);
        EXPECT_FALSE(program.CheckingForProgramUpdate());
        UpdateTicks(1);
        ASSERT_TRUE(WaitUntil([&] { return !program.CheckingForProgramUpdate(); }));
        QStringList prompts;
        for (const QList<QVariant>& prompt : phoneHome)
            prompts.append(prompt.at(0).toString());
        EXPECT_EQ(prompts, c["prompts"].toVariant().toStringList());
        EXPECT_TRUE(answered.isEmpty());
        const QString products = c["products"].toString();
        const bool served = products == u"newer" || products == u"same";
        EXPECT_EQ(server.RequestCount("/products.xml") - requests,
                  served && c["checkForUpdates"].toBool() ? 1 : 0);
    }
}
