// The providers file at a size a heavy user reaches: 10 000 providers in 500
// categories up to three levels deep. Loading and saving are measured beside
// libxml2 alone parsing and serialising the same document, in one run.
#include "model/ProviderCollection.h"

#include <QDir>
#include <QTemporaryDir>

#include <libxml/parser.h>
#include <libxml/tree.h>

#include <benchmark/benchmark.h>

#include <memory>

namespace {

constexpr int Providers = 10000;
constexpr int Categories = 500;

QString CategoryPath(int n) {
    // 20 top-level categories, 5 children each, 4 grandchildren each.
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

std::unique_ptr<ProviderCollection> Generate() {
    auto providers = std::make_unique<ProviderCollection>();
    for (int i = 0; i < Providers; ++i) {
        auto provider = std::make_shared<Provider>();
        provider->ProviderName = QStringLiteral("Provider %1 – Nachrichten").arg(i);
        provider->UniqueID = 100000 + i;
        provider->Description = QStringLiteral("Headlines <&> commentary from source %1").arg(i);
        provider->DataURL =
            QStringLiteral("https://feeds%1.example.org/rss?format=xml&id=%2").arg(i % 97).arg(i);
        provider->SiteURL = QStringLiteral("https://www%1.example.org/").arg(i % 97);
        provider->Category = CategoryPath(i % Categories);
        provider->Active = i % 7 != 0;
        provider->Protected = i % 10 == 0;
        provider->AttemptedUpdates = i;
        provider->SuccessfulUpdates = i - i / 10;
        provider->LastUsed = Date::FromParts(2026, 1 + i % 12, 1 + i % 28, i % 24, i % 60, 0);
        provider->TotalLoadDuration = Currency::FromScaled(i * 1234);
        providers->Add(provider);
    }
    for (int i = 0; i < 50; ++i)
        providers->AddObsolete(i);
    return providers;
}

struct Fixture {
    Fixture()
        : Collection(Generate())
        , Bytes(Collection->ToBytes(false, true, true))
        , Path(QDir(Folder.path()).filePath(QStringLiteral("qtk_providers.xml"))) {
        QFile file(Path);
        file.open(QIODevice::WriteOnly);
        file.write(Bytes);
    }

    std::unique_ptr<ProviderCollection> Collection;
    QByteArray Bytes;
    QTemporaryDir Folder;
    QString Path;
};

Fixture& Data() {
    static Fixture fixture;
    return fixture;
}

void CountBytes(benchmark::State& state) {
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * Data().Bytes.size());
}

void LoadFile(benchmark::State& state) {
    for (auto _ : state) {
        ProviderCollection providers;
        benchmark::DoNotOptimize(providers.LoadFile(Data().Path, nullptr, false));
    }
    CountBytes(state);
}
BENCHMARK(LoadFile)->Unit(benchmark::kMillisecond);

void LibXmlParseAlone(benchmark::State& state) {
    for (auto _ : state) {
        QFile file(Data().Path);
        file.open(QIODevice::ReadOnly);
        const QByteArray bytes = file.readAll();
        xmlDocPtr document = xmlReadMemory(bytes.constData(), static_cast<int>(bytes.size()),
                                           nullptr, nullptr, XML_PARSE_NONET);
        benchmark::DoNotOptimize(document);
        xmlFreeDoc(document);
    }
    CountBytes(state);
}
BENCHMARK(LibXmlParseAlone)->Unit(benchmark::kMillisecond);

void SaveFile(benchmark::State& state) {
    const QString path = QDir(Data().Folder.path()).filePath(QStringLiteral("saved.xml"));
    for (auto _ : state)
        benchmark::DoNotOptimize(Data().Collection->SaveFile(path, nullptr, false, true, true));
    CountBytes(state);
}
BENCHMARK(SaveFile)->Unit(benchmark::kMillisecond);

void LibXmlSerialiseAlone(benchmark::State& state) {
    xmlDocPtr document =
        xmlReadMemory(Data().Bytes.constData(), static_cast<int>(Data().Bytes.size()), nullptr,
                      nullptr, XML_PARSE_NONET);
    const QByteArray path =
        QDir(Data().Folder.path()).filePath(QStringLiteral("libxml.xml")).toLocal8Bit();
    for (auto _ : state)
        benchmark::DoNotOptimize(xmlSaveFile(path.constData(), document));
    xmlFreeDoc(document);
    CountBytes(state);
}
BENCHMARK(LibXmlSerialiseAlone)->Unit(benchmark::kMillisecond);

void SortByCategoryAndFlagFirst(benchmark::State& state) {
    ProviderCollection& providers = *Data().Collection;
    providers.Categories().SortByName(1, providers.Categories().Count());
    for (auto _ : state) {
        providers.SortByCategory();
        providers.FlagFirstInCategory();
    }
}
BENCHMARK(SortByCategoryAndFlagFirst)->Unit(benchmark::kMillisecond);

} // namespace
