// The layouts at another DPI: what a 96-DPI window shows, a 144-DPI window
// shows half as large again, with the stored sizes kept in 96-DPI units.
#include <gtest/gtest.h>

#include "bars/bar_layout.h"
#include "bars/resource_meter.h"
#include "fake_platform.h"
#include "layout/button_geometry.h"
#include "layout/docking.h"
#include "layout/frame_layout.h"
#include "layout/page_layout.h"
#include "layout/tab_geometry.h"

namespace {

std::vector<TLayoutEntry> MixedEntries() {
    std::vector<TLayoutEntry> v;
    for (const char* p = "bbbsbbbbbbsbbbbbbbbb"; *p; ++p) v.push_back({*p == 's', "title"});
    return v;
}

TPageLayout Layout(const std::vector<TLayoutEntry>& entries, int style, int width, int height, int dpi) {
    TPageLayoutInput in;
    in.Page = TPageGeometry{style, true, 0, 0, 0};
    in.Entries = &entries;
    in.ClientWidth = width;
    in.ClientHeight = height;
    in.ScrollBarWidth = ScaleToDpi(16, dpi);
    in.Dpi = dpi;
    return LayoutPage(in);
}

}  // namespace

TEST(DpiLayout, EveryViewStyleAt144DpiIsThe96DpiPageHalfAsLargeAgain) {
    const std::vector<TLayoutEntry> entries = MixedEntries();
    for (int style = 0; style <= MaxViewStyle; ++style) {
        for (int height : {1000, 100}) {  // without and with the scroll bar
            const TPageLayout base = Layout(entries, style, 300, height, 96);
            const TPageLayout big = Layout(entries, style, 450, height * 3 / 2, 144);
            ASSERT_EQ(big.Entries.size(), base.Entries.size());
            EXPECT_EQ(big.ColumnCount, base.ColumnCount) << style;
            EXPECT_EQ(big.ScrollRange, ScaleToDpi(base.ScrollRange, 144)) << style;
            EXPECT_EQ(big.Metrics.LargeIcon, base.Metrics.LargeIcon);
            for (size_t i = 0; i < base.Entries.size(); ++i) {
                EXPECT_EQ(big.Entries[i].EntryRect, ScaleToDpi(base.Entries[i].EntryRect, 144)) << style << "/" << i;
                if (!entries[i].IsSeparator) {
                    EXPECT_EQ(big.Entries[i].ButtonBounds, ScaleToDpi(base.Entries[i].ButtonBounds, 144))
                        << style << "/" << i;
                }
            }
        }
    }
}

TEST(DpiLayout, OneEntryPerRowSpansTheRealWidthAtAnyDpi) {
    const std::vector<TLayoutEntry> entries(3, TLayoutEntry{false, "t"});
    for (int dpi : {96, 120, 144, 168}) {
        for (int width : {301, 450, 777}) {
            const TPageLayout p = Layout(entries, 5, width, 2000, dpi);
            EXPECT_EQ(p.Metrics.CellRect.Width, width) << dpi;
            // The title ends two scaled pixels before the edge, as at 96 DPI.
            EXPECT_EQ(p.Metrics.TitleRect.Left + p.Metrics.TitleRect.Width, width - ScaleToDpi(2, dpi)) << dpi;
            EXPECT_EQ(p.Entries[1].EntryRect.Top, p.Metrics.CellRect.Height);
        }
    }
}

