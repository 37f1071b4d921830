#include "feeds/FeedFormat.h"
#include "support/EventWait.h"
#include "support/FeedFarm.h"

#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

// From a providers file to refreshed story collections: the scheduler's
// ticks (called directly, as fast as the network allows) start every
// provider once within the limits, and every feed arrives.
TEST(RefreshOverHttpTest, EveryProviderOfTheFileIsRefreshedWithinTheLimits) {
    FeedFarm farm(40);
    QTemporaryDir folder;
    const QString file = folder.filePath(QStringLiteral("qtk_providers.xml"));
    ASSERT_TRUE(farm.LoadThroughFile(file));

    int peakOutstanding = 0;
    int peakPending = 0;
    ASSERT_TRUE(WaitUntil([&] {
        farm.Scheduler.PollTick();
        peakOutstanding = std::max(peakOutstanding, farm.Fetcher.OutstandingRequestCount());
        peakPending = std::max(peakPending, farm.Fetcher.PendingRequestCount());
        return farm.CompletedCount() == farm.Providers.Count();
    }));
    EXPECT_LE(peakOutstanding, farm.Fetcher.MaxOutstandingRequests());
    EXPECT_LE(peakPending, farm.Fetcher.MaxPendingRequests());
    for (const auto& provider : farm.Providers) {
        EXPECT_EQ(provider->LoadState, LoadState::LoadedWithNewStories)
            << provider->DataURL.toStdString();
        EXPECT_EQ(provider->AttemptedUpdates, 1);
        EXPECT_GT(provider->Stories->Count(), 0);
    }
}

} // namespace
