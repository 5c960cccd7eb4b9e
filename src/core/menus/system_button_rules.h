// The arithmetic and text rules of the caption strip's system buttons: where
// their menus pop up, where the pointer goes before the screen saver starts,
// which restart is asked for, and how an AutoRun "open" line is split.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "layout/rect.h"

// The top-left corner of a button's menu, from the button's screen rectangle
// and the side of the caption strip (1 top, 2 bottom, 3 left, 4 right);
// nothing for any other side.
std::optional<TPoint> SystemMenuPoint(int captionSide, int left, int top, int width, int height);

// A pointer resting in a screen corner would stop the screen saver at once:
// it moves one pixel sideways. Nothing when it is elsewhere.
std::optional<TPoint> ScreenSaverPointerNudge(int x, int y, int screenWidth, int screenHeight);

// Shift held at the click or when the question was answered asks for the
// separate restart program, which only the Windows 95/98 family uses.
bool UseRestartProgram(bool shiftAtClick, bool shiftNow, bool isNT);

// What the "open" line of an AutoRun file starts: the part before the last
// blank outside double quotation marks, on the disc's root, with the part
// after it as the arguments. Quotation marks are passed on as they stand,
// except around the whole program name.
struct TAutoRunStart {
    std::string File;
    std::string Arguments;
};
TAutoRunStart AutoRunStartFor(const std::string& root, const std::string& openLine);

// The AutoRun policy bit for CD-ROM drives in NoDriveTypeAutoRun.
constexpr uint32_t AutoRunCdRomBit = 0x20;
constexpr uint32_t AutoRunPolicyValue(uint32_t value, bool enable) {
    return enable ? value & ~AutoRunCdRomBit : value | AutoRunCdRomBit;
}
