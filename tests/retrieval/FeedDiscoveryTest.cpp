#include "retrieval/FeedDiscovery.h"

#include "support/EventWait.h"
#include "support/TestHttpServer.h"

#include <gtest/gtest.h>

#include <memory>
#include <vector>

namespace {

using namespace std::chrono_literals;

const QByteArray Rss = "<?xml version=\"1.0\"?><rss version=\"2.0\"><channel><title>Harbour "
                       "News</title><link>http://127.0.0.1/</link></channel></rss>";
const QByteArray Atom = "<feed xmlns=\"http://www.w3.org/2005/Atom\"><title>Quay "
                        "Log</title></feed>";
const QByteArray Untitled = "<rss version=\"2.0\"><channel/></rss>";

QByteArray Page(const QByteArray& head) {
    return "<!DOCTYPE html><html><head><title>Site</title>" + head +
           "</head><body><p>Hello</p></body></html>";
}

QByteArray Alternate(const QByteArray& type, const QByteArray& href, const QByteArray& title) {
    return "<link rel=\"alternate\" type=\"application/" + type + "+xml\" href=\"" + href +
           "\" title=\"" + title + "\">";
}

// What a search came to: the feeds as "title <address>", or the failure.
struct Outcome {
    QStringList Found;
    QString Failed;
};

class FeedDiscoveryTest : public ::testing::Test {
protected:
    // Runs a search for `address` to its end; the outcome never comes from
    // inside Start.
    Outcome Discover(FeedDiscovery& discovery, const QString& address) {
        Outcome outcome;
        int outcomes = 0;
        const QMetaObject::Connection found =
            QObject::connect(&discovery, &FeedDiscovery::Found, [&](const QList<FeedLink>& feeds) {
                ++outcomes;
                for (const FeedLink& feed : feeds)
                    outcome.Found.append(feed.Title + QStringLiteral(" <") + Local(feed.Address) +
                                         QStringLiteral(">"));
            });
        const QMetaObject::Connection failed =
            QObject::connect(&discovery, &FeedDiscovery::Failed, [&](const QString& message) {
                ++outcomes;
                outcome.Failed = Local(message);
            });
        discovery.Start(address);
        EXPECT_TRUE(discovery.Running());
        EXPECT_EQ(outcomes, 0);
        EXPECT_TRUE(WaitUntil([&] { return outcomes > 0; }));
        EXPECT_FALSE(discovery.Running());
        QObject::disconnect(found);
        QObject::disconnect(failed);
        return outcome;
    }

    // Addresses on the test server are written with "{site}" for it.
    QString Local(const QString& text) const {
        return QString(text).replace(server->Url(QString()).toString(QUrl::RemovePath),
                                     QStringLiteral("{site}"));
    }

    QString Site(const QString& path) const { return server->Url(path).toString(); }

    // Pages as web pages, anything else as XML.
    void Serve(const QByteArray& path, const QByteArray& body) {
        server->Serve(path, body, body.startsWith("<!DOCTYPE") ? "text/html" : "application/xml");
    }

    QList<QByteArray> RequestedPaths() const {
        QList<QByteArray> paths;
        for (const TestHttpServer::Request& request : server->Requests())
            paths.append(request.Path);
        return paths;
    }

