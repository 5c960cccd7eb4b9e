#include "shell/screen_saver.h"

#include <windows.h>

namespace {

// The change holds for this session only; the user's profile is not written.
void SetActive(bool active) {
    SystemParametersInfoW(SPI_SETSCREENSAVEACTIVE, active ? TRUE : FALSE, nullptr, SPIF_SENDWININICHANGE);
}

}  // namespace

TScreenSaverSwitch::~TScreenSaverSwitch() { Resume(); }

bool TScreenSaverSwitch::SystemActive() {
    BOOL active = FALSE;
    if (!SystemParametersInfoW(SPI_GETSCREENSAVEACTIVE, 0, &active, 0)) return false;
    return active != FALSE;
}

void TScreenSaverSwitch::Suspend() {
    if (FSuspended || !SystemActive()) return;
    SetActive(false);
    FSuspended = true;
}

void TScreenSaverSwitch::Resume() {
    if (!FSuspended) return;
    SetActive(true);
    FSuspended = false;
}
