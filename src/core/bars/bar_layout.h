// The arithmetic of a bar (smart, keyword, history and resource bar): the row
// of entries, the parts of the bar beside it, scrolling the row, where a
// dragged bar docks and the frame drawn while it is dragged, the order of the
// docked bars and the keys and sizes of a floating bar window. All in pixels;
// the window side only moves its controls to the results. The sizes below are
// 96-DPI pixels; every function that places something takes the window's DPI
// and scales them. The docked bars'
// places in the main window come from ComputeFrameLayout (frame_layout.h).
#pragma once

#include <cstdint>
#include <vector>

#include "layout/dpi.h"
#include "layout/rect.h"
#include "model/vantor_classes.h"

constexpr int BarHeight = 20;
constexpr int BarEntryWidth = 20;     // a launcher entry's button
constexpr int BarSeparatorWidth = 4;  // a separator
constexpr int MinKeywordBarClientWidth = 162;
constexpr int MinBarClientWidth = 82;
constexpr int MaxBarWindowWidth = 480;  // the whole window, frame included

// ---- the row of entries ----

// Length of the row: 20 per launcher entry, 4 per separator. 0 for no page.
int BarContentLength(const TVantorPage* page, int dpi = BaseDpi);

// Where entry i of the page goes on the entry strip: a launcher entry's
// button at (x, 0, 20, 20), a separator at (x, 1, 4, 18), x running from 0.
// The other pooled control of the slot, and both controls of every slot from
// the number of entries on, are parked (ParkedBounds).
struct TBarRowItem {
    bool Separator = false;
    TBounds Bounds;
};
std::vector<TBarRowItem> LayoutBarRow(const TVantorPage* page, int dpi = BaseDpi);

// ---- the parts of the bar ----

struct TBarFrameInput {
    bool Keyword = false;    // the keyword bar's layout (edit box before the entries)
    int ContainerWidth = 0;  // the content panel (it has no border: width = client width)
    int ContentLength = 0;
    int TextureLeft = 0;  // the entry strip's left, the scroll position (<= 0)
    int Dpi = BaseDpi;
};

// (left, top, width, height) in the content panel. Row from the left: the
// 20 x 20 grip, the edit box (keyword bar only), Up, the visible window onto
// the entries (Owner), Down, Close.
struct TBarFrame {
    TBounds Edit = ParkedBounds;  // (18, 0, 80, 20) in the keyword bar
    TBounds Up;                   // (100, 0, 12, 20) keyword bar, else (20, 0, 12, 20)
    TBounds Owner;                // from 112 or 32 to 30 pixels before the right end
    TBounds Down;                 // (width - 30, 0, 12, 20)
    TBounds Close;                // (width - 18, 2, 18, 16)
    // The scroll position after a resize: when the row no longer reaches the
    // right end of the visible window it is pulled right, never past 0. The
    // new Owner width is used, so a widened bar shows no gap after its row.
    int TextureLeft = 0;
    bool UpEnabled = false;    // left < 0
    bool DownEnabled = false;  // Owner width < content length + left
};
// The resize handler, and the layout of SetKeywordMode (Keyword false).
TBarFrame LayoutBarFrame(const TBarFrameInput& in);

// ---- scrolling ----

struct TBarScrollInput {
    bool SmoothScroll = true;
    int ScrollButtonStyle = 0;  // 2: a page per click
    int OwnerWidth = 0;
    int ContainerWidth = 0;
    bool Keyword = false;
    int ContentLength = 0;
    int TextureLeft = 0;
    bool TowardStart = true;
    int Dpi = BaseDpi;
};
struct TBarScrollPlan {
    // The scroll position after each step, in order: set it and repaint the
    // strip at once, then pause. At least one step, even at an end.
    std::vector<int> Lefts;
    // Each step lasts this long: sleep max(0, StepMs - time the step took).
    int StepMs = 4;
};
// A click on an arrow or one wheel notch: 1 step, or 4 (page style) or 8
// when smooth; the last position never goes past either end. Afterwards
// update the arrows as LayoutBarFrame says.
TBarScrollPlan PlanBarScroll(const TBarScrollInput& in);

