#include "ui/StatisticsPage.h"
#include "config/Settings.h"
#include "model/ProviderCollection.h"
#include "support/NamedProviders.h"
#include "support/PageScenario.h"

#include <gtest/gtest.h>

// The Statistics tab over the preferences' counters and the working list.
// data/cases/statistics-page-scenarios.json
TEST(StatisticsPageTest, Scenarios) {
    PageScenarios::Check(QStringLiteral("statistics-page"), [](const QJsonObject& scenario) {
        Settings settings;
        settings.ProviderSingleClicks = 1;
        settings.ProviderDoubleClicks = 2;
        settings.ArticleDoubleClicks = 3;
        settings.CategoryClicks = 4;
        settings.CharsRead = 5000000000;
        const auto providers = NamedProviders({"A", "B"});
        StatisticsPage page;
        PageScenario play(page, scenario["watch"].toArray());
        play.Providers = providers.get();
        play.Signals["Modified"] = std::make_unique<QSignalSpy>(&page, &StatisticsPage::Modified);
        play.Add("in", [&](auto&) { page.In(settings, *providers); });
        // Another tab adds a provider.
        play.Add("add", [&](auto& step) {
            providers->Add(NamedProviders({step[1].toString()})->Item(1));
        });
        play.Add("refill", [&](auto&) { page.Refill(); });
        play.Add("release", [&](auto&) { page.Release(); });
        return play.Play(scenario["steps"].toArray());
    });
}
