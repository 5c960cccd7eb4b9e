#include "bars/bar_set.h"

#include <algorithm>
#include <utility>

#include "bars/bar_layout.h"
#include "bars/keyword_bar.h"
#include "base/modal_gate.h"
#include "base/monitors.h"
#include "base/opacity.h"
#include "base/window_dpi.h"
#include "document/document.h"
#include "settings/placement.h"
#include "settings/profile.h"

namespace {

const char* PlacementSection(int32_t bar) {
    switch (bar) {
        case BarSmart:
            return "SmartBarLocations";
        case BarKeyword:
            return "KeywordBarLocations";
        case BarHistory:
            return "HistoryBarLocations";
        default:
            return "ResourceBarLocations";
    }
}

// Sizes in 96-DPI units, as the main window keeps its own.
TPlacement WindowPlacementOf(HWND wnd) {
    RECT r{};
    GetWindowRect(wnd, &r);
    const int dpi = WindowDpi(wnd);
    TPlacement p;
    p.Left = r.left;
    p.Top = r.top;
    p.Width = UnscaleFromDpi(r.right - r.left, dpi);
    p.Height = UnscaleFromDpi(r.bottom - r.top, dpi);
    return p;
}

}  // namespace

TBarSet::TBarSet(TDocument& document, std::unique_ptr<TBarHost> host) : FDocument(document), FHost(std::move(host)) {
    FSampling.OnTimer = [this] { SampleResources(); };
}

TBarSet::~TBarSet() = default;

void TBarSet::Create(TPlatform& platform, const std::string& iniPath) {
    TProfile ini;
    ini.LoadFromFile(platform, iniPath);
    // The keyword bar's one page holds the matches of the search.
    TVantorManager* matches = FDocument.SetOf(TBarKind::KeywordBar);
    if (matches && matches->Count() == 0) matches->AddPage("キーワードバー", 0);
    // Owned with the main window by the program's hidden window: owned by the
    // main window they would be gone before its final save.
    HWND owner = GetWindow(FHost->MainWindow(), GW_OWNER);
    for (int32_t id = 0; id < BarCount; ++id) {
        FBars[static_cast<size_t>(id)] = std::make_unique<TFormFloat>(*this, id);
        TFormFloat* bar = FBars[static_cast<size_t>(id)].get();
        TVantorManager* pages = id == BarResource ? nullptr : FDocument.SetOf(static_cast<TBarKind>(id + 1));
        bar->Create(owner, pages);
        if (id != BarKeyword) bar->SetKeywordMode(false);
        const TPlacement kept = LoadPlacement(ini, PlacementSection(id), KeepBounds, WindowPlacementOf(bar->Handle()));
        // Sized for the monitor the bar starts on; landing on one of another
        // DPI, it is told so (WM_DPICHANGED) and takes the size it suggests.
        const int dpi = WindowDpi(bar->Handle());
        const TBounds bounds = ClampBarWindow(
            TBounds{kept.Left, kept.Top, ScaleToDpi(kept.Width, dpi), ScaleToDpi(kept.Height, dpi)}, bar->SizeLimits());
        SetWindowPos(bar->Handle(), nullptr, bounds.Left, bounds.Top, bounds.Width, bounds.Height,
                     SWP_NOZORDER | SWP_NOACTIVATE);
    }
    ConnectKeywordBar(Bar(BarKeyword), FDocument);
    FCreated = true;
    KeepOnScreen();
    if (FPendingRead) {
        const TSettingsReadResult read = *FPendingRead;
        FPendingRead.reset();
        ApplySettings(FDocument.Settings(), read);
    }
}

bool TBarSet::AnyShownDocked(const TVantorSettings& settings) {
    for (const TBarState& state : settings.Bars)
        if (state.Show && state.Docking) return true;
    return false;
}

bool TBarSet::MeterAvailable() const { return FResources.Available(FHost->IsNT()); }

TFormFloat* TBarSet::BarOfWindow(HWND wnd) const {
    if (!wnd) return nullptr;
    for (const auto& bar : FBars)
        if (bar && (bar->Handle() == wnd || bar->Container.Handle() == wnd)) return bar.get();
    return nullptr;
}

// ---------------------------------------------------------------- settings

