// Where an icon button draws its icon, and how large.
#pragma once

#include "layout/rect.h"

// 16 for small icons; large icons are 32, or 64 on buttons at least 66 wide.
inline int IconDrawSize(bool largeIcon, int buttonWidth) {
    if (!largeIcon) return 16;
    return buttonWidth < 66 ? 32 : 64;
}

// The "not found" icon only comes in 32 and 16.
inline int NotFoundIconSize(bool largeIcon) { return largeIcon ? 32 : 16; }

// Centred in the button, one pixel right and down while pressed; (left, top, width, height).
inline TBounds IconPlacement(int buttonWidth, int buttonHeight, int iconSize, bool down) {
    const int d = down ? 1 : 0;
    return {(buttonWidth - iconSize) / 2 + d, (buttonHeight - iconSize) / 2 + d, iconSize, iconSize};
}
