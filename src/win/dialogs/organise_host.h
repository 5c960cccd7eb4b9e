// How the editing dialogs are shown. At the top the main window's RunModal
// shows them; a dialog opened from another dialog is owned by that one, so
// the one below stays disabled until it closes. Every dialog holds the modal
// gate while it is up (TDialog::ShowModal), nested or not. Tests show them
// without a main window.
#pragma once

#include <windows.h>

#include <functional>
#include <memory>
#include <string>

#include "app/desktop_services.h"
#include "base/dialog.h"
#include "shell/target_probe.h"

struct TDialogHost {
    std::function<int(TModalForm&)> Run;
    TDesktopServices* Services = nullptr;
    std::shared_ptr<THelpViewer> Help;
    // The system's and the user's Windows family: the process picker needs
    // paths of other processes, which it reads differently on each.
    bool IsNT = true;
    // What the program knows of targets; null: a dialog asks on its own.
    TTargetProbe* Probe = nullptr;

    // The same services, showing dialogs owned by `owner`.
    TDialogHost Over(HWND owner) const {
        TDialogHost nested = *this;
        nested.Run = [owner](TModalForm& form) { return form.ShowModal(owner); };
        return nested;
    }
    // Gives a dialog the services and its help before it runs.
    void Prepare(TDialog& dialog, const THelpTopic& helpTopic = THelpTopic()) const {
        dialog.Services = Services;
        dialog.Help = Help;
        dialog.HelpTopic = helpTopic;
    }
};
