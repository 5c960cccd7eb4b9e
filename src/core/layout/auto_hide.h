// The main window sliding off its screen edge and back: where each frame of
// the slide puts the window, how long a frame lasts, the pointer checks that
// decide when to hide, when to show and when a page tab the pointer rests on
// opens, and whether the checks must go on. Pure logic; the window only
// moves itself, reads the pointer and runs the checks on a timer.
#pragma once

#include <cstdint>
#include <optional>
#include <vector>

#include "layout/frame_layout.h"
#include "layout/rect.h"

// Each frame of an animated slide lasts at least this long.
constexpr uint32_t SlideFrameMilliseconds = 50;

// The docked window and its monitor, as a slide needs them (screen
// coordinates; a monitor left of or above the main one has negative ones).
struct TSlideGeometry {
    int DockEdge = deNone;
    TPoint Position;  // the window's top-left corner now
    int Width = 0;
    int Height = 0;
    // The window's monitor: the hidden window slides off its edge, so that
    // it never lies over a task bar beside the work area.
    TRect Monitor;
    // The monitor's work area: the shown window stands at its edge.
    TRect Work;
    int HideWidth = 4;  // pixels the hidden window leaves on the monitor
};

// The window's top-left corner after each frame, in order. Animated slides
// take four frames, the last one where the slide ends; otherwise there is
// only that last one. A window with no edge yet does not move.
std::vector<TPoint> HidePath(const TSlideGeometry& g, bool animate);
std::vector<TPoint> ShowPath(const TSlideGeometry& g, bool animate);

// How long to sleep after a frame that took `elapsed` ms.
uint32_t FramePause(uint32_t elapsed);

// What of the hidden window stays on its monitor: HideWidth pixels along the
// docked edge. Empty for a window with no edge.
TRect HiddenSliver(const TSlideGeometry& g);

// The window may slide off its edge unless the hidden window would reach
// onto another of `monitors`: an edge two monitors share is no edge to hide
// behind, the window would only stand on the other monitor.
bool CanHideOffEdge(const TSlideGeometry& g, const std::vector<TRect>& monitors);

// A window manager may keep more of a window on the screen than asked (some
// keep a tenth of every window in reach). When the hidden window, now at
// `window`, shows more of itself on its monitor than its sliver, the part
// to leave visible in window coordinates (the sliver); none otherwise.
std::optional<TRect> SliverClip(const TBounds& window, const TRect& sliver, const TRect& monitor);

// A hidden window the user or the system put back entirely on its monitor
// is no longer hidden, whatever the flag says.
bool IsHiddenWindowOnScreen(TBounds window, const TRect& monitor);

// What the pointer checks remember from one to the next.
struct TPointerWatch {
    int HoverTicks = 0;  // checks in a row with the pointer over the hidden window
    int AwayTicks = 0;   // checks in a row with the pointer away from the shown window
    int PointedTab = -1;
    uint32_t PointedSince = 0;
};

// One pointer check over the page tabs.
struct TTabPointing {
    bool OverTabStrip = false;  // the window under the pointer is the tab strip
    int Tab = -1;               // the tab under the pointer; -1 for none
    int SelectedTab = -1;
    bool Dragging = false;  // the strip or an entry is being dragged
    uint32_t Now = 0;
};

// The tab to open because the pointer has rested on it for `pointPause` ms,
// or -1. The selected tab is never opened again.
int TabToOpen(TPointerWatch& watch, const TTabPointing& in, int pointPause);

// One pointer check against the window.
struct TPointerCheck {
    bool PointerInside = false;
    bool Hidden = false;
    // Another window has the user: one of the bars is the active window, or
    // the program is not the active application.
    bool WorkingElsewhere = false;
    int CheckInterval = 125;  // ms between pointer checks
    int ShowPause = 500;      // ms the pointer rests on the hidden window
    int HidePause = 500;      // ms the pointer stays away from the shown window
};

enum class TSlideAction { None, Show, Hide };

TSlideAction ShowOrHide(TPointerWatch& watch, const TPointerCheck& in);

// The window and the pointer after a check, for whether the checks go on.
struct TWatchState {
    bool AutoHide = true;
    bool Hidden = false;
    // Part of the hidden window's sliver lies under another window (an
    // always-on-top one), where the pointer reaches no window of this one.
    bool SliverCovered = false;
    // The window may slide off its edge (CanHideOffEdge).
    bool CanHide = true;
    bool PointerInside = false;
    // The pointer is over a window of this one whose leaving is reported
    // (the window itself or one of its children, not another program's).
    bool LeaveReported = false;
    bool WorkingElsewhere = false;
    int SelectedTab = -1;
    bool CornersWatched = false;  // a screen corner has an action
    bool Quiet = false;           // a full-screen program is in front
};

// True while something waits for the next check: a show, hide or point
// pause counting down, a corner to watch, or the end of a full-screen
// program's turn in front. Otherwise the checks rest until the window's
// mouse messages, its activation or a changed setting wake them; the pointer
// arriving or leaving is such a message, so resting costs no pause.
bool PointerChecksWanted(const TPointerWatch& watch, const TWatchState& in);
