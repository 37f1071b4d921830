#include "platform/Date.h"

#include "platform/ProgramError.h"
#include "support/TestData.h"

#include <gtest/gtest.h>

namespace {

QDateTime Utc(const QDate& date, const QTime& time) {
    return QDateTime(date, time, Qt::UTC);
}

Date FromRow(const QStringList& row) {
    if (row[0] == u"days")
        return Date::FromDays(row[1].toDouble());
    QList<int> parts;
    for (const QString& part : row[1].split(u','))
        parts.append(part.toInt());
    parts.resize(6);
    return Date::FromParts(parts[0], parts[1], parts[2], parts[3], parts[4], parts[5]);
}

} // namespace

TEST(DateTest, DatesFromPartsAndDaysAsTheTableHasThem) {
    EXPECT_EQ(Date::Never(), Date::FromParts(1900, 1, 1));
    EXPECT_EQ(Date(), Date::FromDays(0));
    for (const QStringList& row : TestData::Table("tables/date_values.tsv")) {
        SCOPED_TRACE(row.join(u' ').toStdString());
        if (row[3] == u"error") {
            EXPECT_THROW(FromRow(row), ProgramError);
            continue;
        }
        const Date date = FromRow(row);
        if (!row[2].isEmpty()) {
            EXPECT_EQ(date.Days(), row[2].toDouble());
        }
        EXPECT_EQ(date.ToQDate().toString(Qt::ISODate) + u' ' +
                      date.ToQTime().toString(QStringLiteral("HH:mm:ss")),
                  row[3]);
        EXPECT_EQ(date.ToText().toStdString(), row[4].toStdString());
    }
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
    EXPECT_EQ(Date::FromQDateTime(Utc(QDate(1899, 12, 29), QTime(6, 0))).Days(), -1.25);
    EXPECT_EQ(Date::FromQDateTime(Utc(QDate(2026, 1, 1), QTime(8, 0, 0, 400))).ToQTime(),
              QTime(8, 0));
    EXPECT_THROW(Date::FromQDateTime(QDateTime()), ProgramError);

    const QDateTime local = fromUtc.ToQDateTime();
    EXPECT_EQ(local.timeSpec(), Qt::LocalTime);
    EXPECT_EQ(local.date(), date);
    EXPECT_EQ(local.time(), time);
    EXPECT_EQ(Date::FromQDateTime(local), fromUtc);
}
