// A pop-up menu that owns its HMENU and runs the command of the item chosen.
// Items are text with an optional shortcut shown at the right; the menu runs
// modally at a screen point and returns once the item's command has run.
#pragma once

#include <windows.h>

#include <functional>
#include <string>
#include <vector>

#include "base/handles.h"

class TPopupMenu {
public:
    using TCommand = std::function<void()>;

    TPopupMenu();
    TPopupMenu(const TPopupMenu&) = delete;
    TPopupMenu& operator=(const TPopupMenu&) = delete;

    HMENU Handle() const { return FMenu.Get(); }
    int Count() const { return GetMenuItemCount(FMenu.Get()); }

    // `caption` with "&" marking the mnemonic; `shortCut` is the key text
    // shown at the right (empty for none). Returns the item's position.
    int AddItem(const std::string& caption, const std::string& shortCut, TCommand command);
    void AddSeparator();
    void Clear();
    void SetEnabled(int position, bool enabled);

    // Shows the menu at a screen point for `owner` (brought to the
    // foreground, so a click elsewhere closes the menu) and runs the chosen
    // item's command; false when nothing was chosen.
    bool Popup(HWND owner, POINT at);
    // Runs the command of an item's identifier, as a menu message names it.
    bool RunCommand(UINT id);

private:
    static constexpr UINT FirstId = 1;
    TMenu FMenu;
    std::vector<TCommand> FCommands;  // by identifier - FirstId
};
