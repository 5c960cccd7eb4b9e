// The main window becoming active or inactive, and the whole program too:
// the auto-hide (app/auto_hider.h) hears of the window's activation, and
// the windows go back on top of the others.
#include "app/vantor.h"
#include "base/modal_gate.h"

void TVantor::FormActivate() {
    if (ModalGate().BoxOrDialogOpen()) return;
    FWindowActive = true;
    InvalidateCaptionStrip();
    FHider.WindowActivated();
}

void TVantor::FormDeactivate() {
    FHints.HideTitle();
    if (ModalGate().BoxOrDialogOpen()) return;
    FWindowActive = false;
    InvalidateCaptionStrip();
    FHider.WindowDeactivated();
}

// The whole program became active or inactive. The windows go back on top
// of the others, unless a modal dialog has them out of that layer.
void TVantor::ApplicationActivate(bool active) {
    // The active bar's activation handler runs here when the program becomes
    // active, and every bar's deactivation handler when it stops being so.
    if (ModalGate().BoxOrDialogOpen()) return;
    // After the screen-saver command the first deactivation leaves the
    // windows where they are, so the screen saver can cover them.
    if (SkipNextTopmost && !ProgramIsActive()) {
        SkipNextTopmost = false;
        return;
    }
    // A window appearing for the first time is already at the top of the
    // always-on-top layer; asking again costs a round trip to the window
    // system in the middle of the start-up.
    if (FPainted) SetWindowPos(Handle(), HWND_TOPMOST, 0, 0, 0, 0, SWP_NOACTIVATE | SWP_NOMOVE | SWP_NOSIZE);
    FBars.SetTopmost(true);
    if (active) FHints.TitleBackOnTop();  // over the windows just raised
}
