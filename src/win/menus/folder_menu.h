// The folder menu of the open-folder button: the drives, the chosen special
// folders, the user's folder list and the recent folders as nested submenus,
// each listed only when it opens. Every object carries its commands: open or
// execute it, add it to the current page, add a folder to the folder list.
#pragma once

#include <windows.h>

#include <functional>
#include <string>
#include <vector>

#include "base/popup_menu.h"
#include "model/vantor_classes.h"
#include "settings/folder_history.h"
#include "shell/folder_listing.h"

// What the folder menu needs of the program.
class TFolderMenuHost {
public:
    virtual ~TFolderMenuHost() = default;
    virtual HWND FolderMenuOwner() = 0;
    // The main set: the settings, and the current page entries are added to.
    virtual TVantorManager& FolderMenuPages() = 0;
    virtual TFolderHistory& FolderMenuHistory() = 0;
    virtual void FolderMenuPageChanged() = 0;
    virtual void FolderMenuError(const std::string& text) = 0;
    virtual void FolderMenuExecute(LPCITEMIDLIST item) = 0;
};

class TFolderMenu {
public:
    // Shown in place of a listing that did not come in time.
    static constexpr char NotResponding[] = "（フォルダが応答しません）";

    explicit TFolderMenu(TFolderMenuHost& host) : FHost(host) {}
    TFolderMenu(const TFolderMenu&) = delete;
    TFolderMenu& operator=(const TFolderMenu&) = delete;

    // The whole drop-down: the root is built, the menu shown at `at` (screen),
    // the chosen command run and everything freed. Does nothing while a menu
    // is already up.
    void DropDown(POINT at);
    bool Busy() const { return FBusy; }

    // The steps of DropDown, for the tests: the root listing, and emptying
    // the menu; the ID lists its commands held go once what is queued for
    // the thread has run.
    void BuildRoot();
    void Close();
    TPopupMenu& Menu() { return FMenu; }
    // A submenu that browses a folder, added to another menu. The folder was
    // described off this thread (shell/target_probe.h): its drive may be slow.
    // Close releases the ID lists its commands hold.
    void AddFolderItem(TPopupMenu& parent, const TShellObject& folder);

    // How long a listing may take before it is given up.
    DWORD ListingTimeoutMs = 2000;
    // Runs on the worker before each listing (the tests slow it down).
    std::function<void()> BeforeListing;

private:
    void AddObject(TPopupMenu& parent, const TShellObject& object);
    void FillFolder(TPopupMenu& menu, const TSharedIDList& folder);
    void AddListing(TPopupMenu& menu, const std::vector<TShellObject>& objects, int leadingItems);
    void AddNotResponding(TPopupMenu& menu);
    TListingOptions ListingOptions();
    void OpenObject(const TShellObject& object);
    void AddButton(const TSharedIDList& idList);
    void AddToMenu(const TSharedIDList& idList);
    void ReleaseIDLists();

    TFolderMenuHost& FHost;
    TPopupMenu FMenu;
    bool FBusy = false;
    // Every ID list a command refers to, freed together once the menu closed.
    std::vector<TSharedIDList> FIDLists;
};
