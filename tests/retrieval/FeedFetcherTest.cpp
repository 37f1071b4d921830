#include "retrieval/FeedFetcher.h"

#include "feeds/FeedFormat.h"
#include "model/PendingOperation.h"
#include "model/Provider.h"
#include "model/StoryCollection.h"
#include "platform/BackgroundNotice.h"
#include "support/EventWait.h"
#include "support/RecordingHost.h"
#include "support/RssFeed.h"
#include "support/StoryTitles.h"
#include "support/TestData.h"
#include "support/TestHttpServer.h"

#include <QJsonArray>
#include <QJsonObject>
#include <QMap>

#include <gtest/gtest.h>

#include <memory>

namespace {

using namespace std::chrono_literals;

const auto Rss = RssFeed::WithTitles;

class FeedFetcherTest : public ::testing::Test {
protected:
    FeedFetcherTest() { Reset({}); }

    void Reset(FeedFetcher::Limits limits) {
        fetcher = std::make_unique<FeedFetcher>(host, limits);
    }

    std::unique_ptr<Provider> NewProvider(const QString& path, bool text = false) {
        auto provider = std::make_unique<Provider>();
        provider->ProviderName = path;
        provider->DataURL = server.Url(path).toString();
        provider->RefreshMinutes = 60;
        provider->stCollStories = std::make_shared<StoryCollection>();
        if (text) {
            provider->SetIsTextFormat(true);
            provider->TextFormatSpec = QStringLiteral("00,01,T");
        }
        return provider;
    }

    bool Settled(const Provider& provider) {
        return WaitUntil([&] { return provider.PendingOperations == 0; });
    }

    // Text requests that wait for a slot move on only when polled.
    bool SettledPolling(const Provider& provider) {
        return WaitUntil([&] {
            fetcher->PollPendingRequests();
            return provider.PendingOperations == 0;
        });
    }

    bool Load(Provider& provider) {
        fetcher->GrabStories(provider);
        return SettledPolling(provider);
    }

    void ServeSilent() { server.Serve("/silent", {.NeverAnswer = true}); }

    int StoryCount(const Provider& provider) { return provider.stCollStories->Count(); }

