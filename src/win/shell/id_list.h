// The shell namespace: item identifier lists (the shell's binary paths to
// namespace objects, including virtual ones such as Control Panel items) and
// the special folders. Every list made here comes from the shell allocator and
// goes back to it through FreeIDList (or a TIDList owner).
#pragma once

#include <windows.h>
// After windows.h, which it needs.
#include <shlobj.h>

#include <cstdint>
#include <memory>
#include <string>

enum TSpecialFolder : uint8_t {
    sfBitBucket,
    sfControls,
    sfDesktop,
    sfDesktopDirectory,
    sfDrives,
    sfFonts,
    sfNetHood,
    sfNetwork,
    sfNone,
    sfPersonal,
    sfPrinters,
    sfPrograms,
    sfRecent,
    sfSendTo,
    sfStartMenu,
    sfStartup,
    sfTemplates
};

// Total byte size including the 2-byte terminator; 0 for a null list.
UINT IDListSize(LPCITEMIDLIST idList);
LPCITEMIDLIST NextIDListItem(LPCITEMIDLIST item);
// Zero-filled; null when the allocation fails.
LPITEMIDLIST AllocIDList(UINT size);
LPITEMIDLIST CopyIDList(LPCITEMIDLIST idList);
// The parent's items (a null parent counts as empty) followed by the child.
LPITEMIDLIST ConcatIDLists(LPCITEMIDLIST parent, LPCITEMIDLIST child);
// Parses a file-system path through the desktop folder; null on failure.
LPITEMIDLIST PathToIDList(const std::string& path);
// Empty for a null list or an object without a file-system path.
std::string IDListToPath(LPCITEMIDLIST idList);
void FreeIDList(LPITEMIDLIST idList);

// The CSIDL of a kind, or -1 for sfNone and values outside the table.
int SpecialFolderCsidl(TSpecialFolder kind);
LPITEMIDLIST SpecialFolderIDList(TSpecialFolder kind);
std::string SpecialFolderPath(TSpecialFolder kind);

// The shell's canonical long form of a path (parsed to an item and back), or
// the path itself when the shell cannot parse it.
std::string CanonicalPath(const std::string& path);

struct TIDListDeleter {
    void operator()(ITEMIDLIST* idList) const { FreeIDList(idList); }
};
using TIDList = std::unique_ptr<ITEMIDLIST, TIDListDeleter>;
