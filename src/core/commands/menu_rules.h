// Which items of the main menu and of an entry's menu are offered, for the
// window the menu belongs to and the entry it was opened on. The items that
// depend on files beside the target come from what is known of it, so a menu
// never offers a help or read-me file that was not seen there.
#pragma once

#include <cstdint>
#include <string>

#include "document/entry_ref.h"
#include "launch/target_facts.h"
#include "platform.h"

// The window whose menu it is: the main window or one of the four bars.
enum class TMenuOwner { Main, SmartBar, KeywordBar, HistoryBar, ResourceBar };

// The set the window shows (both name the windows in the same order).
inline TBarKind SetOf(TMenuOwner owner) { return static_cast<TBarKind>(owner); }

struct TMainMenuEnabling {
    bool Edit = false;
    bool AddButton = false;
    bool AddSeparator = false;
    bool Paste = false;
    bool AddPage = false;
    bool ChangePage = false;
    bool DeletePage = false;
};

// Entries are added only where a page of the user's own is shown (the main
// window and the smart bar); pages exist only in the main window.
TMainMenuEnabling MainMenuEnabling(TMenuOwner owner);

struct TEntryMenuState {
    bool ExecuteWithArg = false;
    bool ChangeButton = false;
    bool DeleteButton = false;
    bool CutButton = false;
    bool CopyButton = true;
    bool OpenThisFolder = false;
    bool MakeShortCut = false;
    // Empty when hidden; otherwise the file to open and the item's caption.
    std::string HelpFile, HelpCaption;
    std::string ReadMeFile, ReadMeCaption;
    // The target's folder with a trailing backslash, empty when it is not
    // an existing folder (no folder submenu then).
    std::string Folder;
};

// The state of the entry menu for an entry with target `linkTo`, from the
// facts known of it; null when nothing is known yet: the menu then goes
// without the help, read-me and folder items rather than wait.
TEntryMenuState EntryMenuState(TMenuOwner owner, bool separator, const std::string& linkTo, const TTargetFacts* facts);
// The same, asking the platform.
TEntryMenuState EntryMenuState(TPlatform& platform, TMenuOwner owner, bool separator, const std::string& linkTo);

// A key an edit box uses on its text (Delete, Insert, Backspace, the arrows,
// Home and End, and Ctrl or Shift with them, Ctrl+A/C/V/X/Z, Enter). While an
// edit box has the keyboard, the program's shortcut keys leave these to it,
// so Ctrl+X in the keyword box cuts text rather than an entry.
bool IsTextEditingKey(uint16_t key);
