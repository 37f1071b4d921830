#include "platform/Date.h"

#include "platform/ProgramError.h"

#include <QRegularExpression>

#include <cmath>
#include <cstdio>

namespace {

constexpr qint64 SecondsPerDay = 86400;
constexpr qint64 MsecsPerDay = SecondsPerDay * 1000;
// Julian day of 30 December 1899, day zero.
constexpr qint64 EpochJulianDay = 2415019;
// Days since 1970-01-01 of day zero.
constexpr qint64 EpochUnixDay = -25569;
// 1 January 100 and 31 December 9999, the range stored dates may span;
// outside it the text form would need more than four year
// digits.
constexpr qint64 FirstDay = -657434;
constexpr qint64 LastDay = 2958465;
constexpr int FirstYear = 100;
constexpr int LastYear = 9999;

// Division rounding down, so that negative fields borrow; `b` is positive.
qint64 FloorDiv(qint64 a, qint64 b) {
    return a / b - (a % b < 0 ? 1 : 0);
}

qint64 FloorMod(qint64 a, qint64 b) {
    return a - FloorDiv(a, b) * b;
}

// Days since 1970-01-01 of a proleptic Gregorian date, valid for any year so
// that intermediate values of a rollover need not be a representable QDate.
qint64 DaysFromCivil(qint64 year, qint64 month, qint64 day) {
    year -= month <= 2 ? 1 : 0;
    const qint64 era = FloorDiv(year, 400);
    const qint64 yearOfEra = year - era * 400;
    const qint64 dayOfYear = (153 * (month > 2 ? month - 3 : month + 9) + 2) / 5 + day - 1;
    const qint64 dayOfEra = yearOfEra * 365 + yearOfEra / 4 - yearOfEra / 100 + dayOfYear;
    return era * 146097 + dayOfEra - 719468;
}

// A date split into the calendar day and the time of day, rounded to the
// second, which is the finest the text form and QTime consumers show.
struct DayAndTime {
    qint64 day;
    qint64 seconds;
};

DayAndTime Split(double days) {
    // Before day zero the integer part still counts days, but the fraction
    // is the time of day as a positive amount: -1.25 is 29 December 06:00.
    const double whole = std::trunc(days);
    DayAndTime result{static_cast<qint64>(whole),
                      std::llround(std::abs(days - whole) * SecondsPerDay)};
    if (result.seconds == SecondsPerDay) {
        ++result.day;
        result.seconds = 0;
    }
    return result;
}

Date FromDayAndMsecs(qint64 day, qint64 msecs) {
    day += FloorDiv(msecs, MsecsPerDay);
    const double fraction = static_cast<double>(FloorMod(msecs, MsecsPerDay)) / MsecsPerDay;
    const auto whole = static_cast<double>(day);
    return Date::FromDays(day < 0 ? whole - fraction : whole + fraction);
}

QDate CalendarDay(qint64 day) {
    return QDate::fromJulianDay(EpochJulianDay + day);
}

// Formatted by hand rather than with QString::arg: providers files hold one
// date per provider, and thousands of them are written at every exit.
QString DateText(const QDate& date) {
    char text[32];
    std::snprintf(text, sizeof text, "%d/%d/%04d", date.month(), date.day(), date.year());
    return QString::fromLatin1(text);
}

QString TimeText(qint64 seconds) {
    const int hour = static_cast<int>(seconds / 3600);
    const int hour12 = hour % 12 == 0 ? 12 : hour % 12;
    char text[32];
    std::snprintf(text, sizeof text, "%d:%02d:%02d %s", hour12, static_cast<int>(seconds / 60 % 60),
                  static_cast<int>(seconds % 60), hour < 12 ? "AM" : "PM");
    return QString::fromLatin1(text);
}

// The parts of a text form, in ASCII digits only so that no locale or
// Unicode digit set changes what is read.
constexpr QStringView TimePattern =
    u"(?<hour>[0-9]{1,2}):(?<minute>[0-9]{2})(?::(?<second>[0-9]{2}))?(?: ?(?<half>[AaPp][Mm]))?";

const QRegularExpression& UsPattern() {
    static const QRegularExpression pattern(
        QStringLiteral("^(?<month>[0-9]{1,2})/(?<day>[0-9]{1,2})/(?<year>[0-9]{4})(?: %1)?$")
            .arg(TimePattern));
    return pattern;
}

const QRegularExpression& IsoPattern() {
    static const QRegularExpression pattern(
        QStringLiteral("^(?<year>[0-9]{4})-(?<month>[0-9]{2})-(?<day>[0-9]{2})"
                       "(?:[T ](?<hour>[0-9]{2}):(?<minute>[0-9]{2})(?::(?<second>[0-9]{2}))?)?$"));
    return pattern;
}

const QRegularExpression& TimeOnlyPattern() {
    static const QRegularExpression pattern(QStringLiteral("^%1$").arg(TimePattern));
    return pattern;
}

int Field(const QRegularExpressionMatch& match, QStringView name) {
    return match.capturedView(name).toInt();
}

std::optional<qint64> SecondsOfDay(const QRegularExpressionMatch& match) {
    if (!match.hasCaptured(u"hour"))
        return 0;
    int hour = Field(match, u"hour");
    const int minute = Field(match, u"minute");
    const int second = Field(match, u"second");
    if (const QStringView half = match.capturedView(u"half"); !half.isEmpty()) {
        if (hour < 1 || hour > 12)
            return std::nullopt;
        hour = hour % 12 + (half.startsWith(u'P', Qt::CaseInsensitive) ? 12 : 0);
    }
    if (hour > 23 || minute > 59 || second > 59)
        return std::nullopt;
    return (hour * 60 + minute) * 60 + second;
}

std::optional<Date> FromMatch(const QRegularExpressionMatch& match) {
    const std::optional<qint64> seconds = SecondsOfDay(match);
    if (!seconds)
        return std::nullopt;
    if (!match.hasCaptured(u"year"))
        return FromDayAndMsecs(0, *seconds * 1000);
    const int year = Field(match, u"year");
    const int month = Field(match, u"month");
    const int day = Field(match, u"day");
    if (year < FirstYear || year > LastYear || !QDate::isValid(year, month, day))
        return std::nullopt;
    return Date::FromParts(year, month, day, 0, 0, static_cast<int>(*seconds));
}

// Reads the exact form ToText writes ("1/5/2026 2:03:09 PM", "1/5/2026",
// "12:00:00 AM") without a regular expression: a providers file holds one
// such date per provider. Anything else is left to the general reader.
class WrittenFormReader {
public:
    explicit WrittenFormReader(QStringView text)
        : m_text(text) {}

