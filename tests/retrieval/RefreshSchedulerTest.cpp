#include "SchedulerHarness.h"

#include "support/TestData.h"

#include <gtest/gtest.h>

namespace {

class RefreshSchedulerTest : public ::testing::Test, public SchedulerHarness {
protected:
    void SetUp() override { Standard(); }
};

} // namespace

// data/tables/scheduler-ranges.tsv
TEST_F(RefreshSchedulerTest, RangeFollowsModeAndCategoryTree) {
    for (const QStringList& c : TestData::Table(QStringLiteral("tables/scheduler-ranges.tsv"))) {
        SCOPED_TRACE(c.join(u' ').toStdString());
        host.Categories = c[1] == "yes";
        host.Category = c[2];
        scheduler.SetBackgroundRange(c[0].toLongLong(), false);
        const qsizetype first = c[3].toLongLong();
        const qsizetype last = c[4].toLongLong();
        EXPECT_EQ(scheduler.BackgroundFirst(), first);
        EXPECT_EQ(scheduler.BackgroundLast(), last);
        if (first != -1) {
            EXPECT_TRUE(scheduler.BackgroundCursor() >= first &&
                        scheduler.BackgroundCursor() <= last);
        }
    }
}

// One fetch per tick, walking the range cyclically past inactive and hidden
// providers; a provider fetched once is not due again in the same round
// (data/tables/scheduler-cycles.tsv).
TEST_F(RefreshSchedulerTest, BackgroundCycleStartsOneDueProviderPerTick) {
    for (const QStringList& c : TestData::Table(QStringLiteral("tables/scheduler-cycles.tsv"))) {
        SCOPED_TRACE(c.join(u' ').toStdString());
        const QStringList grabbed = c.value(2).split(u' ', Qt::SkipEmptyParts);
        SchedulerHarness h;
        h.Standard();
        h.Add("f", "Tech").Active = false;
        h.providers.MoveProvidersUp(6, 1); // after d, before e
        h.preferences.backgroundUpdateMode = c[0].toLongLong();
        h.host.Categories = c[1] == "yes";
        h.host.Category = "Tech";
        for (qsizetype tick = 1; tick <= grabbed.size(); ++tick) {
            h.scheduler.PollTick();
            EXPECT_EQ(h.fetch.Grabbed, grabbed.first(tick));
        }
        h.PollTicks(6);
        EXPECT_EQ(h.fetch.Grabbed, grabbed);
        EXPECT_EQ(h.fetch.Polls, grabbed.size() + 6);
    }
}

// The program as it starts the first time: the bundled providers, sorted by
// category, the default mode, the first category current and the tree
// hidden. One round of the cycle refreshes every active provider once.
TEST(RefreshSchedulerStartTest, DefaultsRefreshEveryBundledProviderInTheBackground) {
    SchedulerHarness h;
    ASSERT_TRUE(h.providers.ReadFile(TestData::Bundled(QStringLiteral("Standard/bps_1.xml")),
                                     nullptr, false));
    CategoryCollection& categories = h.providers.Categories();
    categories.SortByName(1, categories.Count());
    categories.ComputeVisibility();
    h.providers.SortByCategory();
    h.host.Categories = false;
    h.host.Category = categories.Item(1)->CategoryName;
    ASSERT_EQ(h.preferences.backgroundUpdateMode, SchedulingPreferences{}.backgroundUpdateMode);
    QStringList active;
    for (const auto& provider : h.providers) {
        if (provider->Active)
            active.append(provider->ProviderName);
    }
    // Otherwise the first category alone would pass.
    ASSERT_LT(h.providers.LocateLastProviderInCategory(h.host.Category), active.size());

    h.PollTicks(static_cast<int>(h.providers.Count()) * 2);
    QStringList grabbed = h.fetch.Grabbed;
    grabbed.sort();
    active.sort();
    EXPECT_EQ(grabbed, active) << "fetched: " << grabbed.join(u'|').toStdString();
}

TEST_F(RefreshSchedulerTest, RangeWithoutActiveProviderFetchesNothing) {
    Named("c").Active = false;
    Named("d").Active = false;
    host.Category = "Tech";
    PollTicks(5);
    EXPECT_TRUE(fetch.Grabbed.isEmpty());
    EXPECT_EQ(scheduler.BackgroundCursor(), 3);
    EXPECT_EQ(scheduler.NextBackgroundIndex(3, true), 3);
    EXPECT_EQ(scheduler.PreviousBackgroundIndex(3, true), 3);
}

