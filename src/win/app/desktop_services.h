// What the main window asks of the desktop beyond its own windows: message
// boxes, the Ctrl and Shift keys, random draws, the shell's start of a
// program, sounds, special folders, the screen saver and the end of the
// Windows session. Tests replace it so that nothing waits on a box, the keys
// and the draws are whatever the test says, and nothing starts or ends.
#pragma once

#include <windows.h>

#include <random>
#include <string>

#include "base/handles.h"
#include "shell/id_list.h"
#include "shell/screen_saver.h"

// One ShellExecuteExW call. Target, arguments and folder stay separate all the
// way, so nothing is ever parsed by a command interpreter.
struct TShellRequest {
    std::string Verb;  // empty: the default action
    std::string File;  // empty when Item is given
    std::string Parameters;
    std::string Directory;
    int ShowCmd = SW_SHOWNORMAL;
    LPCITEMIDLIST Item = nullptr;  // a shell item, started by its default action
};

class TDesktopServices : public TScreenSaverSystem {
public:
    virtual ~TDesktopServices() = default;

    // A message box titled "Vantor"; returns the button chosen (IDOK, IDYES...).
    virtual int ShowMessage(HWND owner, const std::string& text, UINT type);
    virtual bool IsCtrlDown();
    virtual void SeedRandom();
    // Uniform in 0..range-1.
    virtual int Random(int range);
    virtual void StartShell(HWND owner, const TShellRequest& request);
    // A sound value: "*" and a system sound alias, or a wave file.
    virtual void PlaySoundValue(const std::string& value);
    virtual std::string SpecialFolderPath(TSpecialFolder kind);
    virtual bool IsShiftDown();
    // Whether the system screen saver may start, and changing that for this
    // session (the user's profile is not written).
    bool ScreenSaverActive() override;
    void SetScreenSaverActive(bool active) override;
    // Starts the screen saver now, as the window's system command.
    virtual void StartScreenSaver(HWND window);
    // Ends the Windows session (EWX_SHUTDOWN, EWX_REBOOT), taking the
    // shutdown privilege first on the NT family; false when it does not.
    virtual bool ExitSystem(UINT flags, bool isNT);

private:
    std::mt19937 FRandom;
    TModule FWinmm;  // loaded on the first sound, from the System folder
};

class TPlatform;
class TVantorManager;

// The first start: pages of the shortcuts on the desktop and in the Start menu.
void AddFirstRunPages(TVantorManager& pages, TPlatform& platform, TDesktopServices& services);
