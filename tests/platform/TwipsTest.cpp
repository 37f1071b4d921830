#include "platform/Twips.h"

#include <gtest/gtest.h>

TEST(TwipsTest, FifteenTwipsPerPixel) {
    EXPECT_EQ(Twips::FromPixels(2500), 37500);
    EXPECT_EQ(Twips::ToPixels(37500), 2500);
    EXPECT_EQ(Twips::ToPixels(11925), 795);
    // Values written by hand need not be multiples of 15.
    EXPECT_EQ(Twips::ToPixels(22), 1);
    EXPECT_EQ(Twips::ToPixels(23), 2);
    EXPECT_EQ(Twips::ToPixels(-23), -2);
    EXPECT_EQ(Twips::ToPixels(Twips::FromPixels(-7)), -7);
}
