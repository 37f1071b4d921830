#pragma once

#include "FakeFetchControl.h"
#include "FakeFlipHost.h"

#include "model/ProviderCollection.h"
#include "retrieval/ProgramFlags.h"
#include "retrieval/RefreshScheduler.h"
#include "retrieval/SchedulingPreferences.h"

// A scheduler over fake fetching and a fake program, which records what the
// scheduler reports. Standard() files five providers: a and b under News,
// c and d under Tech, e under Hidden/Deep, which is active but hidden by its
// inactive parent. UniqueIDs are 1000 + position.
struct SchedulerHarness {
    ProviderCollection providers;
    FakeFetchControl fetch;
    FakeFlipHost host;
    SchedulingPreferences preferences;
    ProgramFlags flags;
    RefreshScheduler scheduler{providers, fetch, host, preferences, flags};

    SchedulerHarness() { host.Follow(scheduler); }

    Provider& Add(const QString& name, const QString& category) {
        auto provider = std::make_shared<Provider>();
        provider->ProviderName = name;
        provider->Category = category;
        provider->UniqueID = 1001 + providers.Count();
        providers.Add(provider);
        return *provider;
    }

    void Standard() {
        for (const char* name : {"a", "b"})
            Add(name, "News");
        for (const char* name : {"c", "d"})
            Add(name, "Tech");
        Add("e", "Hidden/Deep");
        CategoryCollection& categories = providers.Categories();
        categories.Item(categories.LocateCategory("Hidden"))->Active = false;
        categories.SortByName(1, categories.Count());
        categories.ComputeVisibility();
    }

    Provider& Named(const QString& name) { return *providers.Item(providers.LocateProvider(name)); }

    void PollTicks(int count) {
        for (int i = 0; i < count; ++i)
            scheduler.PollTick();
    }
    void UpdateTicks(int count) {
        for (int i = 0; i < count; ++i)
            scheduler.UpdateTick();
    }
};
