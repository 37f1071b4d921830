// Start-up of the main window with the bundled provider list (46 providers)
// and with a heavy user's (10 000 providers in 500 categories), stage by
// stage: loading the providers file, sorting it, filling the provider tree
// with every category open, and showing the first provider (its node
// selected, its articles in the grid, the window painted). Startup runs the
// four in a row, as the window does; its two sizes should differ little.
#include "StartupStages.h"
#include "StartupWindow.h"
#include "model/Provider.h"
#include "model/StoryCollection.h"
#include "ui/FeedTree.h"

#include <benchmark/benchmark.h>

#include <memory>

namespace {

using StartupStages::Bundled;
using StartupStages::Heavy;
using StartupStages::Load;
using StartupStages::ProvidersFile;
using StartupStages::Sort;

constexpr int ShownStories = 50;

// The first provider's latest load, as the grid shows it.
void GiveStories(Provider& provider) {
    for (int n = 1; n <= ShownStories; ++n)
        provider.Stories->Add(QStringLiteral("Headline %1 & more").arg(n),
                              QStringLiteral("What happened, told at length %1").arg(n),
                              QStringLiteral("https://example.org/story/%1").arg(n),
                              Date::FromParts(2026, 12, 7, 12, n % 60, 0), 0, n % 3 == 0);
}

std::unique_ptr<ProviderCollection> Sorted(int providers) {
    auto collection = Load(providers);
    Sort(*collection);
    GiveStories(*collection->Item(1));
    return collection;
}

// Start-up builds everything once: tearing down what an iteration built is
// left out of the times.
template <typename Built>
void TearDown(benchmark::State& state, Built& built) {
    state.PauseTiming();
    built.reset();
    state.ResumeTiming();
}

void LoadStage(benchmark::State& state) {
    const int providers = static_cast<int>(state.range(0));
    ProvidersFile(providers);
    for (auto _ : state) {
        auto collection = Load(providers);
        TearDown(state, collection);
    }
}

void SortStage(benchmark::State& state) {
    for (auto _ : state) {
        state.PauseTiming();
        auto providers = Load(static_cast<int>(state.range(0)));
        state.ResumeTiming();
        Sort(*providers);
        TearDown(state, providers);
    }
}

void TreeFillStage(benchmark::State& state) {
    const auto providers = Sorted(static_cast<int>(state.range(0)));
    for (auto _ : state) {
        state.PauseTiming();
        auto tree = std::make_unique<FeedTree>();
        state.ResumeTiming();
        tree->Fill(*providers);
        tree->expandAll();
        TearDown(state, tree);
    }
}

void FirstShowStage(benchmark::State& state) {
    const auto providers = Sorted(static_cast<int>(state.range(0)));
    for (auto _ : state) {
        state.PauseTiming();
        auto window = std::make_unique<StartupWindow>();
        window->Fill(*providers);
        state.ResumeTiming();
        window->ShowFirst(*providers);
        TearDown(state, window);
    }
}

void Startup(benchmark::State& state) {
    const int providers = static_cast<int>(state.range(0));
    ProvidersFile(providers);
    for (auto _ : state) {
        auto window = std::make_unique<StartupWindow>();
        auto collection = Load(providers);
        Sort(*collection);
        GiveStories(*collection->Item(1));
        window->Fill(*collection);
        window->ShowFirst(*collection);
        TearDown(state, window);
        TearDown(state, collection);
    }
}

BENCHMARK(LoadStage)->Arg(Bundled)->Arg(Heavy)->Unit(benchmark::kMillisecond);
BENCHMARK(SortStage)->Arg(Bundled)->Arg(Heavy)->Unit(benchmark::kMillisecond);
BENCHMARK(TreeFillStage)->Arg(Bundled)->Arg(Heavy)->Unit(benchmark::kMillisecond);
BENCHMARK(FirstShowStage)->Arg(Bundled)->Arg(Heavy)->Unit(benchmark::kMillisecond);
BENCHMARK(Startup)->Arg(Bundled)->Arg(Heavy)->Unit(benchmark::kMillisecond);

} // namespace
