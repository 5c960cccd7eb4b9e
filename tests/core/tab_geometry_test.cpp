#include "layout/tab_geometry.h"

#include <gtest/gtest.h>

namespace {

// The main window's strip: margins 2, tab width 20.
TNarrowTabGeometry Strip(int width, int height, TNarrowTabPosition position, bool vertical, std::vector<int> widths) {
    TNarrowTabGeometry g;
    g.SetSize(width, height);
    g.SetPosition(position);
    g.SetVertical(vertical);
    g.SetLeftMargin(2);
    g.SetRightMargin(2);
    g.SetTabTextWidths(std::move(widths));
    return g;
}

std::vector<int> Same(int count, int width) { return std::vector<int>(count, width); }

}  // namespace

TEST(TabGeometry, VerticalModeRectanglesOnEverySide) {
    TNarrowTabGeometry g = Strip(201, 40, tpBottom, true, Same(10, 10));
    EXPECT_EQ(g.VisibleCount(), 8);                      // A = 173
    EXPECT_EQ(g.TabRects()[0], (TRect{14, 0, 34, 18}));  // selected: 2 thicker
    EXPECT_EQ(g.TabRects()[1], (TRect{34, 0, 54, 16}));
    EXPECT_FALSE(g.BackEnabled());
    EXPECT_TRUE(g.ForwardEnabled());

    g.SetPosition(tpTop);
    EXPECT_EQ(g.TabRects()[1], (TRect{34, 24, 54, 40}));

    g = Strip(40, 201, tpLeft, true, Same(10, 10));
    EXPECT_EQ(g.TabRects()[1], (TRect{24, 34, 40, 54}));
    g.SetPosition(tpRight);
    EXPECT_EQ(g.TabRects()[1], (TRect{0, 34, 16, 54}));

    // A caption longer than the strip is thick is cut to the thickness.
    g = Strip(201, 40, tpBottom, true, {100, 10, 10, 10, 10});
    EXPECT_EQ(g.TabRects()[0].Height(), 40);
    EXPECT_EQ(g.VisibleCount(), 5);
    EXPECT_FALSE(g.ForwardEnabled());
}

TEST(TabGeometry, HorizontalModeLengthsAndVisibleRun) {
    TNarrowTabGeometry g = Strip(200, 22, tpBottom, false, {100, 4, 50, 50});
    g.SetMinTabWidth(16);
    g.SetMaxTabWidth(64);
    EXPECT_EQ(g.TabRects()[0], (TRect{14, 0, 78, 22}));  // 64 long, 22 thick when selected
    EXPECT_EQ(g.TabRects()[1], (TRect{78, 0, 94, 20}));  // raised to 16
    EXPECT_EQ(g.VisibleCount(), 3);                      // 64 + 16 + 56 fit in 172, not + 56
    EXPECT_EQ(g.VisibleTabsLength(), 136);

    // Captions: a cut one starts 3 pixels in, a short one is centred.
    EXPECT_EQ(g.CaptionOrigin(0, 100, -12), (TPoint{17, 5}));
    EXPECT_EQ(g.CaptionOrigin(1, 4, 12), (TPoint{84, 4}));

    // Scrolling moves tab FirstVisible to the start of the strip.
    EXPECT_TRUE(g.SetFirstVisible(1));
    EXPECT_EQ(g.TabRects()[1], (TRect{14, 0, 30, 20}));
    EXPECT_EQ(g.TabRects()[0].Left, -50);
    EXPECT_EQ(g.VisibleCount(), 3);
    EXPECT_FALSE(g.ForwardEnabled());

    // Side strips run downwards.
    g = Strip(22, 200, tpLeft, false, {50});
    EXPECT_EQ(g.TabRects()[0], (TRect{0, 14, 22, 70}));
    g.SetPosition(tpRight);
    EXPECT_EQ(g.TabRects()[0], (TRect{0, 14, 22, 70}));
    EXPECT_EQ(g.CaptionOrigin(0, 50, 12), (TPoint{0 + 1 + 16, 14 + 3}));
}

