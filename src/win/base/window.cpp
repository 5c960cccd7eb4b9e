#include "base/window.h"

#include "base/log.h"

// Each concrete window destroys its window in its own destructor, where its
// handlers still exist. By the time this runs the derived object is gone, so
// a window still here is cut loose before it goes: no message may reach the
// remains of the object.
TWindow::~TWindow() {
    if (!FHandle) return;
    HWND h = FHandle;
    SetWindowLongPtrW(h, GWLP_USERDATA, 0);
    FHandle = nullptr;
    LogSwallowed("a window outlived its object; destroyed without its handlers");
    DestroyWindow(h);
}

void TWindow::DestroyHandle() {
    if (FHandle) {
        HWND h = FHandle;
        DestroyWindow(h);
        // WM_NCDESTROY has unbound us; make sure even if it did not arrive.
        if (FHandle == h) {
            SetWindowLongPtrW(h, GWLP_USERDATA, 0);
            FHandle = nullptr;
        }
    }
}

bool TWindow::CreateHandle(const wchar_t* className, DWORD exStyle, DWORD style, const std::wstring& caption, int x,
                           int y, int width, int height, HWND parent, HMENU menu, UINT classStyle, HCURSOR cursor) {
    HINSTANCE instance = GetModuleHandleW(nullptr);
    WNDCLASSEXW wc{};
    if (!GetClassInfoExW(instance, className, &wc)) {
        wc.cbSize = sizeof(wc);
        wc.style = classStyle;
        wc.lpfnWndProc = StaticWndProc;
        wc.hInstance = instance;
        wc.hCursor = cursor;
        wc.hIcon = LoadIconW(instance, L"MAINICON");
        // The 16-pixel picture of its own, not the 32-pixel one shrunk.
        wc.hIconSm = static_cast<HICON>(LoadImageW(instance, L"MAINICON", IMAGE_ICON, GetSystemMetrics(SM_CXSMICON),
                                                   GetSystemMetrics(SM_CYSMICON), LR_DEFAULTCOLOR | LR_SHARED));
        wc.lpszClassName = className;
        if (!RegisterClassExW(&wc)) return false;
    }
    CreateWindowExW(exStyle, className, caption.c_str(), style, x, y, width, height, parent, menu, instance, this);
    return FHandle != nullptr;
}

LRESULT TWindow::HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) { return DefaultHandler(msg, wParam, lParam); }

LRESULT TWindow::DefaultHandler(UINT msg, WPARAM wParam, LPARAM lParam) {
    return DefWindowProcW(FHandle, msg, wParam, lParam);
}

LRESULT CALLBACK TWindow::StaticWndProc(HWND wnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    auto* self = reinterpret_cast<TWindow*>(GetWindowLongPtrW(wnd, GWLP_USERDATA));
    if (msg == WM_NCCREATE) {
        self = static_cast<TWindow*>(reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams);
        self->FHandle = wnd;
        SetWindowLongPtrW(wnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
    }
    if (!self) return DefWindowProcW(wnd, msg, wParam, lParam);
    LRESULT result = 0;
    // Exceptions must never unwind through the system's code.
    try {
        result = self->HandleMessage(msg, wParam, lParam);
    } catch (...) {
        LogCurrentException("window procedure");
        result = DefWindowProcW(wnd, msg, wParam, lParam);
    }
    if (msg == WM_NCDESTROY) {
        SetWindowLongPtrW(wnd, GWLP_USERDATA, 0);
        self->FHandle = nullptr;
        self->HandleDestroyed();
    }
    return result;
}
