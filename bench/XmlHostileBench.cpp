// How long hostile documents take to be refused: nested entities that
// expand a billion times and one large entity referenced often, each in
// text and in attributes. Refusing any of them should take well under a
// second; a reader that expands them first would take minutes.
#include "platform/XmlDocument.h"

#include <benchmark/benchmark.h>

namespace {

// Ten levels of ten references each.
QByteArray BillionLaughs(const QByteArray& body) {
    QByteArray xml = "<!DOCTYPE lolz [<!ENTITY lol0 \"lol\">";
    for (int level = 1; level <= 9; ++level) {
        xml += "<!ENTITY lol" + QByteArray::number(level) + " \"" +
               ("&lol" + QByteArray::number(level - 1) + ";").repeated(10) + "\">";
    }
    return xml + "]>" + body;
}

// 20 000 references to 100 KB: 2 GB of text.
QByteArray LargeEntity(const QByteArray& reference) {
    return "<!DOCTYPE r [<!ENTITY a \"" + QByteArray(100000, 'x') + "\">]><r>" +
           reference.repeated(20000) + "</r>";
}

void Refuse(benchmark::State& state, const QByteArray& xml) {
    for (auto _ : state) {
        XmlDocument document;
        if (document.LoadXML(xml))
            state.SkipWithError("the hostile document was read");
    }
}

void BillionLaughsInText(benchmark::State& state) {
    Refuse(state, BillionLaughs("<lolz>&lol9;</lolz>"));
}

void BillionLaughsInAttribute(benchmark::State& state) {
    Refuse(state, BillionLaughs("<lolz a=\"&lol9;\"/>"));
}

void LargeEntityInText(benchmark::State& state) {
    Refuse(state, LargeEntity("&a;"));
}

void LargeEntityInAttributes(benchmark::State& state) {
    Refuse(state, LargeEntity("<i x=\"&a;\"/>"));
}

} // namespace

BENCHMARK(BillionLaughsInText)->Unit(benchmark::kMillisecond);
BENCHMARK(BillionLaughsInAttribute)->Unit(benchmark::kMillisecond);
BENCHMARK(LargeEntityInText)->Unit(benchmark::kMillisecond);
BENCHMARK(LargeEntityInAttributes)->Unit(benchmark::kMillisecond);
