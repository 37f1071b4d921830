#pragma once

#include "core/ProviderSubscription.h"
#include "feeds/FeedLinks.h"

#include <QObject>
#include <QString>

class FeedDiscovery;
class ProgramCore;

// Subscribes the program to the feed behind an address that may be a
// site's page, as a dropped link does: the feed is looked for first (the
// first one a page names is taken), then subscribed to through
// ProgramCore::AddProviderByURL. An address the list has already, or one
// that is no web address, is not looked up. One subscription per object.
class FeedSubscriber : public QObject {
    Q_OBJECT

public:
    explicit FeedSubscriber(ProgramCore& core, QObject* parent = nullptr);

    // The outcome comes as one signal, never from inside Start.
    void Start(const QString& url, const QString& category);

Q_SIGNALS:
    // The subscription as AddProviderByURL made it, and the feed it was
    // made for; its title is empty when nothing was looked up or the feed
    // gave none.
    void Subscribed(const ProviderSubscription::Result& result, const FeedLink& feed);
    // No feed was found; the message says so.
    void Failed(const QString& message);

private:
    void Subscribe(const FeedLink& feed);

    ProgramCore& m_core;
    FeedDiscovery* m_discovery;
    QString m_category;
};
