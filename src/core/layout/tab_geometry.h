// Geometry and selection logic of the page tab strip (TNarrowTab), without a
// window: the clamping property setters, the tab rectangles in both modes and
// on all four sides, scrolling, selection, hit testing and the rectangles the
// painter needs. The window class owns one of these, feeds it its size and the
// caption text widths measured with its canvas font, and paints what it says.
//
// Along/across: for tpTop and tpBottom the strip runs horizontally, its length
// L is the control's width and its thickness T the height; for tpLeft and
// tpRight L is the height and T the width. The near side touches the page.
#pragma once

#include <array>
#include <vector>

#include "layout/rect.h"

enum TNarrowTabPosition { tpTop = 0, tpBottom, tpLeft, tpRight };
enum TScrollButtonKind { bkLeft = 0, bkUp, bkRight, bkDown };

constexpr int TabArrowLength = 12;  // each scroll arrow takes 12 pixels (at 96 DPI) of the strip's length
constexpr int PartialRectUnset = -10000;

struct TTabArrows {
    TBounds Back;  // (left, top, width, height)
    TBounds Forward;
    TScrollButtonKind BackKind = bkLeft;
    TScrollButtonKind ForwardKind = bkRight;
};

enum class TTabHitKind { None, Tab, BackArrow, ForwardArrow };
struct TTabHit {
    TTabHitKind Kind = TTabHitKind::None;
    int Index = -1;  // the tab for TTabHitKind::Tab
};

// What a change of selection asks of the window.
struct TTabSelection {
    bool Changed = false;   // fire OnChange
    bool Scrolled = false;  // FirstVisible moved: the whole strip needs a repaint
    int OldIndex = -1;
    // Clip rectangles of the single-tab repaints, in order (old - 1, old, old + 1,
    // new), only for tabs that are visible.
    std::vector<TRect> RepaintRects;
};

class TNarrowTabGeometry {
public:
    TNarrowTabGeometry();  // 128 x 64, tpBottom, vertical mode, margins 4, tab width 20

    // Size and side; each lays out again (the arrows follow from them).
    void SetSize(int width, int height);
    int Width() const { return FWidth; }
    int Height() const { return FHeight; }
    void SetPosition(TNarrowTabPosition position);
    TNarrowTabPosition Position() const { return FPosition; }
    bool IsHorizontalStrip() const { return FPosition == tpTop || FPosition == tpBottom; }
    int StripLength() const { return IsHorizontalStrip() ? FWidth : FHeight; }     // L
    int StripThickness() const { return IsHorizontalStrip() ? FHeight : FWidth; }  // T

    // The mode: true gives every tab TabWidth along the strip with the caption
    // written across it; false makes each tab as long as its caption.
    void SetVertical(bool vertical);
    bool Vertical() const { return FVertical; }

    // The arrows' length along the strip (TabArrowLength at 96 DPI); lays out again.
    void SetArrowLength(int value);
    int ArrowLength() const { return FArrowLength; }
    // Clamping setters; each lays out again.
    void SetLeftMargin(int value);
    void SetRightMargin(int value);
    void SetTabWidth(int value);
    void SetTabHeight(int value);
    void SetMinTabWidth(int value);
    void SetMaxTabWidth(int value);
    int LeftMargin() const { return FLeftMargin; }
    int RightMargin() const { return FRightMargin; }
    int TabWidth() const { return FTabWidth; }
    int TabHeight() const { return FTabHeight; }
    int MinTabWidth() const { return FMinTabWidth; }
    int MaxTabWidth() const { return FMaxTabWidth; }

    // The tabs, as the text widths of their captions in the canvas font. Every
    // change of the caption list calls this again. TabIndex is not moved.
    void SetTabTextWidths(std::vector<int> widths);
    int TabCount() const { return static_cast<int>(FTextWidths.size()); }

    int TabIndex() const { return FTabIndex; }
    int FirstVisible() const { return FFirstVisible; }
    int VisibleCount() const { return FVisibleCount; }
    bool IsTabVisible(int k) const { return k >= FFirstVisible && k < FFirstVisible + FVisibleCount && k < TabCount(); }

    // Scrolling; true when FirstVisible changed (the strip was laid out again
    // and needs a full repaint).
    //
    // Until the strip is scrolled by hand (these three) or another tab is
    // scrolled into view, it follows the selection: every change of its
    // length, its sizes or its tabs places it anew, scrolled the least from the
    // first tab that shows the selected one, whatever the order of the changes
    // (at start-up the tabs and the selection come before the strip's length).
    bool SetFirstVisible(int index);
    bool ScrollBack() { return SetFirstVisible(FFirstVisible - 1); }
    bool ScrollForward() { return SetFirstVisible(FFirstVisible + 1); }
    // The least scrolling that shows tab k whole; true when it scrolled.
    // Scrolling to the selected tab follows the selection again.
    bool ScrollIntoView(int k);
    bool BackEnabled() const { return FFirstVisible > 0; }
    bool ForwardEnabled() const { return FFirstVisible + FVisibleCount < TabCount(); }

