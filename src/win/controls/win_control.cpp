#include "controls/win_control.h"

#include <windowsx.h>

#include "controls/graphic_control.h"
#include "controls/std_control.h"

bool TWinControl::CreateChild(const wchar_t* className, DWORD style, HWND parent, const TBounds& bounds) {
    FInitialBounds = bounds;
    style |= WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS;
    if (FTabStop) style |= WS_TABSTOP;
    return CreateHandle(className, 0, style, L"", bounds.Left, bounds.Top, bounds.Width, bounds.Height, parent, nullptr,
                        CS_DBLCLKS);
}

TBounds TWinControl::Bounds() const {
    if (!Handle()) return FInitialBounds;
    RECT r;
    GetWindowRect(Handle(), &r);
    MapWindowPoints(HWND_DESKTOP, GetParent(Handle()), reinterpret_cast<POINT*>(&r), 2);
    return TBounds{r.left, r.top, r.right - r.left, r.bottom - r.top};
}

void TWinControl::SetBounds(const TBounds& bounds) {
    const TBounds b = WithoutNegativeSize(bounds);
    if (Handle()) {
        SetWindowPos(Handle(), nullptr, b.Left, b.Top, b.Width, b.Height, SWP_NOZORDER | SWP_NOACTIVATE);
        return;
    }
    FInitialBounds = b;
    InitialBoundsChanged();
}

int TWinControl::ClientWidth() const {
    if (!Handle()) return FInitialBounds.Width;
    RECT r{};
    GetClientRect(Handle(), &r);
    return r.right;
}

int TWinControl::ClientHeight() const {
    if (!Handle()) return FInitialBounds.Height;
    RECT r{};
    GetClientRect(Handle(), &r);
    return r.bottom;
}

void TWinControl::SetVisible(bool visible) {
    if (Handle()) ShowWindow(Handle(), visible ? SW_SHOWNA : SW_HIDE);
}

void TWinControl::SetEnabled(bool enabled) {
    if (Handle()) EnableWindow(Handle(), enabled ? TRUE : FALSE);
}

void TWinControl::SetTabStop(bool tabStop) {
    FTabStop = tabStop;
    if (!Handle()) return;
    LONG_PTR style = GetWindowLongPtrW(Handle(), GWL_STYLE);
    style = tabStop ? (style | WS_TABSTOP) : (style & ~static_cast<LONG_PTR>(WS_TABSTOP));
    SetWindowLongPtrW(Handle(), GWL_STYLE, style);
}

void TWinControl::MouseDown(TMouseButton button, TShiftState shift, int x, int y) {
    if (OnMouseDown) OnMouseDown(*this, button, shift, x, y);
}

void TWinControl::RouteMouseButton(UINT msg, WPARAM wParam, LPARAM lParam) {
    // The release of a press on the control itself ends that press even over
    // a windowless control: else the capture would stay.
    TGraphicControlHost* controls = WindowlessControls();
    const bool ownRelease = msg == WM_LBUTTONUP && FPressed;
    if (!ownRelease && controls && controls->HandleMouseMessage(msg, wParam, lParam)) return;
    MouseButton(msg, wParam, GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam));
}

void TWinControl::MouseButton(UINT msg, WPARAM wParam, int x, int y) {
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
            MouseDown(mbLeft, shift, x, y);
            break;
        case WM_RBUTTONDOWN:
        case WM_MBUTTONDOWN:
            MouseDown(msg == WM_RBUTTONDOWN ? mbRight : mbMiddle, shift, x, y);
            break;
        case WM_LBUTTONUP:
            LeftButtonUp(shift, x, y);
            break;
        case WM_RBUTTONUP:
        case WM_MBUTTONUP:
            if (OnMouseUp) OnMouseUp(*this, msg == WM_RBUTTONUP ? mbRight : mbMiddle, shift, x, y);
            break;
    }
}

void TWinControl::RouteMouseMove(WPARAM wParam, LPARAM lParam) {
    if (!FMouseInside) {
        FMouseInside = true;
        TRACKMOUSEEVENT tme{sizeof(tme), TME_LEAVE, Handle(), 0};
        TrackMouseEvent(&tme);
        if (OnMouseEnter) OnMouseEnter(*this);
    }
    TGraphicControlHost* controls = WindowlessControls();
    if (!FPressed && controls && controls->HandleMouseMessage(WM_MOUSEMOVE, wParam, lParam)) return;
    if (OnMouseMove) OnMouseMove(*this, MouseShiftState(wParam), GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam));
}

