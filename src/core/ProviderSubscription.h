#pragma once

#include <QString>

#include <memory>

class Provider;
class ProviderCollection;

// Subscribes the user to a feed named by its address, as a link dropped on
// the tree, a web page through the local listener or the settings dialog
// does: a provider the list already has is found (and made active again),
// an unknown address becomes a new provider in the given category.
class ProviderSubscription {
public:
    enum class Outcome {
        // The list had the address already.
        Found,
        Added,
        // Unknown address and no category: ask the user, then try again.
        NeedsCategory,
        // Not an http or https address.
        Refused,
    };

    struct Result {
        Outcome outcome = Outcome::Refused;
        std::shared_ptr<Provider> provider;
    };

    explicit ProviderSubscription(ProviderCollection& providers)
        : m_providers(providers) {}

    // A new provider is named once its feed has been read: its details are
    // fetched when it is shown, so nothing here waits on the feed's server.
    Result Subscribe(const QString& url, const QString& category);

    // The address a feed is subscribed under: mailing-list archives are
    // rewritten to their feed.
    static QString FeedAddress(const QString& url);

private:
    std::shared_ptr<Provider> NewProvider(const QString& url, const QString& category);

    ProviderCollection& m_providers;
};
