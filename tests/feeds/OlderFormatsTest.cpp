#include "feeds/BackslashReader.h"
#include "feeds/FeedFormat.h"
#include "feeds/MoreoverReader.h"
#include "feeds/StoryListReader.h"
#include "feeds/UltramodeReader.h"

#include "platform/XmlDocument.h"
#include "support/FixedTime.h"
#include "support/TestData.h"

#include <gtest/gtest.h>

#include <memory>

namespace {

// Readers of the XML formats that came before RSS: story list, ultramode,
// backslash and Moreover.
class OlderFormatsTest : public ::testing::Test {
protected:
    FixedTime fixedTime{QDateTime(QDate(2026, 1, 5), QTime(10, 0), Qt::UTC), QTimeZone(3600)};

    XmlNode Fixture(const QString& name) { return Parse(TestData::Read("feeds/" + name)); }
    XmlNode Parse(const QByteArray& xml) {
        documents.push_back(std::make_unique<XmlDocument>());
        EXPECT_TRUE(documents.back()->LoadXML(xml));
        return documents.back()->DocumentElement();
    }

    std::vector<std::unique_ptr<XmlDocument>> documents;
    Provider provider;
    StoryCollection stories;
};

TEST_F(OlderFormatsTest, StoryListKeepsTimesAsWrittenWithoutTheirZone) {
    ASSERT_TRUE(StoryListReader::ReadStories(provider, stories, Fixture("storylist.xml")));

    ASSERT_EQ(stories.Count(), 3);
    EXPECT_EQ(stories.Item(1).Title, "Harbor & rail plan approved after late session");
    EXPECT_EQ(stories.Item(1).PartialURL, "http://gazette.example.com/");
    EXPECT_EQ(stories.Item(1).Time.ToText(), "1/5/2004 12:30:00 PM");
    EXPECT_EQ(stories.Item(2).Time.ToText(), "1/6/2004 8:15:00 AM");
    EXPECT_EQ(stories.Item(3).Title, "Lighthouse keeper retires after 31 years");
    EXPECT_EQ(stories.Item(3).Description, "");
}

TEST_F(OlderFormatsTest, UltramodeReadsTitlesLinksTimesAndComments) {
    ASSERT_TRUE(UltramodeReader::ReadStories(provider, stories, Fixture("ultramode.xml")));

    ASSERT_EQ(stories.Count(), 3);
    const Story& kernel = stories.Item(1);
    EXPECT_EQ(kernel.Title, "Kernel 2.4.0-test1 Released");
    EXPECT_EQ(kernel.Time.ToText(), "5/25/2000 2:47:22 PM");
    EXPECT_EQ(kernel.Comments, 412);
    const Story& backups = stories.Item(2);
    EXPECT_EQ(backups.Title, "Ask the Readers: Backups & Tape Drives?");
    EXPECT_EQ(backups.PartialURL, "http://news.example.org/askreaders/00/05/25/1320245.shtml");
    EXPECT_EQ(backups.Comments, 87);
    EXPECT_EQ(stories.Item(3).Time, Date()) << "an unreadable time gives the zero date";
}

TEST_F(OlderFormatsTest, BackslashSkipsAStoryWithoutImage) {
    ASSERT_TRUE(BackslashReader::ReadStories(provider, stories, Fixture("backslash.xml")));

    ASSERT_EQ(stories.Count(), 2);
    EXPECT_EQ(stories.Item(1).Title, "Open Source Router Firmware Reaches 1.0");
    EXPECT_EQ(stories.Item(2).Title, "Library Digitises Ship Logs");
    EXPECT_EQ(stories.Item(2).Comments, 23);
}

TEST_F(OlderFormatsTest, MoreoverReadsOnlyTextArticles) {
    ASSERT_TRUE(MoreoverReader::ReadStories(provider, stories, Fixture("moreover.xml")));

    ASSERT_EQ(stories.Count(), 2);
    EXPECT_EQ(stories.Item(1).Title, "Shipping rates climb as fuel costs rise");
    EXPECT_EQ(stories.Item(1).PartialURL, "http://p.example.com/click/here.pl?x209361234");
    EXPECT_EQ(stories.Item(1).Time.ToText(), "1/14/2004 9:52:00 AM");
    EXPECT_EQ(stories.Item(2).Title, "Port authority names new director & deputy");
}

// One odd story never stops the feed: a comment count the list cannot show
// is clamped to what it can, and the stories around it stand.
TEST_F(OlderFormatsTest, CommentCountsAreClampedPerStory) {
    const struct {
        const char* document;
        QList<Integer> comments;
    } cases[] = {
        {"backslash/comments-out-of-range.xml", {12, 32767}},
        {"backslash/comments-unreadable.xml", {0, 0, 0, 7}},
    };
    for (const auto& c : cases) {
        StoryCollection read;
        provider.LoadState = LoadState::Failed;
        ASSERT_TRUE(BackslashReader::ReadStories(provider, read, Fixture(c.document)));
        QList<Integer> comments;
        for (const Story& story : read)
            comments.append(story.Comments);
        EXPECT_EQ(comments, c.comments) << c.document;
        EXPECT_EQ(provider.LoadState, LoadState::LoadedWithNewStories) << c.document;
    }
}

// A story or article without its time is as new as the moment it is read.
TEST_F(OlderFormatsTest, MissingTimeIsTheMomentOfReading) {
    using Reader = bool (*)(Provider&, StoryCollection&, const XmlNode&);
    const Date now = Date::FromParts(2026, 1, 5, 11);
    const struct {
        const char* document;
        Reader read;
        Date first;
        Date last;
    } cases[] = {
        {"storylist/missing-post-time.xml", StoryListReader::ReadStories,
         Date::FromParts(2026, 1, 5, 9, 30), Date::FromParts(2026, 1, 4, 18)},
        {"moreover/missing-harvest-time.xml", MoreoverReader::ReadStories,
         Date::FromParts(2026, 1, 5, 9, 52), Date::FromParts(2026, 1, 4, 16, 10)},
    };
    for (const auto& c : cases) {
        StoryCollection read;
        ASSERT_TRUE(c.read(provider, read, Fixture(c.document)));
        ASSERT_EQ(read.Count(), 3) << c.document;
        EXPECT_EQ(read.Item(1).Time, c.first) << c.document;
        EXPECT_EQ(read.Item(2).Time, now) << c.document;
        EXPECT_EQ(read.Item(3).Time, c.last) << c.document;
    }

    // Only text articles are read at all: other media are skipped unread.
    EXPECT_TRUE(MoreoverReader::ReadStories(
        provider, stories,
        Parse("<moreovernews><article><url>http://a/</url><headline_text>Photo</headline_text>"
              "<media_type>image</media_type></article></moreovernews>")));
    EXPECT_EQ(stories.Count(), 0);
}

} // namespace
