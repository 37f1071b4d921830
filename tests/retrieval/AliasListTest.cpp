#include "retrieval/AliasList.h"

#include "support/EventWait.h"
#include "support/TestData.h"
#include "support/TestHttpServer.h"

#include <QDir>
#include <QMap>
#include <QSignalSpy>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

using namespace std::chrono_literals;

QByteArray OneSet(const QByteArray& first, const QByteArray& second) {
    return "<aliases><set><u>" + first + "</u><u>" + second + "</u></set></aliases>";
}

const QByteArray Published = OneSet("http://a/", "https://a/");
const QByteArray Cached = OneSet("http://c/", "https://c/");
const QByteArray Shipped = OneSet("http://s/", "https://s/");

// Where the sets come from, by how the published file answers and whether
// an earlier copy is in the cache: data/tables/alias-sources.tsv.
TEST(AliasListTest, TakesThePublishedFileElseTheCachedElseTheShippedCopy) {
    TestHttpServer server;
    server.Serve("/good/qtk_aliases.xml", Published);
    server.Serve("/silent/qtk_aliases.xml", {.NeverAnswer = true});
    server.Serve("/page/qtk_aliases.xml", QByteArray("<html><body>"), "text/html");
    const QMap<QString, QByteArray> copies{{"published", Published}, {"cached", Cached}};
    for (const QStringList& c : TestData::Table(QStringLiteral("tables/alias-sources.tsv"))) {
        SCOPED_TRACE((c[0] + ' ' + c[1]).toStdString());
        const QTemporaryDir folder;
        const QString cache = folder.filePath("cache");
        const QString bundled = folder.filePath("data");
        TestData::Write(QDir(bundled).filePath("qtk_aliases.xml"), Shipped);
        if (c[1] == "yes")
            TestData::Write(QDir(cache).filePath("qtk_aliases.xml"), Cached);
        const QString url = c[0] != "-" ? server.Url(c[0]).toString() : QString();
        AliasList list({url, cache, bundled}, 300ms);
        const QSignalSpy ready(&list, &AliasList::Ready);

        const bool atOnce = list.Load();
        EXPECT_EQ(atOnce, url.isEmpty());
        if (!atOnce) {
            EXPECT_FALSE(list.Load()) << "a second need waits for the same fetch";
            ASSERT_TRUE(WaitUntil([&] { return ready.count() > 0; }));
            EXPECT_EQ(ready.count(), 1);
        }
        EXPECT_TRUE(list.IsLoaded());
        EXPECT_TRUE(list.Load());
        ASSERT_EQ(list.Sets().Count(), 1);
        EXPECT_EQ(list.Sets().Item(1)->URLs().first(), c[2]);
        EXPECT_EQ(TestData::ReadFile(QDir(cache).filePath("qtk_aliases.xml")), copies.value(c[3]));
    }
}

// The shipped file names only feeds of the shipped providers: the first
// address of each set is a provider's data URL, and every set loads.
TEST(AliasListTest, ShippedSetsBelongToShippedProviders) {
    const QString shippedList =
        QString::fromUtf8(TestData::ReadFile(TestData::Bundled("Standard/bps_1.xml")));
    const QTemporaryDir emptyCache;
    AliasList list({QString(), emptyCache.path(), TestData::Bundled(".")});
    ASSERT_TRUE(list.Load());
    ASSERT_GT(list.Sets().Count(), 0);
    for (const auto& aliasSet : list.Sets()) {
        ASSERT_GE(aliasSet->URLs().size(), 2);
        EXPECT_TRUE(shippedList.contains("<dataurl>" + aliasSet->URLs().first() + "</dataurl>"))
            << aliasSet->URLs().first().toStdString();
    }
}

} // namespace
