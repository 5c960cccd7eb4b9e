#include "app/auto_hider.h"

#include <algorithm>

#include "app/desktop_hooks.h"
#include "base/handles.h"
#include "base/modal_gate.h"
#include "base/monitors.h"
#include "controls/narrow_tab.h"

namespace {

TBounds WindowBounds(HWND window) {
    RECT r{};
    GetWindowRect(window, &r);
    return TBounds{r.left, r.top, r.right - r.left, r.bottom - r.top};
}

// Whether the thread's leave tracking is on `window`'s client area or frame.
bool LeaveTrackedOn(HWND window, bool frame) {
    TRACKMOUSEEVENT now{sizeof(now), TME_QUERY, nullptr, 0};
    if (!TrackMouseEvent(&now) || now.hwndTrack != window || !(now.dwFlags & TME_LEAVE)) return false;
    return ((now.dwFlags & TME_NONCLIENT) != 0) == frame;
}

// The window the pointer is over posts WM_MOUSELEAVE (WM_NCMOUSELEAVE for
// its frame) when the pointer leaves it; the controls ask the same for
// their own client areas, so asking again changes nothing for them.
bool ReportLeave(HWND window, bool frame) {
    if (LeaveTrackedOn(window, frame)) return true;
    TRACKMOUSEEVENT tme{sizeof(tme), TME_LEAVE | (frame ? static_cast<DWORD>(TME_NONCLIENT) : 0u), window, 0};
    return TrackMouseEvent(&tme) && LeaveTrackedOn(window, frame);
}

}  // namespace

bool ProgramIsActive() {
    HWND foreground = GetForegroundWindow();
    DWORD process = 0;
    return foreground && GetWindowThreadProcessId(foreground, &process) && process == GetCurrentProcessId();
}

TAutoHider::TAutoHider(TAutoHideHost& host, TDesktopHooks& desktop, TPlatform& platform)
    : FHost(host), FDesktop(desktop), FPlatform(platform) {
    FChecks.OnTimer = [this] { Check(); };
    FDesktop.OnForegroundChanged = [this] { Wake(); };
}

TAutoHider::~TAutoHider() { FDesktop.OnForegroundChanged = nullptr; }

// Another window holding the update lock is busy drawing on the screen (a
// bar's outline while it is dragged): a slide now would spoil its drawing.
bool TAutoHider::CanLockWindowUpdate() const {
    if (!LockWindowUpdate(FHost.HiderWindow())) return false;
    LockWindowUpdate(nullptr);
    return true;
}

// The window's own monitor: hidden, the one its sliver is on.
TSlideGeometry TAutoHider::SlideGeometryNow() const {
    const TBounds b = WindowBounds(FHost.HiderWindow());
    const TMonitorAreas monitor = MonitorOfWindow(FHost.HiderWindow());
    TSlideGeometry g;
    g.DockEdge = FHost.HiderEdge();
    g.Position = TPoint{b.Left, b.Top};
    g.Width = b.Width;
    g.Height = b.Height;
    g.Monitor = monitor.Area;
    g.Work = monitor.Work;
    g.HideWidth = FHost.HiderPx(FHost.HiderSettings().HideWidth());
    return g;
}

TRect TAutoHider::VisiblePart() const {
    const TRect window = ToRect(WindowBounds(FHost.HiderWindow()));
    if (!FHidden) return window;
    const TRect sliver = HiddenSliver(SlideGeometryNow());
    return sliver.Intersects(window) ? sliver : window;
}

bool TAutoHider::PointerInside(POINT pointer) const { return VisiblePart().Contains(pointer.x, pointer.y); }

// Some window managers keep a part of every window in reach (a tenth of it
// under openbox): the rest of the hidden window is cut away, so that only
// its sliver shows and takes the pointer, as where the move was granted.
void TAutoHider::ClipToSliver() {
    const TSlideGeometry g = SlideGeometryNow();
    const std::optional<TRect> clip =
        SliverClip(TBounds{g.Position.X, g.Position.Y, g.Width, g.Height}, HiddenSliver(g), g.Monitor);
    if (clip == FClip) return;
    if (!clip) {
        Unclip();
        return;
    }
    TRegionHandle region(CreateRectRgn(clip->Left, clip->Top, clip->Right, clip->Bottom));
    // The system owns a region it took.
    if (region && SetWindowRgn(FHost.HiderWindow(), region.Get(), TRUE)) {
        region.Release();
        FClip = clip;
    }
}

