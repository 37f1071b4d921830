#include "core/FeedSubscriber.h"

#include "core/ProgramCore.h"
#include "model/ProviderCollection.h"
#include "platform/LinkPolicy.h"
#include "retrieval/FeedDiscovery.h"

FeedSubscriber::FeedSubscriber(ProgramCore& core, QObject* parent)
    : QObject(parent)
    , m_core(core)
    , m_discovery(new FeedDiscovery(this)) {
    connect(m_discovery, &FeedDiscovery::Found, this,
            [this](const QList<FeedLink>& feeds) { Subscribe(feeds.constFirst()); });
    connect(m_discovery, &FeedDiscovery::Failed, this, &FeedSubscriber::Failed);
}

void FeedSubscriber::Start(const QString& url, const QString& category) {
    m_category = category;
    const QString address = ProviderSubscription::FeedAddress(url);
    const bool lookUp = LinkPolicy::WebAddress(address, QUrl::StrictMode) &&
                        m_core.Providers().LocateProviderByURL(address) < 1;
    if (lookUp)
        m_discovery->Start(address);
    else
        QMetaObject::invokeMethod(
            this,
            [this, address] {
                Subscribe({QString(), address});
            },
            Qt::QueuedConnection);
}

void FeedSubscriber::Subscribe(const FeedLink& feed) {
    emit Subscribed(m_core.AddProviderByURL(feed.Address, m_category), feed);
}
