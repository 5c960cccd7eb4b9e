// Start-up, saving, the periodic timer, the message boxes and the actions
// of the main window. Starting entries is the launcher's (app/launcher.h).
#include "app/vantor.h"

#include <algorithm>

#include "app/command_bindings.h"
#include "app/main_pages_preload.h"
#include "app/settings_command.h"
#include "base/handles.h"
#include "base/log.h"
#include "base/modal_gate.h"
#include "base/win_text.h"
#include "base/window_dpi.h"
#include "errors.h"
#include "settings/name_value.h"
#include "settings/placement.h"
#include "settings/profile.h"
#include "shell/id_list.h"
#include "text/text.h"

namespace {

constexpr UINT_PTR kMainTimer = 1;
constexpr uint32_t kAutoSaveInterval = 600000;  // ten minutes
constexpr int kDefaultWidth = 320;
constexpr int kDefaultHeight = 400;

const char kIniFile[] = "Vantor.ini";
const char kPlacementSection[] = "DockLocations";

bool IsNTFamily() { return (GetVersion() & 0x80000000u) == 0; }

}  // namespace

TVantor::TVantor(TPlatform& platform, std::string programFolder, std::string dataFolder,
                 std::unique_ptr<TDesktopServices> services)
    : ProgramFolder(std::move(programFolder)),
      DataFolder(std::move(dataFolder)),
      FPlatform(platform),
      FServices(std::move(services)) {
    ConnectModalGate();
}

TVantor::~TVantor() {
    DestroyHandle();
    ModalGate().ClearHooks(this);
}

// A pop-up with a sizing border and no caption bar, always on top, without a
// task-bar button. The class asks for no repaint of the whole window on a
// size change: every part repaints only what it must.
bool TVantor::Create(HWND owner) {
    if (!CreateForm(L"TVantor", WS_EX_TOPMOST | WS_EX_TOOLWINDOW, WS_POPUP | WS_THICKFRAME | WS_CLIPCHILDREN, L"Vantor",
                    TBounds{CW_USEDEFAULT, CW_USEDEFAULT, kDefaultWidth, kDefaultHeight}, owner))
        return false;
    FDpi = WindowDpi(Handle());
    FormCreate();
    return true;
}

// The window is on the screen as soon as it can be: what only its painting
// needs comes between its showing and its first paint, and the tray icon
// (a round trip to the task bar) and the floating bars once it is painted.
void TVantor::Show() {
    ShowWindow(Handle(), SW_SHOW);
    FSystemButtons.RefreshPictures();
    UpdateWindow(Handle());
    FormShow();
    if (!FBars.Exist()) CreateBars();
    FBars.ShowDeferred();
    ReportProtectedFiles();
}

// The start-up, in an order where later steps rely on earlier ones.
void TVantor::FormCreate() {
    IsNT = IsNTFamily();
    SetWindowTextW(Handle(), L"Vantor");
    RestorePlacement();
    CreateControls();
    FDesktop.AttachDrops(ScrollBox.Handle());
    BindMainCommands(*this);
    FSystemButtons.Connect();
    FServices->SeedRandom();
    CreateEntryPools();
    FDocument.Listen([this](const TChange& change) { DocumentChanged(change); });
    LoadDataFiles();
    RefreshTabsAndFonts();
    ReadSettings();
    // A docked bar's band is part of the window's layout; floating bars can
    // wait until the window is up, which they would have for showing anyway.
    // Made here, the bars take opacity and guides with the steps below.
    if (TBarSet::AnyShownDocked(MainPages())) FBars.Create(FPlatform, DataFolder + kIniFile);
    ApplyOpacity();
    RefreshTabsAndFonts();
    LoadWallpaper();
    ApplyTimerInterval();
    FDesktop.ApplyKeyDefinitions();
    BuildMainMenu(*this);
    FHints.Connect();
    ApplyScrollButtonStyle();
    FormResize();
    FSaver.Start();
    FStarted = true;
}

// Bars made once the window is up take what FormCreate gave the window
// before them: the settings read (through TBarSet), its opacity and the
// guide texts.
void TVantor::CreateBars() {
    FBars.Create(FPlatform, DataFolder + kIniFile);
    FBars.ApplyOpacity(MainPages().Transparent());
    FHints.ConnectBars();
}

void TVantor::FormShow() { FDesktop.ShowIcon(MainPages().ShowIcon); }

