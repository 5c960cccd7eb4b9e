#include "app/window_settings.h"

#include "app/settings_command.h"
#include "app/vantor.h"
#include "settings/placement.h"
#include "settings/profile.h"

namespace {

const char kIniFile[] = "Vantor.ini";
const char kPlacementSection[] = "DockLocations";

}  // namespace

// The main window's restored place, or where it slides back to: the next
// start must not come up off the screen. Sizes are kept in 96-DPI units, so
// the window looks the same on another screen; places are the screen's own.
TPlacement TWindowSettings::MainPlacement() const {
    const HWND window = FVantor.Handle();
    RECT r{};
    WINDOWPLACEMENT kept{};
    kept.length = sizeof(kept);
    if (IsZoomed(window) && GetWindowPlacement(window, &kept))
        r = kept.rcNormalPosition;  // the restored rectangle, not the screen
    else
        GetWindowRect(window, &r);
    TPlacement placement;
    placement.Left = r.left;
    placement.Top = r.top;
    placement.Width = UnscaleFromDpi(r.right - r.left, FVantor.Dpi());
    placement.Height = UnscaleFromDpi(r.bottom - r.top, FVantor.Dpi());
    if (const std::optional<TPoint> back = FVantor.ShownPlace()) {
        placement.Left = back->X;
        placement.Top = back->Y;
    }
    return placement;
}

void TWindowSettings::RestorePlacement() {
    TProfile ini;
    ini.LoadFromFile(FVantor.Platform(), FVantor.DataFolder + kIniFile);
    TPlacement current = MainPlacement();
    if (!ini.SectionExists(kPlacementSection)) {
        RECT work{};
        SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
        current.Left = work.right - FVantor.Px(current.Width);
        current.Top = work.top;
    }
    const TPlacement kept = LoadPlacement(ini, kPlacementSection, KeepBounds, current);
    // Sized for the monitor the window starts on; landing on one of another
    // DPI, it is told so (WM_DPICHANGED) and takes the size it suggests.
    SetWindowPos(FVantor.Handle(), nullptr, kept.Left, kept.Top, FVantor.Px(kept.Width), FVantor.Px(kept.Height),
                 SWP_NOZORDER | SWP_NOACTIVATE);
}

void TWindowSettings::SavePlacements(TProfile& ini) {
    if (!FVantor.Handle()) return;
    SavePlacement(ini, kPlacementSection, KeepBounds, MainPlacement());
    FVantor.Bars().SavePlacements(ini);
}

void TWindowSettings::Read() {
    TBarSet& bars = FVantor.Bars();
    TVantorManager& settings = FVantor.MainPages();
    TSettingsReadOptions options;
    options.ResourceMeterAvailable = bars.MeterAvailable();
    options.CurrentButton = FVantor.CurrentButton;
    // Also fills the key definitions the file lacks, so the next save has them.
    const TSettingsReadResult result = FVantor.Document().Files().ReadSettings(settings, options);
    FVantor.CurrentButton = result.CurrentButton;
    bars.ApplySettings(settings, result);
    FVantor.SelectTabQuietly(settings.CurrentPage());
    FVantor.RebuildPage();
}

void TWindowSettings::WriteSettingsTo(TProfile& ini) {
    FVantor.Bars().StoreSettings(FVantor.MainPages());
    FVantor.MainPages().WriteSettings(ini, FVantor.CurrentButton, FVantor.Document().FolderHistory());
}

void TWindowSettings::Write() {
    TDocument& document = FVantor.Document();
    const std::vector<TDataFile> failed =
        document.Files().SaveSettings([this](TProfile& ini) { WriteSettingsTo(ini); });
    if (failed.empty()) document.MarkSaved({TDataFile::Settings});
    FVantor.Saver().ReportFailures(failed);
}

HWND TWindowSettings::SaverWindow() { return FVantor.Handle(); }

// Both go into one write of the file. The placements come last: their
// sections are erased and appended again, and behind the settings' own
// rewritten lists that keeps the file byte for byte the same from one save
// to the next.
void TWindowSettings::WriteSettingsFile(TProfile& ini) {
    WriteSettingsTo(ini);
    SavePlacements(ini);
}

// Vantor.ini changed elsewhere: read again through the start-up rules (the
// windows stay where they are) and taken by every window.
void TWindowSettings::SettingsReadAgain(TProfile&) {
    Read();
    ApplySettings(FVantor);
}

int TWindowSettings::SaverBox(const std::string& text, UINT type) { return FVantor.ShowBox(text, type); }

bool TWindowSettings::AutoSaveWanted() { return FVantor.MainPages().AutoSave; }
