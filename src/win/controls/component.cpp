#include "controls/component.h"

TShiftState MouseShiftState(WPARAM keyFlags) {
    TShiftState s = 0;
    if (keyFlags & MK_SHIFT) s |= ssShift;
    if (keyFlags & MK_CONTROL) s |= ssCtrl;
    if (keyFlags & MK_LBUTTON) s |= ssLeft;
    if (keyFlags & MK_RBUTTON) s |= ssRight;
    if (keyFlags & MK_MBUTTON) s |= ssMiddle;
    if (GetKeyState(VK_MENU) < 0) s |= ssAlt;
    return s;
}

TShiftState KeyboardShiftState() {
    TShiftState s = 0;
    if (GetKeyState(VK_SHIFT) < 0) s |= ssShift;
    if (GetKeyState(VK_CONTROL) < 0) s |= ssCtrl;
    if (GetKeyState(VK_MENU) < 0) s |= ssAlt;
    return s;
}
