#include "feeds/HtmlEntities.h"

#include <gtest/gtest.h>

TEST(HtmlEntitiesTest, NamedMatchesTheHtmlSetExactly) {
    EXPECT_EQ(HtmlEntities::Named(u"AElig"), u"\u00C6");
    EXPECT_EQ(HtmlEntities::Named(u"hellip"), u"\u2026");
    EXPECT_EQ(HtmlEntities::Named(u"apos"), u"'");
    EXPECT_EQ(HtmlEntities::Named(u"Afr"), u"\U0001D504");
    EXPECT_EQ(HtmlEntities::Named(u"NotEqualTilde"), u"\u2242\u0338");
    EXPECT_EQ(HtmlEntities::Named(u"CounterClockwiseContourIntegral"), u"\u2233");
    // HTML tells these apart by case.
    EXPECT_EQ(HtmlEntities::Named(u"Dagger"), u"\u2021");
    EXPECT_EQ(HtmlEntities::Named(u"dagger"), u"\u2020");
}

TEST(HtmlEntitiesTest, NamedRejectsWhatIsNoName) {
    for (const QStringView name : {u"", u"am", u"ampx", u"Hellip", u"\u00E9", u"nbsp ", u"#65"})
        EXPECT_TRUE(HtmlEntities::Named(name).isNull()) << name.toString().toStdString();
    EXPECT_TRUE(HtmlEntities::Named(QString(HtmlEntities::LongestName + 1, u'a')).isNull());
}

TEST(HtmlEntitiesTest, Latin1NamesIgnoreCaseButLettersFollowTheSpelling) {
    EXPECT_EQ(HtmlEntities::Latin1Named(u"eacute"), u"\u00E9");
    EXPECT_EQ(HtmlEntities::Latin1Named(u"Eacute"), u"\u00C9");
    EXPECT_EQ(HtmlEntities::Latin1Named(u"EACUTE"), u"\u00C9");
    EXPECT_EQ(HtmlEntities::Latin1Named(u"eTH"), u"\u00D0");
    EXPECT_EQ(HtmlEntities::Latin1Named(u"thorn"), u"\u00FE");
    // One form only, whatever the spelling.
    EXPECT_EQ(HtmlEntities::Latin1Named(u"SZLIG"), u"\u00DF");
    EXPECT_EQ(HtmlEntities::Latin1Named(u"Yuml"), u"\u00FF");
    EXPECT_EQ(HtmlEntities::Latin1Named(u"TIMES"), u"\u00D7");
    EXPECT_EQ(HtmlEntities::Latin1Named(u"Divide"), u"\u00F7");
    EXPECT_EQ(HtmlEntities::Latin1Named(u"NBSP"), u"\u00A0");
    EXPECT_EQ(HtmlEntities::Latin1Named(u"Amp"), u"&");
    EXPECT_TRUE(HtmlEntities::Latin1Named(u"mdash").isNull());
}

TEST(HtmlEntitiesTest, CodePointsAreUnicodeWithWindows1252Controls) {
    EXPECT_EQ(HtmlEntities::FromCodePoint(65), u"A");
    EXPECT_EQ(HtmlEntities::FromCodePoint(128), u"\u20AC");
    EXPECT_EQ(HtmlEntities::FromCodePoint(150), u"\u2013");
    EXPECT_EQ(HtmlEntities::FromCodePoint(233), u"\u00E9");
    EXPECT_EQ(HtmlEntities::FromCodePoint(0x2019), u"\u2019");
    EXPECT_EQ(HtmlEntities::FromCodePoint(0x1F600), u"\U0001F600");
    for (const qint64 invalid : {0LL, -1LL, 0xD800LL, 0xDFFFLL, 0x110000LL})
        EXPECT_TRUE(HtmlEntities::FromCodePoint(invalid).isNull()) << invalid;
}
