#include "app/desktop_services.h"

#include <mmsystem.h>
#include <shellapi.h>

#include <memory>
#include <system_error>
#include <thread>

#include "base/log.h"
#include "base/system_library.h"
#include "base/win_text.h"
#include "session/data_files.h"
#include "settings/sounds.h"
#include "shell/native_system_folder.h"

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

namespace {

struct TShellJob {
    HWND Owner;
    std::wstring Verb, File, Parameters, Directory;
    int ShowCmd;
    TIDList Item;
};

void RunShellJob(const TShellJob& job) {
    SHELLEXECUTEINFOW info{};
    info.cbSize = sizeof(info);
    // The call returns once the start is through: the thread may end then.
    info.fMask = (job.Item ? SEE_MASK_INVOKEIDLIST : 0) | SEE_MASK_FLAG_DDEWAIT;
    info.hwnd = job.Owner;
    info.lpVerb = job.Verb.empty() ? nullptr : job.Verb.c_str();
    info.lpFile = job.File.empty() ? nullptr : job.File.c_str();
    info.lpParameters = job.Parameters.empty() ? nullptr : job.Parameters.c_str();
    info.lpDirectory = job.Directory.empty() ? nullptr : job.Directory.c_str();
    info.nShow = job.ShowCmd;
    info.lpIDList = job.Item.get();
    // The shell reports its own failures (no association, access denied).
    ShellExecuteExW(&info);
}

}  // namespace

// The shell reads the target, and waits for its drive, before it starts it:
// that happens on a thread of its own, so the window never waits with it.
void TDesktopServices::StartShell(HWND owner, const TShellRequest& request) {
    auto job = std::make_shared<TShellJob>(
        TShellJob{owner, Widen(request.Verb), Widen(NativeStartPath(request.File)), Widen(request.Parameters),
                  Widen(NativeStartPath(request.Directory)), request.ShowCmd, TIDList(CopyIDList(request.Item))});
    try {
        std::thread([job] {
            // A drive without its disk must not ask the user for one.
            SetThreadErrorMode(SEM_FAILCRITICALERRORS | SEM_NOOPENFILEERRORBOX, nullptr);
            TComApartment com;
            RunShellJob(*job);
        }).detach();
    } catch (const std::system_error& error) {
        LogSwallowed("starting through the shell", error);
        RunShellJob(*job);
    }
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
