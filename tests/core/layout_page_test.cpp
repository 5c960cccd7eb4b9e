#include <gtest/gtest.h>

#include <climits>

#include "layout/page_layout.h"

namespace {

TPageGeometry Style(int style, bool defaultLayout = true, int w = 0, int m = 0, int t = 0) {
    return TPageGeometry{style, defaultLayout, w, m, t};
}

std::vector<TLayoutEntry> Entries(const char* kinds) {  // 'b' a launcher entry, 's' a separator
    std::vector<TLayoutEntry> v;
    for (const char* p = kinds; *p; ++p) v.push_back({*p == 's', "title"});
    return v;
}

struct TCellRow {
    int Style;
    TBounds Cell, Icon, Title;
    bool Large, Center;
};

}  // namespace

TEST(CellMetrics, DefaultLayoutTable) {
    const TCellRow rows[] = {
        {0, {0, 0, 40, 40}, {1, 1, 38, 38}, {}, true, false},
        {1, {0, 0, 24, 24}, {1, 1, 22, 22}, {}, false, false},
        {2, {0, 0, 56, 54}, {9, 1, 38, 38}, {1, 41, 54, 12}, true, true},
        {3, {0, 0, 112, 24}, {1, 1, 22, 22}, {25, 6, 86, 12}, false, false},
        {4, {0, 0, 56, 24}, {1, 1, 22, 22}, {25, 6, 30, 12}, false, false},
        {5, {0, 0, 200, 24}, {1, 1, 22, 22}, {25, 6, 173, 12}, false, false},
        {6, {0, 0, 72, 72}, {1, 1, 70, 70}, {}, true, false},
        {7, {0, 0, 72, 86}, {1, 1, 70, 70}, {1, 73, 70, 12}, true, true},
        {8, {0, 0, 1, 1}, {}, {}, false, false},  // unknown styles: empty, cell made 1 x 1
        {-1, {0, 0, 1, 1}, {}, {}, false, false},
    };
    for (const TCellRow& r : rows) {
        const TCellMetrics m = ComputeCellMetrics(Style(r.Style), 200);
        EXPECT_EQ(m.CellRect, r.Cell) << "style " << r.Style;
        EXPECT_EQ(m.IconRect, r.Icon) << "style " << r.Style;
        EXPECT_EQ(m.TitleRect, r.Title) << "style " << r.Style;
        EXPECT_EQ(m.LargeIcon, r.Large) << "style " << r.Style;
        EXPECT_EQ(m.CenterTitle, r.Center) << "style " << r.Style;
    }
}

TEST(CellMetrics, FreeFormulas) {
    // The style's own numbers reproduce the fixed geometry exactly.
    for (int style = 0; style <= MaxViewStyle; ++style) {
        const TStyleDefaults d = StyleDefaults(style);
        const TCellMetrics fixed = ComputeCellMetrics(Style(style), 300);
        const TCellMetrics free = ComputeCellMetrics(Style(style, false, d.ButtonWidth, d.Margin, d.TitleWidth), 300);
        EXPECT_EQ(free.CellRect, fixed.CellRect) << style;
        EXPECT_EQ(free.IconRect, fixed.IconRect) << style;
        EXPECT_EQ(free.TitleRect, fixed.TitleRect) << style;
    }
    // Title to the right, centred vertically in the row.
    TCellMetrics m = ComputeCellMetrics(Style(3, false, 32, 5, 60), 0);
    EXPECT_EQ(m.CellRect, (TBounds{0, 0, 99, 37}));
    EXPECT_EQ(m.IconRect, (TBounds{2, 2, 32, 32}));
    EXPECT_EQ(m.TitleRect, (TBounds{36, 12, 60, 12}));
    // Title below: the narrower of icon and title is centred over the wider.
    m = ComputeCellMetrics(Style(7, false, 40, 4, 71), 0);
    EXPECT_EQ(m.CellRect, (TBounds{0, 0, 75, 58}));
    EXPECT_EQ(m.IconRect, (TBounds{17, 2, 40, 40}));
    EXPECT_EQ(m.TitleRect, (TBounds{2, 44, 71, 12}));
    m = ComputeCellMetrics(Style(2, false, 64, 6, 41), 0);
    EXPECT_EQ(m.CellRect, (TBounds{0, 0, 70, 84}));
    EXPECT_EQ(m.IconRect, (TBounds{3, 3, 64, 64}));
    EXPECT_EQ(m.TitleRect, (TBounds{14, 69, 41, 12}));
    // Style 5 ignores the page numbers; a narrow box has no title.
    m = ComputeCellMetrics(Style(5, false, 99, 9, 99), 27);
    EXPECT_EQ(m.CellRect, (TBounds{0, 0, 27, 24}));
    EXPECT_FALSE(m.HasTitleBox());
    EXPECT_EQ(ComputeCellMetrics(Style(5), 0).CellRect.Width, 1);
}

