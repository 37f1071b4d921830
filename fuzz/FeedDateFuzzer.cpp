// Feeds arbitrary text to the feed date readers. Besides crashes and reads
// past the end of the text it catches a date that escapes the ten-year
// plausibility window, which would sort a story above every real one.
#include "feeds/FeedDates.h"

#include "platform/Clock.h"
#include "platform/ProgramError.h"
#include "platform/TimeZoneInfo.h"

#include <QString>

#include <cstddef>
#include <cstdint>
#include <cstdlib>

namespace {

// A fixed now and a zone with daylight saving, so a crash replays the same
// way on any machine.
void FixClockAndZone() {
    static const bool fixed = [] {
        Clock::SetNow(QDateTime(QDate(2026, 1, 15), QTime(12, 0), Qt::UTC));
        TimeZoneInfo::SetLocalZone(QTimeZone("Europe/Berlin"));
        return true;
    }();
    (void)fixed;
}

template <typename Reader>
void ReadStrictly(Reader reader, const QString& text) {
    try {
        (void)reader(text);
    } catch (const ProgramError&) {
        // Rejecting the text is a valid outcome.
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    FixClockAndZone();
    const QString text =
        QString::fromUtf8(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    if (std::abs(FeedDates::ParseFeedDate(text).ToQDate().year() - 2026) > 10)
        std::abort();
    ReadStrictly(FeedDates::ParseISODate, text);
    ReadStrictly(FeedDates::ParseRFC822Date, text);
    (void)FeedDates::SafeDate(text);
    return 0;
}
