#include "platform/Date.h"

#include "platform/ProgramError.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <utility>
#include <vector>

namespace {

QDateTime Utc(const QDate& date, const QTime& time) {
    return QDateTime(date, time, Qt::UTC);
}

} // namespace

TEST(DateTest, ZeroAndNeverDates) {
    EXPECT_EQ(Date().Days(), 0.0);
    EXPECT_EQ(Date::FromParts(1899, 12, 30), Date());
    EXPECT_EQ(Date().ToQDate(), QDate(1899, 12, 30));
    EXPECT_EQ(Date::Never().Days(), 2.0);
    EXPECT_EQ(Date::FromParts(1900, 1, 1), Date::Never());
    EXPECT_EQ(Date::FromParts(2000, 1, 1).Days(), 36526.0);
}

TEST(DateTest, FromPartsRollsOverOutOfRangeFields) {
    const std::pair<Date, Date> cases[] = {
        {Date::FromParts(2025, 13, 1), Date::FromParts(2026, 1, 1)},
        {Date::FromParts(2025, 0, 15), Date::FromParts(2024, 12, 15)},
        {Date::FromParts(2025, -13, 1), Date::FromParts(2023, 11, 1)},
        {Date::FromParts(2024, 3, 0), Date::FromParts(2024, 2, 29)},
        {Date::FromParts(2023, 3, 0), Date::FromParts(2023, 2, 28)},
        {Date::FromParts(2025, 1, 32), Date::FromParts(2025, 2, 1)},
        {Date::FromParts(2025, 1, -30), Date::FromParts(2024, 12, 1)},
        {Date::FromParts(2025, 14, 0), Date::FromParts(2026, 1, 31)},
        {Date::FromParts(2025, 1, 1, 25), Date::FromParts(2025, 1, 2, 1)},
        {Date::FromParts(2025, 1, 1, 0, -1), Date::FromParts(2024, 12, 31, 23, 59)},
        {Date::FromParts(2025, 1, 1, 1, -90), Date::FromParts(2024, 12, 31, 23, 30)},
        {Date::FromParts(2025, 1, 1, 0, 0, 3600), Date::FromParts(2025, 1, 1, 1)},
        {Date::FromParts(2025, 12, 31, 48), Date::FromParts(2026, 1, 2)},
    };
    for (const auto& [rolled, expected] : cases)
        EXPECT_EQ(rolled.ToText(), expected.ToText());
}

TEST(DateTest, BeforeDayZeroTheFractionIsAPositiveTimeOfDay) {
    const Date sixInTheMorning = Date::FromDays(-1.25);
    EXPECT_EQ(sixInTheMorning.ToQDate(), QDate(1899, 12, 29));
    EXPECT_EQ(sixInTheMorning.ToQTime(), QTime(6, 0));
    EXPECT_EQ(Date::FromParts(1899, 12, 29, 6).Days(), -1.25);
    EXPECT_EQ(Date::FromQDateTime(Utc(QDate(1899, 12, 29), QTime(6, 0))).Days(), -1.25);

    // A negative time rolls back across day zero the same way.
    EXPECT_EQ(Date::FromParts(1899, 12, 30, -6).Days(), -1.75);
    EXPECT_EQ(Date::FromParts(1800, 1, 1, 18).ToQTime(), QTime(18, 0));
    EXPECT_LT(Date::FromParts(1800, 1, 1, 18).Days(), Date::FromParts(1800, 1, 1).Days());

    // Day zero has no sign, so -0.5 is noon of day zero.
    EXPECT_EQ(Date::FromDays(-0.5).ToText(), "12:00:00 PM");
    EXPECT_EQ(Date::FromDays(-0.5).ToQDate(), QDate(1899, 12, 30));
}

TEST(DateTest, TimeRoundsToTheNearestSecondCarryingIntoTheNextDay) {
    const double justBeforeMidnight = 3.0 - 0.4 / 86400;
    EXPECT_EQ(Date::FromDays(justBeforeMidnight).ToQDate(), QDate(1900, 1, 2));
    EXPECT_EQ(Date::FromDays(justBeforeMidnight).ToQTime(), QTime(0, 0));
    EXPECT_EQ(Date::FromDays(justBeforeMidnight).ToText(), "1/2/1900");

    const double beforeDayZeroMidnight = -1.0 - (1.0 - 0.4 / 86400);
    EXPECT_EQ(Date::FromDays(beforeDayZeroMidnight).ToQDate(), QDate(1899, 12, 30));
    EXPECT_EQ(Date::FromDays(beforeDayZeroMidnight).ToText(), "12:00:00 AM");

    EXPECT_EQ(Date::FromDays(1.0 + 10.6 / 86400).ToQTime(), QTime(0, 0, 11));
    EXPECT_EQ(Date::FromQDateTime(Utc(QDate(2026, 1, 1), QTime(8, 0, 0, 400))).ToQTime(),
              QTime(8, 0));
}

TEST(DateTest, TextRoundTripsOverTheWholeRange) {
    const int edgeSeconds[] = {0, 1, 59, 3599, 43199, 43200, 43201, 46800, 86399};
    int checked = 0;
    for (qint64 day = -657434; day <= 2958465; day += 7919) {
        for (const int seconds : edgeSeconds) {
            const int varied = static_cast<int>((day * 7 + seconds) % 86400 + 86400) % 86400;
            for (const int second : {seconds, varied}) {
                const Date date =
                    Date::FromParts(1899, 12, 30 + static_cast<int>(day), 0, 0, second);
                const std::optional<Date> reread = Date::FromText(date.ToText());
                ASSERT_TRUE(reread.has_value()) << date.ToText().toStdString();
                ASSERT_EQ(reread->Days(), date.Days()) << date.ToText().toStdString();
                ++checked;
            }
        }
    }
    EXPECT_GT(checked, 7000);
}

TEST(DateTest, QtConversionsKeepTheWallClockFields) {
    const QDate date(2026, 1, 15);
    const QTime time(12, 34, 56);
    const Date fromUtc = Date::FromQDateTime(Utc(date, time));
    EXPECT_EQ(fromUtc, Date::FromParts(2026, 1, 15, 12, 34, 56));
    // No zone conversion: the same fields in another zone give the same date.
    EXPECT_EQ(Date::FromQDateTime(QDateTime(date, time, Qt::OffsetFromUTC, 5 * 3600)), fromUtc);

    const QDateTime local = fromUtc.ToQDateTime();
    EXPECT_EQ(local.timeSpec(), Qt::LocalTime);
    EXPECT_EQ(local.date(), date);
    EXPECT_EQ(local.time(), time);
    EXPECT_EQ(Date::FromQDateTime(local), fromUtc);
}

TEST(DateTest, ValuesOutsideTheRangeAreErrors) {
    for (const double days :
         {std::numeric_limits<double>::quiet_NaN(), std::numeric_limits<double>::infinity(),
          -657435.0, 2958466.0, 1e300}) {
        EXPECT_THROW(Date::FromDays(days), ProgramError) << days;
    }
    EXPECT_EQ(Date::FromDays(-657434.5).ToQDate(), QDate(100, 1, 1));
    EXPECT_EQ(Date::FromDays(2958465.5).ToQDate(), QDate(9999, 12, 31));
    EXPECT_THROW(Date::FromParts(10000, 1, 1), ProgramError);
    EXPECT_THROW(Date::FromParts(99, 12, 31), ProgramError);
    EXPECT_EQ(Date::FromParts(10000, 1, 0).ToQDate(), QDate(9999, 12, 31));
    EXPECT_THROW(Date::FromQDateTime(QDateTime()), ProgramError);
}
