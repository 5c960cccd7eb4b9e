// A picture tiled from a device context's origin behind the entries, or a
// plain colour when there is none. Small pictures are repeated into a tile of
// at least 64 x 64 pixels once, so that a paint needs few copies.
#pragma once

#include <windows.h>

#include <string>

#include "base/handles.h"

class TWallpaper {
public:
    // Loads a bitmap file (as a bitmap of the display's format; palettes are
    // ignored); an empty name shows the colour. False when the file could
    // not be loaded, and the colour shows then.
    bool Load(const std::string& fileName);
    void Paint(HDC dc, const RECT& rect, COLORREF color) const;
    // The tile as painted (null for none).
    HBITMAP Tile() const { return FTile.Get(); }

private:
    TBitmap FTile;
    SIZE FSize{0, 0};
};
