#include "platform/Saturating.h"

#include <QtGlobal>

#include <limits>

#include <gtest/gtest.h>

TEST(SaturatingTest, StopsAtTheLimits) {
    constexpr qint32 max = std::numeric_limits<qint32>::max();
    EXPECT_EQ(SaturatingAdd<qint32>(max - 1, 1), max);
    EXPECT_EQ(SaturatingAdd<qint32>(max, 1), max);
    EXPECT_EQ(SaturatingAdd<qint64>(2147483000, 1000), 2147484000);
    EXPECT_EQ(SaturatingAdd<qint16>(-32768, -1), -32768);
}
