#include "base/popup_menu.h"

#include "base/win_text.h"

TPopupMenu::TPopupMenu() : FMenu(CreatePopupMenu()) {}

int TPopupMenu::AddItem(const std::string& caption, const std::string& shortCut, TCommand command) {
    std::wstring text = Widen(caption);
    if (!shortCut.empty()) text += L"\t" + Widen(shortCut);
    const UINT id = FirstId + static_cast<UINT>(FCommands.size());
    FCommands.push_back(std::move(command));
    AppendMenuW(FMenu.Get(), MF_STRING, id, text.c_str());
    return Count() - 1;
}

void TPopupMenu::AddSeparator() { AppendMenuW(FMenu.Get(), MF_SEPARATOR, 0, nullptr); }

void TPopupMenu::Clear() {
    while (Count() > 0) DeleteMenu(FMenu.Get(), 0, MF_BYPOSITION);
    FCommands.clear();
}

void TPopupMenu::SetEnabled(int position, bool enabled) {
    EnableMenuItem(FMenu.Get(), static_cast<UINT>(position), MF_BYPOSITION | (enabled ? MF_ENABLED : MF_GRAYED));
}

bool TPopupMenu::Popup(HWND owner, POINT at) {
    // Without the foreground the menu would stay open after a click elsewhere.
    SetForegroundWindow(owner);
    const UINT id = static_cast<UINT>(TrackPopupMenuEx(
        FMenu.Get(), TPM_RETURNCMD | TPM_RIGHTBUTTON | TPM_LEFTALIGN | TPM_TOPALIGN, at.x, at.y, owner, nullptr));
    PostMessageW(owner, WM_NULL, 0, 0);
    return id != 0 && RunCommand(id);
}

bool TPopupMenu::RunCommand(UINT id) {
    if (id < FirstId || id - FirstId >= FCommands.size()) return false;
    // A copy: the command may rebuild this menu.
    const TCommand command = FCommands[id - FirstId];
    if (command) command();
    return true;
}
