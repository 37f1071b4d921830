#include "platform/TimeZoneInfo.h"

#include <gtest/gtest.h>

namespace {

class TimeZoneInfoTest : public ::testing::Test {
protected:
    void SetUp() override { TimeZoneInfo::SetLocalZone(QTimeZone("Europe/Berlin")); }
    void TearDown() override { TimeZoneInfo::ResetLocalZone(); }
};

QDateTime Utc(int year, int month, int day, int hour) {
    return QDateTime(QDate(year, month, day), QTime(hour, 0), Qt::UTC);
}

} // namespace

TEST_F(TimeZoneInfoTest, OffsetFollowsTheSeasonOfTheInstant) {
    EXPECT_EQ(TimeZoneInfo::OffsetSeconds(Utc(2026, 1, 5, 10)), 3600);
    EXPECT_EQ(TimeZoneInfo::OffsetSeconds(Utc(2025, 7, 5, 10)), 7200);
}

TEST_F(TimeZoneInfoTest, ToLocalGivesTheWallClock) {
    const QDateTime local = TimeZoneInfo::ToLocal(Utc(2025, 7, 5, 10));
    EXPECT_EQ(local.time(), QTime(12, 0));
    EXPECT_EQ(local.date(), QDate(2025, 7, 5));
}

TEST_F(TimeZoneInfoTest, ResetReturnsToTheSystemZone) {
    TimeZoneInfo::ResetLocalZone();
    EXPECT_EQ(TimeZoneInfo::LocalZone(), QTimeZone::systemTimeZone());
}

TEST_F(TimeZoneInfoTest, TheHourOfTheChangeToSummerTime) {
    // Berlin moved its clocks from 02:00 to 03:00 at 01:00 UTC on 29 March 2026.
    const QDateTime before(QDate(2026, 3, 29), QTime(0, 59, 59), Qt::UTC);
    const QDateTime after(QDate(2026, 3, 29), QTime(1, 0, 0), Qt::UTC);
    EXPECT_EQ(TimeZoneInfo::ToLocal(before).time(), QTime(1, 59, 59));
    EXPECT_EQ(TimeZoneInfo::ToLocal(after).time(), QTime(3, 0, 0));
    EXPECT_EQ(TimeZoneInfo::OffsetSeconds(before), 3600);
    EXPECT_EQ(TimeZoneInfo::OffsetSeconds(after), 7200);
}

TEST_F(TimeZoneInfoTest, ChangingTheZoneForgetsRememberedOffsets) {
    const QDateTime when(QDate(2026, 1, 5), QTime(10, 0), Qt::UTC);
    EXPECT_EQ(TimeZoneInfo::OffsetSeconds(when), 3600);
    TimeZoneInfo::SetLocalZone(QTimeZone("Asia/Kolkata"));
    EXPECT_EQ(TimeZoneInfo::OffsetSeconds(when), 19800);
    EXPECT_EQ(TimeZoneInfo::ToLocal(when).time(), QTime(15, 30));
}
