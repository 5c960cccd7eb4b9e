// The four bars of the program and the order of the docked ones: created with
// the main window, shown and docked as the settings say, written back at every
// save, kept topmost and as opaque as the main window, and refreshed whenever
// their pages change.
#pragma once

#include <windows.h>

#include <array>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "bars/bar_form.h"
#include "bars/bar_host.h"
#include "bars/resource_meter.h"
#include "base/timer.h"
#include "layout/frame_layout.h"
#include "settings/settings.h"
#include "shell/free_resources.h"

class TDocument;
class TPlatform;
class TProfile;

class TBarSet {
public:
    // The bars show the document's sets and follow its settings; the host is
    // the program around them.
    TBarSet(TDocument& document, std::unique_ptr<TBarHost> host);
    ~TBarSet();

    TDocument& Document() { return FDocument; }
    TBarHost& Host() { return *FHost; }
    // Creates the four hidden windows (smart, keyword, history, resource),
    // restores their floating placements from the settings file `iniPath`,
    // and applies the settings read before they existed.
    void Create(TPlatform& platform, const std::string& iniPath);
    // Whether the settings show a bar docked: its band is part of the main
    // window's layout, so the bars must exist before the window shows.
    static bool AnyShownDocked(const TVantorSettings& settings);
    bool Exist() const { return FCreated; }
    TFormFloat& Bar(int32_t id) { return *FBars[static_cast<size_t>(id)]; }
    // The bar whose window or content panel is `wnd`; null for others.
    TFormFloat* BarOfWindow(HWND wnd) const;
    // The smart, keyword or history bar a window belongs to (its row, its
    // panel, its own window), docked or floating; null for others.
    TFormFloat* BarUnder(HWND wnd) const;

    // The meter has a source on this system (never on the NT family).
    bool MeterAvailable() const;

    // After the settings are read: the dock order, the scroll positions, then
    // each bar shown and docked as stored. Before Create they are kept for it.
    void ApplySettings(const TVantorSettings& settings, const TSettingsReadResult& read);
    // The bars' state back into the settings, before they are written.
    void StoreSettings(TVantorSettings& settings) const;
    void SavePlacements(TProfile& ini) const;

    // The docked bars, in dock order, with a band each in the main window.
    const std::vector<int32_t>& Docked() const { return FDocked; }
    int DockedCount() const { return static_cast<int>(FDocked.size()); }
    // The main window's resize placed the bands: the docked containers go there.
    void PlaceDocked(const TFrameLayout& frame);
    // The band changed: the main window lays itself out again, once for a
    // whole batch of changes.
    void BandChanged();
    // Called by a bar: put it into the band at its wanted place, or take it out.
    void Dock(TFormFloat& bar);
    void Undock(TFormFloat& bar);
    // Where a bar dragged to `rect` (screen) would dock; -1: it floats.
    int DockIndexFor(const TFormFloat& bar, const TRect& rect) const;
    // The main window on the screen, and the screen tops of the docked panels
    // other than `bar`'s, for DockIndexFor and the drag frame.
    TRect MainWindowRect() const;
    std::vector<int> OtherDockedTops(const TFormFloat& bar) const;

    // Every bar re-binds its entries (a page, an entry or a setting changed).
    void RefreshAll();
    // The View menu's toggles; the check marks follow Shown().
    void ToggleShown(int32_t id);
    void ApplyScrollButtonStyle(int style);
    void SetTopmost(bool topmost);
    // Floating bars take no input while a message box or dialog is up, as
    // the main window, which owns both, takes none.
    void SetEnabled(bool enabled);
    // The main window's Transparent percentage.
    void ApplyOpacity(int transparent);
    void RepaintAll();
    // Floating bars left beyond the work area of the monitor nearest them
    // pulled back until a few pixels show (every re-snap, a display change).
    void KeepOnScreen();
    bool IsActiveForm() const;
    // A bar is dragged with its outline on the locked desktop; `step` runs
    // with the outline lifted and the lock released (TFormFloat::WithDesktopUnlocked).
    bool AnyOutlined() const;
    void WithDesktopUnlocked(const std::function<void()>& step);
    // Once the main window is up: the floating bars held back until then appear.
    void ShowDeferred();
    // The main window's DPI changed: the docked bars, drawn in it, follow.
    void DpiChanged();
    // The resource bar was shown or hidden: it samples every
    // CalcResourceInterval while it is shown, on a timer that runs only then.
    void MeterShownChanged();
    // The latest readings; `sampleNow` takes new ones first (the warning
    // before a launch samples whether the bar shows or not).
    TResourceReadings Readings(bool sampleNow);

private:
    // Never under an open box, dialog or menu, nor before the main window is up.
    void SampleResources();

    TDocument& FDocument;
    const std::unique_ptr<TBarHost> FHost;
    TFreeResources FResources;
    std::array<std::unique_ptr<TFormFloat>, BarCount> FBars;
    std::vector<int32_t> FDocked;                     // bar ids
    std::optional<TSettingsReadResult> FPendingRead;  // read before the windows existed
    TTimer FSampling;
    bool FCreated = false;
    bool FBatching = false;
    bool FBandChanged = false;
};
