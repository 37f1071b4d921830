#pragma once

#include "model/ProviderCollection.h"

#include <QList>
#include <QString>
#include <QStringList>

#include <memory>
#include <utility>

// A provider list for the category commands: providers named and filed as
// given (their categories made as a loaded list has them), then the extra
// empty categories, sorted parents first with visibility computed.
inline ProviderCollection
FiledProviders(const QList<std::pair<QString, QString>>& namesAndCategories,
               const QStringList& emptyCategories = {}) {
    ProviderCollection providers;
    for (const auto& [name, category] : namesAndCategories) {
        auto provider = std::make_shared<Provider>();
        provider->ProviderName = name;
        provider->DataURL = QStringLiteral("http://feeds.example/") + name;
        provider->Category = category;
        providers.Add(provider);
    }
    CategoryCollection& categories = providers.Categories();
    for (const QString& path : emptyCategories)
        categories.EnsureCategory(path, true, true);
    categories.SortByName(1, categories.Count());
    categories.ComputeVisibility();
    return providers;
}

// Each category in list order, marked "(inactive)" or "(hidden)" when it is
// not visible.
inline QStringList CategoryLines(const ProviderCollection& providers) {
    QStringList lines;
    for (const auto& category : providers.Categories()) {
        QString line = category->CategoryName;
        if (!category->Active)
            line += QStringLiteral(" (inactive)");
        else if (!category->Visible)
            line += QStringLiteral(" (hidden)");
        lines.append(line);
    }
    return lines;
}

// "name: category" for each provider in list order.
inline QStringList ProviderLines(const ProviderCollection& providers) {
    QStringList lines;
    for (const auto& provider : providers)
        lines.append(provider->ProviderName + QStringLiteral(": ") + provider->Category);
    return lines;
}
