// The settings and places of the program's windows in Vantor.ini: read at
// start-up and again when the file changed elsewhere, written with every save
// of the data files (the saver's host) and when the settings dialog closes.
#pragma once

#include <windows.h>

#include <string>

#include "app/document_saver.h"
#include "settings/placement.h"

class TProfile;
class TVantor;

class TWindowSettings : public TSaverHost {
public:
    explicit TWindowSettings(TVantor& vantor) : FVantor(vantor) {}

    // The main window's place and size as kept, or against the right edge
    // of the work area the first time.
    void RestorePlacement();
    // The settings into the main set, the bars and the window's focus.
    void Read();
    // Vantor.ini now, without the placements.
    void Write();

    HWND SaverWindow() override;
    void WriteSettingsFile(TProfile& ini) override;
    void SettingsReadAgain(TProfile& ini) override;
    int SaverBox(const std::string& text, UINT type) override;
    bool AutoSaveWanted() override;

private:
    TPlacement MainPlacement() const;
    void WriteSettingsTo(TProfile& ini);
    void SavePlacements(TProfile& ini);

    TVantor& FVantor;
};
