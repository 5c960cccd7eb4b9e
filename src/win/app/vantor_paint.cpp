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

bool RectsMeet(const RECT& a, const RECT& b) {
    RECT meet;
    return IntersectRect(&meet, &a, &b) != FALSE;
}

}  // namespace

// ---------------------------------------------------------------- background

void TVantor::PaintBackground(HDC dc, const RECT& rect) {
    FWallpaper.Paint(dc, rect, ColorToRGB(FColors[TVantorSettings::BackgroundColor]));
}

void TVantor::LoadWallpaper() {
    const std::string& name = MainPages().WallpaperName;
    if (!FWallpaper.Load(name)) ErrorBox(Format(kWallpaperError, name));
    PTexture.Invalidate();
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
