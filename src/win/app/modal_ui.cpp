#include "app/modal_ui.h"

#include "app/vantor.h"
#include "base/dialog.h"
#include "base/modal_gate.h"

TModalUi::TModalUi(TVantor& vantor) : FVantor(vantor) {
    TModalGate::THooks hooks;
    hooks.FirstEnter = [this] { FVantor.Hints().HideTitle(); };
    // The pointer checks rest while the gate is held.
    hooks.LastLeave = [this] { FVantor.Hider().Wake(); };
    hooks.FirstWindow = [this] {
        PushNotTopmost();
        FVantor.Bars().SetEnabled(false);
    };
    hooks.LastWindow = [this] {
        FVantor.Bars().SetEnabled(true);
        PopNotTopmost();
    };
    ModalGate().SetHooks(this, std::move(hooks));
}

TModalUi::~TModalUi() { ModalGate().ClearHooks(this); }

int TModalUi::ShowBox(const std::string& text, UINT type) {
    const TModalGate::THold hold(TModalKind::MessageBox, FVantor.Handle());
    return FVantor.Services().ShowMessage(FVantor.Handle(), text, type);
}

int TModalUi::RunModal(TModalForm& form) {
    BringToFront(FVantor.Handle());
    return form.ShowModal(FVantor.Handle());
}

void TModalUi::BringToFront(HWND window) {
    if (!window) return;
    HWND foreground = GetForegroundWindow();
    DWORD foregroundThread = foreground ? GetWindowThreadProcessId(foreground, nullptr) : 0;
    DWORD windowThread = GetWindowThreadProcessId(window, nullptr);
    bool attach = foregroundThread && windowThread && foregroundThread != windowThread;
    if (attach) AttachThreadInput(windowThread, foregroundThread, TRUE);
    BringWindowToTop(window);
    if (attach) AttachThreadInput(windowThread, foregroundThread, FALSE);
}

void TModalUi::BringModalWindowForward() {
    HWND active = ModalGate().ActiveWindow();
    if (!active) return;
    BringToFront(active);
    SetForegroundWindow(active);
}

void TModalUi::PushNotTopmost() {
    if (FNotTopmostDepth++ > 0 || !FVantor.Handle()) return;
    SetWindowPos(FVantor.Handle(), HWND_NOTOPMOST, 0, 0, 0, 0, SWP_NOACTIVATE | SWP_NOMOVE | SWP_NOSIZE);
    FVantor.Bars().SetTopmost(false);
}

void TModalUi::PopNotTopmost() {
    if (FNotTopmostDepth == 0 || --FNotTopmostDepth > 0 || !FVantor.Handle()) return;
    SetWindowPos(FVantor.Handle(), HWND_TOPMOST, 0, 0, 0, 0, SWP_NOACTIVATE | SWP_NOMOVE | SWP_NOSIZE);
    FVantor.Bars().SetTopmost(true);
}
