// Whether the program in front is a full-screen one (a game, a slideshow, a
// video): then the launcher's pointer actions rest on that monitor, so
// touching the screen edge or a corner does not bring it over the picture.
#pragma once

#include <string>

#include "layout/rect.h"

struct TForegroundWindow {
    TRect Window;           // the foreground window, screen coordinates
    TRect Monitor;          // the whole monitor it is on (not the work area)
    std::string ClassName;  // its window class
    bool OwnProgram = false;
    bool OnLaunchersMonitor = true;  // the launcher's window is on that monitor too
};

// True when the foreground window covers its whole monitor, is not the
// desktop itself, belongs to another program and shares the launcher's monitor.
bool IsFullScreenForeground(const TForegroundWindow& foreground);
