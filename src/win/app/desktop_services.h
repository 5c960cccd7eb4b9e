// What the main window asks of the desktop beyond its own windows: message
// boxes, the Ctrl key, random draws, the shell's start of a program, sounds
// and special folders. Tests replace it so that nothing waits on a box, the
// Ctrl key and the draws are whatever the test says, and nothing starts.
#pragma once

#include <windows.h>

#include <random>
#include <string>

#include "base/handles.h"
#include "shell/id_list.h"

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

class TDesktopServices {
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

private:
    std::mt19937 FRandom;
    TModule FWinmm;  // loaded on the first sound, from the System folder
};
