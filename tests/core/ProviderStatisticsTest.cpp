#include "core/ProviderStatistics.h"
#include "model/ProviderCollection.h"
#include "support/NamedProviders.h"
#include "support/TestData.h"

#include <gtest/gtest.h>

namespace {

// data/tables/statistics-seconds.tsv
TEST(ProviderStatisticsTest, SecondsShowThreeDecimalsRoundedHalfAway) {
    for (const QStringList& c : TestData::Table(QStringLiteral("tables/statistics-seconds.tsv")))
        EXPECT_EQ(
            ProviderStatistics::Seconds(Currency::FromScaled(c[0].toLongLong()), c[1].toLongLong()),
            c[2])
            << c.join(u' ').toStdString();
}

QStringList Cells(const ProviderStatistics::Row& row) {
    return {row.name, row.attempted, row.successful, row.lastDuration, row.averageDuration};
}

TEST(ProviderStatisticsTest, RowsAverageOverSuccessfulUpdatesAndResetClearsThem) {
    auto owned = NamedProviders({"Loaded", "Never"});
    ProviderCollection& providers = *owned;
    for (const auto& provider : providers)
        provider->AttemptedUpdates = 4;
    providers.Item(1)->SuccessfulUpdates = 3;
    providers.Item(1)->LastLoadDuration = Currency::FromScaled(4321);
    providers.Item(1)->TotalLoadDuration = Currency::FromScaled(20000);
    // Durations without a successful update (from an edited file) are not
    // shown as if one happened.
    providers.Item(2)->LastLoadDuration = Currency::FromScaled(10000);

    auto rows = ProviderStatistics::Rows(providers);
    ASSERT_EQ(rows.size(), 2u);
    EXPECT_EQ(Cells(rows[0]), QStringList({"Loaded", "4", "3", "0.432", "0.667"}));
    EXPECT_EQ(Cells(rows[1]), QStringList({"Never", "4", "0", "0.0", "0.0"}));

    ProviderStatistics::Reset(providers);
    rows = ProviderStatistics::Rows(providers);
    EXPECT_EQ(Cells(rows[0]), QStringList({"Loaded", "0", "0", "0.0", "0.0"}));
}

} // namespace
