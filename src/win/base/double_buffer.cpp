#include "base/double_buffer.h"

TDoubleBuffer::TDoubleBuffer(HDC target, const RECT& area) : FTarget(target), FArea(area) {
    const int w = area.right - area.left;
    const int h = area.bottom - area.top;
    if (w <= 0 || h <= 0) return;
    FMemDC = CreateCompatibleDC(target);
    if (!FMemDC) return;
    FBitmap = CreateCompatibleBitmap(target, w, h);
    if (!FBitmap) {
        DeleteDC(FMemDC);
        FMemDC = nullptr;
        return;
    }
    FOldBitmap = SelectObject(FMemDC, FBitmap);
    SetViewportOrgEx(FMemDC, -area.left, -area.top, nullptr);
    IntersectClipRect(FMemDC, area.left, area.top, area.right, area.bottom);
}

TDoubleBuffer::~TDoubleBuffer() {
    if (!FMemDC) return;
    BitBlt(FTarget, FArea.left, FArea.top, FArea.right - FArea.left, FArea.bottom - FArea.top, FMemDC, FArea.left,
           FArea.top, SRCCOPY);
    SelectObject(FMemDC, FOldBitmap);
    DeleteObject(FBitmap);
    DeleteDC(FMemDC);
}
