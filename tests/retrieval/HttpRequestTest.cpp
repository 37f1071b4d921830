#include "retrieval/HttpRequest.h"

#include "support/EventWait.h"
#include "support/TestData.h"
#include "support/TestHttpServer.h"

#include <QJsonObject>
#include <QSslServer>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

using namespace std::chrono_literals;

constexpr qint64 OneMegabyte = qint64(1) << 20;

struct Outcome {
    int Status = -1;
    QString Error;
    QByteArray Body;
    bool Unreachable = false;
};

Outcome Fetch(const QString& url, HttpRequest::Limits limits = {}, bool useCache = false) {
    HttpRequest request(limits);
    request.SetUseCache(useCache);
    request.Open(url);
    request.Send();
    if (!WaitUntil([&] { return request.ReadyState() == HttpRequest::Done; }))
        return {};
    return {request.Status(), request.ErrorString(), request.ResponseBody(), request.Unreachable()};
}

// How an answer arrives decides whether its body is handed on: only whole,
// decompressible answers within the cap are, and every failure says why
// (data/cases/http-answers.json). Servers compress in more ways than one,
// and a slow one sends a compressed answer a byte at a time: a compressed
// case gives the bytes sent ("wire", base64), made from the text as "wrap"
// says (the wrapper of each member: "gzip", "zlib", "none", or "plain" for
// none at all, the text shared out among them), with "chop" bytes cut off
// the end and "pad" put after it.
TEST(HttpRequestTest, OnlyWholeAnswersAreHandedOn) {
    TestHttpServer server;
    for (const QJsonValue& value : TestData::Cases(QStringLiteral("cases/http-answers.json"))) {
        const QJsonObject c = value.toObject();
        TestHttpServer::Response answer = TestHttpServer::FromJson(c["answer"].toObject());
        const QByteArray text = answer.Body;
        const bool compressed = c.contains("wire");
        if (compressed)
            answer.Body = QByteArray::fromBase64(c["wire"].toString().toLatin1());
        for (const qsizetype drip : {0, 1}) {
            if (drip == 1 && !compressed)
                continue;
            answer.DripBytes = drip;
            const QByteArray path = '/' + c["name"].toString().toUtf8().replace(' ', '-') + '/' +
                                    QByteArray::number(drip);
            SCOPED_TRACE(path.toStdString());
            server.Serve(path, answer);
            const Outcome outcome =
                Fetch(server.Url(path).toString(), {10s, OneMegabyte}, c["useCache"].toBool());
            EXPECT_EQ(outcome.Status, c["status"].toInt());
            EXPECT_EQ(outcome.Error, c["error"].toString());
            EXPECT_FALSE(outcome.Unreachable);
            if (outcome.Status != 404) {
                EXPECT_EQ(outcome.Body, outcome.Status == 200 ? text : QByteArray());
            }
            EXPECT_EQ(server.RequestCount(path), 1);
        }
    }
}

TEST(HttpRequestTest, RefusedRedirectsSayWhy) {
    TestHttpServer server;
    server.Redirect("/to-file", "file:///etc/hostname", 302);
    server.Redirect("/to-ftp", "ftp://127.0.0.1/feed", 302);
    server.Redirect("/to-data", "data:text/plain,headline", 302);
    server.Serve("/hop/0", QByteArray("<rss/>"));
    for (int hop = 1; hop <= 11; ++hop)
        server.Redirect("/hop/" + QByteArray::number(hop), "/hop/" + QByteArray::number(hop - 1));
    for (const QStringList& c : TestData::Table(QStringLiteral("tables/refused-redirects.tsv"))) {
        const Outcome outcome = Fetch(server.Url(c[0]).toString());
        EXPECT_EQ(outcome.Status, c[1].toInt()) << c[0].toStdString();
        EXPECT_EQ(outcome.Error, c.value(2)) << c[0].toStdString();
    }
}

TEST(HttpRequestTest, UntrustedCertificateGivesTheTlsReason) {
    QSslServer secure;
    secure.setSslConfiguration(TestData::SelfSignedTls());
    ASSERT_TRUE(secure.listen(QHostAddress::LocalHost));
    const QString url = QStringLiteral("https://127.0.0.1:%1/feed").arg(secure.serverPort());
    TestHttpServer server;
    server.Redirect("/moved", url.toUtf8());
    for (const QString& address : {url, server.Url("/moved").toString()}) {
        const Outcome outcome = Fetch(address);
        EXPECT_EQ(outcome.Status, 0);
        EXPECT_TRUE(outcome.Error.contains(QLatin1String("certificate"), Qt::CaseInsensitive))
            << outcome.Error.toStdString();
        EXPECT_FALSE(outcome.Unreachable);
    }
}

TEST(HttpRequestTest, NoServerListeningIsUnreachable) {
    QTcpServer closed;
    ASSERT_TRUE(closed.listen(QHostAddress::LocalHost));
    const quint16 port = closed.serverPort();
    closed.close();
    const Outcome outcome = Fetch(QStringLiteral("http://127.0.0.1:%1/feed").arg(port));
    EXPECT_EQ(outcome.Status, 0);
    EXPECT_FALSE(outcome.Error.isEmpty());
    EXPECT_TRUE(outcome.Unreachable);
}

TEST(HttpRequestTest, LocalFileOverTheCapIsRefused) {
    QTemporaryDir folder;
    const QString path = TestData::Write(folder.filePath(QStringLiteral("big.xml")),
                                         QByteArray(OneMegabyte + 1, 'x'));
    const Outcome outcome = Fetch(QUrl::fromLocalFile(path).toString(), {10s, OneMegabyte});
    EXPECT_EQ(outcome.Status, 0);
    EXPECT_EQ(outcome.Error, QStringLiteral("the answer is larger than 1 MB"));
}

} // namespace