// By default the launcher keeps the focus it gets at start; otherwise the
// window that had it gets it back, once.
void TVantor::FormFirstPaint() {
    if (!MainPages().ActivateOnLaunch && StartForeground) BringToFront(StartForeground);
    StartForeground = nullptr;
}

void TVantor::FormDestroy() {
    KillTimer(Handle(), kMainTimer);
    // Back on only if the screen-saver button turned it off.
    ScreenSaver.Resume();
    // A start-up that did not finish has nothing trustworthy to save: the
    // files on disk stay as they are.
    if (FStarted) FSaver.FinalSave();
}

LRESULT TVantor::HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) {
    switch (msg) {
        case WM_TIMER:
            if (wParam == kMainTimer) TimerTimer();
            if (wParam == TDocumentSaver::TimerId) FSaver.TimerFired();
            return 0;
        case TDocumentSaver::FolderMessage:
            FSaver.FolderChanged();
            return 0;
        case WM_ERASEBKGND:
            // Only the hidden window shows its bare background; the shown
            // one is painted whole, and erasing first would flicker.
            if (FHider.Hidden()) {
                RECT r;
                GetClientRect(Handle(), &r);
                FillRect(reinterpret_cast<HDC>(wParam), &r, GetSysColorBrush(COLOR_BTNFACE));
            }
            return 1;
        case WM_SIZE:
            FormResize();
            return 0;
        case WM_SIZING:
            WMSizing(*reinterpret_cast<RECT*>(lParam));
            return DefaultHandler(msg, wParam, lParam);
        case WM_GETMINMAXINFO:
            WMGetMinMaxInfo(*reinterpret_cast<MINMAXINFO*>(lParam));
            return 0;
        case WM_MOVE: {
            const LRESULT result = DefaultHandler(msg, wParam, lParam);
            FHider.WindowMoved();
            return result;
        }
        case WM_DPICHANGED:
            WMDpiChanged(HIWORD(wParam), *reinterpret_cast<const RECT*>(lParam));
            return 0;
        case WM_DISPLAYCHANGE: {
            const LRESULT result = DefaultHandler(msg, wParam, lParam);
            if (MainPages().AutoAdjust) Resnap();
            return result;
        }
        case WM_ACTIVATE:
            if (LOWORD(wParam) == WA_INACTIVE)
                FormDeactivate();
            else
                FormActivate();
            return DefaultHandler(msg, wParam, lParam);
        case WM_SETFOCUS:
            WMSetFocus();
            return 0;
        case WM_MOUSEWHEEL:
            WMMouseWheel(wParam, lParam);
            return 0;
        case WM_ACTIVATEAPP:
            ApplicationActivate();
            return DefaultHandler(msg, wParam, lParam);
        case WM_PAINT:
            TForm::HandleMessage(msg, wParam, lParam);
            if (!FPainted) {
                FPainted = true;
                FormFirstPaint();
            }
            return 0;
        case WM_CLOSE:  // FormCloseQuery always allows closing
            DestroyWindow(Handle());
            return 0;
        case WM_ENDSESSION:
            // The process may end without WM_DESTROY at log-off; no box may
            // hold the session up then, so failures go untold.
            if (wParam && FStarted) FSaver.SaveQuietly();
            return 0;
        case WM_DESTROY:
            // The final save may ask the user, and a box closes at once on a
            // queued quit: the quit follows, even when the save fails hard.
            try {
                FormDestroy();
            } catch (...) {
                LogCurrentException("FormDestroy");
            }
            if (QuitOnDestroy) PostQuitMessage(0);
            return 0;
        default:
            // The pointer goes through the routing every window of the program shares.
            return TForm::HandleMessage(msg, wParam, lParam);
    }
}

// ---------------------------------------------------------------- data files

