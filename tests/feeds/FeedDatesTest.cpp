#include "feeds/FeedDates.h"

#include "platform/BackgroundNotice.h"
#include "platform/ProgramError.h"
#include "platform/TimeZoneInfo.h"

#include "support/FixedTime.h"
#include "support/FuzzCorpus.h"

#include <QStringList>

#include <gtest/gtest.h>

namespace {

// Berlin is an hour ahead of UTC now (January) and two hours in summer, so
// a conversion with the offset in force now instead of the one at the date
// shows.
class FeedDatesTest : public ::testing::Test {
protected:
    FixedTime time{QDateTime(QDate(2026, 1, 15), QTime(12, 0), Qt::UTC),
                   QTimeZone("Europe/Berlin")};
};

QString Fields(const Date& date) {
    return date.ToQDate().toString(Qt::ISODate) + u' ' +
           date.ToQTime().toString(QStringLiteral("HH:mm:ss"));
}

} // namespace

// Every reader of feed dates, and the zone and month names, on each text.
TEST_F(FeedDatesTest, FeedDateCorpusReadsAsExpected) {
    FuzzCorpus::CheckEach(
        QStringLiteral("feed_date"),
        [](const QString& text) {
            using namespace FeedDates;
            return QJsonObject{
                {"ParseFeedDate", Fields(ParseFeedDate(text))},
                {"ParseISODate", FuzzCorpus::Strictly([&] { return Fields(ParseISODate(text)); })},
                {"ParseRFC822Date",
                 FuzzCorpus::Strictly([&] { return Fields(ParseRFC822Date(text)); })},
                {"SafeDate", Fields(SafeDate(text))},
                {"ZoneOffset", FuzzCorpus::Strictly([&] { return ZoneOffset(text); })},
                {"MonthNumber", FuzzCorpus::Strictly([&] { return MonthNumber(text); })}};
        },
        QStringLiteral("feeds_tests"));
}

// The first character is the format code, the rest the text; code 5 keeps
// the text as it is, so its cases are those of the date text reader. An
// unknown code keeps the text and is reported once.
TEST_F(FeedDatesTest, DateFormatHandlerCorpusReadsAsExpected) {
    QStringList notices;
    BackgroundNotice::Forget();
    BackgroundNotice::SetSink([&notices](const QString& text) { notices.append(text); });
    FuzzCorpus::CheckEach(
        QStringLiteral("date_format_handler"),
        [](const QString& input) {
            const QString rewritten = FeedDates::DateFormatHandler(input.left(1), input.mid(1));
            const std::optional<Date> date = FeedDates::ReadDateText(rewritten);
            return QJsonObject{{"DateFormatHandler", rewritten},
                               {"ReadDateText", date ? QJsonValue(Fields(*date)) : QJsonValue()},
                               {"SafeDate", Fields(FeedDates::SafeDate(rewritten))}};
        },
        QStringLiteral("feeds_tests"));
    EXPECT_EQ(FeedDates::DateFormatHandler(u"z"_qs, u"01/05/2004"_qs), u"01/05/2004"_qs);
    EXPECT_EQ(FeedDates::DateFormatHandler(u"A"_qs, u"01/05/2004"_qs), u"01/05/2004"_qs);
    BackgroundNotice::Forget();
    BackgroundNotice::SetSink(nullptr);
    EXPECT_EQ(notices.count(u"Need a date format handler!"_qs), 1);
}

TEST_F(FeedDatesTest, DateOnlyIsMidnightUtcAndLocalOffsetIsTodays) {
    EXPECT_EQ(FeedDates::LocalOffsetSeconds(), 3600);
    TimeZoneInfo::SetLocalZone(QTimeZone("America/New_York"));
    EXPECT_EQ(FeedDates::ParseFeedDate(u"2026-01-05"_qs), Date::FromParts(2026, 1, 4, 19));
}