TEST(TabGeometry, SelectingScrollsTheTabIntoView) {
    TNarrowTabGeometry g = Strip(201, 40, tpBottom, true, Same(10, 10));
    TTabSelection s = g.SetTabIndex(9);
    EXPECT_TRUE(s.Changed);
    EXPECT_TRUE(s.Scrolled);
    EXPECT_EQ(g.FirstVisible(), 2);  // tab 9 is the last visible one
    s = g.SetTabIndex(0);
    EXPECT_EQ(g.FirstVisible(), 0);  // and tab 0 the first
    EXPECT_FALSE(g.SetTabIndex(0).Changed);

    s = g.SetTabIndex(1);
    EXPECT_FALSE(s.Scrolled);
    EXPECT_EQ(s.RepaintRects.size(), 3u);  // tabs 0, 1 and 1 again; -1 does not exist

    // Horizontal mode: VisibleCount changes with the first visible tab.
    g = Strip(200, 22, tpBottom, false, Same(6, 50));
    g.SetTabIndex(5);
    EXPECT_EQ(g.FirstVisible(), 3);
    EXPECT_EQ(g.FirstVisible() + g.VisibleCount() - 1, 5);

    // Clamping of the index.
    g = Strip(201, 40, tpBottom, true, Same(3, 10));
    g.SetTabIndex(5);
    EXPECT_EQ(g.TabIndex(), 2);
    g = Strip(201, 40, tpBottom, true, {});
    g.SetTabIndex(5);
    EXPECT_EQ(g.TabIndex(), -1);
    g.SetTabIndex(-4);
    EXPECT_EQ(g.TabIndex(), -1);
}

TEST(TabGeometry, ScrollingAndSetterClamps) {
    TNarrowTabGeometry g = Strip(201, 40, tpBottom, true, Same(10, 10));
    EXPECT_TRUE(g.SetFirstVisible(100));
    EXPECT_EQ(g.FirstVisible(), 2);
    EXPECT_FALSE(g.ScrollForward());
    EXPECT_TRUE(g.ScrollBack());
    g.SetFirstVisible(-3);
    EXPECT_EQ(g.FirstVisible(), 0);

    g.SetRightMargin(500);
    EXPECT_EQ(g.RightMargin(), 201 - 2 - 20 - 24);
    g.SetRightMargin(2);
    g.SetTabWidth(3);
    EXPECT_EQ(g.TabWidth(), 6);
    g.SetTabWidth(500);
    EXPECT_EQ(g.TabWidth(), 173);
    g.SetTabHeight(2);
    EXPECT_EQ(g.TabHeight(), 6);
    g.SetTabHeight(100);
    EXPECT_EQ(g.TabHeight(), 38);
    g.SetTabHeight(-5);
    EXPECT_EQ(g.TabHeight(), 0);
    g.SetMinTabWidth(3);
    g.SetMaxTabWidth(1000);
    EXPECT_EQ(g.MinTabWidth(), 16);
    EXPECT_EQ(g.MaxTabWidth(), 256);

    // A strip too short for anything keeps its margins at zero, not below.
    TNarrowTabGeometry tiny = Strip(10, 40, tpBottom, true, Same(3, 10));
    EXPECT_EQ(tiny.LeftMargin(), 0);
    EXPECT_EQ(tiny.VisibleCount(), 0);
}

// The strip scrolls only as far as it must: tabs removed, a strip grown or
// a strip first laid out small (as at start-up) never leave tabs hidden
// beside empty room.
TEST(TabGeometry, TheStripNeverHidesTabsWhileThereIsRoom) {
    TNarrowTabGeometry g = Strip(201, 40, tpBottom, true, Same(10, 10));
    g.SetFirstVisible(2);
    g.SetTabTextWidths(Same(1, 10));
    EXPECT_EQ(g.FirstVisible(), 0);
    EXPECT_EQ(g.VisibleCount(), 1);
    EXPECT_EQ(g.TabAtPos(20, 5), 0);
    EXPECT_FALSE(g.BackEnabled());

    // Five tabs, the fourth selected while the strip was tiny.
    for (bool vertical : {true, false}) {
        g = Strip(60, 22, tpBottom, vertical, Same(5, 30));
        g.SetTabIndex(3);
        ASSERT_GT(g.FirstVisible(), 0);
        g.SetSize(400, 22);
        EXPECT_EQ(g.FirstVisible(), 0) << vertical;
        EXPECT_EQ(g.VisibleCount(), 5) << vertical;
        EXPECT_FALSE(g.BackEnabled());
    }
    // Room for two more than the last ones: the start comes back only that far.
    g = Strip(201, 40, tpBottom, true, Same(12, 10));  // 8 fit
    g.SetFirstVisible(4);
    g.SetSize(241, 40);  // 10 fit
    EXPECT_EQ(g.FirstVisible(), 2);
    EXPECT_EQ(g.VisibleCount(), 10);
    EXPECT_FALSE(g.ForwardEnabled());
}

