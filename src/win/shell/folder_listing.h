// Listing shell folders for the folder menu, off the user-interface thread:
// a slow or unreachable folder (a network share, a drive that spins up) must
// not freeze the program, so each listing runs on a worker of its own and is
// given up after a bounded wait. The worker touches no window and no state of
// the program; it hands back plain descriptions with their ID lists.
#pragma once

#include <windows.h>
// After windows.h, which it needs.
#include <shlobj.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "menus/folder_menu_model.h"
#include "settings/settings.h"

// An absolute ID list that several holders may keep (the menu's commands).
using TSharedIDList = std::shared_ptr<ITEMIDLIST>;
TSharedIDList ShareIDList(LPITEMIDLIST idList);

// One object of a listing, described for its menu item.
struct TShellObject {
    TSharedIDList IDList;
    std::string Path;     // empty for an object without a file-system path
    std::string Caption;  // as the menu shows it, "&" not yet doubled
    int Icon = -1;        // index in the system small-icon list
    bool IsFolder = false;
};

// Describes an object with the caption given, or the one derived from it.
TShellObject DescribeShellObject(TSharedIDList idList, const std::string& caption = std::string());

struct TListingOptions {
    bool ExpandApplication = true;
    TSortedTextList CustomExts;
};

struct TFolderContents {
    HRESULT Error = S_OK;               // binding or enumerating failed: nothing listed
    std::vector<TShellObject> Objects;  // folders first, at most 63 files
};

// Lists a folder. At the root (My Computer) only objects with a path are
// kept. Removable drives are never touched.
TFolderContents ListShellFolder(LPCITEMIDLIST folder, bool root, const TListingOptions& options);

// What the root of the folder menu shows besides the drives.
struct TRootRequest {
    std::vector<TRootFolder> Folders;
    std::vector<std::string> CustomFolders;
    std::vector<std::string> History;
};
struct TRootContents {
    TFolderContents Drives;
    std::vector<TShellObject> Folders;
    std::vector<TShellObject> CustomFolders;
    std::vector<TShellObject> History;      // in history order
    std::vector<size_t> UnresolvedHistory;  // indexes that no longer parse
};
TRootContents ListMenuRoot(const TRootRequest& request, const TListingOptions& options);

// Runs `work` on a worker thread with a COM apartment of its own and waits at
// most `timeoutMs`; false when it has not finished by then. The worker then
// runs on alone: `work` must own everything it touches.
bool RunBounded(std::function<void()> work, DWORD timeoutMs);

// The system's text for a failure code.
std::string SystemErrorText(HRESULT error);
