// The commands that edit pages and entries without the organise dialog: add
// an entry, a separator or a page, delete a page, and cut, copy, paste and
// delete entries through the program's own entry clipboard. Every view shows
// the change at once. The entry commands also start, open and document the
// entry the entry menu was opened on.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "commands/menu_rules.h"
#include "document/entry_ref.h"
#include "model/vantor_classes.h"

class TCommandTable;
class TVantor;

class TEditingCommands {
public:
    explicit TEditingCommands(TVantor& vantor);
    ~TEditingCommands();
    TEditingCommands(const TEditingCommands&) = delete;
    TEditingCommands& operator=(const TEditingCommands&) = delete;

    // Binds the editing and entry actions of the command table.
    void Bind(TCommandTable& commands);

    // The entry an entry command works on.
    struct TEntryTarget {
        TMenuOwner Owner = TMenuOwner::Main;
        TVantorPage* Page = nullptr;
        int32_t Index = -1;
    };
    // While the entry menu is up its entry is the target; otherwise the
    // focused entry of the window whose entry area has the keyboard (the
    // main window's, or the bar's).
    void SetMenuEntry(const TEntryTarget& target) { FMenuEntry = target; }
    void ClearMenuEntry() { FMenuEntry = TEntryTarget{}; }
    TEntryTarget Target() const;
    // Null when the target is gone (its page changed meanwhile).
    TVantorButton* TargetEntry() const;

    // The target as a reference that outlives a modal dialog.
    TEntryRef TargetRef() const;

    // The dialogs these commands open; each returns true for OK. Until one
    // is set, the command goes on as if it was accepted unchanged (a new
    // entry or page keeps its defaults, an entry runs with its own arguments).
    std::function<bool(TVantorButton& entry)> EditNewEntry;
    std::function<bool(TVantorPage& page)> EditNewPage;
    std::function<bool(std::string& arguments, const std::vector<std::string>& history)> AskArguments;

    // The main menu's commands, on the focus page.
    void AddButton();
    void AddSeparator();
    void PasteButton();
    void AddPage();
    void DeletePage();
    // The entry commands, on the target.
    void DeleteButton();
    void CutButton();
    void CopyButton();
    void ExecuteWithArg();
    void LinkHelp();
    void LinkReadMe();
    void OpenThisFolder();

private:
    // The page the main menu's commands add to: the main window's current
    // page or the smart bar's; none where entries cannot be added.
    TPageRef FocusPage();
    TEntryTarget KeyboardTarget() const;
    void Execute(const std::string& file);
    void OpenBesideTarget(std::string TTargetFacts::*file);

    TVantor& FVantor;
    TEntryTarget FMenuEntry;
};
