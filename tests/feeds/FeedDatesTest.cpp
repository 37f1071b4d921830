#include "feeds/FeedDates.h"

#include "platform/BackgroundNotice.h"
#include "platform/Clock.h"
#include "platform/ProgramError.h"
#include "platform/TimeZoneInfo.h"

#include <QStringList>

#include <gtest/gtest.h>

namespace {

// Berlin is an hour ahead of UTC now (January) and two hours in summer, so
// a conversion with the offset in force now instead of the one at the date
// shows.
class FeedDatesTest : public ::testing::Test {
protected:
    void SetUp() override {
        Clock::SetNow(QDateTime(QDate(2026, 1, 15), QTime(12, 0), Qt::UTC));
        TimeZoneInfo::SetLocalZone(QTimeZone("Europe/Berlin"));
    }
    void TearDown() override {
        TimeZoneInfo::ResetLocalZone();
        Clock::ResetNow();
    }

    static Date Now() { return Date::FromParts(2026, 1, 15, 13); }
};

Date Berlin(int month, int day, int hour, int minute = 0, int year = 2026) {
    return Date::FromParts(year, month, day, hour, minute);
}

} // namespace

TEST_F(FeedDatesTest, IsoAndRfc822FormsAreReadInTheirZones) {
    const struct {
        QString text;
        Date local;
    } cases[] = {
        {u"2026-01-05"_qs, Berlin(1, 5, 1)},
        {u"2026-01-05T10:00:00+10:00"_qs, Berlin(1, 5, 1)},
        {u"2026-01-05T10:00:00+05:30"_qs, Berlin(1, 5, 5, 30)},
        {u"2026-01-05T10:00:00-05:00"_qs, Berlin(1, 5, 16)},
        {u"2026-01-05T10:00:00Z"_qs, Berlin(1, 5, 11)},
        {u"2026-01-05T10:00:00z"_qs, Berlin(1, 5, 11)},
        {u"2026-01-05T10:00+01:00"_qs, Berlin(1, 5, 10)},
        {u"2026-01-05T10:00:00-0500"_qs, Berlin(1, 5, 16)},
        {u"2026-01-05T10:00:00+0530"_qs, Berlin(1, 5, 5, 30)},
        {u"2026-01-05T10:00:00-05"_qs, Berlin(1, 5, 16)},
        {u"2026-01-05T10:00+05"_qs, Berlin(1, 5, 6)},
        {u"2026-01-05T10:00:00.25-05"_qs, Berlin(1, 5, 16)},
        {u"2026-01-05 10:00"_qs, Berlin(1, 5, 11)},
        {u"2026-01-05 10:00:00 +01:00"_qs, Berlin(1, 5, 10)},
        {u"2026-01-05 10:00 UTC"_qs, Berlin(1, 5, 11)},
        {u"2026-01-05T10:00:00 EST"_qs, Berlin(1, 5, 16)},
        // Fractions of seconds are dropped, the zone after them kept.
        {u"2025-01-05T10:00:00.5+05:30"_qs, Berlin(1, 5, 5, 30, 2025)},
        {u"2026-01-05T10:00:00.123Z"_qs, Berlin(1, 5, 11)},
        {u"Mon, 05 Jan 2026 10:00:00 GMT"_qs, Berlin(1, 5, 11)},
        {u"05 Jan 2026 10:00:00 GMT"_qs, Berlin(1, 5, 11)},
        {u"Mon, 5 Jan 2026 10:00:00 gmt"_qs, Berlin(1, 5, 11)},
        {u"5 Jan 2026 9:30:00 +0100"_qs, Berlin(1, 5, 9, 30)},
        {u"Mon, 05 January 2026 10:00 -0500"_qs, Berlin(1, 5, 16)},
        {u"Mon, 05 Jan 2026 10:00:00 EDT"_qs, Berlin(1, 5, 15)},
        {u"Mon, 05 Jan 2026 10:00:00 A"_qs, Berlin(1, 5, 12)},
        {u"Mon, 05 Jan 2026 10:00:00 UTC"_qs, Berlin(1, 5, 11)},
        {u"Mon, 05 Jan 2026 10:00:00 +05"_qs, Berlin(1, 5, 6)},
        // Without a zone the time is UTC, with or without seconds.
        {u"Mon, 05 Jan 2026 10:00:00"_qs, Berlin(1, 5, 11)},
        {u"Mon, 05 Jan 2026 10:00"_qs, Berlin(1, 5, 11)},
        {u"5 Jan 2026 9:30"_qs, Berlin(1, 5, 10, 30)},
        {u"\n Mon, 05 Jan 2026 10:00:00 GMT\n"_qs, Berlin(1, 5, 11)},
        {u"\t2026-01-05T10:00:00Z\r\n"_qs, Berlin(1, 5, 11)},
        // Ten years either side of now is the limit.
        {u"2016-01-01T12:00:00Z"_qs, Berlin(1, 1, 13, 0, 2016)},
        {u"2036-12-31T12:00:00Z"_qs, Berlin(12, 31, 13, 0, 2036)},
    };
    for (const auto& c : cases)
        EXPECT_EQ(FeedDates::ParseFeedDate(c.text), c.local) << c.text.toStdString();
}

