#include "platform/XmlInput.h"

#include "platform/TextDecoding.h"
#include "platform/Windows1252.h"

#include <libxml/encoding.h>

#include <QByteArrayView>
#include <QHash>
#include <QString>
#include <QStringDecoder>

#include <algorithm>
#include <array>
#include <iterator>
#include <optional>
#include <vector>

namespace {

constexpr QByteArrayView Utf8ByteOrderMark = "\xEF\xBB\xBF";
constexpr QByteArrayView DeclarationStart = "<?xml";
// An XML declaration ends well within this.
constexpr qsizetype DeclarationLimit = 256;
// How deep libxml2 reads elements without XML_PARSE_HUGE, which the parse
// does not set: it stops at the first element below this depth, so what lies
// past it needs no mending.
constexpr std::size_t ParserDepthLimit = 256;

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

// Whether the encoding is a stateful one in seven bits (ISO-2022-JP, -KR,
// -CN; HZ), where the bytes of "&" and "<" also occur inside two-byte
// characters and markup cannot be told from text without decoding.
bool IsSevenBitStateful(const QString& label) {
    const QString name = label.toLower().remove(QLatin1Char('-')).remove(QLatin1Char('_'));
    return name.contains(QLatin1String("iso2022")) || name == QLatin1String("hz") ||
           name == QLatin1String("hzgb2312");
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

bool IsNameStartByte(char c) {
    return IsNameByte(c) && !IsDecimalDigit(c) && c != '-' && c != '.';
}

qsizetype NameEnd(QByteArrayView text, qsizetype at) {
    while (at < text.size() && IsNameByte(text[at]))
        ++at;
    return at;
}

// One pass over the text that mends it where that needs no guessing:
// - a "&" that starts no reference becomes "&amp;", a "<" that starts no
//   markup "&lt;";
// - control characters XML forbids are dropped (only from UTF-8: in other
//   encodings a control byte may belong to the encoding, as ISO-2022-JP's
//   escapes do);
// - an end tag closes the elements left open inside the element it names
//   (libxml2 would close only one, and the rest of the feed would end up
//   inside it); one that names no open element is dropped.
// CDATA sections, comments, processing instructions and declarations are
// left as they are but for the control characters, which are dropped there
// too.
class Mender {
public:
    Mender(QByteArrayView text, bool dropControls)
        : m_text(text)
        , m_dropControls(dropControls) {
        m_out.reserve(text.size() + text.size() / 64);
    }

    QByteArray Mend() {
        for (qsizetype i = 0; i < m_text.size();) {
            // Most of a feed is text, which only these bytes interrupt.
            if (m_tag.isNull()) {
                i = NextInText(i);
                if (i == m_text.size())
                    break;
            }
            const char c = m_text[i];
            if (c == '<')
                i = m_tag.isNull() ? Markup(i) : EndTagBroken(i);
            else if (c == '&')
                i = Ampersand(i);
            else if (m_dropControls && IsForbiddenControl(c))
                i = Replace(i, 1, {});
            else if (!m_tag.isNull())
                i = InTag(i);
            else
                ++i;
        }
        return m_out.append(m_text.sliced(m_run));
    }

private:
    qsizetype NextInText(qsizetype at) const {
        const auto* bytes = reinterpret_cast<const unsigned char*>(m_text.data());
        while (at < m_text.size() && bytes[at] >= 0x20 && bytes[at] != '<' && bytes[at] != '&')
            ++at;
        return at;
    }

    // Copies the text before `at`, writes `replacement` for the `length`
    // bytes there; where to go on.
    qsizetype Replace(qsizetype at, qsizetype length, QByteArrayView replacement) {
        m_out.append(m_text.sliced(m_run, at - m_run)).append(replacement);
        m_run = at + length;
        return m_run;
    }

    qsizetype Ampersand(qsizetype at) {
        return StartsReference(m_text, at) ? at + 1 : Replace(at, 1, "&amp;");
    }

    // A "<" inside a start tag: the tag was never finished.
    qsizetype EndTagBroken(qsizetype at) {
        if (m_quote != 0)
            return Replace(at, 1, "&lt;");
        m_tag = {};
        return at;
    }

    qsizetype InTag(qsizetype at) {
        const char c = m_text[at];
        if (m_quote != 0) {
            if (c == m_quote)
                m_quote = 0;
        } else if (c == '"' || c == '\'') {
            m_quote = c;
        } else if (c == '>') {
            if (m_text[at - 1] != '/')
                Open(m_tag);
            m_tag = {};
        }
        return at + 1;
    }

    qsizetype Markup(qsizetype at) {
        const char next = at + 1 < m_text.size() ? m_text[at + 1] : '\0';
        if (next == '/')
            return EndTag(at);
        if (next == '!' || next == '?') {
            const qsizetype verbatim = VerbatimEnd(m_text, at);
            return DropControls(at, verbatim > at ? verbatim : Declaration(at));
        }
        if (!IsNameStartByte(next))
            return Replace(at, 1, "&lt;");
        const qsizetype end = NameEnd(m_text, at + 1);
        m_tag = m_text.sliced(at + 1, end - at - 1);
        m_quote = 0;
        return end;
    }

    // "<!DOCTYPE" and the like, with an internal subset in brackets.
    qsizetype Declaration(qsizetype at) const {
        qsizetype end = m_text.indexOf('>', at);
        if (end < 0)
            return m_text.size();
        const qsizetype subset = m_text.first(end).indexOf('[', at);
        if (subset >= 0) {
            const qsizetype close = m_text.indexOf(']', subset);
            end = close < 0 ? -1 : m_text.indexOf('>', close);
        }
        return end < 0 ? m_text.size() : end + 1;
    }

    // Drops the control characters XML forbids between `at` and `end`, a
    // section otherwise taken as it stands; `end`.
    qsizetype DropControls(qsizetype at, qsizetype end) {
        if (!m_dropControls)
            return end;
        for (; at < end; ++at) {
            if (IsForbiddenControl(m_text[at]))
                Replace(at, 1, {});
        }
        return end;
    }

    void Open(QByteArrayView name) {
        if (m_open.size() == ParserDepthLimit) {
            ++m_tooDeep;
            return;
        }
        m_open.push_back(name);
        ++m_openCounts[name];
    }

    // Closes the open elements from `first` on, innermost last.
    void CloseFrom(std::vector<QByteArrayView>::iterator first) {
        for (auto element = first; element != m_open.end(); ++element)
            --m_openCounts[*element];
        m_open.erase(first, m_open.end());
    }

    qsizetype EndTag(qsizetype at) {
        const qsizetype nameEnd = NameEnd(m_text, at + 2);
        qsizetype close = nameEnd;
        while (close < m_text.size() && IsSpace(m_text[close]))
            ++close;
        if (nameEnd == at + 2 || close >= m_text.size() || m_text[close] != '>')
            return Replace(at, 1, "&lt;");
        if (m_tooDeep > 0) {
            --m_tooDeep;
            return close + 1;
        }
        const QByteArrayView name = m_text.sliced(at + 2, nameEnd - at - 2);
        if (m_openCounts.value(name) == 0)
            return Replace(at, close + 1 - at, {});
        const auto open = std::find(m_open.rbegin(), m_open.rend(), name);
        QByteArray closing;
        for (auto inner = m_open.rbegin(); inner != open; ++inner)
            closing.append("</").append(*inner).append('>');
        CloseFrom(std::prev(open.base()));
        return closing.isEmpty() ? close + 1 : Replace(at, 0, closing) + close + 1 - at;
    }

    QByteArrayView m_text;
    bool m_dropControls;
    QByteArray m_out;
    qsizetype m_run = 0;
    // The elements open at this point, innermost last, as deep as libxml2
    // reads; how many of each name; how many more are open below them.
    std::vector<QByteArrayView> m_open;
    QHash<QByteArrayView, int> m_openCounts;
    std::size_t m_tooDeep = 0;
    // The name of the start tag being read, and the quote of the attribute
    // value being read in it.
    QByteArrayView m_tag;
    char m_quote = 0;
};

// The encoding of a text in UTF-32 (which libxml2 does not read reliably) or
// in UTF-16 without a byte order mark, as its first character shows: "<"
// or white space in two or four bytes.
std::optional<QStringConverter::Encoding> WideEncoding(QByteArrayView text) {
    if (text.size() < 4)
        return std::nullopt;
    // Spelled with their lengths: they hold zero bytes.
    if (text.startsWith(QByteArrayView("\xFF\xFE\0\0", 4)))
        return QStringConverter::Utf32LE;
    if (text.startsWith(QByteArrayView("\0\0\xFE\xFF", 4)))
        return QStringConverter::Utf32BE;
    const std::array<bool, 4> zero = {text[0] == 0, text[1] == 0, text[2] == 0, text[3] == 0};
    if (zero == std::array{false, true, true, true})
        return QStringConverter::Utf32LE;
    if (zero == std::array{true, true, true, false})
        return QStringConverter::Utf32BE;
    if (zero == std::array{false, true, false, true})
        return QStringConverter::Utf16LE;
    if (zero == std::array{true, false, true, false})
        return QStringConverter::Utf16BE;
    return std::nullopt;
}

XmlInput::Input PrepareAsciiCompatible(const QByteArray& bytes) {
    const bool byteOrderMark = bytes.startsWith(Utf8ByteOrderMark);
    const QByteArrayView afterMark = QByteArrayView(bytes).sliced(byteOrderMark ? 3 : 0);
    qsizetype start = 0;
    while (start < afterMark.size() && IsSpace(afterMark[start]))
        ++start;
    XmlInput::Input input{bytes, 0, {}};
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

} // namespace

namespace XmlInput {

Input Prepare(const QByteArray& bytes) {
    const std::optional<QStringConverter::Encoding> wide = WideEncoding(bytes);
    if (!wide)
        return PrepareAsciiCompatible(bytes);
    // Read through UTF-8, whatever the declaration says.
    QStringDecoder decoder(*wide);
    Input input = PrepareAsciiCompatible(QString(decoder.decode(bytes)).toUtf8());
    input.Encoding = "UTF-8";
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
    // Left as it is even when libxml2 does not know the encoding: taken for
    // UTF-8, it would be mended inside its characters.
    if (!IsReadAsUtf8(decodable, text) && IsSevenBitStateful(DeclaredEncoding(text)))
        return decodable;
    if (IsUndecodable(decodable, text))
        decodable = AsUtf8(text, input.Bytes);
    const QByteArrayView decoded = Document(decodable);
    return {Mender(decoded, IsReadAsUtf8(decodable, decoded)).Mend(), 0, decodable.Encoding};
}

} // namespace XmlInput
