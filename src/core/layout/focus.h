// The keyboard focus frame of a page: which entry the arrow keys move it to,
// where it may rest, the four lines that draw it and the scroll position that
// shows it; and the page the page keys select.
#pragma once

#include <array>
#include <vector>

#include "layout/rect.h"

// One entry of the laid-out page: its cell (a separator: its strip).
struct TFocusCell {
    TBounds Cell;
    bool IsSeparator = false;
};

enum class TFocusMove { Left, Right, Up, Down, First, Last };

// The entry an arrow key moves the focus to: Left and Right to the nearest
// launcher entry before or after, Up and Down to the nearest one before or
// after whose cell has the same left and right edges (the same column), First
// and Last (Home and End) to the page's first and last launcher entry. The
// focus stays where it is when there is none.
int MoveFocus(const std::vector<TFocusCell>& cells, int focus, TFocusMove move);

// Where the focus may rest: clamped between the first and the last launcher
// entry and moved forward off a separator. -1 when the page has no launcher
// entry (no frame is drawn then).
int ClampFocus(const std::vector<TFocusCell>& cells, int focus);

// The frame one pixel outside the icon box of the focused cell: top, left,
// right and bottom lines, each (left, top, width, height).
std::array<TBounds, 4> FocusFrameLines(const TBounds& cell, const TBounds& iconBox);

// The scroll position that shows the whole focused cell, moving as little as
// possible from `position`.
int ScrollToShowCell(int position, int clientHeight, const TBounds& cell);

// The page a page key selects, or -1 for another key: numeric keypad 0..9
// select pages 0..9, the comma key the previous page and the period key the
// next one, clamped to the pages there are.
int PageForKey(unsigned virtualKey, int currentPage, int pageCount);
