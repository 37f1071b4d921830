#include "core/ProviderSubscription.h"

#include "feeds/RssReader.h"
#include "model/Provider.h"
#include "model/ProviderCollection.h"
#include "platform/LinkPolicy.h"

namespace {

constexpr Long DroppedOrigin = 6;

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

// A new provider is named once its feed has been read: showing it fetches
// its name, site and logo with its stories.
std::shared_ptr<Provider> ProviderSubscription::NewProvider(const QString& url,
                                                            const QString& category) {
    return m_providers.AddSubscription(url, category, DroppedOrigin);
}
