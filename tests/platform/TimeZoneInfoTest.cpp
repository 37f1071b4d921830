#include "platform/TimeZoneInfo.h"

#include <gtest/gtest.h>

namespace {

class TimeZoneInfoTest : public ::testing::Test {
protected:
    void SetUp() override { TimeZoneInfo::SetLocalZone(QTimeZone("Europe/Berlin")); }
    void TearDown() override { TimeZoneInfo::ResetLocalZone(); }
};

QDateTime Utc(int month, int day, const QTime& time, int year = 2026) {
    return QDateTime(QDate(year, month, day), time, Qt::UTC);
}

} // namespace

TEST_F(TimeZoneInfoTest, OffsetAndWallClockFollowTheSeasonOfTheInstant) {
    // Berlin moved its clocks from 02:00 to 03:00 at 01:00 UTC on 29 March
    // 2026; offsets are remembered per quarter hour, and the last second
    // before the change must not take the later offset.
    const struct {
        QDateTime utc;
        int offset;
        QDateTime local;
    } cases[] = {
        {Utc(1, 5, QTime(10, 0)), 3600, QDateTime(QDate(2026, 1, 5), QTime(11, 0))},
        {Utc(7, 5, QTime(10, 0), 2025), 7200, QDateTime(QDate(2025, 7, 5), QTime(12, 0))},
        {Utc(3, 29, QTime(0, 59, 59)), 3600, QDateTime(QDate(2026, 3, 29), QTime(1, 59, 59))},
        {Utc(3, 29, QTime(1, 0)), 7200, QDateTime(QDate(2026, 3, 29), QTime(3, 0))},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(TimeZoneInfo::OffsetSeconds(c.utc), c.offset) << c.utc.toString().toStdString();
        const QDateTime local = TimeZoneInfo::ToLocal(c.utc);
        EXPECT_EQ(local.date(), c.local.date()) << c.utc.toString().toStdString();
        EXPECT_EQ(local.time(), c.local.time()) << c.utc.toString().toStdString();
    }

    // Changing the zone forgets the remembered offsets.
    const QDateTime when = Utc(1, 5, QTime(10, 0));
    EXPECT_EQ(TimeZoneInfo::OffsetSeconds(when), 3600);
    TimeZoneInfo::SetLocalZone(QTimeZone("Asia/Kolkata"));
    EXPECT_EQ(TimeZoneInfo::OffsetSeconds(when), 19800);
    EXPECT_EQ(TimeZoneInfo::ToLocal(when).time(), QTime(15, 30));
    TimeZoneInfo::ResetLocalZone();
    EXPECT_EQ(TimeZoneInfo::LocalZone(), QTimeZone::systemTimeZone());
}
