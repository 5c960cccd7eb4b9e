#include "controls/std_control.h"

#include "base/log.h"

// The object and the replaced procedure live in window properties, not in
// GWLP_USERDATA, which a dialog or another subclass may want for itself. The
// procedure stays readable after the object lets go, so a procedure put in
// after ours still reaches the control through ours.
static const wchar_t ObjectProperty[] = L"Vantor.StdControl";
static const wchar_t ProcProperty[] = L"Vantor.StdControlProc";

static WNDPROC PreviousProc(HWND wnd) { return reinterpret_cast<WNDPROC>(GetPropW(wnd, ProcProperty)); }

TStdControl::~TStdControl() {
    HWND h = FHandle;
    const bool owns = FOwnsWindow;
    Detach();
    if (h && owns) DestroyWindow(h);
}

TStdControl* TStdControl::FromHandle(HWND control) {
    return control ? static_cast<TStdControl*>(GetPropW(control, ObjectProperty)) : nullptr;
}

bool TStdControl::Attach(HWND control) {
    if (!control || FHandle || FromHandle(control) || GetPropW(control, ProcProperty)) return false;
    const auto previous = GetWindowLongPtrW(control, GWLP_WNDPROC);
    if (!SetPropW(control, ProcProperty, reinterpret_cast<HANDLE>(previous)) ||
        !SetPropW(control, ObjectProperty, this)) {
        RemovePropW(control, ProcProperty);
        return false;
    }
    FHandle = control;
    SetWindowLongPtrW(control, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&TStdControl::ControlProc));
    Attached();
    return true;
}

void TStdControl::Detach() {
    HWND h = FHandle;
    if (!h) return;
    FHandle = nullptr;
    FOwnsWindow = false;
    RemovePropW(h, ObjectProperty);
    // Only when ours is the procedure in place: else the one put in later
    // would be cut off, and ours keeps passing everything on.
    if (GetWindowLongPtrW(h, GWLP_WNDPROC) == reinterpret_cast<LONG_PTR>(&TStdControl::ControlProc)) {
        SetWindowLongPtrW(h, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(PreviousProc(h)));
        RemovePropW(h, ProcProperty);
    }
}

bool TStdControl::CreateControl(const wchar_t* className, DWORD exStyle, DWORD style, HWND parent, int left, int top,
                                int width, int height, int id) {
    if (FHandle) return false;
    HWND h = CreateWindowExW(exStyle, className, L"", style | WS_CHILD, left, top, width, height, parent,
                             reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), GetModuleHandleW(nullptr), nullptr);
    if (!h) return false;
    HFONT font = reinterpret_cast<HFONT>(SendMessageW(parent, WM_GETFONT, 0, 0));
    if (!font) font = static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
    SendMessageW(h, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
    if (!Attach(h)) {
        DestroyWindow(h);
        return false;
    }
    FOwnsWindow = true;
    return true;
}

void TStdControl::SetBounds(int left, int top, int width, int height) {
    if (FHandle) SetWindowPos(FHandle, nullptr, left, top, width, height, SWP_NOZORDER | SWP_NOACTIVATE);
}

void TStdControl::SetEnabled(bool enabled) {
    if (FHandle) EnableWindow(FHandle, enabled ? TRUE : FALSE);
}

HFONT TStdControl::ControlFont() const {
    HFONT font = FHandle ? reinterpret_cast<HFONT>(SendMessageW(FHandle, WM_GETFONT, 0, 0)) : nullptr;
    return font ? font : static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
}

LRESULT TStdControl::HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) {
    return DefaultHandler(msg, wParam, lParam);
}

LRESULT TStdControl::DefaultHandler(UINT msg, WPARAM wParam, LPARAM lParam) {
    WNDPROC previous = FHandle ? PreviousProc(FHandle) : nullptr;
    return previous ? CallWindowProcW(previous, FHandle, msg, wParam, lParam) : 0;
}

LRESULT CALLBACK TStdControl::ControlProc(HWND wnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    TStdControl* self = FromHandle(wnd);
    WNDPROC previous = PreviousProc(wnd);
    if (msg == WM_NCDESTROY) {
        // The window goes: the control's own procedure sees its last message
        // as if it had never been replaced.
        if (self) self->Detach();
        RemovePropW(wnd, ObjectProperty);
        RemovePropW(wnd, ProcProperty);
        return previous ? CallWindowProcW(previous, wnd, msg, wParam, lParam)
                        : DefWindowProcW(wnd, msg, wParam, lParam);
    }
    if (!previous) return DefWindowProcW(wnd, msg, wParam, lParam);
    if (!self) return CallWindowProcW(previous, wnd, msg, wParam, lParam);
    // Exceptions must never unwind through the system's code.
    try {
        return self->HandleMessage(msg, wParam, lParam);
    } catch (...) {
        LogCurrentException("standard control");
        return CallWindowProcW(previous, wnd, msg, wParam, lParam);
    }
}

bool TStdControl::ReflectToControl(HWND parent, UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result) {
    HWND control = nullptr;
    switch (msg) {
        case WM_COMMAND:
        case WM_CTLCOLOREDIT:
        case WM_CTLCOLORLISTBOX:
        case WM_CTLCOLORSTATIC:
        case WM_CTLCOLORBTN:
            control = reinterpret_cast<HWND>(lParam);
            break;
        case WM_NOTIFY:
            if (lParam) control = reinterpret_cast<const NMHDR*>(lParam)->hwndFrom;
            break;
        case WM_DRAWITEM: {
            const auto* item = reinterpret_cast<const DRAWITEMSTRUCT*>(lParam);
            if (item && item->CtlType != ODT_MENU) control = item->hwndItem;  // a combo box's list names the combo box
            break;
        }
        case WM_MEASUREITEM: {
            const auto* item = reinterpret_cast<const MEASUREITEMSTRUCT*>(lParam);
            if (item && item->CtlType != ODT_MENU) control = GetDlgItem(parent, static_cast<int>(item->CtlID));
            break;
        }
        case WM_COMPAREITEM:
            if (lParam) control = reinterpret_cast<const COMPAREITEMSTRUCT*>(lParam)->hwndItem;
            break;
        case WM_DELETEITEM:
            if (lParam) control = reinterpret_cast<const DELETEITEMSTRUCT*>(lParam)->hwndItem;
            break;
        default:
            return false;
    }
    TStdControl* target = FromHandle(control);
    if (!target) return false;
    try {
        return target->HandleReflected(msg, wParam, lParam, result);
    } catch (...) {
        LogCurrentException("standard control notification");
        return false;
    }
}
