#include "app/auto_hider.h"

#include "app/desktop_hooks.h"
#include "controls/narrow_tab.h"

namespace {

SIZE ScreenSize() { return SIZE{GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)}; }

TBounds WindowBounds(HWND window) {
    RECT r{};
    GetWindowRect(window, &r);
    return TBounds{r.left, r.top, r.right - r.left, r.bottom - r.top};
}

}  // namespace

bool ProgramIsActive() {
    HWND foreground = GetForegroundWindow();
    DWORD process = 0;
    return foreground && GetWindowThreadProcessId(foreground, &process) && process == GetCurrentProcessId();
}

// Another window holding the update lock is busy drawing on the screen (a
// bar's outline while it is dragged): a slide now would spoil its drawing.
bool TAutoHider::CanLockWindowUpdate() const {
    if (!LockWindowUpdate(FHost.HiderWindow())) return false;
    LockWindowUpdate(nullptr);
    return true;
}

TSlideGeometry TAutoHider::SlideGeometryNow() const {
    const TBounds b = WindowBounds(FHost.HiderWindow());
    const SIZE screen = ScreenSize();
    const int sliver = FHost.HiderPx(FHost.HiderSettings().HideWidth());
    return TSlideGeometry{FHost.HiderEdge(), TPoint{b.Left, b.Top}, b.Width, b.Height, screen.cx, screen.cy, sliver};
}

bool TAutoHider::PointerInside(POINT pointer) const {
    return ToRect(WindowBounds(FHost.HiderWindow())).Contains(pointer.x, pointer.y);
}

void TAutoHider::RepaintForSlide() {
    RedrawWindow(FHost.HiderWindow(), nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);
}

// Each frame is shown at once; an animated one lasts at least 50 ms.
void TAutoHider::SlideThrough(const std::vector<TPoint>& path, bool animate) {
    const TSlideScope sliding(*this);
    for (const TPoint& p : path) {
        const uint32_t start = FPlatform.TickCount();
        SetWindowPos(FHost.HiderWindow(), nullptr, p.X, p.Y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
        RepaintForSlide();
        if (animate) Sleep(FramePause(FPlatform.TickCount() - start));
    }
}

void TAutoHider::ShowPage() {
    ShowWindow(FHost.HiderEntryArea(), SW_SHOWNA);
    FHost.HiderTabs().SetVisible(true);
}

void TAutoHider::HidePage() {
    ShowWindow(FHost.HiderEntryArea(), SW_HIDE);
    FHost.HiderTabs().SetVisible(false);
    FHost.HiderHideTitle();
}

void TAutoHider::Hide(bool immediate) {
    const TVantorSettings& settings = FHost.HiderSettings();
    if (!settings.AutoHide || FHidden || !FHost.HiderPageExists() || !CanLockWindowUpdate()) return;
    const bool animate = settings.HideSmoothly && !immediate;
    SlideThrough(HidePath(SlideGeometryNow(), animate), animate);
    FHidden = true;
    HidePage();
}

void TAutoHider::Show(bool immediate) {
    const TVantorSettings& settings = FHost.HiderSettings();
    if (!settings.AutoHide || !FHidden) return;
    ShowPage();
    FHidden = false;
    const bool animate = settings.HideSmoothly && !immediate;
    SlideThrough(ShowPath(SlideGeometryNow(), animate), animate);
}

std::optional<TPoint> TAutoHider::ShownPlace() const {
    if (!FHidden) return std::nullopt;
    const std::vector<TPoint> back = ShowPath(SlideGeometryNow(), false);
    if (back.empty()) return std::nullopt;
    return back.back();
}

// A hidden window that someone put back on the screen is hidden again; when
// it cannot be (AutoHide is off now, or the lock is taken), it shows its
// contents rather than stand there empty.
void TAutoHider::RepairHiddenState() {
    const SIZE screen = ScreenSize();
    if (!FHidden || !IsHiddenWindowOnScreen(WindowBounds(FHost.HiderWindow()), screen.cx, screen.cy)) return;
    FHidden = false;
    Hide(true);
    if (FHidden) return;
    ShowPage();
}

void TAutoHider::WindowMoved() {
    if (!FSliding && FHost.HiderPageExists()) ShowPage();
}

// Without show-on-point, activating the window (a click on the sliver, the
// task switcher) is how it comes out.
void TAutoHider::WindowActivated() {
    if (GetActiveWindow() == FHost.HiderWindow() && !FHost.HiderSettings().ShowOnPoint) Show(false);
}

// Left with the pointer away, the window slides away; at once when a bar
// took the activation.
void TAutoHider::WindowDeactivated() {
    POINT pointer{};
    if (GetCursorPos(&pointer) && !PointerInside(pointer)) Hide(FHost.HiderBarActive());
}

void TAutoHider::Tick(uint32_t now) {
    RepairHiddenState();
    if (!IsPointerCheckDue(now, FPointerWatch.LastPointerCheck,
                           static_cast<uint32_t>(FHost.HiderSettings().CheckMousePosInterval())))
        return;
    FPointerWatch.LastPointerCheck = now;
    if (FDesktop.KeepQuiet()) return;
    POINT pointer{};
    if (!GetCursorPos(&pointer)) return;
    if (FHost.HiderSettings().PointOpen) PointAtTabs(pointer, now);
    FDesktop.CornerTick(pointer, now);
    ShowOrHideByPointer(pointer);
}

// The program's own drags hold the pointer capture in the strip or the panel.
bool TAutoHider::EntryOrTabDragInProgress() const {
    HWND capture = GetCapture();
    return capture && (capture == FHost.HiderTabs().Handle() || capture == FHost.HiderEntryPanel());
}

void TAutoHider::PointAtTabs(POINT pointer, uint32_t now) {
    TNarrowTab& tabs = FHost.HiderTabs();
    TTabPointing in;
    in.OverTabStrip = WindowFromPoint(pointer) == tabs.Handle();
    if (in.OverTabStrip) {
        POINT local = pointer;
        ScreenToClient(tabs.Handle(), &local);
        in.Tab = tabs.TabAtPos(local.x, local.y);
    }
    in.SelectedTab = tabs.TabIndex();
    in.Dragging = EntryOrTabDragInProgress();
    in.Now = now;
    const int tab = TabToOpen(FPointerWatch, in, FHost.HiderSettings().PointPause());
    if (tab >= 0) FHost.HiderOpenPage(tab);
}

void TAutoHider::ShowOrHideByPointer(POINT pointer) {
    const TVantorSettings& settings = FHost.HiderSettings();
    TPointerCheck in;
    in.PointerInside = PointerInside(pointer);
    in.Hidden = FHidden;
    in.WorkingElsewhere = FHost.HiderBarActive() || !ProgramIsActive();
    in.CheckInterval = settings.CheckMousePosInterval();
    in.ShowPause = settings.ShowPause;
    in.HidePause = settings.HidePause();
    switch (ShowOrHide(FPointerWatch, in)) {
        case TSlideAction::Show:
            // A bar dragged with its outline on the desktop holds the update
            // lock: the outline is erased, the lock released, the window shown
            // at once, and both taken back here.
            Show(false);
            break;
        case TSlideAction::Hide:
            Hide(false);
            break;
        default:
            break;
    }
}
