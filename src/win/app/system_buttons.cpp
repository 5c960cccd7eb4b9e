#include "app/system_buttons.h"

#include <shellapi.h>

#include "app/vantor.h"
#include "base/log.h"
#include "base/menu_images.h"
#include "base/message_pump.h"
#include "base/monitors.h"
#include "base/win_text.h"
#include "layout/frame_layout.h"
#include "menus/system_button_rules.h"
#include "text/text.h"

namespace {

const char kStop[] = "停止(&S)";
const char kExecute[] = "実行(&E)";
const char kShutdownQuestion[] = "Windowsを終了します。よろしいですか？";
const char kRebootQuestion[] = "Windowsを再起動します。よろしいですか？";
const char kAutoRunFailed[] = "AutoRunの停止に失敗しました。";
const char kNoAutoRun[] = "このCD-ROMはAutoRunに対応していません。";

}  // namespace

TSystemButtons::~TSystemButtons() {
    // The services go before the switch: from here on it uses the system.
    FVantor.ScreenSaver.UseSystem(nullptr);
}

void TSystemButtons::Connect() {
    FVantor.ScreenSaver.UseSystem(&FVantor.Services());
    FVantor.SystemButtons[sbStopAutoRun].SetButtonType(itCheck);
    FVantor.SystemButtons[sbScreenSaver].SetButtonType(itCheck);
    FVantor.SystemButtons[sbOpenFolder].OnClick = [this](TComponent&) { BOpenFolderClick(); };
    FVantor.SystemButtons[sbScreenSaver].OnClick = [this](TComponent&) { BScreenSaverClick(true); };
    FVantor.SystemButtons[sbShutdown].OnClick = [this](TComponent&) { BShutdownClick(); };
    FVantor.SystemButtons[sbReboot].OnClick = [this](TComponent&) { BRebootClick(); };
    FVantor.SystemButtons[sbStopAutoRun].OnClick = [this](TComponent&) { BStopAutoRunClick(); };
    TCommandTable& commands = FVantor.Commands();
    commands.Bind(ActionStopAutoRun, [this] { BStopAutoRunClick(); });
    commands.Bind(ActionOpenFolder, [this] { BOpenFolderClick(); });
    commands.Bind(ActionScreenSaver, [this] { BScreenSaverClick(false); });
    commands.Bind(ActionShutdown, [this] { BShutdownClick(); });
    commands.Bind(ActionReboot, [this] { BRebootClick(); });
    BuildMenus();
    // The picture comes with the others, as the window shows.
    MarkAutoRunState(!AutoRun.IsEnabled());
}

void TSystemButtons::BuildMenus() {
    FScreenSaverMenu.Clear();
    FScreenSaverMenu.SetImages(&SystemSmallIcons());
    FScreenSaverMenu.AddItem(kStop, "", [this] { MInvalidateScreenSaverClick(); });
    FScreenSaverMenu.AddItem(kExecute, "", [this] { MExecuteScreenSaverClick(); });
    FAutoRunMenu.Clear();
    FAutoRunMenu.SetImages(&SystemSmallIcons());
    FAutoRunMenu.AddItem(kStop, "", [this] { MInvalidateAutoRunClick(); });
    FAutoRunDrives = &FAutoRunMenu.AddSubmenu(kExecute);
    FAutoRunMenu.OnPopup = [this](TPopupMenu&) { MStopAutoRun2Popup(); };
}

// ---------------------------------------------------------------- placing the menus

POINT TSystemButtons::MenuPoint(TIconButton& button, bool& shown) {
    // The button looks as if the pointer had left it while the menu is up.
    button.MouseLeave();
    const POINT corner = button.ClientToScreen(POINT{0, 0});
    const int side = ResolveCaptionSide(FVantor.MainPages().TitleBarLayout(), FVantor.DockEdge());
    const std::optional<TPoint> at = SystemMenuPoint(side, corner.x, corner.y, button.Width(), button.Height());
    shown = at.has_value();
    return at ? POINT{at->X, at->Y} : POINT{0, 0};
}

void TSystemButtons::PopupAt(TIconButton& button, TPopupMenu& menu) {
    bool shown = false;
    const POINT at = MenuPoint(button, shown);
    if (shown) menu.Popup(FVantor.Handle(), at);
}

