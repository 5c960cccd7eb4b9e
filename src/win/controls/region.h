// Owns one clipping region and combines rectangles into it: the tab strip
// clips its painting with one, the bars draw their drag frame with one.
#pragma once

#include <windows.h>

#include <functional>

#include "layout/rect.h"

class TRegion {
public:
    TRegion() = default;
    ~TRegion();
    TRegion(const TRegion&) = delete;
    TRegion& operator=(const TRegion&) = delete;

    // 0 replaces the region, 1 intersects, 2 subtracts, 3 unites, 4 exclusive-or.
    int Mode() const { return FMode; }
    void SetMode(int mode);
    // Bounding rectangle; (0, 0, 0, 0) when empty.
    const TRect& Bounds() const { return FBounds; }
    // The rectangles the region is made of; 0 when empty.
    int RectCount() const { return FRectCount; }
    // Null when there is no region.
    HRGN Handle() const { return FHandle; }

    // Takes ownership of `region` (destroying the old one).
    void SetHandle(HRGN region);
    // Takes ownership of `region` and combines it by Mode. Without a region,
    // modes 0 and 1 empty the region and the others change nothing.
    void Combine(HRGN region);
    void CombineRect(int left, int top, int right, int bottom);

    std::function<void(TRegion& sender)> OnChange;

private:
    HRGN FHandle = nullptr;
    int FMode = 0;
    TRect FBounds;
    int FRectCount = 0;
};
