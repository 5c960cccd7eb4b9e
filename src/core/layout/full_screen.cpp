#include "layout/full_screen.h"

#include "text/text.h"

namespace {

// The desktop covers the monitor too, but is no program to keep quiet for.
bool IsDesktopClass(const std::string& name) { return SameText(name, "Progman") || SameText(name, "WorkerW"); }

}  // namespace

bool IsFullScreenForeground(const TForegroundWindow& f) {
    if (f.OwnProgram || !f.OnLaunchersMonitor || f.Monitor.IsEmpty() || IsDesktopClass(f.ClassName)) return false;
    return f.Window.Left <= f.Monitor.Left && f.Window.Top <= f.Monitor.Top && f.Window.Right >= f.Monitor.Right &&
           f.Window.Bottom >= f.Monitor.Bottom;
}
