#include "feeds/HtmlText.h"

#include <QCoreApplication>
#include <QTimer>

#include <gtest/gtest.h>

using HtmlText::DecodeEntities;
using HtmlText::StripHTML;

namespace {

struct Case {
    const char* html;
    const char* text; // UTF-8
};

void ExpectStripped(std::initializer_list<Case> cases) {
    for (const Case& c : cases)
        EXPECT_EQ(StripHTML(QString::fromUtf8(c.html)), QString::fromUtf8(c.text)) << c.html;
}

} // namespace

TEST(HtmlTextStripTest, DecodesReferencesAndKeepsTextThatOnlyLooksLikeMarkup) {
    ExpectStripped({
        {"A &amp; B &AMP; C", "A & B & C"},
        {"&Eacute;t&eacute; &EACUTE;", "\u00C9t\u00E9 \u00C9"},
        {"&#233; &#256; &#x41; &#X2026;", "\u00E9 \u0100 A \u2026"},
        {"don&#8217;t &mdash; &#150;", "don\u2019t \u2014 \u2013"},
        {"&thetasym; &Dagger;", "\u03D1 \u2021"},
        // Unknown names and values that are no character vanish.
        {"a&bogus;b&#0;c&#xD800;d&#x;e", "abcde"},
        {"Fish &chips and more", "Fish &chips and more"},
        {"R & D; then AT&T;x", "R & D; then ATx"},
        {"a &amp", "a &amp"},
        {"Price < 5 dollars", "Price < 5 dollars"},
        {"<b>a</b> <", "a <"},
        {"a<!-- <b>x</b> - y -->b", "ab"},
        {"a<!-- x -- >b", "ab"},
        {"a<!-- never closed <br> b", "a"},
        {"a<script>if (x<y) document.write('<br><li>')</script >b", "ab"},
        {"<title>My  &amp; Feed</title>Body", "My  &amp; Feed\r\n\r\nBody"},
    });
}

TEST(HtmlTextStripTest, LaysOutBreaksWhitespaceListsAndOptions) {
    ExpectStripped({
        // Breaks do not stack.
        {"one<br>two<BR/>three", "one\r\ntwo\r\nthree"},
        {"one<br><br />two", "one\r\ntwo"},
        {"a<p>b<P class=x><p>c", "a\r\n\r\nb\r\n\r\nc"},
        {"a<p><br>b", "a\r\n\r\nb"},
        {"  a \t\n b  ", "a b"},
        {"Hello<b>\nWorld</b> <i>again</i>", "Hello World again"},
        {"a <br>\n  b", "a\r\nb"},
        // The unit separator is dropped rather than folded.
        {"a\u001Fb", "ab"},
        {"<ul><li>a<li>b</ul>", "\r\n\r\n\r\n\u2022 a\r\n\u2022 b\r\n\r\n"},
        {"<ol><li>a</li><li>b</li></ol><ol><li>c</ol>",
         "\r\n\r\n\r\n1. a\r\n2. b\r\n\r\n\r\n1. c\r\n\r\n"},
        // Indented markup lays out as the compact form does.
        {"<ul>\n  <li>a</li>\n  <li>b</li>\n</ul>\n", "\r\n\r\n\r\n\u2022 a\r\n\u2022 b\r\n\r\n"},
        {"<select><option>A<option value=2>B</select>", "\r\n\tA\r\n\tB"},
    });
}

TEST(HtmlTextStripTest, ShortRowsStayOnOneLineLongOrBrokenOnesPutCellsOnLines) {
    const std::string longText(70, 'x');
    const std::string longRow = "<tr><td>a</td><td>" + longText + "</td></tr>";
    const std::string longLines = "\r\n\r\na\r\n" + longText;
    ExpectStripped({
        {"<tr><td>Price</td>\n<td>10</td></tr>", "\r\nPrice   10"},
        {"<table><tr><th>a</th><th>b</th></tr><tr><td>c</td><td>d</td></tr>",
         "\r\n\r\na   b\r\nc   d"},
        {longRow.c_str(), longLines.c_str()},
        {"<tr><td>a<br>b</td><td>c</td></tr>", "\r\n\r\na\r\nb\r\nc"},
        {"<tr><td>a<table>", "\r\n\r\na\r\n"},
        // A row that never ends keeps its text.
        {"<tr><td>a<td>b", "\r\n\r\na\r\nb"},
    });
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

TEST(HtmlTextDecodeTest, DecodesReferencesAndLineEndsAndKeepsLoneAmpersands) {
    for (const Case& c : std::initializer_list<Case>{
             {"AT&amp;T", "AT&T"},
             {"&eacute;&Eacute;&EACUTE;|", "\u00E9\u00C9 |"},
             {"&#9731;&#x2019;&#150;&hellip;&AMP;", "\u2603\u2019\u2013\u2026&"},
             {"&#0;&#xD800;&#99999999999;&nope;", "    "},
             {"a\r\nb", "a  b"},
             {"AT&T rocks; & so; a&", "AT&T rocks; & so; a&"},
         })
        EXPECT_EQ(DecodeEntities(QString::fromUtf8(c.html)), QString::fromUtf8(c.text)) << c.html;
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
