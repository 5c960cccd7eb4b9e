#include <gtest/gtest.h>

#include "layout/frame_layout.h"

namespace {

TFrameLayoutInput Frame(int cw, int ch, int s, int dockEdge) {
    TFrameLayoutInput in;
    in.ClientWidth = cw;
    in.ClientHeight = ch;
    in.CaptionWidth = s;
    in.DockEdge = dockEdge;
    return in;
}

}  // namespace

TEST(FrameLayout, SideResolution) {
    // An explicit side wins; 0 (and anything out of range) follows the dock edge.
    EXPECT_EQ(ResolveCaptionSide(3, deTop), deLeft);
    EXPECT_EQ(ResolveCaptionSide(0, deBottom), deBottom);
    EXPECT_EQ(ResolveCaptionSide(0, deNone), deNone);
    EXPECT_EQ(ResolveCaptionSide(9, deRight), deRight);
    EXPECT_EQ(ResolveCaptionSide(0, 17), deNone);

    const int opposite[5] = {deNone, deBottom, deTop, deRight, deLeft};
    for (int edge = deNone; edge <= deRight; ++edge) EXPECT_EQ(ResolveTabSide(0, edge), opposite[edge]) << edge;
    EXPECT_EQ(ResolveTabSide(2, deBottom), deBottom);
    EXPECT_EQ(ResolveTabSide(-1, deLeft), deRight);
}

TEST(FrameLayout, CaptionBottomTabsTopPacksButtonsToTheRight) {
    TFrameLayoutInput in = Frame(200, 300, 24, deBottom);
    in.DockedBarCount = 1;  // HorizontalTab and the visible buttons keep their defaults
    const TFrameLayout f = ComputeFrameLayout(in);

    EXPECT_EQ(f.CaptionSide, deBottom);
    EXPECT_EQ(f.TabSide, deTop);
    EXPECT_EQ(f.TabSetHeight, 24);  // HorizontalTab forces 24: 22 of tabs and the 2-pixel splitter
    EXPECT_TRUE(f.PlaceTabSet);
    EXPECT_EQ(f.TabSet, (TBounds{0, 22, 200, 22}));
    EXPECT_EQ(f.Splitter, (TBounds{0, 44, 200, 2}));
    EXPECT_EQ(f.SplitterCursor, TSplitterCursor::VSplit);
    EXPECT_EQ(f.TabPosition, tpTop);
    EXPECT_EQ(f.SystemButtons[sbReboot], (TBounds{177, 277, 22, 22}));
    EXPECT_EQ(f.SystemButtons[sbShutdown], (TBounds{153, 277, 22, 22}));
    EXPECT_EQ(f.SystemButtons[sbOpenFolder], (TBounds{129, 277, 22, 22}));
    EXPECT_EQ(f.SystemButtons[sbScreenSaver], ParkedBounds);
    EXPECT_EQ(f.SystemButtons[sbStopAutoRun], ParkedBounds);
    EXPECT_EQ(f.ScrollBox, (TBounds{0, 46, 200, 230}));
    EXPECT_EQ(f.SpaceTakingBars, 1);
    EXPECT_EQ(f.BarContainers[0], (TBounds{0, 0, 200, 20}));
    EXPECT_EQ(f.BarSeparators[0], (TBounds{0, 20, 200, 2}));
    for (int i = 1; i < 4; ++i) EXPECT_EQ(f.BarSeparators[i], ParkedBounds);
    EXPECT_EQ(f.CaptionStrip, (TBounds{0, 276, 200, 24}));
}

TEST(FrameLayout, CaptionTopTabsBottomPacksButtonsToTheLeft) {
    TFrameLayoutInput in = Frame(300, 400, 30, deTop);
    in.HorizontalTab = false;
    in.TabSetHeight = 40;
    in.SystemButtonLayout = 1;
    in.VisibleButtons = {true, true, true, true, true};
    in.DockedBarCount = 2;
    const TFrameLayout f = ComputeFrameLayout(in);

    EXPECT_EQ(f.TabSetHeight, 40);
    EXPECT_EQ(f.TabSet, (TBounds{0, 362, 300, 38}));
    EXPECT_EQ(f.Splitter, (TBounds{0, 360, 300, 2}));
    EXPECT_EQ(f.TabPosition, tpBottom);
    const TSystemButtonId order[] = {sbStopAutoRun, sbOpenFolder, sbScreenSaver, sbShutdown, sbReboot};
    for (int i = 0; i < 5; ++i) EXPECT_EQ(f.SystemButtons[order[i]], (TBounds{1 + 30 * i, 1, 28, 28})) << i;
    EXPECT_EQ(f.ScrollBox, (TBounds{0, 74, 300, 286}));
    EXPECT_EQ(f.BarContainers[1], (TBounds{0, 52, 300, 20}));
    EXPECT_EQ(f.BarSeparators[1], (TBounds{0, 72, 300, 2}));
    EXPECT_EQ(f.BarSeparators[2], ParkedBounds);
    EXPECT_EQ(f.CaptionStrip, (TBounds{0, 0, 300, 30}));
}

