#include "core/ProviderListener.h"

#include "core/ProgramCore.h"
#include "support/EventWait.h"
#include "support/ProgramHome.h"
#include "support/RawHttpClient.h"
#include "support/SilentReport.h"
#include "support/StatusRecorder.h"

#include <QNetworkInterface>
#include <QProcess>
#include <QSignalSpy>
#include <QStandardPaths>
#include <QTemporaryDir>

// What the listener answers, request by request, is walked by the
// listener scenarios of data/core-scenarios; these are its guards.
namespace {

const QByteArray BadlyFormed = "HTTP/1.0 200 OK\r\nContent-Type: text/html; charset=utf-8\r\n"
                               "Connection: close\r\n\r\n<HTML>\r<HEAD>\r</HEAD>\r<BODY>\r"
                               "Badly formed HTTP request - Code 3.</BODY>\r</HTML>\r";

// A running program with providers A and B, and a listener on a free port.
class ProviderListenerTest : public ProgramHome {
protected:
    void SetUp() override {
        ServeTwoProviders(server, {"One"}, {"Other"});
        NewProgram();
        core->Load(QSize(15360, 11520), progress, report);
    }

    ProviderListener& Listen(ProviderListener::Limits limits = {}) {
        listener = std::make_unique<ProviderListener>(
            *core, [](ProviderListener::CategoryAnswer) {}, limits);
        EXPECT_TRUE(listener->Listen(0));
        return *listener;
    }

    TestHttpServer server;
    StatusRecorder progress;
    SilentReport report;
    std::unique_ptr<ProviderListener> listener;
};

} // namespace

TEST_F(ProviderListenerTest, AConnectionWithoutALineIsClosedUnanswered) {
    Listen({.RequestLineMs = 50});
    RawHttpClient longLine(listener->Port());
    longLine.Send(QByteArray(9 * 1024, 'a'));
    EXPECT_EQ(longLine.Answer(), "");
    RawHttpClient silent(listener->Port());
    silent.Send("GET /0?x HTTP/1.0");
    EXPECT_EQ(silent.Answer(), "");
    // The listener goes on, and a long line within the limit is read.
    RawHttpClient client(listener->Port());
    client.Send("GET /0?" + QByteArray(8000, 'x') + " HTTP/1.0\r\n");
    EXPECT_EQ(client.Answer(), BadlyFormed);
}

TEST_F(ProviderListenerTest, OnlyThisMachineCanConnect) {
    ProviderListener& listening = Listen();
    const quint16 port = listening.Port();
    ASSERT_FALSE(listening.Addresses().isEmpty());
    for (const QHostAddress& address : listening.Addresses()) {
        EXPECT_TRUE(address.isLoopback()) << address.toString().toStdString();
        RawHttpClient client(port, address);
        client.Send("GET /0?x HTTP/1.0\r\n");
        EXPECT_EQ(client.Answer(), BadlyFormed);
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
                      .arg(server.Url("/a").toString())});
    // The listener answers from this thread: the loop must run meanwhile.
    ASSERT_TRUE(WaitUntil([&] { return process.state() == QProcess::NotRunning; }, 60000));
    const QString page = QString::fromUtf8(process.readAllStandardOutput());
    EXPECT_TRUE(page.contains(QStringLiteral("is already in Varnocet category")))
        << page.toStdString() << process.readAllStandardError().toStdString();
}
