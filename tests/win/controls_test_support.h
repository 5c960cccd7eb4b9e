// Helpers of the control tests: a hidden top-level window to parent controls,
// an off-screen 32-bit canvas to read painted pixels back, and icon probes.
#pragma once

#include <windows.h>

#include "base/dib.h"
#include "base/window.h"

class TTestTopWindow : public TWindow {
public:
    ~TTestTopWindow() override { DestroyHandle(); }
    bool Create(int width = 400, int height = 300) {
        return CreateHandle(L"VantorControlsTest", 0, WS_POPUP | WS_CLIPCHILDREN, L"", 0, 0, width, height);
    }
};

// A 32-bit bitmap in a memory DC, filled with `background`.
class TTestCanvas {
public:
    TTestCanvas(int width, int height, COLORREF background = RGB(1, 2, 3)) {
        BITMAPINFO bi = TopDown32(width, height);
        FDC = CreateCompatibleDC(nullptr);
        void* bits = nullptr;
        FBitmap = CreateDIBSection(FDC, &bi, DIB_RGB_COLORS, &bits, nullptr, 0);
        FOld = SelectObject(FDC, FBitmap);
        HBRUSH brush = CreateSolidBrush(background);
        RECT all{0, 0, width, height};
        FillRect(FDC, &all, brush);
        DeleteObject(brush);
    }
    ~TTestCanvas() {
        SelectObject(FDC, FOld);
        DeleteObject(FBitmap);
        DeleteDC(FDC);
    }
    TTestCanvas(const TTestCanvas&) = delete;
    TTestCanvas& operator=(const TTestCanvas&) = delete;
    HDC DC() const { return FDC; }
    COLORREF Pixel(int x, int y) const { return GetPixel(FDC, x, y); }

private:
    HDC FDC;
    HBITMAP FBitmap;
    HGDIOBJ FOld;
};

// The size of an icon's image; {0, 0} for a destroyed or invalid handle.
inline SIZE IconImageSize(HICON icon) {
    ICONINFO info{};
    if (!icon || !GetIconInfo(icon, &info)) return SIZE{0, 0};
    BITMAP bm{};
    GetObjectW(info.hbmMask, sizeof(bm), &bm);
    const bool hasColor = info.hbmColor != nullptr;
    if (info.hbmColor) DeleteObject(info.hbmColor);
    DeleteObject(info.hbmMask);
    // A monochrome icon stacks its AND and XOR masks in one bitmap.
    return SIZE{bm.bmWidth, hasColor ? bm.bmHeight : bm.bmHeight / 2};
}

inline bool IconAlive(HICON icon) { return IconImageSize(icon).cx > 0; }

// A solid square icon of one colour, for placement checks.
inline HICON SolidIcon(int size, COLORREF color) {
    HDC screen = GetDC(nullptr);
    HDC dc = CreateCompatibleDC(screen);
    HBITMAP bitmap = CreateCompatibleBitmap(screen, size, size);
    HBITMAP mask = CreateBitmap(size, size, 1, 1, nullptr);
    ReleaseDC(nullptr, screen);
    RECT all{0, 0, size, size};
    HGDIOBJ old = SelectObject(dc, bitmap);
    HBRUSH brush = CreateSolidBrush(color);
    FillRect(dc, &all, brush);
    DeleteObject(brush);
    SelectObject(dc, mask);
    FillRect(dc, &all, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
    SelectObject(dc, old);
    ICONINFO info{TRUE, 0, 0, mask, bitmap};
    HICON icon = CreateIconIndirect(&info);
    DeleteObject(bitmap);
    DeleteObject(mask);
    DeleteDC(dc);
    return icon;
}

// The pointer brought to rest on the middle of a control drawn in `panel`, as
// the window system tells of it: the pointer moved there, then the panel's
// mouse move.
template <typename Control>
void RestPointerOn(HWND panel, const Control& control) {
    const auto b = control.Bounds();
    POINT at{b.Left + b.Width / 2, b.Top + b.Height / 2};
    const LPARAM local = MAKELPARAM(static_cast<WORD>(at.x), static_cast<WORD>(at.y));
    ClientToScreen(panel, &at);
    SetCursorPos(at.x, at.y);
    SendMessageW(panel, WM_MOUSEMOVE, 0, local);
}