void TBarSet::ApplySettings(const TVantorSettings& settings, const TSettingsReadResult& read) {
    if (!Exist()) {
        FPendingRead = read;
        return;
    }
    FBatching = true;
    FBandChanged = false;
    FDocked.clear();
    // Without a source the meter never shows, whatever the file says.
    auto shown = [&](int32_t id) {
        return settings.Bars[static_cast<size_t>(id)].Show && (id != BarResource || MeterAvailable());
    };
    for (int32_t id : settings.DockOrder) {
        // A bar the file names in the band but hides keeps its place for
        // later and takes none now.
        if (shown(id) && settings.Bars[static_cast<size_t>(id)].Docking) FDocked.push_back(id);
        Bar(id).SetDockOrder(read.DockPositions[static_cast<size_t>(id)]);
    }
    for (int32_t id : {BarSmart, BarKeyword, BarHistory})
        Bar(id).SetScrollPos(settings.Bars[static_cast<size_t>(id)].ScrollPos);
    for (int32_t id = 0; id < BarCount; ++id)
        Bar(id).SetShownDocked(shown(id), settings.Bars[static_cast<size_t>(id)].Docking);
    FBatching = false;
    // During start-up the window is laid out once at its end.
    if (FBandChanged && FHost->MainWindowStarted()) FHost->LayoutMainWindow();
    ApplyScrollButtonStyle(settings.ScrollButtonStyle());
    RefreshAll();
}

void TBarSet::BandChanged() {
    if (FBatching)
        FBandChanged = true;
    else
        FHost->LayoutMainWindow();
}

void TBarSet::StoreSettings(TVantorSettings& settings) const {
    if (!Exist()) return;
    for (int32_t id = 0; id < BarCount; ++id) {
        const TFormFloat& bar = *FBars[static_cast<size_t>(id)];
        TBarState& state = settings.Bars[static_cast<size_t>(id)];
        state.Show = bar.Shown();
        state.Docking = bar.Docked();
        if (id != BarResource) state.ScrollPos = bar.ScrollPos();
    }
    settings.DockOrder = FDocked;
}

void TBarSet::SavePlacements(TProfile& ini) const {
    if (!Exist()) return;
    for (int32_t id = 0; id < BarCount; ++id)
        SavePlacement(ini, PlacementSection(id), KeepBounds,
                      WindowPlacementOf(FBars[static_cast<size_t>(id)]->Handle()));
}

// ---------------------------------------------------------------- docking

void TBarSet::Dock(TFormFloat& bar) { PlaceDockedBar(FDocked, bar.BarId(), bar.DockOrder()); }

void TBarSet::Undock(TFormFloat& bar) {
    RemoveDockedBar(FDocked, bar.BarId());
    bar.Container.SetVisible(false);
}

void TBarSet::PlaceDocked(const TFrameLayout& frame) {
    for (int i = 0; i < frame.SpaceTakingBars && i < DockedCount(); ++i) {
        TFormFloat& bar = Bar(FDocked[static_cast<size_t>(i)]);
        bar.Container.SetBounds(frame.BarContainers[static_cast<size_t>(i)]);
        bar.Container.SetVisible(true);
        bar.FormResize();
    }
}

TRect TBarSet::MainWindowRect() const {
    RECT r{};
    GetWindowRect(FHost->MainWindow(), &r);
    return TRect{r.left, r.top, r.right, r.bottom};
}

std::vector<int> TBarSet::OtherDockedTops(const TFormFloat& bar) const {
    std::vector<int> tops;
    for (int32_t id : FDocked) {
        if (id == bar.BarId()) continue;
        RECT r{};
        GetWindowRect(FBars[static_cast<size_t>(id)]->Container.Handle(), &r);
        tops.push_back(r.top);
    }
    return tops;
}

int TBarSet::DockIndexFor(const TFormFloat& bar, const TRect& rect) const {
    return ::DockIndexFor(rect, MainWindowRect(), OtherDockedTops(bar));
}

// ---------------------------------------------------------------- all bars

void TBarSet::RefreshAll() {
    if (!Exist()) return;
    for (auto& bar : FBars) bar->RefreshBar();
}

void TBarSet::ToggleShown(int32_t id) {
    if (!Exist() || (id == BarResource && !MeterAvailable())) return;
    TFormFloat& bar = Bar(id);
    bar.SetShown(!bar.Shown());
}

