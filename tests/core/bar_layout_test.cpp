#include "bars/bar_layout.h"

#include <gtest/gtest.h>

#include "bars/resource_meter.h"
#include "fake_platform.h"

namespace {

// The end of the row, scrolling until it stops moving.
int ScrollToEnd(TBarScrollInput in) {
    for (int i = 0; i < 100; ++i) {
        const TBarScrollPlan plan = PlanBarScroll(in);
        if (plan.Lefts.back() == in.TextureLeft) break;
        in.TextureLeft = plan.Lefts.back();
    }
    return in.TextureLeft;
}

}  // namespace

TEST(BarLayout, RowOfEntriesAndSeparators) {
    TFakePlatform platform;
    TVantorPage page(platform);
    ASSERT_TRUE(page.Add("C:\\a.exe", "a", "", "", "", ShowNormal, false, "", 0));
    ASSERT_TRUE(page.Add(SeparatorLink, "", "", "", "", ShowNormal, false, "", 0));
    ASSERT_TRUE(page.Add("C:\\b.exe", "b", "", "", "", ShowNormal, false, "", 0));
    EXPECT_EQ(BarContentLength(&page), 44);
    EXPECT_EQ(BarContentLength(nullptr), 0);
    const auto row = LayoutBarRow(&page);
    ASSERT_EQ(row.size(), 3u);
    EXPECT_EQ(row[0].Bounds, (TBounds{0, 0, 20, 20}));
    EXPECT_TRUE(row[1].Separator);
    EXPECT_EQ(row[1].Bounds, (TBounds{20, 1, 4, 18}));
    EXPECT_EQ(row[2].Bounds, (TBounds{24, 0, 20, 20}));
}

TEST(BarLayout, FrameOfKeywordAndPlainBars) {
    TBarFrame keyword = LayoutBarFrame({true, 240, 0, 0});
    EXPECT_EQ(keyword.Edit, (TBounds{18, 0, 80, 20}));
    EXPECT_EQ(keyword.Up, (TBounds{100, 0, 12, 20}));
    EXPECT_EQ(keyword.Owner, (TBounds{112, 0, 98, 20}));
    EXPECT_EQ(keyword.Down, (TBounds{210, 0, 12, 20}));
    EXPECT_EQ(keyword.Close, (TBounds{222, 2, 18, 16}));
    TBarFrame plain = LayoutBarFrame({false, MinBarClientWidth, 0, 0});
    EXPECT_EQ(plain.Edit, ParkedBounds);
    EXPECT_EQ(plain.Up, (TBounds{20, 0, 12, 20}));
    EXPECT_EQ(plain.Owner, (TBounds{32, 0, 20, 20}));
    EXPECT_EQ(LayoutBarFrame({false, 40, 0, 0}).Owner.Width, 0);  // squeezed: never negative
}

TEST(BarLayout, ScrollingTenEntriesInA98PixelWindow) {
    TBarScrollInput in;
    in.SmoothScroll = true;
    in.ScrollButtonStyle = 0;
    in.OwnerWidth = 98;
    in.ContainerWidth = 160;
    in.ContentLength = 200;
    in.TowardStart = false;

    TBarFrame frame = LayoutBarFrame({false, 160, 200, 0});
    EXPECT_FALSE(frame.UpEnabled);
    EXPECT_TRUE(frame.DownEnabled);

    // One click: 20 pixels in 8 steps of about 4 ms, the remainder spread.
    TBarScrollPlan plan = PlanBarScroll(in);
    EXPECT_EQ(plan.Lefts, (std::vector<int>{-2, -5, -7, -10, -12, -15, -17, -20}));
    EXPECT_EQ(plan.StepMs, 4);

    // A page per click: the window's width in 4 steps of about 20 ms.
    in.ScrollButtonStyle = 2;
    plan = PlanBarScroll(in);
    EXPECT_EQ(plan.Lefts, (std::vector<int>{-24, -49, -73, -98}));
    EXPECT_EQ(plan.StepMs, 20);
    in.SmoothScroll = false;
    EXPECT_EQ(PlanBarScroll(in).Lefts, std::vector<int>{-98});
    // Stops at the end, and at the start on the way back.
    EXPECT_EQ(ScrollToEnd(in), -102);
    in.TextureLeft = -102;
    in.TowardStart = true;
    EXPECT_EQ(ScrollToEnd(in), 0);

    frame = LayoutBarFrame({false, 160, 200, -102});
    EXPECT_TRUE(frame.UpEnabled);
    EXPECT_FALSE(frame.DownEnabled);
    // Widened by 40 pixels, the row is pulled right so it still fills the window.
    frame = LayoutBarFrame({false, 200, 200, -102});
    EXPECT_EQ(frame.TextureLeft, -62);
    // Wider than the row: back at the start.
    EXPECT_EQ(LayoutBarFrame({false, 400, 200, -102}).TextureLeft, 0);

    EXPECT_EQ(BarWheelDirection(120), 1);
    EXPECT_EQ(BarWheelDirection(-120), -1);
    EXPECT_EQ(BarWheelDirection(240), 0);
}

