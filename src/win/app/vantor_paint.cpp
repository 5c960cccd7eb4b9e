// What the main window paints itself: the panel background (a colour or a
// tiled wallpaper), the entry titles, the caption strip, and the window's
// opacity. Everything is painted off screen and copied in one step.
#include <algorithm>

#include "app/vantor.h"
#include "base/double_buffer.h"
#include "base/opacity.h"
#include "base/win_text.h"
#include "layout/painting.h"
#include "text/text.h"

namespace {

const char kWallpaperError[] = "壁紙\"%s\"の読みこみに失敗しました。";
constexpr int kWindowFontHeight = -12;  // 12-pixel characters

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

bool RectsMeet(const RECT& a, const RECT& b) {
    RECT meet;
    return IntersectRect(&meet, &a, &b) != FALSE;
}

}  // namespace

// ---------------------------------------------------------------- background

void TVantor::PaintBackground(HDC dc, const RECT& rect) {
    if (!FWallpaper) {
        TBrush brush(CreateSolidBrush(ColorToRGB(FColors[TVantorSettings::BackgroundColor])));
        FillRect(dc, &rect, brush.Get());
        return;
    }
    const int w = FWallpaperSize.cx;
    const int h = FWallpaperSize.cy;
    const TTileRange tiles = TilesCovering(TRect{rect.left, rect.top, rect.right, rect.bottom}, w, h);
    TBitmapDC source(FWallpaper.Get());
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

void TVantor::LoadWallpaper() {
    FWallpaper.Reset();
    FWallpaperSize = SIZE{0, 0};
    const std::string& name = MainPages().WallpaperName;
    if (!name.empty()) {
        // Loaded as a bitmap of the display's format; palettes are ignored.
        TBitmap picture(
            static_cast<HBITMAP>(LoadImageW(nullptr, Widen(name).c_str(), IMAGE_BITMAP, 0, 0, LR_LOADFROMFILE)));
        if (picture) {
            FWallpaper = EnlargedTile(std::move(picture), FWallpaperSize);
        } else {
            ErrorBox(Format(kWallpaperError, name));
        }
    }
    PTexture.Invalidate();
    // The four bars repaint here.
}

// ---------------------------------------------------------------- titles

void TVantor::PTexturePaint(HDC dc, const RECT& clip) {
    PaintBackground(dc, clip);
    FMainView.PaintTitles(dc, clip, FWindowFont.Get(), ColorToRGB(FColors[TVantorSettings::TitleColor]),
                          ColorToRGB(FColors[TVantorSettings::BackTitleColor]));
    // Behind the entry controls, which the panel paints after this.
    FMainView.PaintFocusFrame(dc, clip, ColorToRGB(FColors[TVantorSettings::FocusColor]));
}

void TVantor::ApplyWindowFont() {
    LOGFONTW f{};
    f.lfHeight = Px(kWindowFontHeight);
    f.lfWeight = FW_NORMAL;
    // The Japanese character set picks a font with Japanese glyphs whatever
    // the system's own code page is.
    f.lfCharSet = SHIFTJIS_CHARSET;
    const std::wstring face = Widen(MainPages().FontName());
    face.copy(f.lfFaceName, std::min<size_t>(face.size(), LF_FACESIZE - 1));
    FWindowLogFont = f;
    FWindowFont.Reset(CreateFontIndirectW(&f));
}

// ---------------------------------------------------------------- window

void TVantor::PaintForm(HDC dc, const RECT& clip) {
    FillRect(dc, &clip, GetSysColorBrush(COLOR_BTNFACE));
    const TBounds strip = CaptionStripNow();
    const RECT stripRect{strip.Left, strip.Top, strip.Right(), strip.Bottom()};
    if (RectsMeet(stripRect, clip)) PaintCaptionStrip(dc, stripRect);
}

// Like a caption bar without text, in the active or the inactive look.
void TVantor::PaintCaptionStrip(HDC dc, const RECT& strip) {
    if (IsNT) {
        FillRect(dc, &strip, GetSysColorBrush(FWindowActive ? COLOR_ACTIVECAPTION : COLOR_INACTIVECAPTION));
        return;
    }
    DrawCaption(Handle(), dc, &strip, DC_GRADIENT | (FWindowActive ? DC_ACTIVE : 0));
}

// Per-window opacity comes with Windows 2000; it is looked up so that the
// program still starts where it is missing.
void TVantor::ApplyOpacity() {
    ApplyWindowOpacity(Handle(), MainPages().Transparent());
    FBars.ApplyOpacity(MainPages().Transparent());
}