TEST(CellMetrics, DamagedNumbersStayUsable) {
    EXPECT_EQ(ComputeCellMetrics(Style(0, false, 0, 0, 0), 100).CellRect, (TBounds{0, 0, 1, 1}));
    const TCellMetrics neg = ComputeCellMetrics(Style(3, false, -50, -8, -90), 100);
    EXPECT_GT(neg.CellRect.Width, 0);
    EXPECT_GT(neg.CellRect.Height, 0);
    EXPECT_GE(neg.TitleRect.Width, 0);
    const TCellMetrics huge = ComputeCellMetrics(Style(4, false, INT_MAX, INT_MAX, INT_MAX), 100);
    EXPECT_GT(huge.CellRect.Width, 0);
    EXPECT_GT(huge.CellRect.Height, 0);
}

TEST(FlowEntries, RowsAndSeparators) {
    // Three 40-pixel cells fit in 120: the row wraps as soon as the next would not fit.
    TFlowResult f = FlowEntries(Entries("bbbb"), 40, 30, 120);
    EXPECT_EQ(f.Rects[2], (TBounds{80, 0, 40, 30}));
    EXPECT_EQ(f.Rects[3], (TBounds{0, 30, 40, 30}));
    EXPECT_EQ(f.Bottom, 60);

    // Narrower than one cell: every entry on its own row.
    f = FlowEntries(Entries("bbb"), 40, 30, 39);
    EXPECT_EQ(f.Rects[2], (TBounds{0, 60, 40, 30}));

    // Separators only: full-width strips 4 apart.
    f = FlowEntries(Entries("sss"), 40, 30, 100);
    for (int i = 0; i < 3; ++i) EXPECT_EQ(f.Rects[i], (TBounds{0, 4 * i, 100, 4}));
    EXPECT_EQ(f.Bottom, 12);

    // A separator closes the unfinished row; after a full row nothing is skipped.
    f = FlowEntries(Entries("bsbbbsb"), 40, 30, 120);
    EXPECT_EQ(f.Rects[1], (TBounds{0, 30, 120, 4}));
    EXPECT_EQ(f.Rects[2], (TBounds{0, 34, 40, 30}));
    EXPECT_EQ(f.Rects[5], (TBounds{0, 64, 120, 4}));
    EXPECT_EQ(f.Rects[6], (TBounds{0, 68, 40, 30}));
    EXPECT_EQ(f.Bottom, 98);

    // A trailing separator ends the content.
    EXPECT_EQ(FlowEntries(Entries("bs"), 40, 30, 120).Bottom, 34);
    EXPECT_EQ(FlowEntries({}, 40, 30, 120).Bottom, 0);
}

TEST(LayoutPage, ScrollRangeRule) {
    const std::vector<TLayoutEntry> ten = Entries("bbbbbbbbbb");
    TPageLayoutInput in;
    in.Page = Style(1);  // 24 x 24 cells
    in.Entries = &ten;
    in.ClientWidth = 100;  // 4 per row: 3 rows, 72 high
    in.ScrollBarWidth = 16;

    in.ClientHeight = 72;  // exactly as tall: no scroll bar
    TPageLayout p = LayoutPage(in);
    EXPECT_EQ(p.ScrollRange, 0);
    EXPECT_EQ(p.ClientWidth, 100);
    EXPECT_EQ(p.ColumnCount, 4);

    in.ClientHeight = 71;  // beside the bar only 3 fit: 4 rows
    p = LayoutPage(in);
    EXPECT_EQ(p.ClientWidth, 84);
    EXPECT_EQ(p.ScrollRange, 96);
    EXPECT_EQ(p.ColumnCount, 3);
    EXPECT_EQ(p.Entries[3].EntryRect, (TBounds{0, 24, 24, 24}));

    // The repaint follows the column count or the request.
    in.PreviousColumnCount = 3;
    EXPECT_FALSE(LayoutPage(in).RepaintTexture);
    in.ForceRepaint = true;
    EXPECT_TRUE(LayoutPage(in).RepaintTexture);

    // An empty page has no range and no entries.
    const std::vector<TLayoutEntry> none;
    in.Entries = &none;
    p = LayoutPage(in);
    EXPECT_EQ(p.ScrollRange, 0);
    EXPECT_TRUE(p.Entries.empty());
}

