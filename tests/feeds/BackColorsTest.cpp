#include "feeds/BackColors.h"

#include <gtest/gtest.h>

#include <algorithm>

TEST(BackColorsTest, RandomColoursComeFromThePalette) {
    const auto palette = BackColors::Palette();
    for (int draw = 0; draw < 100; ++draw) {
        const Long colour = BackColors::RandomBackColor();
        EXPECT_NE(std::find(palette.begin(), palette.end(), colour), palette.end());
    }
}
