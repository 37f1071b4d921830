#include "platform/Currency.h"

#include "platform/ProgramError.h"

#include <gtest/gtest.h>

#include <limits>
#include <utility>

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

TEST(CurrencyTest, FromTextAcceptsCommaDecimalsAndRoundsFurtherDecimalsHalfToEven) {
    struct Case {
        const char* text;
        qint64 scaled;
    };
    const Case cases[] = {
        {"1.5", 15000},        {"1,5", 15000},     {"1,2345", 12345},
        {"-2", -20000},        {"+3", 30000},      {"  12.3456  ", 123456},
        {".5", 5000},          {"7.", 70000},      {"-0", 0},
        {"0.00005", 0},        {"0.00015", 2},     {"0.00025", 2},
        {"0.000250000001", 3}, {"0.00014999", 1},  {"-0.00015", -2},
        {"1.23456", 12346},    {"0.99995", 10000}, {"000000000000000000000000001", 10000},
    };
    for (const Case& c : cases)
        EXPECT_EQ(ScaledFromText(c.text), c.scaled) << c.text;
}

TEST(CurrencyTest, FromTextRejectsWhatIsNotAnAmountInRange) {
    for (const char* text :
         {"", "   ", "-", ".", "1.2.3", "1,2.3", "abc", "1e5", "--1", "+-1", "1 000", "0x10",
          "\u0661", "922337203685477.5808", "-922337203685477.5809", "922337203685477.58075",
          "99999999999999999999"})
        EXPECT_FALSE(ScaledFromText(text).has_value()) << text;
    // An exact half at the lower bound rounds to the even, in-range value.
    EXPECT_EQ(ScaledFromText("-922337203685477.58085"), Min);
}

TEST(CurrencyTest, FromDoubleRoundsTheWrittenDecimalsHalfToEven) {
    const std::pair<double, qint64> cases[] = {
        {1.5, 15000},       {0.00005, 0},
        {0.00015, 2},       {0.00025, 2},
        {-2.00035, -20004}, {0.1 + 0.2, 3000},
        {1e-300, 0},        {922337203685477.0, 9223372036854770000},
    };
    for (const auto& [value, scaled] : cases)
        EXPECT_EQ(Currency::FromDouble(value).Scaled(), scaled) << value;
    EXPECT_EQ(Currency::FromScaled(-12345).ToDouble(), -1.2345);
}

TEST(CurrencyTest, FromDoubleRejectsWhatCannotBeAnAmount) {
    for (const double value :
         {std::numeric_limits<double>::quiet_NaN(), std::numeric_limits<double>::infinity(),
          922337203685478.0, -1e300}) {
        EXPECT_THROW(Currency::FromDouble(value), ProgramError) << value;
    }
}
