#pragma once

#include "model/Provider.h"
#include "model/ProviderCollection.h"

#include <QStringList>

#include <memory>

// A list of providers in category "News", one for each name, with the
// address `base` + name (nothing listens there unless a test serves it).
inline std::unique_ptr<ProviderCollection>
NamedProviders(const QStringList& names,
               const QString& base = QStringLiteral("http://127.0.0.1:9/")) {
    auto providers = std::make_unique<ProviderCollection>();
    for (const QString& name : names) {
        auto provider = std::make_shared<Provider>();
        provider->ProviderName = name;
        provider->DataURL = base + name;
        provider->Category = QStringLiteral("News");
        providers->Add(provider);
    }
    return providers;
}

inline QStringList ProviderNames(const ProviderCollection& providers) {
    QStringList names;
    for (const auto& provider : providers)
        names.append(provider->ProviderName);
    return names;
}
