#include "feeds/ScriptingNewsReader.h"

#include "feeds/FeedFormat.h"
#include "platform/XmlDocument.h"
#include "support/FixedTime.h"
#include "support/TestData.h"

#include <gtest/gtest.h>

namespace {

class ScriptingNewsReaderTest : public ::testing::Test {
protected:
    FixedTime fixedTime{QDateTime(QDate(2026, 1, 5), QTime(10, 0), Qt::UTC), QTimeZone(3600)};
    void SetUp() override {
        ASSERT_TRUE(document.LoadXML(TestData::Read(QStringLiteral("feeds/scriptingnews.xml"))));
        provider.ProviderName = QStringLiteral("Harbor Notes");
    }

    XmlDocument document;
    Provider provider;
    StoryCollection stories;
};

TEST_F(ScriptingNewsReaderTest, DetailsComeFromTheHeader) {
    provider.ProviderName.clear();
    provider.NeedsDetails = true;

    ScriptingNewsReader::ReadDetails(provider, document.DocumentElement());

    EXPECT_EQ(provider.ProviderName, "Harbor Notes");
    EXPECT_EQ(provider.SiteURL, "http://harbornotes.example.org/");
    EXPECT_EQ(provider.Description,
              "Daily notes from the waterfront: ferries, tides and town politics.");
    EXPECT_FALSE(provider.NeedsDetails);
}

// A headline made of markup only takes the provider's name; of several links
// in an item the last headline and address win.
TEST_F(ScriptingNewsReaderTest, ItemsWithHeadlineAndAddressBecomeStoriesDatedNow) {
    ASSERT_TRUE(ScriptingNewsReader::ReadStories(provider, stories, document.DocumentElement()));

    ASSERT_EQ(stories.Count(), 3);
    const Story& first = stories.Item(1);
    EXPECT_EQ(first.Title, "Night ferry stays");
    EXPECT_EQ(first.Description,
              "The council voted 5-2 to keep the night ferry running through March.");
    EXPECT_EQ(first.PartialURL, "http://harbornotes.example.org/2001/01/12#ferry");
    EXPECT_EQ(first.Time.ToText(), "1/5/2026 11:00:00 AM");
    EXPECT_EQ(first.Comments, 0);
    EXPECT_TRUE(first.NewStory);
    EXPECT_EQ(provider.LoadState, LoadState::LoadedWithNewStories);

    EXPECT_EQ(stories.Item(2).Title, "Harbor Notes");
    EXPECT_EQ(stories.Item(2).Description, "Spring tides this weekend; the lower quay may flood.");

    const Story& market = stories.Item(3);
    EXPECT_EQ(market.Title, "Fish market opens at six");
    EXPECT_EQ(market.PartialURL, "http://harbornotes.example.org/2001/01/11#market-hours");
    EXPECT_EQ(market.Description, "");
}

} // namespace
