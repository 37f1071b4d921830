#include "platform/TextDecoding.h"

#include <gtest/gtest.h>

#include <utility>

TEST(TextDecodingTest, NamedCharsetWins) {
    EXPECT_EQ(TextDecoding::Decode("caf\xe9", QStringLiteral("ISO-8859-2")),
              QStringLiteral("café"));
    EXPECT_EQ(TextDecoding::Decode("\xb1", QStringLiteral("ISO-8859-2")), QStringLiteral("ą"));
    EXPECT_EQ(TextDecoding::Decode("caf\xc3\xa9", QStringLiteral(" utf-8 ")),
              QStringLiteral("café"));
}

// Servers name Latin-1 or ASCII for whatever they send: the bytes decide.
TEST(TextDecodingTest, WithoutCharsetOrWithALatin1NameUtf8WhenValidElseWindows1252) {
    const std::pair<const char*, const char*> charsets[] = {
        {"", ""}, {"ISO-8859-1", "latin1"}, {"us-ascii", "Windows-1252"}, {"x-no-such", "cp1252"}};
    for (const auto& pair : charsets) {
        for (const char* charset : {pair.first, pair.second}) {
            const QString name = QString::fromLatin1(charset);
            EXPECT_EQ(TextDecoding::Decode("caf\xc3\xa9 \xe2\x80\x94", name),
                      QStringLiteral("café —"))
                << charset;
            EXPECT_EQ(TextDecoding::Decode("it\x92s caf\xe9", name), QStringLiteral("it’s café"))
                << charset;
        }
    }
}

TEST(TextDecodingTest, IsUtf8RejectsEveryMalformedSequence) {
    for (const char* valid : {"", "plain ASCII text", "caf\xc3\xa9", "\xe2\x80\x94",
                              "\xf0\x9f\x98\x80", "\xef\xbf\xbf", "\xf4\x8f\xbf\xbf"})
        EXPECT_TRUE(TextDecoding::IsUtf8(valid)) << valid;
    for (const char* invalid : {
             "caf\xe9",                  // Latin-1
             "\x80",                     // stray continuation
             "\xc3",                     // cut short
             "\xe2\x80",                 // cut short
             "\xc0\xaf",                 // overlong
             "\xe0\x80\xaf",             // overlong
             "\xed\xa0\x80",             // surrogate
             "\xf4\x90\x80\x80",         // beyond U+10FFFF
             "\xe2\x28\xa1",             // bad continuation
             "12345678\x92 longer text", // after an ASCII run
         })
        EXPECT_FALSE(TextDecoding::IsUtf8(invalid)) << invalid;
}