void TVantor::LoadDataFiles() {
    FDataFiles.OnSwallowed = [](const char* where, const std::exception& error) { LogSwallowed(where, error); };
    FDataFiles.RemoveStaleTemporaries();
    // Each step stands alone: a failure in one must not skip the others.
    auto step = [](const char* where, const auto& load) {
        try {
            load();
        } catch (const std::exception& error) {
            LogSwallowed(where, error);
        }
    };
    step("loading the folder history", [&] { FDataFiles.LoadFolderHistory(FDocument.FolderHistory()); });
    step("loading Smart.pag", [&] { FDataFiles.LoadBarPages(SmartPages(), TDataFile::Smart, "スマートバー"); });
    step("loading History.pag", [&] { FDataFiles.LoadBarPages(HistoryPages(), TDataFile::History, "履歴バー"); });
    std::unique_ptr<TVantorManager> readAheadPages = MainPagesPreload ? MainPagesPreload->TakePages() : nullptr;
    std::function<bool()> readAhead;
    if (readAheadPages) {
        readAhead = [preload = MainPagesPreload] { return preload->Result(); };
        FDocument.AdoptMain(std::move(readAheadPages));
    }
    auto buildFirstRun = [this] {
        for (const TShortcutPageSource& source :
             FirstRunPageSources(FServices->SpecialFolderPath(sfDesktop), FServices->SpecialFolderPath(sfPrograms)))
            AddShortcutPage(source.Caption, source.Folder);
    };
    FDataFiles.LoadMainPages(MainPages(), buildFirstRun, readAhead);
}

void TVantor::AddShortcutPage(const std::string& caption, const std::string& folder) {
    ::AddShortcutPage(MainPages(), FPlatform, caption, folder, CanonicalPath);
}

// ---------------------------------------------------------------- saving

void TVantor::TimerTimer() {
    // Nothing runs under an open box, dialog, menu or drag: no save of
    // data the loop may be changing, no corner action, no sliding away.
    if (ModalGate().Held() || !FStarted || !IsWindowVisible(Handle())) return;
    const uint32_t now = FPlatform.TickCount();
    FBars.SampleResources(now);
    FHider.Tick(now);
}

void TVantor::ApplyTimerInterval() {
    UINT interval = static_cast<UINT>(
        std::max<int32_t>(1, std::min(MainPages().CalcResourceInterval(), MainPages().CheckMousePosInterval())));
    SetTimer(Handle(), kMainTimer, interval, nullptr);
}

// Once, as the run starts: what the user changes in such a file is not saved.
void TVantor::ReportProtectedFiles() {
    const std::vector<TDataFile> files = FDataFiles.ProtectedFiles();
    if (!files.empty()) ErrorBox(FDataFiles.ProtectedFilesMessage(files));
}

// ---------------------------------------------------------------- placement

TPlacement TVantor::CurrentPlacement() const {
    TPlacement placement;
    RECT r{};
    WINDOWPLACEMENT kept{};
    kept.length = sizeof(kept);
    if (IsZoomed(Handle()) && GetWindowPlacement(Handle(), &kept))
        r = kept.rcNormalPosition;  // the restored rectangle, not the screen
    else
        GetWindowRect(Handle(), &r);
    placement.Left = r.left;
    placement.Top = r.top;
    // Sizes are kept in 96-DPI units, so the window looks the same on
    // another screen; places are the screen's own.
    placement.Width = UnscaleFromDpi(r.right - r.left, FDpi);
    placement.Height = UnscaleFromDpi(r.bottom - r.top, FDpi);
    // A window slid off its edge is kept where it slides back to: the next
    // start must not come up off the screen.
    if (const std::optional<TPoint> back = FHider.ShownPlace()) {
        placement.Left = back->X;
        placement.Top = back->Y;
    }
    return placement;
}

void TVantor::RestorePlacement() {
    TProfile ini;
    ini.LoadFromFile(FPlatform, DataFolder + kIniFile);
    TPlacement current = CurrentPlacement();
    if (!ini.SectionExists(kPlacementSection)) {
        // Nothing kept yet: against the right edge of the work area.
        RECT work{};
        SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
        current.Left = work.right - Px(current.Width);
        current.Top = work.top;
    }
    const TPlacement kept = LoadPlacement(ini, kPlacementSection, KeepBounds, current);
    // Sized for the monitor the window starts on; landing on one of another
    // DPI, it is told so (WM_DPICHANGED) and takes the size it suggests.
    SetWindowPos(Handle(), nullptr, kept.Left, kept.Top, Px(kept.Width), Px(kept.Height),
                 SWP_NOZORDER | SWP_NOACTIVATE);
}

