#include "feeds/FeedDates.h"

#include "platform/BackgroundNotice.h"
#include "platform/Clock.h"
#include "platform/ProgramError.h"
#include "platform/TimeZoneInfo.h"

#include <QRegularExpression>
#include <QStringList>

#include <algorithm>
#include <array>
#include <cstdlib>

namespace {

// Dates further away than this from now are taken for a broken generator
// (the zero date, a year typed as 2205) rather than a real publication time.
constexpr int PlausibleYears = 10;
// The widest numeric field any date form has; longer runs cannot be a field
// and would overflow int.
constexpr qsizetype MaxFieldDigits = 4;

constexpr std::array<QStringView, 12> MonthNames = {
    u"JANUARY", u"FEBRUARY", u"MARCH",     u"APRIL",   u"MAY",      u"JUNE",
    u"JULY",    u"AUGUST",   u"SEPTEMBER", u"OCTOBER", u"NOVEMBER", u"DECEMBER"};
constexpr std::array<QStringView, 7> WeekdayNames = {
    u"MONDAY", u"TUESDAY", u"WEDNESDAY", u"THURSDAY", u"FRIDAY", u"SATURDAY", u"SUNDAY"};

struct NamedZone {
    QStringView name;
    QStringView offset;
};

// RFC 822's named zones, and the "UTC" that feeds write as often as "GMT";
// the single military letters are computed.
constexpr std::array<NamedZone, 12> NamedZones = {{{u"GMT", u"+00:00"},
                                                   {u"UT", u"+00:00"},
                                                   {u"UTC", u"+00:00"},
                                                   {u"Z", u"+00:00"},
                                                   {u"EST", u"-05:00"},
                                                   {u"EDT", u"-04:00"},
                                                   {u"CST", u"-06:00"},
                                                   {u"CDT", u"-05:00"},
                                                   {u"MST", u"-07:00"},
                                                   {u"MDT", u"-06:00"},
                                                   {u"PST", u"-08:00"},
                                                   {u"PDT", u"-07:00"}}};

// A date and time as a feed wrote it, before its zone is applied. Fields may
// be out of range; they roll over the way Date::FromParts does.
struct WallClock {
    int year = 0;
    int month = 0;
    int day = 0;
    int hour = 0;
    int minute = 0;
    int second = 0;
};

[[noreturn]] void Unreadable(const QString& what, const QString& text) {
    throw ProgramError(QStringLiteral("Unreadable %1 \"%2\"").arg(what, text));
}

bool IsAsciiDigit(QChar c) {
    return c >= u'0' && c <= u'9';
}

bool IsAsciiLetter(QChar c) {
    return (c >= u'A' && c <= u'Z') || (c >= u'a' && c <= u'z');
}

bool AllDigits(const QString& text) {
    return !text.isEmpty() && std::all_of(text.begin(), text.end(), IsAsciiDigit);
}

// The formats are defined by 1-based character positions; these two keep the
// conversion in one place and never read past either end.
QString Chars(const QString& text, qsizetype position, qsizetype count) {
    return position < 1 ? QString() : text.mid(position - 1, count);
}

QChar At(const QString& text, qsizetype position) {
    return position >= 1 && position <= text.size() ? text.at(position - 1) : QChar();
}

// ASCII digits only: no sign, blank or other script's digits is a field.
int Number(const QString& field) {
    if (!AllDigits(field) || field.size() > MaxFieldDigits)
        Unreadable(QStringLiteral("date field"), field);
    return field.toInt();
}

// `zone` is "+hh:mm" or "-hh:mm"; anything else in front of it counts as
// behind UTC, as the formats' own rule has it.
Date InZone(const WallClock& at, const QString& zone) {
    const qsizetype colon = zone.size() - 3;
    if (colon < 2 || zone.at(colon) != u':')
        Unreadable(QStringLiteral("time zone"), zone);
    const int offsetMinutes = Number(zone.mid(colon - 2, 2)) * 60 + Number(zone.right(2));
    const int towardsUtc = zone.startsWith(u'+') ? -offsetMinutes : offsetMinutes;
    const Date utc =
        Date::FromParts(at.year, at.month, at.day, at.hour, at.minute + towardsUtc, at.second);
    return FeedDates::ToLocalTime(QDateTime(utc.ToQDate(), utc.ToQTime(), Qt::UTC));
}

// "+0530" to "+05:30", and an offset of whole hours, "-05", to "-05:00".
QString InsertColon(const QString& zone) {
    if (zone.size() == 3)
        return zone + QStringLiteral(":00");
    return zone.left(3) + u':' + zone.mid(3, 2);
}

// Fractions of a second are dropped; the zone follows them.
qsizetype SkipFraction(const QString& text, qsizetype position) {
    if (At(text, position) != u'.')
        return position;
    do
        ++position;
    while (IsAsciiDigit(At(text, position)));
    return position;
}

// An offset, "Z", or a zone name as RFC 822 has them: generators that
// write "2026-01-05 10:00 UTC" mix the two forms.
QString IsoZone(const QString& designator) {
    const QString zone = designator.trimmed();
    if (zone.isEmpty())
        return QStringLiteral("+00:00");
    if (IsAsciiLetter(zone.front()))
        return FeedDates::ZoneOffset(zone);
    return zone.contains(u':') ? zone : InsertColon(zone);
}

// The day is two digits, or one digit with a blank before or after it; the
// latter moves every later field one place left.
int ReadDay(const QString& text, qsizetype& p) {
    const QString field = Chars(text, p + 1, 2);
    if (AllDigits(field))
        return Number(field);
    if (field.startsWith(u' '))
        return Number(field.mid(1));
    --p;
    return Number(field.left(1));
}

// A full month name moves every later field right by its extra letters.
int ReadMonth(const QString& text, qsizetype& p) {
    if (At(text, p + 7) == u' ')
        return FeedDates::MonthNumber(Chars(text, p + 4, 3));
    const qsizetype start = p + 3;
    const qsizetype space = text.indexOf(u' ', start);
    const QString name = text.mid(start, space < 0 ? -1 : space - start);
    p += name.size() - 3;
    return FeedDates::MonthNumber(name);
}

int ReadHour(const QString& text, qsizetype& p) {
    const QString field = Chars(text, p + 13, 2);
    if (field.size() == 2 && field.at(1) == u':') {
        --p;
        return Number(field.left(1));
    }
    return Number(field);
}

bool IsHoursAndMinutes(const QString& zone) {
    static const QRegularExpression shape(QStringLiteral("^[0-9]{2}:[0-9]{2}$"));
    return shape.match(zone).hasMatch();
}

QString RfcZone(const QString& zone) {
    if (IsAsciiLetter(At(zone, 1)))
        return FeedDates::ZoneOffset(zone);
    if (At(zone, 4) != u':')
        return InsertColon(zone);
    if (zone.startsWith(u'+') || zone.startsWith(u'-'))
        return zone;
    return IsHoursAndMinutes(zone) ? u'+' + zone : QStringLiteral("+00:00");
}

// "2004-01-05 10:00", an ISO date whose time follows a blank instead of "T".
bool IsIsoWithBlank(const QString& text) {
    static const QRegularExpression shape(
        QStringLiteral("^[0-9]{4}-[0-9]{2}-[0-9]{2} [0-9]{2}:[0-9]{2}"));
    return shape.match(text).hasMatch();
}

Date ReadInItsForm(const QString& text) {
    if (At(text, 11) == u'T' || (text.size() == 10 && At(text, 5) == u'-' && At(text, 8) == u'-'))
        return FeedDates::ParseISODate(text);
    // Only the separator becomes "T": a blank before the zone is not part of
    // the zone.
    if (IsIsoWithBlank(text))
        return FeedDates::ParseISODate(text.left(10) + u'T' + text.mid(11));
    return FeedDates::ParseRFC822Date(text);
}

bool IsPlausible(const Date& date) {
    return std::abs(date.ToQDate().year() - FeedDates::Now().ToQDate().year()) <= PlausibleYears;
}

std::optional<int> MilitaryHours(QChar letter) {
    const char16_t c = letter.unicode();
    if (c >= u'A' && c <= u'I')
        return -(c - u'A' + 1);
    if (c >= u'K' && c <= u'M')
        return -(c - u'K' + 10);
    if (c >= u'N' && c <= u'Y')
        return c - u'N' + 1;
    return std::nullopt;
}

QString HoursOffset(int hours) {
    return QStringLiteral("%1%2:00")
        .arg(QChar(hours < 0 ? u'-' : u'+'))
        .arg(std::abs(hours), 2, 10, QChar(u'0'));
}

// --- DateFormatHandler ---

QString MonthDayYear(const QString& month, const QString& day, const QString& year) {
    return month + u'/' + day + u'/' + year;
}

QString FromIsoMinutes(const QString& text) {
    return Chars(text, 12, 5) + u' ' +
           MonthDayYear(Chars(text, 6, 2), Chars(text, 9, 2), Chars(text, 1, 4));
}

QString FromCompactDate(const QString& text) {
    return MonthDayYear(Chars(text, 5, 2), Chars(text, 7, 2), Chars(text, 1, 4));
}

QString FromCompactDateTime(const QString& text) {
    return FromCompactDate(text) + u' ' + Chars(text, 9, 2) + u':' + Chars(text, 11, 2) + u':' +
           Chars(text, 13, 2);
}

// "Www Mmm DD hh:mm:ss ZZZ YYYY", as C's ctime writes it with a zone.
QString FromCtime(const QString& text) {
    return QStringList{Chars(text, 9, 2), Chars(text, 5, 3), Chars(text, 25, 4), Chars(text, 12, 8)}
        .join(u' ');
}

QString FromMonthDayTime(const QString& text) {
    const QString day = Chars(text, 5, IsAsciiDigit(At(text, 6)) ? 2 : 1);
    return day + u' ' + text.left(3) + u' ' + text.right(8);
}

// "Posted 01/05/2004 - 12:30 PM": the date after the first word, then the
// time after the dash.
QString AroundDash(const QString& text) {
    static const QString dash = QStringLiteral(" - ");
    const qsizetype afterWord = text.indexOf(u' ') + 1;
    const qsizetype dateEnd = text.indexOf(dash, afterWord);
    if (afterWord == 0 || dateEnd < 0)
        return text;
    return text.mid(afterWord, dateEnd + 1 - afterWord) + u' ' +
           text.mid(text.indexOf(dash) + dash.size(), 5);
}

QString WithoutTrailingNonDigits(const QString& text) {
    qsizetype end = text.size();
    while (end > 0 && !IsAsciiDigit(text.at(end - 1)))
        --end;
    return text.left(end);
}

QString WithoutCommas(QString text) {
    return text.remove(u',');
}

QString AfterFirstBlank(const QString& text) {
    return text.mid(text.indexOf(u' ') + 1);
}

std::optional<QString> Rewrite(char16_t code, const QString& text) {
    switch (code) {
    case u'1':
        return FromIsoMinutes(text);
    case u'2':
        return WithoutCommas(text);
    case u'3':
        return FromCompactDateTime(text);
    case u'4':
        return FromCompactDate(text);
    case u'5':
        return text;
    case u'6':
        return text.left(10);
    case u'7':
        return FromCtime(text);
    case u'8':
        return FromMonthDayTime(text);
    case u'9':
        return Chars(text, 6, 21);
    case u'a':
        return Chars(text, 4, 16);
    case u'b':
        return AroundDash(text);
    case u'c':
        return WithoutTrailingNonDigits(text);
    case u'd':
        return AfterFirstBlank(text);
    default:
        return std::nullopt;
    }
}

// --- ReadDateText ---

struct CalendarDay {
    int year;
    int month;
    int day;
};

// A time of day in the shapes Date::FromText reads.
const QRegularExpression& TimeOfDay() {
    static const QRegularExpression pattern(
        QStringLiteral("[0-9]{1,2}:[0-9]{2}(?::[0-9]{2})?(?: ?[AaPp][Mm])?"));
    return pattern;
}

// Any unambiguous beginning of at least three letters of a name.
std::optional<int> IndexOfName(const QString& word, const auto& names) {
    const QString upper = word.toUpper();
    if (upper.size() < 3)
        return std::nullopt;
    for (size_t i = 0; i < names.size(); ++i) {
        if (names[i].startsWith(upper))
            return static_cast<int>(i);
    }
    return std::nullopt;
}

// Two-digit years fall in the window 1930 to 2029, as the dates stored in
// existing provider files and feeds assume.
int FullYear(const QString& digits) {
    const int year = digits.toInt();
    if (digits.size() > 2)
        return year;
    return year + (year < 30 ? 2000 : 1900);
}

int CurrentYear() {
    return FeedDates::Now().ToQDate().year();
}

std::optional<CalendarDay> WithMonthName(int month, const QStringList& numbers) {
    if (numbers.size() == 1 && numbers[0].size() > 2)
        return CalendarDay{FullYear(numbers[0]), month, 1};
    if (numbers.size() == 1)
        return CalendarDay{CurrentYear(), month, numbers[0].toInt()};
    if (numbers.size() != 2)
        return std::nullopt;
    const bool yearFirst = numbers[0].size() > 2;
    return CalendarDay{FullYear(numbers[yearFirst ? 0 : 1]), month,
                       numbers[yearFirst ? 1 : 0].toInt()};
}

// Month first, unless the year leads as in ISO.
std::optional<CalendarDay> AllNumeric(const QStringList& numbers) {
    if (numbers.size() == 2)
        return CalendarDay{CurrentYear(), numbers[0].toInt(), numbers[1].toInt()};
    if (numbers.size() != 3)
        return std::nullopt;
    if (numbers[0].size() > 2)
        return CalendarDay{FullYear(numbers[0]), numbers[1].toInt(), numbers[2].toInt()};
    return CalendarDay{FullYear(numbers[2]), numbers[0].toInt(), numbers[1].toInt()};
}

std::optional<CalendarDay> ReadCalendarDay(const QString& text) {
    static const QRegularExpression token(QStringLiteral("[0-9]+|[A-Za-z]+"));
    QStringList numbers;
    std::optional<int> month;
    for (const QRegularExpressionMatch& match : token.globalMatch(text)) {
        const QString word = match.captured();
        if (IsAsciiDigit(word.front())) {
            if (word.size() > MaxFieldDigits)
                return std::nullopt;
            numbers.append(word);
        } else if (const std::optional<int> index = IndexOfName(word, MonthNames);
                   index && !month) {
            month = *index + 1;
        } else if (!IndexOfName(word, WeekdayNames)) {
            return std::nullopt;
        }
    }
    return month ? WithMonthName(*month, numbers) : AllNumeric(numbers);
}

} // namespace

