#include "feeds/TextFeedReader.h"

#include "platform/BackgroundNotice.h"
#include "support/FixedTime.h"
#include "support/TestData.h"

#include <gtest/gtest.h>

namespace {

class TextFeedReaderTest : public ::testing::Test {
protected:
    FixedTime fixedTime{QDateTime(QDate(2026, 1, 5), QTime(10, 0), Qt::UTC), QTimeZone(3600)};
    void SetUp() override { provider.SiteURL = QStringLiteral("http://hbj.example.com/"); }

    bool Read(const QString& spec, const QString& text) {
        provider.TextFormatSpec = spec;
        return TextFeedReader::ReadStories(provider, stories, text);
    }
    QStringList Titles() const {
        QStringList titles;
        for (const Story& story : stories)
            titles.append(story.Title);
        return titles;
    }

    Provider provider;
    StoryCollection stories;
};

TEST_F(TextFeedReaderTest, DefaultSpecMakesEveryNonEmptyLineAStoryDatedNow) {
    ASSERT_TRUE(Read(QString(), QString::fromUtf8(TestData::Read("feeds/text-headlines.txt"))));

    EXPECT_EQ(Titles(),
              QStringList({"Ferry timetable changes from Monday", "New fish market hours announced",
                           "Council meeting moved to Thursday"}));
    EXPECT_EQ(stories.Item(1).PartialURL, "http://hbj.example.com/");
    EXPECT_EQ(stories.Item(1).Time.ToText(), "1/5/2026 11:00:00 AM");
    EXPECT_TRUE(stories.Item(1).NewStory);
}

TEST_F(TextFeedReaderTest, RelativeLinksDatesAndTimesFollowTheLetters) {
    ASSERT_TRUE(Read("02,04,TRD4H", QString::fromUtf8(TestData::Read("feeds/text-dated.txt"))));

    ASSERT_EQ(stories.Count(), 3);
    EXPECT_EQ(stories.Item(1).Title, "Shipping rates climb as fuel costs rise");
    EXPECT_EQ(stories.Item(1).PartialURL, "http://hbj.example.com/2004/01/14/shipping-rates.html");
    EXPECT_EQ(stories.Item(1).Time.ToText(), "1/14/2004 9:52:00 AM");
    EXPECT_EQ(stories.Item(3).Time.ToText(), "1/13/2004 5:30:00 PM");
}

TEST_F(TextFeedReaderTest, CrLfLineEndsReadLikeLf) {
    ASSERT_TRUE(
        Read("02,03,TUX", "head\r\nline\r\nOne\r\nhttp://a/1\r\nx\r\nTwo\r\n http://a/2 \r\n"));

    EXPECT_EQ(Titles(), QStringList({"One", "Two"}));
    EXPECT_EQ(stories.Item(1).PartialURL, "http://a/1");
    EXPECT_EQ(stories.Item(2).PartialURL, "http://a/2") << "the final group lacks its third line";
}

TEST_F(TextFeedReaderTest, GroupWithUnreadableDateIsDroppedAndReadingGoesOn) {
    ASSERT_TRUE(Read("00,02,TD4", "Bad\nsoon\nGood\n20040105\n"));

    EXPECT_EQ(Titles(), QStringList({"Good"}));
    EXPECT_EQ(stories.Item(1).Time.ToText(), "1/5/2004");
}

TEST_F(TextFeedReaderTest, LettersBeyondTwentyLinesAreIgnored) {
    const QString letters = "TU" + QString(18, u'X') + "U";
    ASSERT_TRUE(Read("00,02," + letters, "Only\nhttp://a/1\n"));

    ASSERT_EQ(stories.Count(), 1);
    EXPECT_EQ(stories.Item(1).PartialURL, "http://a/1");
}

TEST_F(TextFeedReaderTest, LinesPerStoryOutsideOneToTwentyFailsWithoutStories) {
    for (const char* spec : {"0,1,T", "00,25,T", "00,21,T", "00,00,T", "T", "00,xy,T", "00,-1,T"}) {
        EXPECT_FALSE(Read(spec, "One\nTwo\nThree\n")) << spec;
        EXPECT_EQ(stories.Count(), 0) << spec;
    }
}

TEST_F(TextFeedReaderTest, UnknownDateCodeIsReportedOnceAcrossLoads) {
    QStringList notices;
    BackgroundNotice::Forget();
    BackgroundNotice::SetSink([&notices](const QString& text) { notices.append(text); });
    QString text;
    for (int group = 1; group <= 50; ++group)
        text += QStringLiteral("Story %1\n01/05/2004\n").arg(group);

    Read("00,02,TDz", text);
    Read("00,02,TDz", text);

    EXPECT_EQ(notices.size(), 1);
    BackgroundNotice::Forget();
    BackgroundNotice::SetSink(nullptr);
}

} // namespace
