#include "platform/Currency.h"

#include "platform/ProgramError.h"

#include <gtest/gtest.h>

#include <limits>

namespace {

constexpr qint64 Min = std::numeric_limits<qint64>::min();
constexpr qint64 Max = std::numeric_limits<qint64>::max();

std::optional<qint64> ScaledFromText(const char* text) {
    const std::optional<Currency> value = Currency::FromText(QString::fromUtf8(text));
    return value ? std::optional<qint64>(value->Scaled()) : std::nullopt;
}

} // namespace

TEST(CurrencyTest, TextHasAtMostFourDecimalsWithoutTrailingZeros) {
    struct Case {
        qint64 scaled;
        const char* text;
    };
    const Case cases[] = {
        {0, "0"},
        {10000, "1"},
        {15000, "1.5"},
        {-5000, "-0.5"},
        {-1, "-0.0001"},
        {12345678, "1234.5678"},
        {10100, "1.01"},
        {Max, "922337203685477.5807"},
        {Min, "-922337203685477.5808"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(Currency::FromScaled(c.scaled).ToText(), QString::fromUtf8(c.text));
        EXPECT_EQ(ScaledFromText(c.text), c.scaled) << c.text;
    }
}

TEST(CurrencyTest, FromTextAcceptsEitherSeparatorSignsAndWhitespace) {
    EXPECT_EQ(ScaledFromText("1.5"), 15000);
    EXPECT_EQ(ScaledFromText("1,5"), 15000);
    EXPECT_EQ(ScaledFromText("1,2345"), 12345);
    EXPECT_EQ(ScaledFromText("-2"), -20000);
    EXPECT_EQ(ScaledFromText("+3"), 30000);
    EXPECT_EQ(ScaledFromText("  12.3456  "), 123456);
    EXPECT_EQ(ScaledFromText(".5"), 5000);
    EXPECT_EQ(ScaledFromText("7."), 70000);
    EXPECT_EQ(ScaledFromText("-0"), 0);
    EXPECT_EQ(ScaledFromText("000000000000000000000000001"), 10000);
}

TEST(CurrencyTest, FromTextRoundsFurtherDecimalsHalfToEven) {
    EXPECT_EQ(ScaledFromText("0.00005"), 0);
    EXPECT_EQ(ScaledFromText("0.00015"), 2);
    EXPECT_EQ(ScaledFromText("0.00025"), 2);
    EXPECT_EQ(ScaledFromText("0.000250000001"), 3);
    EXPECT_EQ(ScaledFromText("0.00014999"), 1);
    EXPECT_EQ(ScaledFromText("-0.00015"), -2);
    EXPECT_EQ(ScaledFromText("1.23456"), 12346);
    EXPECT_EQ(ScaledFromText("0.99995"), 10000);
}

TEST(CurrencyTest, FromTextRejectsWhatIsNotAnAmountInRange) {
    const char* const texts[] = {"",
                                 "   ",
                                 "-",
                                 ".",
                                 "1.2.3",
                                 "1,2.3",
                                 "abc",
                                 "1e5",
                                 "--1",
                                 "+-1",
                                 "1 000",
                                 "0x10",
                                 "\u0661",
                                 "922337203685477.5808",
                                 "-922337203685477.5809",
                                 "922337203685477.58075",
                                 "99999999999999999999"};
    for (const char* text : texts)
        EXPECT_FALSE(ScaledFromText(text).has_value()) << text;
    // An exact half at the lower bound rounds to the even, in-range value.
    EXPECT_EQ(ScaledFromText("-922337203685477.58085"), Min);
}

TEST(CurrencyTest, FromDoubleRoundsTheWrittenDecimalsHalfToEven) {
    EXPECT_EQ(Currency::FromDouble(1.5).Scaled(), 15000);
    EXPECT_EQ(Currency::FromDouble(0.00005).Scaled(), 0);
    EXPECT_EQ(Currency::FromDouble(0.00015).Scaled(), 2);
    EXPECT_EQ(Currency::FromDouble(0.00025).Scaled(), 2);
    EXPECT_EQ(Currency::FromDouble(-2.00035).Scaled(), -20004);
    EXPECT_EQ(Currency::FromDouble(0.1 + 0.2).Scaled(), 3000);
    EXPECT_EQ(Currency::FromDouble(1e-300).Scaled(), 0);
    EXPECT_EQ(Currency::FromDouble(922337203685477.0).Scaled(), 9223372036854770000);
    EXPECT_EQ(Currency::FromScaled(-12345).ToDouble(), -1.2345);
}

TEST(CurrencyTest, FromDoubleRejectsWhatCannotBeAnAmount) {
    for (const double value :
         {std::numeric_limits<double>::quiet_NaN(), std::numeric_limits<double>::infinity(),
          922337203685478.0, -1e300}) {
        EXPECT_THROW(Currency::FromDouble(value), ProgramError) << value;
    }
}
