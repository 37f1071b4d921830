#include "core/ProviderListener.h"

#include "core/ProgramCore.h"
#include "model/ProviderCollection.h"
#include "support/EventWait.h"
#include "support/ProgramHome.h"
#include "support/RawHttpClient.h"
#include "support/RssFeed.h"
#include "support/SilentReport.h"
#include "support/StatusRecorder.h"
#include "support/TestData.h"

#include <QJsonObject>
#include <QNetworkInterface>
#include <QProcess>
#include <QSignalSpy>
#include <QStandardPaths>
#include <QTemporaryDir>

#include <vector>

namespace {

// The page the listener answers with, written out as a browser receives it.
QByteArray Page(const QByteArray& body) {
    return "HTTP/1.0 200 OK\r\nContent-Type: text/html; charset=utf-8\r\nConnection: close\r\n"
           "\r\n<HTML>\r<HEAD>\r</HEAD>\r<BODY>\r" +
           body + "</BODY>\r</HTML>\r";
}

QByteArray Known(const QByteArray& name) {
    return Page("Provider <B>" + name + "</B> is already in Varnocet category <B>News</B>.");
}

QByteArray Added(const QByteArray& name, const QByteArray& category = "News") {
    return Page("Added provider <B>" + name + "</B> to Varnocet category <B>" + category + "</B>.");
}

QByteArray Request(const QByteArray& url) {
    return "GET /add_provider?url=" + url + " HTTP/1.1\r\nHost: localhost\r\n\r\n";
}

// A running program with providers A and B (category News) served from a
// local server, a listener on a free port and a category chooser that keeps
// its questions for the test to answer.
class ProviderListenerTest : public ProgramHome {
protected:
    void SetUp() override {
        ServeTwoProviders(server, {"One"}, {"Other"});
        server.Serve("/fresh", RssFeed::Named("Fresh"));
        server.Serve("/named", RssFeed::Named("&lt;i&gt;x"));
        NewProgram();
        core->Load(QSize(15360, 11520), progress, report);
        core->ShowStoredProvider();
    }

    ProviderListener& Listen(ProviderListener::Limits limits = {}) {
        listener = std::make_unique<ProviderListener>(
            *core,
            [this](ProviderListener::CategoryAnswer answer) {
                questions.push_back(std::move(answer));
            },
            limits);
        EXPECT_TRUE(listener->Listen(0));
        return *listener;
    }

    QByteArray Url(const QString& path) const { return server.Url(path).toEncoded(); }

    // One request on a connection of its own, and the whole answer.
    QByteArray Ask(const QByteArray& request) {
        RawHttpClient client(listener->Port());
        client.Send(request);
        return client.Answer();
    }

    // The chooser's next question, answered with `category`.
    void Choose(const QString& category) {
        ASSERT_TRUE(WaitUntil([this] { return !questions.empty(); }));
        const ProviderListener::CategoryAnswer answer = std::move(questions.front());
        questions.erase(questions.begin());
        answer(category);
    }

    TestHttpServer server;
    StatusRecorder progress;
    SilentReport report;
    std::unique_ptr<ProviderListener> listener;
    std::vector<ProviderListener::CategoryAnswer> questions;
};

} // namespace

// The requests of data/cases/listener-requests.json, with "{a}" for the
// address of provider A (as a page links it, encoded once or twice), and
// the body of the page each is answered with. Only web addresses are added,
// nothing else is even looked at, and a line feed alone ends a line too.
TEST_F(ProviderListenerTest, EveryRequestIsAnsweredWithItsPage) {
    Listen();
    const QString a = QString::fromUtf8(Url("/a"));
    const QByteArray encoded = QUrl::toPercentEncoding(a);
    for (const QJsonValue& value :
         TestData::Cases(QStringLiteral("cases/listener-requests.json"))) {
        const QByteArray request =
            value["request"]
                .toString()
                .replace("{a encoded twice}", QUrl::toPercentEncoding(encoded))
                .replace("{a encoded}", encoded)
                .replace("{a}", a)
                .toUtf8();
        EXPECT_EQ(Ask(request), Page(value["answer"].toString().toUtf8())) << request.data();
    }
    EXPECT_EQ(core->Providers().Count(), 2);
    EXPECT_TRUE(questions.empty());
}

