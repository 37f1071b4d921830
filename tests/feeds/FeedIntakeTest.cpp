#include "feeds/FeedIntake.h"
#include "feeds/FeedFormat.h"
#include "feeds/IntakeEnvironment.h"
#include "model/PendingOperation.h"
#include "model/Provider.h"
#include "platform/BackgroundNotice.h"
#include "platform/Clock.h"
#include "platform/XmlDocument.h"
#include "support/RecordingHost.h"
#include "support/RssFeed.h"
#include "support/StoryTitles.h"
#include "support/TestData.h"

#include <QStringList>

#include <gtest/gtest.h>

namespace {

class FeedIntakeTest : public ::testing::Test {
protected:
    void SetUp() override {
        Clock::SetNow(QDateTime(QDate(2026, 1, 5), QTime(12, 0), Qt::UTC));
        provider.stCollStories = std::make_shared<StoryCollection>();
        provider.RefreshMinutes = 90;
        provider.ArrivalSound = QStringLiteral("ding.wav");
        environment.Counter = Currency::FromScaled(2'500'000'000);
    }
    void TearDown() override { Clock::ResetNow(); }

    // One stories fetch of `bytes` as the document would finish it.
    void Complete(const QByteArray& bytes,
                  XmlDocument::Malformed malformed = XmlDocument::Malformed::Refuse) {
        provider.PendingOperations = PendingOperation::Stories;
        provider.LoadState = LoadState::Loading;
        provider.tStart = Currency::FromScaled(1'000'000'000);
        XmlDocument document;
        document.LoadXML(bytes, malformed);
        FeedIntake::GrabStoriesXMLComplete(provider, document, environment);
    }

    QStringList Titles() const { return StoryTitles(*provider.stCollStories); }

    Provider provider;
    RecordingHost environment;
};

} // namespace

TEST(FeedIntakeMarkTest, NewTitlesAreCountedAndMarked) {
    StoryCollection old;
    old.Add(QStringLiteral("Same"), QString(), QString(), Date(), 0, true);
    StoryCollection fresh;
    fresh.Add(QStringLiteral("Same"), QString(), QString(), Date(), 0, true);
    fresh.Add(QStringLiteral("same"), QString(), QString(), Date(), 0, true);
    fresh.Add(QStringLiteral("Same"), QString(), QString(), Date(), 0, true);
    EXPECT_EQ(FeedIntake::MarkNewStories(old, fresh, true), 1);
    EXPECT_FALSE(fresh.Item(1).NewStory);
    EXPECT_TRUE(fresh.Item(2).NewStory);
    EXPECT_FALSE(fresh.Item(3).NewStory);

    StoryCollection unmarked;
    unmarked.Add(QStringLiteral("Same"), QString(), QString(), Date(), 0, true);
    EXPECT_EQ(FeedIntake::MarkNewStories(old, unmarked, false), 0);
    EXPECT_TRUE(unmarked.Item(1).NewStory); // left as the reader set it
    EXPECT_EQ(FeedIntake::MarkNewStories(StoryCollection(), unmarked, true), 1);
}

TEST_F(FeedIntakeTest, FirstLoadMarksEverythingNewAndPlaysTheSoundKnownTitlesDoNot) {
    Complete(RssFeed::WithTitles({"a", "b"}));
    EXPECT_EQ(Titles(), QStringList({"a", "b"}));
    EXPECT_EQ(provider.LoadState, LoadState::LoadedWithNewStories);
    EXPECT_EQ(provider.DataType, FeedFormat::RSS);
    EXPECT_EQ(provider.SuccessfulUpdates, 1);
    EXPECT_EQ(provider.LastLoadDuration.Scaled(), 15000); // 1.5 s
    EXPECT_EQ(provider.MinutesToNextRefresh, 90);
    EXPECT_EQ(provider.PendingOperations, 0);
    EXPECT_EQ(provider.stCollStories->ItemURL(2), QStringLiteral("http://news.example/b"));
    EXPECT_EQ(environment.Sounds, QStringList{QStringLiteral("ding.wav")});
    EXPECT_EQ(environment.Completed, 1);
    EXPECT_EQ(environment.Replaced, 1);

    // The same titles in another order are nothing new.
    environment.Sounds.clear();
    Complete(RssFeed::WithTitles({"b", "a"}));
    EXPECT_EQ(provider.LoadState, LoadState::Loaded);
    EXPECT_FALSE(provider.stCollStories->Item(1).NewStory);
    EXPECT_TRUE(environment.Sounds.isEmpty());
    EXPECT_EQ(provider.TotalLoadDuration.Scaled(), 30000);
}

TEST_F(FeedIntakeTest, FailedLoadsEndTheOperationAndKeepThePreviousStories) {
    // A version no reader knows is what a reader refuses.
    Complete("<rss version='3.0'><channel><item><title>t</title></item></channel></rss>");
    EXPECT_EQ(provider.LoadState, LoadState::Failed);
    EXPECT_EQ(provider.PendingOperations, 0);
    EXPECT_EQ(environment.Completed, 1);
    EXPECT_EQ(environment.Recoloured, 1);

    Complete(RssFeed::WithTitles({"a", "b", "c"}));
    const int successful = provider.SuccessfulUpdates;
    for (const QByteArray& failure :
         {QByteArray("<rss><channel><item>"), QByteArray(), QByteArray("<html><body/></html>")}) {
        Complete(failure);
        EXPECT_EQ(provider.LoadState, LoadState::Failed);
        EXPECT_EQ(Titles().size(), 3);
        EXPECT_EQ(provider.PendingOperations, 0);
        EXPECT_EQ(provider.MinutesToNextRefresh, 90);
    }
    EXPECT_EQ(provider.DataType, FeedFormat::RSS);
    // Only the document that parsed (the HTML page) counts as a completed update.
    EXPECT_EQ(provider.SuccessfulUpdates, successful + 1);
    environment.Sounds.clear();
    Complete(RssFeed::WithTitles({"a", "b", "c"}));
    EXPECT_EQ(provider.LoadState, LoadState::Loaded);
    EXPECT_TRUE(environment.Sounds.isEmpty());
    EXPECT_EQ(environment.Completed, 6);
}

TEST_F(FeedIntakeTest, AFeedThatIsNotWellFormedLoadsAndSaysSoOnce) {
    QStringList notices;
    BackgroundNotice::Forget();
    BackgroundNotice::SetSink([&notices](const QString& text) { notices.append(text); });
    const QByteArray bytes = TestData::Read("feeds/malformed/truncated.xml");
    provider.DataURL = QStringLiteral("https://harbour.example.org/feed");
    for (const QString& name : {QStringLiteral("Harbour Gazette"), QString()}) {
        provider.ProviderName = name;
        Complete(bytes, XmlDocument::Malformed::Recover);
        Complete(bytes, XmlDocument::Malformed::Recover);
    }
    EXPECT_EQ(provider.LoadState, LoadState::Loaded);
    EXPECT_EQ(Titles(), (QStringList{"Regatta results & photos", "Dredging starts in March"}));
    const QString notice = QStringLiteral(
        ": the feed is not well-formed XML (line 14: Premature end of data in tag description "
        "line 14); its headlines were read anyway");
    EXPECT_EQ(notices, (QStringList{"Harbour Gazette" + notice, provider.DataURL + notice}));
    // A web page is read as far as it goes, and is no feed.
    Complete(TestData::Read("feeds/malformed/html-page.xml"), XmlDocument::Malformed::Recover);
    EXPECT_EQ(provider.LoadState, LoadState::Failed);
    EXPECT_EQ(Titles().size(), 2);
    EXPECT_EQ(notices.size(), 2);
    BackgroundNotice::SetSink(nullptr);
    BackgroundNotice::Forget();
}

TEST_F(FeedIntakeTest, TextRequests) {
    provider.SetIsTextFormat(true);
    provider.TextFormatSpec = QStringLiteral("00,02,TL");
    provider.PendingOperations = PendingOperation::Stories;
    FeedIntake::GrabStoriesTextFinish(provider, 200, QStringLiteral("One\nhttp://x/1\n"),
                                      environment);
    EXPECT_EQ(Titles(), QStringList{QStringLiteral("One")});
    EXPECT_EQ(provider.DataType, FeedFormat::Text);

    FeedIntake::GrabStoriesTextFinish(provider, 404, QString(), environment);
    EXPECT_EQ(provider.LoadState, LoadState::Failed);
    EXPECT_EQ(provider.SuccessfulUpdates, 1);
    EXPECT_EQ(Titles(), QStringList{QStringLiteral("One")});

    // A blank answer is a failure too, not a feed without stories.
    for (const QString& blank : {QString(), QStringLiteral("\r\n \n")}) {
        FeedIntake::GrabStoriesTextFinish(provider, 200, blank, environment);
        EXPECT_EQ(provider.LoadState, LoadState::Failed);
        EXPECT_EQ(provider.SuccessfulUpdates, 1);
        EXPECT_EQ(Titles(), QStringList{QStringLiteral("One")});
    }
    EXPECT_EQ(environment.Completed, 4);
}

TEST_F(FeedIntakeTest, DetailsOfFormatsWithoutDetailsOnlyMarkThemDone) {
    provider.ProviderName = QStringLiteral("Mine");
    provider.NeedsDetails = true;
    provider.PendingOperations = PendingOperation::StoriesAndDetails;
    XmlDocument document;
    document.LoadXML("<backslash><story><title>x</title></story></backslash>");
    FeedIntake::GrabProviderDetailsXMLComplete(provider, document, environment);
    EXPECT_FALSE(provider.NeedsDetails);
    EXPECT_EQ(provider.ProviderName, QStringLiteral("Mine"));
    EXPECT_EQ(provider.PendingOperations, PendingOperation::Stories);
    EXPECT_EQ(environment.Completed, 1);

    provider.NeedsDetails = true;
    FeedIntake::GrabProviderDetailsTextFinish(provider, 500);
    EXPECT_TRUE(provider.NeedsDetails);
    FeedIntake::GrabProviderDetailsTextFinish(provider, 200);
    EXPECT_FALSE(provider.NeedsDetails);
}
