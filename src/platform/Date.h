#pragma once

#include <QDate>
#include <QDateTime>
#include <QString>
#include <QTime>

#include <compare>
#include <optional>

// A point in local time as a day count since 30 December 1899 (the fraction
// is the time of day). Files and the settings store hold dates in this form,
// written as text in one fixed en-US layout whatever the user's locale, so a
// file written under one locale reads back under any other.
class Date {
public:
    // The zero date, 30 December 1899 00:00.
    Date() = default;

    static Date FromDays(double days);
    // Builds a date leniently, as stored dates and feed dates expect: a month or day out of range
    // rolls over into the next (or previous) year or month, and times beyond 24 hours roll into the
    // next day.
    static Date FromParts(int year, int month, int day, int hour = 0, int minute = 0,
                          int second = 0);
    // The wall-clock fields of `dateTime` as they are (no zone conversion).
    static Date FromQDateTime(const QDateTime& dateTime);
    // 1 January 1900, the value that stands for "never".
    static Date Never();

    double Days() const { return m_days; }
    QDate ToQDate() const;
    QTime ToQTime() const;
    // Local wall-clock time (Qt::LocalTime).
    QDateTime ToQDateTime() const;

    // "M/D/YYYY h:mm:ss AM": the date alone when the time is midnight, the
    // time alone when the date part is zero (so the zero date is
    // "12:00:00 AM").
    QString ToText() const;
    // Reads ToText's form leniently (leading zeros, 24-hour times, date or
    // time alone), ISO 8601 ("2026-01-05", "2026-01-05T10:00:00") and a
    // time alone (the zero date plus that time). Nothing else.
    static std::optional<Date> FromText(const QString& text);

    auto operator<=>(const Date&) const = default;

private:
    explicit Date(double days)
        : m_days(days) {}

    double m_days = 0.0;
};
