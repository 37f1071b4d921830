#include "platform/BackgroundNotice.h"

#include <QSet>

#include <cstdio>
#include <deque>

namespace {

void PrintToStandardError(const QString& text) {
    std::fprintf(stderr, "message: %s\n", qUtf8Printable(text));
}

std::function<void(const QString&)> sink = PrintToStandardError;
// Texts can carry values from a feed (an unknown version, say); a feed that
// changes them at every refresh must not make the record grow without end.
// The oldest text is forgotten to make room, so a new fault is always shown.
constexpr std::size_t MaximumTexts = 256;
QSet<QString> reported;
std::deque<QString> reportedInOrder;

void Remember(const QString& text) {
    if (reportedInOrder.size() >= MaximumTexts) {
        reported.remove(reportedInOrder.front());
        reportedInOrder.pop_front();
    }
    reported.insert(text);
    reportedInOrder.push_back(text);
}

} // namespace

namespace BackgroundNotice {

void Report(const QString& text) {
    if (reported.contains(text))
        return;
    Remember(text);
    sink(text);
}

void SetSink(std::function<void(const QString&)> newSink) {
    sink = newSink ? std::move(newSink) : PrintToStandardError;
}

void Forget() {
    reported.clear();
    reportedInOrder.clear();
}

} // namespace BackgroundNotice
