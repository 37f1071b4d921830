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
        provider.Stories = std::make_shared<StoryCollection>();
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
    const StoryCollection& Stories() const { return *provider.Stories; }

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
    // Removing a story past the range renumbers the later ones.
    provider.Stories->Remove(32'768);
    EXPECT_EQ(Stories().ItemURL(32'768), QStringLiteral("http://x/32769"));
    EXPECT_EQ(Stories().FindStoryByTitle(Title(70'000)), 69'999);
    EXPECT_TRUE(notices.isEmpty()) << notices.join(u'\n').toStdString();
}

// What the collection holds of a document past its limit, and one notice
// for each feed, naming it by what it has: its name, else its address.
TEST_F(LongFeedTest, ADocumentPastTheLimitIsShownUpToItWithOneNotice) {
    const qsizetype limit = StoryCollection::MaximumStories;
    const QList<std::pair<QString, QString>> feeds = {{"100% news", "http://x/feed"},
                                                      {"100% news", "http://x/feed"},
                                                      {"", "http://x/feed?%2"},
                                                      {"", ""}};
    for (const auto& [name, address] : feeds) {
        provider.ProviderName = name;
        provider.DataURL = address;
        Refresh(static_cast<int>(limit) + 5);
        ASSERT_EQ(Stories().Count(), limit);
        EXPECT_EQ(Stories().Item(limit).Title, Title(limit));
        EXPECT_EQ(Stories().FindStoryByTitle(Title(limit + 1)), -1);
    }
    EXPECT_EQ(provider.LoadState, LoadState::Loaded);
    const QString shown = QStringLiteral("the feed has more than 100000 stories; the first 100000 "
                                         "are shown.");
    EXPECT_EQ(notices, QStringList({"100% news: " + shown, "http://x/feed?%2: " + shown,
                                    "A feed has more than 100000 stories; the first 100000 "
                                    "are shown."}));
}
