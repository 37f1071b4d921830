#include "model/StoryCollection.h"
#include "model/TitleHash.h"
#include "platform/ProgramError.h"
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
}

TEST(TitleHashTest, LongTitlesStayNonNegative) {
    EXPECT_GE(TitleHash(QString(100000, QChar(0xFF))), 0);
    EXPECT_GE(TitleHash(QString(5000, QChar(u'z')) + QString(5000, QChar(0x20AC))), 0);
}

TEST(StoryCollectionTest, PositionsOutsideTheCollectionThrowAndRemoveMovesLaterStoriesUp) {
    StoryCollection stories = WithLinks({"a", "b", "c"});
    stories.Remove(2);
    ASSERT_EQ(stories.Count(), 2);
    EXPECT_EQ(stories.ItemURL(2), "c");
    for (const qsizetype position : {0, -1, 3}) {
        EXPECT_THROW(stories.Item(position), ProgramError) << position;
        EXPECT_THROW(stories.ItemURL(position), ProgramError) << position;
        EXPECT_THROW(stories.Remove(position), ProgramError) << position;
    }
    EXPECT_THROW(StoryCollection().Item(1), ProgramError);
}

TEST(StoryCollectionTest, FindStoryByTitleMatchesTheWholeTitleExactly) {
    StoryCollection stories;
    for (const char* title : {"First", "Twice", "Twice", "Hello, World"})
        stories.Add(title, QString(), QString(), Date(), 0, true);
    EXPECT_EQ(stories.FindStoryByTitle("Twice"), 2);
    EXPECT_EQ(stories.FindStoryByTitle("twice"), -1);
    EXPECT_EQ(stories.FindStoryByTitle("Missing"), -1);
    // Same hash, different title: the title comparison decides.
    EXPECT_EQ(stories.FindStoryByTitle("Hello, Worlx"), -1);
    EXPECT_EQ(stories.FindStoryByTitle("Hello, World"), 4);
}

TEST(StoryCollectionTest, CompressFactorsOutTheLinksCommonPrefix) {
    const struct {
        QStringList links;
        const char* prefix;
    } cases[] = {
        // A single story keeps nothing of its own.
        {{"https://example.org/a"}, "https://example.org/a"},
        {{"http://example.com/a1", "http://example.com/b22"}, "http://example.com/"},
        {{"http://x/Path/a", "http://x/path/b"}, "http://x/"},
        {{"http://x/long/path", "http://x/", ""}, ""},
        {{}, ""},
    };
    for (const auto& c : cases) {
        StoryCollection stories = WithLinks(c.links);
        const std::string context = c.links.join(' ').toStdString();
        EXPECT_EQ(Links(stories), c.links) << context;
        stories.Compress();
        EXPECT_EQ(stories.CommonPrefix(), c.prefix) << context;
        EXPECT_EQ(Links(stories), c.links) << context;
        // Enumerated in order, each story keeps only what follows the prefix.
        QStringList partials;
        for (const Story& story : stories)
            partials.append(c.prefix + story.PartialURL);
        EXPECT_EQ(partials, c.links) << context;
    }
}

TEST(StoryCollectionTest, PositionsPastThe16BitRangeWork) {
    StoryCollection stories;
    for (int n = 1; n <= 40'000; ++n)
        stories.Add(QString::number(n), QString(), QString::number(n), Date(), 0, true);
    ASSERT_EQ(stories.Count(), 40'000);
    EXPECT_EQ(stories.FindStoryByTitle("33000"), 33'000);
    EXPECT_EQ(stories.Item(40'000).Title, "40000");
    stories.Remove(32'768);
    EXPECT_EQ(stories.ItemURL(32'768), "32769");
    EXPECT_EQ(stories.FindStoryByTitle("40000"), 39'999);
}

TEST(StoryCollectionTest, AFullCollectionRefusesMoreStoriesAndSaysSo) {
    StoryCollection stories;
    for (qsizetype n = 1; n <= StoryCollection::MaximumStories; ++n)
        ASSERT_TRUE(stories.Add(QString(), QString(), QString(), Date(), 0, true)) << n;
    EXPECT_TRUE(stories.IsFull());
    EXPECT_FALSE(stories.Overflowed());
    EXPECT_FALSE(stories.Add("one too many", QString(), QString(), Date(), 0, true));
    EXPECT_TRUE(stories.Overflowed());
    EXPECT_EQ(stories.Count(), StoryCollection::MaximumStories);
    EXPECT_EQ(stories.FindStoryByTitle("one too many"), -1);
}
