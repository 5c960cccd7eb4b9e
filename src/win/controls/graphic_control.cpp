#include "controls/graphic_control.h"

#include <windowsx.h>

#include <algorithm>

namespace {

constexpr unsigned HotTrackInterval = 100;

bool Intersects(const RECT& a, const RECT& b) {
    return a.left < b.right && b.left < a.right && a.top < b.bottom && b.top < a.bottom;
}

}  // namespace

// --- TGraphicControl ---

TGraphicControl::TGraphicControl(int width, int height) : FBounds{0, 0, width, height} {}

TGraphicControl::~TGraphicControl() {
    if (FHost) FHost->Remove(*this);
}

void TGraphicControl::SetBounds(const TBounds& bounds) {
    if (bounds == FBounds) return;
    Invalidate();
    FBounds = bounds;
    Invalidate();
    BoundsChanged();
}

void TGraphicControl::SetVisible(bool visible) {
    if (visible == FVisible) return;
    if (!visible) Invalidate();
    FVisible = visible;
    if (!visible && FHost) FHost->ForgetMouseControl(*this);
    Invalidate();
}

void TGraphicControl::SetEnabled(bool enabled) {
    if (enabled == FEnabled) return;
    FEnabled = enabled;
    EnabledChanged();
    Invalidate();
}

HWND TGraphicControl::ParentHandle() const { return FHost ? FHost->Parent() : nullptr; }

RECT TGraphicControl::ClientToParent() const {
    return RECT{FBounds.Left, FBounds.Top, FBounds.Right(), FBounds.Bottom()};
}

POINT TGraphicControl::ClientToScreen(POINT p) const {
    POINT s{p.x + FBounds.Left, p.y + FBounds.Top};
    if (HWND parent = ParentHandle()) ::ClientToScreen(parent, &s);
    return s;
}

void TGraphicControl::Invalidate() {
    if (!ParentHandle() || !Showing()) return;
    FHost->InvalidateArea(ClientToParent(), !FOpaque);
}

void TGraphicControl::Repaint() {
    HWND parent = ParentHandle();
    if (!parent) return;
    // At once, even inside a batch: the caller wants to see it now.
    if (Showing()) {
        const RECT r = ClientToParent();
        InvalidateRect(parent, &r, FOpaque ? FALSE : TRUE);
    }
    UpdateWindow(parent);
}

void TGraphicControl::MouseDown(TMouseButton button, TShiftState shift, int x, int y) {
    // The second press of a double click makes no second click.
    if (button == mbLeft && !(shift & ssDouble)) FClicked = true;
    if (OnMouseDown) OnMouseDown(*this, button, shift, x, y);
}

void TGraphicControl::MouseMove(TShiftState shift, int x, int y) {
    if (OnMouseMove) OnMouseMove(*this, shift, x, y);
}

void TGraphicControl::MouseUp(TMouseButton button, TShiftState shift, int x, int y) {
    if (button == mbLeft && FClicked) {
        FClicked = false;
        const bool inside = x >= 0 && x < Width() && y >= 0 && y < Height();
        if (ClickOnRelease && inside && OnClick) OnClick(*this);
    }
    if (OnMouseUp) OnMouseUp(*this, button, shift, x, y);
}

void TGraphicControl::DblClick() {
    if (OnDblClick) OnDblClick(*this);
}

void TGraphicControl::MouseEnter() {
    if (OnMouseEnter) OnMouseEnter(*this);
}

void TGraphicControl::MouseLeave() {
    if (OnMouseExit) OnMouseExit(*this);
}

TComponent* TGraphicControl::BeginDrag() {
    if (!FHost || !FHost->Parent()) return nullptr;
    FHost->CancelMouseCapture();
    const TDragResult r = RunDrag(FHost->Parent(), *this);
    if (OnEndDrag) OnEndDrag(*this, r.Target, r.At.x, r.At.y);
    return r.Target;
}

// --- THotTrackTimer ---

THotTrackTimer::THotTrackTimer() {
    FTimer.SetInterval(HotTrackInterval);
    FTimer.OnTimer = [this] {
        if (FOwner) FOwner->HotTimerTick();
    };
}

void THotTrackTimer::Attach(TGraphicControl& control) {
    FOwner = &control;
    FTimer.Start();
}

void THotTrackTimer::Detach(const TGraphicControl& control) {
    if (FOwner != &control) return;
    FOwner = nullptr;
    FTimer.Stop();
}

// --- TGraphicControlHost ---

