#include "shell/shortcut_link.h"

#include <shlobj.h>
#include <windows.h>

#include <cstring>
#include <optional>

#include "base/handles.h"
#include "base/win_text.h"
#include "text/text.h"

namespace {

constexpr uint16_t kShiftKey = 0x2000;
constexpr uint16_t kCtrlKey = 0x4000;
constexpr uint16_t kAltKey = 0x8000;
// Generous enough for any path or argument line a shortcut can hold.
constexpr int kTextBuffer = INFOTIPSIZE;

struct TShellLink {
    ComPtr<IShellLinkW> Link;
    ComPtr<IPersistFile> File;
};

TShellLink CreateShellLink(const char* failure) {
    TShellLink link;
    HRESULT hr = CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkW,
                                  reinterpret_cast<void**>(link.Link.Put()));
    if (FAILED(hr) || FAILED(link.Link.As(link.File))) throw EShortCutLink(failure);
    return link;
}

// A text field of the shortcut as the shell gives it; empty when it fails.
template <typename Getter>
std::wstring ReadText(Getter get) {
    wchar_t buffer[kTextBuffer] = {};
    if (FAILED(get(buffer, kTextBuffer))) return std::wstring();
    buffer[kTextBuffer - 1] = L'\0';
    return buffer;
}

// The path of the target's item identifier list, when code page 932 spells
// it exactly.
std::optional<std::string> ItemPathOf(IShellLinkW* link) {
    LPITEMIDLIST idList = nullptr;
    if (FAILED(link->GetIDList(&idList)) || !idList) return std::nullopt;
    TIDList owner(idList);
    wchar_t buffer[MAX_PATH] = {};
    std::string path;
    if (!SHGetPathFromIDListW(owner.get(), buffer) || !NarrowExact(buffer, path)) return std::nullopt;
    if (path.empty() || path.find('?') != std::string::npos) return std::nullopt;
    return path;
}

// The target only as code page 932 spells it exactly; nothing otherwise. A
// short name is no way round: the entry would outlive it when the file is
// copied or the volume keeps none, and the shell starts the shortcut file
// itself just as well. Some shell implementations read the target path only
// in their ANSI code page, which gives '?' (never in a real path) or other
// letters for what it lacks; the item identifier list still spells the
// target whole, and is taken when code page 932 spells that exactly.
std::optional<std::string> TargetPathOf(IShellLinkW* link) {
    const std::wstring text =
        ReadText([&](wchar_t* b, int n) { return link->GetPath(b, n, nullptr, SLGP_UNCPRIORITY); });
    std::string path;
    if (NarrowExact(text, path) && path.find('?') == std::string::npos) return path;
    return ItemPathOf(link);
}

// The window state as the file's fixed header stores it, for shell
// implementations that do not report it; false when the header is not a
// shell link's.
bool StoredShowCommand(const std::wstring& fileName, int32_t& showCmd) {
    constexpr DWORD kHeaderSize = 0x4C;
    constexpr DWORD kShowCommandOffset = 0x3C;
    BYTE header[kHeaderSize];
    DWORD read = 0;
    TFileHandle file(CreateFileW(fileName.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                 OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file || !ReadFile(file.Get(), header, kHeaderSize, &read, nullptr) || read != kHeaderSize) return false;
    DWORD size;
    CLSID clsid;
    std::memcpy(&size, header, sizeof(size));
    std::memcpy(&clsid, header + 4, sizeof(clsid));
    if (size != kHeaderSize || !IsEqualCLSID(clsid, CLSID_ShellLink)) return false;
    std::memcpy(&showCmd, header + kShowCommandOffset, sizeof(showCmd));
    return true;
}

}  // namespace

uint16_t HotKeyToShell(uint16_t hotKey) {
    uint16_t flags = 0;
    if (hotKey & kShiftKey) flags |= HOTKEYF_SHIFT;
    if (hotKey & kCtrlKey) flags |= HOTKEYF_CONTROL;
    if (hotKey & kAltKey) flags |= HOTKEYF_ALT;
    return static_cast<uint16_t>((flags << 8) | (hotKey & 0xFF));
}

