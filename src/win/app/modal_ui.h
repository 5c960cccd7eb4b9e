// The program's message boxes and dialogs over the main window. Each holds
// the modal gate while it is up; the first one hides the title hint, takes
// the windows out of the always-on-top layer (a box must not end up behind
// them) and makes the floating bars take no input, as the main window, their
// owner, takes none; the last one puts all back.
#pragma once

#include <windows.h>

#include <string>

class TModalForm;
class TVantor;

class TModalUi {
public:
    explicit TModalUi(TVantor& vantor);
    ~TModalUi();
    TModalUi(const TModalUi&) = delete;
    TModalUi& operator=(const TModalUi&) = delete;

    // A message box titled "Vantor"; the button chosen.
    int ShowBox(const std::string& text, UINT type);
    // The dialog holds the gate itself (TDialog::ShowModal), as it does when
    // it is shown over another dialog.
    int RunModal(TModalForm& form);
    // Brings one of the program's windows to the top, even from another
    // thread's foreground. Nothing queued runs here: callers open a dialog or
    // run an action next, and a queued message must not run before them.
    static void BringToFront(HWND window);
    // The open box, dialog or menu comes to the front and takes the keyboard.
    static void BringModalWindowForward();

private:
    // Suspensions nest: the first push takes the windows out of the topmost
    // layer, only the matching last pop puts them back.
    void PushNotTopmost();
    void PopNotTopmost();

    TVantor& FVantor;
    int FNotTopmostDepth = 0;
};
