#include "core/FeedSubscriber.h"

#include "model/Provider.h"
#include "model/ProviderCollection.h"
#include "support/EventWait.h"
#include "support/ProgramHome.h"
#include "support/SilentReport.h"
#include "support/StatusRecorder.h"

#include <gtest/gtest.h>

#include <optional>

namespace {

using Outcome = ProviderSubscription::Outcome;

// What one subscription came to.
struct Subscription {
    std::optional<Outcome> outcome;
    QString feed;
    QString title;
    QString failed;
    // What the server had been asked when the outcome came.
    qsizetype requests = 0;
};

class FeedSubscriberTest : public ProgramHome {
protected:
    FeedSubscriberTest() {
        ServeTwoProviders(server, {"One"}, {"Other"});
        NewProgram().Load(QSize(15360, 11520), progress, report);
    }

    // Subscribes to `url`; the outcome never comes from inside Start.
    Subscription Subscribe(const QString& url, const QString& category) {
        Subscription subscription;
        bool done = false;
        FeedSubscriber subscriber(*core);
        QObject::connect(&subscriber, &FeedSubscriber::Subscribed,
                         [&](const ProviderSubscription::Result& result, const FeedLink& feed) {
                             subscription.outcome = result.outcome;
                             subscription.feed = feed.Address;
                             subscription.title = feed.Title;
                             subscription.requests = server.Requests().size();
                             done = true;
                         });
        QObject::connect(&subscriber, &FeedSubscriber::Failed, [&](const QString& message) {
            subscription.failed = message;
            done = true;
        });
        subscriber.Start(url, category);
        EXPECT_FALSE(done);
        EXPECT_TRUE(WaitUntil([&] { return done; }));
        return subscription;
    }

    TestHttpServer server;
    StatusRecorder progress;
    SilentReport report;
};

// A dropped page subscribes to the first feed it names; the list is told by
// the feed's address, never the page's.
TEST_F(FeedSubscriberTest, APageSubscribesToTheFirstFeedItNames) {
    const auto page = [](const QByteArray& feed) {
        return "<!DOCTYPE html><html><head><link rel=alternate type=application/rss+xml href=" +
               feed +
               " title=Fresh><link rel=alternate type=application/atom+xml "
               "href=/other></head></html>";
    };
    server.Serve("/site", page("/fresh"), "text/html");
    server.Serve("/mirror", page("/fresh"), "text/html");
    server.Serve("/elsewhere", page("/new"), "text/html");
    server.Serve("/fresh", "<rss version=\"2.0\"><channel><title>Fresh</title></channel></rss>");
    const QString feed = server.Url("/fresh").toString();
    const Subscription added = Subscribe(server.Url("/site").toString(), "News");
    EXPECT_EQ(added.outcome, Outcome::Added);
    EXPECT_EQ(added.feed, feed);
    EXPECT_EQ(added.title, "Fresh");
    ASSERT_EQ(core->Providers().Count(), 3);
    EXPECT_EQ(core->Providers().Item(3)->DataURL, feed);
    EXPECT_EQ(core->CurrentProvider(), core->Providers().Item(3));
    // Another page naming the same feed finds it in the list.
    EXPECT_EQ(Subscribe(server.Url("/mirror").toString(), QString()).outcome, Outcome::Found);
    // Without a category the feed found is what the user is asked about.
    const Subscription asks = Subscribe(server.Url("/elsewhere").toString(), QString());
    EXPECT_EQ(asks.outcome, Outcome::NeedsCategory);
    EXPECT_EQ(asks.feed, server.Url("/new").toString());
    EXPECT_EQ(core->Providers().Count(), 3);
}

// Known and foreign addresses are not looked up; an address without a feed
// is refused with a message.
TEST_F(FeedSubscriberTest, OnlyUnknownWebAddressesAreLookedUp) {
    const Subscription known = Subscribe(server.Url("/a").toString(), QString());
    EXPECT_EQ(known.outcome, Outcome::Found);
    EXPECT_EQ(known.feed, server.Url("/a").toString());
    EXPECT_EQ(known.requests, 0);
    // A search would have failed instead.
    EXPECT_EQ(Subscribe("javascript:alert(1)", "News").outcome, Outcome::Refused);
    server.Serve("/plain", "<!DOCTYPE html><html><body>no feeds</body></html>", "text/html");
    const QString page = server.Url("/plain").toString();
    const Subscription none = Subscribe(page, "News");
    EXPECT_FALSE(none.outcome.has_value());
    EXPECT_EQ(none.failed, QStringLiteral("No feed was found at %1.").arg(page));
    EXPECT_EQ(core->Providers().Count(), 2);
}

} // namespace
