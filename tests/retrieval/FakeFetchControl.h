#pragma once

#include "model/Provider.h"
#include "retrieval/FetchControl.h"

#include <QStringList>

// Records the fetches started; a started fetch completes at once, so the
// provider is not due again until its refresh minutes have run down.
class FakeFetchControl : public FetchControl {
public:
    void GrabStories(Provider& provider) override {
        Grabbed.append(provider.ProviderName);
        provider.MinutesToNextRefresh = provider.RefreshMinutes;
    }
    void PollPendingRequests() override { ++Polls; }
    int PendingRequestCount() const override { return Pending; }
    int OutstandingRequestCount() const override { return Outstanding; }
    int MaxPendingRequests() const override { return 6; }
    int MaxOutstandingRequests() const override { return 30; }

    QStringList Grabbed;
    int Polls = 0;
    int Pending = 0;
    int Outstanding = 0;
};
