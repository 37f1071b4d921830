#include "platform/TimeZoneInfo.h"

#include <optional>

namespace {
std::optional<QTimeZone> overrideZone;
}

namespace TimeZoneInfo {

QTimeZone LocalZone() {
    return overrideZone ? *overrideZone : QTimeZone::systemTimeZone();
}

void SetLocalZone(const QTimeZone& zone) {
    overrideZone = zone;
}

void ResetLocalZone() {
    overrideZone.reset();
}

int OffsetSeconds(const QDateTime& when) {
    return LocalZone().offsetFromUtc(when);
}

QDateTime ToLocal(const QDateTime& when) {
    return when.toTimeZone(LocalZone());
}

} // namespace TimeZoneInfo