    TestHttpServer server;
    RecordingHost host;
    std::unique_ptr<FeedFetcher> fetcher;
};

// Stories and details asked together share one download, details first.
TEST_F(FeedFetcherTest, LoadsAnXmlFeedOverHttpWithItsDetails) {
    server.Serve("/feed", Rss({"a", "b", "c"}));
    auto provider = NewProvider("/feed");
    provider->NeedsDetails = true;
    fetcher->GrabProviderDetails(*provider);
    fetcher->GrabStories(*provider);
    fetcher->GrabStories(*provider);
    EXPECT_EQ(provider->LoadState, LoadState::Loading);
    EXPECT_EQ(fetcher->OutstandingRequestCount(), 2);
    ASSERT_TRUE(Settled(*provider));
    EXPECT_EQ(server.RequestCount("/feed"), 1);
    EXPECT_TRUE(server.Requests().first().Headers.value("user-agent").startsWith("Varnocet/"));
    EXPECT_EQ(provider->LoadState, LoadState::LoadedWithNewStories);
    EXPECT_EQ(provider->AttemptedUpdates, 2);
    EXPECT_EQ(provider->SuccessfulUpdates, 1);
    EXPECT_EQ(provider->MinutesToNextRefresh, 60);
    EXPECT_GT(fetcher->CharsRead(), 0);
    EXPECT_EQ(provider->ProviderName, "T");
    EXPECT_FALSE(provider->NeedsDetails);
    EXPECT_EQ(StoryCount(*provider), 3);
    EXPECT_EQ(fetcher->OutstandingRequestCount(), 0);
}

// Whoever shows the provider (the settings dialog's details) hears when its
// details are in, whatever the feed's format.
TEST_F(FeedFetcherTest, FinishedDetailsAreAnnouncedForEveryFormat) {
    server.Serve("/feed", Rss({"a"}));
    server.Serve("/text", "a\n");
    for (const bool text : {false, true}) {
        auto provider = NewProvider(text ? "/text" : "/feed", text);
        provider->NeedsDetails = true;
        fetcher->GrabProviderDetails(*provider);
        const int before = host.Recoloured;
        ASSERT_TRUE(Settled(*provider));
        EXPECT_GT(host.Recoloured, before) << text;
    }
}

// Called off, gone mid-fetch or unusable, a provider leaves no request
// counted.
TEST_F(FeedFetcherTest, CancellingOrLosingTheProviderCountsItsRequestsOff) {
    ServeSilent();
    auto provider = NewProvider("/silent");
    fetcher->GrabStories(*provider);
    fetcher->GrabProviderDetails(*provider);
    ASSERT_EQ(fetcher->OutstandingRequestCount(), 2);
    provider->CancelPendingRequest();
    EXPECT_EQ(fetcher->OutstandingRequestCount(), 0);
    EXPECT_EQ(provider->PendingOperations, 0);
    EXPECT_EQ(provider->LoadState, LoadState::Failed);

    auto text = NewProvider("/silent", true);
    fetcher->GrabStories(*text);
    text.reset();
    // An address no request can be made for fails at once.
    auto unusable = NewProvider("/x", true);
    unusable->DataURL = QStringLiteral("gopher://old.example/feed");
    fetcher->GrabStories(*unusable);
    EXPECT_EQ(unusable->PendingOperations, 0);
    EXPECT_EQ(unusable->LoadState, LoadState::Failed);
    EXPECT_TRUE(unusable->ErrorReported);
    EXPECT_EQ(fetcher->OutstandingRequestCount(), 0);
    EXPECT_EQ(fetcher->PendingRequestCount(), 0);
    fetcher->PollPendingRequests();
}

// A silent server costs the time limit, a body over the cap is refused.
TEST_F(FeedFetcherTest, SilentServerOrOversizedBodyFailsTheLoad) {
    Reset({200ms, 1000});
    ServeSilent();
    server.Serve("/huge", Rss(QStringList(200, QStringLiteral("headline"))));
    auto text = NewProvider("/silent", true);
    auto xml = NewProvider("/silent");
    auto huge = NewProvider("/huge");
    for (Provider* provider : {text.get(), xml.get(), huge.get()})
        fetcher->GrabStories(*provider);
    for (Provider* provider : {text.get(), xml.get(), huge.get()}) {
        ASSERT_TRUE(SettledPolling(*provider)) << provider->ProviderName.toStdString();
        EXPECT_EQ(provider->LoadState, LoadState::Failed) << provider->ProviderName.toStdString();
    }
    EXPECT_EQ(fetcher->OutstandingRequestCount(), 0);
    EXPECT_EQ(fetcher->PendingRequestCount(), 0);
}

// An answer that did not arrive whole, that is a web page or an error, is
// never read:
// the load fails, the old stories stay (so the next good load finds nothing
// new) and the user is told why, naming the feed. An empty text answer
// fails too, though without a reason to tell.
TEST_F(FeedFetcherTest, BrokenAnswersFailTheLoadAndKeepTheStories) {
    QStringList notices;
    BackgroundNotice::Forget();
    BackgroundNotice::SetSink([&notices](const QString& text) { notices.append(text); });
    TestHttpServer::Response answer;
    server.Serve("/feed", [&answer](const TestHttpServer::Request&) { return answer; });
    const QJsonArray cases = TestData::Cases(QStringLiteral("cases/broken-feed-answers.json"));
    for (const bool text : {false, true}) {
        const QByteArray good = text ? "one\ntwo\nthree\n" : Rss({"one", "two", "three"});
        const QByteArray longer =
            text ? good + "Headline number four\n" : Rss({"one", "two", "three", "four"});
        auto provider = NewProvider("/feed", text);
        provider->ArrivalSound = QStringLiteral("arrival.wav");
        answer = TestHttpServer::Response{};
        answer.Body = good;
        ASSERT_TRUE(Load(*provider));
        ASSERT_EQ(StoryCount(*provider), 3);
        for (const QJsonValue& value : cases) {
            const QJsonObject c = value.toObject();
            // Only a parse tells these pages, and text feeds are not parsed.
            if (text && c["xmlOnly"].toBool())
                continue;
            const QString name =
                QStringLiteral("%1 %2").arg(text ? "text" : "xml", c["name"].toString());
            provider->ProviderName = name;
            answer = TestHttpServer::FromJson(c["answer"].toObject());
            if (!c["answer"].toObject().contains("body"))
                answer.Body = longer;
            ASSERT_TRUE(Load(*provider)) << name.toStdString();
            EXPECT_EQ(provider->LoadState, LoadState::Failed) << name.toStdString();
            EXPECT_EQ(StoryTitles(*provider->stCollStories), (QStringList{"one", "two", "three"}))
                << name.toStdString();
            if (c.contains("reason")) {
                EXPECT_TRUE(
                    notices.contains(QStringLiteral("The feed '%1' could not be loaded: %2.")
                                         .arg(name, c["reason"].toString())))
                    << name.toStdString() << ": " << notices.join(u'|').toStdString();
            }
        }
        answer = TestHttpServer::Response{};
        answer.Body = good;
        ASSERT_TRUE(Load(*provider));
        EXPECT_EQ(provider->LoadState, LoadState::Loaded);
        EXPECT_EQ(host.Sounds.size(), text ? 2 : 1);
    }
    // Only the failures with a reason were told.
    EXPECT_EQ(notices.size(), 12) << notices.join(u'|').toStdString();
    BackgroundNotice::SetSink(nullptr);
}

// Only an answer that was read is asked about again: a "not modified" would
// otherwise turn the feed green without a single story read
// (data/tables/fetch-validators.tsv).
TEST_F(FeedFetcherTest, OnlyAnswersThatWereReadAreAskedAboutAgain) {
    TestHttpServer::Response current;
    const auto handler = [&current](const TestHttpServer::Request& request) {
        // As servers do: asked with the validator of what it would send now,
        // it answers "not modified".
        const QByteArray etag = current.Headers.value("ETag");
        if (etag.isEmpty() || request.Headers.value("if-none-match") != etag)
            return current;
        return TestHttpServer::Response{.Status = 304, .Headers = {{"ETag", etag}}};
    };
    server.Serve("/feed", handler);
    server.Serve("/text", handler);
    const QMap<QString, Long> outcomes{{"loaded", LoadState::Loaded},
                                       {"new", LoadState::LoadedWithNewStories},
                                       {"failed", LoadState::Failed}};
    for (const bool text : {false, true}) {
        SCOPED_TRACE(text ? "text" : "xml");
        // A login page is read as XML, and text feeds fail on a blank answer.
        const QMap<QString, QByteArray> bodies{
            {"feed", text ? "one\ntwo\nthree\n" : Rss({"one", "two", "three"})},
            {"page", text ? "\n" : "<html><body>login</body></html>"},
            {"busy", "busy"}};
        auto provider = NewProvider(text ? "/text" : "/feed", text);
        for (const QStringList& step :
             TestData::Table(QStringLiteral("tables/fetch-validators.tsv"))) {
            SCOPED_TRACE(step.join(u' ').toStdString());
            current = {.Status = step[0].toInt(), .Body = bodies[step[1]]};
            if (step[2] != "-")
                current.Headers.insert("ETag", step[2].toUtf8());
            ASSERT_TRUE(Load(*provider));
            EXPECT_EQ(server.Requests().last().Headers.value("if-none-match"),
                      step[3] == "-" ? QByteArray() : step[3].toUtf8());
            EXPECT_EQ(provider->LoadState, outcomes[step[4]]);
        }
        // Not modified: the stories stay, none of them new.
        EXPECT_EQ(provider->SuccessfulUpdates, 4);
        EXPECT_EQ(StoryCount(*provider), 3);
        EXPECT_FALSE(provider->stCollStories->Item(1).NewStory);
    }
}

// Redirected and compressed feeds and local files are read; relative links
// lead where they do from the feed's final address.
TEST_F(FeedFetcherTest, RedirectedGzippedAndLocalFeedsAreRead) {
    server.Serve("/feeds/current.xml",
                 {.Body = "<rss version=\"2.0\"><channel><title>T</title><link>./</link>"
                          "<item><title>a</title><link>../entry/3</link></item></channel></rss>",
                  .Gzip = true});
    server.Redirect("/moved", server.Url("/feeds/current.xml").toString().toUtf8());
    auto provider = NewProvider("/moved");
    provider->NeedsDetails = true;
    auto local = NewProvider("/unused");
    local->DataURL = QUrl::fromLocalFile(TestData::Path("feeds/rss/rss20.xml")).toString();
    fetcher->GrabProviderDetails(*provider);
    fetcher->GrabStories(*provider);
    fetcher->GrabStories(*local);
    ASSERT_TRUE(Settled(*provider));
    ASSERT_TRUE(Settled(*local));
    EXPECT_EQ(provider->SiteURL, server.Url("/feeds/").toString());
    EXPECT_EQ(provider->stCollStories->ItemURL(1), server.Url("/entry/3").toString());
    EXPECT_EQ(local->LoadState, LoadState::LoadedWithNewStories);
}

TEST_F(FeedFetcherTest, TextRequestsWaitInSlotsOrCompleteWithoutOne) {
    Reset({60s, qint64(16) << 20, 1, 30});
    server.Serve("/text", QByteArray("one\ntwo\n"), "text/plain");
    auto first = NewProvider("/text", true);
    auto second = NewProvider("/text", true);
    second->NeedsDetails = true;
    fetcher->GrabStories(*first);
    fetcher->GrabStories(*second);
    // Text details never disturb the stories request.
    fetcher->GrabProviderDetails(*second);
    EXPECT_EQ(fetcher->PendingRequestCount(), 1);
    ASSERT_TRUE(Settled(*second)); // no slot: completed as soon as it finished
    EXPECT_EQ(StoryCount(*second), 2);
    EXPECT_FALSE(second->NeedsDetails);
    EXPECT_EQ(first->PendingOperations, PendingOperation::Stories);
    ASSERT_TRUE(SettledPolling(*first));
    EXPECT_EQ(StoryCount(*first), 2);
    EXPECT_EQ(fetcher->PendingRequestCount(), 0);
    EXPECT_EQ(fetcher->OutstandingRequestCount(), 0);
}

} // namespace
