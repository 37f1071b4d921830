#include "feeds/Languages.h"

#include <gtest/gtest.h>

TEST(LanguagesTest, LookUpsFollowTheTableAndAbsentKeysGiveTheirAbsentValues) {
    EXPECT_EQ(Languages::Names().size(), 10);
    EXPECT_EQ(Languages::Names().front(), u"Chinese"_qs);
    EXPECT_EQ(Languages::IndexOfNumber(9), 0);
    EXPECT_EQ(Languages::IndexOfNumber(6), 9);
    EXPECT_EQ(Languages::IndexOfNumber(0), -1);
    EXPECT_EQ(Languages::NameOfNumber(2), u"Spanish"_qs);
    EXPECT_EQ(Languages::NameOfNumber(11), QString());
    EXPECT_EQ(Languages::NumberOfName(u"Japanese"_qs), 10);
    EXPECT_EQ(Languages::NumberOfName(u"Klingon"_qs), 0);
    EXPECT_EQ(Languages::NumberOfName(u"german"_qs), 0);
    EXPECT_EQ(Languages::NumberOfCode(u"ko"_qs), 8);
    EXPECT_EQ(Languages::NumberOfCode(u"xx"_qs), 0);
    EXPECT_EQ(Languages::CodeOfNumber(4), u"de"_qs);
    EXPECT_EQ(Languages::CodeOfNumber(-1), QString());
}

TEST(LanguagesTest, FeedLanguageCodesIgnoreCase) {
    for (const auto& [code, number] :
         {std::pair{u"EN"_qs, 1}, std::pair{u"fr"_qs, 3}, std::pair{u"zh"_qs, 9},
          std::pair{u"e"_qs, 0}, std::pair{QString(), 0}})
        EXPECT_EQ(Languages::LookupLanguageCode(code), number) << code.toStdString();
}

// The article address is always one query value, whatever it holds.
TEST(LanguagesTest, TranslationTemplatesReceiveTheAddressAndTheLanguageCodes) {
    const QString article = u"http://x/?a=1&b={lin}#top"_qs;
    const QString encoded = u"http%3A%2F%2Fx%2F%3Fa%3D1%26b%3D%7Blin%7D%23top"_qs;
    const struct {
        QString service;
        QString expected;
    } cases[] = {
        {u"https://t.example/?u={url}&sl={lin}&tl={lout}"_qs,
         "https://t.example/?u=" + encoded + "&sl=fr&tl=en"},
        {u"https://t.example/{lin}-{lout}/{url}"_qs, "https://t.example/fr-en/" + encoded},
        {u"https://t.example/tr"_qs, "https://t.example/tr?url=" + encoded + "&lin=fr&lout=en"},
        {u"https://t.example/tr?"_qs, "https://t.example/tr?&url=" + encoded + "&lin=fr&lout=en"},
        {u"https://t.example/tr?key=k"_qs,
         "https://t.example/tr?key=k&url=" + encoded + "&lin=fr&lout=en"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(Languages::TranslationURL(c.service, 3, 1, article), c.expected)
            << c.service.toStdString();

    // Without a service or something to translate the address stays as it is.
    const QString service = u"https://t.example/tr"_qs;
    const QString site = u"http://x/?a=1"_qs;
    EXPECT_EQ(Languages::TranslationURL(QString(), 3, 1, site), site);
    EXPECT_EQ(Languages::TranslationURL(service, 4, 4, site), site);
    EXPECT_EQ(Languages::TranslationURL(service, 42, 1, site), site);
    EXPECT_EQ(Languages::TranslationURL(service, 4, 0, site), site);
}
