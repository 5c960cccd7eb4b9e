#include "controls/launcher_button.h"

#include <commctrl.h>
#include <shellapi.h>

#include <algorithm>
#include <map>
#include <tuple>
#include <vector>

#include "base/win_text.h"
#include "base/window_dpi.h"
#include "controls/icon_loader.h"
#include "launch/launch_rules.h"
#include "layout/button_geometry.h"
#include "shell/native_system_folder.h"
#include "text/text.h"

namespace {

bool PathExists(const std::wstring& path) { return GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES; }

// Where the icon of a path is taken from: web addresses borrow the icon file
// of web shortcuts.
std::wstring IconSourceFile(const std::string& path) {
    return IsWebAddress(path) ? WebShortcutIconFile() : Widen(NativePath(path));
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

// What the shell shows for a file of this name's type, or for a folder: only
// the name is read, never the file.
bool TypeFileInfo(const std::wstring& name, bool folder, SHFILEINFOW& info, UINT flags) {
    return SHGetFileInfoW(name.c_str(), folder ? FILE_ATTRIBUTE_DIRECTORY : FILE_ATTRIBUTE_NORMAL, &info, sizeof(info),
                          flags | SHGFI_USEFILEATTRIBUTES) != 0;
}

// What the shell shows for the icon source `file` of `path`. The shell of a
// 32-bit program under WOW64 may not take a path through Sysnative (Wine's
// does not); then it is asked about the path as written, SysWOW64's twin of
// the file, and where there is none, about a file of that type.
bool ShellFileInfo(const std::string& path, const std::wstring& file, SHFILEINFOW& info, UINT flags) {
    if (SHGetFileInfoW(file.c_str(), 0, &info, sizeof(info), flags)) return true;
    if (IsWebAddress(path) || NativePath(path) == path) return false;
    const std::wstring written = Widen(path);
    if (SHGetFileInfoW(written.c_str(), 0, &info, sizeof(info), flags)) return true;
    const DWORD attributes = GetFileAttributesW(file.c_str());
    const bool folder = attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
    return TypeFileInfo(written, folder, info, flags);
}

// The file's icon from the system image list; the shell hands out a copy the
// caller owns.
HICON ShellIcon(const std::string& path, const std::wstring& file, bool large) {
    SHFILEINFOW info{};
    const UINT flags = SHGFI_ICON | (large ? SHGFI_LARGEICON : SHGFI_SMALLICON);
    if (!ShellFileInfo(path, file, info, flags)) return nullptr;
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

// A program shows its own first icon, as the shell of Windows shows it; some
// shells (Wine's) answer with their generic program icon instead.
static bool ShowsOwnIcon(const std::string& path, const std::wstring& file) {
    return IsProgramTarget(path) && ExtractIconExW(file.c_str(), -1, nullptr, nullptr, 0) > 0;
}

HICON ExtractLauncherIcon(const std::string& path, bool large, int index) {
    const std::wstring file = IconSourceFile(path);
    if (index != -1) return ExtractAtIndex(file, large, index);
    if (ShowsOwnIcon(path, file)) {
        if (HICON own = ExtractAtIndex(file, large, 0)) return own;
    }
    return ShellIcon(path, file, large);
}

HICON ExtractLauncherIcon64(const std::string& path, int index, int drawSize) {
    const int Size = IconExtractSize(drawSize);
    const std::wstring file = IconSourceFile(path);
    if (index != -1) return ExtractSized(file, index, Size);
    if (ShowsOwnIcon(path, file)) return ExtractSized(file, 0, Size);
    // The shell names the file and index of the icon it shows for this one.
    SHFILEINFOW info{};
    if (!ShellFileInfo(path, file, info, SHGFI_ICONLOCATION) || info.szDisplayName[0] == 0) {
        return nullptr;
    }
    return ExtractSized(info.szDisplayName, info.iIcon, Size);
}

namespace {

// File types whose icon the shell takes from the file itself: asking the
// shell for their kind's icon would open the file after all.
bool IconLiesInside(const std::string& path) {
    static const char* const kinds[] = {".ico", ".cur", ".ani", ".lnk", ".url", ".pif", ".scr", ".cpl", ".dll"};
    const std::string ext = AsciiLowerCase(ExtractFileExt(path));
    return IsProgramTarget(path) ||
           std::any_of(std::begin(kinds), std::end(kinds), [&](const char* k) { return ext == k; });
}

HICON SystemProgramIcon(int size) {
    // Shared system icons must not be destroyed: the caller gets a copy.
    auto shared = static_cast<HICON>(LoadImageW(nullptr, IDI_APPLICATION, IMAGE_ICON, size, size, LR_SHARED));
    return shared ? CopyIcon(shared) : nullptr;
}

}  // namespace

HICON KindLauncherIcon(const std::string& path, bool folder, int size) {
    if (!folder && IconLiesInside(path)) return SystemProgramIcon(size);
    SHFILEINFOW info{};
    if (TypeFileInfo(Widen(path), folder, info, SHGFI_ICONLOCATION) && info.szDisplayName[0] != 0) {
        if (HICON icon = ExtractSized(info.szDisplayName, info.iIcon, size)) return icon;
    }
    return SystemProgramIcon(size);
}

HICON NotFoundIcon(bool large, int size) {
    // Loaded once and never changed: the whole program draws the same two.
    static const TIcon largeIcon(LoadNotFoundIcon(true));
    static const TIcon smallIcon(LoadNotFoundIcon(false));
    if (size <= 0 || size == NotFoundIconSize(large)) return large ? largeIcon.Get() : smallIcon.Get();
    // At another DPI the picture is drawn at the size it is shown, so it
    // stays sharp; one per size, kept for the program's life (UI thread only).
    static std::map<int, TIcon> drawn;
    auto it = drawn.find(size);
    if (it == drawn.end()) it = drawn.emplace(size, TIcon(CreateNotFoundIcon(size))).first;
    return it->second.Get();
}

// --- TLauncherButtonCache ---

TLauncherButtonCache::TLauncherButtonCache() = default;

TLauncherButtonCache::~TLauncherButtonCache() {
    // The worker goes first, so no answer can arrive for a button below.
    FLoader.reset();
    for (auto& waiter : FWaiters) waiter.second.Button->FTicket = 0;
}

TLauncherButtonCache::TEntry TLauncherButtonCache::Lookup(const std::string& path, bool large, int index) {
    auto extract = [&] {
        auto entry = std::make_shared<TCachedIcon>();
        entry->Icon = ShareIconHandle(ExtractLauncherIcon(path, large, index));
        return entry;
    };
    return FPolicy.GetIcon(path, large, index, extract).Handle;
}

TSharedIcon TLauncherButtonCache::Pick(const TEntry& entry, bool want64) {
    if (!entry) return nullptr;
    return want64 && entry->Icon64 ? entry->Icon64 : entry->Icon;
}

TSharedIcon TLauncherButtonCache::GetIcon(const std::string& path, bool large, int index) {
    const TEntry cached = Lookup(path, large, index);
    return cached ? cached->Icon : nullptr;
}

TSharedIcon TLauncherButtonCache::GetIcon(const std::string& path, bool large, int index, int drawSize) {
    if (!NeedsSizedIconImage(large, drawSize)) return GetIcon(path, large, index);
    const TEntry cached = Lookup(path, large, index);
    if (!cached) return nullptr;
    if (!cached->Icon64Tried) {
        cached->Icon64 = ShareIconHandle(ExtractLauncherIcon64(path, index, drawSize));
        cached->Icon64Tried = true;
    }
    return Pick(cached, true);
}

HICON TLauncherButtonCache::SlotIcon(int slot) const {
    if (slot < 0 || slot >= SlotCount) return nullptr;
    const auto& s = FPolicy.Slot(slot);
    return (!s.Free && s.Handle && s.Handle->Icon) ? s.Handle->Icon->Get() : nullptr;
}

bool TLauncherButtonCache::TJobKey::operator<(const TJobKey& o) const {
    return std::tie(Path, Large, Index, Want64) < std::tie(o.Path, o.Large, o.Index, o.Want64);
}

TLauncherButtonCache::TTicket TLauncherButtonCache::Request(TLauncherButton& button, const std::string& path,
                                                            bool large, int index, int drawSize, bool keepShown) {
    const TTicket ticket = FNextTicket++;
    FWaiters.emplace(ticket, TWaiter{&button, 0, keepShown});
    Join(ticket, TJobKey{path, large, index, NeedsSizedIconImage(large, drawSize), drawSize});
    return ticket;
}

void TLauncherButtonCache::Join(TTicket ticket, const TJobKey& key) {
    TWaiter& waiter = FWaiters.at(ticket);
    // A check asked for again (a re-bind) must see the disk as it is now: a
    // check already on its way may have looked before the target went.
    auto inFlight = FInFlight.find(key);
    if (inFlight != FInFlight.end() && !waiter.KeepShown) {
        waiter.Job = inFlight->second;
        FJobs.at(inFlight->second).Waiters.push_back(ticket);
        return;
    }
    if (!FLoader) FLoader = std::make_unique<TIconLoader>([this](TJobId job, TIconAnswer& a) { Answered(job, a); });
    TIconRequest request;
    request.Path = key.Path;
    request.Large = key.Large;
    request.Index = key.Index;
    // Only what the cache lacks is extracted; a button that keeps its icon
    // needs nothing but the check.
    const TEntry* cached = FPolicy.Peek(key.Path, key.Large, key.Index);
    const bool keeps = waiter.KeepShown && waiter.Button->TCustomIconButton::IconHandle();
    request.WantIcon = !keeps && !cached;
    request.WantIcon64 = !keeps && key.Want64 && !(cached && (*cached)->Icon64Tried);
    request.Icon64Size = key.Size64;
    const TJobId job = FLoader->Post(request);
    FInFlight.insert_or_assign(key, job);
    FJobs.emplace(job, TJob{key, {ticket}, request.WantIcon, request.WantIcon64});
    waiter.Job = job;
}

void TLauncherButtonCache::Cancel(TTicket ticket) {
    auto w = FWaiters.find(ticket);
    if (w == FWaiters.end()) return;
    const TJobId job = w->second.Job;
    FWaiters.erase(w);
    auto j = FJobs.find(job);
    if (j == FJobs.end()) return;
    auto& waiters = j->second.Waiters;
    waiters.erase(std::remove(waiters.begin(), waiters.end(), ticket), waiters.end());
    if (!waiters.empty()) return;
    // Nobody wants it any more: a page left quickly costs the worker nothing.
    ForgetInFlight(j->second.Key, job);
    FJobs.erase(j);
    if (FLoader) FLoader->Cancel(job);
}

void TLauncherButtonCache::ForgetInFlight(const TJobKey& key, TJobId job) {
    auto inFlight = FInFlight.find(key);
    if (inFlight != FInFlight.end() && inFlight->second == job) FInFlight.erase(inFlight);
}

void TLauncherButtonCache::Settle(TTicket ticket) {
    // A second round only when the answer came too late for the cache (the
    // icon was evicted meanwhile) and the button asked again.
    for (int round = 0; round < 4; ++round) {
        auto w = FWaiters.find(ticket);
        if (w == FWaiters.end() || !FLoader) return;
        FLoader->Finish(w->second.Job);
    }
}

void TLauncherButtonCache::FinishAll() {
    if (FLoader) FLoader->DeliverFinished();
    for (int round = 0; round < 4 && !FWaiters.empty(); ++round) {
        std::vector<TTicket> tickets;
        for (const auto& waiter : FWaiters) tickets.push_back(waiter.first);
        std::sort(tickets.begin(), tickets.end());
        for (TTicket t : tickets) Settle(t);
    }
}

void TLauncherButtonCache::Answered(TJobId jobId, TIconAnswer& answer) {
    auto j = FJobs.find(jobId);
    if (j == FJobs.end()) return;
    const TJob job = std::move(j->second);
    FJobs.erase(j);
    ForgetInFlight(job.Key, jobId);
    const TJobKey& k = job.Key;

    // What the worker extracted goes into the cache when the first button
    // takes it (the miss); the buttons after it are hits. A file without an
    // icon is cached too, as an empty entry, or it would be asked for again.
    TEntry fresh;
    if (answer.Exists && job.AskedIcon && !FPolicy.Peek(k.Path, k.Large, k.Index)) {
        fresh = std::make_shared<TCachedIcon>();
        fresh->Icon = ShareIconHandle(answer.Icon.Release());
    }
    auto give64 = [&](const TEntry& entry) {
        if (entry && job.Asked64 && !entry->Icon64Tried) {
            entry->Icon64 = ShareIconHandle(answer.Icon64.Release());
            entry->Icon64Tried = true;
        }
    };

    for (TTicket ticket : job.Waiters) {
        auto w = FWaiters.find(ticket);
        if (w == FWaiters.end()) continue;
        TLauncherButton& button = *w->second.Button;
        const bool keep = w->second.KeepShown && button.TCustomIconButton::IconHandle();
        if (!answer.Exists || keep) {
            FWaiters.erase(w);
            button.FTicket = 0;
            button.ShowAnswer(answer.Exists, nullptr, keep);
            continue;
        }
        TEntry entry;
        if (answer.StandIn && fresh) {
            // Shown but not kept: the next showing asks again, and gets the
            // file's own icon once its drive answers promptly.
            entry = fresh;
        } else if (const TEntry* cached = FPolicy.Find(k.Path, k.Large, k.Index)) {
            entry = *cached;
        } else if (fresh) {
            FPolicy.Insert(k.Path, k.Large, k.Index, fresh);
            entry = std::move(fresh);
            fresh = nullptr;
        }
        give64(entry);
        if (entry && (!k.Want64 || entry->Icon64Tried)) {
            FWaiters.erase(w);
            button.FTicket = 0;
            button.ShowAnswer(true, Pick(entry, k.Want64), false);
        } else {
            // Evicted before it could be shown: ask the worker again.
            w->second.KeepShown = false;
            Join(ticket, k);
        }
    }
}

// --- TLauncherButton ---

TLauncherButton::~TLauncherButton() { CancelRequest(); }

void TLauncherButton::SetCache(TLauncherButtonCache* cache) {
    if (cache == FCache) return;
    const bool pending = Pending();
    CancelRequest();
    FCache = cache;
    if (pending) SetFileName(FSource);
}

void TLauncherButton::CancelRequest() {
    if (FTicket && FCache) FCache->Cancel(FTicket);
    FTicket = 0;
}

void TLauncherButton::Settle() const {
    if (FTicket && FCache) FCache->Settle(FTicket);
}

const std::string& TLauncherButton::FileName() const {
    Settle();
    return FFileName;
}

HICON TLauncherButton::IconHandle() const {
    Settle();
    return TCustomIconButton::IconHandle();
}

void TLauncherButton::SetFileName(const std::string& path) {
    CancelRequest();
    FSource = path;
    FKnownMissing = false;
    if (path.empty()) {
        FFileName.clear();
        TakeIcon(nullptr);
        FLoadedSize = 0;
        Invalidate();
        return;
    }
    const int size = IconSize();
    FLoadedSize = size;
    const bool web = IsWebAddress(path);
    if (!FCache) {
        if (!web && !PathExists(Widen(NativePath(path)))) {
            ShowAnswer(false, nullptr, false);
            return;
        }
        HICON icon = NeedsSizedIconImage(LargeIcon(), size) ? ExtractLauncherIcon64(path, FIconIndex, size) : nullptr;
        if (!icon) icon = ExtractLauncherIcon(path, LargeIcon(), FIconIndex);
        ShowAnswer(true, ShareIconHandle(icon), false);
        return;
    }
    FFileName = path;
    // A web address needs no check: a cached icon is shown at once.
    if (web) {
        const TLauncherButtonCache::TEntry* cached = FCache->FPolicy.Peek(path, LargeIcon(), FIconIndex);
        if (cached && (!NeedsSizedIconImage(LargeIcon(), size) || (*cached)->Icon64Tried)) {
            ShowAnswer(true, FCache->GetIcon(path, LargeIcon(), FIconIndex, size), false);
            return;
        }
    }
    // Nothing is drawn until the answer: never the icon of the source before.
    ShareIcon(nullptr);
    FTicket = FCache->Request(*this, path, LargeIcon(), FIconIndex, size, false);
    Invalidate();
}

void TLauncherButton::ShowAnswer(bool exists, TSharedIcon icon, bool keep) {
    FKnownMissing = !exists;
    if (!exists) {
        FFileName.clear();
        TakeIcon(nullptr);
    } else {
        FFileName = FSource;
        if (!keep) ShareIcon(std::move(icon));
    }
    Invalidate();
}

void TLauncherButton::SetIconIndex(int index) {
    if (index == FIconIndex) return;
    FIconIndex = index;
    SetFileName(FSource);
}

void TLauncherButton::SetIconSource(const std::string& path, int index) {
    // Re-binding a page gives most buttons the source they already show: they
    // keep what they show while the target is checked again (a target gone
    // since turns to the "not found" picture).
    const bool same = !path.empty() && path == FSource && index == FIconIndex && IconSize() == FLoadedSize;
    if (!same) {
        FIconIndex = index;
        SetFileName(path);
        return;
    }
    if (Pending() || IsWebAddress(path)) return;
    if (!FCache) {
        if (FKnownMissing || !PathExists(Widen(path))) SetFileName(path);
        return;
    }
    FTicket = FCache->Request(*this, path, LargeIcon(), FIconIndex, FLoadedSize, true);
}

void TLauncherButton::SetMarked(bool marked) {
    if (marked == FMarked) return;
    FMarked = marked;
    Invalidate();
}

// A red square with a white cross at the top right, over the icon.
void TLauncherButton::PaintContent(HDC dc) {
    TCustomIconButton::PaintContent(dc);
    if (!FMarked) return;
    constexpr int kSize = 7;
    const int left = Width() - kSize - 1;
    RECT box{left, 1, left + kSize, 1 + kSize};
    TBrush red(CreateSolidBrush(RGB(220, 0, 0)));
    FillRect(dc, &box, red.Get());
    TPen white(CreatePen(PS_SOLID, 1, RGB(255, 255, 255)));
    TSelectObject pen(dc, white.Get());
    MoveToEx(dc, box.left + 1, box.top + 1, nullptr);
    LineTo(dc, box.right - 1, box.bottom - 1);
    MoveToEx(dc, box.right - 2, box.top + 1, nullptr);
    LineTo(dc, box.left, box.bottom - 1);
}

void TLauncherButton::LargeIconChanged(bool& repaint) {
    SetFileName(FSource);
    repaint = false;
}

void TLauncherButton::BoundsChanged() {
    // Crossing the width where large icons grow to 64 pixels needs the other image.
    if (!FSource.empty() && IconSize() != FLoadedSize) SetFileName(FSource);
}

HICON TLauncherButton::IconToDraw(int& size) const {
    if (HICON icon = TCustomIconButton::IconToDraw(size)) return icon;
    // Until the answer is in, the button shows its frame alone.
    if (Pending() && !FKnownMissing) return nullptr;
    size = NotFoundIconSize(LargeIcon(), WindowDpi(ParentHandle()));
    return NotFoundIcon(LargeIcon(), size);
}