TEST(DpiLayout, CustomCellsScaleAsOneAndTheirPartsStayInside) {
    // Odd numbers at 125 %: the icon and title never leave the cell.
    const TPageGeometry page{3, false, 37, 3, 51};
    const TCellMetrics m = ComputeCellMetrics(page, 500, 120);
    const TCellMetrics base = ComputeCellMetrics(page, 500, 96);
    EXPECT_EQ(m.CellRect.Width, ScaleToDpi(base.CellRect.Width, 120));
    EXPECT_EQ(m.CellRect.Height, ScaleToDpi(base.CellRect.Height, 120));
    EXPECT_LE(m.IconRect.Right(), m.CellRect.Width);
    EXPECT_LE(m.TitleRect.Right(), m.CellRect.Width);
    EXPECT_LE(m.TitleRect.Bottom(), m.CellRect.Height);
    EXPECT_EQ(m.TitleRect.Height, ScaleToDpi(TitleBoxHeight, 120));
}

TEST(DpiLayout, FrameScalesEveryStripAndKeepsTheStoredHeightsIn96DpiUnits) {
    TFrameLayoutInput in;
    in.ClientWidth = 570;
    in.ClientHeight = 840;
    in.CaptionWidth = 24;
    in.DockEdge = deRight;  // caption on the right, tabs on the left
    in.HorizontalTab = false;
    in.TabSetHeight = 41;
    in.DockedBarCount = 2;
    in.Dpi = 144;
    const TFrameLayout f = ComputeFrameLayout(in);
    EXPECT_EQ(f.TabSetHeight, 41);  // stored as it came: no drift from rounding
    EXPECT_EQ(f.CaptionStrip, (TBounds{570 - 36, 0, 36, 840}));
    EXPECT_EQ(f.TabSet.Width + f.Splitter.Width, ScaleToDpi(41, 144));
    EXPECT_EQ(f.BarContainers[0].Height, 30);
    EXPECT_EQ(f.BarSeparators[0].Height, 3);
    EXPECT_EQ(f.BarContainers[1].Top, f.BarSeparators[0].Top + 3);
    EXPECT_EQ(f.ScrollBox.Top, 2 * 33);
    EXPECT_EQ(f.SystemButtons[sbShutdown].Width, 33);  // S - 2, scaled

    // Too narrow a window shrinks the strip; what is stored is in 96-DPI units.
    in.ClientWidth = 120;
    in.TabSetHeight = 64;
    const TFrameLayout narrow = ComputeFrameLayout(in);
    EXPECT_LT(narrow.TabSetHeight, 64);
    EXPECT_GE(narrow.TabSetHeight, MinTabSetHeight);
    EXPECT_GE(narrow.ScrollBox.Width, ScaleToDpi(MinScrollBoxRoom, 144) - 1);
    EXPECT_EQ(MinTrackHeight(2, 144), 90 + 2 * 33);
}

TEST(DpiLayout, BarRowAndPartsAt144DpiAndScrollingStillReachesTheEnd) {
    TFakePlatform platform;
    TVantorPage page(platform);
    for (int i = 0; i < 9; ++i) ASSERT_TRUE(page.Add("C:\\a.exe", "a", "", "", "", ShowNormal, false, "", 0));
    ASSERT_TRUE(page.Add(SeparatorLink, "", "", "", "", ShowNormal, false, "", 0));
    EXPECT_EQ(BarContentLength(&page, 144), 9 * 30 + 6);
    const auto row = LayoutBarRow(&page, 144);
    EXPECT_EQ(row[1].Bounds, (TBounds{30, 0, 30, 30}));
    EXPECT_EQ(row[9].Bounds, (TBounds{270, 2, 6, 27}));

    TBarFrameInput frame{true, 360, BarContentLength(&page, 144), 0, 144};
    const TBarFrame f = LayoutBarFrame(frame);
    EXPECT_EQ(f.Edit, (TBounds{27, 0, 120, 30}));
    EXPECT_EQ(f.Close, (TBounds{360 - 27, 3, 27, 24}));
    EXPECT_EQ(f.Owner.Left + f.Owner.Width, f.Down.Left);

    // At 125 % the scroll plan must stop where the row's end meets the
    // visible window's, as the frame lays it out.
    TBarScrollInput in;
    in.ContainerWidth = 301;
    in.Keyword = true;
    in.ContentLength = BarContentLength(&page, 120);
    in.Dpi = 120;
    const TBarFrame at120 = LayoutBarFrame({true, 301, in.ContentLength, 0, 120});
    in.OwnerWidth = at120.Owner.Width;
    in.TowardStart = false;
    int left = 0;
    for (int i = 0; i < 100; ++i) {
        in.TextureLeft = left;
        const int next = PlanBarScroll(in).Lefts.back();
        if (next == left) break;
        left = next;
    }
    EXPECT_EQ(left + in.ContentLength, at120.Owner.Width);
    EXPECT_FALSE(LayoutBarFrame({true, 301, in.ContentLength, left, 120}).DownEnabled);

    const TBarSizeLimits limits = BarSizeLimits(false, 8, 8, 144);
    EXPECT_EQ(limits.MinWidth, 123 + 8);
    EXPECT_EQ(limits.MaxWidth, 720);
    EXPECT_EQ(limits.Height, 38);
}

