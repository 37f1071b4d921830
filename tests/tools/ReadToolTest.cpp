#include "support/NumberedFeed.h"
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

QJsonArray Stories(const ToolRun& run) {
    return QJsonDocument::fromJson(run.Out).object().value(QStringLiteral("stories")).toArray();
}

// A field of the first story the JSON report lists.
QString First(const ToolRun& run, const char* field) {
    return Stories(run).first().toObject().value(QLatin1String(field)).toString();
}

} // namespace

TEST(ReadToolTest, ReadsFeedsLongerThanA16BitPositionWhole) {
    QTemporaryDir folder;
    const QString path =
        TestData::Write(folder.filePath(QStringLiteral("long.xml")), NumberedFeed::Rss(40'000));
    const ToolRun run = Tool({QStringLiteral("--json"), path});
    ASSERT_EQ(run.ExitCode, 0) << run.Err.toStdString();
    const QJsonArray stories = Stories(run);
    ASSERT_EQ(stories.size(), 40'000);
    EXPECT_EQ(stories.last().toObject().value(QStringLiteral("title")).toString(),
              QStringLiteral("Story 40000"));
}

TEST(ReadToolTest, ReadsFeedsFromTheWeb) {
    TestHttpServer server;
    server.Serve("/feed", TestData::Read(QStringLiteral("feeds/rss/rss20.xml")));
    server.Serve("/text", QByteArray("caf\xe9 opens\n"), "text/plain; charset=iso-8859-1");
    const ToolRun feed = Tool({QStringLiteral("--json"), server.Url("/feed").toString()});
    ASSERT_EQ(feed.ExitCode, 0) << feed.Err.toStdString();
    EXPECT_EQ(Stories(feed).size(), 3);
    const ToolRun text = Tool({QStringLiteral("--json"), QStringLiteral("--text-spec"),
                               QStringLiteral("00,01,T"), server.Url("/text").toString()});
    ASSERT_EQ(text.ExitCode, 0) << text.Err.toStdString();
    EXPECT_EQ(First(text, "title"), QStringLiteral("café opens"));
}

// Relative links resolve against the address the document came from: the
// one given for a file, or the web source's own after redirects.
TEST(ReadToolTest, RelativeLinksResolveAgainstTheDocumentsAddress) {
    const QString file = TestData::Path(QStringLiteral("feeds/rss/relative-links.xml"));
    const ToolRun told = Tool({QStringLiteral("--json"), QStringLiteral("--url"),
                               QStringLiteral("http://example.org/feeds/a.xml"), file});
    ASSERT_EQ(told.ExitCode, 0) << told.Err.toStdString();
    EXPECT_EQ(First(told, "url"), QStringLiteral("http://example.org/entry/3"));
    EXPECT_EQ(First(Tool({QStringLiteral("--json"), file}), "url"), QStringLiteral("/entry/3"));

    TestHttpServer server;
    server.Serve("/feeds/a.xml", TestData::Read(QStringLiteral("feeds/rss/relative-links.xml")));
    server.Redirect("/old.xml", server.Url("/feeds/a.xml").toString().toUtf8());
    const ToolRun fetched = Tool({QStringLiteral("--json"), server.Url("/old.xml").toString()});
    ASSERT_EQ(fetched.ExitCode, 0) << fetched.Err.toStdString();
    EXPECT_EQ(First(fetched, "url"), server.Url("/entry/3").toString());
}

// What cannot be read from the web says why, after the address.
TEST(ReadToolTest, WebAnswersThatAreNoFeedSayWhy) {
    TestHttpServer server;
    server.Redirect("/to-file", "file:///etc/hostname", 302);
    server.Redirect("/loop", "/loop", 302);
    server.Serve("/page",
                 QByteArray("<!DOCTYPE html><html><body><a href=\"/a\">A</a></body></html>"),
                 "text/html");
    server.Serve("/cut",
                 {.Body = TestData::Read(QStringLiteral("feeds/rss/rss20.xml")), .CutShort = true});
    server.Serve("/missing", {.Status = 404});
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
