#include "feeds/RssReader.h"
#include "feeds/FeedConstants.h"
#include "feeds/FeedFormat.h"

#include "model/Provider.h"
#include "platform/BackgroundNotice.h"
#include "platform/XmlDocument.h"
#include "support/FixedTime.h"
#include "support/TestData.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

using ::testing::ElementsAre;
using ::testing::HasSubstr;

namespace {

const QDateTime Now(QDate(2026, 1, 10), QTime(12, 0), Qt::UTC);

class RssReaderTest : public ::testing::Test {
protected:
    FixedTime fixedTime{Now, QTimeZone::utc()};
    void SetUp() override {
        BackgroundNotice::Forget();
        BackgroundNotice::SetSink([this](const QString& text) { notices.append(text); });
        provider.ProviderName = "Provider";
        provider.SiteURL = "https://site.example/";
    }
    void TearDown() override {
        BackgroundNotice::Forget();
        BackgroundNotice::SetSink(nullptr);
    }

    XmlNode Fixture(const QString& name) { return Parse(TestData::Read("feeds/" + name)); }
    XmlNode Parse(const QByteArray& xml) {
        EXPECT_TRUE(document.LoadXML(xml));
        return document.DocumentElement();
    }
    bool Read(const XmlNode& root, const QString& version) {
        return RssReader::ReadStories(provider, stories, root, version);
    }
    QStringList Titles() const {
        QStringList titles;
        for (const Story& story : stories)
            titles.append(story.Title);
        return titles;
    }
    QStringList Links() const {
        QStringList links;
        for (const Story& story : stories)
            links.append(story.PartialURL);
        return links;
    }

    XmlDocument document;
    Provider provider;
    StoryCollection stories;
    QStringList notices;
};

} // namespace

TEST_F(RssReaderTest, Rss20ItemsWithIndentedLinksDatesAndEscapedMarkup) {
    ASSERT_TRUE(Read(Fixture("rss20.xml"), "2.0"));

    EXPECT_THAT(Titles(), ElementsAre("Reviving a 1962 transistor radio",
                                      "Fume extraction on a budget", "Which flux should you buy?"));
    const Story& radio = stories.Item(1);
    EXPECT_EQ(radio.PartialURL,
              "https://tinkersbench.example/2026/01/reviving-a-1962-transistor-radio");
    EXPECT_EQ(radio.Time.ToText(), "1/5/2026 10:00:00 AM");
    EXPECT_THAT(radio.Description.toStdString(), HasSubstr("dial cord had snapped & the volume"));
    EXPECT_THAT(radio.Description.toStdString(), ::testing::Not(HasSubstr("<p>")));
    EXPECT_THAT(stories.Item(2).Description.toStdString(), HasSubstr("carbon filter & a shoebox"));
    EXPECT_EQ(stories.Item(2).Time.ToText(), "1/3/2026 5:20:00 PM");
    // A prefixed dc:date is no date for a versioned document; pubDate is.
    EXPECT_EQ(stories.Item(3).Time.ToText(), "1/1/2026 9:00:00 AM");
    EXPECT_TRUE(notices.isEmpty());
}

TEST_F(RssReaderTest, Rss10ItemsBesideTheChannelTakeDublinCoreDates) {
    ASSERT_TRUE(Read(Fixture("rss10.xml"), ""));

    ASSERT_EQ(stories.Count(), 3);
    EXPECT_EQ(stories.Item(1).Title, "A 1790 coastal atlas turns up in the donations box");
    EXPECT_EQ(stories.Item(1).PartialURL, "https://meridianlibrary.example/notes/2026/01/atlas");
    EXPECT_EQ(stories.Item(1).Time.ToText(), "1/5/2026 10:00:00 AM");
    EXPECT_EQ(stories.Item(2).Time.ToText(), "1/3/2026 3:30:00 PM");
    EXPECT_EQ(stories.Item(3).Description, "");
}

TEST_F(RssReaderTest, PrefixedDateInsideAVersionedChannelIsIgnored) {
    ASSERT_TRUE(Read(Parse("<rss version='2.0' xmlns:dc='http://purl.org/dc/elements/1.1/'>"
                           "<channel><item><title>Dated</title>"
                           "<dc:date>2026-01-05T10:00:00Z</dc:date></item></channel></rss>"),
                     "2.0"));

    ASSERT_EQ(stories.Count(), 1);
    EXPECT_EQ(stories.Item(1).Time, Date::FromQDateTime(Now));
}