TEST(DpiLayout, IconsAndTabArrowsGrowWithTheDpi) {
    EXPECT_EQ(IconDrawSize(true, 38, 96), 32);
    EXPECT_EQ(IconDrawSize(true, 70, 96), 64);
    EXPECT_EQ(IconDrawSize(true, 57, 144), 48);   // the 38-pixel button of style 0
    EXPECT_EQ(IconDrawSize(true, 105, 144), 96);  // the 70-pixel button of style 6
    EXPECT_EQ(IconDrawSize(false, 33, 144), 24);
    EXPECT_EQ(NotFoundIconSize(true, 144), 48);
    EXPECT_EQ(IconExtractSize(56), 64);

    TNarrowTabGeometry tabs;
    tabs.SetPosition(tpTop);
    tabs.SetVertical(false);
    tabs.SetSize(300, 36);
    tabs.SetArrowLength(18);
    tabs.SetLeftMargin(3);
    tabs.SetTabTextWidths({40, 40});
    EXPECT_EQ(tabs.TabsStart(), 21);
    EXPECT_EQ(tabs.Arrows().Back.Width, 18);
    EXPECT_EQ(tabs.Arrows().Forward.Left, 300 - 18);
    EXPECT_EQ(tabs.TabRects()[0].Left, 21);
}

TEST(DpiLayout, TheResourceMeterAt144DpiFillsItsTallerBoxLikeThe96DpiOne) {
    const TResourceReadings readings{80, 50, 10};
    const TMeterDrawing base = DrawMeter(200, readings, 20, 33, 0);
    const TMeterDrawing big = DrawMeter(300, readings, 20, 33, 0, 144);
    EXPECT_EQ(big.Edge, (TRect{0, 0, 300, 30}));
    ASSERT_EQ(big.Fills.size(), base.Fills.size());
    for (size_t i = 0; i < base.Fills.size(); ++i) {
        EXPECT_EQ(big.Fills[i].Rect, ToRect(ScaleToDpi(ToBounds(base.Fills[i].Rect), 144))) << i;
        EXPECT_EQ(big.Fills[i].Color, base.Fills[i].Color) << i;
        EXPECT_LE(big.Fills[i].Rect.Right, big.Edge.Right - 2) << i;  // inside the sunken edge
    }
    EXPECT_EQ(big.TextTop, 6);
    EXPECT_EQ(big.Text, base.Text);
}

TEST(DpiLayout, ADockedWindowSticksToItsEdgeForAScaledDistance) {
    EXPECT_EQ(DragAnchor(deTop, TPoint{5, 5}, TPoint{}, 96), (TPoint{5, 21}));
    EXPECT_EQ(DragAnchor(deTop, TPoint{5, 5}, TPoint{}, 144), (TPoint{5, 29}));
    EXPECT_EQ(DragAnchor(deBottom, TPoint{5, 40}, TPoint{}, 192), (TPoint{5, 8}));
}
