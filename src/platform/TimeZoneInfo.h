#pragma once

#include <QDateTime>
#include <QTimeZone>

// The user's time zone. Feed times arrive in UTC or with an offset and are
// shown in local time; tests put a fixed zone in place of the system's.
namespace TimeZoneInfo {

QTimeZone LocalZone();
// Replaces the system zone until ResetLocalZone (tests).
void SetLocalZone(const QTimeZone& zone);
void ResetLocalZone();

// Seconds to add to UTC to get local time at the instant `when`, with the
// daylight-saving rules in force then.
int OffsetSeconds(const QDateTime& when);
// The wall-clock time of the local zone at the instant `when`, as a
// date-time at that zone's offset.
QDateTime ToLocal(const QDateTime& when);

} // namespace TimeZoneInfo
