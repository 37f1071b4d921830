#include "platform/Currency.h"

#include "platform/ProgramError.h"

#include <gtest/gtest.h>

#include <limits>
#include <utility>

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

    // What cannot be an amount is refused.
    for (const double value :
         {std::numeric_limits<double>::quiet_NaN(), std::numeric_limits<double>::infinity(),
          922337203685478.0, -1e300}) {
        EXPECT_THROW(Currency::FromDouble(value), ProgramError) << value;
    }
}
