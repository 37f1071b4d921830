#include "model/StoryCollection.h"
#include "model/TitleHash.h"
#include "support/TestData.h"

#include <gtest/gtest.h>

namespace {

StoryCollection WithLinks(const QStringList& links) {
    StoryCollection stories;
    for (const QString& link : links)
        stories.Add("title " + link, QString(), link, Date(), 0, true);
    return stories;
}

// Every story's full link, in order.
QStringList Links(const StoryCollection& stories) {
    QStringList links;
    for (qsizetype i = 1; i <= stories.Count(); ++i)
        links.append(stories.ItemURL(i));
    return links;
}

} // namespace

TEST(TitleHashTest, KnownTitlesHashToTheirStoredValues) {
    for (const QStringList& row : TestData::Table("tables/title_hash.tsv"))
        EXPECT_EQ(TitleHash(row[0]), row[1].toInt()) << row[0].toStdString();
    EXPECT_NE(TitleHash("Hello, World"), TitleHash("Hello, Xorld"));

    // Long titles stay non-negative.
    EXPECT_GE(TitleHash(QString(100000, QChar(0xFF))), 0);
    EXPECT_GE(TitleHash(QString(5000, QChar(u'z')) + QString(5000, QChar(0x20AC))), 0);
}

TEST(StoryCollectionTest, CompressFactorsOutTheLinksCommonPrefix) {
    for (const QStringList& row : TestData::Table("tables/story_link_prefix.tsv")) {
        const QStringList links = row[0] == u"(none)" ? QStringList() : row[0].split(u'|');
        SCOPED_TRACE(row[0].toStdString());
        StoryCollection stories = WithLinks(links);
        EXPECT_EQ(Links(stories), links);
        stories.Compress();
        EXPECT_EQ(stories.CommonPrefix(), row[1]);
        EXPECT_EQ(Links(stories), links);
        // Enumerated in order, each story keeps only what follows the prefix.
        QStringList partials;
        for (const Story& story : stories)
            partials.append(row[1] + story.PartialURL);
        EXPECT_EQ(partials, links);
    }
}
