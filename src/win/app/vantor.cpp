// Start-up, saving, the message boxes and the actions of the main window.
// Starting entries is the launcher's (app/launcher.h).
#include "app/vantor.h"

#include "app/command_bindings.h"
#include "base/log.h"
#include "base/window_dpi.h"
#include "settings/name_value.h"

namespace {

constexpr int kDefaultWidth = 320;
constexpr int kDefaultHeight = 400;

const char kIniFile[] = "Vantor.ini";

bool IsNTFamily() { return (GetVersion() & 0x80000000u) == 0; }

}  // namespace

TVantor::TVantor(TPlatform& platform, std::string programFolder, std::string dataFolder,
                 std::unique_ptr<TDesktopServices> services)
    : ProgramFolder(std::move(programFolder)),
      DataFolder(std::move(dataFolder)),
      FPlatform(platform),
      FServices(std::move(services)) {}

TVantor::~TVantor() { DestroyHandle(); }

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
    FSaver.WatchFolder();
    FSaver.ReportProtectedFiles();
    FHider.Wake();
}

// The start-up, in an order where later steps rely on earlier ones.
void TVantor::FormCreate() {
    IsNT = IsNTFamily();
    SetWindowTextW(Handle(), L"Vantor");
    FWindowSettings.RestorePlacement();
    CreateControls();
    FDesktop.AttachDrops(ScrollBox.Handle());
    BindMainCommands(*this);
    FSystemButtons.Connect();
    FServices->SeedRandom();
    CreateEntryPools();
    FDocument.Listen([this](const TChange& change) { DocumentChanged(change); });
    FSaver.Load(MainPagesPreload, [this] { AddFirstRunPages(MainPages(), FPlatform, *FServices); });
    RefreshTabsAndFonts();
    FWindowSettings.Read();
    // A docked bar's band is part of the window's layout; floating bars can
    // wait until the window is up, which they would have for showing anyway.
    // Made here, the bars take opacity and guides with the steps below.
    if (TBarSet::AnyShownDocked(MainPages())) FBars.Create(FPlatform, DataFolder + kIniFile);
    ApplyOpacity();
    RefreshTabsAndFonts();
    LoadWallpaper();
    FHider.SettingsChanged();
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
    // Back on only if the screen-saver button turned it off.
    ScreenSaver.Resume();
    // A start-up that did not finish has nothing trustworthy to save: the
    // files on disk stay as they are.
    if (FStarted) FSaver.FinalSave();
}

LRESULT TVantor::HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) {
    switch (msg) {
        case WM_TIMER:
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
            FHider.Wake();  // a hidden window the new screen holds whole is mended
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
            ApplicationActivate(wParam != 0);
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

// ---------------------------------------------------------------- commands

void TVantor::PlaySoundEvent(const std::string& event) {
    FServices->PlaySoundValue(ListValue(MainPages().Sounds, event));
}

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
            if (FBars.Exist()) FBars.Bar(BarHistory).RefreshBar();
            break;
        default:
            break;
    }
}