// The main window's start-up at 144 DPI: the strip is made 100 pixels long,
// too short for any of its tabs, takes its tabs and the saved page there, and
// only then gets its length; afterwards the window may shrink or the font
// grow. Whatever the order, the selected tab is in view, scrolled no further
// than it must be.
TEST(TabGeometry, TheSelectedTabStaysInViewThroughStartUpAndChanges) {
    const std::vector<int> captions = {100, 100, 70, 100, 100, 30, 40, 100};  // max 96 long each
    auto started = [&](int selected) {
        TNarrowTabGeometry g;
        g.SetSize(100, 30);
        g.SetPosition(tpTop);
        g.SetVertical(false);
        g.SetLeftMargin(3);
        g.SetRightMargin(3);
        g.SetArrowLength(18);  // room 58: no tab of 64 to 96 fits
        g.SetMaxTabWidth(96);
        g.SetMinTabWidth(24);
        g.SetTabTextWidths(captions);
        g.ScrollIntoView(g.TabIndex());  // the refill keeps the selection in sight
        g.SetTabIndex(selected);
        g.SetSize(560, 30);  // room 518: tabs 0 to 5 fit (496), not 6 (+46)
        return g;
    };
    for (int selected : {0, 3, 5}) {
        const TNarrowTabGeometry g = started(selected);
        EXPECT_EQ(g.FirstVisible(), 0) << selected;
        EXPECT_FALSE(g.BackEnabled()) << selected;
        EXPECT_TRUE(g.ForwardEnabled()) << selected;
    }
    TNarrowTabGeometry g = started(7);
    EXPECT_EQ(g.FirstVisible(), 2);  // 2 to 7 fit (446), 1 to 7 do not
    EXPECT_TRUE(g.IsTabVisible(7));

    // The strip shrinks, then the captions grow with a larger font: the
    // selected tab stays in view, and comes back to the start as room returns.
    g = started(5);
    g.SetSize(300, 30);
    EXPECT_TRUE(g.IsTabVisible(5));
    EXPECT_EQ(g.FirstVisible() + g.VisibleCount() - 1, 5);
    g.SetTabTextWidths(std::vector<int>(captions.size(), 200));
    EXPECT_TRUE(g.IsTabVisible(5));
    g.SetTabTextWidths(captions);
    g.SetSize(560, 30);
    EXPECT_EQ(g.FirstVisible(), 0);

    // Another tab shown on purpose (a new page) or the arrows keep their place.
    g = started(0);
    g.ScrollIntoView(7);
    EXPECT_EQ(g.FirstVisible(), 2);
    g.SetSize(561, 30);
    EXPECT_EQ(g.FirstVisible(), 2);
}

TEST(TabGeometry, ZeroWidthShowsNothingSafely) {
    TNarrowTabGeometry g = Strip(201, 40, tpBottom, true, Same(1, 10));
    g.SetTabWidth(0);
    EXPECT_EQ(g.VisibleCount(), 0);
    EXPECT_EQ(g.TabIndex(), 0);
}

