// Arithmetic of the main window's painting: how often a small wallpaper is
// repeated into one tile, which tiles cover an area, and the window opacity.
#pragma once

#include "layout/rect.h"

// Tiles are enlarged to at least this many pixels each way.
constexpr int MinWallpaperTile = 64;

// How many copies of a picture `size` pixels long one tile holds along that
// direction: 64 div size, raised by one when that is 0 or does not fill a
// multiple of 64 exactly (ceil(64 / size) up to 64 pixels, 1 beyond). A
// picture without extent counts as 1.
int WallpaperRepeatCount(int size);

// The tiles (i, j), each covering (i * w, j * h, w, h) from the origin, that
// meet `area`: i from FirstColumn to LastColumn, j from FirstRow to LastRow,
// inclusive. Empty (Last < First) for an empty area or tile.
struct TTileRange {
    int FirstColumn = 0;
    int LastColumn = -1;
    int FirstRow = 0;
    int LastRow = -1;
    bool IsEmpty() const { return LastColumn < FirstColumn || LastRow < FirstRow; }
};
TTileRange TilesCovering(const TRect& area, int tileWidth, int tileHeight);

// Window opacity out of 255 for a Transparent setting in per cent:
// (100 - transparent) * 255 div 100, the setting taken as 0..100.
int OpacityAlpha(int transparent);
