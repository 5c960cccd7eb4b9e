// The main window sliding off its screen edge when the user works elsewhere
// and back when the pointer rests on the sliver it leaves, and the page tab
// that opens when the pointer rests on it. The decisions are the core's
// (layout/auto_hide.h); TAutoHider reads the pointer and moves the window.
#pragma once

#include <windows.h>

#include <cstdint>
#include <optional>
#include <vector>

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
};

// The foreground window is one of this program's.
bool ProgramIsActive();

class TAutoHider {
public:
    TAutoHider(TAutoHideHost& host, TDesktopHooks& desktop, TPlatform& platform)
        : FHost(host), FDesktop(desktop), FPlatform(platform) {}
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

    // One tick of the main timer: a hidden window put back on the screen is
    // mended, and at each pointer check the tab under the pointer opens, the
    // screen corners act and the window shows or hides.
    void Tick(uint32_t now);
    // The window moved: a move the program did not make shows the page again.
    void WindowMoved();
    // The window became active, or stopped being so.
    void WindowActivated();
    void WindowDeactivated();

private:
    bool CanLockWindowUpdate() const;
    TSlideGeometry SlideGeometryNow() const;
    bool PointerInside(POINT pointer) const;
    void SlideThrough(const std::vector<TPoint>& path, bool animate);
    void RepaintForSlide();
    void ShowPage();
    void HidePage();
    void RepairHiddenState();
    bool EntryOrTabDragInProgress() const;
    void PointAtTabs(POINT pointer, uint32_t now);
    void ShowOrHideByPointer(POINT pointer);

    TAutoHideHost& FHost;
    TDesktopHooks& FDesktop;
    TPlatform& FPlatform;
    bool FSliding = false;
    bool FHidden = false;
    TPointerWatch FPointerWatch;  // the timer's pointer checks
};
