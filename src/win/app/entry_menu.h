// The pop-up menu of one entry, in the main window or a bar: run with
// arguments, properties, delete, cut, copy, the target's help and read-me
// files, shortcuts to it, its folder, and a submenu browsing that folder.
// It is made afresh each time it opens, so it offers only what applies to
// that entry there.
#pragma once

#include <windows.h>

#include <cstdint>

#include "base/popup_menu.h"
#include "commands/menu_rules.h"
#include "layout/drag_rules.h"
#include "menus/folder_menu.h"
#include "model/vantor_classes.h"
#include "shell/target_probe.h"

class TVantor;

TMenuOwner MenuOwnerOf(TEntryWindow window);

class TEntryMenu : private TFolderMenuHost {
public:
    explicit TEntryMenu(TVantor& vantor);

    // Shows the menu for entry `index` of `page`, as shown by `owner`'s
    // window, at a screen point, and runs the chosen command on that entry.
    void Popup(TMenuOwner owner, TVantorPage& page, int32_t index, POINT at);
    // The main window's focused entry's menu, under the entry (the
    // keyboard's way to it).
    void PopupForFocus();
    // The items for an entry, without showing them (the tests look at them).
    void Build(TMenuOwner owner, const TVantorButton& entry);
    TPopupMenu& Menu() { return FMenu; }

    // What the menu asks of an entry's target.
    static constexpr unsigned MenuQuestions = tqFacts | tqFolderItem;
    // The page a view (`owner`) has just shown: its targets are looked at in
    // the background, so that their menus and starts find the answers ready.
    void Prefetch(const void* owner, const TVantorPage& page);

private:
    TTargetAnswer KnownOf(const TVantorButton& entry);
    HWND FolderMenuOwner() override;
    TVantorManager& FolderMenuPages() override;
    TFolderHistory& FolderMenuHistory() override;
    void FolderMenuPageChanged() override;
    void FolderMenuError(const std::string& text) override;
    void FolderMenuExecute(LPCITEMIDLIST item) override;

    TVantor& FVantor;
    TPopupMenu FMenu;
    // Browses the target's folder; its ID lists live until the menu closed.
    TFolderMenu FFolder{*this};
    HWND FOwner = nullptr;
};