    // Selection: clamps, scrolls the new tab into view, lays out again.
    TTabSelection SetTabIndex(int index);

    // Tab rectangles in client coordinates, one per tab, visible or not.
    const std::vector<TRect>& TabRects() const { return FTabRects; }
    // The visible tab containing the point; -1 when none.
    int TabAtPos(int x, int y) const;
    // Arrows lie on top of the tabs, so they are tested first.
    TTabHit HitTest(int x, int y) const;
    TTabArrows Arrows() const;

    // Painting geometry.
    int NearSideOffset() const { return (FPosition == tpBottom || FPosition == tpRight) ? 2 : 0; }  // o
    int TabsStart() const { return FLeftMargin + FArrowLength; }  // where tab FirstVisible starts
    int VisibleTabsLength() const;                                // S
    std::array<TRect, 2> FaceStretches() const;                   // the empty runs between the arrows and the tabs
    TRect PaintedTabRect(int k) const;                            // widened by 2 at both ends when selected
    TRect FarSideFill(int k) const;                               // between the unwidened tab and the far side
    TRect CaptionClip(int k) const;
    // Where the caption starts; textWidth in the canvas font, fontHeight the
    // absolute cell height of that font.
    TPoint CaptionOrigin(int k, int textWidth, int fontHeight) const;
    // How long the caption may run along its tab: from where it starts,
    // 3 pixels in, to where it is clipped, 2 pixels before the end.
    int CaptionRoom(int k) const;
    // Escapement of the canvas font, in tenths of a degree counter-clockwise.
    int Escapement() const;
    // Clip of a single-tab repaint; Left is PartialRectUnset when tab k is not visible.
    TRect PartialRect(int k) const;
    // Every pixel that painting tab k may touch (its shape, the page edge
    // across it, the far-side fill and the caption); a tab outside a paint's
    // clip needs no painting.
    TRect TabPaintExtent(int k) const;

private:
    void Relayout();      // after a change of size or tabs: follows the selection, then lays out
    void UpdateScroll();  // the layout pass
    bool ScrollTo(int first);
    int Room() const;
    int LeastFirstShowing(int k) const;
    void LayoutVerticalMode(int room);
    void LayoutHorizontalMode(int room);
    int FirstNeeded(int room) const;
    int HorizontalLength(int i) const;
    TRect TabRectAt(int start, int length, int thickness) const;
    TRect WidenAlong(TRect r) const;
    int ClampMargin(int value, int otherMargin) const;

    int FWidth = 128;
    int FHeight = 64;
    TNarrowTabPosition FPosition = tpBottom;
    bool FVertical = true;
    int FLeftMargin = 4;
    int FRightMargin = 4;
    int FTabWidth = 20;
    int FTabHeight = 0;
    int FMinTabWidth = 16;
    int FMaxTabWidth = 64;
    int FArrowLength = TabArrowLength;
    int FTabIndex = 0;
    int FFirstVisible = 0;
    int FVisibleCount = 0;
    bool FFollowSelection = true;
    std::vector<int> FTextWidths;
    std::vector<TRect> FTabRects;
};

// ScrollButtonStyle of the settings onto the arrows' two flags.
struct TScrollButtonFlags {
    bool AutoScroll = true;
    bool AutoRepeat = true;
};
TScrollButtonFlags ScrollButtonFlagsForStyle(int scrollButtonStyle);

// What a scroll arrow asks of its window after an event.
struct TScrollButtonAction {
    bool StartTimer = false;  // a 100 ms repeat timer
    bool StopTimer = false;
    bool FireScroll = false;
    bool Repaint = false;
};

// The repeat logic of one scroll arrow (TScrollButton): idle, or repeating
// (drawn pressed, usually with a timer).
class TScrollButtonState {
public:
    TScrollButtonFlags Flags;

    TScrollButtonAction PointerEnter();
    TScrollButtonAction PointerLeave();
    TScrollButtonAction LeftDown(bool enabled);
    TScrollButtonAction LeftUp();
    // A timer tick steps only while the pointer is on an enabled arrow.
    bool TimerTickFires(bool pointerOver, bool enabled) const { return FTimer && pointerOver && enabled; }

    bool Active() const { return FActive; }
    bool TimerRunning() const { return FTimer; }
    bool DrawnPressed(bool hot, bool enabled) const { return FActive && hot && enabled; }

private:
    TScrollButtonAction Start(bool withTimer);
    TScrollButtonAction Stop();

    bool FActive = false;
    bool FTimer = false;
};

// The platform's scroll-arrow frame is drawn larger than the button so that
// only its glyph shows; pressed moves the glyph one pixel right and down.
TRect ScrollArrowGlyphRect(int width, int height, bool pressed);

// Repaint clips that overlap or touch become one: the tabs beside a selection
// change are painted in a single pass instead of one pass per tab.
std::vector<TRect> MergeTouchingRects(const std::vector<TRect>& rects);