// A wheel message: +1 towards the start for a delta of exactly +120, -1
// towards the end for exactly -120, 0 (ignored) for anything else.
int BarWheelDirection(int delta);

// ---- docking ----

// Where a bar whose window would be at `rect` (screen coordinates) docks:
// -1 when the rectangle misses the middle half of the main window, else the
// number of the other docked bars whose content panel's top + 11 lies above
// the rectangle's vertical middle.
int DockIndexFor(const TRect& rect, const TRect& mainWindow, const std::vector<int>& otherDockedTops);

// The window rectangle a drag release asks for: the content panel's client
// origin (x0, y0) moved by the drag offset, less half the window's frame.
TRect BarDropRect(TPoint containerOrigin, TPoint offset, int windowWidth, int windowHeight, int clientWidth,
                  int clientHeight);

// The frame drawn (inverted) while a bar is dragged: Outer minus Inner. The
// outer rectangle is the content panel's, one pixel larger each way, at the
// dragged place; where that would not dock it takes the floating client
// size instead and the frame is 1 pixel thick, else 2.
struct TBarDragFrame {
    TRect Outer;
    TRect Inner;
    bool Docks = false;
};
TBarDragFrame BarDragFrame(TPoint containerOrigin, TPoint offset, int containerWidth, int containerHeight,
                           int floatingClientWidth, int floatingClientHeight, const TRect& mainWindow,
                           const std::vector<int>& otherDockedTops);

// The docked bars (bar ids, BarSmart..BarResource) in dock order.
// A shown docked bar takes its wanted place: inserted at min(order, count)
// when absent, moved to min(order, count - 1) when present. A negative order
// counts as 0.
void PlaceDockedBar(std::vector<int32_t>& docked, int32_t bar, int32_t order);
void RemoveDockedBar(std::vector<int32_t>& docked, int32_t bar);
// SetDockOrder: the smaller of the wanted order and the number of docked
// bars; -1 (floating) stays -1.
int32_t ClampDockOrder(int32_t order, int32_t dockedCount);

// ---- the floating window ----

// Ctrl + arrow moves the window 16 pixels that way; Shift + arrow (without
// Ctrl) makes it 8 pixels narrower (left), wider (right), shorter (up) or
// taller (down); anything else leaves it. Put the result through
// ClampBarWindow: the height cannot change.
enum TBarArrow { baLeft, baUp, baRight, baDown };
TBounds BarArrowKeyBounds(const TBounds& window, TBarArrow arrow, bool ctrl, bool shift, int dpi = BaseDpi);

// The whole window's size limits for a frame of the given thickness (window
// size minus client size): client width at least 162 (keyword bar) or 82, the
// window at most 480 wide, client height always 20.
struct TBarSizeLimits {
    int MinWidth = 0;
    int MaxWidth = 0;
    int Height = 0;
};
TBarSizeLimits BarSizeLimits(bool keyword, int frameWidth, int frameHeight, int dpi = BaseDpi);
// Bounds within the limits, keeping left and top.
TBounds ClampBarWindow(const TBounds& window, const TBarSizeLimits& limits);

// A floating bar left beyond the work area `work` of the monitor nearest it
// is moved back just so far that this many pixels of it show again each way;
// one the user parked partly off the screen stays where it is.
constexpr int BarReach = 4;
TBounds KeepBarInReach(const TBounds& window, const TRect& work, int dpi = BaseDpi);
// While the sizing border is dragged: the top and bottom of `current` stay,
// the width is held within the limits by moving the dragged side.
TRect BarSizingRect(const TRect& sizing, const TRect& current, bool leftSideDragged, const TBarSizeLimits& limits);