    std::unique_ptr<TestHttpServer> server = std::make_unique<TestHttpServer>();
};

TEST_F(FeedDiscoveryTest, TheFeedOfAnAddressIsFoundWhereverTheSiteKeepsIt) {
    struct Case {
        const char* name;
        std::vector<std::pair<QByteArray, QByteArray>> served; // path, body
        QString address;
        QStringList found;
        QString failed;
        QList<QByteArray> requested;
    };
    const std::vector<Case> cases{
        {"the feed itself",
         {{"/feed.xml", Rss}},
         "/feed.xml",
         {"Harbour News <{site}/feed.xml>"},
         "",
         {"/feed.xml"}},
        {"a feed with no title", {{"/f", Untitled}}, "/f", {" <{site}/f>"}, "", {"/f"}},
        {"one link",
         {{"/", Page(Alternate("rss", "/news.rss", "News"))}},
         "/",
         {"News <{site}/news.rss>"},
         "",
         {"/"}},
        {"two links, in page order",
         {{"/",
           Page(Alternate("atom", "/a.xml", "Articles") + Alternate("rss", "/c", "Comments"))}},
         "/",
         {"Articles <{site}/a.xml>", "Comments <{site}/c>"},
         "",
         {"/"}},
        {"a relative link",
         {{"/blog/post", Page(Alternate("rdf", "../feeds/all.rdf", "All"))}},
         "/blog/post",
         {"All <{site}/feeds/all.rdf>"},
         "",
         {"/blog/post"}},
        {"no link but /feed",
         {{"/", Page("")}, {"/feed", Rss}},
         "/",
         {"Harbour News <{site}/feed>"},
         "",
         {"/", "/feed"}},
        {"the first common place that holds a feed",
         {{"/home", Page("")}, {"/rss", Page("")}, {"/atom.xml", Atom}, {"/index.xml", Rss}},
         "/home",
         {"Quay Log <{site}/atom.xml>"},
         "",
         {"/home", "/feed", "/rss", "/atom.xml"}},
        {"an error page is no end",
         {{"/feed.xml", Rss}},
         "/missing",
         {"Harbour News <{site}/feed.xml>"},
         "",
         {"/missing", "/feed", "/rss", "/atom.xml", "/index.xml", "/feed.xml"}},
        {"no feed at all",
         {{"/", Page("")}},
         "/",
         {},
         "No feed was found at {site}/.",
         {"/", "/feed", "/rss", "/atom.xml", "/index.xml", "/feed.xml"}},
        {"a common place is not asked twice",
         {{"/feed", Page("")}},
         "/feed",
         {},
         "No feed was found at {site}/feed.",
         {"/feed", "/rss", "/atom.xml", "/index.xml", "/feed.xml"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        server = std::make_unique<TestHttpServer>();
        for (const auto& [path, body] : c.served)
            Serve(path, body);
        FeedDiscovery discovery;
        const Outcome outcome = Discover(discovery, Site(c.address));
        EXPECT_EQ(outcome.Found, c.found);
        EXPECT_EQ(outcome.Failed, c.failed);
        EXPECT_EQ(RequestedPaths(), c.requested);
    }
}

// Links are relative to where the page was found, after its redirects.
TEST_F(FeedDiscoveryTest, LinksAreResolvedAgainstThePageReachedAfterRedirects) {
    server->Redirect("/old", "/blog/");
    Serve("/blog/", Page(Alternate("rss", "rss.xml", "Blog")));
    FeedDiscovery discovery;
    EXPECT_EQ(Discover(discovery, Site("/old")).Found, QStringList{"Blog <{site}/blog/rss.xml>"});
}

// Nothing is fetched for an address that is not a web address, and a
// server that cannot be reached has no common places tried.
TEST_F(FeedDiscoveryTest, AddressesThatLeadNowhereAreRefusedWithAReason) {
    FeedDiscovery discovery;
    EXPECT_EQ(Discover(discovery, QStringLiteral("ftp://127.0.0.1/feed")).Failed,
              QStringLiteral("No feed was found at ftp://127.0.0.1/feed: only http:// and "
                             "https:// addresses are looked up."));
    EXPECT_TRUE(Discover(discovery, QStringLiteral("not an address"))
                    .Failed.startsWith(u"No feed was found at not an address:"));
    const Outcome closed = Discover(discovery, QStringLiteral("http://127.0.0.1:1/"));
    EXPECT_TRUE(closed.Failed.startsWith(u"No feed was found at http://127.0.0.1:1/: "))
        << closed.Failed.toStdString();
    EXPECT_TRUE(closed.Found.isEmpty());
    EXPECT_TRUE(server->Requests().isEmpty());
}

// A common place that keeps silent costs its short limit, then the next is
// tried.
TEST_F(FeedDiscoveryTest, ASilentCommonPlaceIsLeftAfterItsLimit) {
    Serve("/", Page(""));
    TestHttpServer::Response silent;
    silent.NeverAnswer = true;
    server->Serve("/feed", silent);
    Serve("/rss", Rss);
    FeedDiscovery discovery({15s, 200ms});
    EXPECT_EQ(Discover(discovery, Site("/")).Found, QStringList{"Harbour News <{site}/rss>"});
}

// A new search or a cancelled one leaves nothing behind of the old one.
TEST_F(FeedDiscoveryTest, CancellingOrStartingAgainEndsTheSearchWithoutAWord) {
    TestHttpServer::Response silent;
    silent.NeverAnswer = true;
    server->Serve("/slow", silent);
    Serve("/feed.xml", Rss);
    FeedDiscovery discovery;
    int outcomes = 0;
    QObject::connect(&discovery, &FeedDiscovery::Found, [&] { ++outcomes; });
    QObject::connect(&discovery, &FeedDiscovery::Failed, [&] { ++outcomes; });
    discovery.Start(Site("/slow"));
    discovery.Start(QStringLiteral("ftp://127.0.0.1/"));
    discovery.Cancel();
    EXPECT_FALSE(discovery.Running());
    const Outcome outcome = Discover(discovery, Site("/feed.xml"));
    EXPECT_EQ(outcome.Found, QStringList{"Harbour News <{site}/feed.xml>"});
    EXPECT_EQ(outcomes, 1);
    // Gone while a request runs: nothing is left to call back.
    auto running = std::make_unique<FeedDiscovery>();
    running->Start(Site("/slow"));
    EXPECT_TRUE(WaitUntil([&] { return server->RequestCount("/slow") > 0; }));
    running.reset();
}

} // namespace
