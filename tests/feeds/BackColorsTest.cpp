#include "feeds/BackColors.h"

#include <gtest/gtest.h>

#include <QSet>

#include <ios>

// Every tint can be drawn, nothing else is, and each keeps dark text
// readable: no channel below 200.
TEST(BackColorsTest, DrawsEveryLightTintOfThePaletteAndNothingElse) {
    const auto palette = BackColors::Palette();
    const QSet<Long> tints(palette.begin(), palette.end());
    QSet<Long> drawn;
    for (int draw = 0; draw < 400 * static_cast<int>(palette.size()); ++draw)
        drawn.insert(BackColors::RandomBackColor());
    EXPECT_EQ(drawn, tints);
    for (const Long tint : tints) {
        for (const int shift : {0, 8, 16})
            EXPECT_GE((tint >> shift) & 0xff, 200) << std::hex << tint;
    }
}