TEST_F(RssReaderTest, UnversionedRssRootFallsBackToChannelItems) {
    ASSERT_TRUE(Read(Fixture("rss091.xml"), ""));

    EXPECT_THAT(Titles(), ElementsAre("Council approves new footbridge over the Alder",
                                      "Spring market moves to the station yard",
                                      "Library extends Thursday opening hours"));
    EXPECT_EQ(stories.Item(3).Description, "");
    EXPECT_TRUE(Read(Parse("<rss/>"), ""));
    EXPECT_TRUE(Read(Parse("<rss version='2.0'/>"), "2.0"));
    EXPECT_EQ(stories.Count(), 3);
}

TEST_F(RssReaderTest, MissingFieldsFallBackDifferentlyInTheTwoDialects) {
    ASSERT_TRUE(Read(Parse("<rdf:RDF xmlns:rdf='http://www.w3.org/1999/02/22-rdf-syntax-ns#'>"
                           "<item><description>No title, no link</description></item></rdf:RDF>"),
                     ""));
    ASSERT_TRUE(Read(Fixture("rss092.xml"), "0.92"));
    ASSERT_TRUE(
        Read(Parse("<rss version='0.91'><channel><item><title>Unlinked</title></item></channel>"
                   "</rss>"),
             "0.91"));

    ASSERT_EQ(stories.Count(), 5);
    EXPECT_EQ(stories.Item(1).Title, "Provider");
    EXPECT_EQ(stories.Item(1).PartialURL, "");
    EXPECT_EQ(stories.Item(3).Title, "Provider");
    EXPECT_EQ(stories.Item(3).PartialURL, "http://openorbit.example/radio/survey");
    EXPECT_EQ(stories.Item(5).PartialURL, "https://site.example/");
}

TEST_F(RssReaderTest, ItemsWithoutLinkOpenTheirPermalinkGuid) {
    ASSERT_TRUE(Read(Fixture("rss/guid-permalink.xml"), "2.0"));

    EXPECT_THAT(Links(), ElementsAre("https://saltmarsh.example/2026/01/brent-geese",
                                     "http://saltmarsh.example/2026/01/spring-tide",
                                     "https://site.example/", "https://site.example/",
                                     "https://saltmarsh.example/2026/01/new-year-count"));
}

TEST_F(RssReaderTest, VersionsWithDraftMarkAreKnownOthersFailWithANotice) {
    EXPECT_EQ(RssReader::NormaliseVersion("2.0d"), "2.0");
    const XmlNode root = Fixture("rss20.xml");
    EXPECT_TRUE(Read(root, "2.0d"));
    EXPECT_EQ(stories.Count(), 3);

    StoryCollection untouched;
    EXPECT_FALSE(RssReader::ReadStories(provider, untouched, root, "3.0"));
    EXPECT_FALSE(RssReader::ReadStories(provider, untouched, root, " 0.93\n"));
    EXPECT_EQ(untouched.Count(), 0);
    EXPECT_THAT(notices, ElementsAre("Unknown XMLNS version (3.0) for RSS.",
                                     "Unknown XMLNS version (0.93) for RSS."));
}

TEST_F(RssReaderTest, MoreoverChannelsLoseTheirFirstItemAndKanoodleItemsAreDropped) {
    provider.SiteURL = "http://p.moreover.com/cgi-local/page?index_linux";
    const QByteArray xml = "<rss version='0.91'>"
                           "<channel><item><title>About Moreover</title><link>http://m/</link>"
                           "</item><item><title>A</title><link>http://a/</link></item></channel>"
                           "<channel><item><title>Sponsored</title>"
                           "<link>http://www.kanoodle.com/click?id=7</link></item>"
                           "<item><title>B</title><link>http://b/</link></item></channel></rss>";
    ASSERT_TRUE(Read(Parse(xml), "0.91"));

    // The sponsored item is still the second channel's first item.
    EXPECT_THAT(Titles(), ElementsAre("A", "B"));
    // A service left unconfigured must not match every feed.
    EXPECT_FALSE(FeedConstants::ContainsConstant(provider.SiteURL, ""));
    EXPECT_FALSE(FeedConstants::StartsWithAny("http://lists.example/", {""}));
}

