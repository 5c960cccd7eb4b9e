// Where an icon button draws its icon, and how large.
#pragma once

#include "layout/dpi.h"
#include "layout/rect.h"

// 16 for small icons; large icons are 32, or 64 on buttons at least 66 wide
// (96-DPI units); at another DPI the same icons scaled.
inline int IconDrawSize(bool largeIcon, int buttonWidth, int dpi = BaseDpi) {
    if (!largeIcon) return ScaleToDpi(16, dpi);
    return ScaleToDpi(UnscaleFromDpi(buttonWidth, dpi) < 66 ? 32 : 64, dpi);
}

// Whether an icon drawn `drawSize` large needs an image of its own rather
// than the system's 16- or 32-pixel one: the 64-pixel icons, and every icon
// on a screen of another DPI, which would otherwise be stretched.
inline bool NeedsSizedIconImage(bool largeIcon, int drawSize) { return drawSize != (largeIcon ? 32 : 16); }

// The "not found" icon only comes in 32 and 16.
inline int NotFoundIconSize(bool largeIcon, int dpi = BaseDpi) { return ScaleToDpi(largeIcon ? 32 : 16, dpi); }

// Centred in the button, one pixel right and down while pressed; (left, top, width, height).
inline TBounds IconPlacement(int buttonWidth, int buttonHeight, int iconSize, bool down) {
    const int d = down ? 1 : 0;
    return {(buttonWidth - iconSize) / 2 + d, (buttonHeight - iconSize) / 2 + d, iconSize, iconSize};
}
