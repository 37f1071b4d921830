#include "ui/CategoriesPage.h"
#include "model/ProviderCollection.h"
#include "support/FiledProviders.h"
#include "support/PageScenario.h"

#include <gtest/gtest.h>

// The Categories tab over a working list, step by step: which names and
// deletions are refused and where the providers go is the category
// editor's; the page carries the edits and shows its word.
// data/cases/categories-page-scenarios.json
TEST(CategoriesPageTest, Scenarios) {
    PageScenarios::Check(QStringLiteral("categories-page"), [](const QJsonObject& scenario) {
        ProviderCollection providers =
            FiledProviders({{"n", "News"}, {"t", "News/Tech"}, {"s", "Sports"}, {"u", "Sports"}});
        CategoriesPage page;
        page.In(providers);
        PageScenario play(page, scenario["watch"].toArray());
        play.Signals["Modified"] = std::make_unique<QSignalSpy>(&page, &CategoriesPage::Modified);
        play.Providers = &providers;
        play.Add("refill", [&](auto&) { page.Refill(); });
        play.Add("release", [&](auto&) { page.Release(); });
        return play.Play(scenario["steps"].toArray());
    });
}