// A link to a site's page subscribes to the feed the page names, under the
// feed's address; a page that leads to no feed, or a chooser closed, adds
// nothing and says why.
TEST_F(ProviderListenerTest, APageIsFollowedToItsFeed) {
    server.Serve("/site",
                 "<html><head><link rel=\"alternate\" type=\"application/rss+xml\" "
                 "href=\"/fresh\"></head></html>",
                 "text/html");
    server.Serve("/plain", "<html><body>No feed here</body></html>", "text/html");
    Listen();
    RawHttpClient client(listener->Port());
    ASSERT_TRUE(client.Send(Request(Url("/site"))));
    Choose(QStringLiteral("News"));
    EXPECT_EQ(client.Answer(), Added("Fresh"));
    EXPECT_EQ(core->CurrentProvider()->DataURL, server.Url("/fresh").toString());

    const QByteArray answer = Ask(Request(Url("/plain")));
    EXPECT_TRUE(answer.contains("was not added to Varnocet: No feed was found")) << answer.data();
    // Closing the chooser adds nothing either.
    RawHttpClient closed(listener->Port());
    ASSERT_TRUE(closed.Send(Request(Url("/named"))));
    Choose(QString());
    EXPECT_EQ(closed.Answer(), Page("Provider <B>" + Url("/named") +
                                    "</B> was not added to Varnocet: no category was chosen."));
    EXPECT_EQ(core->Providers().Count(), 3);
}

TEST_F(ProviderListenerTest, TheRequestLineMayArriveInPieces) {
    Listen();
    RawHttpClient client(listener->Port());
    ASSERT_TRUE(client.Send("GET /add_provider?url=" + Url("/b").left(10)));
    QCoreApplication::processEvents();
    EXPECT_FALSE(client.Closed());
    ASSERT_TRUE(client.Send(Url("/b").mid(10) + " HTTP/1.1\r\nHost: localhost\r\n\r\n"));
    EXPECT_EQ(client.Answer(), Known("B"));
}

TEST_F(ProviderListenerTest, ASecondConnectionIsServedWhileTheFirstWaitsForTheChooser) {
    Listen();
    RawHttpClient first(listener->Port());
    ASSERT_TRUE(first.Send(Request(Url("/fresh"))));
    ASSERT_TRUE(WaitUntil([this] { return questions.size() == 1; }));
    // A browser's speculative connection, and one more add behind the first.
    EXPECT_EQ(Ask("GET /0?x HTTP/1.1\r\n\r\n"), Page("Badly formed HTTP request - Code 3."));
    RawHttpClient second(listener->Port());
    ASSERT_TRUE(second.Send(Request(Url("/named"))));
    EXPECT_FALSE(first.Closed());
    EXPECT_TRUE(first.Read().isEmpty());
    EXPECT_EQ(questions.size(), 1u);

    Choose(QStringLiteral("News"));
    // Answered once the feed has named the provider.
    EXPECT_EQ(first.Answer(), Added("Fresh"));
    EXPECT_EQ(core->Providers().Count(), 3);
    EXPECT_EQ(core->CurrentProvider()->ProviderName, "Fresh");
    // Markup in a name or a category is shown as text.
    Choose(QStringLiteral("R&D"));
    EXPECT_EQ(second.Answer(), Added("&lt;i&gt;x", "R&amp;D"));
    EXPECT_EQ(core->Providers().Count(), 4);
}

TEST_F(ProviderListenerTest, AFeedThatNeverAnswersNamesItsProviderByItsAddress) {
    server.Serve("/silent", {.NeverAnswer = true});
    // Found through a page, which names the feed without its being fetched.
    server.Serve("/page",
                 "<html><head><link rel=\"alternate\" type=\"application/rss+xml\" "
                 "href=\"/silent\"></head></html>",
                 "text/html");
    Listen({.NameWaitMs = 50});
    RawHttpClient client(listener->Port());
    ASSERT_TRUE(client.Send(Request(Url("/page"))));
    Choose(QStringLiteral("News"));
    EXPECT_EQ(client.Answer(), Added(Url("/silent")));
}

TEST_F(ProviderListenerTest, AnInactiveProviderIsMadeActiveAndShown) {
    Listen();
    const std::shared_ptr<Provider> b = core->Providers().Item(2);
    b->Active = false;
    QSignalSpy listChanged(core.get(), &ProgramCore::ListChanged);
    EXPECT_EQ(Ask(Request(Url("/b"))), Known("B"));
    EXPECT_TRUE(b->Active);
    EXPECT_EQ(core->CurrentProvider(), b);
    EXPECT_EQ(listChanged.count(), 1);
}

