#include "base/window_dpi.h"

namespace {

using TGetDpiForWindow = UINT(WINAPI*)(HWND);

// Windows 10 1607 and later; looked up once, as user32 is always loaded.
TGetDpiForWindow GetDpiForWindowFunction() {
    static const TGetDpiForWindow function = reinterpret_cast<TGetDpiForWindow>(
        reinterpret_cast<void*>(GetProcAddress(GetModuleHandleW(L"user32.dll"), "GetDpiForWindow")));
    return function;
}

}  // namespace

int ScreenDpi() {
    const HDC screen = GetDC(nullptr);
    const int dpi = screen ? GetDeviceCaps(screen, LOGPIXELSY) : BaseDpi;
    if (screen) ReleaseDC(nullptr, screen);
    return dpi > 0 ? dpi : BaseDpi;
}

int WindowDpi(HWND window) {
    if (window) {
        if (const TGetDpiForWindow function = GetDpiForWindowFunction()) {
            const UINT dpi = function(window);
            if (dpi > 0) return static_cast<int>(dpi);
        }
    }
    return ScreenDpi();
}
