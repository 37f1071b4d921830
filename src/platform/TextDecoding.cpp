#include "platform/TextDecoding.h"

#include "platform/Windows1252.h"

#include <QStringDecoder>

#include <cstdint>
#include <cstring>

namespace {

QString FromWindows1252(const QByteArray& bytes) {
    QString text;
    text.reserve(bytes.size());
    for (const char byte : bytes)
        text.append(Windows1252::Character(static_cast<unsigned char>(byte)));
    return text;
}

// The length of the sequence a lead byte starts, 0 for a byte that cannot
// lead, and the range its second byte must fall in (which rules out
// overlong forms, surrogates and values beyond U+10FFFF).
struct Lead {
    int length;
    unsigned char low;
    unsigned char high;
};

Lead LeadOf(unsigned char byte) {
    if (byte >= 0xC2 && byte <= 0xDF)
        return {2, 0x80, 0xBF};
    if (byte == 0xE0)
        return {3, 0xA0, 0xBF};
    if (byte == 0xED)
        return {3, 0x80, 0x9F};
    if (byte >= 0xE1 && byte <= 0xEF)
        return {3, 0x80, 0xBF};
    if (byte == 0xF0)
        return {4, 0x90, 0xBF};
    if (byte >= 0xF1 && byte <= 0xF3)
        return {4, 0x80, 0xBF};
    if (byte == 0xF4)
        return {4, 0x80, 0x8F};
    return {0, 0, 0};
}

bool IsContinuation(unsigned char byte) {
    return (byte & 0xC0) == 0x80;
}

} // namespace

namespace TextDecoding {

QString Decode(const QByteArray& bytes, const QString& charset) {
    const QString name = charset.trimmed();
    if (!name.isEmpty() && !Windows1252::IsLabel(name)) {
        QStringDecoder named(name.toLatin1().constData());
        if (named.isValid())
            return named.decode(bytes);
    }
    return IsUtf8(bytes) ? QString::fromUtf8(bytes) : FromWindows1252(bytes);
}

bool IsUtf8(QByteArrayView bytes) {
    const auto* p = reinterpret_cast<const unsigned char*>(bytes.data());
    const unsigned char* end = p + bytes.size();
    while (p != end) {
        // Most text is ASCII: eight bytes at a time while it lasts.
        std::uint64_t word = 0;
        if (end - p >= 8 && (std::memcpy(&word, p, 8), (word & 0x8080808080808080u) == 0)) {
            p += 8;
            continue;
        }
        if (*p < 0x80) {
            ++p;
            continue;
        }
        const Lead lead = LeadOf(*p);
        if (lead.length == 0 || end - p < lead.length || p[1] < lead.low || p[1] > lead.high)
            return false;
        for (int i = 2; i < lead.length; ++i) {
            if (!IsContinuation(p[i]))
                return false;
        }
        p += lead.length;
    }
    return true;
}

} // namespace TextDecoding
