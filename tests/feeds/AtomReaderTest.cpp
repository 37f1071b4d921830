#include "feeds/AtomReader.h"

#include "model/Provider.h"
#include "platform/XmlDocument.h"
#include "support/FixedTime.h"
#include "support/TestData.h"

#include <gtest/gtest.h>

namespace {

const QDateTime Now(QDate(2026, 1, 10), QTime(12, 0), Qt::UTC);

class AtomReaderTest : public ::testing::Test {
protected:
    FixedTime fixedTime{Now, QTimeZone::utc()};
    void SetUp() override {
        provider.ProviderName = "Provider";
        provider.SiteURL = "https://site.example/";
    }

    XmlNode Fixture(const QString& name) { return Parse(TestData::Read("feeds/" + name)); }
    XmlNode Parse(const QByteArray& xml) {
        EXPECT_TRUE(document.LoadXML(xml));
        return document.DocumentElement();
    }
    void Read(const XmlNode& root) {
        ASSERT_TRUE(AtomReader::ReadStories(provider, stories, root));
    }
    const Story& At(qsizetype position) const { return stories.Item(position); }

    XmlDocument document;
    Provider provider;
    StoryCollection stories;
};

} // namespace

TEST_F(AtomReaderTest, Atom03DatesAndDescriptionsByPreference) {
    Read(Fixture("atom03.xml"));

    ASSERT_EQ(stories.Count(), 3);
    EXPECT_EQ(At(1).Title, "Avocets are back");
    EXPECT_EQ(At(1).PartialURL, "http://brackishwater.example/log/2025/06/avocets");
    EXPECT_EQ(At(1).Time.ToText(), "6/12/2025 7:05:00 PM");
    EXPECT_EQ(At(1).Description,
              "Six pairs on the east scrape this evening, and one very cross gull.");
    EXPECT_EQ(At(2).Time.ToText(), "6/5/2025 7:30:00 AM");
    EXPECT_EQ(At(2).Description, "The water reached the second post of the jetty.");
    EXPECT_EQ(At(3).Title, "Provider");
    EXPECT_EQ(At(3).Description, "");
    EXPECT_EQ(At(3).Time.ToText(), "6/1/2025 12:00:00 PM");
}

TEST_F(AtomReaderTest, Atom10PrefersTheAlternateLinkAndReadsUpdatedThenPublished) {
    Read(Fixture("atom10.xml"));

    ASSERT_EQ(stories.Count(), 3);
    EXPECT_EQ(At(1).Title, "The footpath that was there");
    EXPECT_EQ(At(1).PartialURL, "https://gravelroad.example/2026/01/lost-footpath");
    EXPECT_EQ(At(1).Time.ToText(), "1/5/2026 10:00:00 AM");
    EXPECT_EQ(At(1).Description, "An 1880 survey shows a right of way across Hob Meadow.");
    // A link without rel is the page, whatever comes before it.
    EXPECT_EQ(At(2).PartialURL, "https://gravelroad.example/2026/01/winter-boots");
    EXPECT_EQ(At(2).Time.ToText(), "1/2/2026 9:00:00 AM");
    EXPECT_EQ(At(2).Description, "Three pairs, two hundred miles, one clear winner.");
    // Without an alternate the last link counts; an entry with only
    // updated takes that time.
    EXPECT_EQ(At(3).PartialURL, "https://mappers.example/events/gravel-road");
    EXPECT_EQ(At(3).Time.ToText(), "1/1/2026 11:30:00 AM");
}

TEST_F(AtomReaderTest, MissingLinkOrHrefFallsBackToTheSite) {
    Read(Parse("<feed><entry><title>No link</title></entry>"
               "<entry><title>No href</title><link rel='alternate'/></entry>"
               "<entry><title>Undated</title><link href=' http://a/1 '/></entry></feed>"));

    ASSERT_EQ(stories.Count(), 3);
    EXPECT_EQ(At(1).PartialURL, "https://site.example/");
    EXPECT_EQ(At(2).PartialURL, "https://site.example/");
    EXPECT_EQ(At(3).PartialURL, "http://a/1");
    EXPECT_EQ(At(3).Time, Date::FromQDateTime(Now));
}

TEST_F(AtomReaderTest, PrefixedEntriesAreNotRead) {
    Read(Parse("<a:feed xmlns:a='http://www.w3.org/2005/Atom'>"
               "<a:entry><a:title>Hidden</a:title></a:entry></a:feed>"));

    EXPECT_EQ(stories.Count(), 0);
}

TEST_F(AtomReaderTest, DetailsSkipTheSelfLinkPreferTheTaglineAndMapLanguages) {
    AtomReader::ReadDetails(provider, Fixture("atom10.xml"));

    EXPECT_EQ(provider.ProviderName, "Fieldnotes from Gravel Road");
    EXPECT_EQ(provider.SiteURL, "https://gravelroad.example/");
    EXPECT_EQ(provider.Description, "Walking, mapping & the odd lost footpath");

    provider.NeedsDetails = true;
    AtomReader::ReadDetails(provider, Fixture("atom03.xml"));
    EXPECT_EQ(provider.SiteURL, "http://brackishwater.example/log/");
    EXPECT_EQ(provider.Description, "Notes from a tidal creek: birds, boats and mud.");
    EXPECT_FALSE(provider.NeedsDetails);

    AtomReader::ReadDetails(provider, Parse("<feed><subtitle>Sub</subtitle><tagline>Tag</tagline>"
                                            "<language>fr-ca</language></feed>"));
    EXPECT_EQ(provider.Description, "Tag");
    EXPECT_EQ(provider.Language, 3);

    provider.NeedsDetails = true;
    AtomReader::ReadDetails(provider, Parse("<feed><language>x</language></feed>"));
    EXPECT_EQ(provider.Language, 1);
    EXPECT_TRUE(provider.NeedsDetails);
}