TEST(TabGeometry, ArrowsHitTestingAndRepaintClips) {
    TNarrowTabGeometry g = Strip(201, 40, tpBottom, true, Same(10, 10));
    TTabArrows a = g.Arrows();
    EXPECT_EQ(a.Back, (TBounds{0, 2, 12, 38}));
    EXPECT_EQ(a.Forward, (TBounds{189, 2, 12, 38}));
    EXPECT_EQ(a.BackKind, bkLeft);
    EXPECT_EQ(a.ForwardKind, bkRight);

    EXPECT_EQ(g.HitTest(5, 10).Kind, TTabHitKind::BackArrow);
    EXPECT_EQ(g.HitTest(195, 10).Kind, TTabHitKind::ForwardArrow);
    EXPECT_EQ(g.HitTest(14, 0).Index, 0);  // left and top edges inside
    EXPECT_EQ(g.HitTest(34, 0).Index, 1);  // right edge outside
    EXPECT_EQ(g.HitTest(20, 18).Kind, TTabHitKind::None);

    EXPECT_EQ(g.PartialRect(1), (TRect{34, 0, 54, 40}));  // out to the far side
    EXPECT_EQ(g.PartialRect(0), (TRect{12, 0, 36, 40}));  // selected and first: widened
    EXPECT_EQ(g.PartialRect(8).Left, PartialRectUnset);
    EXPECT_EQ(g.PaintedTabRect(0), (TRect{12, 0, 36, 18}));
    EXPECT_EQ(g.FarSideFill(1), (TRect{34, 16, 54, 40}));
    EXPECT_EQ(g.CaptionClip(1), (TRect{36, 2, 52, 14}));
    const std::array<TRect, 2> face = g.FaceStretches();
    EXPECT_EQ(face[0], (TRect{12, 2, 14, 40}));
    EXPECT_EQ(face[1], (TRect{174, 2, 189, 40}));
    EXPECT_EQ(g.CaptionOrigin(1, 30, 12), (TPoint{50, 3}));
    EXPECT_EQ(g.CaptionOrigin(0, 30, 12), (TPoint{30, 4}));

    g = Strip(40, 201, tpRight, true, Same(3, 10));
    a = g.Arrows();
    EXPECT_EQ(a.Back, (TBounds{2, 0, 38, 12}));
    EXPECT_EQ(a.Forward, (TBounds{2, 189, 38, 12}));
    EXPECT_EQ(a.BackKind, bkUp);
    EXPECT_EQ(a.ForwardKind, bkDown);
    g.SetPosition(tpLeft);
    EXPECT_EQ(g.Arrows().Back, (TBounds{0, 0, 38, 12}));
}

TEST(TabGeometry, APaintExtentHoldsEverythingATabPaints) {
    const TNarrowTabPosition sides[] = {tpTop, tpBottom, tpLeft, tpRight};
    for (TNarrowTabPosition side : sides) {
        const bool along = side == tpTop || side == tpBottom;
        TNarrowTabGeometry g =
            along ? Strip(201, 40, side, true, Same(6, 10)) : Strip(40, 201, side, true, Same(6, 10));
        g.SetTabIndex(2);
        for (int k = 0; k < 6; ++k) {
            const TRect e = g.TabPaintExtent(k);
            for (const TRect& part : {g.PaintedTabRect(k), g.FarSideFill(k), g.CaptionClip(k), g.TabRects()[k]}) {
                if (part.IsEmpty()) continue;
                EXPECT_TRUE(part.Left >= e.Left && part.Top >= e.Top && part.Right <= e.Right &&
                            part.Bottom <= e.Bottom)
                    << "side " << side << " tab " << k << " part " << part << " extent " << e;
            }
        }
        // The selected tab reaches two pixels into each neighbour; the others only touch.
        EXPECT_TRUE(g.TabPaintExtent(2).Intersects(g.TabPaintExtent(1)));
        EXPECT_TRUE(g.TabPaintExtent(2).Intersects(g.TabPaintExtent(3)));
        EXPECT_FALSE(g.TabPaintExtent(3).Intersects(g.TabPaintExtent(4)));
    }
    TNarrowTabGeometry g = Strip(201, 40, tpBottom, true, Same(3, 10));
    EXPECT_TRUE(g.TabPaintExtent(3).IsEmpty());
    EXPECT_TRUE(g.TabPaintExtent(-1).IsEmpty());
}

