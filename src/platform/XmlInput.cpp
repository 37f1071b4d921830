#include "platform/XmlInput.h"

#include "platform/TextDecoding.h"
#include "platform/Windows1252.h"

#include <libxml/encoding.h>

#include <QByteArrayView>
#include <QString>

#include <algorithm>

namespace {

constexpr QByteArrayView Utf8ByteOrderMark = "\xEF\xBB\xBF";
constexpr QByteArrayView DeclarationStart = "<?xml";
// An XML declaration ends well within this.
constexpr qsizetype DeclarationLimit = 256;

bool IsSpace(char c) {
    return c == ' ' || c == '\t' || c == '\r' || c == '\n';
}

QByteArrayView Document(const XmlInput::Input& input) {
    return QByteArrayView(input.Bytes).sliced(input.Offset);
}

// The encoding the declaration at the start of `text` names, or empty.
QString DeclaredEncoding(QByteArrayView text) {
    if (!text.startsWith(DeclarationStart))
        return {};
    const QByteArrayView head = text.first(std::min(text.size(), DeclarationLimit));
    const qsizetype end = head.indexOf("?>");
    const QByteArrayView declaration = end < 0 ? head : head.first(end);
    qsizetype at = declaration.indexOf("encoding");
    if (at < 0)
        return {};
    at += qsizetype(sizeof("encoding") - 1);
    while (at < declaration.size() && (IsSpace(declaration[at]) || declaration[at] == '='))
        ++at;
    if (at >= declaration.size() || (declaration[at] != '"' && declaration[at] != '\''))
        return {};
    const qsizetype close = declaration.indexOf(declaration[at], at + 1);
    return close < 0 ? QString() : QString::fromLatin1(declaration.sliced(at + 1, close - at - 1));
}

// Whether markup is written in ASCII: no UTF-16 or UTF-32 byte order mark
// or zero bytes among the first characters, no EBCDIC "<?xm".
bool IsAsciiCompatible(QByteArrayView text) {
    const QByteArrayView head = text.first(std::min<qsizetype>(text.size(), 4));
    return !head.startsWith("\xFE\xFF") && !head.startsWith("\xFF\xFE") &&
           !head.startsWith("\x4C\x6F\xA7\x94") && !head.contains('\0');
}

bool IsUtf8Label(const QString& label) {
    return label.compare(QLatin1String("utf-8"), Qt::CaseInsensitive) == 0 ||
           label.compare(QLatin1String("utf8"), Qt::CaseInsensitive) == 0;
}

bool IsKnownLabel(const QString& label) {
    xmlCharEncodingHandler* handler = xmlFindCharEncodingHandler(label.toLatin1().constData());
    if (handler == nullptr)
        return false;
    xmlCharEncCloseFunc(handler);
    return true;
}

bool IsReadAsUtf8(const XmlInput::Input& input, QByteArrayView text) {
    const QString label = DeclaredEncoding(text);
    return input.Encoding == "UTF-8" || label.isEmpty() || IsUtf8Label(label);
}

// Whether the text (past any byte order mark) cannot be read in the
// encoding it is taken for.
bool IsUndecodable(const XmlInput::Input& input, QByteArrayView text) {
    if (IsReadAsUtf8(input, text))
        return !TextDecoding::IsUtf8(text);
    return !IsKnownLabel(DeclaredEncoding(text));
}

// Read as UTF-8: the bytes themselves when they are UTF-8, else their
// Windows-1252 characters.
XmlInput::Input AsUtf8(QByteArrayView text, const QByteArray& whole) {
    if (TextDecoding::IsUtf8(text))
        return {whole, whole.size() - text.size(), "UTF-8"};
    return {Windows1252::ToUtf8(text), 0, "UTF-8"};
}

bool IsNameByte(char c) {
    const auto byte = static_cast<unsigned char>(c);
    return (byte >= 'a' && byte <= 'z') || (byte >= 'A' && byte <= 'Z') ||
           (byte >= '0' && byte <= '9') || byte == '_' || byte == ':' || byte == '-' ||
           byte == '.' || byte >= 0x80;
}

bool IsDecimalDigit(char c) {
    return c >= '0' && c <= '9';
}

bool IsHexDigit(char c) {
    return IsDecimalDigit(c) || (c >= 'a' && c <= 'f') || (c >= 'A' && c <= 'F');
}

// Whether the "&" at `at` starts a reference: a name, "#" and decimal
// digits or "#x" and hex digits, then ";".
bool StartsReference(QByteArrayView text, qsizetype at) {
    qsizetype i = at + 1;
    bool (*digit)(char) = IsNameByte;
    if (i < text.size() && text[i] == '#') {
        ++i;
        const bool hex = i < text.size() && text[i] == 'x';
        i += hex ? 1 : 0;
        digit = hex ? IsHexDigit : IsDecimalDigit;
    } else if (i < text.size() && (IsDecimalDigit(text[i]) || text[i] == '-' || text[i] == '.')) {
        return false;
    }
    const qsizetype first = i;
    while (i < text.size() && digit(text[i]))
        ++i;
    return i > first && i < text.size() && text[i] == ';';
}

bool IsForbiddenControl(char c) {
    const auto byte = static_cast<unsigned char>(c);
    return byte < 0x20 && byte != '\t' && byte != '\n' && byte != '\r';
}

// Sections whose text is taken as it stands, by how they start and end.
struct Verbatim {
    QByteArrayView start;
    QByteArrayView end;
};

constexpr Verbatim VerbatimSections[] = {
    {"<![CDATA[", "]]>"},
    {"<!--", "-->"},
    {"<?", "?>"},
};

// Where the verbatim section starting at `at` ends (just past its end, or
// the end of the text when it never ends); -1 when none starts there.
qsizetype VerbatimEnd(QByteArrayView text, qsizetype at) {
    for (const Verbatim& section : VerbatimSections) {
        if (!text.sliced(at).startsWith(section.start))
            continue;
        const qsizetype end = text.indexOf(section.end, at + section.start.size());
        return end < 0 ? text.size() : end + section.end.size();
    }
    return -1;
}

// Control characters are dropped only from UTF-8: in other encodings a
// control byte may be part of the encoding (ISO-2022-JP's escapes).
QByteArray Mended(QByteArrayView text, bool dropControls) {
    QByteArray mended;
    mended.reserve(text.size() + text.size() / 64);
    qsizetype run = 0;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (c == '<') {
            const qsizetype end = VerbatimEnd(text, i);
            if (end > i)
                i = end - 1;
        } else if (c == '&' && !StartsReference(text, i)) {
            mended.append(text.sliced(run, i + 1 - run)).append("amp;");
            run = i + 1;
        } else if (dropControls && IsForbiddenControl(c)) {
            mended.append(text.sliced(run, i - run));
            run = i + 1;
        }
    }
    return mended.append(text.sliced(run));
}

} // namespace

