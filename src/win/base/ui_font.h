// The program's own face for its bars and pixel-laid dialogs: ＭＳ Ｐゴシック,
// 12 pixels at 96 DPI, asked for by the Japanese character set so that a
// face with Japanese glyphs is found on any system.
#pragma once

#include <windows.h>

// One font per DPI, kept for the program's life (UI thread only).
HFONT JapaneseUiFont(int dpi);