TEST(BarLayout, DockIndexCountsDockedBarsAboveTheMiddle) {
    const TRect mainWindow{0, 0, 400, 300};  // dock zone x 100..300
    const TRect beside{0, 100, 100, 126};    // touches the zone's left edge only
    EXPECT_EQ(DockIndexFor(beside, mainWindow, {}), -1);
    const TRect atTop{150, 10, 350, 36};  // middle 23
    EXPECT_EQ(DockIndexFor(atTop, mainWindow, {}), 0);
    const std::vector<int> tops{30, 52, 74};  // three other docked bars
    EXPECT_EQ(DockIndexFor(atTop, mainWindow, tops), 0);
    EXPECT_EQ(DockIndexFor(TRect{150, 50, 350, 76}, mainWindow, tops), 1);  // middle 63: 30 + 11 only
    EXPECT_EQ(DockIndexFor(TRect{150, 200, 350, 226}, mainWindow, tops), 3);
    EXPECT_EQ(DockIndexFor(TRect{150, 200, 350, 226}, mainWindow, {30}), 1);

    // The drag frame: 2 pixels at the docked size where it docks, else 1 pixel
    // at the floating client size.
    TBarDragFrame frame = BarDragFrame({100, 40}, {50, 0}, 300, 20, 240, 20, mainWindow, {});
    EXPECT_TRUE(frame.Docks);
    EXPECT_EQ(frame.Outer, (TRect{149, 39, 451, 61}));
    EXPECT_EQ(frame.Inner, (TRect{151, 41, 449, 59}));
    frame = BarDragFrame({100, 40}, {400, 0}, 300, 20, 240, 20, mainWindow, {});
    EXPECT_FALSE(frame.Docks);
    EXPECT_EQ(frame.Outer, (TRect{499, 39, 741, 61}));
    EXPECT_EQ(frame.Inner, (TRect{500, 40, 740, 60}));
    EXPECT_EQ(BarDropRect({100, 40}, {10, 5}, 248, 28, 240, 20), (TRect{106, 41, 354, 69}));
}

TEST(BarLayout, DockedBarOrder) {
    std::vector<int32_t> docked;
    PlaceDockedBar(docked, BarHistory, 2);  // fewer docked: at the end
    PlaceDockedBar(docked, BarSmart, 0);
    PlaceDockedBar(docked, BarKeyword, 1);
    PlaceDockedBar(docked, BarResource, 9);
    EXPECT_EQ(docked, (std::vector<int32_t>{BarSmart, BarKeyword, BarHistory, BarResource}));
    PlaceDockedBar(docked, BarSmart, 9);  // present: moved, at most to the last place
    EXPECT_EQ(docked, (std::vector<int32_t>{BarKeyword, BarHistory, BarResource, BarSmart}));
    PlaceDockedBar(docked, BarResource, -1);
    EXPECT_EQ(docked.front(), BarResource);

    // Hidden and shown again: back at its place.
    RemoveDockedBar(docked, BarHistory);
    EXPECT_EQ(docked, (std::vector<int32_t>{BarResource, BarKeyword, BarSmart}));
    PlaceDockedBar(docked, BarHistory, 1);
    EXPECT_EQ(docked, (std::vector<int32_t>{BarResource, BarHistory, BarKeyword, BarSmart}));

    EXPECT_EQ(ClampDockOrder(3, 1), 1);
    EXPECT_EQ(ClampDockOrder(0, 0), 0);
    EXPECT_EQ(ClampDockOrder(-1, 4), -1);
}

TEST(BarLayout, FloatingWindowKeysAndSizes) {
    const TBarSizeLimits limits = BarSizeLimits(false, 8, 8);
    EXPECT_EQ(limits.MinWidth, 90);
    EXPECT_EQ(limits.MaxWidth, MaxBarWindowWidth);
    EXPECT_EQ(BarSizeLimits(true, 8, 8).MinWidth, 170);

    const TBounds window{300, 200, 248, 28};
    EXPECT_EQ(BarArrowKeyBounds(window, baLeft, true, false), (TBounds{284, 200, 248, 28}));
    EXPECT_EQ(BarArrowKeyBounds(window, baRight, false, true), (TBounds{300, 200, 256, 28}));
    EXPECT_EQ(BarArrowKeyBounds(window, baLeft, false, false), window);
    EXPECT_EQ(ClampBarWindow(BarArrowKeyBounds(window, baDown, false, true), limits), window);
    EXPECT_EQ(ClampBarWindow(TBounds{0, 0, 900, 28}, limits).Width, 480);

    // Sizing keeps top and bottom; the dragged side stops at the limits.
    const TRect current{300, 200, 548, 228};
    EXPECT_EQ(BarSizingRect(TRect{250, 180, 548, 240}, current, true, limits), (TRect{250, 200, 548, 228}));
    EXPECT_EQ(BarSizingRect(TRect{300, 200, 320, 228}, current, false, limits), (TRect{300, 200, 390, 228}));
    EXPECT_EQ(BarSizingRect(TRect{0, 200, 548, 228}, current, true, limits), (TRect{68, 200, 548, 228}));
}