TEST(LayoutPage, ControlsAndTitles) {
    const std::vector<TLayoutEntry> entries{{false, "abc"}, {true, ""}, {false, "a long title"}};
    TPageLayoutInput in;
    in.Page = Style(2);  // 56 x 54 cells, title box (1, 41, 54, 12), centred
    in.Entries = &entries;
    in.ClientWidth = 300;
    in.ClientHeight = 300;
    in.TextWidth = [](std::string_view s) { return static_cast<int>(s.size()) * 5; };
    TPageLayout p = LayoutPage(in);

    EXPECT_EQ(p.Entries[0].ButtonBounds, (TBounds{9, 1, 38, 38}));
    EXPECT_EQ(p.Entries[0].SeparatorBounds, ParkedBounds);
    EXPECT_EQ(p.Entries[0].TitleRect, (TRect{19, 41, 36, 53}));  // 15 + 2 wide, centred in 54
    EXPECT_FALSE(p.Entries[0].TitleTruncated);

    EXPECT_EQ(p.Entries[1].ButtonBounds, ParkedBounds);
    EXPECT_EQ(p.Entries[1].SeparatorBounds, (TBounds{1, 54, 298, 4}));
    EXPECT_EQ(p.Entries[1].TitleRect, TRect{});

    EXPECT_EQ(p.Entries[2].EntryRect, (TBounds{0, 58, 56, 54}));
    EXPECT_TRUE(p.Entries[2].TitleTruncated);  // 62 >= 54: the whole box
    EXPECT_EQ(p.Entries[2].TitleRect, (TRect{1, 99, 55, 111}));

    // Left-aligned titles beside the icon.
    in.Page = Style(3);
    p = LayoutPage(in);
    EXPECT_EQ(p.Entries[0].TitleRect, (TRect{25, 6, 42, 18}));

    // One entry per row across the client width; no titles when the box vanishes.
    in.Page = Style(5);
    p = LayoutPage(in);
    EXPECT_EQ(p.Entries[2].EntryRect, (TBounds{0, 28, 300, 24}));
    EXPECT_EQ(p.ColumnCount, 1);
    in.ClientWidth = 27;
    p = LayoutPage(in);
    EXPECT_EQ(p.Entries[0].TitleRect, TRect{});
    EXPECT_FALSE(p.Entries[0].TitleTruncated);

    // Styles without titles leave every title empty.
    in.Page = Style(0);
    in.ClientWidth = 300;
    for (const TEntryPlacement& e : LayoutPage(in).Entries) EXPECT_EQ(e.TitleRect, TRect{});
}

TEST(LayoutPage, StyleFiveFollowsTheScrollBar) {
    // Twenty rows of 24 in 100 pixels of height: the cells narrow with the bar.
    const std::vector<TLayoutEntry> many = Entries("bbbbbbbbbbbbbbbbbbbb");
    TPageLayoutInput in;
    in.Page = Style(5);
    in.Entries = &many;
    in.ClientWidth = 200;
    in.ClientHeight = 100;
    in.ScrollBarWidth = 17;
    const TPageLayout p = LayoutPage(in);
    EXPECT_EQ(p.ScrollRange, 480);
    EXPECT_EQ(p.Entries[0].EntryRect.Width, 183);
    EXPECT_EQ(p.Metrics.TitleRect.Width, 156);
}

TEST(LayoutBarEntries, ButtonsAndSeparatorsLeftToRight) {
    const TBarEntryLayout bar = LayoutBarEntries(Entries("bsb"));
    EXPECT_EQ(bar.Bounds[0], (TBounds{0, 0, 20, 20}));
    EXPECT_EQ(bar.Bounds[1], (TBounds{20, 1, 4, 18}));
    EXPECT_EQ(bar.Bounds[2], (TBounds{24, 0, 20, 20}));
    EXPECT_EQ(bar.Width, 44);
}
