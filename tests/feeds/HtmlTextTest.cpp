#include "feeds/HtmlText.h"

#include "platform/HtmlEntities.h"

#include "support/FuzzCorpus.h"

#include <QCoreApplication>
#include <QTimer>

#include <gtest/gtest.h>

using HtmlText::DecodeEntities;
using HtmlText::StripHTML;

namespace {

// A value that may be absent (null) as JSON null, so "no such name" and
// "decodes to nothing" stay apart.
QJsonValue Found(const QString& text) {
    return text.isNull() ? QJsonValue() : QJsonValue(text);
}

} // namespace

TEST(HtmlTextTest, StripHtmlCorpusReadsAsExpected) {
    FuzzCorpus::CheckEach(
        QStringLiteral("strip_html"),
        [](const QString& html) {
            return QJsonObject{{"StripHTML", StripHTML(html)},
                               {"RemoveTags", HtmlText::RemoveTags(html)},
                               {"RemoveSpaces", HtmlText::RemoveSpaces(html)}};
        },
        QStringLiteral("feeds_tests"));
}

// Each input as a text, a reference and a bare name to every decoder, and
// as a code point when it is a number.
TEST(HtmlTextTest, DecodeEntitiesCorpusReadsAsExpected) {
    FuzzCorpus::CheckEach(
        QStringLiteral("decode_entities"),
        [](const QString& text) {
            QJsonObject decoded{{"DecodeEntities", DecodeEntities(text)},
                                {"DecodeEntity", Found(HtmlText::DecodeEntity(text))},
                                {"DecodeEntityReference", HtmlText::DecodeEntityReference(text)},
                                {"LookupNamedEntity", HtmlText::LookupNamedEntity(text)},
                                {"Named", Found(HtmlEntities::Named(text))},
                                {"Latin1Named", Found(HtmlEntities::Latin1Named(text))}};
            bool number = false;
            const qint64 codePoint = text.toLongLong(&number);
            if (number)
                decoded.insert("FromCodePoint", Found(HtmlEntities::FromCodePoint(codePoint)));
            return decoded;
        },
        QStringLiteral("feeds_tests"));
}

TEST(HtmlTextTest, LongHostileInputsStayFastAndRunNoEvents) {
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
