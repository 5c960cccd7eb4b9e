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

TSnapResult SnapToScreenEdge(TPoint wanted, int width, int height, int screenWidth, int screenHeight) {
    const int freeWidth = screenWidth - width;
    const int freeHeight = screenHeight - height;
    TSnapResult r;
    if (wanted.Y <= 0) {
        r.Position = {ClampToScreen(wanted.X, freeWidth), 0};
        r.Edge = deTop;
    } else if (wanted.Y >= freeHeight) {
        r.Position = {ClampToScreen(wanted.X, freeWidth), freeHeight};
        r.Edge = deBottom;
    } else if (wanted.X <= freeWidth / 2) {
        r.Position = {0, ClampToScreen(wanted.Y, freeHeight)};
        r.Edge = deLeft;
    } else {
        r.Position = {freeWidth, ClampToScreen(wanted.Y, freeHeight)};
        r.Edge = deRight;
    }
    return r;
}

TRect KeepDockedSide(TRect sizing, int dockEdge, int screenWidth, int screenHeight) {
    switch (dockEdge) {
        case deTop:
            sizing.Top = 0;
            break;
        case deBottom:
            sizing.Bottom = screenHeight;
            break;
        case deLeft:
            sizing.Left = 0;
            break;
        case deRight:
            sizing.Right = screenWidth;
            break;
        default:
            break;
    }
    return sizing;
}
