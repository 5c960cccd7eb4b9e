// Sizes at the screen's resolution. The layout and the data files measure in
// pixels of a 96-DPI screen; a window on a 125-200 % display draws everything
// that much larger, so it stays sharp instead of being stretched by the
// system. Stored sizes stay in 96-DPI units, so a data folder moved between
// machines looks the same on both.
#pragma once

#include "layout/rect.h"

constexpr int BaseDpi = 96;

// A 96-DPI size at `dpi`, rounded to the nearest pixel (halves away from zero).
int ScaleToDpi(int value, int dpi);
// A size measured at `dpi` back in 96-DPI units, for storing.
int UnscaleFromDpi(int pixels, int dpi);
TBounds ScaleToDpi(const TBounds& bounds, int dpi);

// The icon size to ask the system for when an icon of `size` 96-DPI pixels
// is drawn at `dpi`: the smallest of the sizes icons come in that is at
// least the scaled size (the largest when none is), so icons are shrunk a
// little, never blown up.
int IconSizeForDpi(int size, int dpi);
// The smallest of those sizes that is at least `drawSize` (the largest when none is).
int IconExtractSize(int drawSize);
