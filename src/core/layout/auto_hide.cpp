#include "layout/auto_hide.h"

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

int StepX(const TSlideGeometry& g) { return (g.Width - g.HideWidth) / AnimatedFrames; }
int StepY(const TSlideGeometry& g) { return (g.Height - g.HideWidth) / AnimatedFrames; }

// Pauses are counted in pointer checks; the product must not overflow for
// the unclamped show pause.
bool WaitedLongEnough(int checks, int checkInterval, int pause) {
    return static_cast<int64_t>(checks) * checkInterval >= pause;
}

}  // namespace

std::vector<TPoint> HidePath(const TSlideGeometry& g, bool animate) {
    return SlidePath(animate, [&g](int n) {
        TPoint p = g.Position;
        switch (g.DockEdge) {
            case deTop:
                p.Y = g.HideWidth - g.Height + StepY(g) * n;
                break;
            case deBottom:
                p.Y = g.ScreenHeight - g.HideWidth - StepY(g) * n;
                break;
            case deLeft:
                p.X = g.HideWidth - g.Width + StepX(g) * n;
                break;
            case deRight:
                p.X = g.ScreenWidth - g.HideWidth - StepX(g) * n;
                break;
            default:
                break;
        }
        return p;
    });
}

std::vector<TPoint> ShowPath(const TSlideGeometry& g, bool animate) {
    return SlidePath(animate, [&g](int n) {
        TPoint p = g.Position;
        switch (g.DockEdge) {
            case deTop:
                p.Y = -(StepY(g) * n);
                break;
            case deBottom:
                p.Y = g.ScreenHeight - g.Height + StepY(g) * n;
                break;
            case deLeft:
                p.X = -(StepX(g) * n);
                break;
            case deRight:
                p.X = g.ScreenWidth - g.Width + StepX(g) * n;
                break;
            default:
                break;
        }
        return p;
    });
}

uint32_t FramePause(uint32_t elapsed) {
    return elapsed >= SlideFrameMilliseconds ? 0 : SlideFrameMilliseconds - elapsed;
}

bool IsHiddenWindowOnScreen(TBounds window, int screenWidth, int screenHeight) {
    return window.Left >= 0 && window.Top >= 0 && window.Right() <= screenWidth && window.Bottom() <= screenHeight;
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
    // Away from the window while the user works elsewhere, the hide pause
    // counts; inside, only a leave nobody reports needs watching.
    return in.WorkingElsewhere && (!in.PointerInside || !in.LeaveReported);
}
