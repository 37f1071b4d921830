#pragma once

#include <QString>

#include <memory>

class MainForm;
class Provider;

// Subscribes the window to a feed named by its address, as a link dropped
// on the tree does: a provider the list already has is made current (and
// active again), an unknown address becomes a new provider.
class ProviderSubscription {
public:
    struct Result {
        bool added = false;
        // Null when the user declined to choose a category.
        std::shared_ptr<Provider> provider;
    };

    explicit ProviderSubscription(MainForm& form)
        : m_form(form) {}

    // `strURL` must be an http or https address. With an empty `strCategory`
    // the user is asked for one. A new provider is named once its feed has
    // been read: its details are fetched in the background, so the window
    // stays responsive however slow the feed's server is.
    Result AddProviderByURL(const QString& strURL, const QString& strCategory);

private:
    std::shared_ptr<Provider> NewProvider(const QString& strURL, const QString& strCategory);

    MainForm& m_form;
};