// The window moved to a monitor of another DPI, or the user changed the
// scale: everything is measured again at the new DPI in the rectangle the
// system suggests.
void TVantor::WMDpiChanged(int dpi, const RECT& suggested) {
    if (dpi <= 0 || dpi == FDpi) return;
    FDpi = dpi;
    if (PoolsExist()) {
        RefreshTabsAndFonts();
        ApplyTabSetMetrics();
        FSystemButtons.RefreshPictures();
        FBars.DpiChanged();
    }
    // A new size lays the window out (WM_SIZE); the same size must be laid out here.
    RECT before{};
    GetClientRect(Handle(), &before);
    SetWindowPos(Handle(), nullptr, suggested.left, suggested.top, suggested.right - suggested.left,
                 suggested.bottom - suggested.top, SWP_NOZORDER | SWP_NOACTIVATE);
    RECT after{};
    GetClientRect(Handle(), &after);
    if (after.right == before.right && after.bottom == before.bottom) FormResize();
    RedrawWindow(Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
}

void TVantor::SavePlacements(TProfile& ini) {
    if (!Handle()) return;
    SavePlacement(ini, kPlacementSection, KeepBounds, CurrentPlacement());
    FBars.SavePlacements(ini);
}

// ---------------------------------------------------------------- settings

void TVantor::ReadSettings() {
    TSettingsReadOptions options;
    options.ResourceMeterAvailable = FBars.MeterAvailable();
    options.CurrentButton = CurrentButton;
    // Also fills the key definitions the file lacks, so the next save has them.
    TSettingsReadResult result = FDataFiles.ReadSettings(MainPages(), options);
    CurrentButton = result.CurrentButton;
    FBars.ApplySettings(MainPages(), result);
    SelectTabQuietly(MainPages().CurrentPage());
    RebuildPage();
}

void TVantor::WriteSettingsTo(TProfile& ini) {
    FBars.StoreSettings(MainPages());
    MainPages().WriteSettings(ini, CurrentButton, FDocument.FolderHistory());
}

void TVantor::WriteSettings() {
    const std::vector<TDataFile> failed = FDataFiles.SaveSettings([this](TProfile& ini) { WriteSettingsTo(ini); });
    if (failed.empty()) FDocument.MarkSaved({TDataFile::Settings});
    FSaver.ReportFailures(failed);
}

// Both go into one write of the file. The placements come last: their
// sections are erased and appended again, and behind the settings' own
// rewritten lists that keeps the file byte for byte the same from one save
// to the next.
void TVantor::WriteSettingsFile(TProfile& ini) {
    WriteSettingsTo(ini);
    SavePlacements(ini);
}

// Vantor.ini changed elsewhere: read again through the start-up rules (the
// windows stay where they are) and taken by every window.
void TVantor::SettingsReadAgain(TProfile&) {
    ReadSettings();
    ApplySettings(*this);
}

// ---------------------------------------------------------------- message boxes

// While a message box or a dialog is up the title hint is hidden, the
// windows leave the always-on-top layer (the box must not end up behind
// them) and the floating bars take no input, as the main window, their
// owner, takes none.
void TVantor::ConnectModalGate() {
    TModalGate::THooks hooks;
    hooks.FirstEnter = [this] { FHints.HideTitle(); };
    hooks.FirstWindow = [this] {
        PushNotTopmost();
        FBars.SetEnabled(false);
    };
    hooks.LastWindow = [this] {
        FBars.SetEnabled(true);
        PopNotTopmost();
    };
    ModalGate().SetHooks(this, std::move(hooks));
}

int TVantor::ShowBox(const std::string& text, UINT type) {
    const TModalGate::THold hold(TModalKind::MessageBox, Handle());
    return FServices->ShowMessage(Handle(), text, type);
}

void TVantor::ErrorBox(const std::string& text) { ShowBox(text, MB_OK | MB_ICONERROR); }

void TVantor::InfoBox(const std::string& text) { ShowBox(text, MB_OK | MB_ICONINFORMATION); }

bool TVantor::ConfirmBox(const std::string& text) { return ShowBox(text, MB_YESNOCANCEL | MB_ICONQUESTION) == IDYES; }

// The dialog holds the modal gate itself (TDialog::ShowModal), as it does
// when it is shown over another dialog.
int TVantor::RunModal(TModalForm& form) {
    BringToFront(Handle());
    return form.ShowModal(Handle());
}

// Brings one of the program's windows to the top, even from another
// thread's foreground. Nothing queued runs here: callers open a dialog or
// run an action next, and a queued message must not run before them.
void TVantor::BringToFront(HWND window) {
    if (!window) return;
    HWND foreground = GetForegroundWindow();
    DWORD foregroundThread = foreground ? GetWindowThreadProcessId(foreground, nullptr) : 0;
    DWORD windowThread = GetWindowThreadProcessId(window, nullptr);
    bool attach = foregroundThread && windowThread && foregroundThread != windowThread;
    if (attach) AttachThreadInput(windowThread, foregroundThread, TRUE);
    BringWindowToTop(window);
    if (attach) AttachThreadInput(windowThread, foregroundThread, FALSE);
}

// Suspensions nest: the first push takes the windows out of the topmost
// layer, only the matching last pop puts them back.
void TVantor::PushNotTopmost() {
    if (FNotTopmostDepth++ > 0 || !Handle()) return;
    SetWindowPos(Handle(), HWND_NOTOPMOST, 0, 0, 0, 0, SWP_NOACTIVATE | SWP_NOMOVE | SWP_NOSIZE);
    FBars.SetTopmost(false);
}

void TVantor::PopNotTopmost() {
    if (FNotTopmostDepth == 0 || --FNotTopmostDepth > 0 || !Handle()) return;
    SetWindowPos(Handle(), HWND_TOPMOST, 0, 0, 0, 0, SWP_NOACTIVATE | SWP_NOMOVE | SWP_NOSIZE);
    FBars.SetTopmost(true);
}

// ---------------------------------------------------------------- commands

// A hot key or a screen corner: the window comes out of hiding at once and to
// the front, then the action runs; never two at once. Under an open box,
// dialog or menu nothing runs: the open window comes to the front instead.
void TVantor::ExecuteAction(int32_t index) {
    if (ModalGate().Held()) {
        BringModalWindowForward();
        return;
    }
    FCommands.Execute(index, [this] {
        ShowWindowNow(true);
        BringToFront(Handle());
        // A hot key grants the foreground: the keyboard comes along, and the
        // window does not slide away again as one the user left.
        SetForegroundWindow(Handle());
    });
}

void TVantor::BringModalWindowForward() {
    HWND active = ModalGate().ActiveWindow();
    if (!active) return;
    BringToFront(active);
    SetForegroundWindow(active);
}

void TVantor::PlaySoundEvent(const std::string& event) {
    FServices->PlaySoundValue(ListValue(MainPages().Sounds, event));
}

// Free system, USER and GDI resources in percent, added up; the NT family
// has no such limits.
int32_t TVantor::FreeResourcesTotal() {
    // Nothing measured is nothing low: no warning on a made-up figure.
    if (!IsNT && !FBars.MeterAvailable()) return 300;
    const TResourceReadings r = FBars.Readings(true);
    return r.System + r.User + r.Gdi;
}

void TVantor::EntryStarted(TBarKind owner, int32_t tag) {
    if (owner != TBarKind::Main) return;
    CurrentButton = tag;
    PlaceFocusFrame(false);
}

void TVantor::PageChanged(TBarKind kind) { FDocument.Changed(TChange::WholePage(FDocument.CurrentPage(kind))); }

// The main window shows the main set's current page and its tabs; the bars
// show their own sets.
void TVantor::DocumentChanged(const TChange& change) {
    if (change.Settings || !PoolsExist()) return;
    switch (change.Set) {
        case TBarKind::Main:
            if (change.PageSlot < 0) {
                RefreshTabsAndFonts();
                RebuildPage();
            } else if (change.Touches(FDocument.CurrentPage(TBarKind::Main))) {
                RebuildPage();
            }
            break;
        case TBarKind::SmartBar:
            if (FBars.Exist()) FBars.Bar(BarSmart).RefreshBar();
            break;
        case TBarKind::HistoryBar:
            RebuildHistoryBar();
            break;
        default:
            break;
    }
}

// The drop point is in the bar's panel; the entry under it is looked up on
// its entry strip, which scrolls inside it.
void TVantor::DropFilesOnBar(TFormFloat& bar, const std::vector<std::string>& files, POINT at) {
    TVantorPage* page = bar.BarPage();
    if (!page) return;
    MapWindowPoints(bar.Container.Handle(), bar.PTexture.Handle(), &at, 1);
    int32_t entry = -1;
    if (TGraphicControl* control = bar.PTexture.Controls().ControlAtPos(at.x, at.y))
        if (dynamic_cast<TLauncherButton*>(control)) entry = static_cast<int32_t>(control->Tag);
    FLauncher.DropFilesOnPage(files, entry, static_cast<TBarKind>(bar.BarId() + 1), *page);
}

void TVantor::RebuildHistoryBar() {
    if (FBars.Exist()) FBars.Bar(BarHistory).RefreshBar();
}
