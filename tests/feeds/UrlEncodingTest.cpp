#include "feeds/UrlEncoding.h"

#include <gtest/gtest.h>

using UrlEncoding::URLEncode;

TEST(UrlEncodingTest, KeepsOnlyAsciiLettersAndDigits) {
    EXPECT_EQ(URLEncode(u"a b/c"_qs, false), u"a%20b%2Fc"_qs);
    EXPECT_EQ(URLEncode(u"a b/c"_qs, true), u"a+b%2Fc"_qs);
    EXPECT_EQ(URLEncode(u"AZaz09-_.~+"_qs, false), u"AZaz09%2D%5F%2E%7E%2B"_qs);
    EXPECT_EQ(URLEncode(u"\r\n"_qs, true), u"%0D%0A"_qs);
    EXPECT_EQ(URLEncode(QString(QChar(u'\0')), false), u"%00"_qs);
}

TEST(UrlEncodingTest, EncodesTheUtf8BytesOfOtherCharacters) {
    EXPECT_EQ(URLEncode(u"é日"_qs, false), u"%C3%A9%E6%97%A5"_qs);
    EXPECT_EQ(URLEncode(u"😀"_qs, false), u"%F0%9F%98%80"_qs);
}
