// The frame of the main window: which sides the caption strip and the page
// tab strip take, and where the system buttons, the tab strip with its
// splitter, the docked bars and the scroll box go. Pure arithmetic; the window
// only moves its controls to the bounds computed here.
#pragma once

#include <array>

#include "layout/dpi.h"
#include "layout/rect.h"
#include "layout/tab_geometry.h"

// The screen edge the main window is docked to. The settings TitleBarLayout
// and PageTabLayout use the same codes 1..4, with 0 meaning automatic.
enum TDockEdge { deNone = 0, deTop = 1, deBottom = 2, deLeft = 3, deRight = 4 };

// The five system buttons of the caption strip, indexing the arrays below.
enum TSystemButtonId { sbStopAutoRun = 0, sbOpenFolder, sbScreenSaver, sbShutdown, sbReboot, sbCount };

enum class TSplitterCursor { None, VSplit, HSplit };

constexpr int DockedBarBand = 22;      // 20-pixel bar plus its 2-pixel separator
constexpr int MaxSpaceTakingBars = 4;  // only the first four docked bars get a band
constexpr int MinScrollBoxRoom = 32;   // the tab strip shrinks to leave this much
constexpr int MinTabSetHeight = 20;
constexpr int MaxTabSetHeight = 64;
constexpr int HorizontalTabSetHeight = 24;

// Caption side: TitleBarLayout when it names a side, else the dock edge.
int ResolveCaptionSide(int titleBarLayout, int dockEdge);
// Tab side: PageTabLayout when it names a side, else the side opposite the
// dock edge; 0 while the window is not docked yet.
int ResolveTabSide(int pageTabLayout, int dockEdge);

int ClampTabSetHeight(int height);

// The caption-strip area for a side, (left, top, width, height); empty for side 0.
// captionWidth is the stored (96-DPI) thickness.
TBounds CaptionStripBounds(int captionSide, int clientWidth, int clientHeight, int captionWidth, int dpi = BaseDpi);

// Minimum tracking size of the main window, in pixels at `dpi`.
constexpr int MinTrackWidth = 80;
int MinTrackHeight(int dockedBarCount, int dpi = BaseDpi);

struct TFrameLayoutInput {
    int ClientWidth = 0;    // CW
    int ClientHeight = 0;   // CH
    int CaptionWidth = 24;  // S, thickness of the caption strip
    int TitleBarLayout = 0;
    int PageTabLayout = 0;
    int DockEdge = deNone;
    int SystemButtonLayout = 0;  // 0 packs toward the right/bottom end, 1 toward the left/top end
    int TabSetHeight = 40;       // H as stored in the settings
    bool HorizontalTab = true;
    std::array<bool, sbCount> VisibleButtons{false, true, false, true, true};
    int DockedBarCount = 0;  // every docked bar, uncapped
    // The window's DPI. CaptionWidth and TabSetHeight are stored sizes in
    // 96-DPI units; the client size and every bound out are at this DPI.
    int Dpi = BaseDpi;
};

// All bounds are (left, top, width, height) in client coordinates of the window.
struct TFrameLayout {
    int CaptionSide = 0;
    int TabSide = 0;
    // The TabSetHeight setting after this layout: forced to 24 by HorizontalTab
    // and shrunk when the window is too small. Store it back through the setter;
    // it is in 96-DPI units like the input.
    int TabSetHeight = 40;
    // False for tab side 0: the tab strip and splitter are left where they are.
    bool PlaceTabSet = false;
    TBounds TabSet;
    TBounds Splitter;
    TSplitterCursor SplitterCursor = TSplitterCursor::None;
    TNarrowTabPosition TabPosition = tpBottom;     // meaningful with PlaceTabSet
    std::array<TBounds, sbCount> SystemButtons{};  // ParkedBounds for hidden buttons
    TBounds ScrollBox;
    int SpaceTakingBars = 0;                                  // docked bars with a band, at most 4
    std::array<TBounds, MaxSpaceTakingBars> BarContainers{};  // only below SpaceTakingBars; others untouched
    std::array<TBounds, MaxSpaceTakingBars> BarSeparators{};  // ParkedBounds from the bar count on
    TBounds CaptionStrip;                                     // the area to repaint; empty for side 0
};

TFrameLayout ComputeFrameLayout(const TFrameLayoutInput& in);
