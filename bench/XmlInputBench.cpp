// What mending costs before the recovering parse, on documents that are
// nothing but what it mends: each should take time in proportion to its
// size.
#include "platform/XmlInput.h"

#include <benchmark/benchmark.h>

namespace {

constexpr qsizetype Count = 1'000'000;

QByteArray Repeated(const char* text) {
    return QByteArray(text).repeated(Count);
}

// Many open elements, then end tags naming none of them.
const QByteArray& UnmatchedEndTags() {
    static const QByteArray text = "<r>" + Repeated("<a>") + Repeated("</b>");
    return text;
}

// Open elements closed one by one, as deep as they go.
const QByteArray& DeepElements() {
    static const QByteArray text = Repeated("<a>") + Repeated("</a>");
    return text;
}

// Declarations without an internal subset, one after another.
const QByteArray& Declarations() {
    static const QByteArray text = "<r>" + Repeated("<!a>") + "</r>";
    return text;
}

// Controls and stray "<" inside CDATA sections.
const QByteArray& ControlsInCdata() {
    static const QByteArray text = "<r>" + Repeated("<![CDATA[a\x01<b]]>") + "</r>";
    return text;
}

void ForRecovery(benchmark::State& state, const QByteArray& (*document)()) {
    const XmlInput::Input input = XmlInput::Prepare(document());
    for (auto _ : state)
        benchmark::DoNotOptimize(XmlInput::ForRecovery(input).Bytes.size());
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * input.Bytes.size());
}

} // namespace

BENCHMARK_CAPTURE(ForRecovery, UnmatchedEndTags, UnmatchedEndTags)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(ForRecovery, DeepElements, DeepElements)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(ForRecovery, Declarations, Declarations)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(ForRecovery, ControlsInCdata, ControlsInCdata)->Unit(benchmark::kMillisecond);
