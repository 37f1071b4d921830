#include "feeds/HtmlText.h"

#include "feeds/HtmlEntities.h"
#include "feeds/HtmlScan.h"
#include "feeds/HtmlStripper.h"

#include <algorithm>
#include <optional>

namespace HtmlText {

namespace {

// Beyond every code point: longer digit strings stop growing here.
constexpr qint64 TooLarge = 0x110000;
constexpr int Decimal = 10;
constexpr int Hexadecimal = 16;

int DigitValue(QChar c) {
    const char16_t u = c.unicode();
    if (u >= u'0' && u <= u'9')
        return u - u'0';
    if (u >= u'a' && u <= u'f')
        return u - u'a' + Decimal;
    if (u >= u'A' && u <= u'F')
        return u - u'A' + Decimal;
    return -1;
}

bool IsDigit(QChar c, int base) {
    const int value = DigitValue(c);
    return value >= 0 && value < base;
}

// The value of the leading digits of `digits` (0 without any).
qint64 LeadingValue(QStringView digits, int base) {
    qint64 value = 0;
    for (qsizetype i = 0; i < digits.size() && IsDigit(digits[i], base); ++i)
        value = qMin(value * base + DigitValue(digits[i]), TooLarge);
    return value;
}

bool AllDigits(QStringView text, int base) {
    return !text.isEmpty() &&
           std::all_of(text.begin(), text.end(), [base](QChar c) { return IsDigit(c, base); });
}

// Splits off the "x" of a hexadecimal reference; returns the base.
int TakeBase(QStringView& digits) {
    if (!digits.startsWith(u'x', Qt::CaseInsensitive))
        return Decimal;
    digits = digits.sliced(1);
    return Hexadecimal;
}

// The value of a numeric reference name: "#65", "#x41", and "65" as
// hand-written feeds have it.
std::optional<qint64> NumericValue(QStringView name) {
    const bool marked = name.startsWith(u'#');
    QStringView digits = name.sliced(marked ? 1 : 0);
    const int base = marked ? TakeBase(digits) : Decimal;
    if (!AllDigits(digits, base))
        return std::nullopt;
    return LeadingValue(digits, base);
}

QString OrSpace(const QString& replacement) {
    return replacement.isNull() ? QStringLiteral(" ") : replacement;
}

} // namespace

QString StripHTML(const QString& html) {
    return HtmlStripper(html).Run();
}

QString DecodeEntity(const QString& name) {
    if (const std::optional<qint64> value = NumericValue(name))
        return HtmlEntities::FromCodePoint(*value);
    if (name.startsWith(u'#'))
        return {};
    const QString named = HtmlEntities::Named(name);
    return named.isNull() ? HtmlEntities::Latin1Named(name) : named;
}

QString DecodeEntities(const QString& text) {
    QString result;
    result.reserve(text.size());
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text[i];
        const qsizetype length = c == u'&' ? HtmlScan::ReferenceNameLength(text, i) : -1;
        if (length > 0) {
            result += DecodeEntityReference(text.sliced(i, length + 2));
            i += length + 1;
        } else {
            result += c == u'\n' || c == u'\r' ? QChar(u' ') : c;
        }
    }
    return result;
}

QString DecodeEntityReference(const QString& reference) {
    if (reference.size() < 2 || !reference.startsWith(u'&') || !reference.endsWith(u';'))
        return {};
    const QStringView body = QStringView(reference).sliced(1, reference.size() - 2);
    if (!body.startsWith(u'#'))
        return LookupNamedEntity(body.toString());
    QStringView digits = body.sliced(1);
    const int base = TakeBase(digits);
    return OrSpace(HtmlEntities::FromCodePoint(LeadingValue(digits, base)));
}

QString LookupNamedEntity(const QString& name) {
    return OrSpace(HtmlEntities::Named(name));
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
