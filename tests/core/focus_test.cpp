// The focus frame's moves over laid-out pages, its resting place, its lines,
// the scrolling that shows it, and the page keys.
#include "layout/focus.h"

#include <gtest/gtest.h>

#include "layout/page_layout.h"

namespace {

// A page laid out by the real flow: `n` entries, `separators` at the given
// positions, cells of the style's size wrapped at `width`.
std::vector<TFocusCell> Page(int n, std::vector<int> separators, int cellWidth, int cellHeight, int width) {
    std::vector<TLayoutEntry> entries(n);
    for (int s : separators) entries[s].IsSeparator = true;
    const TFlowResult flow = FlowEntries(entries, cellWidth, cellHeight, width);
    std::vector<TFocusCell> cells;
    for (int i = 0; i < n; ++i) cells.push_back({flow.Rects[i], entries[i].IsSeparator});
    return cells;
}

TEST(FocusMoves, LeftAndRightSkipSeparatorsAndStopAtTheEnds) {
    const auto cells = Page(6, {2}, 40, 40, 120);  // three per row
    EXPECT_EQ(MoveFocus(cells, 1, TFocusMove::Right), 3);
    EXPECT_EQ(MoveFocus(cells, 3, TFocusMove::Left), 1);
    EXPECT_EQ(MoveFocus(cells, 0, TFocusMove::Left), 0);
    EXPECT_EQ(MoveFocus(cells, 5, TFocusMove::Right), 5);
}

TEST(FocusMoves, UpAndDownKeepTheColumnAcrossRowsAndSeparators) {
    // Row 0: 0 1 2; row 1: 3 4 5; separator 6; row 2: 7 8.
    const auto cells = Page(9, {6}, 40, 40, 120);
    EXPECT_EQ(MoveFocus(cells, 1, TFocusMove::Down), 4);
    EXPECT_EQ(MoveFocus(cells, 4, TFocusMove::Down), 8);
    EXPECT_EQ(MoveFocus(cells, 5, TFocusMove::Down), 5);  // no entry below in that column
    EXPECT_EQ(MoveFocus(cells, 8, TFocusMove::Up), 4);
    EXPECT_EQ(MoveFocus(cells, 1, TFocusMove::Up), 1);  // the first row stays
}

TEST(FocusMoves, HomeAndEndGoToTheFirstAndLastLauncherEntry) {
    const auto cells = Page(6, {0, 5}, 40, 40, 120);  // separators at both ends
    EXPECT_EQ(MoveFocus(cells, 3, TFocusMove::First), 1);
    EXPECT_EQ(MoveFocus(cells, 1, TFocusMove::Last), 4);
    const auto separatorsOnly = Page(2, {0, 1}, 40, 40, 120);
    EXPECT_EQ(MoveFocus(separatorsOnly, 0, TFocusMove::Last), 0);
}

TEST(FocusMoves, OneEntryPerRowMovesToTheNeighbourAbove) {
    // Style 5: every cell spans the width, so each row is its own column.
    const auto cells = Page(4, {1}, 200, 20, 200);
    EXPECT_EQ(MoveFocus(cells, 0, TFocusMove::Down), 2);
    EXPECT_EQ(MoveFocus(cells, 3, TFocusMove::Up), 2);
    EXPECT_EQ(MoveFocus({}, 0, TFocusMove::Down), 0);
    EXPECT_EQ(MoveFocus(cells, 9, TFocusMove::Down), 9);  // out of range: untouched
}

TEST(FocusRest, ClampedToLauncherEntriesAndMovedOffSeparators) {
    const auto cells = Page(6, {0, 2, 5}, 40, 40, 120);
    EXPECT_EQ(ClampFocus(cells, 0), 1);
    EXPECT_EQ(ClampFocus(cells, 2), 3);
    EXPECT_EQ(ClampFocus(cells, 99), 4);
    EXPECT_EQ(ClampFocus(cells, -5), 1);
    EXPECT_EQ(ClampFocus(Page(2, {0, 1}, 40, 40, 120), 0), -1);
    EXPECT_EQ(ClampFocus({}, 0), -1);
}

TEST(FocusFrame, LinesOnePixelOutsideTheIconBox) {
    const auto lines = FocusFrameLines(TBounds{40, 80, 40, 40}, TBounds{1, 1, 38, 38});
    EXPECT_EQ(lines[0], (TBounds{40, 80, 40, 1}));
    EXPECT_EQ(lines[1], (TBounds{40, 80, 1, 40}));
    EXPECT_EQ(lines[2], (TBounds{79, 80, 1, 40}));
    EXPECT_EQ(lines[3], (TBounds{40, 119, 40, 1}));
}

TEST(FocusFrame, ScrollsJustEnoughToShowTheCell) {
    EXPECT_EQ(ScrollToShowCell(0, 100, TBounds{0, 40, 40, 40}), 0);       // visible
    EXPECT_EQ(ScrollToShowCell(0, 100, TBounds{0, 120, 40, 40}), 60);     // below
    EXPECT_EQ(ScrollToShowCell(200, 100, TBounds{0, 120, 40, 40}), 120);  // above
    EXPECT_EQ(ScrollToShowCell(0, 20, TBounds{0, 40, 40, 40}), 40);       // taller than the client: its top
}

TEST(PageKeys, KeypadDigitsCommaAndPeriodClampedToThePages) {
    EXPECT_EQ(PageForKey(0x60 + 2, 0, 5), 2);
    EXPECT_EQ(PageForKey(0x60 + 7, 0, 3), 2);  // keypad 7 with three pages: the last
    EXPECT_EQ(PageForKey(188, 0, 3), 0);
    EXPECT_EQ(PageForKey(190, 1, 3), 2);
    EXPECT_EQ(PageForKey(190, 2, 3), 2);
    EXPECT_EQ(PageForKey('A', 0, 3), -1);
    EXPECT_EQ(PageForKey(0x60, 0, 0), -1);
}

}  // namespace
