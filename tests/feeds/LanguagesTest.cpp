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

TEST(LanguagesTest, TranslationUrlCarriesTheAddressAsOneValueWhenThereIsSomethingToTranslate) {
    const QString url = Languages::TranslationURL(3, 1, u"http://x/?a=1&b=2"_qs);
    EXPECT_TRUE(url.contains(u"tr?&url=http%3A%2F%2Fx%2F%3Fa%3D1%26b%3D2&lin=fr&lout=en"_qs))
        << url.toStdString();
    const QString site = u"http://x/?a=1"_qs;
    EXPECT_EQ(Languages::TranslationURL(4, 4, site), site);
    EXPECT_EQ(Languages::TranslationURL(42, 1, site), site);
    EXPECT_EQ(Languages::TranslationURL(4, 0, site), site);
}
