// A window's opacity from the Transparent setting (0..100 percent): layered
// only while it is see-through at all.
#pragma once

#include <windows.h>

void ApplyWindowOpacity(HWND window, int transparent);
