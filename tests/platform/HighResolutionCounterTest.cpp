#include "platform/HighResolutionCounter.h"

#include <gtest/gtest.h>

TEST(HighResolutionCounterTest, SecondsBetweenTwoValues) {
    const Currency start = Currency::FromScaled(5'000'000'000);
    const Currency end = Currency::FromScaled(6'234'567'890);
    // 1.23456789 s, to four decimals.
    EXPECT_EQ(HighResolutionCounter::Seconds(start, end).Scaled(), 12346);
    EXPECT_EQ(HighResolutionCounter::Frequency().Scaled(), 1'000'000'000);
}
