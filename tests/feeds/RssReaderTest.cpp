#include "feeds/RssReader.h"
#include "feeds/FeedConstants.h"

#include "model/Provider.h"
#include "platform/XmlDocument.h"
#include "support/FixedTime.h"

#include <gtest/gtest.h>

// How documents read is shown by the cases under data/feeds/rss; what stays
// here depends on a provider's address, which a document cannot carry.

TEST(RssReaderTest, ArchiveLinksLoseTheirRepeatedSegment) {
    EXPECT_EQ(
        RssReader::RewriteGroupArchiveLink("http://lists.example/archive/kayak/msg/2026/msg/42"),
        "http://lists.example/kayak/msg/2026/42");
    EXPECT_EQ(RssReader::RewriteGroupArchiveLink("http://lists.example/kayak/msg/42"),
              "http://lists.example/kayak/msg/42");
    EXPECT_EQ(RssReader::RewriteGroupArchiveLink("http://lists.example/kayak//"),
              "http://lists.example/kayak");

    EXPECT_EQ(RssReader::GroupArchiveFeedURL("http://groups.example/group/kayak/message/1234/"),
              "http://groups.example/messages/kayak/messages?rss=1");

    const FixedTime fixedTime{QDateTime(QDate(2026, 1, 10), QTime(12, 0), Qt::UTC),
                              QTimeZone::utc()};
    Provider provider;
    provider.DataURL = FeedConstants::GroupArchiveBaseURLs.first() + "kayak/rss";
    ASSERT_TRUE(RssReader::IsGroupArchiveURL(provider.DataURL));
    XmlDocument document;
    ASSERT_TRUE(document.LoadXML("<rss version='2.0'><channel><item><title>Re: paddles</title>"
                                 "<link>http://lists.example/archive/kayak/msg/2026/msg/42</link>"
                                 "</item></channel></rss>"));
    StoryCollection stories;
    ASSERT_TRUE(RssReader::ReadStories(provider, stories, document.DocumentElement(), "2.0"));
    EXPECT_EQ(stories.Item(1).PartialURL, "http://lists.example/kayak/msg/2026/42");

    // A service left unconfigured must not match every feed.
    EXPECT_FALSE(FeedConstants::ContainsConstant("http://p.moreover.com/", ""));
    EXPECT_FALSE(FeedConstants::StartsWithAny("http://lists.example/", {""}));
}
