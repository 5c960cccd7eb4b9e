#include "controls/paint_panel.h"

#include <shellapi.h>
#include <windowsx.h>

#include "base/double_buffer.h"
#include "base/handles.h"
#include "base/win_text.h"

namespace {
const wchar_t* const PanelClass = L"VantorPaintPanel";
}

TPaintPanel::~TPaintPanel() { DestroyHandle(); }

bool TPaintPanel::Create(HWND parent, const TBounds& bounds) {
    FInitialBounds = bounds;
    DWORD style = WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN | WS_CLIPSIBLINGS;
    if (FTabStop) style |= WS_TABSTOP;
    // No CS_HREDRAW / CS_VREDRAW: a resize repaints only what became visible.
    if (!CreateHandle(PanelClass, 0, style, L"", bounds.Left, bounds.Top, bounds.Width, bounds.Height, parent, nullptr,
                      CS_DBLCLKS)) {
        return false;
    }
    FControls.SetParent(Handle());
    RegisterDragWindow(Handle(), this);
    Created();
    return true;
}

TBounds TPaintPanel::Bounds() const {
    if (!Handle()) return FInitialBounds;
    RECT r;
    GetWindowRect(Handle(), &r);
    MapWindowPoints(HWND_DESKTOP, GetParent(Handle()), reinterpret_cast<POINT*>(&r), 2);
    return TBounds{r.left, r.top, r.right - r.left, r.bottom - r.top};
}

void TPaintPanel::SetBounds(const TBounds& bounds) {
    const TBounds b = WithoutNegativeSize(bounds);
    if (!Handle()) {
        FInitialBounds = b;
        return;
    }
    SetWindowPos(Handle(), nullptr, b.Left, b.Top, b.Width, b.Height, SWP_NOZORDER | SWP_NOACTIVATE);
}

int TPaintPanel::ClientWidth() const {
    RECT r{};
    if (Handle()) GetClientRect(Handle(), &r);
    return Handle() ? r.right : FInitialBounds.Width;
}

int TPaintPanel::ClientHeight() const {
    RECT r{};
    if (Handle()) GetClientRect(Handle(), &r);
    return Handle() ? r.bottom : FInitialBounds.Height;
}

void TPaintPanel::SetVisible(bool visible) {
    if (Handle()) ShowWindow(Handle(), visible ? SW_SHOWNA : SW_HIDE);
}

void TPaintPanel::SetTabStop(bool tabStop) {
    FTabStop = tabStop;
    if (!Handle()) return;
    LONG_PTR style = GetWindowLongPtrW(Handle(), GWL_STYLE);
    style = tabStop ? (style | WS_TABSTOP) : (style & ~static_cast<LONG_PTR>(WS_TABSTOP));
    SetWindowLongPtrW(Handle(), GWL_STYLE, style);
}

void TPaintPanel::Invalidate(const RECT* r) {
    if (Handle()) InvalidateRect(Handle(), r, FALSE);
}

void TPaintPanel::Update() {
    if (Handle()) UpdateWindow(Handle());
}

void TPaintPanel::Paint(HDC target, const RECT& clip) {
    TDoubleBuffer buffer(target, clip);
    HDC dc = buffer.DC();
    if (AutoClear) FillRect(dc, &clip, GetSysColorBrush(COLOR_BTNFACE));
    if (OnPaint) OnPaint(*this, dc, clip);
    FControls.PaintControls(dc, clip);
}

TDragSite* TPaintPanel::DragSiteAt(POINT& at) {
    if (TGraphicControl* c = FControls.ControlAtPos(at.x, at.y)) {
        at.x -= c->Bounds().Left;
        at.y -= c->Bounds().Top;
        return c;
    }
    return this;
}

void TPaintPanel::TrackMouse() {
    if (FMouseInside) return;
    FMouseInside = true;
    TRACKMOUSEEVENT tme{sizeof(tme), TME_LEAVE, Handle(), 0};
    TrackMouseEvent(&tme);
    if (OnMouseEnter) OnMouseEnter(*this);
}

void TPaintPanel::MouseButton(UINT msg, WPARAM wParam, int x, int y) {
    TShiftState shift = MouseShiftState(wParam);
    switch (msg) {
        case WM_LBUTTONDOWN:
        case WM_LBUTTONDBLCLK:
            FPressed = true;
            SetCapture(Handle());
            if (msg == WM_LBUTTONDBLCLK) {
                shift |= ssDouble;
                if (OnDblClick) OnDblClick(*this);
            }
            if (OnMouseDown) OnMouseDown(*this, mbLeft, shift, x, y);
            break;
        case WM_RBUTTONDOWN:
        case WM_MBUTTONDOWN:
            if (OnMouseDown) OnMouseDown(*this, msg == WM_RBUTTONDOWN ? mbRight : mbMiddle, shift, x, y);
            break;
        case WM_LBUTTONUP: {
            const bool clicked = FPressed;
            FPressed = false;
            if (GetCapture() == Handle()) ReleaseCapture();
            RECT client;
            GetClientRect(Handle(), &client);
            if (clicked && PtInRect(&client, POINT{x, y}) && OnClick) OnClick(*this);
            if (OnMouseUp) OnMouseUp(*this, mbLeft, shift, x, y);
            break;
        }
        case WM_RBUTTONUP:
        case WM_MBUTTONUP:
            if (OnMouseUp) OnMouseUp(*this, msg == WM_RBUTTONUP ? mbRight : mbMiddle, shift, x, y);
            break;
    }
}

