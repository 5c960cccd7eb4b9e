// The caption strip's system buttons at work: the folder menu, the screen
// saver (stopped for the session or started now), shutting down and
// restarting Windows after everything is saved, and the CD-ROM AutoRun
// switch with its drive list. The buttons' hot keys and corners run the
// same handlers.
#pragma once

#include <windows.h>

#include <string>

#include "base/popup_menu.h"
#include "menus/folder_menu.h"
#include "shell/auto_run.h"

class TImageStrip;

class TVantor;
class TIconButton;

class TSystemButtons : private TFolderMenuHost {
public:
    explicit TSystemButtons(TVantor& vantor) : FVantor(vantor) {}
    ~TSystemButtons() override;
    TSystemButtons(const TSystemButtons&) = delete;
    TSystemButtons& operator=(const TSystemButtons&) = delete;

    // Gives the buttons their clicks and kinds, binds their actions and
    // takes the AutoRun state the registry holds.
    void Connect();

    // `fromButton` is false for a call from code (a hot key, a corner).
    void BOpenFolderClick();
    void BScreenSaverClick(bool fromButton);
    void MExecuteScreenSaverClick();
    void MInvalidateScreenSaverClick();
    void BShutdownClick();
    void BRebootClick();
    void BStopAutoRunClick();
    void MInvalidateAutoRunClick();
    void MStopAutoRun2Popup();
    void RunAutoRun(int driveIndex);
    // Applies an AutoRun state to the button, the menu check and the icon,
    // writing the registry first when asked; nothing changes when that fails.
    void ShowAutoRunState(bool stopped, bool writeRegistry);
    // The buttons' pictures at the main window's DPI: as the window shows,
    // and again after its DPI changed.
    void RefreshPictures();

    bool ScreenSaverStopped() const { return FScreenSaverStopped; }
    TFolderMenu& FolderMenu() { return FFolderMenu; }
    TPopupMenu& ScreenSaverMenu() { return FScreenSaverMenu; }
    TPopupMenu& AutoRunMenu() { return FAutoRunMenu; }
    // The policy the AutoRun button reads and writes (tests use a key of their own).
    TAutoRunPolicy AutoRun;

private:
    // The button and the menu check, without the picture.
    void MarkAutoRunState(bool stopped);
    // The menus' items, by position.
    static constexpr int StopItem = 0;
    static constexpr int ExecuteItem = 1;

    void BuildMenus();
    const TImageStrip& Pictures() const;
    void PopupAt(TIconButton& button, TPopupMenu& menu);
    POINT MenuPoint(TIconButton& button, bool& shown);
    // Saves everything before the session ends. A failed save is told, and
    // the user tries again, goes on without it, or keeps Windows running
    // (false).
    bool SaveBeforeExit(const char* what);

    HWND FolderMenuOwner() override;
    TVantorManager& FolderMenuPages() override;
    TFolderHistory& FolderMenuHistory() override;
    void FolderMenuPageChanged() override;
    void FolderMenuError(const std::string& text) override;
    void FolderMenuExecute(LPCITEMIDLIST item) override;

    TVantor& FVantor;
    TFolderMenu FFolderMenu{*this};
    TPopupMenu FScreenSaverMenu;
    TPopupMenu FAutoRunMenu;
    TPopupMenu* FAutoRunDrives = nullptr;  // the submenu of 実行(&E)
    bool FScreenSaverStopped = false;
};
