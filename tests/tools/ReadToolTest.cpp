#include "support/TestData.h"
#include "support/TestHttpServer.h"
#include "support/ToolRun.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

ToolRun Tool(const QStringList& arguments) {
    return ToolRun::Of(QStringLiteral(VARNOCET_READ_TOOL), arguments);
}

QJsonObject Json(const ToolRun& run) {
    return QJsonDocument::fromJson(run.Out).object();
}

} // namespace

TEST(ReadToolTest, JsonShowsTheStoriesAsTheProgramReadsThem) {
    const ToolRun run = Tool({QStringLiteral("--json"), QStringLiteral("--details"),
                              TestData::Path(QStringLiteral("feeds/rss20.xml"))});
    ASSERT_EQ(run.ExitCode, 0) << run.Err.toStdString();
    const QJsonObject root = Json(run);
    EXPECT_EQ(root.value(QStringLiteral("format")).toInt(), 3);
    EXPECT_EQ(root.value(QStringLiteral("loadState")).toInt(), 1);
    EXPECT_FALSE(root.value(QStringLiteral("provider"))
                     .toObject()
                     .value(QStringLiteral("name"))
                     .toString()
                     .isEmpty());
    const QJsonArray stories = root.value(QStringLiteral("stories")).toArray();
    ASSERT_FALSE(stories.isEmpty());
    const QJsonObject first = stories.at(0).toObject();
    EXPECT_TRUE(first.value(QStringLiteral("url")).toString().startsWith(QStringLiteral("http")));
    EXPECT_TRUE(first.value(QStringLiteral("new")).toBool());
    EXPECT_EQ(first.value(QStringLiteral("time")).toString().size(), 19);
}

TEST(ReadToolTest, EveryFixtureIsRead) {
    for (const QString& name :
         {QStringLiteral("rss091.xml"), QStringLiteral("rss10.xml"), QStringLiteral("atom10.xml"),
          QStringLiteral("scriptingnews.xml"), QStringLiteral("backslash.xml"),
          QStringLiteral("ultramode.xml"), QStringLiteral("moreover.xml"),
          QStringLiteral("storylist.xml"), QStringLiteral("rss-utf-16.xml")}) {
        const ToolRun run =
            Tool({QStringLiteral("--json"), TestData::Path(QStringLiteral("feeds/") + name)});
        EXPECT_EQ(run.ExitCode, 0) << name.toStdString() << run.Err.toStdString();
        EXPECT_FALSE(Json(run).value(QStringLiteral("stories")).toArray().isEmpty())
            << name.toStdString();
    }
}

TEST(ReadToolTest, UnparsableDocumentsAndBadUsage) {
    QTemporaryDir folder;
    const QString broken = folder.filePath(QStringLiteral("broken.xml"));
    QFile file(broken);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("<rss><channel>\n<item>");
    file.close();
    const ToolRun run = Tool({broken});
    EXPECT_EQ(run.ExitCode, 1);
    EXPECT_TRUE(run.Err.contains(broken.toUtf8() + ":")) << run.Err.toStdString();
    EXPECT_EQ(Tool({folder.filePath(QStringLiteral("missing.xml"))}).ExitCode, 1);
    EXPECT_EQ(Tool({}).ExitCode, 2);
    EXPECT_EQ(Tool({QStringLiteral("--no-such-option"), broken}).ExitCode, 2);
}

TEST(ReadToolTest, ReadsFeedsFromTheWeb) {
    TestHttpServer server;
    server.Serve("/feed", TestData::Read(QStringLiteral("feeds/rss20.xml")));
    server.Serve("/text", QByteArray("caf\xe9 opens\n"), "text/plain; charset=iso-8859-1");
    const ToolRun feed = Tool({QStringLiteral("--json"), server.Url("/feed").toString()});
    ASSERT_EQ(feed.ExitCode, 0) << feed.Err.toStdString();
    EXPECT_EQ(Json(feed).value(QStringLiteral("stories")).toArray().size(), 3);
    const ToolRun text = Tool({QStringLiteral("--json"), QStringLiteral("--text-spec"),
                               QStringLiteral("00,01,T"), server.Url("/text").toString()});
    ASSERT_EQ(text.ExitCode, 0) << text.Err.toStdString();
    EXPECT_EQ(Json(text)
                  .value(QStringLiteral("stories"))
                  .toArray()
                  .first()
                  .toObject()
                  .value(QStringLiteral("title")),
              QStringLiteral("café opens"));
}

TEST(ReadToolTest, UnknownDocumentIsReadButFails) {
    QTemporaryDir folder;
    const QString page = folder.filePath(QStringLiteral("page.html"));
    QFile file(page);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("<html><body>Not a feed</body></html>");
    file.close();
    const ToolRun run = Tool({QStringLiteral("--json"), page});
    EXPECT_EQ(run.ExitCode, 0);
    EXPECT_EQ(Json(run).value(QStringLiteral("loadState")).toInt(), 3);
}

// What cannot be read from the web says why, after the address.
TEST(ReadToolTest, WebAnswersThatAreNoFeedSayWhy) {
    TestHttpServer server;
    server.Redirect("/to-file", "file:///etc/hostname", 302);
    server.Redirect("/loop", "/loop", 302);
    server.Serve("/page",
                 QByteArray("<!DOCTYPE html><html><body><a href=\"/a\">A</a></body></html>"),
                 "text/html");
    TestHttpServer::Response cut;
    cut.Body = TestData::Read(QStringLiteral("feeds/rss20.xml"));
    cut.CutShort = true;
    server.Serve("/cut", cut);
    TestHttpServer::Response missing;
    missing.Status = 404;
    server.Serve("/missing", missing);
    const struct {
        const char* Path;
        const char* Reason;
    } cases[] = {
        {"/to-file", "redirect to a file: address refused"},
        {"/loop", "more than 10 redirects"},
        {"/page", "the address gave a web page, not a feed"},
        {"/cut", "the answer broke off before its end"},
        {"/missing", "the server answered with status 404"},
    };
    for (const auto& c : cases) {
        const QString url = server.Url(QString::fromLatin1(c.Path)).toString();
        for (const QStringList& text : {QStringList(), QStringList{QStringLiteral("--text-spec"),
                                                                   QStringLiteral("00,01,T")}}) {
            const ToolRun run = Tool(text + QStringList{url});
            EXPECT_EQ(run.ExitCode, 1) << c.Path;
            EXPECT_EQ(run.Err, "varnocet-read: " + url.toUtf8() + ": " + c.Reason + "\n") << c.Path;
            EXPECT_TRUE(run.Out.isEmpty()) << c.Path;
        }
    }
}