void TWinControl::RouteMouseLeave(WPARAM wParam, LPARAM lParam) {
    if (TGraphicControlHost* controls = WindowlessControls())
        controls->HandleMouseMessage(WM_MOUSELEAVE, wParam, lParam);
    FMouseInside = false;
    if (OnMouseExit) OnMouseExit(*this);
}

// A click is a press and a release both on the control.
void TWinControl::LeftButtonUp(TShiftState shift, int x, int y) {
    const bool clicked = FPressed;
    FPressed = false;
    if (GetCapture() == Handle()) ReleaseCapture();
    RECT client;
    GetClientRect(Handle(), &client);
    if (clicked && PtInRect(&client, POINT{x, y}) && OnClick) OnClick(*this);
    if (OnMouseUp) OnMouseUp(*this, mbLeft, shift, x, y);
}

bool TWinControl::SetCursorMessage(WPARAM wParam, LPARAM lParam) {
    if (LOWORD(lParam) != HTCLIENT || reinterpret_cast<HWND>(wParam) != Handle()) return false;
    if (TGraphicControlHost* controls = WindowlessControls(); controls && controls->HandleSetCursor()) return true;
    if (!Cursor) return false;
    SetCursor(Cursor);
    return true;
}

bool TWinControl::KeyMessage(UINT msg, WPARAM wParam) {
    if (msg == WM_CHAR) {
        if (!OnKeyPress) return false;
        wchar_t key = static_cast<wchar_t>(wParam);
        OnKeyPress(*this, key);
        return key == 0;
    }
    TKeyEvent& handler = msg == WM_KEYDOWN ? OnKeyDown : OnKeyUp;
    if (!handler) return false;
    WORD key = static_cast<WORD>(wParam);
    handler(*this, key, KeyboardShiftState());
    return key == 0;
}

LRESULT TWinControl::HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) {
    // A standard control on any window of the program hears its own notifications.
    LRESULT reflected = 0;
    if (TStdControl::ReflectToControl(Handle(), msg, wParam, lParam, reflected)) return reflected;
    switch (msg) {
        case WM_SIZE:
            ClientResized(LOWORD(lParam), HIWORD(lParam));
            if (OnResize) OnResize(*this);
            return 0;
        case WM_LBUTTONDOWN:
        case WM_LBUTTONDBLCLK:
        case WM_LBUTTONUP:
        case WM_RBUTTONDOWN:
        case WM_RBUTTONUP:
        case WM_MBUTTONDOWN:
        case WM_MBUTTONUP:
            RouteMouseButton(msg, wParam, lParam);
            return 0;
        case WM_MOUSEMOVE:
            RouteMouseMove(wParam, lParam);
            return 0;
        case WM_MOUSELEAVE:
            RouteMouseLeave(wParam, lParam);
            return 0;
        case WM_CAPTURECHANGED:
            if (TGraphicControlHost* controls = WindowlessControls()) controls->HandleMouseMessage(msg, wParam, lParam);
            // A press that ends by losing the pointer (another window came to
            // the front) still ends: listeners waiting for the release get it.
            if (reinterpret_cast<HWND>(lParam) != Handle() && FPressed) {
                FPressed = false;
                if (OnMouseUp) OnMouseUp(*this, mbLeft, 0, -1, -1);
            }
            return 0;
        case WM_SETCURSOR:
            if (SetCursorMessage(wParam, lParam)) return TRUE;
            break;
        case WM_GETDLGCODE:
            return DLGC_WANTARROWS | DLGC_WANTCHARS;
        case WM_SETFOCUS:
            if (OnEnter) OnEnter(*this);
            break;
        case WM_KILLFOCUS:
            if (OnExit) OnExit(*this);
            break;
        case WM_KEYDOWN:
        case WM_KEYUP:
        case WM_CHAR:
            if (KeyMessage(msg, wParam)) return 0;
            break;
    }
    return DefaultHandler(msg, wParam, lParam);
}