namespace XmlInput {

Input Prepare(const QByteArray& bytes) {
    const bool byteOrderMark = bytes.startsWith(Utf8ByteOrderMark);
    const QByteArrayView afterMark = QByteArrayView(bytes).sliced(byteOrderMark ? 3 : 0);
    qsizetype start = 0;
    while (start < afterMark.size() && IsSpace(afterMark[start]))
        ++start;
    Input input{bytes, 0, {}};
    if (start > 0 && afterMark.sliced(start).startsWith(DeclarationStart)) {
        input.Offset = bytes.size() - afterMark.size() + start;
        // The mark skipped with the white space still says UTF-8.
        if (byteOrderMark)
            input.Encoding = "UTF-8";
    }
    const QByteArrayView text = Document(input);
    if (!byteOrderMark && Windows1252::IsLabel(DeclaredEncoding(text)))
        return AsUtf8(text, bytes);
    return input;
}

Input ForRecovery(const Input& input) {
    QByteArrayView text = Document(input);
    if (!IsAsciiCompatible(text))
        return input;
    Input decodable = input;
    if (text.startsWith(Utf8ByteOrderMark)) {
        text = text.sliced(Utf8ByteOrderMark.size());
        decodable = {input.Bytes, input.Bytes.size() - text.size(), "UTF-8"};
    }
    if (IsUndecodable(decodable, text))
        decodable = AsUtf8(text, input.Bytes);
    const QByteArrayView decoded = Document(decodable);
    return {Mended(decoded, IsReadAsUtf8(decodable, decoded)), 0, decodable.Encoding};
}

} // namespace XmlInput