TEST(BarLayout, AFloatingBarIsKeptWithinReachNotPulledWhollyIn) {
    const TRect work{1280, 0, 2560, 994};  // a second monitor, its task bar at the bottom
    // Parked half off the monitor, it stays.
    EXPECT_EQ(KeepBarInReach(TBounds{2400, 300, 248, 28}, work), (TBounds{2400, 300, 248, 28}));
    EXPECT_EQ(KeepBarInReach(TBounds{1200, 980, 248, 28}, work), (TBounds{1200, 980, 248, 28}));
    // Wholly beyond an edge, it comes back until 4 pixels show.
    EXPECT_EQ(KeepBarInReach(TBounds{3000, 300, 248, 28}, work), (TBounds{2556, 300, 248, 28}));
    EXPECT_EQ(KeepBarInReach(TBounds{900, 300, 248, 28}, work), (TBounds{1036, 300, 248, 28}));
    EXPECT_EQ(KeepBarInReach(TBounds{1500, -100, 248, 28}, work), (TBounds{1500, -24, 248, 28}));
    EXPECT_EQ(KeepBarInReach(TBounds{1500, 1010, 248, 28}, work), (TBounds{1500, 990, 248, 28}));
    // 4 pixels of a 96-DPI screen.
    EXPECT_EQ(KeepBarInReach(TBounds{3000, 300, 248, 28}, work, 192), (TBounds{2552, 300, 248, 28}));
}

TEST(ResourceMeter, ColoursLengthsAndNumber) {
    const TResourceReadings r{50, 20, 10};
    EXPECT_EQ(MeterColors(r.System, 20, 33).Level, MeterSilver);
    EXPECT_EQ(MeterColors(r.System, 20, 33).Dark, MeterGrey);
    EXPECT_EQ(MeterColors(r.User, 20, 33).Level, MeterYellow);  // 20 is not below 20
    EXPECT_EQ(MeterColors(r.User, 20, 33).Dark, MeterOlive);
    EXPECT_EQ(MeterColors(r.Gdi, 20, 33).Level, MeterRed);
    EXPECT_EQ(MeterColors(r.Gdi, 20, 33).Dark, MeterMaroon);
    EXPECT_EQ(MeterText(r, 0), "10%");
    EXPECT_EQ(MeterText(r, 1), "26%");
    EXPECT_EQ(MeterTextLeft(20, 11), 4);

    // The smallest resource bar: POwner 20 wide, inner width 16.
    const TMeterDrawing d = DrawMeter(20, TResourceReadings{50, 0, 150}, 20, 33, 0);
    EXPECT_EQ(d.Edge, (TRect{0, 0, 20, 20}));
    EXPECT_EQ(d.TextClip, (TRect{2, 2, 18, 18}));
    ASSERT_EQ(d.Fills.size(), 13u);
    EXPECT_EQ(d.Fills[0].Rect, (TRect{2, 2, 18, 3}));    // separator rows
    EXPECT_EQ(d.Fills[4].Rect, (TRect{8, 3, 18, 7}));    // empty part after 50 %
    EXPECT_EQ(d.Fills[5].Rect, (TRect{2, 8, 18, 12}));   // 0 %: all black, not over the edge
    EXPECT_EQ(d.Fills[7].Rect, (TRect{2, 3, 10, 5}));    // upper half, 8 pixels
    EXPECT_EQ(d.Fills[10].Rect, (TRect{2, 5, 10, 7}));   // lower half
    EXPECT_EQ(d.Fills[9].Rect, (TRect{2, 13, 18, 15}));  // 150 % stops at the inner edge
    EXPECT_EQ(d.Fills[8].Rect.Width(), 0);

    EXPECT_EQ(MeterBarLength(-5, 16), 0);
    EXPECT_EQ(MeterBarLength(2000000000, 400), 400);
    for (const TMeterFill& f : DrawMeter(2, TResourceReadings{-1, -1, -1}, 20, 33, 1).Fills)
        EXPECT_GE(f.Rect.Width(), 0);

    EXPECT_TRUE(ResourcesLow({20, 20, 19}));
    EXPECT_FALSE(ResourcesLow({20, 20, 20}));
}
