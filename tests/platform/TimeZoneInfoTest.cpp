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
