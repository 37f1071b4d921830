// A background refresh of 500 providers served from 127.0.0.1 in mode 2,
// with the poll timer's ticks run back to back: how long the machinery
// needs until every provider has completed once, and the most requests in
// flight (the limits are 30 operations and 6 text requests). At the real
// 200 ms tick a cycle takes at least 500 ticks, 100 s: one start per tick.
#include "support/FeedFarm.h"

#include <QCoreApplication>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

namespace {

constexpr int Providers = 500;

void RefreshAll(benchmark::State& state) {
    for (auto _ : state) {
        state.PauseTiming();
        FeedFarm farm(Providers);
        QTemporaryDir folder;
        const QString file = folder.filePath(QStringLiteral("qtk_providers.xml"));
        farm.LoadThroughFile(file);
        state.ResumeTiming();

        int peakOutstanding = 0;
        int peakPending = 0;
        while (farm.CompletedCount() < Providers) {
            farm.Scheduler.PollTick();
            peakOutstanding = std::max(peakOutstanding, farm.Fetcher.OutstandingRequestCount());
            peakPending = std::max(peakPending, farm.Fetcher.PendingRequestCount());
            QCoreApplication::processEvents();
        }
        state.counters["peak_outstanding"] = peakOutstanding;
        state.counters["peak_pending_text"] = peakPending;
    }
}

BENCHMARK(RefreshAll)->Unit(benchmark::kMillisecond)->Iterations(3);

} // namespace
