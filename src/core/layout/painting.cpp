#include "layout/painting.h"

#include <algorithm>

namespace {

// Division rounding toward minus infinity: tiles left of or above the origin
// have negative indexes.
int FloorDiv(int a, int b) {
    const int q = a / b;
    return (a % b != 0 && (a < 0) != (b < 0)) ? q - 1 : q;
}

}  // namespace

int WallpaperRepeatCount(int size) {
    if (size <= 0) return 1;
    int n = MinWallpaperTile / size;
    if (n == 0 || (n * size) % MinWallpaperTile != 0) ++n;
    return n;
}

TTileRange TilesCovering(const TRect& area, int tileWidth, int tileHeight) {
    TTileRange r;
    if (area.IsEmpty() || tileWidth <= 0 || tileHeight <= 0) return r;
    r.FirstColumn = FloorDiv(area.Left, tileWidth);
    r.LastColumn = FloorDiv(area.Right - 1, tileWidth);
    r.FirstRow = FloorDiv(area.Top, tileHeight);
    r.LastRow = FloorDiv(area.Bottom - 1, tileHeight);
    return r;
}

int OpacityAlpha(int transparent) { return (100 - std::clamp(transparent, 0, 100)) * 255 / 100; }