TGraphicControlHost::TGraphicControlHost(HWND parent)
    : FParent(parent), FHotTimer(std::make_shared<THotTrackTimer>()) {}

TGraphicControlHost::~TGraphicControlHost() {
    for (TGraphicControl* c : FControls) {
        FHotTimer->Detach(*c);
        c->FHost = nullptr;
    }
}

void TGraphicControlHost::Add(TGraphicControl& control) {
    if (control.FHost == this) return;
    if (control.FHost) control.FHost->Remove(control);
    control.FHost = this;
    FControls.push_back(&control);
    control.Invalidate();
}

void TGraphicControlHost::Remove(TGraphicControl& control) {
    auto it = std::find(FControls.begin(), FControls.end(), &control);
    if (it == FControls.end()) return;
    control.Invalidate();
    if (FCaptureControl == &control) FCaptureControl = nullptr;
    if (FMouseControl == &control) FMouseControl = nullptr;
    FHotTimer->Detach(control);
    FControls.erase(it);
    control.FHost = nullptr;
}

void TGraphicControlHost::InvalidateArea(const RECT& r, bool erase) {
    if (!FParent || r.right <= r.left || r.bottom <= r.top) return;
    if (FBatchDepth == 0) {
        InvalidateRect(FParent, &r, erase ? TRUE : FALSE);
        return;
    }
    RECT both;
    UnionRect(&both, &FBatchArea, &r);  // an empty area adds nothing
    FBatchArea = both;
    FBatchErase = FBatchErase || erase;
}

void TGraphicControlHost::EndBatch() {
    if (--FBatchDepth > 0) return;
    const RECT area = FBatchArea;
    const bool erase = FBatchErase;
    FBatchArea = RECT{};
    FBatchErase = false;
    if (FParent && !IsRectEmpty(&area)) InvalidateRect(FParent, &area, erase ? TRUE : FALSE);
}

TGraphicControl* TGraphicControlHost::ControlAtPos(int x, int y, bool allowDisabled) const {
    for (auto it = FControls.rbegin(); it != FControls.rend(); ++it) {
        TGraphicControl* c = *it;
        if (!c->Showing() || (!allowDisabled && !c->Enabled())) continue;
        if (ToRect(c->Bounds()).Contains(x, y)) return c;
    }
    return nullptr;
}

TGraphicControl* TGraphicControlHost::ControlAtScreenPos(POINT screen) const {
    if (!FParent || WindowFromPoint(screen) != FParent) return nullptr;
    POINT p = screen;
    ScreenToClient(FParent, &p);
    RECT client;
    GetClientRect(FParent, &client);
    if (!PtInRect(&client, p)) return nullptr;
    return ControlAtPos(p.x, p.y, true);
}

TGraphicControl* TGraphicControlHost::ControlUnderPointer() const {
    POINT p;
    if (!GetCursorPos(&p)) return nullptr;
    return ControlAtScreenPos(p);
}

void TGraphicControlHost::PaintControls(HDC dc, const RECT& clip) const {
    for (TGraphicControl* c : FControls) {
        if (!c->Showing()) continue;
        const RECT r = c->ClientToParent();
        if (!Intersects(r, clip)) continue;
        const int saved = SaveDC(dc);
        OffsetViewportOrgEx(dc, r.left, r.top, nullptr);
        IntersectClipRect(dc, 0, 0, c->Width(), c->Height());
        c->Paint(dc);
        RestoreDC(dc, saved);
    }
}

void TGraphicControlHost::PaintControlNow(TGraphicControl& control, const RECT* clip) const {
    if (!FParent || !control.Showing() || !IsWindowVisible(FParent)) return;
    HDC dc = GetDC(FParent);
    if (!dc) return;
    const RECT r = control.ClientToParent();
    OffsetViewportOrgEx(dc, r.left, r.top, nullptr);
    IntersectClipRect(dc, 0, 0, control.Width(), control.Height());
    if (clip) IntersectClipRect(dc, clip->left, clip->top, clip->right, clip->bottom);
    control.Paint(dc);
    ReleaseDC(FParent, dc);
}

void TGraphicControlHost::UpdateMouseControl(TGraphicControl* under) {
    if (under == FMouseControl) return;
    TGraphicControl* old = FMouseControl;
    FMouseControl = under;
    if (old) old->MouseLeave();
    if (under && under == FMouseControl) under->MouseEnter();
}

void TGraphicControlHost::ForgetMouseControl(const TGraphicControl& control) {
    if (FMouseControl == &control) FMouseControl = nullptr;
}

