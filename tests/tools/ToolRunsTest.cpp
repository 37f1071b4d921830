// What the tools answer to a command line: exit code, what they print and
// the file they write, case by case in data/cases/tool-runs.json. "{data}"
// stands for the test data folder, "{tmp}" for a folder of the test's own,
// "{site}" for the test server below. The JSON report and the files written
// as the user's list and as a delta set are shown by the providers files
// under data/providers (their golden test), the import by the OPML cases.
// A case with "loads" first keeps those loads in the story store of {tmp}
// as the program would ("storeText": puts that text there instead), and the
// tool must leave the store as it was; "zone" is the tool's TZ, "outFile"
// holds the whole output (VARNOCET_REGENERATE=1 rewrites it) and "absent"
// names files the run must not make.
#include "config/StoryStore.h"
#include "model/Provider.h"
#include "support/EnvironmentVariable.h"
#include "support/GoldenFile.h"
#include "support/NumberedFeed.h"
#include "support/TestData.h"
#include "support/TestHttpServer.h"
#include "support/ToolRun.h"

#include <QDir>
#include <QFileInfo>
#include <QHash>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <optional>

namespace {

// Feeds, a text source and what is no feed, for the reader to fetch.
void ServeSite(TestHttpServer& server) {
    const QByteArray rss = TestData::Read(QStringLiteral("feeds/rss/rss20.xml"));
    server.Serve("/feed", rss);
    server.Serve("/text", QByteArray("caf\xe9 opens\n"), "text/plain; charset=iso-8859-1");
    server.Serve("/feeds/a.xml", TestData::Read(QStringLiteral("feeds/rss/relative-links.xml")));
    server.Redirect("/old.xml", server.Url("/feeds/a.xml").toString().toUtf8());
    server.Redirect("/to-file", "file:///etc/hostname", 302);
    server.Redirect("/loop", "/loop", 302);
    server.Serve("/page", "<!DOCTYPE html><html><body><a href=\"/a\">A</a></body></html>",
                 "text/html");
    server.Serve("/cut", {.Body = rss, .CutShort = true});
    server.Serve("/missing", {.Status = 404});
}

// Each load of the file (a provider, the time it completed and its stories)
// kept in turn; "temporary" stands for a provider whose ID is not yet
// permanent.
void KeepLoads(const QString& loadsFile, const QString& storeFile) {
    QDir().mkpath(QFileInfo(storeFile).path());
    StoryStore store(storeFile);
    ASSERT_EQ(store.Open(QDateTime()).toStdString(), "");
    for (const QJsonValue& value : TestData::Cases(loadsFile)) {
        const QJsonObject load = value.toObject();
        Provider provider;
        provider.UniqueID = load["provider"].toInt(Provider::TemporaryIDMask | 1);
        provider.DataURL = load["url"].toString();
        StoryCollection stories;
        for (const QJsonValue& story : load["stories"].toArray()) {
            const QJsonObject fields = story.toObject();
            stories.Add(fields["title"].toString(), fields["description"].toString(),
                        fields["link"].toString(),
                        Date::FromText(fields["time"].toString()).value_or(Date()), 0, false);
            stories.Item(stories.Count()).Opened = fields["opened"].toBool();
        }
        ASSERT_TRUE(store.KeepLoad(provider, stories,
                                   QDateTime::fromString(load["now"].toString(), Qt::ISODate)))
            << store.LastError().toStdString();
    }
}

TEST(ToolRunsTest, EachCommandLineAnswersAsItsCaseSays) {
    const QHash<QString, QString> tools = {{"read", QStringLiteral(VARNOCET_READ_TOOL)},
                                           {"providers", QStringLiteral(VARNOCET_PROVIDERS_TOOL)},
                                           {"stories", QStringLiteral(VARNOCET_STORIES_TOOL)}};
    TestHttpServer server;
    ServeSite(server);
    for (const QJsonValue& value : TestData::Cases(QStringLiteral("cases/tool-runs.json"))) {
        const QJsonObject c = value.toObject();
        SCOPED_TRACE(QJsonDocument(c).toJson(QJsonDocument::Compact).toStdString());
        QTemporaryDir folder;
        const auto expand = [&](const QJsonValue& text) {
            return text.toString()
                .replace("{data}", QDir::cleanPath(TestData::Path(QStringLiteral("."))))
                .replace("{tmp}", folder.path())
                .replace("{site}", server.Url("/").toString().chopped(1))
                .toUtf8();
        };
        const auto texts = [&](const char* key) {
            QList<QByteArray> list;
            for (const QJsonValue& text : c[QLatin1String(key)].toArray())
                list.append(expand(text));
            return list;
        };
        QStringList arguments;
        for (const QByteArray& argument : texts("args"))
            arguments.append(QString::fromUtf8(argument));
        const QString store = folder.filePath(QStringLiteral("data/stories.sqlite"));
        if (c.contains("loads"))
            KeepLoads(c["loads"].toString(), store);
        if (c.contains("storeText"))
            TestData::Write(store, expand(c["storeText"]));
        const QByteArray stored = TestData::ReadFile(store);
        std::optional<EnvironmentVariable> zone;
        if (c.contains("zone"))
            zone.emplace("TZ", expand(c["zone"]));
        const ToolRun run = ToolRun::Of(tools.value(c["tool"].toString()), arguments);
        EXPECT_EQ(TestData::ReadFile(store), stored) << "the store was changed";
        EXPECT_EQ(run.ExitCode, c["exit"].toInt()) << run.Err.toStdString();
        for (const QByteArray& text : texts("out"))
            EXPECT_TRUE(run.Out.contains(text)) << run.Out.toStdString();
        for (const QByteArray& text : texts("notOut"))
            EXPECT_FALSE(run.Out.contains(text)) << run.Out.toStdString();
        for (const QByteArray& text : texts("err"))
            EXPECT_TRUE(run.Err.contains(text)) << run.Err.toStdString();
        // Whole outputs, where the case gives them.
        EXPECT_EQ(run.Out, c.contains("outIs") ? expand(c["outIs"]) : run.Out);
        EXPECT_EQ(run.Err, c.contains("errIs") ? expand(c["errIs"]) : run.Err);
        if (c.contains("outFile")) {
            const QString expected = QString::fromUtf8(expand(c["outFile"]));
            if (GoldenFile::Regenerating())
                TestData::Write(expected, run.Out);
            EXPECT_EQ(run.Out, TestData::ReadFile(expected));
        }
        for (const QByteArray& path : texts("absent"))
            EXPECT_FALSE(QFileInfo::exists(QString::fromUtf8(path))) << path.toStdString();
        const QByteArray written = TestData::ReadFile(QString::fromUtf8(expand(c["file"])));
        for (const QByteArray& text : texts("fileHas"))
            EXPECT_TRUE(written.contains(text)) << text.toStdString();
        for (const QByteArray& text : texts("fileLacks"))
            EXPECT_FALSE(written.contains(text)) << text.toStdString();
    }
}

QJsonArray Stories(const ToolRun& run) {
    return QJsonDocument::fromJson(run.Out).object().value(QStringLiteral("stories")).toArray();
}

TEST(ToolRunsTest, TheReaderReadsFeedsLongerThanA16BitPositionWhole) {
    QTemporaryDir folder;
    const QString path =
        TestData::Write(folder.filePath(QStringLiteral("long.xml")), NumberedFeed::Rss(40'000));
    const ToolRun run =
        ToolRun::Of(QStringLiteral(VARNOCET_READ_TOOL), {QStringLiteral("--json"), path});
    ASSERT_EQ(run.ExitCode, 0) << run.Err.toStdString();
    const QJsonArray stories = Stories(run);
    ASSERT_EQ(stories.size(), 40'000);
    EXPECT_EQ(stories.last().toObject().value(QStringLiteral("title")).toString(),
              QStringLiteral("Story 40000"));
}

} // namespace
