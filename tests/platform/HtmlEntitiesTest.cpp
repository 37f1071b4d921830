#include "platform/HtmlEntities.h"

#include <gtest/gtest.h>

#include <utility>

namespace {

using Pair = std::pair<const char16_t*, const char16_t*>;

} // namespace

TEST(HtmlEntitiesTest, NamedMatchesTheHtmlSetExactly) {
    // HTML tells Dagger and dagger apart by case.
    for (const auto& [name, text] :
         {Pair{u"AElig", u"\u00C6"}, Pair{u"hellip", u"\u2026"}, Pair{u"apos", u"'"},
          Pair{u"Afr", u"\U0001D504"}, Pair{u"NotEqualTilde", u"\u2242\u0338"},
          Pair{u"CounterClockwiseContourIntegral", u"\u2233"}, Pair{u"Dagger", u"\u2021"},
          Pair{u"dagger", u"\u2020"}})
        EXPECT_EQ(HtmlEntities::Named(name), text) << QString::fromUtf16(name).toStdString();
    for (const QStringView name : {u"", u"am", u"ampx", u"Hellip", u"\u00E9", u"nbsp ", u"#65"})
        EXPECT_TRUE(HtmlEntities::Named(name).isNull()) << name.toString().toStdString();
    EXPECT_TRUE(HtmlEntities::Named(QString(HtmlEntities::LongestName + 1, u'a')).isNull());
}

// Letters follow the spelling; the rest have one form only, whatever the
// spelling.
TEST(HtmlEntitiesTest, Latin1NamesIgnoreCaseButLettersFollowTheSpelling) {
    for (const auto& [name, text] :
         {Pair{u"eacute", u"\u00E9"}, Pair{u"Eacute", u"\u00C9"}, Pair{u"EACUTE", u"\u00C9"},
          Pair{u"eTH", u"\u00D0"}, Pair{u"thorn", u"\u00FE"}, Pair{u"SZLIG", u"\u00DF"},
          Pair{u"Yuml", u"\u00FF"}, Pair{u"TIMES", u"\u00D7"}, Pair{u"Divide", u"\u00F7"},
          Pair{u"NBSP", u"\u00A0"}, Pair{u"Amp", u"&"}})
        EXPECT_EQ(HtmlEntities::Latin1Named(name), text) << QString::fromUtf16(name).toStdString();
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
