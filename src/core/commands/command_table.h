// Every command that a key can be bound to is one of the 40 actions, and runs
// one function, whichever way it is asked for: a menu item, its shortcut key,
// a global hot key, the tray icon or a screen corner.
#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <vector>

#include "settings/keys.h"

// The actions by index (the table of names and default keys is ActionTable;
// the hot-key ones 0-2 and 26-30 are named beside it).
constexpr int32_t ActionEdit = 3;
constexpr int32_t ActionAddButton = 4;
constexpr int32_t ActionExecuteWithArg = 5;
constexpr int32_t ActionChangeButton = 6;
constexpr int32_t ActionDeleteButton = 7;
constexpr int32_t ActionCutButton = 8;
constexpr int32_t ActionCopyButton = 9;
constexpr int32_t ActionPasteButton = 10;
constexpr int32_t ActionLinkHelp = 11;
constexpr int32_t ActionLinkReadMe = 12;
constexpr int32_t ActionShortCutToDesktop = 13;
constexpr int32_t ActionShortCutToStartMenu = 14;
constexpr int32_t ActionShortCutToStartup = 15;
constexpr int32_t ActionShortCutToSendTo = 16;
constexpr int32_t ActionOpenThisFolder = 17;
constexpr int32_t ActionAddSeparator = 18;
constexpr int32_t ActionAddPage = 19;
constexpr int32_t ActionChangePage = 20;
constexpr int32_t ActionDeletePage = 21;
constexpr int32_t ActionSmartBar = 22;
constexpr int32_t ActionKeywordBar = 23;
constexpr int32_t ActionHistoryBar = 24;
constexpr int32_t ActionResourceBar = 25;
constexpr int32_t ActionOption = 31;
constexpr int32_t ActionClearHistory = 32;
constexpr int32_t ActionStartup = 33;
constexpr int32_t ActionHelp = 34;
constexpr int32_t ActionHint = 35;
constexpr int32_t ActionHomePage = 36;
constexpr int32_t ActionBugReport = 37;
constexpr int32_t ActionAbout = 38;
constexpr int32_t ActionExit = 39;

class TCommandTable {
public:
    using TCommand = std::function<void()>;

    // An empty command unbinds the action. Indexes outside 0..39 are ignored.
    void Bind(int32_t action, TCommand command);
    bool IsBound(int32_t action) const;
    // The actions without a command (not available in this build).
    std::vector<int32_t> Unbound() const;

    // Runs the action's command; false when it has none. Menus and keys run
    // through here.
    bool Run(int32_t action);

    // The way hot keys and screen corners run an action: -1, an unbound
    // action, or any action while another one started this way is still
    // running (a message box inside it lets further hot keys through) do
    // nothing. `prepare` runs first (the main window comes out of hiding).
    bool Execute(int32_t action, const TCommand& prepare = nullptr);
    bool Executing() const { return FExecuting; }

private:
    std::array<TCommand, ActionCount> FCommands;
    bool FExecuting = false;
};
