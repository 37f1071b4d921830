#include "platform/BackgroundNotice.h"

#include <QSet>

#include <cstdio>

namespace {

void PrintToStandardError(const QString& text) {
    std::fprintf(stderr, "message: %s\n", qUtf8Printable(text));
}

std::function<void(const QString&)> sink = PrintToStandardError;
QSet<QString> reported;
// Texts can carry values from a feed (an unknown version, say); a feed that
// changes them at every refresh must not make the record grow without end.
constexpr qsizetype MaximumTexts = 256;

} // namespace

namespace BackgroundNotice {

void Report(const QString& text) {
    if (reported.contains(text) || reported.size() >= MaximumTexts)
        return;
    reported.insert(text);
    sink(text);
}

void SetSink(std::function<void(const QString&)> newSink) {
    sink = newSink ? std::move(newSink) : PrintToStandardError;
}

void Forget() {
    reported.clear();
}

} // namespace BackgroundNotice
