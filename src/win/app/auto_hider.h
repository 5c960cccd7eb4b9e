// The main window sliding off its screen edge when the user works elsewhere
// and back when the pointer rests on the sliver it leaves, and the page tab
// that opens when the pointer rests on it. The decisions are the core's
// (layout/auto_hide.h); TAutoHider reads the pointer and moves the window.
//
// Nothing is polled while nothing waits: the window's own mouse messages
// (the hidden window's sliver is the window itself) and its activation wake
// the pointer checks, which run on a timer only while a pause counts down or
// something must be watched (a screen corner with an action, a full-screen
// program in front), and rest again once it is over.
#pragma once

#include <windows.h>

#include <cstdint>
#include <functional>
#include <optional>
#include <vector>

#include "base/timer.h"
#include "layout/auto_hide.h"
#include "layout/frame_layout.h"
#include "platform.h"
#include "settings/settings.h"

class TDesktopHooks;
class TNarrowTab;

// What the auto-hide needs of the window it slides.
class TAutoHideHost {
public:
    virtual ~TAutoHideHost() = default;
    // The window, the edge it is docked to, and a 96-DPI size at its DPI.
    virtual HWND HiderWindow() = 0;
    virtual TDockEdge HiderEdge() = 0;
    virtual int HiderPx(int units) = 0;
    // The main set's settings: whether and how the window hides.
    virtual const TVantorSettings& HiderSettings() = 0;
    // The start-up has run to its end: the pointer may act on the window.
    virtual bool HiderStarted() = 0;
    // The page exists once the entry pools are made; its entry area (the
    // scroll box) and tab strip are hidden with the window. The entry panel
    // inside the area holds the capture while an entry is dragged.
    virtual bool HiderPageExists() = 0;
    virtual HWND HiderEntryArea() = 0;
    virtual HWND HiderEntryPanel() = 0;
    virtual TNarrowTab& HiderTabs() = 0;
    // Opens a page as the user's choice would.
    virtual void HiderOpenPage(int tab) = 0;
    virtual void HiderHideTitle() = 0;
    // One of the bars is the active window.
    virtual bool HiderBarActive() = 0;
    // A bar is dragged with its outline on the locked desktop; `step` runs
    // with the outline lifted and the lock released, both put back after.
    virtual bool HiderBarOutlined() = 0;
    virtual void HiderWithDesktopUnlocked(const std::function<void()>& step) = 0;
};

// The foreground window is one of this program's.
bool ProgramIsActive();

class TAutoHider {
public:
    TAutoHider(TAutoHideHost& host, TDesktopHooks& desktop, TPlatform& platform);
    ~TAutoHider();
    TAutoHider(const TAutoHider&) = delete;
    TAutoHider& operator=(const TAutoHider&) = delete;

    // Both do nothing while AutoHide is off; `immediate` skips the animation.
    void Hide(bool immediate);
    void Show(bool immediate);
    bool Hidden() const { return FHidden; }
    // Where the hidden window slides back to; none while it is shown.
    std::optional<TPoint> ShownPlace() const;

    // The program moves the window itself while one is alive (a slide, a
    // snap to an edge): such a move is no user's.
    class TSlideScope {
    public:
        explicit TSlideScope(TAutoHider& hider) : FHider(hider), FWas(hider.FSliding) { hider.FSliding = true; }
        ~TSlideScope() { FHider.FSliding = FWas; }
        TSlideScope(const TSlideScope&) = delete;
        TSlideScope& operator=(const TSlideScope&) = delete;

    private:
        TAutoHider& FHider;
        bool FWas;
    };
    bool Sliding() const { return FSliding; }

    // The pointer checks run from now on until nothing waits for them: each
    // mends a hidden window put back on the screen, opens the tab the
    // pointer rests on, acts on the screen corners and shows or hides the
    // window; never while a box, dialog or menu is open, nor before the
    // window shows.
    void Wake();
    // For the message loop: the pointer moving over the window or one of
    // its children, or leaving it, wakes the checks; whichever window it is
    // over reports its leaving.
    void PointerMessage(const MSG& msg);
    // The settings were applied: the checks' interval, the screen corners
    // and the watch for full-screen programs follow them.
    void SettingsChanged();
    // The checks are running (a pause counts down, or something is watched).
    bool Checking() const { return FChecks.Enabled(); }
    // The window moved: a move the program did not make shows the page
    // again, and a hidden window put back on the screen is mended. A hidden
    // window a window manager held partly in reach stays hidden, cut to its
    // sliver.
    void WindowMoved();
    // The window became active, or stopped being so.
    void WindowActivated();
    void WindowDeactivated();

private:
    bool CanLockWindowUpdate() const;
    // Not against an edge another monitor continues.
    bool CanHide() const;
    bool HiddenWindowOnScreen() const;
    TSlideGeometry SlideGeometryNow() const;
    // The window's part on the screen: its sliver while hidden.
    TRect VisiblePart() const;
    bool PointerInside(POINT pointer) const;
    void ClipToSliver();
    void Unclip();
    void SlideThrough(const std::vector<TPoint>& path, bool animate);
    void RepaintForSlide();
    void ShowPage();
    void HidePage();
    void RepairHiddenState();
    bool EntryOrTabDragInProgress() const;
    void PointAtTabs(POINT pointer, uint32_t now);
    void ShowOrHideByPointer(POINT pointer);
    bool ChecksMayRun() const;
    void Check();
    bool WorkingElsewhere() const;
    bool IsOwnWindow(HWND window) const;
    bool ReportLeaveAt(POINT pointer) const;
    bool SliverCovered() const;

    TAutoHideHost& FHost;
    TDesktopHooks& FDesktop;
    TPlatform& FPlatform;
    bool FSliding = false;
    bool FHidden = false;
    std::optional<TRect> FClip;   // the window region cutting the hidden window to its sliver
    TPointerWatch FPointerWatch;  // what the pointer checks remember
    TTimer FChecks;
};
