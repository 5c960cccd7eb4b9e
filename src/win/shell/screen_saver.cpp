#include "shell/screen_saver.h"

#include <windows.h>

TScreenSaverSwitch::~TScreenSaverSwitch() { Resume(); }

bool TScreenSaverSwitch::Active() const { return FSystem ? FSystem->ScreenSaverActive() : SystemActive(); }

bool TScreenSaverSwitch::SystemActive() {
    BOOL active = FALSE;
    if (!SystemParametersInfoW(SPI_GETSCREENSAVEACTIVE, 0, &active, 0)) return false;
    return active != FALSE;
}

// The change holds for this session only; the user's profile is not written.
void TScreenSaverSwitch::SetActive(bool active) const {
    if (FSystem)
        FSystem->SetScreenSaverActive(active);
    else
        SystemParametersInfoW(SPI_SETSCREENSAVEACTIVE, active ? TRUE : FALSE, nullptr, SPIF_SENDWININICHANGE);
}

void TScreenSaverSwitch::Suspend() {
    if (FSuspended || !Active()) return;
    SetActive(false);
    FSuspended = true;
}

void TScreenSaverSwitch::Resume() {
    if (!FSuspended) return;
    SetActive(true);
    FSuspended = false;
}
