#include "app/desktop_services.h"

#include <mmsystem.h>
#include <shellapi.h>

#include "base/system_library.h"
#include "base/win_text.h"
#include "session/data_files.h"
#include "settings/sounds.h"

int TDesktopServices::ShowMessage(HWND owner, const std::string& text, UINT type) {
    return MessageBoxW(owner, Widen(text).c_str(), L"Vantor", type);
}

bool TDesktopServices::IsCtrlDown() { return GetAsyncKeyState(VK_CONTROL) < 0; }

void TDesktopServices::SeedRandom() {
    std::random_device device;
    FRandom.seed(device() ^ GetTickCount());
}

int TDesktopServices::Random(int range) {
    if (range <= 1) return 0;
    return std::uniform_int_distribution<int>(0, range - 1)(FRandom);
}

void TDesktopServices::StartShell(HWND owner, const TShellRequest& request) {
    std::wstring verb = Widen(request.Verb);
    std::wstring file = Widen(request.File);
    std::wstring parameters = Widen(request.Parameters);
    std::wstring directory = Widen(request.Directory);
    SHELLEXECUTEINFOW info{};
    info.cbSize = sizeof(info);
    info.fMask = request.Item ? SEE_MASK_INVOKEIDLIST : 0;
    info.hwnd = owner;
    info.lpVerb = verb.empty() ? nullptr : verb.c_str();
    info.lpFile = file.empty() ? nullptr : file.c_str();
    info.lpParameters = parameters.empty() ? nullptr : parameters.c_str();
    info.lpDirectory = directory.empty() ? nullptr : directory.c_str();
    info.nShow = request.ShowCmd;
    info.lpIDList = const_cast<LPITEMIDLIST>(request.Item);
    // The shell reports its own failures (no association, access denied).
    ShellExecuteExW(&info);
}

void TDesktopServices::PlaySoundValue(const std::string& value) {
    TSoundRequest request = SoundRequestFor(value);
    if (!request.Play) return;
    // The sound library is loaded from the System folder on first use rather
    // than imported, which would let the loader take it from our folder.
    if (!FWinmm) FWinmm.Reset(LoadSystemLibrary("winmm.dll"));
    using TPlaySoundW = BOOL(WINAPI*)(LPCWSTR, HMODULE, DWORD);
    if (auto playSound = LibraryFunction<TPlaySoundW>(FWinmm.Get(), "PlaySoundW"))
        playSound(Widen(request.Name).c_str(), nullptr, request.Flags);
}

std::string TDesktopServices::SpecialFolderPath(TSpecialFolder kind) { return ::SpecialFolderPath(kind); }

bool TDesktopServices::IsShiftDown() { return GetAsyncKeyState(VK_SHIFT) < 0; }

bool TDesktopServices::ScreenSaverActive() {
    BOOL active = FALSE;
    return SystemParametersInfoW(SPI_GETSCREENSAVEACTIVE, 0, &active, 0) && active;
}

void TDesktopServices::SetScreenSaverActive(bool active) {
    SystemParametersInfoW(SPI_SETSCREENSAVEACTIVE, active ? TRUE : FALSE, nullptr, SPIF_SENDWININICHANGE);
}

void TDesktopServices::StartScreenSaver(HWND window) { SendMessageW(window, WM_SYSCOMMAND, SC_SCREENSAVE, 0); }

bool TDesktopServices::ExitSystem(UINT flags, bool isNT) {
    if (isNT) {
        HANDLE token = nullptr;
        if (!OpenProcessToken(GetCurrentProcess(), TOKEN_ADJUST_PRIVILEGES | TOKEN_QUERY, &token)) return false;
        TKernelHandle owned(token);
        TOKEN_PRIVILEGES privileges{};
        privileges.PrivilegeCount = 1;
        privileges.Privileges[0].Attributes = SE_PRIVILEGE_ENABLED;
        if (!LookupPrivilegeValueW(nullptr, L"SeShutdownPrivilege", &privileges.Privileges[0].Luid)) return false;
        if (!AdjustTokenPrivileges(token, FALSE, &privileges, 0, nullptr, nullptr)) return false;
    }
    return ExitWindowsEx(flags, 0) != 0;
}

void AddFirstRunPages(TVantorManager& pages, TPlatform& platform, TDesktopServices& services) {
    for (const TShortcutPageSource& source :
         FirstRunPageSources(services.SpecialFolderPath(sfDesktop), services.SpecialFolderPath(sfPrograms)))
        AddShortcutPage(pages, platform, source.Caption, source.Folder, CanonicalPath);
}