// data/tables/scheduler-holds.tsv
TEST(RefreshSchedulerHoldTest, LimitsAndFlagsHoldTimedWorkBack) {
    for (const QStringList& c : TestData::Table(QStringLiteral("tables/scheduler-holds.tsv"))) {
        SCOPED_TRACE(c.join(u' ').toStdString());
        SchedulerHarness h;
        h.Standard();
        h.preferences.backgroundUpdateMode = 2;
        h.Named("c").MinutesToNextRefresh = 5;
        h.fetch.Pending = c[0].toInt();
        h.fetch.Outstanding = c[1].toInt();
        h.flags = {c[2] == "yes", c[3] == "yes"};
        h.UpdateTicks(1);
        h.PollTicks(2);
        EXPECT_EQ(h.fetch.Grabbed.size(), c[4].toLongLong());
        EXPECT_EQ(h.scheduler.BackgroundCursor(), c[5].toLongLong());
        EXPECT_EQ(h.fetch.Polls, c[6].toInt());
        EXPECT_EQ(h.Named("c").MinutesToNextRefresh, c[7].toInt());
        EXPECT_EQ(h.scheduler.UpdateCheckCountdown(), c[8].toInt());
    }
}

TEST_F(RefreshSchedulerTest, TreeSelectionRepositionsWithinOnePollTick) {
    preferences.backgroundUpdateMode = 2;
    scheduler.PollTick();
    host.TreeValue = 7;
    host.SelectedID = Named("d").UniqueID;
    scheduler.PollTick();
    EXPECT_EQ(fetch.Grabbed, QStringList({"a", "d"}));
    // The same selection seen again leaves the cursor to the cycle.
    PollTicks(2);
    EXPECT_EQ(fetch.Grabbed, QStringList({"a", "d", "b"}));
}

TEST_F(RefreshSchedulerTest, CurrentProviderReloadsWhenDueEvenWithoutBackgroundRefresh) {
    preferences.backgroundUpdateMode = 0;
    host.Current = 3;
    Provider& current = Named("c");
    current.MinutesToNextRefresh = 1;
    current.RefreshMinutes = 45;
    current.PendingOperations = 2;
    scheduler.UpdateTick();
    EXPECT_EQ(fetch.Grabbed, QStringList({"c"}));
    EXPECT_EQ(current.MinutesToNextRefresh, 45);
    EXPECT_EQ(current.PendingOperations, 0);
    EXPECT_EQ(host.Changed, QStringList({"c"}));
    EXPECT_EQ(host.Busy, QList<bool>({true, false}));
    PollTicks(10);
    EXPECT_EQ(fetch.Grabbed.size(), 1);
}

// Whatever the last fetch found, a provider comes round again once its
// minutes have run down; only a stories fetch in flight holds the count
// (data/tables/scheduler-countdowns.tsv).
TEST(RefreshSchedulerCountdownTest, EveryIdleProviderCountsDown) {
    for (const QStringList& c :
         TestData::Table(QStringLiteral("tables/scheduler-countdowns.tsv"))) {
        SCOPED_TRACE(c.join(u' ').toStdString());
        const Integer minutesLeft = c[2].toInt();
        SchedulerHarness h;
        Provider& provider = h.Add("a", "");
        h.preferences.backgroundUpdateMode = 2;
        provider.LoadState = c[0].toLongLong();
        provider.PendingOperations = c[1].toInt();
        provider.MinutesToNextRefresh = 60;
        h.UpdateTicks(59);
        h.scheduler.PollTick();
        EXPECT_TRUE(h.fetch.Grabbed.isEmpty());
        h.UpdateTicks(1);
        EXPECT_EQ(provider.MinutesToNextRefresh, minutesLeft);
        provider.PendingOperations = 0;
        h.scheduler.PollTick();
        EXPECT_EQ(h.fetch.Grabbed.size(), minutesLeft == 0 ? 1 : 0);
    }
}

// The countdown restarts whether or not the preferences ask for the check.
TEST_F(RefreshSchedulerTest, UpdateCheckIsDueEvery2880MinutesWhenThePreferencesAskForIt) {
    UpdateTicks(2879);
    EXPECT_EQ(host.UpdateChecks, 0);
    UpdateTicks(1);
    EXPECT_EQ(host.UpdateChecks, 1);
    EXPECT_EQ(scheduler.UpdateCheckCountdown(), 2880);
    UpdateTicks(2880);
    EXPECT_EQ(host.UpdateChecks, 2);

    preferences.CheckForUpdates = false;
    UpdateTicks(2880);
    EXPECT_EQ(host.UpdateChecks, 2);
    EXPECT_EQ(scheduler.UpdateCheckCountdown(), 2880);
}
