#include "layout/focus.h"

#include <algorithm>

namespace {

constexpr unsigned kNumpad0 = 0x60;
constexpr unsigned kNumpad9 = 0x69;
constexpr unsigned kComma = 188;
constexpr unsigned kPeriod = 190;

bool SameColumn(const TBounds& a, const TBounds& b) { return a.Left == b.Left && a.Right() == b.Right(); }

}  // namespace

int MoveFocus(const std::vector<TFocusCell>& cells, int focus, TFocusMove move) {
    const int count = static_cast<int>(cells.size());
    if (focus < 0 || focus >= count) return focus;
    if (move == TFocusMove::First || move == TFocusMove::Last) {
        const int end = ClampFocus(cells, move == TFocusMove::First ? 0 : count - 1);
        return end < 0 ? focus : end;
    }
    const bool forward = move == TFocusMove::Right || move == TFocusMove::Down;
    const bool column = move == TFocusMove::Up || move == TFocusMove::Down;
    const int step = forward ? 1 : -1;
    for (int i = focus + step; i >= 0 && i < count; i += step) {
        if (cells[i].IsSeparator) continue;
        if (column && !SameColumn(cells[i].Cell, cells[focus].Cell)) continue;
        return i;
    }
    return focus;
}

int ClampFocus(const std::vector<TFocusCell>& cells, int focus) {
    const auto launcher = [](const TFocusCell& c) { return !c.IsSeparator; };
    const auto first = std::find_if(cells.begin(), cells.end(), launcher);
    if (first == cells.end()) return -1;
    const int firstIndex = static_cast<int>(first - cells.begin());
    const int lastIndex = static_cast<int>(cells.rend() - std::find_if(cells.rbegin(), cells.rend(), launcher)) - 1;
    focus = std::clamp(focus, firstIndex, lastIndex);
    // The last launcher entry bounds the search, so one is always found.
    while (cells[focus].IsSeparator) ++focus;
    return focus;
}

std::array<TBounds, 4> FocusFrameLines(const TBounds& cell, const TBounds& iconBox) {
    const int x = cell.Left + iconBox.Left - 1;
    const int y = cell.Top + iconBox.Top - 1;
    const int width = iconBox.Width + 2;
    const int height = iconBox.Height + 2;
    return {TBounds{x, y, width, 1}, TBounds{x, y, 1, height}, TBounds{cell.Left + iconBox.Right(), y, 1, height},
            TBounds{x, cell.Top + iconBox.Bottom(), width, 1}};
}

int ScrollToShowCell(int position, int clientHeight, const TBounds& cell) {
    if (clientHeight + position < cell.Bottom()) position = cell.Bottom() - clientHeight;
    if (cell.Top < position) position = cell.Top;
    return position;
}

int PageForKey(unsigned virtualKey, int currentPage, int pageCount) {
    int page;
    if (virtualKey >= kNumpad0 && virtualKey <= kNumpad9)
        page = static_cast<int>(virtualKey - kNumpad0);
    else if (virtualKey == kComma)
        page = currentPage - 1;
    else if (virtualKey == kPeriod)
        page = currentPage + 1;
    else
        return -1;
    if (pageCount <= 0) return -1;
    return std::clamp(page, 0, pageCount - 1);
}
