// Desktop services for the main window's tests: boxes give one answer (OK
// unless told), nothing starts, the screen saver and the session are make-
// believe, and what the window asked for is recorded.
#pragma once

#include <string>
#include <vector>

#include "app/desktop_services.h"
#include "shell/id_list.h"

class TRecordingDesktop : public TDesktopServices {
public:
    std::vector<std::string> Boxes;
    std::vector<std::string> StartedItems;  // the shell items' paths
    std::vector<std::string> Sounds;
    std::vector<UINT> ExitRequests;  // EWX_SHUTDOWN, EWX_REBOOT
    int ScreenSaverStarts = 0;
    bool ScreenSaverOn = true;
    int Answer = IDOK;
    bool CtrlDown = false;
    bool ShiftDown = false;

    int ShowMessage(HWND, const std::string& text, UINT) override {
        Boxes.push_back(text);
        return Answer;
    }
    bool IsCtrlDown() override { return CtrlDown; }
    bool IsShiftDown() override { return ShiftDown; }
    bool ScreenSaverActive() override { return ScreenSaverOn; }
    void SetScreenSaverActive(bool active) override { ScreenSaverOn = active; }
    void StartScreenSaver(HWND) override { ++ScreenSaverStarts; }
    bool ExitSystem(UINT flags, bool) override {
        ExitRequests.push_back(flags);
        return false;
    }
    void SeedRandom() override {}
    int Random(int) override { return 0; }
    void StartShell(HWND, const TShellRequest& r) override {
        StartedItems.push_back(r.Item ? IDListToPath(r.Item) : r.File);
    }
    void PlaySoundValue(const std::string& value) override { Sounds.push_back(value); }
    std::string SpecialFolderPath(TSpecialFolder) override { return std::string(); }
};
