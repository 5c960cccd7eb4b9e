// The resolution a window is drawn at. The program declares itself aware of
// each monitor's DPI, so nothing is stretched by the system: every size the
// layout gives in 96-DPI pixels is scaled by the DPI of the window's monitor.
#pragma once

#include <windows.h>

#include "layout/dpi.h"

// The DPI of the monitor the window is on; the screen's DPI on systems that
// do not tell it per window, or for no window.
int WindowDpi(HWND window);
// The screen's DPI (the primary monitor's, or the only one the system knows).
int ScreenDpi();
// A 96-DPI size at the window's DPI.
inline int ScaledForWindow(HWND window, int units) { return ScaleToDpi(units, WindowDpi(window)); }
