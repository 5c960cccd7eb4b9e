// Program entry: safe library loading first, then one instance, only from a
// fixed disk, without a task-bar button; the main window runs the rest.
#include <windows.h>

#include <exception>

#include "app/main_pages_preload.h"
#include "app/program_entry.h"
#include "app/vantor.h"
#include "base/handles.h"
#include "base/win_text.h"
#include "base/window.h"
#include "session/data_files.h"
#include "shell/win_platform.h"

namespace {

void ShowStartError(const char* text) {
    // A window that went while start-up failed may have posted the quit
    // message, which would close this box before anyone reads it.
    MSG quit;
    PeekMessageW(&quit, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE);
    MessageBoxW(nullptr, Widen(text).c_str(), L"Vantor", MB_OK | MB_ICONERROR);
}

// The hidden owner of the main window. Owned windows get no task-bar button;
// the tool-window style keeps this one off the task bar too.
class TApplicationWindow : public TWindow {
public:
    ~TApplicationWindow() override { DestroyHandle(); }
    bool Create() { return CreateHandle(L"TApplication", WS_EX_TOOLWINDOW, WS_POPUP, L"Vantor", 0, 0, 0, 0); }
};

int RunMessageLoop(TVantor& vantor) {
    MSG msg;
    while (GetMessageW(&msg, nullptr, 0, 0) > 0) {
        // The pointer over the main window or leaving it wakes the auto-hide.
        vantor.Hider().PointerMessage(msg);
        // The actions' shortcut keys work wherever the main window has the keyboard.
        if (vantor.Desktop().TranslateShortCut(msg)) continue;
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
    return static_cast<int>(msg.wParam);
}

int Run() {
    TSingleInstance instance;
    if (!instance.Acquire()) {
        ShowStartError(AlreadyRunningMessage);
        return 1;
    }
    HWND startForeground = GetForegroundWindow();
    std::string programFolder = ProgramFolderOf(nullptr);
    if (!IsOnFixedDrive(programFolder)) {
        ShowStartError(NotOnFixedDiskMessage);
        return 1;
    }
    TWinPlatform platform;
    const TDataFolder data = ChooseDataFolder(GetCommandLineW(), programFolder, platform);
    const std::string& dataFolder = data.Path;
    // Reading the page file needs no COM; the apartment's set-up overlaps it.
    TMainPagesPreload mainPages(platform, dataFolder + DataFileName(TDataFile::Main));
    TComApartment com;

    TApplicationWindow application;
    if (!application.Create()) return 1;
    TVantor vantor(platform, programFolder, dataFolder);
    vantor.StartForeground = startForeground;
    vantor.MainPagesPreload = &mainPages;
    if (!vantor.Create(application.Handle())) return 1;
    ShowWindow(application.Handle(), SW_HIDE);
    vantor.Show();
    // Once: the pages and settings are no longer beside the program.
    if (data.FirstPerUserStart) vantor.InfoBox(PerUserDataMessage(programFolder, dataFolder));
    return RunMessageLoop(vantor);
    // The mutex goes with `instance`, after the window and its final save.
}

}  // namespace

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
    QuietCriticalErrors();
    HardenLibraryLoading();
    try {
        return Run();
    } catch (const std::exception& e) {
        // A start-up that failed saves nothing, so the data files stay as
        // they were.
        ShowStartError(e.what());
        return 1;
    } catch (...) {
        ShowStartError("Vantorを起動できません。");
        return 1;
    }
}