void TBarSet::ApplyScrollButtonStyle(int style) {
    if (!Exist()) return;
    const TScrollButtonFlags flags = ScrollButtonFlagsForStyle(style);
    for (int32_t id : {BarSmart, BarKeyword, BarHistory}) {
        for (TScrollButton* arrow : {&Bar(id).BUp, &Bar(id).BDown}) {
            arrow->SetAutoScroll(flags.AutoScroll);
            arrow->SetAutoRepeat(flags.AutoRepeat);
        }
    }
}

void TBarSet::SetTopmost(bool topmost) {
    if (!Exist()) return;
    for (auto& bar : FBars)
        if (IsWindowVisible(bar->Handle()))
            SetWindowPos(bar->Handle(), topmost ? HWND_TOPMOST : HWND_NOTOPMOST, 0, 0, 0, 0,
                         SWP_NOACTIVATE | SWP_NOMOVE | SWP_NOSIZE);
}

void TBarSet::SetEnabled(bool enabled) {
    if (!Exist()) return;
    for (auto& bar : FBars) EnableWindow(bar->Handle(), enabled ? TRUE : FALSE);
}

void TBarSet::ApplyOpacity(int transparent) {
    if (!Exist()) return;
    for (auto& bar : FBars) ApplyWindowOpacity(bar->Handle(), transparent);
}

void TBarSet::RepaintAll() {
    if (!Exist()) return;
    for (auto& bar : FBars)
        if (bar->Shown()) RedrawWindow(bar->Container.Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_ALLCHILDREN);
}

void TBarSet::KeepOnScreen() {
    if (!Exist()) return;
    for (auto& bar : FBars) {
        RECT r{};
        GetWindowRect(bar->Handle(), &r);
        const TBounds now{r.left, r.top, r.right - r.left, r.bottom - r.top};
        const TBounds kept = KeepBarInReach(now, MonitorOfWindow(bar->Handle()).Work, WindowDpi(bar->Handle()));
        if (kept != now)
            SetWindowPos(bar->Handle(), nullptr, kept.Left, kept.Top, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    }
}

void TBarSet::DpiChanged() {
    if (!Exist()) return;
    for (auto& bar : FBars)
        if (bar->Docked()) bar->DpiChanged();
}

void TBarSet::ShowDeferred() {
    if (!Exist()) return;
    for (auto& bar : FBars) bar->ShowDeferred();
}

TFormFloat* TBarSet::BarUnder(HWND wnd) const {
    for (; wnd; wnd = GetParent(wnd))
        if (TFormFloat* bar = BarOfWindow(wnd)) return bar->BarId() == BarResource ? nullptr : bar;
    return nullptr;
}

bool TBarSet::IsActiveForm() const { return BarOfWindow(GetActiveWindow()) != nullptr; }

bool TBarSet::AnyOutlined() const {
    for (const auto& bar : FBars)
        if (bar && bar->Outlined()) return true;
    return false;
}

void TBarSet::WithDesktopUnlocked(const std::function<void()>& step) {
    for (auto& bar : FBars) {
        if (bar && bar->Outlined()) {
            bar->WithDesktopUnlocked(step);
            return;
        }
    }
    step();
}

void TBarSet::MeterShownChanged() {
    const TFormFloat* meter = FBars[static_cast<size_t>(BarResource)].get();
    const bool shown = meter && meter->Shown();
    if (shown == FSampling.Enabled()) return;
    if (!shown) {
        FSampling.Stop();
        return;
    }
    SampleResources();
    FSampling.Start();
}

void TBarSet::SampleResources() {
    // A new interval from the settings applies from the next sample on.
    FSampling.SetInterval(static_cast<unsigned>(std::max<int32_t>(1, FDocument.Settings().CalcResourceInterval())));
    if (!Exist() || ModalGate().Held() || !FHost->MainWindowStarted() || !IsWindowVisible(FHost->MainWindow())) return;
    TFormFloat& meter = Bar(BarResource);
    meter.Readings = FResources.Sample(FHost->IsNT());
    meter.PTexture.Invalidate();
}

TResourceReadings TBarSet::Readings(bool sampleNow) {
    if (!Exist()) return TResourceReadings{};
    TFormFloat& meter = Bar(BarResource);
    if (sampleNow) meter.Readings = FResources.Sample(FHost->IsNT());
    return meter.Readings;
}
