#include "platform/BackgroundNotice.h"

#include <QSet>

#include <cstdio>

namespace {

void PrintToStandardError(const QString& text) {
    std::fprintf(stderr, "message: %s\n", qUtf8Printable(text));
}

std::function<void(const QString&)> sink = PrintToStandardError;
QSet<QString> reported;

} // namespace

namespace BackgroundNotice {

void Report(const QString& text) {
    if (reported.contains(text))
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
