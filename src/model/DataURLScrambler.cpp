#include "model/DataURLScrambler.h"

#include "platform/ProgramError.h"
#include "platform/Windows1252.h"

#include <QLatin1String>

namespace DataURLScrambler {

namespace {

constexpr QLatin1String Key{"QuartzMeadowLanternHarborPilotStoneCanalFXYZ"};
constexpr QLatin1String Wrapper{"//"};
constexpr qsizetype PairLength = 2;
constexpr char HexDigits[] = "0123456789ABCDEF";

int KeyCode(qsizetype position) {
    return Key[position % Key.size()].unicode();
}

QString PercentEncoded(const QString& characters) {
    QString escaped;
    for (const char byte : characters.toUtf8()) {
        const auto value = static_cast<unsigned char>(byte);
        escaped += QLatin1Char('%');
        escaped += QLatin1Char(HexDigits[value >> 4]);
        escaped += QLatin1Char(HexDigits[value & 0xF]);
    }
    return escaped;
}

// Runs of characters are escaped together so that a surrogate pair becomes
// the UTF-8 of its code point.
QString WithinCodePage(const QString& url) {
    QString result;
    qsizetype i = 0;
    while (i < url.size()) {
        qsizetype end = i;
        const bool contained = Windows1252::Contains(url[i]);
        while (end < url.size() && Windows1252::Contains(url[end]) == contained)
            ++end;
        const QString run = url.mid(i, end - i);
        result += contained ? run : PercentEncoded(run);
        i = end;
    }
    return result;
}

int HexValue(QChar digit) {
    const char16_t c = digit.unicode();
    if (c >= u'0' && c <= u'9')
        return c - u'0';
    if (c >= u'A' && c <= u'F')
        return c - u'A' + 10;
    if (c >= u'a' && c <= u'f')
        return c - u'a' + 10;
    throw ProgramError(QStringLiteral("\"%1\" is not a hexadecimal digit").arg(digit));
}

} // namespace

QString Encode(const QString& url) {
    const QString plain = WithinCodePage(url);
    QString pairs(plain.size() * PairLength, Qt::Uninitialized);
    for (qsizetype p = 0; p < plain.size(); ++p) {
        const int scrambled = Windows1252::Code(plain[p]) ^ KeyCode(p);
        // The first character's pair comes last.
        const qsizetype at = (plain.size() - 1 - p) * PairLength;
        pairs[at] = QLatin1Char(HexDigits[scrambled >> 4]);
        pairs[at + 1] = QLatin1Char(HexDigits[scrambled & 0xF]);
    }
    return Wrapper + pairs + Wrapper;
}

QString Decode(const QString& stored) {
    const qsizetype wrapping = 2 * Wrapper.size();
    if (stored.size() <= wrapping)
        return {};
    const QStringView pairs = QStringView(stored).sliced(Wrapper.size(), stored.size() - wrapping);
    QString url;
    // Pairs are read from the end; an odd character left at the front is
    // not part of any pair.
    for (qsizetype k = 0; (k + 1) * PairLength <= pairs.size(); ++k) {
        const qsizetype at = pairs.size() - (k + 1) * PairLength;
        const int scrambled = HexValue(pairs[at]) * 16 + HexValue(pairs[at + 1]);
        url += Windows1252::Character(scrambled ^ KeyCode(k));
    }
    return url;
}

bool IsProtectedForm(const QString& stored) {
    return stored.startsWith(Wrapper) && stored.endsWith(Wrapper);
}

} // namespace DataURLScrambler