LRESULT TPaintPanel::HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) {
    switch (msg) {
        case WM_ERASEBKGND:
            return 1;  // painted whole in WM_PAINT
        case WM_PAINT: {
            TPaintDC dc(Handle());
            Paint(dc.DC(), dc.PaintRect());
            return 0;
        }
        case WM_SIZE:
            if (OnResize) OnResize(*this);
            return 0;
        case WM_QUERYNEWPALETTE:
        case WM_PALETTECHANGED:
            break;
        case WM_MOUSEMOVE: {
            TrackMouse();
            // While the panel's own background is pressed the moves are the
            // panel's (the owner drags with them), whatever control lies below.
            if (!FPressed && FControls.HandleMouseMessage(msg, wParam, lParam)) return 0;
            if (OnMouseMove) OnMouseMove(*this, MouseShiftState(wParam), GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam));
            return 0;
        }
        case WM_MOUSELEAVE:
            FControls.HandleMouseMessage(msg, wParam, lParam);
            FMouseInside = false;
            if (OnMouseExit) OnMouseExit(*this);
            return 0;
        case WM_CAPTURECHANGED:
            FControls.HandleMouseMessage(msg, wParam, lParam);
            if (reinterpret_cast<HWND>(lParam) != Handle()) FPressed = false;
            return 0;
        case WM_LBUTTONDOWN:
        case WM_LBUTTONDBLCLK:
        case WM_LBUTTONUP:
        case WM_RBUTTONDOWN:
        case WM_RBUTTONUP:
        case WM_MBUTTONDOWN:
        case WM_MBUTTONUP:
            // The release of a press on the background ends the panel's own
            // press, even over a control: else the capture would stay.
            if ((msg == WM_LBUTTONUP && FPressed) || !FControls.HandleMouseMessage(msg, wParam, lParam)) {
                MouseButton(msg, wParam, GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam));
            }
            return 0;
        case WM_SETCURSOR:
            if (LOWORD(lParam) == HTCLIENT && reinterpret_cast<HWND>(wParam) == Handle()) {
                if (FControls.HandleSetCursor()) return TRUE;
                if (Cursor) {
                    SetCursor(Cursor);
                    return TRUE;
                }
            }
            break;
        case WM_GETDLGCODE:
            return DLGC_WANTARROWS | DLGC_WANTCHARS;
        case WM_KEYDOWN:
        case WM_KEYUP:
            if (TKeyEvent& handler = msg == WM_KEYDOWN ? OnKeyDown : OnKeyUp) {
                WORD key = static_cast<WORD>(wParam);
                handler(*this, key, KeyboardShiftState());
                if (key == 0) return 0;
            }
            break;
        case WM_CHAR:
            if (OnKeyPress) {
                wchar_t key = static_cast<wchar_t>(wParam);
                OnKeyPress(*this, key);
                if (key == 0) return 0;
            }
            break;
        case WM_DESTROY:
            RegisterDragWindow(Handle(), nullptr);
            break;
    }
    return DefaultHandler(msg, wParam, lParam);
}

// --- TDropPaintPanel ---

void TDropPaintPanel::SetEnableDrop(bool enable) {
    FEnableDrop = enable;
    if (Handle()) DragAcceptFiles(Handle(), enable ? TRUE : FALSE);
}

void TDropPaintPanel::Created() {
    if (FEnableDrop) DragAcceptFiles(Handle(), TRUE);
}

std::vector<std::string> DroppedFileNames(HDROP drop) {
    std::vector<std::string> names;
    const UINT count = DragQueryFileW(drop, 0xFFFFFFFF, nullptr, 0);
    for (UINT i = 0; i < count; ++i) {
        const UINT length = DragQueryFileW(drop, i, nullptr, 0);
        std::wstring name(length + 1, L'\0');
        const UINT got = DragQueryFileW(drop, i, name.data(), length + 1);
        name.resize(got);
        names.push_back(Narrow(name));
    }
    return names;
}

LRESULT TDropPaintPanel::HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg == WM_DROPFILES) {
        auto drop = reinterpret_cast<HDROP>(wParam);
        if (OnDropFile) {
            const std::vector<std::string> files = DroppedFileNames(drop);
            POINT at{};
            DragQueryPoint(drop, &at);
            OnDropFile(*this, files, at);
        }
        DragFinish(drop);
        return 0;
    }
    return TPaintPanel::HandleMessage(msg, wParam, lParam);
}
