#include "base/monitors.h"

namespace {

TRect FromRECT(const RECT& r) { return TRect{r.left, r.top, r.right, r.bottom}; }

// A monitor the system cannot describe counts as the main screen.
TMonitorAreas AreasOf(HMONITOR monitor) {
    MONITORINFO info{};
    info.cbSize = sizeof(info);
    if (monitor && GetMonitorInfoW(monitor, &info))
        return TMonitorAreas{FromRECT(info.rcMonitor), FromRECT(info.rcWork)};
    const TRect screen{0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
    return TMonitorAreas{screen, screen};
}

BOOL CALLBACK AddMonitor(HMONITOR, HDC, LPRECT area, LPARAM list) {
    reinterpret_cast<std::vector<TRect>*>(list)->push_back(FromRECT(*area));
    return TRUE;
}

}  // namespace

TMonitorAreas MonitorOfWindow(HWND window) { return AreasOf(MonitorFromWindow(window, MONITOR_DEFAULTTONEAREST)); }

TMonitorAreas MonitorOfRect(const TRect& rect) {
    const RECT r{rect.Left, rect.Top, rect.Right, rect.Bottom};
    return AreasOf(MonitorFromRect(&r, MONITOR_DEFAULTTONEAREST));
}

TMonitorAreas MonitorOfPoint(POINT point) { return AreasOf(MonitorFromPoint(point, MONITOR_DEFAULTTONEAREST)); }

std::vector<TRect> AllMonitors() {
    std::vector<TRect> monitors;
    EnumDisplayMonitors(nullptr, nullptr, AddMonitor, reinterpret_cast<LPARAM>(&monitors));
    return monitors;
}
