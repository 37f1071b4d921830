#include "LargeProviderList.h"

namespace {

QString CategoryPath(int n) {
    const int top = n % 20;
    const int child = (n / 20) % 5;
    const int grandchild = n / 100;
    QString path = QStringLiteral("Top %1").arg(top);
    if (n >= 20)
        path += QStringLiteral("/Sub %1").arg(child);
    if (n >= 100)
        path += QStringLiteral("/Leaf %1").arg(grandchild);
    return path;
}

} // namespace

std::unique_ptr<ProviderCollection> LargeProviderList::Generate(int providers, int categories) {
    auto collection = std::make_unique<ProviderCollection>();
    for (int i = 0; i < providers; ++i) {
        auto provider = std::make_shared<Provider>();
        provider->ProviderName = QStringLiteral("Provider %1 – Nachrichten").arg(i);
        provider->UniqueID = 100000 + i;
        provider->Description = QStringLiteral("Headlines <&> commentary from source %1").arg(i);
        provider->DataURL =
            QStringLiteral("https://feeds%1.example.org/rss?format=xml&id=%2").arg(i % 97).arg(i);
        provider->SiteURL = QStringLiteral("https://www%1.example.org/").arg(i % 97);
        provider->Category = CategoryPath(i % categories);
        provider->Active = i % 7 != 0;
        provider->Protected = i % 10 == 0;
        provider->AttemptedUpdates = i;
        provider->SuccessfulUpdates = i - i / 10;
        provider->LastUsed = Date::FromParts(2026, 1 + i % 12, 1 + i % 28, i % 24, i % 60, 0);
        provider->TotalLoadDuration = Currency::FromScaled(i * 1234);
        collection->Add(provider);
    }
    for (int i = 0; i < 50; ++i)
        collection->AddObsolete(i);
    return collection;
}
