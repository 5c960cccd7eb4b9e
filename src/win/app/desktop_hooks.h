// Where the desktop reaches the main window: the notification-area icon and
// its menu, the global hot keys and shortcut keys of the key definitions,
// files dropped from the shell on the entry area, and the screen corners.
#pragma once

#include <windows.h>

#include <cstdint>
#include <memory>

#include "app/key_definitions.h"
#include "settings/corner.h"
#include "shell/drop_file.h"
#include "shell/status_icon.h"

class TVantor;

class TDesktopHooks {
public:
    explicit TDesktopHooks(TVantor& vantor);
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
    // One tick of the main timer with the pointer where it is: a corner's
    // action runs after its pause, and again after each further pause.
    void CornerTick(POINT pointer, uint32_t now);
    // True while a full-screen program is in front on the window's monitor
    // (and QuietOverFullScreen is on): the pointer actions rest, and the
    // window stays below that program until it leaves the front.
    bool KeepQuiet();
    // For the message loop: a shortcut key of an action runs it.
    bool TranslateShortCut(const MSG& msg);

private:
    void StatusIconMouseDown(TMouseButton button);
    void DropFileDropFile(const std::vector<std::string>& files, int x, int y);

    TVantor& FVantor;
    TKeyDefinitions FKeys;
    std::unique_ptr<TStatusIcon> FStatusIcon;
    TDropFile FDropFile;
    TCornerState FCorner;
    bool FIconLoaded = false;
    bool FQuiet = false;
};
