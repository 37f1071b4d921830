#include "platform/Windows1252.h"

#include "platform/ProgramError.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>

namespace {

// The codes Windows-1252 leaves unassigned; they stand for the C1 controls.
constexpr std::array<char16_t, 5> Unassigned = {0x81, 0x8D, 0x8F, 0x90, 0x9D};

bool IsUnassigned(char16_t c) {
    return std::find(Unassigned.begin(), Unassigned.end(), c) != Unassigned.end();
}

} // namespace

TEST(Windows1252Test, EveryCodeRoundTrips) {
    for (int code = 0; code <= 0xFF; ++code) {
        const QChar c = Windows1252::Character(code);
        EXPECT_EQ(Windows1252::Code(c), code) << code;
        EXPECT_TRUE(Windows1252::Contains(c)) << code;
    }
}

TEST(Windows1252Test, SpecialRangeFollowsTheCodePage) {
    EXPECT_EQ(Windows1252::Code(QChar(0x20AC)), 0x80);
    EXPECT_EQ(Windows1252::Code(QChar(0x2019)), 0x92);
    EXPECT_EQ(Windows1252::Code(QChar(0x2022)), 0x95);
    EXPECT_EQ(Windows1252::Code(QChar(0x0152)), 0x8C);
    EXPECT_EQ(Windows1252::Code(QChar(0x0178)), 0x9F);
    EXPECT_EQ(Windows1252::Character(0x99), QChar(0x2122));
    for (const char16_t c : Unassigned) {
        EXPECT_EQ(Windows1252::Code(QChar(c)), c);
        EXPECT_EQ(Windows1252::Character(c), QChar(c));
    }
}

TEST(Windows1252Test, LatinOneRangesAreIdentical) {
    EXPECT_EQ(Windows1252::Code(QChar(u'A')), 0x41);
    EXPECT_EQ(Windows1252::Code(QChar(0xA0)), 0xA0);
    EXPECT_EQ(Windows1252::Code(QChar(0xE9)), 0xE9);
    EXPECT_EQ(Windows1252::Character(0xFF), QChar(0xFF));
}

TEST(Windows1252Test, CharactersOutsideThePageBecomeQuestionMarks) {
    for (char16_t c = 0x80; c <= 0x9F; ++c) {
        if (IsUnassigned(c))
            continue;
        EXPECT_EQ(Windows1252::Code(QChar(c)), u'?') << int{c};
        EXPECT_FALSE(Windows1252::Contains(QChar(c))) << int{c};
    }
    for (const char16_t c :
         {char16_t{0x3042}, char16_t{0x0100}, char16_t{0xD800}, char16_t{0xFFFD}}) {
        EXPECT_EQ(Windows1252::Code(QChar(c)), u'?') << int{c};
        EXPECT_FALSE(Windows1252::Contains(QChar(c))) << int{c};
    }
    EXPECT_TRUE(Windows1252::Contains(QChar(u'?')));
}

TEST(Windows1252Test, CodesOutsideThePageAreErrors) {
    EXPECT_THROW(Windows1252::Character(-1), ProgramError);
    EXPECT_THROW(Windows1252::Character(256), ProgramError);
}
