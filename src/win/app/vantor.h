// The main window: owns the page sets, runs the start-up and the final save,
// shows the current page with its tab strip against a screen edge, starts
// entries and shows the program's message boxes.
#pragma once

#include <windows.h>

#include <array>
#include <cstdint>
#include <memory>
#include <set>
#include <string>
#include <vector>

#include "app/auto_hider.h"
#include "app/broken_links_command.h"
#include "app/desktop_hooks.h"
#include "app/desktop_services.h"
#include "app/document_saver.h"
#include "app/editing_commands.h"
#include "app/entry_menu.h"
#include "app/hints.h"
#include "app/launch_host.h"
#include "app/launcher.h"
#include "app/main_bar_host.h"
#include "app/modal_ui.h"
#include "app/system_buttons.h"
#include "app/window_settings.h"
#include "bars/bar_set.h"
#include "base/handles.h"
#include "base/popup_menu.h"
#include "commands/command_table.h"
#include "controls/entry_view.h"
#include "controls/form.h"
#include "controls/launcher_button.h"
#include "controls/narrow_tab.h"
#include "controls/paint_panel.h"
#include "controls/scroll_box_ex.h"
#include "controls/separator.h"
#include "controls/wallpaper.h"
#include "document/document.h"
#include "layout/frame_layout.h"
#include "layout/page_layout.h"
#include "model/vantor_classes.h"
#include "platform.h"
#include "session/data_files.h"
#include "settings/folder_history.h"
#include "settings/placement.h"
#include "shell/screen_saver.h"

class TProfile;

class TModalForm;

class TMainPagesPreload;

class TVantor : public TForm, private TAutoHideHost {
public:
    TVantor(TPlatform& platform, std::string programFolder, std::string dataFolder,
            std::unique_ptr<TDesktopServices> services = std::make_unique<TDesktopServices>());
    ~TVantor() override;

    // Creates the (still hidden) window owned by `owner` and runs FormCreate.
    bool Create(HWND owner = nullptr);
    // FormShow, then the window appears.
    void Show();
    // The program ends its message loop when this window goes.
    bool QuitOnDestroy = true;

    const std::string ProgramFolder;  // with a trailing backslash
    const std::string DataFolder;     // with a trailing backslash
    bool IsNT = true;
    HWND StartForeground = nullptr;
    // Main.pag being read on a worker since the program started, or null:
    // the saver takes the pages from it.
    TMainPagesPreload* MainPagesPreload = nullptr;
    int32_t CurrentButton = 0;
    // The settings page shown when the settings dialog last closed; not saved.
    std::string OptionPage;
    TScreenSaverSwitch ScreenSaver;
    // Set by the screen-saver command: the next deactivation leaves the
    // windows out of the topmost layer, so the screen saver can cover them.
    bool SkipNextTopmost = false;

    // The user's data; the window is one of its views.
    TDocument& Document() { return FDocument; }
    TVantorManager& MainPages() { return FDocument.Main(); }
    TVantorManager& SmartPages() { return FDocument.Smart(); }
    TVantorManager& HistoryPages() { return FDocument.History(); }
    TVantorManager& KeywordPages() { return FDocument.Keyword(); }
    // The set shown by a window; null for the resource bar.
    TVantorManager* PagesOf(TBarKind kind) { return FDocument.SetOf(kind); }
    TDesktopServices& Services() { return *FServices; }
    // FormCreate has run to its end.
    bool Started() const { return FStarted; }

    // Start-up and saving.
    // The windows' settings and places in Vantor.ini.
    TWindowSettings& WindowSettings() { return FWindowSettings; }
    // Everything now, as the automatic save does.
    void SaveAll() { FSaver.SaveNow(); }
    TDocumentSaver& Saver() { return FSaver; }
    void TimerTimer();

