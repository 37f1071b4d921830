#include "platform/TimeZoneInfo.h"

#include <QHash>

#include <optional>

namespace {

std::optional<QTimeZone> overrideZone;

// Asking the zone database costs microseconds, and a feed asks once per
// story for times that mostly lie close together. Offsets are remembered per
// quarter hour, the finest step at which zones change their offset.
constexpr qint64 SlotSeconds = 15 * 60;
constexpr qsizetype MaximumSlots = 4096;
QHash<qint64, int> offsetsBySlot;

} // namespace

namespace TimeZoneInfo {

QTimeZone LocalZone() {
    return overrideZone ? *overrideZone : QTimeZone::systemTimeZone();
}

void SetLocalZone(const QTimeZone& zone) {
    overrideZone = zone;
    offsetsBySlot.clear();
}

void ResetLocalZone() {
    overrideZone.reset();
    offsetsBySlot.clear();
}

int OffsetSeconds(const QDateTime& when) {
    const qint64 slot = when.toSecsSinceEpoch() / SlotSeconds;
    if (const auto known = offsetsBySlot.constFind(slot); known != offsetsBySlot.constEnd())
        return *known;
    if (offsetsBySlot.size() >= MaximumSlots)
        offsetsBySlot.clear();
    const QDateTime slotStart = QDateTime::fromSecsSinceEpoch(slot * SlotSeconds, Qt::UTC);
    const int offset = LocalZone().offsetFromUtc(slotStart);
    offsetsBySlot.insert(slot, offset);
    return offset;
}

QDateTime ToLocal(const QDateTime& when) {
    const int offset = OffsetSeconds(when);
    const QDateTime wallClock = when.toUTC().addSecs(offset);
    return QDateTime(wallClock.date(), wallClock.time(), Qt::OffsetFromUTC, offset);
}

} // namespace TimeZoneInfo
