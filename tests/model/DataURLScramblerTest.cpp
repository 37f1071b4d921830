#include "model/DataURLScrambler.h"
#include "platform/ProgramError.h"
#include "platform/Windows1252.h"

#include <gtest/gtest.h>

namespace {

QString RoundTrip(const QString& url) {
    return DataURLScrambler::Decode(DataURLScrambler::Encode(url));
}

} // namespace

TEST(DataURLScramblerTest, ScramblesWithTheKeyAndWritesPairsLastCharacterFirst) {
    // 'a' ^ 'Q' = 0x30, 'b' ^ 'u' = 0x17, '\n' ^ 'a' = 0x6B.
    EXPECT_EQ(DataURLScrambler::Encode("a"), "//30//");
    EXPECT_EQ(DataURLScrambler::Encode("ab\n"), "//6B1730//");
    EXPECT_EQ(DataURLScrambler::Encode(QString()), "////");
}

TEST(DataURLScramblerTest, KeyRepeatsAfterFortyFourCharacters) {
    const QString stored = DataURLScrambler::Encode(QString(45, QLatin1Char('a')));
    ASSERT_EQ(stored.size(), 4 + 90);
    // The 45th character is scrambled with the first key character again.
    EXPECT_EQ(stored.mid(2, 2), "30");
    EXPECT_EQ(stored.mid(stored.size() - 4, 2), "30");
    EXPECT_EQ(RoundTrip(QString(100, QLatin1Char('a'))), QString(100, QLatin1Char('a')));
}

TEST(DataURLScramblerTest, EveryCodePageCharacterSurvivesARoundTrip) {
    QString all;
    for (int code = 0; code <= 0xFF; ++code)
        all += Windows1252::Character(code);
    EXPECT_EQ(RoundTrip(all), all);
    for (const char* edge : {"\u20AC", "\u0081", "\u00FF", "\u0178"})
        EXPECT_EQ(RoundTrip(QString("http://x/") + edge), QString("http://x/") + edge);
}

TEST(DataURLScramblerTest, CharactersOutsideTheCodePageArePercentEncodedNotLost) {
    EXPECT_EQ(RoundTrip("https://x.jp/\u30D5\u30A3\u30FC\u30C9"),
              "https://x.jp/%E3%83%95%E3%82%A3%E3%83%BC%E3%83%89");
    // A character beyond the first plane is one code point, not two halves.
    EXPECT_EQ(RoundTrip("http://x/\U0001F600?a=1"), "http://x/%F0%9F%98%80?a=1");
    // U+0080 is a control character, not the euro sign that has code 0x80.
    EXPECT_EQ(RoundTrip("\u0080"), "%C2%80");
}

TEST(DataURLScramblerTest, DecodingThenEncodingGivesTheStoredTextBack) {
    const QString url = "http://example.org/feed?id=42";
    const QString stored = DataURLScrambler::Encode(url);
    EXPECT_EQ(DataURLScrambler::Encode(DataURLScrambler::Decode(stored)), stored);
    // Lower-case digits read too, and a leading odd character is passed over.
    EXPECT_EQ(DataURLScrambler::Decode(stored.toLower()), url);
    EXPECT_EQ(DataURLScrambler::Decode("//X1730//"), "ab");
}

TEST(DataURLScramblerTest, ShortTextsDecodeToNothingAndNonHexadecimalPairsThrow) {
    for (const char* stored : {"//", "///", "////", "//3//"})
        EXPECT_EQ(DataURLScrambler::Decode(stored), QString()) << stored;
    for (const char* stored : {"//3G//", "//30 1//", "//-1//"})
        EXPECT_THROW(DataURLScrambler::Decode(stored), ProgramError) << stored;
}

TEST(DataURLScramblerTest, OnlyTextsWrappedInDoubleSlashesAreProtected) {
    for (const char* stored : {"//30//", "////"})
        EXPECT_TRUE(DataURLScrambler::IsProtectedForm(stored)) << stored;
    for (const char* plain : {"http://example.com/", "//cdn.example.com/rss", ""})
        EXPECT_FALSE(DataURLScrambler::IsProtectedForm(plain)) << plain;
    EXPECT_FALSE(DataURLScrambler::IsProtectedForm(QString()));
}
