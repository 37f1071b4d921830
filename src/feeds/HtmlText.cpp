#include "feeds/HtmlText.h"

#include "feeds/HtmlScan.h"
#include "feeds/HtmlStripper.h"
#include "platform/HtmlEntities.h"

namespace HtmlText {

namespace {

HtmlEntities::Replacement OrSpace(const HtmlEntities::Replacement& replacement) {
    return replacement.IsNull() ? HtmlEntities::Replacement(QStringView(u" ")) : replacement;
}

// DecodeEntityReference without building strings, as DecodeEntities needs
// it for every reference of a text.
HtmlEntities::Replacement ReferenceReplacement(QStringView reference) {
    if (reference.size() < 2 || !reference.startsWith(u'&') || !reference.endsWith(u';'))
        return {};
    const QStringView body = reference.sliced(1, reference.size() - 2);
    if (!body.startsWith(u'#'))
        return OrSpace(HtmlEntities::FindNamed(body));
    return OrSpace(HtmlEntities::FindCodePoint(HtmlEntities::LeadingNumber(body.sliced(1))));
}

bool IsLineEnd(QChar c) {
    return c == u'\n' || c == u'\r';
}

// Where the text from `from` that DecodeEntities copies unchanged ends.
qsizetype KeptEnd(QStringView text, qsizetype from) {
    qsizetype end = from;
    while (end < text.size() && text[end] != u'&' && !IsLineEnd(text[end]))
        ++end;
    return end;
}

// Writes what the "&" or line end at `at` stands for; returns where the text
// goes on.
qsizetype DecodeAt(QStringView text, qsizetype at, QString& result) {
    const qsizetype length = text[at] == u'&' ? HtmlScan::ReferenceNameLength(text, at) : -1;
    if (length > 0) {
        result += ReferenceReplacement(text.sliced(at, length + 2)).View();
        return at + length + 2;
    }
    result += IsLineEnd(text[at]) ? QChar(u' ') : text[at];
    return at + 1;
}

} // namespace

QString StripHTML(const QString& html) {
    return HtmlStripper(html).Run();
}

QString DecodeEntity(const QString& name) {
    return HtmlEntities::Decode(name).ToString();
}

QString DecodeEntities(const QString& text) {
    QString result;
    result.reserve(text.size());
    qsizetype i = 0;
    while (i < text.size()) {
        const qsizetype kept = KeptEnd(text, i);
        result += QStringView(text).sliced(i, kept - i);
        i = kept < text.size() ? DecodeAt(text, kept, result) : kept;
    }
    return result;
}

QString DecodeEntityReference(const QString& reference) {
    return ReferenceReplacement(reference).ToString();
}

QString LookupNamedEntity(const QString& name) {
    return OrSpace(HtmlEntities::FindNamed(name)).ToString();
}

QString RemoveSpaces(const QString& text) {
    return QString(text).remove(u' ');
}

QString RemoveTags(const QString& text) {
    HtmlScan::NextFinder tagEnd(text, u'>');
    QString result;
    result.reserve(text.size());
    for (qsizetype i = 0; i < text.size(); ++i) {
        const qsizetype closer = text[i] == u'<' ? tagEnd.From(i + 1) : -1;
        if (closer < 0)
            result += text[i];
        else
            i = closer;
    }
    return result;
}

} // namespace HtmlText