TEST(TabGeometry, RepaintClipsThatMeetBecomeOne) {
    // Old tab, its neighbours and a new tab beside them: one pass.
    EXPECT_EQ(MergeTouchingRects({{10, 0, 30, 40}, {28, 0, 54, 40}, {54, 0, 74, 40}, {28, 0, 54, 40}}),
              (std::vector<TRect>{{10, 0, 74, 40}}));
    // A new tab far away stays a pass of its own; empty clips go.
    EXPECT_EQ(MergeTouchingRects({{10, 0, 30, 40}, {0, 0, 0, 0}, {100, 0, 120, 40}}),
              (std::vector<TRect>{{10, 0, 30, 40}, {100, 0, 120, 40}}));
    // A clip that bridges two gathered ones folds all three.
    EXPECT_EQ(MergeTouchingRects({{0, 0, 10, 40}, {20, 0, 30, 40}, {8, 0, 22, 40}}),
              (std::vector<TRect>{{0, 0, 30, 40}}));
    EXPECT_TRUE(MergeTouchingRects({}).empty());
}

TEST(TabGeometry, CanvasFontEscapement) {
    const int vertical[4] = {900, 2700, 0, 0};
    const int horizontal[4] = {0, 0, 900, 2700};
    TNarrowTabGeometry g;
    for (int p = tpTop; p <= tpRight; ++p) {
        g.SetPosition(static_cast<TNarrowTabPosition>(p));
        g.SetVertical(true);
        EXPECT_EQ(g.Escapement(), vertical[p]) << p;
        g.SetVertical(false);
        EXPECT_EQ(g.Escapement(), horizontal[p]) << p;
    }
}

TEST(ScrollButton, StylesAndRepeatStates) {
    EXPECT_TRUE(ScrollButtonFlagsForStyle(0).AutoScroll && ScrollButtonFlagsForStyle(0).AutoRepeat);
    EXPECT_TRUE(!ScrollButtonFlagsForStyle(1).AutoScroll && ScrollButtonFlagsForStyle(1).AutoRepeat);
    EXPECT_TRUE(!ScrollButtonFlagsForStyle(2).AutoScroll && !ScrollButtonFlagsForStyle(2).AutoRepeat);
    EXPECT_TRUE(ScrollButtonFlagsForStyle(7).AutoScroll && ScrollButtonFlagsForStyle(7).AutoRepeat);

    // Scroll while the pointer rests on the arrow; presses do nothing.
    TScrollButtonState point;
    EXPECT_TRUE(point.PointerEnter().StartTimer);
    EXPECT_FALSE(point.LeftDown(true).FireScroll);
    EXPECT_TRUE(point.TimerTickFires(true, true));
    EXPECT_FALSE(point.TimerTickFires(true, false));  // disabled at the end of the strip
    EXPECT_TRUE(point.PointerLeave().StopTimer);
    EXPECT_FALSE(point.TimerTickFires(true, true));

    // Scroll while held: the first step comes with the first tick, none after the release.
    TScrollButtonState held;
    held.Flags = ScrollButtonFlagsForStyle(1);
    EXPECT_FALSE(held.PointerEnter().StartTimer);
    TScrollButtonAction a = held.LeftDown(true);
    EXPECT_TRUE(a.StartTimer);
    EXPECT_FALSE(a.FireScroll);
    EXPECT_FALSE(held.TimerTickFires(false, true));  // pointer moved off: paused
    EXPECT_TRUE(held.TimerTickFires(true, true));
    EXPECT_TRUE(held.LeftUp().StopTimer);
    EXPECT_FALSE(held.TimerTickFires(true, true));

    // One step per click, drawn pressed until the release.
    TScrollButtonState click;
    click.Flags = ScrollButtonFlagsForStyle(2);
    a = click.LeftDown(true);
    EXPECT_TRUE(a.FireScroll);
    EXPECT_FALSE(a.StartTimer);
    EXPECT_TRUE(click.DrawnPressed(true, true));
    EXPECT_FALSE(click.TimerTickFires(true, true));
    EXPECT_FALSE(click.LeftUp().StopTimer);
    EXPECT_FALSE(click.Active());
    EXPECT_FALSE(click.LeftDown(false).FireScroll);

    EXPECT_EQ(ScrollArrowGlyphRect(12, 38, false), (TRect{-3, -3, 16, 42}));
    EXPECT_EQ(ScrollArrowGlyphRect(12, 38, true), (TRect{-2, -2, 17, 43}));
}
