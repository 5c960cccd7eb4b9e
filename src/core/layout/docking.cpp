#include "layout/docking.h"

#include <algorithm>

namespace {

// Like std::clamp, but a window larger than the screen goes to 0 instead of
// asking for an inverted range.
int ClampToScreen(int value, int maxValue) { return std::max(0, std::min(value, maxValue)); }

}  // namespace

TPoint DragAnchor(int dockEdge, TPoint down, TPoint current, int dpi) {
    const int stickiness = ScaleToDpi(DockStickiness, dpi);
    switch (dockEdge) {
        case deTop:
            return {down.X, down.Y + stickiness};
        case deBottom:
            return {down.X, down.Y - stickiness};
        case deLeft:
        case deRight:
            return down;
        default:
            return current;
    }
}

TSnapResult SnapToScreenEdge(TPoint wanted, int width, int height, const TRect& work) {
    // Measured from the work area's corner, as if it were the whole screen.
    const int x = wanted.X - work.Left;
    const int y = wanted.Y - work.Top;
    const int freeWidth = work.Width() - width;
    const int freeHeight = work.Height() - height;
    TSnapResult r;
    if (y <= 0) {
        r.Position = {ClampToScreen(x, freeWidth), 0};
        r.Edge = deTop;
    } else if (y >= freeHeight) {
        r.Position = {ClampToScreen(x, freeWidth), freeHeight};
        r.Edge = deBottom;
    } else if (x <= freeWidth / 2) {
        r.Position = {0, ClampToScreen(y, freeHeight)};
        r.Edge = deLeft;
    } else {
        r.Position = {freeWidth, ClampToScreen(y, freeHeight)};
        r.Edge = deRight;
    }
    r.Position = {r.Position.X + work.Left, r.Position.Y + work.Top};
    return r;
}

TRect KeepDockedSide(TRect sizing, int dockEdge, const TRect& work) {
    switch (dockEdge) {
        case deTop:
            sizing.Top = work.Top;
            break;
        case deBottom:
            sizing.Bottom = work.Bottom;
            break;
        case deLeft:
            sizing.Left = work.Left;
            break;
        case deRight:
            sizing.Right = work.Right;
            break;
        default:
            break;
    }
    return sizing;
}
