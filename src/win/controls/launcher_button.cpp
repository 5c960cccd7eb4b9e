#include "controls/launcher_button.h"

#include <commctrl.h>
#include <shellapi.h>

#include <vector>

#include "base/win_text.h"
#include "layout/button_geometry.h"
#include "text/text.h"

namespace {

bool PathExists(const std::wstring& path) { return GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES; }

// Where the icon of a path is taken from: web addresses borrow the icon file
// of web shortcuts.
std::wstring IconSourceFile(const std::string& path) {
    return IsWebAddress(path) ? WebShortcutIconFile() : Widen(path);
}

HICON ExtractAtIndex(const std::wstring& file, bool large, int index) {
    HICON big = nullptr;
    HICON small = nullptr;
    const UINT got = ExtractIconExW(file.c_str(), index, &big, &small, 1);
    if (got == 0 || got == UINT_MAX) return nullptr;
    TIcon keepBig(big);
    TIcon keepSmall(small);
    return large ? keepBig.Release() : keepSmall.Release();
}

// The file's icon from the system image list; the shell hands out a copy the
// caller owns.
HICON ShellIcon(const std::wstring& file, bool large) {
    SHFILEINFOW info{};
    const UINT flags = SHGFI_ICON | (large ? SHGFI_LARGEICON : SHGFI_SMALLICON);
    if (!SHGetFileInfoW(file.c_str(), 0, &info, sizeof(info), flags)) return nullptr;
    return info.hIcon;
}

HICON ExtractSized(const std::wstring& file, int index, int size) {
    HICON icon = nullptr;
    UINT id = 0;
    const UINT got = PrivateExtractIconsW(file.c_str(), index, size, size, &icon, &id, 1, 0);
    if (got == 0 || got == UINT_MAX) return nullptr;
    return icon;
}

// Draws the "not found" picture: a white page with a grey edge and a red
// question mark; in the mask, the page is opaque and the rest transparent.
void DrawNotFound(HDC dc, int size, bool mask) {
    const RECT all{0, 0, size, size};
    FillRect(dc, &all, static_cast<HBRUSH>(GetStockObject(mask ? WHITE_BRUSH : BLACK_BRUSH)));
    const int m = size / 8;
    const RECT page{m, 0, size - m, size};
    if (mask) {
        FillRect(dc, &page, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
        return;
    }
    FillRect(dc, &page, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
    TBrush edge(CreateSolidBrush(RGB(128, 128, 128)));
    FrameRect(dc, &page, edge.Get());
    TFont font(CreateFontW(-(size * 3 / 4), 0, 0, 0, FW_BOLD, 0, 0, 0, DEFAULT_CHARSET, 0, 0, ANTIALIASED_QUALITY, 0,
                           L"Arial"));
    TSelectObject useFont(dc, font.Get());
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, RGB(192, 0, 0));
    RECT text = page;
    DrawTextW(dc, L"?", 1, &text, DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
}

HICON CreateNotFoundIcon(int size) {
    HDC screen = GetDC(nullptr);
    TMemoryDC dc(CreateCompatibleDC(screen));
    TBitmap color(CreateCompatibleBitmap(screen, size, size));
    ReleaseDC(nullptr, screen);
    TBitmap mask(CreateBitmap(size, size, 1, 1, nullptr));
    if (!dc || !color || !mask) return nullptr;
    {
        TSelectObject use(dc.Get(), color.Get());
        DrawNotFound(dc.Get(), size, false);
    }
    {
        TSelectObject use(dc.Get(), mask.Get());
        DrawNotFound(dc.Get(), size, true);
    }
    ICONINFO info{TRUE, 0, 0, mask.Get(), color.Get()};
    return CreateIconIndirect(&info);
}

HICON LoadNotFoundIcon(bool large) {
    const int size = NotFoundIconSize(large);
    auto icon = static_cast<HICON>(
        LoadImageW(GetModuleHandleW(nullptr), large ? L"_NOTFOUNDL" : L"_NOTFOUNDS", IMAGE_ICON, size, size, 0));
    return icon ? icon : CreateNotFoundIcon(size);
}

}  // namespace

std::wstring WebShortcutIconFile() {
    wchar_t temp[MAX_PATH + 1] = {};
    const DWORD n = GetTempPathW(MAX_PATH, temp);
    std::wstring file = (n > 0 && n <= MAX_PATH) ? std::wstring(temp, n) : std::wstring();
    if (!file.empty() && file.back() != L'\\') file += L'\\';
    file += L"Vantor.url";
    if (!PathExists(file)) {
        TFileHandle created(
            CreateFileW(file.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr));
    }
    return file;
}

HICON ExtractLauncherIcon(const std::string& path, bool large, int index) {
    const std::wstring file = IconSourceFile(path);
    if (index != -1) return ExtractAtIndex(file, large, index);
    return ShellIcon(file, large);
}

HICON ExtractLauncherIcon64(const std::string& path, int index) {
    constexpr int Size = 64;
    const std::wstring file = IconSourceFile(path);
    if (index != -1) return ExtractSized(file, index, Size);
    // The shell names the file and index of the icon it shows for this one.
    SHFILEINFOW info{};
    if (!SHGetFileInfoW(file.c_str(), 0, &info, sizeof(info), SHGFI_ICONLOCATION) || info.szDisplayName[0] == 0) {
        return nullptr;
    }
    return ExtractSized(info.szDisplayName, info.iIcon, Size);
}

HICON NotFoundIcon(bool large) {
    // Loaded once and never changed: the whole program draws the same two.
    static const TIcon largeIcon(LoadNotFoundIcon(true));
    static const TIcon smallIcon(LoadNotFoundIcon(false));
    return large ? largeIcon.Get() : smallIcon.Get();
}

// --- TLauncherButtonCache ---

TLauncherButtonCache::TEntry TLauncherButtonCache::Lookup(const std::string& path, bool large, int index) {
    auto extract = [&] {
        auto entry = std::make_shared<TCachedIcon>();
        entry->Icon = ShareIconHandle(ExtractLauncherIcon(path, large, index));
        return entry;
    };
    return FPolicy.GetIcon(path, large, index, extract).Handle;
}

TSharedIcon TLauncherButtonCache::GetIcon(const std::string& path, bool large, int index) {
    const TEntry cached = Lookup(path, large, index);
    return cached ? cached->Icon : nullptr;
}

TSharedIcon TLauncherButtonCache::GetIcon(const std::string& path, bool large, int index, int drawSize) {
    if (!large || drawSize < 64) return GetIcon(path, large, index);
    const TEntry cached = Lookup(path, large, index);
    if (!cached) return nullptr;
    if (!cached->Icon64Tried) {
        cached->Icon64 = ShareIconHandle(ExtractLauncherIcon64(path, index));
        cached->Icon64Tried = true;
    }
    return cached->Icon64 ? cached->Icon64 : cached->Icon;
}

HICON TLauncherButtonCache::SlotIcon(int slot) const {
    if (slot < 0 || slot >= SlotCount) return nullptr;
    const auto& s = FPolicy.Slot(slot);
    return (!s.Free && s.Handle && s.Handle->Icon) ? s.Handle->Icon->Get() : nullptr;
}

// --- TLauncherButton ---

void TLauncherButton::SetFileName(const std::string& path) {
    std::string target = path;
    if (!target.empty() && !IsWebAddress(target) && !PathExists(Widen(target))) target.clear();
    FFileName = target;
    if (target.empty()) {
        TakeIcon(nullptr);
        FLoadedSize = 0;
    } else {
        const int size = IconSize();
        if (FCache) {
            ShareIcon(FCache->GetIcon(target, LargeIcon(), FIconIndex, size));
        } else {
            HICON icon = size >= 64 ? ExtractLauncherIcon64(target, FIconIndex) : nullptr;
            if (!icon) icon = ExtractLauncherIcon(target, LargeIcon(), FIconIndex);
            TakeIcon(icon);
        }
        FLoadedSize = size;
    }
    Invalidate();
}

void TLauncherButton::SetIconIndex(int index) {
    if (index == FIconIndex) return;
    FIconIndex = index;
    SetFileName(FFileName);
}

void TLauncherButton::SetIconSource(const std::string& path, int index) {
    // Re-binding a page gives most buttons the source they already show: they
    // keep their icon, unless the target has gone since (then the "not found"
    // picture must appear).
    const bool showing = !FFileName.empty() && path == FFileName && index == FIconIndex && IconSize() == FLoadedSize &&
                         (IsWebAddress(path) || PathExists(Widen(path)));
    if (showing) return;
    FIconIndex = index;
    SetFileName(path);
}

void TLauncherButton::LargeIconChanged(bool& repaint) {
    SetFileName(FFileName);
    repaint = false;
}

void TLauncherButton::BoundsChanged() {
    // Crossing the width where large icons grow to 64 pixels needs the other image.
    if (!FFileName.empty() && IconSize() != FLoadedSize) SetFileName(FFileName);
}

HICON TLauncherButton::IconToDraw(int& size) const {
    if (HICON icon = TCustomIconButton::IconToDraw(size)) return icon;
    size = NotFoundIconSize(LargeIcon());
    return NotFoundIcon(LargeIcon());
}