TEST_F(FeedDatesTest, DateOnlyIsMidnightUtc) {
    TimeZoneInfo::SetLocalZone(QTimeZone("America/New_York"));
    EXPECT_EQ(FeedDates::ParseFeedDate(u"2026-01-05"_qs), Berlin(1, 4, 19));
}

TEST_F(FeedDatesTest, LocalTimeFollowsTheSeasonOfTheDate) {
    EXPECT_EQ(FeedDates::ParseFeedDate(u"2025-07-05T10:00:00Z"_qs), Berlin(7, 5, 12, 0, 2025));
    EXPECT_EQ(FeedDates::LocalOffsetSeconds(), 3600);
}

TEST_F(FeedDatesTest, UnreadableOrFarAwayDatesBecomeNow) {
    for (const QString& text :
         {u""_qs, u" \n"_qs, u"yesterday"_qs, u"Mon, 05 Jan 26 10:00:00 GMT"_qs,
          u"Mon, 05 Jan 2026 10:00:00 CET"_qs, u"Mon, 05 Jan 2026 10:00:00 +5"_qs,
          u"Mon, 05 Foo 2026 10:00:00 GMT"_qs, u"2026-01-05T1x:00:00Z"_qs,
          u"2026-01-05T10:00:00+5"_qs, u"2026-01-05T10:00:00 CET"_qs, u"0000-01-01T00:00:00Z"_qs,
          u"2026-01-05T"_qs, u"1970-01-01T00:00:00Z"_qs, u"2015-12-31T12:00:00Z"_qs,
          u"2037-01-01T12:00:00Z"_qs})
        EXPECT_EQ(FeedDates::ParseFeedDate(text), Now()) << text.toStdString();
}

TEST_F(FeedDatesTest, StrictReadersThrowInsteadOfFallingBack) {
    EXPECT_THROW(FeedDates::ParseISODate(u"2026-xx-05"_qs), ProgramError);
    EXPECT_THROW(FeedDates::ParseRFC822Date(u"Mon, 05 Jan 2026 10:00:00 CET"_qs), ProgramError);
    // Out-of-range fields roll over instead.
    EXPECT_EQ(FeedDates::ParseISODate(u"2004-01-32T00:00:00Z"_qs), Berlin(2, 1, 1, 0, 2004));
}