// ---------------------------------------------------------------- folder menu

void TSystemButtons::BOpenFolderClick() {
    if (FFolderMenu.Busy()) return;
    bool shown = false;
    const POINT at = MenuPoint(FVantor.SystemButtons[sbOpenFolder], shown);
    if (shown) FFolderMenu.DropDown(at);
}

HWND TSystemButtons::FolderMenuOwner() { return FVantor.Handle(); }
TVantorManager& TSystemButtons::FolderMenuPages() { return FVantor.MainPages(); }
TFolderHistory& TSystemButtons::FolderMenuHistory() { return FVantor.Document().FolderHistory(); }
void TSystemButtons::FolderMenuPageChanged() {
    FVantor.Document().Changed(TChange::WholePage(FVantor.Document().CurrentPage(TBarKind::Main)));
}
void TSystemButtons::FolderMenuError(const std::string& text) { FVantor.ErrorBox(text); }
void TSystemButtons::FolderMenuExecute(LPCITEMIDLIST item) { FVantor.Launcher().ExecuteItem(item, "", SW_SHOW, ""); }

// ---------------------------------------------------------------- screen saver

void TSystemButtons::BScreenSaverClick(bool fromButton) {
    if (!fromButton || FVantor.Services().IsCtrlDown())
        MExecuteScreenSaverClick();
    else
        PopupAt(FVantor.SystemButtons[sbScreenSaver], FScreenSaverMenu);
}

void TSystemButtons::MExecuteScreenSaverClick() {
    FVantor.SkipNextTopmost = true;
    // A pointer resting in a screen corner would wake the screen at once
    // (a corner is also where the screen corners' actions are started): the
    // corners of the monitor it is on, as for those actions.
    POINT pointer{};
    if (GetCursorPos(&pointer)) {
        const TRect monitor = MonitorOfPoint(pointer).Area;
        if (auto nudge = ScreenSaverPointerNudge(pointer.x - monitor.Left, pointer.y - monitor.Top, monitor.Width(),
                                                 monitor.Height()))
            SetCursorPos(monitor.Left + nudge->X, monitor.Top + nudge->Y);
    }
    // The screen under the closed menu is drawn before the saver starts.
    PaintPendingWindows();
    FVantor.Services().StartScreenSaver(FVantor.Handle());
}

void TSystemButtons::MInvalidateScreenSaverClick() {
    FScreenSaverStopped = !FScreenSaverStopped;
    FScreenSaverMenu.SetChecked(StopItem, FScreenSaverStopped);
    TIconButton& button = FVantor.SystemButtons[sbScreenSaver];
    button.SetDown(FScreenSaverStopped);
    // Off for this session; back on only if it was this program that turned
    // it off, so a user who keeps it off finds it off.
    if (FScreenSaverStopped)
        FVantor.ScreenSaver.Suspend();
    else
        FVantor.ScreenSaver.Resume();
    button.SetSharedIcon(Pictures().SharedIcon(FScreenSaverStopped ? miScreenSaverStopped : miScreenSaver));
    button.Invalidate();
}

// ---------------------------------------------------------------- shutdown and restart

bool TSystemButtons::SaveBeforeExit(const char* what) {
    for (;;) {
        const std::vector<TDataFile> failed = FVantor.Saver().SaveQuietly();
        if (failed.empty()) return true;
        FVantor.Document().Files().TakeUnreported(failed);  // told here, not again at the next save
        const std::string text = FVantor.Document().Files().SaveFailureMessage(failed) + "\n\nこのまま" + what +
                                 "すると、保存できなかった変更は失われます。\n「再試行」でもう一度保存します。"
                                 "「無視」で保存せずに" +
                                 what + "します。「中止」で" + what + "を取り消します。";
        switch (FVantor.ShowBox(text, MB_ABORTRETRYIGNORE | MB_ICONERROR | MB_DEFBUTTON2)) {
            case IDRETRY:
                continue;
            case IDIGNORE:
                return true;
            default:
                return false;
        }
    }
}

void TSystemButtons::BShutdownClick() {
    FVantor.SystemButtons[sbShutdown].MouseLeave();
    if (FVantor.MainPages().ConfirmShutdown && !FVantor.ConfirmBox(kShutdownQuestion)) return;
    if (!SaveBeforeExit("Windowsを終了")) return;
    // When the session does not end the program simply goes on, all saved.
    FVantor.Services().ExitSystem(EWX_SHUTDOWN, FVantor.IsNT);
}