    // Message boxes titled "Vantor" and dialogs over the window (app/modal_ui.h).
    int ShowBox(const std::string& text, UINT type) { return FModal.ShowBox(text, type); }
    void ErrorBox(const std::string& text) { ShowBox(text, MB_OK | MB_ICONERROR); }
    void InfoBox(const std::string& text) { ShowBox(text, MB_OK | MB_ICONINFORMATION); }
    // True only for Yes.
    bool ConfirmBox(const std::string& text) { return ShowBox(text, MB_YESNOCANCEL | MB_ICONQUESTION) == IDYES; }
    int RunModal(TModalForm& form) { return FModal.RunModal(form); }
    static void BringToFront(HWND window) { TModalUi::BringToFront(window); }

    // Starting entries, for every window of the program.
    TLauncher& Launcher() { return FLauncher; }
    void PlaySoundEvent(const std::string& event);

    // The 40 actions; menus and keys Run them, hot keys and corners go
    // through TDesktopHooks::ExecuteAction.
    TCommandTable& Commands() { return FCommands; }
    // The main menu: the tray icon's, the menu hot key's.
    TPopupMenu MainMenu;
    // Tray icon, hot keys and shortcut keys, dropped files, screen corners.
    TDesktopHooks& Desktop() { return FDesktop; }
    // The system buttons' menus and commands.
    TSystemButtons& SystemFunctions() { return FSystemButtons; }
    // The smart, keyword, history and resource bars.
    TBarSet& Bars() { return FBars; }
    // The look for entries whose target is gone.
    TBrokenLinksCommand& BrokenLinks() { return FBrokenLinks; }
    // Adding, deleting, cutting, copying and pasting entries and pages.
    TEditingCommands& Editing() { return FEditing; }
    // An entry's pop-up menu.
    TEntryMenu& EntryMenu() { return FEntryMenu; }
    // Entry titles popping up and the hint viewer's guide texts.
    THints& Hints() { return FHints; }
    TPlatform& Platform() { return FPlatform; }
    // The icons of every view.
    TLauncherButtonCache& IconCache() { return FIconCache; }
    // A bar's entries behave as the main window's: clicks start them, and
    // they are dragged and take drops through the same handlers.
    void ConnectEntryView(TEntryView& view, TEntryWindow window);

    // The frame and the current page (vantor_layout.cpp).
    static constexpr int PoolSize = TEntryView::PoolSize;
    static constexpr int BarSeparatorCount = 4;
    TScrollBoxEx ScrollBox;
    TDropPaintPanel PTexture;  // inside ScrollBox; carries the entry controls
    TNarrowTab TabSet;
    TSeparator Splitter;
    std::array<TIconButton, sbCount> SystemButtons;  // indexed by TSystemButtonId
    TIconButton& BStopAutoRun() { return SystemButtons[sbStopAutoRun]; }
    TIconButton& BOpenFolder() { return SystemButtons[sbOpenFolder]; }
    TIconButton& BScreenSaver() { return SystemButtons[sbScreenSaver]; }
    TIconButton& BShutdown() { return SystemButtons[sbShutdown]; }
    TIconButton& BReboot() { return SystemButtons[sbReboot]; }
    // The current page's entries on PTexture; its pools exist once FormCreate made them.
    TEntryView& MainView() { return FMainView; }
    TSeparator* BarSeparator(int index) const { return FBarSeparators[index].get(); }
    TDockEdge DockEdge() const { return FDockEdge; }
    bool WindowActive() const { return FWindowActive; }

    void FormResize();
    void LayoutPage(bool forceRepaint);
    void RebuildPage();
    void RefreshTabsAndFonts();
    void ApplyScrollButtonStyle();
    // The main timer's interval from the settings.
    void ApplyTimerInterval();
    void TabSetChange();
    // Selects a tab without switching the page through TabSetChange.
    void SelectTabQuietly(int index);
    void InvalidateCaptionStrip();

    // Docking (vantor_dock.cpp). `sender` is null when the window calls them
    // itself; the window's own pointer events arrive here too.
    void FormMouseDown(TComponent* sender, TMouseButton button, TShiftState shift, int x, int y);
    void FormMouseMove(TComponent* sender, TShiftState shift, int x, int y);
    void FormMouseUp(TComponent* sender, TMouseButton button, TShiftState shift, int x, int y);
    void Resnap();
    // Where the window is kept: its restored place, or where it slides back to.
    TPlacement CurrentPlacement() const;

