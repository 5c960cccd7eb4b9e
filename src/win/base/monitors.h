// The monitors of the desktop, for the docking, the auto-hide and the
// floating bars: the arithmetic (layout/docking.h, layout/auto_hide.h,
// bars/bar_layout.h) takes them as rectangles in screen coordinates.
#pragma once

#include <windows.h>

#include <vector>

#include "layout/rect.h"

struct TMonitorAreas {
    TRect Area;  // the whole monitor
    TRect Work;  // without the task bars
};

// The monitor a window or a rectangle lies on most, or the nearest one.
TMonitorAreas MonitorOfWindow(HWND window);
TMonitorAreas MonitorOfRect(const TRect& rect);
TMonitorAreas MonitorOfPoint(POINT point);
// Every monitor's whole rectangle.
std::vector<TRect> AllMonitors();
