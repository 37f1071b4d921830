#include "feeds/UrlEncoding.h"

namespace {

bool IsKept(char byte) {
    return (byte >= 'A' && byte <= 'Z') || (byte >= 'a' && byte <= 'z') ||
           (byte >= '0' && byte <= '9');
}

} // namespace

namespace UrlEncoding {

QString URLEncode(const QString& text, bool spaceAsPlus) {
    static constexpr char HexDigits[] = "0123456789ABCDEF";
    QString encoded;
    for (const char byte : text.toUtf8()) {
        if (IsKept(byte)) {
            encoded += QLatin1Char(byte);
        } else if (byte == ' ' && spaceAsPlus) {
            encoded += u'+';
        } else {
            const auto value = static_cast<unsigned char>(byte);
            encoded += u'%';
            encoded += QLatin1Char(HexDigits[value >> 4]);
            encoded += QLatin1Char(HexDigits[value & 0x0F]);
        }
    }
    return encoded;
}

} // namespace UrlEncoding
