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
    EXPECT_EQ(DataURLScrambler::Encode(QStringLiteral("a")), QStringLiteral("//30//"));
    EXPECT_EQ(DataURLScrambler::Encode(QStringLiteral("ab\n")), QStringLiteral("//6B1730//"));
    EXPECT_EQ(DataURLScrambler::Encode(QString()), QStringLiteral("////"));
}

TEST(DataURLScramblerTest, KeyRepeatsAfterFortyFourCharacters) {
    const QString stored = DataURLScrambler::Encode(QString(45, QLatin1Char('a')));
    ASSERT_EQ(stored.size(), 4 + 90);
    // The 45th character is scrambled with the first key character again.
    EXPECT_EQ(stored.mid(2, 2), QStringLiteral("30"));
    EXPECT_EQ(stored.mid(stored.size() - 4, 2), QStringLiteral("30"));
    EXPECT_EQ(RoundTrip(QString(100, QLatin1Char('a'))), QString(100, QLatin1Char('a')));
}

TEST(DataURLScramblerTest, EveryCodePageCharacterSurvivesARoundTrip) {
    QString all;
    for (int code = 0; code <= 0xFF; ++code)
        all += Windows1252::Character(code);
    EXPECT_EQ(RoundTrip(all), all);
    for (const QString& edge : {QStringLiteral("\u20AC"), QStringLiteral("\u0081"),
                                QStringLiteral("\u00FF"), QStringLiteral("\u0178")})
        EXPECT_EQ(RoundTrip(QStringLiteral("http://x/") + edge),
                  QStringLiteral("http://x/") + edge);
}

TEST(DataURLScramblerTest, CharactersOutsideTheCodePageArePercentEncodedNotLost) {
    EXPECT_EQ(RoundTrip(QStringLiteral("https://x.jp/\u30D5\u30A3\u30FC\u30C9")),
              QStringLiteral("https://x.jp/%E3%83%95%E3%82%A3%E3%83%BC%E3%83%89"));
    // A character beyond the first plane is one code point, not two halves.
    EXPECT_EQ(RoundTrip(QStringLiteral("http://x/\U0001F600?a=1")),
              QStringLiteral("http://x/%F0%9F%98%80?a=1"));
    // U+0080 is a control character, not the euro sign that has code 0x80.
    EXPECT_EQ(RoundTrip(QStringLiteral("\u0080")), QStringLiteral("%C2%80"));
}

TEST(DataURLScramblerTest, DecodingThenEncodingGivesTheStoredTextBack) {
    const QString stored =
        DataURLScrambler::Encode(QStringLiteral("http://www.example.com/rss.xml"));
    EXPECT_EQ(DataURLScrambler::Encode(DataURLScrambler::Decode(stored)), stored);
}

TEST(DataURLScramblerTest, ReadsLowerCaseDigitsAndIgnoresALeadingOddCharacter) {
    const QString url = QStringLiteral("http://example.org/feed?id=42");
    EXPECT_EQ(DataURLScrambler::Decode(DataURLScrambler::Encode(url).toLower()), url);
    EXPECT_EQ(DataURLScrambler::Decode(QStringLiteral("//X1730//")), QStringLiteral("ab"));
}

TEST(DataURLScramblerTest, TextsTooShortToHoldAPairDecodeToNothing) {
    for (const char* stored : {"//", "///", "////", "//3//"})
        EXPECT_EQ(DataURLScrambler::Decode(QString::fromLatin1(stored)), QString()) << stored;
}

TEST(DataURLScramblerTest, NonHexadecimalPairsAreUnreadable) {
    EXPECT_THROW(DataURLScrambler::Decode(QStringLiteral("//3G//")), ProgramError);
    EXPECT_THROW(DataURLScrambler::Decode(QStringLiteral("//30 1//")), ProgramError);
    EXPECT_THROW(DataURLScrambler::Decode(QStringLiteral("//-1//")), ProgramError);
}

TEST(DataURLScramblerTest, OnlyTextsWrappedInDoubleSlashesAreProtected) {
    EXPECT_TRUE(DataURLScrambler::IsProtectedForm(QStringLiteral("//30//")));
    EXPECT_TRUE(DataURLScrambler::IsProtectedForm(QStringLiteral("////")));
    EXPECT_FALSE(DataURLScrambler::IsProtectedForm(QStringLiteral("http://example.com/")));
    EXPECT_FALSE(DataURLScrambler::IsProtectedForm(QStringLiteral("//cdn.example.com/rss")));
    EXPECT_FALSE(DataURLScrambler::IsProtectedForm(QString()));
}
