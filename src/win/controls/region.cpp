#include "controls/region.h"

#include <algorithm>

namespace {

int CombineMode(int mode) {
    switch (mode) {
        case 1:
            return RGN_AND;
        case 2:
            return RGN_DIFF;
        case 3:
            return RGN_OR;
        case 4:
            return RGN_XOR;
        default:
            return RGN_COPY;
    }
}

// The region data is a 32-byte header followed by 16 bytes per rectangle.
int CountRects(HRGN region) {
    const DWORD size = GetRegionData(region, 0, nullptr);
    return size > 32 ? static_cast<int>((size - 32) / 16) : 0;
}

}  // namespace

TRegion::~TRegion() {
    if (FHandle) DeleteObject(FHandle);
}

void TRegion::SetMode(int mode) { FMode = std::clamp(mode, 0, 4); }

void TRegion::SetHandle(HRGN region) {
    if (FHandle && FHandle != region) DeleteObject(FHandle);
    FHandle = region;
    FBounds = TRect{};
    FRectCount = 0;
    RECT box;
    if (FHandle && GetRgnBox(FHandle, &box) > NULLREGION) {
        FBounds = TRect{box.left, box.top, box.right, box.bottom};
        FRectCount = CountRects(FHandle);
    }
    if (OnChange) OnChange(*this);
}

void TRegion::Combine(HRGN region) {
    if (!region) {
        if (FMode == 0 || FMode == 1) SetHandle(nullptr);
        return;
    }
    if (FMode != 0 && FHandle) CombineRgn(region, FHandle, region, CombineMode(FMode));
    SetHandle(region);
}

void TRegion::CombineRect(int left, int top, int right, int bottom) {
    Combine(CreateRectRgn(left, top, right, bottom));
}
