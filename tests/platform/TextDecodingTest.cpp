#include "platform/TextDecoding.h"

#include <gtest/gtest.h>

TEST(TextDecodingTest, NamedCharsetWins) {
    EXPECT_EQ(TextDecoding::Decode("caf\xe9", QStringLiteral("ISO-8859-1")),
              QStringLiteral("café"));
    EXPECT_EQ(TextDecoding::Decode("it\x92s", QStringLiteral("Windows-1252")),
              QStringLiteral("it’s"));
    EXPECT_EQ(TextDecoding::Decode("caf\xc3\xa9", QStringLiteral(" utf-8 ")),
              QStringLiteral("café"));
}

TEST(TextDecodingTest, WithoutCharsetUtf8WhenValidElseWindows1252) {
    EXPECT_EQ(TextDecoding::Decode("caf\xc3\xa9 \xe2\x80\x94", QString()),
              QStringLiteral("café —"));
    EXPECT_EQ(TextDecoding::Decode("don\x92t", QString()), QStringLiteral("don’t"));
    EXPECT_EQ(TextDecoding::Decode("unknown charset \x93", QStringLiteral("x-no-such")),
              QStringLiteral("unknown charset “"));
}
