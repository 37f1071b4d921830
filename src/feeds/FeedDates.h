#pragma once

#include "platform/Date.h"
#include "platform/Types.h"

#include <QDateTime>
#include <QString>

#include <optional>

// The dates feeds write, turned into the local wall-clock dates stories
// carry. RSS and Atom dates (RFC 822 or ISO 8601; without a zone they are
// UTC, and ISO offsets may be whole hours, "-05") go through
// ParseFeedDate; the older line- and element-based formats rewrite their
// texts with DateFormatHandler and read them with ReadDateText or SafeDate.
// "Now" is Clock::NowUtc() and "local" is TimeZoneInfo::LocalZone(), so tests
// fix both.
namespace FeedDates {

// Never fails: a missing, unreadable or implausible date (more than ten
// calendar years away from now) gives the current local date-time, so such
// stories sort as the newest.
Date ParseFeedDate(const QString& text);
// Both throw ProgramError on a text they cannot read.
Date ParseISODate(const QString& text);
Date ParseRFC822Date(const QString& text);

// The offset of an RFC 822 zone name as "+hh:mm"; throws ProgramError for an
// unknown name.
QString ZoneOffset(const QString& zoneName);
// 1 to 12 from the first three letters of an English month name; throws
// ProgramError for anything else.
int MonthNumber(const QString& monthName);

// The current local date-time.
Date Now();

// Seconds to add to UTC to get local time now.
Long LocalOffsetSeconds();
// The local wall-clock date of a UTC instant, with the zone's rules at that
// instant (not the offset in force now).
Date ToLocalTime(const QDateTime& utc);

// Rewrites the date text of the older formats, under a one-character format
// code, into a form ReadDateText reads. An unknown code is reported once per
// run as a background notice and leaves the text unchanged.
QString DateFormatHandler(const QString& code, const QString& text);

// Reads a date written for people: numeric dates month first (1/5/2004,
// 2004-01-05), English month names (5 Jan 2004, January 5, 2004), an
// optional time (12:30, 12:30:00 PM) and a time alone (on the zero date). A
// date without a year is in the current year. Never depends on the process
// locale.
std::optional<Date> ReadDateText(const QString& text);
// ReadDateText, or the zero date when the text cannot be read.
Date SafeDate(const QString& text);

} // namespace FeedDates
