#include "feeds/BackslashReader.h"
#include "feeds/MoreoverReader.h"
#include "feeds/StoryListReader.h"
#include "feeds/UltramodeReader.h"

#include "platform/ProgramError.h"
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

// A story that lacks what its format requires fails the whole load rather
// than giving a half-read story.
TEST_F(OlderFormatsTest, MissingOrUnreadableRequiredFieldFailsTheLoad) {
    using Reader = bool (*)(Provider&, StoryCollection&, const XmlNode&);
    const struct {
        const char* what;
        Reader read;
        QByteArray xml;
    } cases[] = {
        {"story list without post time", StoryListReader::ReadStories,
         "<storyList><story><postTime>Mon, 05 Jan 2004 12:30:00 GMT</postTime>"
         "<channelUrl>http://a/</channelUrl><storyText>One</storyText></story>"
         "<story><channelUrl>http://b/</channelUrl><storyText>Two</storyText></story>"
         "</storyList>"},
        {"ultramode comment count no number", UltramodeReader::ReadStories,
         "<ultramode><story><title>T</title><url>http://a/</url><time>2000-05-25 14:47:22</time>"
         "<author>a</author><department>d</department><topic>t</topic><comments>many</comments>"
         "<section>s</section><image>i.gif</image></story></ultramode>"},
        {"moreover text without harvest time", MoreoverReader::ReadStories,
         "<moreovernews><article><url>http://a/</url><headline_text>News</headline_text>"
         "<media_type>text</media_type></article></moreovernews>"},
    };
    for (const auto& c : cases)
        EXPECT_THROW(c.read(provider, stories, Parse(c.xml)), ProgramError) << c.what;

    // Only text articles need the time: other media are skipped unread.
    EXPECT_TRUE(MoreoverReader::ReadStories(
        provider, stories,
        Parse("<moreovernews><article><url>http://a/</url><headline_text>Photo</headline_text>"
              "<media_type>image</media_type></article></moreovernews>")));
}

} // namespace
