#pragma once

#include <QLatin1String>
#include <QString>

#include <array>
#include <span>

// Addresses and names the program carries itself rather than reading them
// from any file. An empty address stands for "none": it never matches a site.
namespace ProviderConstants {

// Home pages of an outside news-wire publisher that asks to be polled at
// most every six hours. No such publisher is carried today.
inline constexpr std::array<QLatin1String, 0> SixHourRefreshSites{};

// The directory service whose providers open with an attribution headline,
// and that headline. None is carried today, so no provider gets one.
inline constexpr QLatin1String AttributionHomePage{""};
inline constexpr QLatin1String AttributionTitle{""};

// Hosts of the directories providers were imported from, named in the
// origin texts.
inline constexpr QLatin1String UserLandHost{"www.userland.com"};
inline constexpr QLatin1String Syndic8Host{"www.syndic8.com"};
inline constexpr QLatin1String XmlTreeHost{"www.xmltree.com"};
inline constexpr QLatin1String MoreoverHost{"www.moreover.com"};
inline constexpr QLatin1String GrokSoupHost{"www.groksoup.com"};
inline constexpr QLatin1String MeerkatHost{"meerkat.oreillynet.com"};
inline constexpr QLatin1String NewsIsFreeHost{"www.newsisfree.com"};

// The shortest refresh interval, in hours, for a provider whose home page is
// siteURL: 6 when it is exactly one of sixHourSites, otherwise 1.
int MinimumRefreshHours(const QString& siteURL,
                        std::span<const QLatin1String> sixHourSites = SixHourRefreshSites);

// Whether siteURL belongs to the attribution service at homePage: it begins
// with that address, letter case counting.
bool IsAttributedSite(const QString& siteURL, QLatin1String homePage = AttributionHomePage);

} // namespace ProviderConstants