    // The keyboard, the focus frame and the wheel (entry_input.cpp). `screen`
    // is the pointer's screen position; delta > 0 is a turn away from the user.
    void FormKeyDown(WORD& key, TShiftState shift);
    void FormMouseWheel(int delta, TShiftState shift, POINT screen);
    // Puts the frame on CurrentButton (kept on a launcher entry), scrolling
    // the page so that it shows when asked.
    void PlaceFocusFrame(bool scrollIntoView);

    // Dragging entries onto entries and tabs, tabs onto tabs, and the
    // splitter (entry_drag.cpp). Targets and sources are the controls
    // themselves; (x, y) in the target's or the pressed control's coordinates.
    void EntryMouseMove(TGraphicControl& control, TShiftState shift, int x, int y);
    bool EntryDragOver(TComponent& target, TComponent& source);
    void EntryDragDrop(TComponent& target, TComponent& source);
    void TabSetMouseDown(TMouseButton button, int x, int y);
    void TabSetMouseMove(TShiftState shift, int x, int y);
    bool TabSetDragOver(TComponent& source, int x, int y);
    void TabSetDragDrop(TComponent& source, int x, int y);
    bool PTextureDragOver(TComponent& source);
    void PTextureDragDrop(TComponent& source);
    void SplitterMouseDown(TMouseButton button, int x, int y);
    void SplitterMouseMove(TShiftState shift, int x, int y);
    bool EntryDragging() const { return FEntryDragging; }
    int TabDragSource() const { return FTabDragSource; }

    // Sliding off the screen edge and back (app/auto_hider.h).
    void HideWindow(bool immediate) { FHider.Hide(immediate); }
    void ShowWindowNow(bool immediate) { FHider.Show(immediate); }
    bool Hidden() const { return FHider.Hidden(); }

    // Painting (vantor_paint.cpp).
    // The background colour or the wallpaper tiled from the DC's origin.
    void PaintBackground(HDC dc, const RECT& rect);
    void LoadWallpaper();
    void ApplyOpacity();
    // One of the seven window colours (TVantorSettings::BackgroundColor...).
    TColor WindowColor(int index) const { return FColors[index]; }
    // The window font: FontName, 12-pixel characters, Japanese character set.
    HFONT WindowFont() const { return FWindowFont.Get(); }
    const LOGFONTW& WindowLogFont() const { return FWindowLogFont; }
    // The DPI the window is drawn at (its monitor's); sizes in the files stay 96-DPI.
    int Dpi() const { return FDpi; }
    int Px(int units) const { return ScaleToDpi(units, FDpi); }
    // The wallpaper tile as painted (null for none).
    HBITMAP Wallpaper() const { return FWallpaper.Tile(); }

protected:
    LRESULT HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) override;
    void PaintForm(HDC dc, const RECT& clip) override;

