#include "platform/Windows1252.h"

#include "platform/ProgramError.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <utility>
#include <vector>

namespace {

// The codes Windows-1252 leaves unassigned; they stand for the C1 controls.
constexpr std::array<char16_t, 5> Unassigned = {0x81, 0x8D, 0x8F, 0x90, 0x9D};

} // namespace

TEST(Windows1252Test, EveryCodeRoundTrips) {
    for (int code = 0; code <= 0xFF; ++code) {
        const QChar c = Windows1252::Character(code);
        EXPECT_EQ(Windows1252::Code(c), code) << code;
        EXPECT_TRUE(Windows1252::Contains(c)) << code;
    }
}

TEST(Windows1252Test, CodesMapToTheCodePageCharacters) {
    // The special range differs from Latin-1, the rest and the unassigned
    // codes are the same.
    std::vector<std::pair<int, char16_t>> cases = {
        {0x80, 0x20AC}, {0x92, 0x2019}, {0x95, 0x2022}, {0x8C, 0x0152}, {0x9F, 0x0178},
        {0x99, 0x2122}, {0x41, u'A'},   {0xA0, 0xA0},   {0xE9, 0xE9},   {0xFF, 0xFF},
    };
    for (const char16_t c : Unassigned)
        cases.emplace_back(c, c);
    for (const auto& [code, character] : cases) {
        EXPECT_EQ(Windows1252::Code(QChar(character)), code) << code;
        EXPECT_EQ(Windows1252::Character(code), QChar(character)) << code;
    }
}

TEST(Windows1252Test, CharactersOutsideThePageBecomeQuestionMarks) {
    std::vector<char16_t> outside = {0x3042, 0x0100, 0xD800, 0xFFFD};
    for (char16_t c = 0x80; c <= 0x9F; ++c) {
        if (std::find(Unassigned.begin(), Unassigned.end(), c) == Unassigned.end())
            outside.push_back(c);
    }
    for (const char16_t c : outside) {
        EXPECT_EQ(Windows1252::Code(QChar(c)), u'?') << int{c};
        EXPECT_FALSE(Windows1252::Contains(QChar(c))) << int{c};
    }
    EXPECT_TRUE(Windows1252::Contains(QChar(u'?')));
}

TEST(Windows1252Test, CodesOutsideThePageAreErrors) {
    EXPECT_THROW(Windows1252::Character(-1), ProgramError);
    EXPECT_THROW(Windows1252::Character(256), ProgramError);
}

TEST(Windows1252Test, LabelsOfLatin1AndAsciiReadAsThisPage) {
    for (const char* label : {"windows-1252", "ISO-8859-1", " latin1 ", "US-ASCII", "cp819"})
        EXPECT_TRUE(Windows1252::IsLabel(QString::fromLatin1(label))) << label;
    for (const char* label : {"", "utf-8", "ISO-8859-15", "latin2", "windows-1251"})
        EXPECT_FALSE(Windows1252::IsLabel(QString::fromLatin1(label))) << label;
}

TEST(Windows1252Test, ToUtf8ConvertsEveryCode) {
    QByteArray bytes;
    QString text;
    for (int code = 0; code <= 0xFF; ++code) {
        bytes.append(static_cast<char>(code));
        text.append(Windows1252::Character(code));
    }
    EXPECT_EQ(Windows1252::ToUtf8(bytes), text.toUtf8());
    EXPECT_EQ(Windows1252::ToUtf8("it\x92s"), QByteArray("it\xe2\x80\x99s"));
}
