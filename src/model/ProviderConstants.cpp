#include "model/ProviderConstants.h"

#include <algorithm>

namespace ProviderConstants {

namespace {

constexpr int DefaultMinimumRefreshHours = 1;
constexpr int SixHours = 6;

} // namespace

int MinimumRefreshHours(const QString& siteURL, std::span<const QLatin1String> sixHourSites) {
    // An empty entry would otherwise slow down every provider without a site.
    const bool listed =
        std::any_of(sixHourSites.begin(), sixHourSites.end(),
                    [&siteURL](QLatin1String site) { return !site.isEmpty() && siteURL == site; });
    return listed ? SixHours : DefaultMinimumRefreshHours;
}

bool IsAttributedSite(const QString& siteURL, QLatin1String homePage) {
    // Every address begins with the empty one.
    return !homePage.isEmpty() && siteURL.startsWith(homePage, Qt::CaseSensitive);
}

} // namespace ProviderConstants
