#pragma once

#include "platform/Clock.h"
#include "platform/TimeZoneInfo.h"

#include <QDateTime>
#include <QTimeZone>

// Fixes "now" and the local zone for the life of the object, so that feed
// dates read the same on every machine.
class FixedTime {
public:
    FixedTime(const QDateTime& now, const QTimeZone& zone) {
        Clock::SetNow(now);
        TimeZoneInfo::SetLocalZone(zone);
    }
    ~FixedTime() {
        Clock::ResetNow();
        TimeZoneInfo::ResetLocalZone();
    }

    FixedTime(const FixedTime&) = delete;
    FixedTime& operator=(const FixedTime&) = delete;
};