void TGraphicControlHost::ChangeUnderPointer(const std::function<void()>& change) {
    const bool pointed = FMouseControl != nullptr;
    if (pointed) UpdateMouseControl(nullptr);
    change();
    if (!pointed) return;
    UpdateMouseControl(ControlUnderPointer());
    if (FMouseControl) TrackLeave();
}

void TGraphicControlHost::TrackLeave() {
    if (FTrackingLeave || !FParent) return;
    TRACKMOUSEEVENT tme{sizeof(tme), TME_LEAVE, FParent, 0};
    FTrackingLeave = TrackMouseEvent(&tme) != FALSE;
}

void TGraphicControlHost::CancelMouseCapture() {
    TGraphicControl* c = FCaptureControl;
    if (!c) return;
    FCaptureControl = nullptr;
    if (GetCapture() == FParent) ReleaseCapture();
    c->FClicked = false;
    c->CaptureLost();
}

bool TGraphicControlHost::HandleMouseMessage(UINT msg, WPARAM wParam, LPARAM lParam) {
    const int x = GET_X_LPARAM(lParam);
    const int y = GET_Y_LPARAM(lParam);
    switch (msg) {
        case WM_MOUSEMOVE: {
            POINT screen{x, y};
            ClientToScreen(FParent, &screen);
            UpdateMouseControl(ControlAtScreenPos(screen));
            TrackLeave();
            TGraphicControl* target = FCaptureControl ? FCaptureControl : ControlAtPos(x, y);
            if (!target) return false;
            target->MouseMove(MouseShiftState(wParam), x - target->Bounds().Left, y - target->Bounds().Top);
            return true;
        }
        case WM_MOUSELEAVE:
            FTrackingLeave = false;
            if (!FCaptureControl) UpdateMouseControl(nullptr);
            return false;
        case WM_CAPTURECHANGED:
            if (FCaptureControl && reinterpret_cast<HWND>(lParam) != FParent) {
                TGraphicControl* c = FCaptureControl;
                FCaptureControl = nullptr;
                c->FClicked = false;
                c->CaptureLost();
            }
            return false;
        default:
            return MouseButtonMessage(msg, wParam, x, y);
    }
}

bool TGraphicControlHost::MouseButtonMessage(UINT msg, WPARAM wParam, int x, int y) {
    TMouseButton button;
    bool down = true;
    bool dbl = false;
    switch (msg) {
        case WM_LBUTTONDBLCLK:
            dbl = true;
            [[fallthrough]];
        case WM_LBUTTONDOWN:
            button = mbLeft;
            break;
        case WM_RBUTTONDBLCLK:
            dbl = true;
            [[fallthrough]];
        case WM_RBUTTONDOWN:
            button = mbRight;
            break;
        case WM_MBUTTONDBLCLK:
            dbl = true;
            [[fallthrough]];
        case WM_MBUTTONDOWN:
            button = mbMiddle;
            break;
        case WM_LBUTTONUP:
            button = mbLeft;
            down = false;
            break;
        case WM_RBUTTONUP:
            button = mbRight;
            down = false;
            break;
        case WM_MBUTTONUP:
            button = mbMiddle;
            down = false;
            break;
        default:
            return false;
    }
    TShiftState shift = MouseShiftState(wParam);
    if (down) {
        TGraphicControl* target = FCaptureControl ? FCaptureControl : ControlAtPos(x, y);
        if (!target) return false;
        if (button == mbLeft && !FCaptureControl) {
            FCaptureControl = target;
            SetCapture(FParent);
        }
        if (dbl) {
            shift |= ssDouble;
            if (button == mbLeft) target->DblClick();
        }
        target->MouseDown(button, shift, x - target->Bounds().Left, y - target->Bounds().Top);
        return true;
    }
    TGraphicControl* target = ControlAtPos(x, y);
    if (button == mbLeft && FCaptureControl) {
        target = FCaptureControl;
        FCaptureControl = nullptr;
        if (GetCapture() == FParent) ReleaseCapture();
    } else if (FCaptureControl) {
        target = FCaptureControl;
    }
    if (!target) return false;
    target->MouseUp(button, shift, x - target->Bounds().Left, y - target->Bounds().Top);
    return true;
}

bool TGraphicControlHost::HandleSetCursor() {
    POINT p;
    if (!FParent || !GetCursorPos(&p)) return false;
    ScreenToClient(FParent, &p);
    TGraphicControl* c = FCaptureControl ? FCaptureControl : ControlAtPos(p.x, p.y, true);
    if (!c || !c->Cursor) return false;
    SetCursor(c->Cursor);
    return true;
}
