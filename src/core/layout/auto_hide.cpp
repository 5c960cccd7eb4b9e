#include "layout/auto_hide.h"

#include <algorithm>
#include <cstdint>

namespace {

constexpr int AnimatedFrames = 4;

// Frame n of a slide counts down to 0, the frame where the slide ends.
template <typename TFrame>
std::vector<TPoint> SlidePath(bool animate, TFrame frame) {
    std::vector<TPoint> path;
    for (int n = animate ? AnimatedFrames - 1 : 0; n >= 0; --n) path.push_back(frame(n));
    return path;
}

// Where the docked axis ends: the hidden window HideWidth inside the
// monitor's edge, the shown one at the work area's edge.
int HiddenAt(const TSlideGeometry& g) {
    switch (g.DockEdge) {
        case deTop:
            return g.Monitor.Top + g.HideWidth - g.Height;
        case deBottom:
            return g.Monitor.Bottom - g.HideWidth;
        case deLeft:
            return g.Monitor.Left + g.HideWidth - g.Width;
        case deRight:
            return g.Monitor.Right - g.HideWidth;
        default:
            return 0;
    }
}

int ShownAt(const TSlideGeometry& g) {
    switch (g.DockEdge) {
        case deTop:
            return g.Work.Top;
        case deBottom:
            return g.Work.Bottom - g.Height;
        case deLeft:
            return g.Work.Left;
        case deRight:
            return g.Work.Right - g.Width;
        default:
            return 0;
    }
}

// A frame moves a quarter of the way between hidden and shown (truncated).
int Step(const TSlideGeometry& g) { return (ShownAt(g) - HiddenAt(g)) / AnimatedFrames; }

// The window's corner with the docked axis at `along`; a window with no edge stays.
TPoint Along(const TSlideGeometry& g, int along) {
    TPoint p = g.Position;
    if (g.DockEdge == deTop || g.DockEdge == deBottom) p.Y = along;
    if (g.DockEdge == deLeft || g.DockEdge == deRight) p.X = along;
    return p;
}

TRect HiddenRect(const TSlideGeometry& g) {
    const TPoint at = Along(g, HiddenAt(g));
    return TRect{at.X, at.Y, at.X + g.Width, at.Y + g.Height};
}

TRect Intersection(const TRect& a, const TRect& b) {
    if (!a.Intersects(b)) return TRect{};
    return TRect{std::max(a.Left, b.Left), std::max(a.Top, b.Top), std::min(a.Right, b.Right),
                 std::min(a.Bottom, b.Bottom)};
}

// Pauses are counted in pointer checks; the product must not overflow for
// the unclamped show pause.
bool WaitedLongEnough(int checks, int checkInterval, int pause) {
    return static_cast<int64_t>(checks) * checkInterval >= pause;
}

}  // namespace

std::vector<TPoint> HidePath(const TSlideGeometry& g, bool animate) {
    return SlidePath(animate, [&g](int n) { return Along(g, HiddenAt(g) + Step(g) * n); });
}

std::vector<TPoint> ShowPath(const TSlideGeometry& g, bool animate) {
    return SlidePath(animate, [&g](int n) { return Along(g, ShownAt(g) - Step(g) * n); });
}

uint32_t FramePause(uint32_t elapsed) {
    return elapsed >= SlideFrameMilliseconds ? 0 : SlideFrameMilliseconds - elapsed;
}

TRect HiddenSliver(const TSlideGeometry& g) {
    if (g.DockEdge == deNone) return TRect{};
    return Intersection(HiddenRect(g), g.Monitor);
}

bool CanHideOffEdge(const TSlideGeometry& g, const std::vector<TRect>& monitors) {
    const TRect hidden = HiddenRect(g);
    for (const TRect& monitor : monitors)
        if (monitor != g.Monitor && monitor.Intersects(hidden)) return false;
    return true;
}

std::optional<TRect> SliverClip(const TBounds& window, const TRect& sliver, const TRect& monitor) {
    const TRect w = ToRect(window);
    const TRect kept = Intersection(w, sliver);
    if (kept.IsEmpty() || Intersection(w, monitor) == kept) return std::nullopt;
    return TRect{kept.Left - w.Left, kept.Top - w.Top, kept.Right - w.Left, kept.Bottom - w.Top};
}

bool IsHiddenWindowOnScreen(TBounds window, const TRect& monitor) {
    return window.Left >= monitor.Left && window.Top >= monitor.Top && window.Right() <= monitor.Right &&
           window.Bottom() <= monitor.Bottom;
}

int TabToOpen(TPointerWatch& watch, const TTabPointing& in, int pointPause) {
    if (!in.OverTabStrip) {
        watch.PointedTab = -1;
        return -1;
    }
    // Anything but resting on another tab starts the wait again; the wait
    // just started has not passed, so none, the selected tab and a drag
    // never open anything.
    const bool restart = in.Tab != watch.PointedTab || in.Tab < 0 || in.Tab == in.SelectedTab || in.Dragging;
    watch.PointedTab = in.Tab;
    if (restart) {
        watch.PointedSince = in.Now;
        return -1;
    }
    const bool wrapped = in.Now < watch.PointedSince;
    return wrapped || static_cast<int64_t>(in.Now - watch.PointedSince) >= pointPause ? in.Tab : -1;
}

TSlideAction ShowOrHide(TPointerWatch& watch, const TPointerCheck& in) {
    if (in.PointerInside && in.Hidden) {
        ++watch.HoverTicks;
        if (!WaitedLongEnough(watch.HoverTicks, in.CheckInterval, in.ShowPause)) return TSlideAction::None;
        watch.HoverTicks = 0;
        return TSlideAction::Show;
    }
    if (in.PointerInside) {
        watch.AwayTicks = 0;
        return TSlideAction::None;
    }
    if (in.Hidden) {
        watch.HoverTicks = 0;
        return TSlideAction::None;
    }
    if (!in.WorkingElsewhere) return TSlideAction::None;
    ++watch.AwayTicks;
    if (!WaitedLongEnough(watch.AwayTicks, in.CheckInterval, in.HidePause)) return TSlideAction::None;
    watch.AwayTicks = 0;
    return TSlideAction::Hide;
}

bool PointerChecksWanted(const TPointerWatch& watch, const TWatchState& in) {
    // Nothing tells of the pointer in a corner of the screen or of another
    // program leaving the front: those are watched as long as they matter.
    if (in.CornersWatched || in.Quiet) return true;
    if (watch.PointedTab >= 0 && watch.PointedTab != in.SelectedTab) return true;
    if (!in.AutoHide) return false;
    if (in.Hidden) return in.PointerInside || in.SliverCovered;
    if (!in.CanHide) return false;
    // Away from the window while the user works elsewhere, the hide pause
    // counts; inside, only a leave nobody reports needs watching.
    return in.WorkingElsewhere && (!in.PointerInside || !in.LeaveReported);
}
