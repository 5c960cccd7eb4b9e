#include "controls/wallpaper.h"

#include "base/win_text.h"
#include "layout/painting.h"

namespace {

// A memory DC with one bitmap selected, for copying from or into it.
class TBitmapDC {
public:
    explicit TBitmapDC(HBITMAP bitmap) : FDC(CreateCompatibleDC(nullptr)), FOld(SelectObject(FDC, bitmap)) {}
    ~TBitmapDC() {
        SelectObject(FDC, FOld);
        DeleteDC(FDC);
    }
    TBitmapDC(const TBitmapDC&) = delete;
    TBitmapDC& operator=(const TBitmapDC&) = delete;
    HDC DC() const { return FDC; }

private:
    HDC FDC;
    HGDIOBJ FOld;
};

SIZE BitmapSize(HBITMAP bitmap) {
    BITMAP bm{};
    GetObjectW(bitmap, sizeof(bm), &bm);
    return SIZE{bm.bmWidth, bm.bmHeight};
}

// Small patterns are repeated into a tile of at least 64 x 64 pixels, so a
// paint needs few copies: the first row of copies, then that row downwards.
TBitmap EnlargedTile(TBitmap picture, SIZE& size) {
    size = BitmapSize(picture.Get());
    const int nx = WallpaperRepeatCount(size.cx);
    const int ny = WallpaperRepeatCount(size.cy);
    if (nx <= 1 && ny <= 1) return picture;
    TBitmap tile;
    {
        TWindowDC screen(nullptr);
        tile.Reset(CreateCompatibleBitmap(screen.DC(), nx * size.cx, ny * size.cy));
    }
    if (!tile) return picture;  // no memory for the tile: tile the picture itself
    TBitmapDC source(picture.Get());
    TBitmapDC target(tile.Get());
    for (int i = 0; i < nx; ++i) BitBlt(target.DC(), i * size.cx, 0, size.cx, size.cy, source.DC(), 0, 0, SRCCOPY);
    for (int j = 1; j < ny; ++j) BitBlt(target.DC(), 0, j * size.cy, nx * size.cx, size.cy, target.DC(), 0, 0, SRCCOPY);
    size = SIZE{nx * size.cx, ny * size.cy};
    return tile;
}

}  // namespace

bool TWallpaper::Load(const std::string& fileName) {
    FTile.Reset();
    FSize = SIZE{0, 0};
    if (fileName.empty()) return true;
    TBitmap picture(
        static_cast<HBITMAP>(LoadImageW(nullptr, Widen(fileName).c_str(), IMAGE_BITMAP, 0, 0, LR_LOADFROMFILE)));
    if (!picture) return false;
    FTile = EnlargedTile(std::move(picture), FSize);
    return true;
}

void TWallpaper::Paint(HDC dc, const RECT& rect, COLORREF color) const {
    if (!FTile) {
        TBrush brush(CreateSolidBrush(color));
        FillRect(dc, &rect, brush.Get());
        return;
    }
    const int w = FSize.cx;
    const int h = FSize.cy;
    const TTileRange tiles = TilesCovering(TRect{rect.left, rect.top, rect.right, rect.bottom}, w, h);
    TBitmapDC source(FTile.Get());
    for (int j = tiles.FirstRow; j <= tiles.LastRow; ++j) {
        for (int i = tiles.FirstColumn; i <= tiles.LastColumn; ++i) {
            const RECT tile{i * w, j * h, (i + 1) * w, (j + 1) * h};
            RECT part;
            if (!IntersectRect(&part, &tile, &rect)) continue;
            BitBlt(dc, part.left, part.top, part.right - part.left, part.bottom - part.top, source.DC(),
                   part.left - tile.left, part.top - tile.top, SRCCOPY);
        }
    }
}
