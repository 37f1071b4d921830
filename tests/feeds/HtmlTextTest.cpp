#include "feeds/HtmlText.h"

#include <QCoreApplication>
#include <QTimer>

#include <gtest/gtest.h>

using HtmlText::DecodeEntities;
using HtmlText::StripHTML;

namespace {

const QString Bullet = QStringLiteral("\u2022 ");

} // namespace

TEST(HtmlTextStripTest, DecodesReferences) {
    EXPECT_EQ(StripHTML("A &amp; B &AMP; C"), "A & B & C");
    EXPECT_EQ(StripHTML("&Eacute;t&eacute; &EACUTE;"), u"\u00C9t\u00E9 \u00C9");
    EXPECT_EQ(StripHTML("&#233; &#256; &#x41; &#X2026;"), u"\u00E9 \u0100 A \u2026");
    EXPECT_EQ(StripHTML("don&#8217;t &mdash; &#150;"), u"don\u2019t \u2014 \u2013");
    EXPECT_EQ(StripHTML("&thetasym; &Dagger;"), u"\u03D1 \u2021");
    // Unknown names and values that are no character vanish.
    EXPECT_EQ(StripHTML("a&bogus;b&#0;c&#xD800;d&#x;e"), "abcde");
}

TEST(HtmlTextStripTest, AmpersandsOutsideReferencesStay) {
    EXPECT_EQ(StripHTML("Fish &chips and more"), "Fish &chips and more");
    EXPECT_EQ(StripHTML("R & D; then AT&T;x"), "R & D; then ATx");
    EXPECT_EQ(StripHTML("a &amp"), "a &amp");
}

TEST(HtmlTextStripTest, LonelyAngleBracketIsText) {
    EXPECT_EQ(StripHTML("Price < 5 dollars"), "Price < 5 dollars");
    EXPECT_EQ(StripHTML("<b>a</b> <"), "a <");
}

TEST(HtmlTextStripTest, BreaksDoNotStack) {
    EXPECT_EQ(StripHTML("one<br>two<BR/>three"), "one\r\ntwo\r\nthree");
    EXPECT_EQ(StripHTML("one<br><br />two"), "one\r\ntwo");
    EXPECT_EQ(StripHTML("a<p>b<P class=x><p>c"), "a\r\n\r\nb\r\n\r\nc");
    EXPECT_EQ(StripHTML("a<p><br>b"), "a\r\n\r\nb");
}

TEST(HtmlTextStripTest, WhitespaceFolds) {
    EXPECT_EQ(StripHTML("  a \t\n b  "), "a b");
    EXPECT_EQ(StripHTML("Hello<b>\nWorld</b> <i>again</i>"), "Hello World again");
    EXPECT_EQ(StripHTML("a <br>\n  b"), "a\r\nb");
    // The unit separator is dropped rather than folded.
    EXPECT_EQ(StripHTML(u"a\u001Fb"_qs), "ab");
}

TEST(HtmlTextStripTest, ListsGetBulletsAndNumbers) {
    EXPECT_EQ(StripHTML("<ul><li>a<li>b</ul>"),
              "\r\n\r\n\r\n" + Bullet + "a\r\n" + Bullet + "b\r\n\r\n");
    EXPECT_EQ(StripHTML("<ol><li>a</li><li>b</li></ol><ol><li>c</ol>"),
              "\r\n\r\n\r\n1. a\r\n2. b\r\n\r\n\r\n1. c\r\n\r\n");
    // Indented markup lays out as the compact form does.
    EXPECT_EQ(StripHTML("<ul>\n  <li>a</li>\n  <li>b</li>\n</ul>\n"),
              StripHTML("<ul><li>a</li><li>b</li></ul>"));
}

TEST(HtmlTextStripTest, ShortRowsStayOnOneLine) {
    EXPECT_EQ(StripHTML("<tr><td>Price</td>\n<td>10</td></tr>"), "\r\nPrice   10");
    EXPECT_EQ(StripHTML("<table><tr><th>a</th><th>b</th></tr><tr><td>c</td><td>d</td></tr>"),
              "\r\n\r\na   b\r\nc   d");
}

TEST(HtmlTextStripTest, LongOrBrokenRowsPutCellsOnLines) {
    const QString longText(70, u'x');
    EXPECT_EQ(StripHTML("<tr><td>a</td><td>" + longText + "</td></tr>"),
              "\r\n\r\na\r\n" + longText);
    EXPECT_EQ(StripHTML("<tr><td>a<br>b</td><td>c</td></tr>"), "\r\n\r\na\r\nb\r\nc");
    EXPECT_EQ(StripHTML("<tr><td>a<table>"), "\r\n\r\na\r\n");
    // A row that never ends keeps its text.
    EXPECT_EQ(StripHTML("<tr><td>a<td>b"), "\r\n\r\na\r\nb");
}

