#include "ui/ProviderSubscription.h"

#include "feeds/RssReader.h"
#include "model/Provider.h"
#include "model/ProviderCollection.h"
#include "ui/MainForm.h"
#include "ui/SelectCategory.h"

namespace {

constexpr Long DroppedOrigin = 6;
constexpr Long White = 0xFFFFFF;

QString FeedAddress(const QString& strURL) {
    const QString url = strURL.trimmed();
    return RssReader::IsGroupArchiveURL(url) ? RssReader::GroupArchiveFeedURL(url) : url;
}

} // namespace

ProviderSubscription::Result ProviderSubscription::AddProviderByURL(const QString& strURL,
                                                                    const QString& strCategory) {
    const QString url = FeedAddress(strURL);
    ProviderCollection& providers = m_form.Providers();
    const qsizetype found = providers.LocateProviderByURL(url);
    if (found > 0) {
        const std::shared_ptr<Provider> provider = providers.Item(found);
        if (!provider->Active) {
            provider->Active = true;
            m_form.FillFeedTree();
        }
        m_form.ShowProvider(found);
        return {false, provider};
    }
    QString category = strCategory;
    if (category.isEmpty()) {
        SelectCategory chooser(providers.Categories(), &m_form);
        if (chooser.exec() != QDialog::Accepted)
            return {};
        category = chooser.getSelected();
    }
    std::shared_ptr<Provider> provider = NewProvider(url, category);
    m_form.FillFeedTree();
    m_form.ShowProvider(providers.LocateProviderByUniqueID(provider->UniqueID));
    return {true, provider};
}

std::shared_ptr<Provider> ProviderSubscription::NewProvider(const QString& strURL,
                                                            const QString& strCategory) {
    auto provider = std::make_shared<Provider>();
    provider->DataURL = strURL;
    provider->Category = strCategory;
    provider->BackColor = White;
    provider->Origin = DroppedOrigin;
    provider->LastUsed = Date::FromParts(2001, 1, 1);
    provider->UniqueID = Provider::NewUniqueProviderID();
    // Showing the provider fetches its name, site and logo with its stories.
    provider->NeedsDetails = true;
    m_form.Providers().Add(provider);
    provider->BrandNew = true;
    return provider;
}
