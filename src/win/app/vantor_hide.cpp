// The main window sliding off its screen edge when the user works elsewhere
// and back when the pointer rests on the sliver it leaves, and the page tab
// that opens when the pointer rests on it. The decisions are the core's
// (layout/auto_hide.h); this file reads the pointer and moves the window.
#include "app/vantor.h"
#include "base/modal_gate.h"

namespace {

SIZE ScreenSize() { return SIZE{GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)}; }

TBounds WindowBounds(HWND window) {
    RECT r{};
    GetWindowRect(window, &r);
    return TBounds{r.left, r.top, r.right - r.left, r.bottom - r.top};
}

}  // namespace

bool TVantor::ApplicationIsActive() {
    HWND foreground = GetForegroundWindow();
    DWORD process = 0;
    return foreground && GetWindowThreadProcessId(foreground, &process) && process == GetCurrentProcessId();
}

// Another window holding the update lock is busy drawing on the screen (a
// bar's outline while it is dragged): a slide now would spoil its drawing.
bool TVantor::CanLockWindowUpdate() const {
    if (!LockWindowUpdate(Handle())) return false;
    LockWindowUpdate(nullptr);
    return true;
}

TSlideGeometry TVantor::SlideGeometryNow() const {
    const TBounds b = WindowBounds(Handle());
    const SIZE screen = ScreenSize();
    return TSlideGeometry{FDockEdge, TPoint{b.Left, b.Top},           b.Width, b.Height, screen.cx,
                          screen.cy, Px(FDocument.Main().HideWidth())};
}

void TVantor::RepaintForSlide() {
    RedrawWindow(Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);
}

// Each frame is shown at once; an animated one lasts at least 50 ms.
void TVantor::SlideThrough(const std::vector<TPoint>& path, bool animate) {
    for (const TPoint& p : path) {
        const uint32_t start = FPlatform.TickCount();
        SetWindowPos(Handle(), nullptr, p.X, p.Y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
        RepaintForSlide();
        if (animate) Sleep(FramePause(FPlatform.TickCount() - start));
    }
}

void TVantor::HideWindow(bool immediate) {
    if (!MainPages().AutoHide || FHidden || !PoolsExist() || !CanLockWindowUpdate()) return;
    const bool animate = MainPages().HideSmoothly && !immediate;
    FSliding = true;
    SlideThrough(HidePath(SlideGeometryNow(), animate), animate);
    FSliding = false;
    FHidden = true;
    ShowWindow(ScrollBox.Handle(), SW_HIDE);
    TabSet.SetVisible(false);
    FHints.HideTitle();
}

void TVantor::ShowWindowNow(bool immediate) {
    if (!MainPages().AutoHide || !FHidden) return;
    ShowWindow(ScrollBox.Handle(), SW_SHOWNA);
    TabSet.SetVisible(true);
    FHidden = false;
    const bool animate = MainPages().HideSmoothly && !immediate;
    FSliding = true;
    SlideThrough(ShowPath(SlideGeometryNow(), animate), animate);
    FSliding = false;
}

// A hidden window that someone put back on the screen is hidden again; when
// it cannot be (AutoHide is off now, or the lock is taken), it shows its
// contents rather than stand there empty.
void TVantor::RepairHiddenState() {
    const SIZE screen = ScreenSize();
    if (!FHidden || !IsHiddenWindowOnScreen(WindowBounds(Handle()), screen.cx, screen.cy)) return;
    FHidden = false;
    HideWindow(true);
    if (FHidden) return;
    ShowWindow(ScrollBox.Handle(), SW_SHOWNA);
    TabSet.SetVisible(true);
}

// The program's own drags hold the pointer capture in the strip or the panel.
bool TVantor::EntryOrTabDragInProgress() const {
    HWND capture = GetCapture();
    return capture && (capture == TabSet.Handle() || capture == PTexture.Handle());
}

bool TVantor::BarIsActiveForm() const { return FBars.IsActiveForm(); }

void TVantor::PointAtTabs(POINT pointer, uint32_t now) {
    TTabPointing in;
    in.OverTabStrip = WindowFromPoint(pointer) == TabSet.Handle();
    if (in.OverTabStrip) {
        POINT local = pointer;
        ScreenToClient(TabSet.Handle(), &local);
        in.Tab = TabSet.TabAtPos(local.x, local.y);
    }
    in.SelectedTab = TabSet.TabIndex();
    in.Dragging = EntryOrTabDragInProgress();
    in.Now = now;
    const int tab = TabToOpen(FPointerWatch, in, MainPages().PointPause());
    if (tab < 0) return;
    FUserPageSwitch = true;
    TabSet.SetTabIndex(tab);
    FUserPageSwitch = false;
}

void TVantor::ShowOrHideByPointer(POINT pointer) {
    const TVantorManager& settings = MainPages();
    TPointerCheck in;
    in.PointerInside = ToRect(WindowBounds(Handle())).Contains(pointer.x, pointer.y);
    in.Hidden = FHidden;
    in.WorkingElsewhere = BarIsActiveForm() || !ApplicationIsActive();
    in.CheckInterval = settings.CheckMousePosInterval();
    in.ShowPause = settings.ShowPause;
    in.HidePause = settings.HidePause();
    switch (ShowOrHide(FPointerWatch, in)) {
        case TSlideAction::Show:
            // A bar dragged with its outline on the desktop holds the update
            // lock: the outline is erased, the lock released, the window shown
            // at once, and both taken back here.
            ShowWindowNow(false);
            break;
        case TSlideAction::Hide:
            HideWindow(false);
            break;
        default:
            break;
    }
}

// ---------------------------------------------------------------- activation

void TVantor::FormActivate() {
    if (ModalGate().BoxOrDialogOpen()) return;
    FWindowActive = true;
    InvalidateCaptionStrip();
    // Without show-on-point, activating the window (a click on the sliver,
    // the task switcher) is how it comes out.
    if (GetActiveWindow() == Handle() && !MainPages().ShowOnPoint) ShowWindowNow(false);
}

void TVantor::FormDeactivate() {
    FHints.HideTitle();
    if (ModalGate().BoxOrDialogOpen()) return;
    FWindowActive = false;
    InvalidateCaptionStrip();
    POINT pointer{};
    if (GetCursorPos(&pointer) && !ToRect(WindowBounds(Handle())).Contains(pointer.x, pointer.y))
        HideWindow(BarIsActiveForm());
}

// The whole program became active or inactive. The windows go back on top
// of the others, unless a modal dialog has them out of that layer.
void TVantor::ApplicationActivate() {
    // The active bar's activation handler runs here when the program becomes
    // active, and every bar's deactivation handler when it stops being so.
    if (ModalGate().BoxOrDialogOpen()) return;
    // After the screen-saver command the first deactivation leaves the
    // windows where they are, so the screen saver can cover them.
    if (SkipNextTopmost && !ApplicationIsActive()) {
        SkipNextTopmost = false;
        return;
    }
    // A window appearing for the first time is already at the top of the
    // always-on-top layer; asking again costs a round trip to the window
    // system in the middle of the start-up.
    if (FPainted) SetWindowPos(Handle(), HWND_TOPMOST, 0, 0, 0, 0, SWP_NOACTIVATE | SWP_NOMOVE | SWP_NOSIZE);
    FBars.SetTopmost(true);
    // The extended hint window is set topmost here too.
}
