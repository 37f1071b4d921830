#include "platform/Windows1252.h"

#include "platform/ProgramError.h"

#include <QString>

#include <algorithm>
#include <array>
#include <string_view>

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

// The labels browsers read as this code page.
constexpr std::array<std::string_view, 17> Labels = {
    "ansi_x3.4-1968", "ascii",           "cp1252",     "cp819",     "csisolatin1",
    "ibm819",         "iso-8859-1",      "iso-ir-100", "iso8859-1", "iso88591",
    "iso_8859-1",     "iso_8859-1:1987", "l1",         "latin1",    "us-ascii",
    "windows-1252",   "x-cp1252",
};

// The UTF-8 form of every code, at most three bytes, the length last.
using Utf8Code = std::array<char, 4>;

std::array<Utf8Code, 256> Utf8Codes() {
    std::array<Utf8Code, 256> codes{};
    for (int code = 0; code <= 0xFF; ++code) {
        const QByteArray utf8 = QString(Character(code)).toUtf8();
        Utf8Code& entry = codes[static_cast<std::size_t>(code)];
        std::copy(utf8.begin(), utf8.end(), entry.begin());
        entry[3] = static_cast<char>(utf8.size());
    }
    return codes;
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

bool IsLabel(QStringView charset) {
    const QStringView name = charset.trimmed();
    return std::any_of(Labels.begin(), Labels.end(), [name](std::string_view label) {
        return name.compare(QLatin1StringView(label.data(), static_cast<qsizetype>(label.size())),
                            Qt::CaseInsensitive) == 0;
    });
}

QByteArray ToUtf8(QByteArrayView bytes) {
    static const std::array<Utf8Code, 256> codes = Utf8Codes();
    QByteArray utf8;
    utf8.reserve(bytes.size() + bytes.size() / 4);
    for (const char byte : bytes) {
        const Utf8Code& code = codes[static_cast<unsigned char>(byte)];
        utf8.append(code.data(), code[3]);
    }
    return utf8;
}

} // namespace Windows1252
