#include "platform/Clock.h"

#include <optional>

namespace {
std::optional<QDateTime> fixedNow;
}

namespace Clock {

QDateTime NowUtc() {
    return fixedNow ? *fixedNow : QDateTime::currentDateTimeUtc();
}

void SetNow(const QDateTime& instant) {
    fixedNow = instant.toUTC();
}

void ResetNow() {
    fixedNow.reset();
}

} // namespace Clock
