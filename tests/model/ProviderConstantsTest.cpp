#include "model/ProviderConstants.h"

#include <gtest/gtest.h>

#include <array>

TEST(ProviderConstantsTest, OnlyAnExactListedSiteHasTheSixHourMinimum) {
    constexpr std::array<QLatin1String, 2> sites{QLatin1String("http://wire.example.com/"),
                                                 QLatin1String("")};
    EXPECT_EQ(ProviderConstants::MinimumRefreshHours("http://wire.example.com/", sites), 6);
    // An empty entry is no site, not a match for providers without one.
    for (const QString site : {"http://WIRE.example.com/", "http://wire.example.com/a", ""})
        EXPECT_EQ(ProviderConstants::MinimumRefreshHours(site, sites), 1) << site.toStdString();
    // With the built-in list every provider has the one-hour minimum.
    EXPECT_EQ(ProviderConstants::MinimumRefreshHours(QString()), 1);
    EXPECT_EQ(ProviderConstants::MinimumRefreshHours("http://example.com/"), 1);

    // Attributed sites begin with the home page in the same letter case.
    const QLatin1String home("http://directory.example.com/");
    EXPECT_TRUE(ProviderConstants::IsAttributedSite("http://directory.example.com/feeds/1", home));
    EXPECT_FALSE(ProviderConstants::IsAttributedSite("http://Directory.example.com/feeds/1", home));
    EXPECT_FALSE(ProviderConstants::IsAttributedSite("http://directory", home));
    // An empty home page attributes no site.
    EXPECT_FALSE(ProviderConstants::IsAttributedSite(QString(), QLatin1String("")));
    EXPECT_FALSE(ProviderConstants::IsAttributedSite("http://example.com/"));
    EXPECT_FALSE(ProviderConstants::IsAttributedSite(QString()));
}
