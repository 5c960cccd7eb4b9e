// Off-screen painting: draw into DC() in the target's coordinates, and the
// destructor copies the area to the target in one step, so nothing flickers.
#pragma once

#include <windows.h>

class TDoubleBuffer {
public:
    // `area` in the target's logical coordinates; the buffer's clip is the area.
    TDoubleBuffer(HDC target, const RECT& area);
    ~TDoubleBuffer();
    TDoubleBuffer(const TDoubleBuffer&) = delete;
    TDoubleBuffer& operator=(const TDoubleBuffer&) = delete;

    // Falls back to the target itself when no memory could be had.
    HDC DC() const { return FMemDC ? FMemDC : FTarget; }
    const RECT& Area() const { return FArea; }

private:
    HDC FTarget;
    RECT FArea;
    HDC FMemDC = nullptr;
    HBITMAP FBitmap = nullptr;
    HGDIOBJ FOldBitmap = nullptr;
};
