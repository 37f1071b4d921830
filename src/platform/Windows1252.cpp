#include "platform/Windows1252.h"

#include "platform/ProgramError.h"

#include <algorithm>
#include <array>

namespace Windows1252 {

namespace {

constexpr int FirstSpecial = 0x80;
constexpr int Unknown = u'?';

// The only codes that differ from Latin-1, indexed from 0x80.
constexpr std::array<char16_t, 32> Specials = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,
};

constexpr int FirstAfterSpecials = FirstSpecial + static_cast<int>(Specials.size());

bool IsLatin1Identity(int code) {
    return code < FirstSpecial || (code >= FirstAfterSpecials && code <= 0xFF);
}

} // namespace

int Code(QChar c) {
    const int unicode = c.unicode();
    if (IsLatin1Identity(unicode))
        return unicode;
    const auto* found = std::find(Specials.begin(), Specials.end(), c.unicode());
    return found == Specials.end() ? Unknown
                                   : FirstSpecial + static_cast<int>(found - Specials.begin());
}

QChar Character(int code) {
    // A code outside the page is a fault of the caller, not of any data.
    if (code < 0 || code > 0xFF)
        throw ProgramError(QStringLiteral("%1 is not a Windows-1252 code").arg(code));
    if (IsLatin1Identity(code))
        return QChar(code);
    return QChar(Specials[static_cast<std::size_t>(code - FirstSpecial)]);
}

bool Contains(QChar c) {
    return c == QChar(Unknown) || Code(c) != Unknown;
}

} // namespace Windows1252