void TSystemButtons::BRebootClick() {
    FVantor.SystemButtons[sbReboot].MouseLeave();
    const bool shiftAtClick = FVantor.Services().IsShiftDown();
    if (FVantor.MainPages().ConfirmReboot && !FVantor.ConfirmBox(kRebootQuestion)) return;
    const bool restartProgram = UseRestartProgram(shiftAtClick, FVantor.Services().IsShiftDown(), FVantor.IsNT);
    if (!SaveBeforeExit("Windowsを再起動")) return;
    if (restartProgram)
        FVantor.Launcher().Execute(FVantor.ProgramFolder + "Restart.exe", "/Restart", SW_SHOW, "");
    else
        FVantor.Services().ExitSystem(EWX_REBOOT, FVantor.IsNT);
}

// ---------------------------------------------------------------- AutoRun

void TSystemButtons::ShowAutoRunState(bool stopped, bool writeRegistry) {
    if (writeRegistry && !AutoRun.SetEnabled(!stopped)) {
        FVantor.ErrorBox(kAutoRunFailed);
        return;
    }
    MarkAutoRunState(stopped);
    TIconButton& button = FVantor.SystemButtons[sbStopAutoRun];
    button.SetSharedIcon(Pictures().SharedIcon(stopped ? miAutoRunStopped : miAutoRun));
    button.Invalidate();
}

void TSystemButtons::MarkAutoRunState(bool stopped) {
    FVantor.SystemButtons[sbStopAutoRun].SetDown(stopped);
    FAutoRunMenu.SetChecked(StopItem, stopped);
}

const TImageStrip& TSystemButtons::Pictures() const { return MenuImages(FVantor.Px(TImageStrip::ImageSize)); }

// Each button's picture in its present state, at the window's DPI.
void TSystemButtons::RefreshPictures() {
    for (int id = 0; id < sbCount; ++id) {
        TIconButton& button = FVantor.SystemButtons[static_cast<size_t>(id)];
        TMenuImage image = SystemButtonImage(id);
        if (id == sbScreenSaver && FScreenSaverStopped) image = miScreenSaverStopped;
        if (id == sbStopAutoRun && button.Down()) image = miAutoRunStopped;
        button.SetSharedIcon(Pictures().SharedIcon(image));
        button.Invalidate();
    }
}

void TSystemButtons::BStopAutoRunClick() { PopupAt(FVantor.SystemButtons[sbStopAutoRun], FAutoRunMenu); }

void TSystemButtons::MInvalidateAutoRunClick() { ShowAutoRunState(!FVantor.SystemButtons[sbStopAutoRun].Down(), true); }

void TSystemButtons::MStopAutoRun2Popup() {
    FAutoRunDrives->Clear();
    for (int drive = 0; drive < 26; ++drive) {
        if (!IsCdRomDrive(drive)) continue;
        SHFILEINFOW info{};
        SHGetFileInfoW(Widen(DriveRoot(drive)).c_str(), 0, &info, sizeof(info),
                       SHGFI_DISPLAYNAME | SHGFI_SYSICONINDEX | SHGFI_SMALLICON);
        FAutoRunDrives->AddItem(
            Narrow(info.szDisplayName), "", [this, drive] { RunAutoRun(drive); }, info.iIcon);
    }
    FAutoRunMenu.SetEnabled(ExecuteItem, FAutoRunDrives->Count() > 0);
}

void TSystemButtons::RunAutoRun(int driveIndex) {
    const std::string root = DriveRoot(driveIndex);
    const std::string inf = root + "Autorun.inf";
    if (GetFileAttributesW(Widen(inf).c_str()) == INVALID_FILE_ATTRIBUTES) {
        FVantor.ErrorBox(kNoAutoRun);
        return;
    }
    wchar_t line[1024] = {};
    GetPrivateProfileStringW(L"autorun", L"open", L"", line, 1024, Widen(inf).c_str());
    const TAutoRunStart start = AutoRunStartFor(root, Narrow(line));
    FVantor.Launcher().Execute(start.File, start.Arguments, SW_SHOW, "");
}
