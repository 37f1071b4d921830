#include "retrieval/FeedDiscovery.h"

#include "support/EventWait.h"
#include "support/TestData.h"
#include "support/TestHttpServer.h"

#include <QJsonObject>

#include <gtest/gtest.h>

#include <memory>

namespace {

using namespace std::chrono_literals;

// A feed of data/discovery by its name: rss, atom or untitled.
QByteArray Feed(const QString& name) {
    return TestData::Read(QStringLiteral("discovery/%1.xml").arg(name));
}

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

    QStringList RequestedPaths() const {
        QStringList paths;
        for (const TestHttpServer::Request& request : server->Requests())
            paths.append(QString::fromUtf8(request.Path));
        return paths;
    }

    std::unique_ptr<TestHttpServer> server = std::make_unique<TestHttpServer>();
};

// Each case of data/cases/feed-discovery.json serves its paths: a feed by
// its name, a redirect to a path, "silent" for a server that never answers,
// or a page with the alternate links given as [type, href, title]. An
// address not starting with "/" is taken as it is.
TEST_F(FeedDiscoveryTest, TheFeedOfAnAddressIsFoundWhereverTheSiteKeepsIt) {
    for (const QJsonValue& value : TestData::Cases(QStringLiteral("cases/feed-discovery.json"))) {
        const QJsonObject c = value.toObject();
        SCOPED_TRACE(c["name"].toString().toStdString());
        server = std::make_unique<TestHttpServer>();
        const QJsonObject served = c["served"].toObject();
        for (auto path = served.begin(); path != served.end(); ++path) {
            QByteArray links;
            for (const QJsonValue& link : path.value().toArray()) {
                const QStringList parts = link.toVariant().toStringList();
                links += Alternate(parts[0].toUtf8(), parts[1].toUtf8(), parts[2].toUtf8());
            }
            const QString served = path.value().toString();
            if (served.startsWith(u'/'))
                server->Redirect(path.key().toUtf8(), served.toUtf8());
            else if (served == "silent")
                server->Serve(path.key().toUtf8(), {.NeverAnswer = true});
            else
                Serve(path.key().toUtf8(), path.value().isString() ? Feed(served) : Page(links));
        }
        FeedDiscovery discovery({15s, std::chrono::milliseconds(c["probeMs"].toInt(5000))});
        const QString address = c["address"].toString();
        const Outcome outcome =
            Discover(discovery, address.startsWith(u'/') ? Site(address) : address);
        EXPECT_EQ(outcome.Found, c["found"].toVariant().toStringList());
        if (c.contains("failedStart"))
            EXPECT_TRUE(outcome.Failed.startsWith(c["failedStart"].toString()))
                << outcome.Failed.toStdString();
        else
            EXPECT_EQ(outcome.Failed, c["failed"].toString());
        EXPECT_EQ(RequestedPaths(), c["requested"].toVariant().toStringList());
    }
}

// A new search or a cancelled one leaves nothing behind of the old one.
TEST_F(FeedDiscoveryTest, CancellingOrStartingAgainEndsTheSearchWithoutAWord) {
    server->Serve("/slow", {.NeverAnswer = true});
    Serve("/feed.xml", Feed("rss"));
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
