#include "SchedulerHarness.h"

#include "support/TestData.h"

#include <gtest/gtest.h>

namespace {

class RefreshSchedulerTest : public ::testing::Test, public SchedulerHarness {
protected:
    void SetUp() override { Standard(); }
};

} // namespace

TEST_F(RefreshSchedulerTest, RangeFollowsModeAndCategoryTree) {
    struct Case {
        Long mode;
        bool showCategories;
        QString category;
        qsizetype first, last;
    };
    for (const Case& c :
         {Case{0, true, "Tech", -1, -1}, Case{1, true, "Tech", 3, 4}, Case{1, false, "Tech", 1, 5},
          Case{2, true, "Tech", 1, 5}, Case{1, true, "Empty", -1, -1}}) {
        SCOPED_TRACE(c.mode);
        host.Categories = c.showCategories;
        host.Category = c.category;
        scheduler.SetBackgroundRange(c.mode, false);
        EXPECT_EQ(scheduler.BackgroundFirst(), c.first);
        EXPECT_EQ(scheduler.BackgroundLast(), c.last);
        if (c.first != -1) {
            EXPECT_TRUE(scheduler.BackgroundCursor() >= c.first &&
                        scheduler.BackgroundCursor() <= c.last);
        }
    }
}

// One fetch per tick, walking the range cyclically past inactive and hidden
// providers; a provider fetched once is not due again in the same round.
TEST_F(RefreshSchedulerTest, BackgroundCycleStartsOneDueProviderPerTick) {
    struct Case {
        Long mode;
        bool showCategories;
        QStringList grabbed;
    };
    for (const Case& c :
         {Case{0, true, {}}, Case{1, true, {"c", "d"}},
          // With the tree hidden there is no category to keep to.
          Case{1, false, {"a", "b", "c", "d"}}, Case{2, true, {"a", "b", "c", "d"}}}) {
        SchedulerHarness h;
        h.Standard();
        h.Add("f", "Tech").Active = false;
        h.providers.MoveProvidersUp(6, 1); // after d, before e
        h.preferences.backgroundUpdateMode = c.mode;
        h.host.Categories = c.showCategories;
        h.host.Category = "Tech";
        for (qsizetype tick = 1; tick <= c.grabbed.size(); ++tick) {
            h.scheduler.PollTick();
            EXPECT_EQ(h.fetch.Grabbed, c.grabbed.first(tick)) << c.mode;
        }
        h.PollTicks(6);
        EXPECT_EQ(h.fetch.Grabbed, c.grabbed) << c.mode;
        EXPECT_EQ(h.fetch.Polls, c.grabbed.size() + 6);
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

TEST_F(RefreshSchedulerTest, LimitsHoldTheCursor) {
    struct Case {
        int pending, outstanding;
        bool starts;
    };
    for (const Case& c : {Case{5, 29, true}, Case{6, 0, false}, Case{0, 30, false}}) {
        SchedulerHarness h;
        h.Standard();
        h.preferences.backgroundUpdateMode = 2;
        h.fetch.Pending = c.pending;
        h.fetch.Outstanding = c.outstanding;
        h.PollTicks(2);
        EXPECT_EQ(h.fetch.Grabbed.size(), c.starts ? 2 : 0) << c.pending;
        EXPECT_EQ(h.scheduler.BackgroundCursor(), c.starts ? 3 : 1) << c.pending;
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
// minutes have run down; only a stories fetch in flight holds the count.
TEST(RefreshSchedulerCountdownTest, EveryIdleProviderCountsDown) {
    struct Case {
        Long loadState;
        Integer pendingOperations;
        Integer minutesLeft;
    };
    for (const Case& c :
         {Case{0, 0, 0}, Case{1, 0, 0}, Case{3, 0, 0}, Case{1, 2, 0}, Case{2, 1, 60}}) {
        SchedulerHarness h;
        Provider& provider = h.Add("a", "");
        h.preferences.backgroundUpdateMode = 2;
        provider.LoadState = c.loadState;
        provider.PendingOperations = c.pendingOperations;
        provider.MinutesToNextRefresh = 60;
        h.UpdateTicks(59);
        h.scheduler.PollTick();
        EXPECT_TRUE(h.fetch.Grabbed.isEmpty());
        h.UpdateTicks(1);
        EXPECT_EQ(provider.MinutesToNextRefresh, c.minutesLeft) << c.loadState;
        provider.PendingOperations = 0;
        h.scheduler.PollTick();
        EXPECT_EQ(h.fetch.Grabbed.size(), c.minutesLeft == 0 ? 1 : 0) << c.loadState;
    }
}

TEST_F(RefreshSchedulerTest, FlagsHoldTimedWorkBack) {
    struct Case {
        bool suspended, userBusy;
        bool counts, polls;
    };
    for (const Case& c : {Case{true, false, false, false}, Case{false, true, false, true}}) {
        SchedulerHarness h;
        h.Standard();
        h.preferences.backgroundUpdateMode = 2;
        h.Named("c").MinutesToNextRefresh = 5;
        h.flags = {c.suspended, c.userBusy};
        h.UpdateTicks(1);
        h.PollTicks(1);
        EXPECT_EQ(h.Named("c").MinutesToNextRefresh, c.counts ? 4 : 5);
        EXPECT_EQ(h.scheduler.UpdateCheckCountdown(), c.counts ? 2879 : 2880);
        EXPECT_EQ(h.fetch.Polls, c.polls ? 1 : 0);
        EXPECT_EQ(h.fetch.Grabbed.size(), c.polls ? 1 : 0);
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
