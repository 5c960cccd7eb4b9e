#include "layout/dpi.h"

#include <gtest/gtest.h>

TEST(DpiScaling, SizesScaleRoundAndComeBackForStoring) {
    EXPECT_EQ(ScaleToDpi(40, 96), 40);  // at 96 DPI nothing changes
    EXPECT_EQ(ScaleToDpi(40, 144), 60);
    EXPECT_EQ(ScaleToDpi(20, 120), 25);
    EXPECT_EQ(ScaleToDpi(3, 120), 4);    // 3.75
    EXPECT_EQ(ScaleToDpi(-3, 120), -4);  // symmetric about zero
    EXPECT_EQ(ScaleToDpi(40, 0), 40);    // an unknown DPI is the base
    EXPECT_EQ(UnscaleFromDpi(60, 144), 40);
    EXPECT_EQ(UnscaleFromDpi(ScaleToDpi(380, 168), 168), 380);
}

TEST(DpiScaling, NeighbouringBoundsStillMeet) {
    // Two 20-pixel cells side by side at 125 %: 25 + 25, no gap, no overlap.
    const TBounds a = ScaleToDpi(TBounds{0, 0, 20, 20}, 120);
    const TBounds b = ScaleToDpi(TBounds{20, 0, 20, 20}, 120);
    EXPECT_EQ(a.Left + a.Width, b.Left);
    const TBounds odd = ScaleToDpi(TBounds{1, 1, 3, 3}, 120);  // 1.25..5: 1..5
    EXPECT_EQ(odd.Left, 1);
    EXPECT_EQ(odd.Left + odd.Width, 5);
}

TEST(DpiScaling, IconsAreAskedForAtTheNextSizeTheyComeIn) {
    EXPECT_EQ(IconSizeForDpi(16, 96), 16);
    EXPECT_EQ(IconSizeForDpi(16, 120), 20);
    EXPECT_EQ(IconSizeForDpi(16, 144), 24);
    EXPECT_EQ(IconSizeForDpi(32, 168), 64);  // 56 is no icon size
    EXPECT_EQ(IconSizeForDpi(64, 192), 128);
    EXPECT_EQ(IconSizeForDpi(256, 192), 256);  // the largest there is
}