TEST_F(ProviderListenerTest, AnAddWaitsWhileTheSettingsDialogEditsACopyOfTheList) {
    Listen({.SuspendedRetryMs = 10});
    core->Flags().Suspended = true;
    RawHttpClient client(listener->Port());
    ASSERT_TRUE(client.Send(Request(Url("/fresh"))));
    EXPECT_FALSE(WaitUntil([this] { return !questions.empty(); }, 100));
    core->Flags().Suspended = false;
    Choose(QStringLiteral("News"));
    EXPECT_EQ(client.Answer(), Added("Fresh"));
}

TEST_F(ProviderListenerTest, AConnectionWithoutALineIsClosedUnanswered) {
    Listen({.RequestLineMs = 50});
    RawHttpClient longLine(listener->Port());
    longLine.Send(QByteArray(9 * 1024, 'a'));
    EXPECT_EQ(longLine.Answer(), "");
    RawHttpClient silent(listener->Port());
    silent.Send("GET /0?x HTTP/1.0");
    EXPECT_EQ(silent.Answer(), "");
    // The listener goes on, and a long line within the limit is read.
    EXPECT_EQ(Ask("GET /0?" + QByteArray(8000, 'x') + " HTTP/1.0\r\n"),
              Page("Badly formed HTTP request - Code 3."));
}

TEST_F(ProviderListenerTest, OnlyThisMachineCanConnect) {
    ProviderListener& listening = Listen();
    const quint16 port = listening.Port();
    ASSERT_FALSE(listening.Addresses().isEmpty());
    for (const QHostAddress& address : listening.Addresses()) {
        EXPECT_TRUE(address.isLoopback()) << address.toString().toStdString();
        RawHttpClient client(port, address);
        client.Send("GET /0?x HTTP/1.0\r\n");
        EXPECT_EQ(client.Answer(), Page("Badly formed HTTP request - Code 3."));
    }
    for (const QHostAddress& address : QNetworkInterface::allAddresses()) {
        if (address.isLoopback())
            continue;
        RawHttpClient client(port, address);
        EXPECT_EQ(client.Answer(), "") << address.toString().toStdString();
        EXPECT_NE(client.Error(), QAbstractSocket::UnknownSocketError);
    }
    listening.Close();
    RawHttpClient closed(port);
    EXPECT_EQ(closed.Answer(), "");
    EXPECT_EQ(closed.Error(), QAbstractSocket::ConnectionRefusedError);
}

TEST_F(ProviderListenerTest, APortInUseIsOneNoticeAndNoListener) {
    QTcpServer other;
    ASSERT_TRUE(other.listen(QHostAddress::LocalHost, 0));
    QSignalSpy notices(core.get(), &ProgramCore::Notice);
    ProviderListener taken(*core, [](ProviderListener::CategoryAnswer) {});
    EXPECT_FALSE(taken.Listen(other.serverPort()));
    EXPECT_FALSE(taken.IsListening());
    EXPECT_TRUE(taken.Addresses().isEmpty());
    ASSERT_EQ(notices.count(), 1);
    EXPECT_TRUE(notices.first().first().toString().contains(QString::number(other.serverPort())));
}

// A real browser is the client that matters.
TEST_F(ProviderListenerTest, ABrowserShowsTheAnswer) {
    QString browser = QStandardPaths::findExecutable(QStringLiteral("chromium"));
    if (browser.isEmpty())
        browser = QStandardPaths::findExecutable(QStringLiteral("chromium-browser"));
    if (browser.isEmpty())
        GTEST_SKIP() << "Chromium is not installed (scripts/install-deps installs it)";
    Listen();
    const QTemporaryDir profile;
    QProcess process;
    process.start(
        browser, {QStringLiteral("--headless"), QStringLiteral("--no-sandbox"),
                  QStringLiteral("--disable-gpu"), QStringLiteral("--no-first-run"),
                  QStringLiteral("--disable-background-networking"),
                  QStringLiteral("--disable-component-update"),
                  // Nothing but this machine, which the rule must
                  // name or its address would not resolve either.
                  QStringLiteral("--host-resolver-rules=MAP * ~NOTFOUND, EXCLUDE 127.0.0.1"),
                  QStringLiteral("--user-data-dir=") + profile.path(), QStringLiteral("--dump-dom"),
                  QStringLiteral("http://127.0.0.1:%1/add_provider?url=%2")
                      .arg(listener->Port())
                      .arg(QString::fromUtf8(Url("/a")))});
    // The listener answers from this thread: the loop must run meanwhile.
    ASSERT_TRUE(WaitUntil([&] { return process.state() == QProcess::NotRunning; }, 60000));
    const QString page = QString::fromUtf8(process.readAllStandardOutput());
    EXPECT_TRUE(page.contains(QStringLiteral("is already in Varnocet category")))
        << page.toStdString() << process.readAllStandardError().toStdString();
}
