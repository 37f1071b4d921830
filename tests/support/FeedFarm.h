#pragma once

#include "TestHttpServer.h"

#include "feeds/QuietIntakeEnvironment.h"
#include "model/ProviderCollection.h"
#include "retrieval/FeedFetcher.h"
#include "retrieval/ProgramFlags.h"
#include "retrieval/RefreshScheduler.h"
#include "retrieval/SchedulerHost.h"
#include "retrieval/SchedulingPreferences.h"

// The whole refresh path without the rest of the program: a local server with many
// feeds (every fifth one a text feed), a providers file naming them, and
// the fetcher and scheduler working on the list loaded from that file.
// The farm itself stands in for the program, showing no provider.
class FeedFarm : public SchedulerHost, public QuietIntakeEnvironment {
public:
    explicit FeedFarm(int feeds, Long backgroundUpdateMode = 2);

    // Writes the providers file for the server's feeds to `file` and loads
    // it into Providers, sorted as at start-up, the background range set;
    // false when it could not be read back.
    bool LoadThroughFile(const QString& file);

    qsizetype CurrentProviderIndex() const override { return 0; }
    QString CurrentCategory() const override { return {}; }
    bool ShowCategories() const override { return false; }
    int TreeSelectionValue() const override { return 1; }
    Long SelectedTreeProviderID() const override { return 0; }

    // Providers whose first load has completed (any outcome but loading).
    int CompletedCount() const;

    TestHttpServer Server;
    ProviderCollection Providers;
    SchedulingPreferences Preferences;
    ProgramFlags Flags;
    FeedFetcher Fetcher{*this};
    RefreshScheduler Scheduler{Providers, Fetcher, *this, Preferences, Flags};

private:
    int m_feeds;
};
