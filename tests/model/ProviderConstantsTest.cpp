#include "model/ProviderConstants.h"

#include <gtest/gtest.h>

#include <array>

TEST(ProviderConstantsTest, OnlyAnExactListedSiteHasTheSixHourMinimum) {
    constexpr std::array<QLatin1String, 2> sites{QLatin1String("http://wire.example.com/"),
                                                 QLatin1String("")};
    EXPECT_EQ(
        ProviderConstants::MinimumRefreshHours(QStringLiteral("http://wire.example.com/"), sites),
        6);
    EXPECT_EQ(
        ProviderConstants::MinimumRefreshHours(QStringLiteral("http://WIRE.example.com/"), sites),
        1);
    EXPECT_EQ(
        ProviderConstants::MinimumRefreshHours(QStringLiteral("http://wire.example.com/a"), sites),
        1);
    // An empty entry is no site, not a match for providers without one.
    EXPECT_EQ(ProviderConstants::MinimumRefreshHours(QString(), sites), 1);
}

TEST(ProviderConstantsTest, EveryProviderHasTheOneHourMinimumWithTheBuiltInList) {
    EXPECT_EQ(ProviderConstants::MinimumRefreshHours(QString()), 1);
    EXPECT_EQ(ProviderConstants::MinimumRefreshHours(QStringLiteral("http://example.com/")), 1);
}

TEST(ProviderConstantsTest, AttributedSitesBeginWithTheHomePageInTheSameLetterCase) {
    const QLatin1String home("http://directory.example.com/");
    EXPECT_TRUE(ProviderConstants::IsAttributedSite(
        QStringLiteral("http://directory.example.com/feeds/1"), home));
    EXPECT_FALSE(ProviderConstants::IsAttributedSite(
        QStringLiteral("http://Directory.example.com/feeds/1"), home));
    EXPECT_FALSE(ProviderConstants::IsAttributedSite(QStringLiteral("http://directory"), home));
}

TEST(ProviderConstantsTest, AnEmptyHomePageAttributesNoSite) {
    EXPECT_FALSE(ProviderConstants::IsAttributedSite(QString(), QLatin1String("")));
    EXPECT_FALSE(ProviderConstants::IsAttributedSite(QStringLiteral("http://example.com/")));
    EXPECT_FALSE(ProviderConstants::IsAttributedSite(QString()));
}
