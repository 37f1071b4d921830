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
    file.write("no markup\nat all");
    file.close();
    const ToolRun run = Tool({broken});
    EXPECT_EQ(run.ExitCode, 1);
    EXPECT_TRUE(run.Err.contains(broken.toUtf8() + ":")) << run.Err.toStdString();
    // A feed cut short is read as far as it goes, and said to be broken.
    const QString truncated = folder.filePath(QStringLiteral("truncated.xml"));
    QFile cut(truncated);
    ASSERT_TRUE(cut.open(QIODevice::WriteOnly));
    cut.write("<rss version=\"2.0\"><channel>\n<item><title>Kept</title>");
    cut.close();
    const ToolRun read = Tool({truncated});
    EXPECT_EQ(read.ExitCode, 0) << read.Err.toStdString();
    EXPECT_TRUE(read.Out.contains("Kept")) << read.Out.toStdString();
    EXPECT_TRUE(read.Err.startsWith("message: " + truncated.toUtf8() +
                                    ": the feed is not well-formed XML (line 2: "))
        << read.Err.toStdString();
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
    const ToolRun missing = Tool({server.Url("/missing").toString()});
    EXPECT_EQ(missing.ExitCode, 1);
    EXPECT_TRUE(missing.Err.contains("status 404")) << missing.Err.toStdString();
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
