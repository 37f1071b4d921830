#include "platform/TextConversion.h"

#include "platform/ProgramError.h"

#include <gtest/gtest.h>

#include <limits>

namespace {

// The reason of the error `read` throws, empty when it throws none.
template <typename Read>
QString ErrorReason(Read read) {
    try {
        read();
    } catch (const ProgramError& error) {
        return error.Reason();
    }
    return {};
}

template <typename T>
T ReadAs(const char* text) {
    T value{};
    TextConversion::FromText(QString::fromUtf8(text), value);
    return value;
}

// A text that cannot be read throws and leaves the variable as it was.
template <typename T>
void ExpectUnreadableLeaves(const char* text, T value) {
    const T before = value;
    EXPECT_THROW(TextConversion::FromText(QString::fromUtf8(text), value), ProgramError) << text;
    EXPECT_EQ(value, before) << text;
}

} // namespace

TEST(TextConversionTest, BooleansReadWordsInAnyCaseAndNumbers) {
    struct Case {
        const char* text;
        bool expected;
    };
    const Case cases[] = {
        {"True", true},    {"TRUE", true}, {"false", false}, {"False", false},
        {" true\t", true}, {"0", false},   {"-1", true},     {"2", true},
        {"0.0", false},    {"-0", false},  {"0.4", true},    {" +1.5 ", true},
    };
    for (const Case& c : cases)
        EXPECT_EQ(TextConversion::ToBoolean(QString::fromUtf8(c.text)), c.expected) << c.text;
}

TEST(TextConversionTest, ErrorsNameTheTextThatCouldNotBeRead) {
    for (const char* text : {"", "yes", "T", "truee", "tr ue", "1e1", "abc"}) {
        const QString reason =
            ErrorReason([text] { TextConversion::ToBoolean(QString::fromUtf8(text)); });
        EXPECT_TRUE(reason.contains('"' + QString::fromUtf8(text) + '"')) << text;
    }
    for (const char* text : {"", " ", "abc", "12a", "1,5", "0x10", "1e3", "- 1", "\u0661"}) {
        const QString reason =
            ErrorReason([text] { TextConversion::ToLong(QString::fromUtf8(text)); });
        EXPECT_FALSE(reason.isEmpty()) << text;
        EXPECT_TRUE(reason.contains(QString::fromUtf8(text))) << text;
    }
}

TEST(TextConversionTest, IntegersRoundFractionsHalfToEven) {
    EXPECT_EQ(TextConversion::ToInteger("2.5"), 2);
    EXPECT_EQ(TextConversion::ToInteger("3.5"), 4);
    EXPECT_EQ(TextConversion::ToInteger("-2.5"), -2);
    EXPECT_EQ(TextConversion::ToInteger("-0.5"), 0);
    EXPECT_EQ(TextConversion::ToInteger("2.5000001"), 3);
    EXPECT_EQ(TextConversion::ToLong(" +42 "), 42);
    EXPECT_EQ(TextConversion::ToInt64("-7.49"), -7);
}

TEST(TextConversionTest, IntegersOutOfRangeAreErrorsNeverWrapped) {
    EXPECT_EQ(TextConversion::ToInteger("32767"), 32767);
    EXPECT_EQ(TextConversion::ToInteger("-32768"), -32768);
    // "32767.5" is in range as written, out of range once rounded.
    for (const char* text : {"32768", "-32769", "32767.5"})
        EXPECT_THROW(TextConversion::ToInteger(text), ProgramError) << text;
    EXPECT_EQ(TextConversion::ToLong("2147483647"), 2147483647);
    EXPECT_EQ(TextConversion::ToLong("-2147483648"), -2147483647 - 1);
    EXPECT_THROW(TextConversion::ToLong("2147483648"), ProgramError);
    EXPECT_EQ(TextConversion::ToInt64("-9223372036854775808"), std::numeric_limits<qint64>::min());
    EXPECT_EQ(TextConversion::ToInt64("9223372036854775807"), std::numeric_limits<qint64>::max());
    for (const char* text : {"9223372036854775808", "18446744073709551616"})
        EXPECT_THROW(TextConversion::ToInt64(text), ProgramError) << text;
}

TEST(TextConversionTest, ScaledDecimalsCurrencyAndDates) {
    EXPECT_EQ(TextConversion::ToScaledDecimal(u"1.005", 2, u"."), 100);
    EXPECT_EQ(TextConversion::ToScaledDecimal(u"1.015", 2, u"."), 102);
    EXPECT_EQ(TextConversion::ToScaledDecimal(u"1;5", 1, u";"), 15);
    EXPECT_FALSE(TextConversion::ToScaledDecimal(u"1,5", 1, u".").has_value());
    EXPECT_FALSE(TextConversion::ToScaledDecimal(u"92233720368547758.08", 2, u".").has_value());
    // The currency and date readers throw instead of giving nothing.
    EXPECT_EQ(TextConversion::ToCurrency("1,5"), Currency::FromScaled(15000));
    EXPECT_THROW(TextConversion::ToCurrency("1.2.3"), ProgramError);
    EXPECT_EQ(TextConversion::ToDate("01/01/1900"), Date::Never());
    EXPECT_THROW(TextConversion::ToDate("1/32/2026"), ProgramError);
}

TEST(TextConversionTest, ToTextWritesEachTypesStoredForm) {
    EXPECT_EQ(TextConversion::ToText(true), "True");
    EXPECT_EQ(TextConversion::ToText(false), "False");
    EXPECT_EQ(TextConversion::ToText(qint16{-32768}), "-32768");
    EXPECT_EQ(TextConversion::ToText(qint32{2147483647}), "2147483647");
    EXPECT_EQ(TextConversion::ToText(std::numeric_limits<qint64>::min()), "-9223372036854775808");
    EXPECT_EQ(TextConversion::ToText(Currency::FromScaled(-5000)), "-0.5");
    EXPECT_EQ(TextConversion::ToText(Date::Never()), "1/1/1900");
    EXPECT_EQ(TextConversion::ToText(QString(" as is ")), " as is ");
}

TEST(TextConversionTest, FromTextAssignsOnlyOnSuccess) {
    EXPECT_TRUE(ReadAs<bool>("TRUE"));
    EXPECT_EQ(ReadAs<qint16>("-3"), -3);
    EXPECT_EQ(ReadAs<qint32>("70000"), 70000);
    EXPECT_EQ(ReadAs<Date>("13:45"), Date::FromParts(1899, 12, 30, 13, 45));
    EXPECT_EQ(ReadAs<QString>(" kept "), " kept ");
    ExpectUnreadableLeaves("maybe", true);
    ExpectUnreadableLeaves("40000", qint16{7});
    ExpectUnreadableLeaves("", qint64{7});
    ExpectUnreadableLeaves("x", Currency::FromScaled(1));
    ExpectUnreadableLeaves("soon", Date::Never());
}
