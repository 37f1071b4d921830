// The providers file at a size a heavy user reaches: 10 000 providers in 500
// categories up to three levels deep. Loading and saving are measured beside
// libxml2 alone parsing and serialising the same document, in one run.
#include "LargeProviderList.h"
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

struct Fixture {
    Fixture()
        : Collection(LargeProviderList::Generate(Providers, Categories))
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
