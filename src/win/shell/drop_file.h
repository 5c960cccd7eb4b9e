// Files dragged from the shell onto any window of the program (a control of
// a form, a bar's panel): the component puts its own window procedure in
// front of the window's and reports the dropped names.
#pragma once

#include <windows.h>
// After windows.h.
#include <shellapi.h>

#include <functional>
#include <string>
#include <vector>

#include "controls/component.h"

class TDropFile : public TComponent {
public:
    TDropFile() = default;
    ~TDropFile() override;

    HWND Control() const { return FControl; }
    // Detaches from the previous window (its procedure comes back and it
    // stops taking files), then attaches to this one; null only detaches.
    // False when the window is gone, belongs to another process or already
    // has a TDropFile of its own: the component is then detached.
    bool SetControl(HWND control);

    // Whether the window takes files from the shell.
    bool Enabled() const { return FEnabled; }
    void SetEnabled(bool enabled);

    // The dropped names (code page 932, in the shell's order, each whole
    // however long) and the drop point in the window's client coordinates.
    // While it is set the drop is the component's: the window's own
    // procedure never sees the message.
    std::function<void(TDropFile& sender, const std::vector<std::string>& files, int x, int y)> OnDropFile;
    // Dropped files that code page 932 cannot name, not even by a short
    // name, as far as it can spell them; they are left out of OnDropFile.
    // Unset, the user is told in a message box.
    std::function<void(TDropFile& sender, const std::vector<std::string>& names)> OnDropUnnamed;

private:
    static LRESULT CALLBACK WindowProc(HWND wnd, UINT msg, WPARAM wParam, LPARAM lParam);
    void Detach();
    void DropFiles(HDROP drop);

    HWND FControl = nullptr;
    bool FEnabled = true;
};