TEST(FrameLayout, VerticalTabStripsStartBelowTheBarBand) {
    // Docked left: caption left, tabs right, buttons packed toward the bottom.
    TFrameLayoutInput left = Frame(200, 300, 24, deLeft);
    left.HorizontalTab = false;
    left.TabSetHeight = 40;
    TFrameLayout f = ComputeFrameLayout(left);
    EXPECT_EQ(f.TabSet, (TBounds{162, 0, 38, 300}));
    EXPECT_EQ(f.Splitter, (TBounds{160, 0, 2, 300}));
    EXPECT_EQ(f.SplitterCursor, TSplitterCursor::HSplit);
    EXPECT_EQ(f.TabPosition, tpRight);
    EXPECT_EQ(f.SystemButtons[sbReboot], (TBounds{1, 277, 22, 22}));
    EXPECT_EQ(f.SystemButtons[sbOpenFolder], (TBounds{1, 229, 22, 22}));
    EXPECT_EQ(f.ScrollBox, (TBounds{24, 0, 136, 300}));
    EXPECT_EQ(f.CaptionStrip, (TBounds{0, 0, 24, 300}));

    // Docked right with a bar: caption right, tabs left, buttons packed toward the top.
    TFrameLayoutInput right = left;
    right.DockEdge = deRight;
    right.SystemButtonLayout = 1;
    right.DockedBarCount = 1;
    f = ComputeFrameLayout(right);
    EXPECT_EQ(f.TabSet, (TBounds{0, 22, 38, 278}));
    EXPECT_EQ(f.Splitter, (TBounds{38, 22, 2, 278}));
    EXPECT_EQ(f.TabPosition, tpLeft);
    EXPECT_EQ(f.SystemButtons[sbOpenFolder], (TBounds{177, 1, 22, 22}));
    EXPECT_EQ(f.SystemButtons[sbShutdown], (TBounds{177, 25, 22, 22}));
    EXPECT_EQ(f.SystemButtons[sbReboot], (TBounds{177, 49, 22, 22}));
    EXPECT_EQ(f.ScrollBox, (TBounds{40, 22, 136, 278}));
    EXPECT_EQ(f.BarContainers[0], (TBounds{0, 0, 176, 20}));  // the band spans over the tab strip
    EXPECT_EQ(f.CaptionStrip, (TBounds{176, 0, 24, 300}));
}

TEST(FrameLayout, TabStripShrinksToLeaveRoomButNeverBelowTwenty) {
    TFrameLayoutInput in = Frame(200, 100, 24, deTop);
    in.HorizontalTab = false;
    in.TabSetHeight = 64;
    in.DockedBarCount = 1;
    TFrameLayout f = ComputeFrameLayout(in);
    EXPECT_EQ(f.TabSetHeight, 22);  // 100 - 24 - 22 - 32
    EXPECT_EQ(f.TabSet, (TBounds{0, 80, 200, 20}));
    EXPECT_EQ(f.ScrollBox.Height, 32);

    in.ClientHeight = 80;
    f = ComputeFrameLayout(in);
    EXPECT_EQ(f.TabSetHeight, 20);
    EXPECT_EQ(f.ScrollBox, (TBounds{0, 46, 200, 14}));

    // Across the width for side strips: docked right, tabs on the left.
    TFrameLayoutInput side = Frame(100, 300, 24, deRight);
    side.HorizontalTab = false;
    side.TabSetHeight = 64;
    f = ComputeFrameLayout(side);
    EXPECT_EQ(f.TabSetHeight, 44);  // 100 - 24 - 32
    EXPECT_EQ(f.ScrollBox.Width, 32);

    // A collapsed window gives no negative sizes.
    f = ComputeFrameLayout(Frame(0, 0, 40, deBottom));
    for (const TBounds& b : {f.TabSet, f.Splitter, f.ScrollBox}) {
        EXPECT_GE(b.Width, 0);
        EXPECT_GE(b.Height, 0);
    }
}

TEST(FrameLayout, UndockedWindowAndBarLimits) {
    // Before the first snap neither strip takes a side; the tab height rule still applies.
    TFrameLayoutInput in = Frame(200, 300, 24, deNone);
    in.DockedBarCount = 6;
    in.VisibleButtons = {false, false, false, false, false};
    const TFrameLayout f = ComputeFrameLayout(in);
    EXPECT_FALSE(f.PlaceTabSet);
    EXPECT_EQ(f.TabSetHeight, 24);
    EXPECT_EQ(f.SpaceTakingBars, 4);
    EXPECT_EQ(f.ScrollBox, (TBounds{0, 88, 200, 212}));
    EXPECT_EQ(f.BarSeparators[3], (TBounds{0, 86, 200, 2}));
    EXPECT_EQ(f.CaptionStrip, TBounds{});

    // Hidden buttons leave the caption strip reserved.
    in.DockEdge = deTop;
    EXPECT_EQ(ComputeFrameLayout(in).ScrollBox.Top, 24 + 88);

    EXPECT_EQ(MinTrackHeight(4), 148);
    EXPECT_EQ(MinTrackHeight(0), 60);
}
