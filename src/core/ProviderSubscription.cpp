#include "core/ProviderSubscription.h"

#include "feeds/RssReader.h"
#include "model/Provider.h"
#include "model/ProviderCollection.h"
#include "platform/LinkPolicy.h"

namespace {

constexpr Long DroppedOrigin = 6;
constexpr Long White = 0xFFFFFF;

} // namespace

QString ProviderSubscription::FeedAddress(const QString& url) {
    const QString trimmed = url.trimmed();
    return RssReader::IsGroupArchiveURL(trimmed) ? RssReader::GroupArchiveFeedURL(trimmed)
                                                 : trimmed;
}

ProviderSubscription::Result ProviderSubscription::Subscribe(const QString& url,
                                                             const QString& category) {
    const QString address = FeedAddress(url);
    if (!LinkPolicy::WebAddress(address, QUrl::StrictMode))
        return {Outcome::Refused, nullptr};
    const qsizetype found = m_providers.LocateProviderByURL(address);
    if (found > 0) {
        const std::shared_ptr<Provider> provider = m_providers.Item(found);
        provider->Active = true;
        return {Outcome::Found, provider};
    }
    if (category.isEmpty())
        return {Outcome::NeedsCategory, nullptr};
    return {Outcome::Added, NewProvider(address, category)};
}

std::shared_ptr<Provider> ProviderSubscription::NewProvider(const QString& url,
                                                            const QString& category) {
    auto provider = std::make_shared<Provider>();
    provider->DataURL = url;
    provider->Category = category;
    provider->BackColor = White;
    provider->Origin = DroppedOrigin;
    provider->LastUsed = Date::FromParts(2001, 1, 1);
    provider->UniqueID = Provider::NewUniqueProviderID();
    // Showing the provider fetches its name, site and logo with its stories.
    provider->NeedsDetails = true;
    m_providers.Add(provider);
    provider->BrandNew = true;
    return provider;
}