uint16_t HotKeyFromShell(uint16_t shellHotKey) {
    uint16_t flags = shellHotKey >> 8;
    uint16_t hotKey = shellHotKey & 0xFF;
    if (flags & HOTKEYF_SHIFT) hotKey |= kShiftKey;
    if (flags & HOTKEYF_CONTROL) hotKey |= kCtrlKey;
    if (flags & HOTKEYF_ALT) hotKey |= kAltKey;
    return hotKey;
}

void TShortCutLink::Load(const std::string& fileName) {
    static const char kCannotRead[] = "ショートカットを読み込めません.";
    static const char kCannotHold[] = "ショートカットの内容をコードページ 932 で表せません.";
    TShellLink shell = CreateShellLink(kCannotRead);
    std::wstring wideName = Widen(fileName);
    if (shell.File->Load(wideName.c_str(), STGM_READ) != S_OK) throw EShortCutLink(kCannotRead);

    IShellLinkW* link = shell.Link.Get();
    // A target, working folder or argument line this program's text cannot
    // hold would give an entry that never starts, or starts wrongly: such a
    // shortcut is read as none at all, and the shell follows it instead. The
    // folder may go by its short name.
    std::optional<std::string> target = TargetPathOf(link);
    std::optional<std::string> folder =
        NarrowPath(ReadText([&](wchar_t* b, int n) { return link->GetWorkingDirectory(b, n); }));
    const bool argumentsFit =
        NarrowExact(ReadText([&](wchar_t* b, int n) { return link->GetArguments(b, n); }), Arguments);
    if (!target || !folder || !argumentsFit) throw EShortCutLink(kCannotHold);
    FileName = std::move(*target);
    WorkingDirectory = std::move(*folder);
    int32_t showCmd = SW_SHOW;
    if (StoredShowCommand(wideName, showCmd) || SUCCEEDED(link->GetShowCmd(&showCmd))) ShowCmd = showCmd;
    int iconIndex = 0;
    // An icon file only by its short name, failing that with '?', which names
    // no file: the entry then shows no icon rather than its target's.
    const std::wstring icon = ReadText([&](wchar_t* b, int n) { return link->GetIconLocation(b, n, &iconIndex); });
    IconLocation = NarrowPath(icon).value_or(Narrow(icon));
    IconIndex = iconIndex;
    WORD shellHotKey = 0;
    HotKey = SUCCEEDED(link->GetHotkey(&shellHotKey)) ? HotKeyFromShell(shellHotKey) : 0;
    // A later Save without changes writes the file back where it came from.
    SpecialFolder = sfNone;
}

std::string TShortCutLink::TargetPath(const std::string& name) const {
    std::string folder = SpecialFolderPath(SpecialFolder);
    if (!folder.empty()) folder = IncludeTrailingBackslash(folder);
    return folder + name;
}

void TShortCutLink::Save(const std::string& name) {
    static const char kCannotCreate[] = "ショートカットを作成できません.";
    TShellLink shell = CreateShellLink(kCannotCreate);
    IShellLinkW* link = shell.Link.Get();
    std::string folder = WorkingDirectory.empty() ? ExtractFileDir(FileName) : WorkingDirectory;
    if (FAILED(link->SetPath(Widen(FileName).c_str())) || FAILED(link->SetArguments(Widen(Arguments).c_str())) ||
        FAILED(link->SetWorkingDirectory(Widen(folder).c_str())) || FAILED(link->SetShowCmd(ShowCmd)) ||
        FAILED(link->SetHotkey(HotKeyToShell(HotKey))))
        throw EShortCutLink(kCannotCreate);
    if (!IconLocation.empty() && FAILED(link->SetIconLocation(Widen(IconLocation).c_str(), IconIndex)))
        throw EShortCutLink(kCannotCreate);
    std::wstring target = Widen(TargetPath(name));
    if (shell.File->Save(target.c_str(), FALSE) != S_OK) throw EShortCutLink(kCannotCreate);
}