TEST_F(FeedDatesTest, ZoneAndMonthNames) {
    const QStringList zones[] = {{u"ut"_qs, u"+00:00"_qs}, {u"utc"_qs, u"+00:00"_qs},
                                 {u"z"_qs, u"+00:00"_qs},  {u"PST"_qs, u"-08:00"_qs},
                                 {u"A"_qs, u"-01:00"_qs},  {u"I"_qs, u"-09:00"_qs},
                                 {u"K"_qs, u"-10:00"_qs},  {u"M"_qs, u"-12:00"_qs},
                                 {u"N"_qs, u"+01:00"_qs},  {u"y"_qs, u"+12:00"_qs}};
    for (const QStringList& zone : zones)
        EXPECT_EQ(FeedDates::ZoneOffset(zone[0]), zone[1]) << zone[0].toStdString();
    EXPECT_THROW(FeedDates::ZoneOffset(u"J"_qs), ProgramError);
    EXPECT_THROW(FeedDates::ZoneOffset(u"CET"_qs), ProgramError);

    EXPECT_EQ(FeedDates::MonthNumber(u"jan"_qs), 1);
    EXPECT_EQ(FeedDates::MonthNumber(u"September"_qs), 9);
    EXPECT_EQ(FeedDates::MonthNumber(u"DEC"_qs), 12);
    EXPECT_THROW(FeedDates::MonthNumber(u"Ja"_qs), ProgramError);
    EXPECT_THROW(FeedDates::MonthNumber(u"Mär"_qs), ProgramError);
}
TEST_F(FeedDatesTest, DateFormatCodes) {
    const QStringList cases[] = {
        {u"1"_qs, u"2004-01-05 12:30 UTC"_qs, u"12:30 01/05/2004"_qs},
        {u"2"_qs, u"January 5, 2004, 12:30"_qs, u"January 5 2004 12:30"_qs},
        {u"3"_qs, u"20040105123000"_qs, u"01/05/2004 12:30:00"_qs},
        {u"4"_qs, u"20040105"_qs, u"01/05/2004"_qs},
        {u"5"_qs, u"as is"_qs, u"as is"_qs},
        {u"6"_qs, u"2004-01-05T12:30:00Z"_qs, u"2004-01-05"_qs},
        {u"7"_qs, u"Mon Jan 05 12:30:00 EST 2004"_qs, u"05 Jan 2004 12:30:00"_qs},
        {u"8"_qs, u"Jan 05 2004 12:30:00"_qs, u"05 Jan 12:30:00"_qs},
        {u"8"_qs, u"Jan 5, 2004 12:30:00"_qs, u"5 Jan 12:30:00"_qs},
        {u"9"_qs, u"Mon, 05 Jan 2004 12:30:00 GMT"_qs, u"05 Jan 2004 12:30:00 "_qs},
        {u"a"_qs, u"on 01/05/2004 12:30:00 PM"_qs, u"01/05/2004 12:30"_qs},
        {u"b"_qs, u"Posted 01/05/2004 - 12:30 PM"_qs, u"01/05/2004  12:30"_qs},
        {u"c"_qs, u"2004-01-05 (UTC)"_qs, u"2004-01-05"_qs},
        {u"d"_qs, u"Posted 01/05/2004"_qs, u"01/05/2004"_qs}};
    for (const QStringList& c : cases)
        EXPECT_EQ(FeedDates::DateFormatHandler(c[0], c[1]), c[2]) << c[0].toStdString();
}

TEST_F(FeedDatesTest, DateFormatCodesOnShortTextsStayInBounds) {
    for (const QChar code : u"123456789abcd"_qs) {
        for (const QString& text : {QString(), u"x"_qs, u"2004"_qs})
            (void)FeedDates::DateFormatHandler(QString(code), text);
    }
    EXPECT_EQ(FeedDates::DateFormatHandler(u"b"_qs, u"no dash here"_qs), u"no dash here"_qs);
}

TEST_F(FeedDatesTest, UnknownDateFormatCodeIsReportedOnceAndKeepsTheText) {
    QStringList notices;
    BackgroundNotice::Forget();
    BackgroundNotice::SetSink([&notices](const QString& text) { notices.append(text); });
    EXPECT_EQ(FeedDates::DateFormatHandler(u"z"_qs, u"01/05/2004"_qs), u"01/05/2004"_qs);
    EXPECT_EQ(FeedDates::DateFormatHandler(u"A"_qs, u"01/05/2004"_qs), u"01/05/2004"_qs);
    BackgroundNotice::Forget();
    BackgroundNotice::SetSink(nullptr);
    EXPECT_EQ(notices, QStringList{u"Need a date format handler!"_qs});
}

TEST_F(FeedDatesTest, ReadDateTextReadsMonthFirstWhateverTheLocale) {
    using FeedDates::SafeDate;
    const Date lunchtime = Berlin(1, 5, 12, 30, 2004);
    for (const QString& text :
         {u"01/05/2004 12:30:00"_qs, u"12:30 01/05/2004"_qs, u"05 Jan 2004 12:30:00 "_qs,
          u"January 5 2004 12:30"_qs, u"Mon Jan 05 2004 12:30 PM"_qs, u"2004-01-05 12:30"_qs,
          u"1/5/04 12:30"_qs})
        EXPECT_EQ(SafeDate(text), lunchtime) << text.toStdString();
    EXPECT_EQ(SafeDate(u"5 Jan 12:30:00"_qs), Berlin(1, 5, 12, 30));
    EXPECT_EQ(SafeDate(u"Sept 1945"_qs), Berlin(9, 1, 0, 0, 1945));
    EXPECT_EQ(SafeDate(u"12:30"_qs), Date::FromParts(1899, 12, 30, 12, 30));
}

TEST_F(FeedDatesTest, SafeDateGivesTheZeroDateForUnreadableTexts) {
    for (const QString& text : {QString(), u"soon"_qs, u"13/45/2004"_qs, u"Jan Feb 2004"_qs,
                                u"1/2/3/4"_qs, u"25:00 1/5/2004"_qs, u"5 Jan 12345"_qs}) {
        EXPECT_FALSE(FeedDates::ReadDateText(text)) << text.toStdString();
        EXPECT_EQ(FeedDates::SafeDate(text), Date());
    }
}
