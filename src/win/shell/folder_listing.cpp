#include "shell/folder_listing.h"

#include <shellapi.h>

#include <map>
#include <system_error>
#include <thread>

#include "base/handles.h"
#include "base/log.h"
#include "base/win_text.h"
#include "shell/id_list.h"
#include "text/text.h"

namespace {

bool IsDirectory(const std::string& path) {
    const DWORD attributes = GetFileAttributesW(Widen(path).c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

// Floppy drives are never touched: asking one for anything spins it up.
bool IsRemovableRoot(const std::string& path) {
    return path.size() == 3 && path[1] == ':' && path[2] == '\\' &&
           GetDriveTypeW(Widen(path).c_str()) == DRIVE_REMOVABLE;
}

// The text of a shell name in any of its three forms.
std::string StrRetText(STRRET& value, LPCITEMIDLIST item) {
    switch (value.uType) {
        case STRRET_WSTR: {
            std::string text = value.pOleStr ? Narrow(value.pOleStr) : std::string();
            CoTaskMemFree(value.pOleStr);
            return text;
        }
        case STRRET_OFFSET:
            return reinterpret_cast<const char*>(item) + value.uOffset;
        case STRRET_CSTR:
            return value.cStr;
        default:
            return std::string();
    }
}

// The name of an object in its folder as the file system spells it; cheap
// for file-system objects, whose names the ID list itself carries.
std::string ParsingName(IShellFolder& folder, LPCITEMIDLIST item) {
    STRRET name{};
    if (FAILED(folder.GetDisplayNameOf(item, SHGDN_INFOLDER | SHGDN_FORPARSING, &name))) return std::string();
    return StrRetText(name, item);
}

int CompareInLocale(const std::string& a, const std::string& b) {
    const std::wstring wa = Widen(a), wb = Widen(b);
    return CompareStringW(LOCALE_USER_DEFAULT, NORM_IGNORECASE, wa.c_str(), static_cast<int>(wa.size()), wb.c_str(),
                          static_cast<int>(wb.size())) -
           CSTR_EQUAL;
}

LPITEMIDLIST RootFolderIDList(TRootFolderKind kind) {
    auto folderOf = [](UINT(WINAPI * get)(LPWSTR, UINT)) {
        wchar_t buffer[MAX_PATH] = {};
        get(buffer, MAX_PATH);
        return Narrow(buffer);
    };
    switch (kind) {
        case TRootFolderKind::RecycleBin:
            return SpecialFolderIDList(sfBitBucket);
        case TRootFolderKind::ControlPanel:
            return SpecialFolderIDList(sfControls);
        case TRootFolderKind::Desktop:
            return SpecialFolderIDList(sfDesktopDirectory);
        case TRootFolderKind::Fonts:
            return SpecialFolderIDList(sfFonts);
        case TRootFolderKind::Network:
            return SpecialFolderIDList(sfNetwork);
        case TRootFolderKind::Printers:
            return SpecialFolderIDList(sfPrinters);
        case TRootFolderKind::Recent:
            return SpecialFolderIDList(sfRecent);
        case TRootFolderKind::SendTo:
            return SpecialFolderIDList(sfSendTo);
        case TRootFolderKind::StartMenu:
            return SpecialFolderIDList(sfStartMenu);
        case TRootFolderKind::WindowsFolder:
            return PathToIDList(folderOf(GetWindowsDirectoryW));
        case TRootFolderKind::SystemFolder:
            return PathToIDList(folderOf(GetSystemDirectoryW));
        case TRootFolderKind::TempFolder: {
            wchar_t buffer[MAX_PATH] = {};
            GetTempPathW(MAX_PATH, buffer);
            return PathToIDList(Narrow(buffer));
        }
        case TRootFolderKind::ProgramFiles: {
            const std::string folder = ProgramFilesFolderFor(folderOf(GetSystemDirectoryW));
            return IsDirectory(folder) ? PathToIDList(folder) : nullptr;
        }
        case TRootFolderKind::MyDocuments:
            return SpecialFolderIDList(sfPersonal);
    }
    return nullptr;
}

// The system icon of a file-system object. Documents of one type and plain
// folders share their type's icon, asked for once per listing without
// touching the disk; programs, shortcuts and icon files have their own.
class TTypeIcons {
public:
    int IconOf(LPCITEMIDLIST idList, const std::string& path, bool isFolder) {
        const std::string ext = AnsiLowerCase(ExtractFileExt(path));
        const bool own = !isFolder && (ext == ".exe" || ext == ".lnk" || ext == ".pif" || ext == ".ico" ||
                                       ext == ".cur" || ext == ".ani" || ext == ".scr");
        SHFILEINFOW info{};
        if (own) {
            if (!SHGetFileInfoW(reinterpret_cast<LPCWSTR>(idList), 0, &info, sizeof(info),
                                SHGFI_PIDL | SHGFI_SYSICONINDEX | SHGFI_SMALLICON))
                return -1;
            return info.iIcon;
        }
        const std::string key = isFolder ? std::string("\\") : ext;
        auto found = FIcons.find(key);
        if (found != FIcons.end()) return found->second;
        const std::wstring name = isFolder ? L"folder" : L"file" + Widen(ext);
        int icon = -1;
        if (SHGetFileInfoW(name.c_str(), isFolder ? FILE_ATTRIBUTE_DIRECTORY : FILE_ATTRIBUTE_NORMAL, &info,
                           sizeof(info), SHGFI_USEFILEATTRIBUTES | SHGFI_SYSICONINDEX | SHGFI_SMALLICON))
            icon = info.iIcon;
        FIcons[key] = icon;
        return icon;
    }

private:
    std::map<std::string, int> FIcons;
};

}  // namespace

TSharedIDList ShareIDList(LPITEMIDLIST idList) { return TSharedIDList(idList, TIDListDeleter()); }

TShellObject DescribeShellObject(TSharedIDList idList, const std::string& caption) {
    TShellObject object;
    SHFILEINFOW info{};
    info.dwAttributes = 0;
    const bool described = idList && SHGetFileInfoW(reinterpret_cast<LPCWSTR>(idList.get()), 0, &info, sizeof(info),
                                                    SHGFI_PIDL | SHGFI_SYSICONINDEX | SHGFI_SMALLICON |
                                                        SHGFI_DISPLAYNAME | SHGFI_ATTRIBUTES) != 0;
    object.Path = IDListToPath(idList.get());
    object.Icon = described ? info.iIcon : -1;
    object.IsFolder = described && (info.dwAttributes & SFGAO_FOLDER);
    const bool fileSystem = described && (info.dwAttributes & SFGAO_FILESYSTEM);
    object.Caption = !caption.empty()
                         ? caption
                         : FolderObjectCaption(object.Path, fileSystem, object.IsFolder, Narrow(info.szDisplayName));
    object.IDList = std::move(idList);
    return object;
}

TFolderContents ListShellFolder(LPCITEMIDLIST folderIDList, bool root, const TListingOptions& options) {
    TFolderContents contents;
    ComPtr<IShellFolder> desktop;
    ComPtr<IShellFolder> folder;
    HRESULT hr = SHGetDesktopFolder(desktop.Put());
    if (SUCCEEDED(hr) && desktop) {
        if (IDListSize(folderIDList) <= sizeof(USHORT))
            hr = desktop->QueryInterface(IID_IShellFolder, reinterpret_cast<void**>(folder.Put()));
        else
            hr = desktop->BindToObject(folderIDList, nullptr, IID_IShellFolder, reinterpret_cast<void**>(folder.Put()));
    }
    if (FAILED(hr) || !folder) {
        contents.Error = FAILED(hr) ? hr : E_FAIL;
        return contents;
    }
    SHFILEINFOW self{};
    SHGetFileInfoW(reinterpret_cast<LPCWSTR>(folderIDList), 0, &self, sizeof(self), SHGFI_PIDL | SHGFI_ATTRIBUTES);
    const std::string folderPath = IDListToPath(folderIDList);
    const bool wantFiles = FolderMenuWantsFiles(options.ExpandApplication, options.CustomExts);
    SHCONTF flags = SHCONTF_FOLDERS | SHCONTF_INCLUDEHIDDEN;
    // Virtual folders (the Control Panel) are nothing without their items.
    if (wantFiles || !(self.dwAttributes & SFGAO_FILESYSTEM)) flags |= SHCONTF_NONFOLDERS;
    ComPtr<IEnumIDList> items;
    hr = folder->EnumObjects(nullptr, flags, items.Put());
    if (hr != S_OK || !items) {
        // S_FALSE: nothing to list (an empty drive).
        if (FAILED(hr)) contents.Error = hr;
        return contents;
    }

    struct TKept {
        TSharedIDList IDList;
        std::string Path;
        bool IsFolder;
        bool FileSystem;
    };
    TTypeIcons icons;
    std::vector<TKept> kept;
    TFolderListing listing(CompareInLocale);
    LPITEMIDLIST relative = nullptr;
    ULONG fetched = 0;
    while (items->Next(1, &relative, &fetched) == S_OK && relative) {
        TIDList child(relative);
        relative = nullptr;
        SFGAOF attributes = SFGAO_FOLDER | SFGAO_FILESYSTEM | SFGAO_STREAM;
        LPCITEMIDLIST one = child.get();
        if (FAILED(folder->GetAttributesOf(1, &one, &attributes))) attributes = 0;
        const bool fileSystem = attributes & SFGAO_FILESYSTEM;
        const bool directory = fileSystem && (attributes & SFGAO_FOLDER) && !(attributes & SFGAO_STREAM);
        // A file-system object's path is its folder's and its name: asking
        // the shell for each whole path would bind every folder above it
        // again, which is what makes a large folder slow.
        std::string path;
        if (fileSystem && !root && !folderPath.empty()) {
            path = IncludeTrailingBackslash(folderPath) + ParsingName(*folder.Get(), child.get());
        } else if (root || fileSystem) {
            TIDList absolute(ConcatIDLists(folderIDList, child.get()));
            path = IDListToPath(absolute.get());
        }
        if (root && path.empty()) continue;
        if (IsRemovableRoot(path)) continue;
        if (fileSystem && !directory && !path.empty() &&
            !FolderMenuListsFile(path, options.ExpandApplication, options.CustomExts))
            continue;
        const bool isFolder = attributes & SFGAO_FOLDER;
        if (!listing.Add(path, isFolder, static_cast<int32_t>(kept.size()))) continue;
        kept.push_back({ShareIDList(ConcatIDLists(folderIDList, child.get())), path, isFolder, fileSystem});
    }
    for (const TFolderListingItem& item : listing.Sorted()) {
        TKept& object = kept[static_cast<size_t>(item.Payload)];
        // Asking the shell to describe each object costs milliseconds under
        // Wine; a file-system object's name and kind are known already.
        if (root || !object.FileSystem || object.Path.empty()) {
            contents.Objects.push_back(DescribeShellObject(object.IDList));
            continue;
        }
        TShellObject described;
        described.Path = object.Path;
        described.IsFolder = object.IsFolder;
        described.Caption = FolderObjectCaption(object.Path, true, object.IsFolder, "");
        described.Icon = icons.IconOf(object.IDList.get(), object.Path, object.IsFolder);
        described.IDList = object.IDList;
        contents.Objects.push_back(std::move(described));
    }
    return contents;
}

TRootContents ListMenuRoot(const TRootRequest& request, const TListingOptions& options) {
    TRootContents contents;
    LPITEMIDLIST drives = nullptr;
    const HRESULT hr = SHGetSpecialFolderLocation(nullptr, CSIDL_DRIVES, &drives);
    TIDList computer(drives);
    if (FAILED(hr) || !computer)
        contents.Drives.Error = FAILED(hr) ? hr : E_FAIL;
    else
        contents.Drives = ListShellFolder(computer.get(), true, options);
    for (const TRootFolder& folder : request.Folders) {
        if (LPITEMIDLIST idList = RootFolderIDList(folder.Kind))
            contents.Folders.push_back(DescribeShellObject(ShareIDList(idList), folder.Caption));
    }
    for (const std::string& path : request.CustomFolders) {
        if (path.empty() || !IsDirectory(path)) continue;
        if (LPITEMIDLIST idList = PathToIDList(path))
            contents.CustomFolders.push_back(DescribeShellObject(ShareIDList(idList), ShortenFolderPath(path)));
    }
    for (size_t i = 0; i < request.History.size(); ++i) {
        if (LPITEMIDLIST idList = PathToIDList(request.History[i]))
            contents.History.push_back(DescribeShellObject(ShareIDList(idList)));
        else
            contents.UnresolvedHistory.push_back(i);
    }
    return contents;
}

bool RunBounded(std::function<void()> work, DWORD timeoutMs) {
    auto done = std::make_shared<TKernelHandle>(CreateEventW(nullptr, TRUE, FALSE, nullptr));
    if (!done->Get()) return false;
    try {
        std::thread([work = std::move(work), done] {
            const HRESULT com = CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
            try {
                work();
            } catch (const std::exception& error) {
                LogSwallowed("listing a folder", error);
            }
            if (SUCCEEDED(com)) CoUninitialize();
            SetEvent(done->Get());
        }).detach();
    } catch (const std::system_error& error) {
        LogSwallowed("starting a folder listing", error);
        return false;
    }
    return WaitForSingleObject(done->Get(), timeoutMs) == WAIT_OBJECT_0;
}

std::string SystemErrorText(HRESULT error) {
    wchar_t* text = nullptr;
    FormatMessageW(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr,
                   static_cast<DWORD>(error), 0, reinterpret_cast<LPWSTR>(&text), 0, nullptr);
    std::string message = text ? Narrow(text) : std::string();
    if (text) LocalFree(text);
    while (!message.empty() && (message.back() == '\n' || message.back() == '\r')) message.pop_back();
    return message.empty() ? Format("エラー %08X", static_cast<unsigned>(error)) : message;
}
