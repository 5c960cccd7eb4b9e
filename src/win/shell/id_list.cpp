#include "shell/id_list.h"

#include <cstring>

#include "base/handles.h"
#include "base/win_text.h"

namespace {

uint16_t ItemSize(LPCITEMIDLIST item) {
    uint16_t size;
    std::memcpy(&size, item, sizeof(size));  // items need not be aligned
    return size;
}

}  // namespace

UINT IDListSize(LPCITEMIDLIST idList) {
    if (!idList) return 0;
    UINT size = sizeof(USHORT);
    for (LPCITEMIDLIST item = idList; ItemSize(item) != 0; item = NextIDListItem(item)) size += ItemSize(item);
    return size;
}

LPCITEMIDLIST NextIDListItem(LPCITEMIDLIST item) {
    return reinterpret_cast<LPCITEMIDLIST>(reinterpret_cast<const BYTE*>(item) + ItemSize(item));
}

LPITEMIDLIST AllocIDList(UINT size) {
    // The task allocator is the shell allocator SHGetMalloc hands out.
    void* block = CoTaskMemAlloc(size);
    if (block) std::memset(block, 0, size);
    return static_cast<LPITEMIDLIST>(block);
}

LPITEMIDLIST CopyIDList(LPCITEMIDLIST idList) {
    UINT size = IDListSize(idList);
    if (size == 0) return nullptr;
    LPITEMIDLIST copy = AllocIDList(size);
    if (copy) std::memcpy(copy, idList, size);
    return copy;
}

LPITEMIDLIST ConcatIDLists(LPCITEMIDLIST parent, LPCITEMIDLIST child) {
    UINT parentSize = parent ? IDListSize(parent) - sizeof(USHORT) : 0;
    UINT childSize = child ? IDListSize(child) : sizeof(USHORT);
    LPITEMIDLIST result = AllocIDList(parentSize + childSize);
    if (!result) return nullptr;
    auto* bytes = reinterpret_cast<BYTE*>(result);
    if (parentSize) std::memcpy(bytes, parent, parentSize);
    if (child) std::memcpy(bytes + parentSize, child, childSize);
    return result;
}

LPITEMIDLIST PathToIDList(const std::string& path) {
    ComPtr<IShellFolder> desktop;
    if (FAILED(SHGetDesktopFolder(desktop.Put())) || !desktop) return nullptr;
    std::wstring wide = Widen(path);
    LPITEMIDLIST idList = nullptr;
    ULONG eaten = 0;
    if (FAILED(desktop->ParseDisplayName(nullptr, nullptr, wide.data(), &eaten, &idList, nullptr))) return nullptr;
    return idList;
}

std::string IDListToPath(LPCITEMIDLIST idList) {
    if (!idList) return std::string();
    wchar_t buffer[MAX_PATH] = {};
    if (!SHGetPathFromIDListW(idList, buffer)) return std::string();
    // A path only a look-alike could spell would name another file.
    return NarrowPath(buffer).value_or(std::string());
}

void FreeIDList(LPITEMIDLIST idList) {
    if (idList) CoTaskMemFree(idList);
}

int SpecialFolderCsidl(TSpecialFolder kind) {
    switch (kind) {
        case sfBitBucket:
            return CSIDL_BITBUCKET;
        case sfControls:
            return CSIDL_CONTROLS;
        case sfDesktop:
            return CSIDL_DESKTOP;
        case sfDesktopDirectory:
            return CSIDL_DESKTOPDIRECTORY;
        case sfDrives:
            return CSIDL_DRIVES;
        case sfFonts:
            return CSIDL_FONTS;
        case sfNetHood:
            return CSIDL_NETHOOD;
        case sfNetwork:
            return CSIDL_NETWORK;
        case sfPersonal:
            return CSIDL_PERSONAL;
        case sfPrinters:
            return CSIDL_PRINTERS;
        case sfPrograms:
            return CSIDL_PROGRAMS;
        case sfRecent:
            return CSIDL_RECENT;
        case sfSendTo:
            return CSIDL_SENDTO;
        case sfStartMenu:
            return CSIDL_STARTMENU;
        case sfStartup:
            return CSIDL_STARTUP;
        case sfTemplates:
            return CSIDL_TEMPLATES;
        default:
            return -1;
    }
}

LPITEMIDLIST SpecialFolderIDList(TSpecialFolder kind) {
    int csidl = SpecialFolderCsidl(kind);
    if (csidl < 0) return nullptr;
    LPITEMIDLIST idList = nullptr;
    if (FAILED(SHGetSpecialFolderLocation(nullptr, csidl, &idList))) return nullptr;
    return idList;
}

std::string SpecialFolderPath(TSpecialFolder kind) {
    TIDList idList(SpecialFolderIDList(kind));
    return IDListToPath(idList.get());
}

std::string CanonicalPath(const std::string& path) {
    TIDList idList(PathToIDList(path));
    std::string canonical = IDListToPath(idList.get());
    return canonical.empty() ? path : canonical;
}