TEST_F(RssReaderTest, ArchiveLinksLoseTheirRepeatedSegment) {
    EXPECT_EQ(
        RssReader::RewriteGroupArchiveLink("http://lists.example/archive/kayak/msg/2026/msg/42"),
        "http://lists.example/kayak/msg/2026/42");
    EXPECT_EQ(RssReader::RewriteGroupArchiveLink("http://lists.example/kayak/msg/42"),
              "http://lists.example/kayak/msg/42");
    EXPECT_EQ(RssReader::RewriteGroupArchiveLink("http://lists.example/kayak//"),
              "http://lists.example/kayak");

    EXPECT_EQ(RssReader::GroupArchiveFeedURL("http://groups.example/group/kayak/message/1234/"),
              "http://groups.example/messages/kayak/messages?rss=1");

    provider.DataURL = FeedConstants::GroupArchiveBaseURLs.first() + "kayak/rss";
    ASSERT_TRUE(RssReader::IsGroupArchiveURL(provider.DataURL));
    ASSERT_TRUE(Read(Parse("<rss version='2.0'><channel><item><title>Re: paddles</title>"
                           "<link>http://lists.example/archive/kayak/msg/2026/msg/42</link>"
                           "</item></channel></rss>"),
                     "2.0"));
    EXPECT_EQ(stories.Item(1).PartialURL, "http://lists.example/kayak/msg/2026/42");
}

TEST_F(RssReaderTest, EncodingsAreDecodedByTheParser) {
    ASSERT_TRUE(Read(Fixture("rss-iso-8859-1.xml"), "2.0"));
    ASSERT_TRUE(Read(Fixture("rss-windows-1252.xml"), "0.92"));
    ASSERT_TRUE(Read(Fixture("rss-utf-16.xml"), "2.0"));

    ASSERT_EQ(stories.Count(), 5);
    EXPECT_EQ(stories.Item(1).Title, u"F\u00eate de l'\u00e9t\u00e9 \u00e0 Verni\u00e8re");
    EXPECT_EQ(stories.Item(3).Title, u"Don\u2019t let the \u20ac500 threshold catch you out");
    EXPECT_EQ(stories.Item(5).Title, u"Gr\u00fc\u00dfe vom Leuchtturm \u2013 Saison er\u00f6ffnet");
}

TEST_F(RssReaderTest, DetailsReadChannelImageAndLanguage) {
    provider.NeedsDetails = true;
    RssReader::ReadDetails(provider, Fixture("rss091.xml"), "0.91");

    EXPECT_EQ(provider.ProviderName, "Kestrel Valley Courier");
    EXPECT_EQ(provider.SiteURL, "http://www.kestrelvalleycourier.example/");
    EXPECT_EQ(provider.Description,
              "Town news, council decisions and weekend events from the Kestrel Valley.");
    EXPECT_EQ(provider.ImageURL, "http://www.kestrelvalleycourier.example/images/courier88.gif");
    EXPECT_FALSE(provider.NeedsDetails);

    RssReader::ReadDetails(provider, Fixture("rss092.xml"), "0.92");
    EXPECT_EQ(provider.Language, 4);
    RssReader::ReadDetails(
        provider, Parse("<rss version='2.0'><channel><language>nl-be</language></channel></rss>"),
        "2.0");
    EXPECT_EQ(provider.Language, 1);

    // An RDF document has its image beside the channel.
    provider.NeedsDetails = true;
    RssReader::ReadDetails(provider, Fixture("rss10.xml"), "");

    EXPECT_EQ(provider.ProviderName, "Meridian Library Notes");
    EXPECT_EQ(provider.SiteURL, "https://meridianlibrary.example/notes/");
    EXPECT_EQ(provider.ImageURL, "https://meridianlibrary.example/notes/logo.png");
    EXPECT_FALSE(provider.NeedsDetails);
}

TEST_F(RssReaderTest, UnknownVersionFailsTheDetails) {
    provider.NeedsDetails = true;
    RssReader::ReadDetails(provider, Fixture("rss20.xml"), "3.0");

    EXPECT_EQ(provider.LoadState, LoadState::Failed);
    EXPECT_TRUE(provider.NeedsDetails);
    EXPECT_EQ(provider.ProviderName, "Provider");
    EXPECT_THAT(notices, ElementsAre("Unknown version (3.0) for RSS."));
}