private:
    // Saves before Windows ends, asking as the final save does.
    friend class TSystemButtons;

    void FormCreate();
    void FormShow();
    void CreateBars();
    void FormFirstPaint();
    void FormActivate();
    void FormDeactivate();
    void ApplicationActivate();
    // What the auto-hide needs of the main window.
    HWND HiderWindow() override { return Handle(); }
    TDockEdge HiderEdge() override { return FDockEdge; }
    int HiderPx(int units) override { return Px(units); }
    const TVantorSettings& HiderSettings() override { return MainPages(); }
    bool HiderPageExists() override { return PoolsExist(); }
    HWND HiderEntryArea() override { return ScrollBox.Handle(); }
    HWND HiderEntryPanel() override { return PTexture.Handle(); }
    TNarrowTab& HiderTabs() override { return TabSet; }
    void HiderOpenPage(int tab) override { SelectPageByUser(tab); }
    void HiderHideTitle() override { FHints.HideTitle(); }
    bool HiderBarActive() override { return FBars.IsActiveForm(); }
    void CreateControls();
    void CreateEntryPools();
    void ConnectEvents();
    void ConnectKeyEvents();
    void ConnectDragEvents();
    void ConnectEntryDragEvents();
    // The index in the current page of a main-window entry control; -1 for
    // anything else.
    int MainEntryIndex(const TComponent& control) const;
    // The window, page and index of an entry control of any view.
    struct TEntryAt {
        TEntryWindow Window = TEntryWindow::Main;
        TVantorPage* Page = nullptr;
        int Index = -1;
    };
    bool FindEntry(const TComponent& control, TEntryAt& ref);
    void EntriesTransferred(TEntryWindow from, TBarKind to);
    void KeepFocusInsidePage();
    void SelectPageByUser(int index);
    void WMSetFocus();
    void TitleMouseDown(TComponent* sender, TMouseButton button, int x, int y);
    void TitleMouseMove(TComponent* sender, int x, int y);
    void TitleMouseUp(TComponent* sender, TMouseButton button, int x, int y);
    void WMMouseWheel(WPARAM wParam, LPARAM lParam);
    bool PoolsExist() const { return FMainView.PoolsExist(); }
    TVantorPage* CurrentMainPage() const;
    void PTexturePaint(HDC dc, const RECT& clip);
    void PaintCaptionStrip(HDC dc, const RECT& strip);
    void ApplyWindowFont();
    void WMGetMinMaxInfo(MINMAXINFO& info);
    void WMDpiChanged(int dpi, const RECT& suggested);
    void ApplyTabSetMetrics();
    void WMSizing(RECT& sizing);
    TBounds CaptionStripNow() const;
    void FormDestroy();
    void RebuildHistoryBar();
    void BuildFirstRunPages();

    // Every view of the document shows what changed.
    void DocumentChanged(const TChange& change);

    TPlatform& FPlatform;
    std::unique_ptr<TDesktopServices> FServices;
    TDocument FDocument{FPlatform, DataFolder};
    TWindowSettings FWindowSettings{*this};
    TDocumentSaver FSaver{FDocument, FWindowSettings};
    bool FStarted = false;  // FormCreate has run to its end
    // What loads, what is kept aside or never saved over, and the saves.
    TSessionFiles& FDataFiles = FDocument.Files();
    bool FPainted = false;

    TModalUi FModal{*this};
    TMainLaunchHost FLaunchHost{*this};
    TLauncher FLauncher{FLaunchHost, FPlatform, *FServices};
    TCommandTable FCommands;
    TDesktopHooks FDesktop{*this};
    TSystemButtons FSystemButtons{*this};
    TEditingCommands FEditing{*this};
    TEntryMenu FEntryMenu{*this};
    THints FHints{*this};

    // The frame and the views. One icon cache serves every view.
    TLauncherButtonCache FIconCache;
    TEntryView FMainView;
    TBarSet FBars{FDocument, MainBarHost(*this)};
    TBrokenLinksCommand FBrokenLinks{*this};
    std::array<std::unique_ptr<TSeparator>, BarSeparatorCount> FBarSeparators;
    unsigned FResizeGeneration = 0;  // counts FormResize calls, to see a nested one
    bool FQuietTabChange = false;
    bool FUserPageSwitch = false;
    int FHotTitle = -1;      // the entry whose title is under the pointer
    int FPressedTitle = -1;  // the entry whose title the left button went down on
    bool FEntryDragging = false;
    int FTabDragSource = -1;  // the tab the left button went down on
    TPoint FSplitterAnchor;

    // Docking.
    TDockEdge FDockEdge = deNone;
    TDockEdge FPendingDockEdge = deNone;
    TPoint FDragAnchor;
    bool FDragging = false;  // a left press on the window or PTexture is being dragged
    bool FWindowActive = false;
    TAutoHider FHider{*this, FDesktop, FPlatform};

    // Painting.
    std::array<TColor, ColorCount> FColors = DefaultColors;
    TFont FWindowFont;
    LOGFONTW FWindowLogFont{};
    int FDpi = BaseDpi;
    TWallpaper FWallpaper;
};
