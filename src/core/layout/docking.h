// The main window's hold on a screen edge: where a drag puts the window and
// which edge it then belongs to, the anchor a drag starts from, and the edge
// that stays put while the border is dragged. Pure arithmetic; the window only
// moves itself to the results.
#pragma once

#include "layout/frame_layout.h"
#include "layout/rect.h"

// A top- or bottom-docked window stays at its edge until the pointer has
// moved this far away from it.
constexpr int DockStickiness = 16;

// The point a drag measures from, given where the button went down (window
// coordinates). `current` is kept while the window is not docked yet.
TPoint DragAnchor(int dockEdge, TPoint down, TPoint current, int dpi = BaseDpi);

struct TSnapResult {
    TPoint Position;  // the window's new top-left corner on the screen
    int Edge = deNone;
};

// The window of size (width, height) wants its top-left corner at `wanted`;
// it is put against the nearest edge of `work`, the work area of the monitor
// it is on (screen coordinates): top when it reaches the top, else bottom
// when it reaches the bottom, else the left or right edge by the half of the
// free width it lies in (the exact middle goes left). The other coordinate
// stays in the work area.
TSnapResult SnapToScreenEdge(TPoint wanted, int width, int height, const TRect& work);

// While the border is dragged the docked edge stays at the work area's edge;
// the sizing rectangle (left, top, right, bottom) with that side forced.
TRect KeepDockedSide(TRect sizing, int dockEdge, const TRect& work);