    std::optional<Date> Read() {
        int month = 0;
        int day = 0;
        int year = 0;
        const bool hasDate = m_text.contains(u'/');
        if (hasDate && !(Number(1, 2, month) && Skip(u'/') && Number(1, 2, day) && Skip(u'/') &&
                         Number(4, 4, year)))
            return std::nullopt;
        qint64 seconds = 0;
        if (hasDate && AtEnd())
            return Finish(year, month, day, 0);
        if ((hasDate && !Skip(u' ')) || !Time(seconds) || !AtEnd())
            return std::nullopt;
        return hasDate ? Finish(year, month, day, seconds) : FromDayAndMsecs(0, seconds * 1000);
    }

private:
    static std::optional<Date> Finish(int year, int month, int day, qint64 seconds) {
        if (year < FirstYear || year > LastYear || !QDate::isValid(year, month, day))
            return std::nullopt;
        return Date::FromParts(year, month, day, 0, 0, static_cast<int>(seconds));
    }

    bool Time(qint64& seconds) {
        int hour = 0;
        int minute = 0;
        int second = 0;
        if (!(Number(1, 2, hour) && Skip(u':') && Number(2, 2, minute) && Skip(u':') &&
              Number(2, 2, second) && Skip(u' ')))
            return false;
        const bool pm = Skip(u'P');
        if ((!pm && !Skip(u'A')) || !Skip(u'M') || hour < 1 || hour > 12 || minute > 59 ||
            second > 59)
            return false;
        seconds = ((hour % 12 + (pm ? 12 : 0)) * 60 + minute) * 60 + second;
        return true;
    }

    bool Number(int minimumDigits, int maximumDigits, int& value) {
        int digits = 0;
        value = 0;
        while (digits < maximumDigits && m_position < m_text.size() && m_text[m_position] >= u'0' &&
               m_text[m_position] <= u'9') {
            value = value * 10 + (m_text[m_position].unicode() - u'0');
            ++m_position;
            ++digits;
        }
        return digits >= minimumDigits;
    }

    bool Skip(char16_t c) {
        if (m_position >= m_text.size() || m_text[m_position] != c)
            return false;
        ++m_position;
        return true;
    }

    bool AtEnd() const { return m_position == m_text.size(); }

    QStringView m_text;
    qsizetype m_position = 0;
};

} // namespace

Date Date::FromDays(double days) {
    if (!(days > static_cast<double>(FirstDay - 1) && days < static_cast<double>(LastDay + 1)))
        throw ProgramError(QStringLiteral("%1 is out of the range of Date").arg(days));
    return Date(days);
}

Date Date::FromParts(int year, int month, int day, int hour, int minute, int second) {
    // Months roll into years first, then days and times are plain offsets
    // from the first of the resulting month.
    const qint64 monthIndex = qint64{month} - 1;
    const qint64 firstOfMonth =
        DaysFromCivil(year + FloorDiv(monthIndex, 12), FloorMod(monthIndex, 12) + 1, 1);
    const qint64 seconds = (qint64{hour} * 60 + minute) * 60 + second;
    return FromDayAndMsecs(firstOfMonth - EpochUnixDay + day - 1, seconds * 1000);
}

Date Date::FromQDateTime(const QDateTime& dateTime) {
    if (!dateTime.isValid())
        throw ProgramError(QStringLiteral("An invalid date and time cannot be converted to Date"));
    return FromDayAndMsecs(dateTime.date().toJulianDay() - EpochJulianDay,
                           dateTime.time().msecsSinceStartOfDay());
}

Date Date::Never() {
    return FromParts(1900, 1, 1);
}

QDate Date::ToQDate() const {
    return CalendarDay(Split(m_days).day);
}

QTime Date::ToQTime() const {
    return QTime::fromMSecsSinceStartOfDay(static_cast<int>(Split(m_days).seconds * 1000));
}

QDateTime Date::ToQDateTime() const {
    return QDateTime(ToQDate(), ToQTime(), Qt::LocalTime);
}

QString Date::ToText() const {
    const DayAndTime parts = Split(m_days);
    if (parts.day == 0)
        return TimeText(parts.seconds);
    const QString date = DateText(CalendarDay(parts.day));
    return parts.seconds == 0 ? date : date + u' ' + TimeText(parts.seconds);
}

std::optional<Date> Date::FromText(const QString& text) {
    if (const std::optional<Date> written = WrittenFormReader(text).Read())
        return written;
    const QString simplified = text.simplified();
    for (const QRegularExpression* pattern : {&UsPattern(), &IsoPattern(), &TimeOnlyPattern()}) {
        if (const QRegularExpressionMatch match = pattern->match(simplified); match.hasMatch())
            return FromMatch(match);
    }
    return std::nullopt;
}
