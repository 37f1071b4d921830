#include "core/ProviderStatistics.h"
#include "model/ProviderCollection.h"

#include <gtest/gtest.h>

TEST(ProviderStatisticsTest, SecondsShowThreeDecimalsRoundedHalfAway) {
    const struct {
        qint64 scaled;
        qint64 divisor;
        const char* text;
    } cases[] = {
        {0, 1, "0.000"},       {12345, 1, "1.235"},
        {12344, 1, "1.234"},   {5, 1, "0.001"},
        {4, 1, "0.000"},       {25000, 2, "1.250"},
        {100000, 3, "3.333"},  {20000, 3, "0.667"},
        {-12345, 1, "-1.235"}, {1234567890, 1, "123456.789"},
        {-4, 1, "0.000"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(ProviderStatistics::Seconds(Currency::FromScaled(c.scaled), c.divisor),
                  QString(c.text))
            << c.scaled << " / " << c.divisor;
}

TEST(ProviderStatisticsTest, RowsAverageOverSuccessfulUpdatesAndResetClearsThem) {
    ProviderCollection providers;
    for (const char* name : {"Loaded", "Never"}) {
        auto provider = std::make_shared<Provider>();
        provider->ProviderName = name;
        provider->AttemptedUpdates = 4;
        providers.Add(provider);
    }
    providers.Item(1)->SuccessfulUpdates = 3;
    providers.Item(1)->LastLoadDuration = Currency::FromScaled(4321);
    providers.Item(1)->TotalLoadDuration = Currency::FromScaled(20000);
    // Durations without a successful update (from an edited file) are not
    // shown as if one happened.
    providers.Item(2)->LastLoadDuration = Currency::FromScaled(10000);

    auto rows = ProviderStatistics::Rows(providers);
    ASSERT_EQ(rows.size(), 2u);
    EXPECT_EQ(QStringList({rows[0].name, rows[0].attempted, rows[0].successful,
                           rows[0].lastDuration, rows[0].averageDuration}),
              QStringList({"Loaded", "4", "3", "0.432", "0.667"}));
    EXPECT_EQ(QStringList({rows[1].name, rows[1].attempted, rows[1].successful,
                           rows[1].lastDuration, rows[1].averageDuration}),
              QStringList({"Never", "4", "0", "0.0", "0.0"}));

    ProviderStatistics::Reset(providers);
    rows = ProviderStatistics::Rows(providers);
    EXPECT_EQ(QStringList({rows[0].attempted, rows[0].successful, rows[0].lastDuration,
                           rows[0].averageDuration}),
              QStringList({"0", "0", "0.0", "0.0"}));
}
