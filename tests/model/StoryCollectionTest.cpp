#include "model/StoryCollection.h"
#include "model/TitleHash.h"
#include "platform/ProgramError.h"

#include <gtest/gtest.h>

namespace {

StoryCollection WithLinks(const QStringList& links) {
    StoryCollection stories;
    for (const QString& link : links)
        stories.Add(QStringLiteral("title ") + link, QString(), link, Date(), 0, true);
    return stories;
}

} // namespace

TEST(TitleHashTest, KnownValues) {
    EXPECT_EQ(TitleHash(QString()), 0);
    EXPECT_EQ(TitleHash(QStringLiteral("ab")), 97 * 5 + 98);
    EXPECT_EQ(TitleHash(QStringLiteral("Hello, World")), 16717927);
    // Characters beyond Latin-1 count by their Windows-1252 code or as "?".
    EXPECT_EQ(TitleHash(QStringLiteral("€uro ‘quotes’ 日本")), 58970608);
}

TEST(TitleHashTest, LongTitlesStayNonNegative) {
    EXPECT_EQ(TitleHash(QStringLiteral("Linux kernel 6.1 released with new scheduler features")),
              792920470);
    EXPECT_GE(TitleHash(QString(100000, QChar(0xFF))), 0);
    EXPECT_GE(TitleHash(QString(5000, QChar(u'z')) + QString(5000, QChar(0x20AC))), 0);
}

TEST(TitleHashTest, CharacterOnADivisionStepDoesNotCount) {
    // The 12th character of "Hello, World" falls on a division step.
    EXPECT_EQ(TitleHash(QStringLiteral("Hello, World")), TitleHash(QStringLiteral("Hello, Worlx")));
    EXPECT_NE(TitleHash(QStringLiteral("Hello, World")), TitleHash(QStringLiteral("Hello, Xorld")));
}

TEST(StoryCollectionTest, AddSetsEveryFieldAndTheHash) {
    StoryCollection stories;
    const Date when = Date::FromParts(2026, 1, 5, 10, 0, 0);
    const Story& story = stories.Add(QStringLiteral("Title"), QStringLiteral("Text"),
                                     QStringLiteral("http://x/1"), when, 7, true);
    EXPECT_EQ(story.Title, QStringLiteral("Title"));
    EXPECT_EQ(story.Description, QStringLiteral("Text"));
    EXPECT_EQ(story.PartialURL, QStringLiteral("http://x/1"));
    EXPECT_EQ(story.Time, when);
    EXPECT_EQ(story.Comments, 7);
    EXPECT_TRUE(story.NewStory);
    EXPECT_EQ(story.TitleHash, TitleHash(QStringLiteral("Title")));
    EXPECT_EQ(stories.Count(), 1);
}

TEST(StoryCollectionTest, PositionsOutsideTheCollectionThrow) {
    StoryCollection stories = WithLinks({QStringLiteral("a")});
    EXPECT_THROW(stories.Item(0), ProgramError);
    EXPECT_THROW(stories.Item(-1), ProgramError);
    EXPECT_THROW(stories.Item(2), ProgramError);
    EXPECT_THROW(stories.ItemURL(2), ProgramError);
    EXPECT_THROW(stories.Remove(2), ProgramError);
    EXPECT_NO_THROW(stories.Item(1));
    StoryCollection empty;
    EXPECT_THROW(empty.Item(1), ProgramError);
}

TEST(StoryCollectionTest, RemoveMovesLaterStoriesUp) {
    StoryCollection stories =
        WithLinks({QStringLiteral("a"), QStringLiteral("b"), QStringLiteral("c")});
    stories.Remove(2);
    ASSERT_EQ(stories.Count(), 2);
    EXPECT_EQ(stories.ItemURL(2), QStringLiteral("c"));
}

TEST(StoryCollectionTest, FindStoryByTitle) {
    StoryCollection stories;
    stories.Add(QStringLiteral("First"), QString(), QString(), Date(), 0, true);
    stories.Add(QStringLiteral("Twice"), QString(), QString(), Date(), 0, true);
    stories.Add(QStringLiteral("Twice"), QString(), QString(), Date(), 0, true);
    stories.Add(QStringLiteral("Hello, World"), QString(), QString(), Date(), 0, true);
    EXPECT_EQ(stories.FindStoryByTitle(QStringLiteral("Twice")), 2);
    EXPECT_EQ(stories.FindStoryByTitle(QStringLiteral("twice")), -1);
    EXPECT_EQ(stories.FindStoryByTitle(QStringLiteral("Missing")), -1);
    // Same hash, different title: the title comparison decides.
    EXPECT_EQ(stories.FindStoryByTitle(QStringLiteral("Hello, Worlx")), -1);
    EXPECT_EQ(stories.FindStoryByTitle(QStringLiteral("Hello, World")), 4);
}

TEST(StoryCollectionTest, CompressSingleStoryKeepsWholeLinkAsPrefix) {
    StoryCollection stories = WithLinks({QStringLiteral("https://example.org/a")});
    stories.Compress();
    EXPECT_EQ(stories.CommonPrefix(), QStringLiteral("https://example.org/a"));
    EXPECT_EQ(stories.Item(1).PartialURL, QString());
    EXPECT_EQ(stories.ItemURL(1), QStringLiteral("https://example.org/a"));
}

TEST(StoryCollectionTest, CompressFactorsOutTheSharedPrefix) {
    const QString a = QStringLiteral("http://example.com/a1");
    const QString b = QStringLiteral("http://example.com/b22");
    StoryCollection stories = WithLinks({a, b});
    EXPECT_EQ(stories.ItemURL(1), a); // meaningful before Compress too
    stories.Compress();
    EXPECT_EQ(stories.CommonPrefix(), QStringLiteral("http://example.com/"));
    EXPECT_EQ(stories.Item(1).PartialURL, QStringLiteral("a1"));
    EXPECT_EQ(stories.Item(2).PartialURL, QStringLiteral("b22"));
    EXPECT_EQ(stories.ItemURL(1), a);
    EXPECT_EQ(stories.ItemURL(2), b);
}

TEST(StoryCollectionTest, CompressComparesLetterCaseExactly) {
    StoryCollection stories =
        WithLinks({QStringLiteral("http://x/Path/a"), QStringLiteral("http://x/path/b")});
    stories.Compress();
    EXPECT_EQ(stories.CommonPrefix(), QStringLiteral("http://x/"));
    EXPECT_EQ(stories.ItemURL(2), QStringLiteral("http://x/path/b"));
}

TEST(StoryCollectionTest, CompressWithAShorterOrEmptyLink) {
    StoryCollection stories =
        WithLinks({QStringLiteral("http://x/long/path"), QStringLiteral("http://x/"), QString()});
    stories.Compress();
    EXPECT_EQ(stories.CommonPrefix(), QString());
    EXPECT_EQ(stories.ItemURL(1), QStringLiteral("http://x/long/path"));

    StoryCollection empty;
    empty.Compress();
    EXPECT_EQ(empty.CommonPrefix(), QString());
}

TEST(StoryCollectionTest, EnumeratesInOrder) {
    StoryCollection stories = WithLinks({QStringLiteral("1"), QStringLiteral("2")});
    QStringList seen;
    for (const Story& story : stories)
        seen.append(story.PartialURL);
    EXPECT_EQ(seen, QStringList({QStringLiteral("1"), QStringLiteral("2")}));
}
