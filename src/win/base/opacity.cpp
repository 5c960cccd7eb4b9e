#include "base/opacity.h"

#include "layout/painting.h"

void ApplyWindowOpacity(HWND window, int transparent) {
    // Looked up at run time: systems before layered windows lack it.
    using TSetLayeredWindowAttributes = BOOL(WINAPI*)(HWND, COLORREF, BYTE, DWORD);
    HMODULE user32 = GetModuleHandleW(L"user32.dll");
    const auto setAttributes = reinterpret_cast<TSetLayeredWindowAttributes>(
        reinterpret_cast<void*>(user32 ? GetProcAddress(user32, "SetLayeredWindowAttributes") : nullptr));
    if (!setAttributes || !window) return;
    const LONG_PTR exStyle = GetWindowLongPtrW(window, GWL_EXSTYLE);
    if (transparent > 0) {
        SetWindowLongPtrW(window, GWL_EXSTYLE, exStyle | WS_EX_LAYERED);
        setAttributes(window, 0, static_cast<BYTE>(OpacityAlpha(transparent)), LWA_ALPHA);
    } else if (exStyle & WS_EX_LAYERED) {
        // Fully opaque windows are not layered at all: that costs nothing.
        SetWindowLongPtrW(window, GWL_EXSTYLE, exStyle & ~static_cast<LONG_PTR>(WS_EX_LAYERED));
        RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_FRAME | RDW_ALLCHILDREN);
    }
}
