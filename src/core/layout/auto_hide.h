// The main window sliding off its screen edge and back: where each frame of
// the slide puts the window, how long a frame lasts, and the pointer checks
// of the periodic timer that decide when to hide, when to show and when a
// page tab the pointer rests on opens. Pure logic; the window only moves
// itself and reads the pointer.
#pragma once

#include <cstdint>
#include <vector>

#include "layout/frame_layout.h"
#include "layout/rect.h"

// Each frame of an animated slide lasts at least this long.
constexpr uint32_t SlideFrameMilliseconds = 50;

// The docked window and its screen, as a slide needs them.
struct TSlideGeometry {
    int DockEdge = deNone;
    TPoint Position;  // the window's top-left corner now
    int Width = 0;
    int Height = 0;
    int ScreenWidth = 0;
    int ScreenHeight = 0;
    int HideWidth = 4;  // pixels the hidden window leaves on the screen
};

// The window's top-left corner after each frame, in order. Animated slides
// take four frames, the last one where the slide ends; otherwise there is
// only that last one. A window with no edge yet does not move.
std::vector<TPoint> HidePath(const TSlideGeometry& g, bool animate);
std::vector<TPoint> ShowPath(const TSlideGeometry& g, bool animate);

// How long to sleep after a frame that took `elapsed` ms.
uint32_t FramePause(uint32_t elapsed);

// The system's timer ticks are only as precise as its clock, about 16 ms.
constexpr uint32_t TimerSlackMilliseconds = 16;

// True when the pointer check `interval` ms after `lastCheck` is due, or the
// tick counter has wrapped below the stamp. A timer that runs at the check
// interval fires a little early or late by the clock; those ticks count as
// due, or every other check would be lost and the pauses would double.
bool IsPointerCheckDue(uint32_t now, uint32_t lastCheck, uint32_t interval);

// A hidden window the user or the system put back entirely on the screen
// is no longer hidden, whatever the flag says.
bool IsHiddenWindowOnScreen(TBounds window, int screenWidth, int screenHeight);

// What the timer remembers between its pointer checks.
struct TPointerWatch {
    int HoverTicks = 0;  // checks in a row with the pointer over the hidden window
    int AwayTicks = 0;   // checks in a row with the pointer away from the shown window
    uint32_t LastPointerCheck = 0;
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
