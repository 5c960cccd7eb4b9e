// Where the desktop reaches the main window: the notification-area icon and
// its menu, the global hot keys and shortcut keys of the key definitions,
// files dropped from the shell on the entry area, and the screen corners.
#pragma once

#include <windows.h>

#include <cstdint>
#include <functional>
#include <memory>

#include "app/key_definitions.h"
#include "base/handles.h"
#include "settings/corner.h"
#include "shell/drop_file.h"
#include "shell/status_icon.h"

class TVantor;

struct TWinEventHookTraits {
    static HWINEVENTHOOK Invalid() { return nullptr; }
    static void Close(HWINEVENTHOOK h) { UnhookWinEvent(h); }
};
using TWinEventHook = TUniqueHandle<HWINEVENTHOOK, TWinEventHookTraits>;

class TDesktopHooks {
public:
    explicit TDesktopHooks(TVantor& vantor);
    ~TDesktopHooks();
    TDesktopHooks(const TDesktopHooks&) = delete;
    TDesktopHooks& operator=(const TDesktopHooks&) = delete;

    // Once the entry area exists: files dropped on it become entries.
    void AttachDrops(HWND entryArea);
    // A hot key's or a screen corner's action.
    void ExecuteAction(int32_t index);
    // The key definitions of the settings, as start-up and the settings
    // dialog apply them.
    void ApplyKeyDefinitions();
    TKeyDefinitions& Keys() { return FKeys; }
    // The icon follows the ShowIcon setting.
    void ShowIcon(bool visible);
    TStatusIcon& StatusIcon();
    // One pointer check with the pointer where it is: a corner's action runs
    // after its pause, and again after each further pause.
    void CornerTick(POINT pointer, uint32_t now);
    // A corner has an action: nothing tells when the pointer reaches one, so
    // the pointer checks watch for it.
    bool CornersWatched() const;
    // True while a full-screen program is in front on the window's monitor
    // (and QuietOverFullScreen is on): the pointer actions rest, and the
    // window stays below that program until it leaves the front.
    bool KeepQuiet();
    // While on, OnForegroundChanged runs whenever another window comes to the
    // front, where the system tells of it, so that a full-screen program is
    // noticed without watching for one.
    void WatchForeground(bool watch);
    std::function<void()> OnForegroundChanged;
    // For the message loop: a shortcut key of an action runs it.
    bool TranslateShortCut(const MSG& msg);

private:
    void StatusIconMouseDown(TMouseButton button);
    void DropFileDropFile(const std::vector<std::string>& files, int x, int y);
    static void CALLBACK ForegroundEvent(HWINEVENTHOOK hook, DWORD event, HWND window, LONG object, LONG child,
                                         DWORD thread, DWORD time);

    TVantor& FVantor;
    TKeyDefinitions FKeys;
    std::unique_ptr<TStatusIcon> FStatusIcon;
    TDropFile FDropFile;
    TCornerState FCorner;
    bool FIconLoaded = false;
    bool FQuiet = false;
    TWinEventHook FForegroundHook;
};
