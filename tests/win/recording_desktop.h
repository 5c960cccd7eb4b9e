// Desktop services for the main window's tests: boxes answer OK, nothing
// starts, and what the window asked for is recorded.
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

    int ShowMessage(HWND, const std::string& text, UINT) override {
        Boxes.push_back(text);
        return IDOK;
    }
    bool IsCtrlDown() override { return false; }
    void SeedRandom() override {}
    int Random(int) override { return 0; }
    void StartShell(HWND, const TShellRequest& r) override {
        StartedItems.push_back(r.Item ? IDListToPath(r.Item) : r.File);
    }
    void PlaySoundValue(const std::string& value) override { Sounds.push_back(value); }
    std::string SpecialFolderPath(TSpecialFolder) override { return std::string(); }
};