TEST(HtmlTextStripTest, CommentsAndScriptsVanish) {
    EXPECT_EQ(StripHTML("a<!-- <b>x</b> - y -->b"), "ab");
    EXPECT_EQ(StripHTML("a<!-- x -- >b"), "ab");
    EXPECT_EQ(StripHTML("a<!-- never closed <br> b"), "a");
    EXPECT_EQ(StripHTML("a<script>if (x<y) document.write('<br><li>')</script >b"), "ab");
}

TEST(HtmlTextStripTest, TitleIsCopiedAsWritten) {
    EXPECT_EQ(StripHTML("<title>My  &amp; Feed</title>Body"), "My  &amp; Feed\r\n\r\nBody");
}

TEST(HtmlTextStripTest, OptionsGoOnTabbedLines) {
    EXPECT_EQ(StripHTML("<select><option>A<option value=2>B</select>"), "\r\n\tA\r\n\tB");
}

TEST(HtmlTextStripTest, WrapsAtTheFirstSpaceFromColumn75) {
    const QString text = QStringLiteral("abcd ").repeated(20).trimmed();
    const QString stripped = StripHTML(text);
    EXPECT_EQ(stripped.indexOf("\r\n"), 75);
    EXPECT_EQ(stripped.count("\r\n"), 1);
    EXPECT_EQ(QString(stripped).remove("\r\n"), text);
}

TEST(HtmlTextStripTest, LongHostileInputsStayFastAndRunNoEvents) {
    bool fired = false;
    QTimer::singleShot(0, [&] { fired = true; });
    const qsizetype size = 1 << 20;
    for (const char* unit : {"<", "<tr>", "&", "<!--", "<!---", "<tr><td>x", "<p><li>a "}) {
        const QString html = QString::fromLatin1(unit).repeated(size / qstrlen(unit));
        EXPECT_LE(StripHTML(html).size(), 3 * size) << unit;
        EXPECT_EQ(DecodeEntities(html).size(), html.size()) << unit;
    }
    EXPECT_FALSE(fired);
    QCoreApplication::processEvents();
}

TEST(HtmlTextDecodeTest, DecodesReferencesAndLineEnds) {
    EXPECT_EQ(DecodeEntities("AT&amp;T"), "AT&T");
    EXPECT_EQ(DecodeEntities("&eacute;&Eacute;&EACUTE;|"), u"\u00E9\u00C9 |");
    EXPECT_EQ(DecodeEntities("&#9731;&#x2019;&#150;&hellip;&AMP;"), u"\u2603\u2019\u2013\u2026&");
    EXPECT_EQ(DecodeEntities("&#0;&#xD800;&#99999999999;&nope;"), "    ");
    EXPECT_EQ(DecodeEntities("a\r\nb"), "a  b");
}

TEST(HtmlTextDecodeTest, AmpersandsOutsideReferencesStay) {
    EXPECT_EQ(DecodeEntities("AT&T rocks; & so; a&"), "AT&T rocks; & so; a&");
}

TEST(HtmlTextDecodeTest, LongTextsAreDecodedToo) {
    const QString decoded = DecodeEntities(QString(1995, u'a') + "&amp;");
    EXPECT_EQ(decoded.size(), 1996);
    EXPECT_TRUE(decoded.endsWith("a&"));
}

TEST(HtmlTextDecodeTest, ReferencesReadLeadingDigits) {
    using HtmlText::DecodeEntityReference;
    EXPECT_EQ(DecodeEntityReference("&amp;"), "&");
    EXPECT_EQ(DecodeEntityReference("&#65abc;"), "A");
    EXPECT_EQ(DecodeEntityReference("&#X41;"), "A");
    EXPECT_EQ(DecodeEntityReference("&#;"), " ");
    EXPECT_EQ(DecodeEntityReference("amp;"), "");
    EXPECT_EQ(DecodeEntityReference("&amp"), "");
    EXPECT_EQ(HtmlText::LookupNamedEntity("hellip"), u"\u2026");
    EXPECT_EQ(HtmlText::LookupNamedEntity("Hellip"), " ");
}

TEST(HtmlTextDecodeTest, StripHtmlNamesFollowTheirOwnRules) {
    using HtmlText::DecodeEntity;
    EXPECT_EQ(DecodeEntity("QUOT"), "\"");
    EXPECT_EQ(DecodeEntity("233"), u"\u00E9");
    EXPECT_EQ(DecodeEntity("x41"), "");
    EXPECT_EQ(DecodeEntity("#-5"), "");
}

TEST(HtmlTextTest, RemoveSpacesKeepsOtherWhitespace) {
    EXPECT_EQ(HtmlText::RemoveSpaces(" a b\tc\n "), "ab\tc\n");
}

TEST(HtmlTextTest, RemoveTagsKeepsLonelyBrackets) {
    EXPECT_EQ(HtmlText::RemoveTags("a<b>c</b>d"), "acd");
    EXPECT_EQ(HtmlText::RemoveTags("a < b"), "a < b");
    EXPECT_EQ(HtmlText::RemoveTags("<a<b>c> <"), "c> <");
}