void TAutoHider::Unclip() {
    if (!FClip) return;
    SetWindowRgn(FHost.HiderWindow(), nullptr, TRUE);
    FClip.reset();
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

bool TAutoHider::CanHide() const { return CanHideOffEdge(SlideGeometryNow(), AllMonitors()); }

void TAutoHider::Hide(bool immediate) {
    const TVantorSettings& settings = FHost.HiderSettings();
    if (!settings.AutoHide || FHidden || !FHost.HiderPageExists() || !CanHide() || !CanLockWindowUpdate()) return;
    const bool animate = settings.HideSmoothly && !immediate;
    SlideThrough(HidePath(SlideGeometryNow(), animate), animate);
    FHidden = true;
    HidePage();
    ClipToSliver();
    Wake();
}

void TAutoHider::Show(bool immediate) {
    const TVantorSettings& settings = FHost.HiderSettings();
    if (!settings.AutoHide || !FHidden) return;
    Unclip();
    ShowPage();
    FHidden = false;
    const bool animate = settings.HideSmoothly && !immediate;
    SlideThrough(ShowPath(SlideGeometryNow(), animate), animate);
    // Shown without being made active (a hot key that did not get the
    // foreground), the window left alone slides away again.
    Wake();
}

std::optional<TPoint> TAutoHider::ShownPlace() const {
    if (!FHidden) return std::nullopt;
    const std::vector<TPoint> back = ShowPath(SlideGeometryNow(), false);
    if (back.empty()) return std::nullopt;
    return back.back();
}

bool TAutoHider::HiddenWindowOnScreen() const {
    return IsHiddenWindowOnScreen(WindowBounds(FHost.HiderWindow()), MonitorOfWindow(FHost.HiderWindow()).Area);
}

// A hidden window that someone put back on the screen is hidden again; when
// it cannot be (AutoHide is off now, or the lock is taken), it shows its
// contents rather than stand there empty.
void TAutoHider::RepairHiddenState() {
    if (!FHidden || !HiddenWindowOnScreen()) return;
    Unclip();
    FHidden = false;
    Hide(true);
    if (FHidden) return;
    ShowPage();
}

void TAutoHider::WindowMoved() {
    // A window manager answering the slide with a place of its own is no
    // user's move: the window stays hidden, cut to its sliver there.
    const bool heldInReach = FHidden && !FSliding && !HiddenWindowOnScreen();
    if (heldInReach) ClipToSliver();
    if (!FSliding && !heldInReach && FHost.HiderPageExists()) ShowPage();
    if (FHidden) Wake();
}

// Without show-on-point, activating the window (a click on the sliver, the
// task switcher) is how it comes out.
void TAutoHider::WindowActivated() {
    if (GetActiveWindow() == FHost.HiderWindow() && !FHost.HiderSettings().ShowOnPoint) Show(false);
    Wake();
}

// Left with the pointer away, the window slides away; at once when a bar
// took the activation.
void TAutoHider::WindowDeactivated() {
    POINT pointer{};
    if (GetCursorPos(&pointer) && !PointerInside(pointer)) Hide(FHost.HiderBarActive());
    // Left with the pointer inside, the window hides once the pointer goes.
    Wake();
}

// ---------------------------------------------------------------- pointer checks

void TAutoHider::SettingsChanged() {
    const TVantorSettings& settings = FHost.HiderSettings();
    FChecks.SetInterval(static_cast<unsigned>(std::max<int32_t>(1, settings.CheckMousePosInterval())));
    FDesktop.WatchForeground(settings.QuietOverFullScreen);
    Wake();
}

// Nothing runs under an open box, dialog, menu or drag (the gate's release
// wakes the checks again), nor before the window is up.
bool TAutoHider::ChecksMayRun() const {
    return !ModalGate().Held() && FHost.HiderStarted() && IsWindowVisible(FHost.HiderWindow());
}

void TAutoHider::Wake() {
    if (!FChecks.Enabled() && ChecksMayRun()) FChecks.Start();
}

bool TAutoHider::IsOwnWindow(HWND window) const {
    HWND main = FHost.HiderWindow();
    return window && main && (window == main || IsChild(main, window));
}

void TAutoHider::PointerMessage(const MSG& msg) {
    const bool move = msg.message == WM_MOUSEMOVE || msg.message == WM_NCMOUSEMOVE;
    const bool leave = msg.message == WM_MOUSELEAVE || msg.message == WM_NCMOUSELEAVE;
    if (!(move || leave) || !IsOwnWindow(msg.hwnd)) return;
    if (move) ReportLeave(msg.hwnd, msg.message == WM_NCMOUSEMOVE);
    Wake();
}

// The pointer is over a window of this one that reports its leaving: the
// window itself, a child, or what lies under a title that lets it through.
bool TAutoHider::ReportLeaveAt(POINT pointer) const {
    HWND under = WindowFromPoint(pointer);
    if (!IsOwnWindow(under)) return false;
    const LRESULT hit = SendMessageW(under, WM_NCHITTEST, 0, MAKELPARAM(pointer.x, pointer.y));
    return ReportLeave(under, hit != HTCLIENT);
}

// The pointer reaches the hidden window only where no other window lies
// over its sliver; the sliver is looked at along its middle line.
bool TAutoHider::SliverCovered() const {
    const TRect visible = VisiblePart();
    const RECT window{visible.Left, visible.Top, visible.Right, visible.Bottom};
    const TRect area = MonitorOfWindow(FHost.HiderWindow()).Area;
    const RECT screen{area.Left, area.Top, area.Right, area.Bottom};
    RECT sliver{};
    if (!IntersectRect(&sliver, &window, &screen)) return false;
    const bool across = sliver.right - sliver.left > sliver.bottom - sliver.top;
    for (int i = 0; i < 3; ++i) {
        POINT p{(sliver.left + sliver.right) / 2, (sliver.top + sliver.bottom) / 2};
        if (across)
            p.x = sliver.left + (sliver.right - 1 - sliver.left) * i / 2;
        else
            p.y = sliver.top + (sliver.bottom - 1 - sliver.top) * i / 2;
        if (!IsOwnWindow(WindowFromPoint(p))) return true;
    }
    return false;
}

bool TAutoHider::WorkingElsewhere() const { return FHost.HiderBarActive() || !ProgramIsActive(); }

void TAutoHider::Check() {
    if (!ChecksMayRun()) {
        FChecks.Stop();
        return;
    }
    RepairHiddenState();
    TWatchState state;
    state.Quiet = FDesktop.KeepQuiet();
    POINT pointer{};
    if (!state.Quiet && GetCursorPos(&pointer)) {
        const uint32_t now = FPlatform.TickCount();
        if (FHost.HiderSettings().PointOpen)
            PointAtTabs(pointer, now);
        else
            FPointerWatch.PointedTab = -1;
        FDesktop.CornerTick(pointer, now);
        ShowOrHideByPointer(pointer);
        // What the check did (a slide, a page, a corner's action) is in the state below.
        GetCursorPos(&pointer);
        state.PointerInside = PointerInside(pointer);
        state.LeaveReported = state.PointerInside && ReportLeaveAt(pointer);
    }
    state.AutoHide = FHost.HiderSettings().AutoHide;
    state.Hidden = FHidden;
    state.SliverCovered = FHidden && SliverCovered();
    state.CanHide = FHidden || CanHide();
    state.WorkingElsewhere = WorkingElsewhere();
    state.SelectedTab = FHost.HiderTabs().TabIndex();
    state.CornersWatched = FDesktop.CornersWatched();
    if (!PointerChecksWanted(FPointerWatch, state)) FChecks.Stop();
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
    in.WorkingElsewhere = WorkingElsewhere();
    in.CheckInterval = settings.CheckMousePosInterval();
    in.ShowPause = settings.ShowPause;
    in.HidePause = settings.HidePause();
    switch (ShowOrHide(FPointerWatch, in)) {
        case TSlideAction::Show:
            // A bar dragged with its outline on the desktop holds the update
            // lock: the outline is erased, the lock released, the window shown
            // at once, and both taken back.
            if (FHost.HiderBarOutlined())
                FHost.HiderWithDesktopUnlocked([this] { Show(true); });
            else
                Show(false);
            break;
        case TSlideAction::Hide:
            Hide(false);
            break;
        default:
            break;
    }
}
