#include "feeds/FeedFormat.h"
#include "feeds/FeedIntake.h"
#include "model/Provider.h"
#include "platform/BackgroundNotice.h"
#include "platform/XmlDocument.h"
#include "support/NumberedFeed.h"
#include "support/RecordingHost.h"

#include <QStringList>

#include <gtest/gtest.h>

namespace {

// Feeds with more items than a 16-bit position can name, read as a refresh
// reads them.
class LongFeedTest : public ::testing::Test {
protected:
    void SetUp() override {
        BackgroundNotice::Forget();
        BackgroundNotice::SetSink([this](const QString& text) { notices.append(text); });
        provider.ProviderName = QStringLiteral("Long");
        provider.stCollStories = std::make_shared<StoryCollection>();
    }
    void TearDown() override {
        BackgroundNotice::Forget();
        BackgroundNotice::SetSink(nullptr);
    }

    void Refresh(int items) {
        XmlDocument document;
        ASSERT_TRUE(document.LoadXML(NumberedFeed::Rss(items)));
        FeedIntake::GrabStoriesXMLComplete(provider, document, host);
    }
    const StoryCollection& Stories() const { return *provider.stCollStories; }

    Provider provider;
    RecordingHost host;
    QStringList notices;
};

QString Title(qsizetype n) {
    return QStringLiteral("Story %1").arg(n);
}

} // namespace

TEST_F(LongFeedTest, DocumentsPastThe16BitRangeAreReadWhole) {
    for (const int items : {40'000, 70'000}) {
        Refresh(items);
        ASSERT_EQ(Stories().Count(), items);
        EXPECT_EQ(provider.LoadState, LoadState::LoadedWithNewStories);
        EXPECT_EQ(Stories().Item(items).Title, Title(items));
        EXPECT_EQ(Stories().ItemURL(items), QStringLiteral("http://x/%1").arg(items));
        EXPECT_EQ(Stories().FindStoryByTitle(Title(items)), items);
        EXPECT_EQ(provider.FindArticle(0, true, Title(39'999)), 39'999);
    }
    // Only the stories past the first 40 000 were new at the second refresh.
    EXPECT_FALSE(Stories().Item(40'000).NewStory);
    EXPECT_TRUE(Stories().Item(40'001).NewStory);
    EXPECT_TRUE(notices.isEmpty()) << notices.join(u'\n').toStdString();
}

TEST_F(LongFeedTest, ADocumentPastTheLimitIsShownUpToItWithOneNotice) {
    const qsizetype limit = StoryCollection::MaximumStories;
    for (int refresh = 0; refresh < 2; ++refresh) {
        Refresh(static_cast<int>(limit) + 5);
        ASSERT_EQ(Stories().Count(), limit);
        EXPECT_EQ(provider.LoadState,
                  refresh == 0 ? LoadState::LoadedWithNewStories : LoadState::Loaded);
        EXPECT_EQ(Stories().Item(limit).Title, Title(limit));
        EXPECT_EQ(Stories().FindStoryByTitle(Title(limit + 1)), -1);
    }
    EXPECT_EQ(notices, QStringList(QStringLiteral(
                           "Long: the feed has more than 100000 stories; the first 100000 "
                           "are shown.")));
}

// The notice names the provider by what it has: its name, else its address.
TEST_F(LongFeedTest, TheNoticeNamesTheFeedAsBestItCan) {
    XmlDocument document;
    ASSERT_TRUE(
        document.LoadXML(NumberedFeed::Rss(static_cast<int>(StoryCollection::MaximumStories) + 1)));
    const struct {
        QString name;
        QString address;
        QString notice;
    } cases[] = {
        {"100% news", "http://x/feed",
         "100% news: the feed has more than 100000 stories; the first 100000 are shown."},
        {"", "http://x/feed?%2",
         "http://x/feed?%2: the feed has more than 100000 stories; the first 100000 are shown."},
        {"", "", "A feed has more than 100000 stories; the first 100000 are shown."},
    };
    for (const auto& c : cases) {
        Provider feed;
        feed.ProviderName = c.name;
        feed.DataURL = c.address;
        feed.stCollStories = std::make_shared<StoryCollection>();
        notices.clear();
        FeedIntake::GrabStoriesXMLComplete(feed, document, host);
        EXPECT_EQ(feed.stCollStories->Count(), StoryCollection::MaximumStories);
        EXPECT_EQ(notices, QStringList(c.notice));
    }
}