namespace FeedDates {

Date ParseFeedDate(const QString& text) {
    const QString trimmed = text.trimmed();
    if (trimmed.isEmpty())
        return Now();
    try {
        const Date date = ReadInItsForm(trimmed);
        return IsPlausible(date) ? date : Now();
    } catch (const ProgramError&) {
        return Now();
    }
}

Date ParseISODate(const QString& text) {
    WallClock at{Number(Chars(text, 1, 4)), Number(Chars(text, 6, 2)), Number(Chars(text, 9, 2))};
    if (text.size() <= 10)
        return InZone(at, QStringLiteral("+00:00"));
    at.hour = Number(Chars(text, 12, 2));
    at.minute = Number(Chars(text, 15, 2));
    qsizetype zoneStart = 17;
    if (At(text, 17) == u':') {
        at.second = Number(Chars(text, 18, 2));
        zoneStart = SkipFraction(text, 20);
    }
    return InZone(at, IsoZone(text.mid(zoneStart - 1)));
}

Date ParseRFC822Date(const QString& text) {
    // A leading "Www," shifts every field by five places.
    qsizetype p = At(text, 4) == u',' ? 5 : 0;
    WallClock at;
    at.day = ReadDay(text, p);
    at.month = ReadMonth(text, p);
    at.year = Number(Chars(text, p + 8, 4));
    at.hour = ReadHour(text, p);
    at.minute = Number(Chars(text, p + 16, 2));
    at.second = At(text, p + 18) == u':' ? Number(Chars(text, p + 19, 2)) : 0;
    // Without a zone after the time the date is taken as UTC, which is what
    // the generators that leave it out mostly mean.
    const bool zoned = text.indexOf(u' ', p + 15) >= 0;
    return InZone(at,
                  zoned ? RfcZone(text.mid(text.lastIndexOf(u' ') + 1)) : QStringLiteral("+00:00"));
}

QString ZoneOffset(const QString& zoneName) {
    const QString name = zoneName.toUpper();
    for (const NamedZone& zone : NamedZones) {
        if (zone.name == name)
            return zone.offset.toString();
    }
    if (name.size() == 1) {
        if (const std::optional<int> hours = MilitaryHours(name.front()))
            return HoursOffset(*hours);
    }
    Unreadable(QStringLiteral("time zone"), zoneName);
}

int MonthNumber(const QString& monthName) {
    const QString prefix = monthName.left(3).toUpper();
    for (size_t i = 0; i < MonthNames.size(); ++i) {
        if (prefix.size() == 3 && MonthNames[i].startsWith(prefix))
            return static_cast<int>(i) + 1;
    }
    Unreadable(QStringLiteral("month"), monthName);
}

Date Now() {
    return ToLocalTime(Clock::NowUtc());
}

Long LocalOffsetSeconds() {
    return TimeZoneInfo::OffsetSeconds(Clock::NowUtc());
}

Date ToLocalTime(const QDateTime& utc) {
    return Date::FromQDateTime(TimeZoneInfo::ToLocal(utc));
}

QString DateFormatHandler(const QString& code, const QString& text) {
    if (code.size() == 1) {
        if (std::optional<QString> rewritten = Rewrite(code.front().unicode(), text))
            return *rewritten;
    }
    // Feeds with this code keep arriving; a box per story would stop the
    // program, so the text is reported once and tried as it is.
    BackgroundNotice::Report(QStringLiteral("Need a date format handler!"));
    return text;
}

std::optional<Date> ReadDateText(const QString& text) {
    const QString simplified = text.simplified();
    if (std::optional<Date> date = Date::FromText(simplified))
        return date;
    // Everything else is rewritten into the program's own month-first form,
    // which Date::FromText validates.
    const QRegularExpressionMatch time = TimeOfDay().match(simplified);
    QString rest = simplified;
    if (time.hasMatch())
        rest.remove(time.capturedStart(), time.capturedLength());
    const std::optional<CalendarDay> day = ReadCalendarDay(rest);
    if (!day)
        return std::nullopt;
    QString written =
        QStringLiteral("%1/%2/%3").arg(day->month).arg(day->day).arg(day->year, 4, 10, QChar(u'0'));
    if (time.hasMatch())
        written += u' ' + time.captured();
    return Date::FromText(written);
}

Date SafeDate(const QString& text) {
    return ReadDateText(text).value_or(Date());
}

} // namespace FeedDates
