// The main window: a view of the document (app/document_saver.h keeps its
// files) that shows the current page with its tab strip against a screen
// edge, docks, hides and paints; its parts are classes of their own.
#pragma once

#include <windows.h>

#include <array>
#include <memory>
#include <string>

#include "app/broken_links_command.h"
#include "app/desktop_hooks.h"
#include "app/desktop_services.h"
#include "app/document_saver.h"
#include "app/editing_commands.h"
#include "app/entry_drag.h"
#include "app/entry_menu.h"
#include "app/hints.h"
#include "app/launch_host.h"
#include "app/main_bar_host.h"
#include "app/main_hider_host.h"
#include "app/modal_ui.h"
#include "app/system_buttons.h"
#include "app/window_settings.h"
#include "bars/bar_set.h"
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
#include "settings/placement.h"
#include "shell/screen_saver.h"

class TModalForm;
class TMainPagesPreload;

class TVantor : public TForm {
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
    TDesktopServices& Services() { return *FServices; }
    // FormCreate has run to its end.
    bool Started() const { return FStarted; }

    // The windows' settings and places in Vantor.ini.
    TWindowSettings& WindowSettings() { return FWindowSettings; }
    // Everything now, as the automatic save does.
    void SaveAll() { FSaver.SaveNow(); }
    TDocumentSaver& Saver() { return FSaver; }

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
    TTargetProbe& Probe() { return FProbe; }  // what is known of the entries' targets
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

    // The frame and the current page (vantor_layout.cpp).
    static constexpr int PoolSize = TEntryView::PoolSize;
    static constexpr int BarSeparatorCount = 4;
    TScrollBoxEx ScrollBox;
    TDropPaintPanel PTexture;  // inside ScrollBox; carries the entry controls
    TNarrowTab TabSet;
    TSeparator Splitter;
    std::array<TIconButton, sbCount> SystemButtons;  // indexed by TSystemButtonId
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
    void TabSetChange();
    // Opens a page as the user's choice would, with its sound.
    void SelectPageByUser(int index);
    // Selects a tab without switching the page through TabSetChange.
    void SelectTabQuietly(int index);
    // A press on the strip has ended as a drag: what follows is not the user's page switch.
    void EndUserPageSwitch() { FUserPageSwitch = false; }
    TVantorPage* CurrentMainPage() const;

    // Docking (vantor_dock.cpp). `sender` is null when the window calls them
    // itself; the window's own pointer events arrive here too.
    void FormMouseDown(TComponent* sender, TMouseButton button, TShiftState shift, int x, int y);
    void FormMouseMove(TComponent* sender, TShiftState shift, int x, int y);
    void FormMouseUp(TComponent* sender, TMouseButton button, TShiftState shift, int x, int y);
    void Resnap();

    // The keyboard, the focus frame and the wheel (entry_input.cpp). `screen`
    // is the pointer's screen position; delta > 0 is a turn away from the user.
    void FormKeyDown(WORD& key, TShiftState shift);
    void FormMouseWheel(int delta, TShiftState shift, POINT screen);
    // Puts the frame on CurrentButton (kept on a launcher entry), scrolling
    // the page so that it shows when asked.
    void PlaceFocusFrame(bool scrollIntoView);

    // Dragging entries, tabs and the splitter (app/entry_drag.h).
    TEntryDragging& EntryDrag() { return FEntryDrag; }

    // Sliding off the screen edge and back, and the pointer checks (app/auto_hider.h).
    TAutoHider& Hider() { return FHider; }
    void HideWindow(bool immediate) { FHider.Hide(immediate); }
    void ShowWindowNow(bool immediate) { FHider.Show(immediate); }
    bool Hidden() const { return FHider.Hidden(); }
    // Where a window slid off its edge comes back to.
    std::optional<TPoint> ShownPlace() const { return FHider.ShownPlace(); }

    // Painting (vantor_paint.cpp).
    // The background colour or the wallpaper tiled from the DC's origin.
    void PaintBackground(HDC dc, const RECT& rect);
    void LoadWallpaper();
    void ApplyOpacity();
    // The window font: FontName, 12-pixel characters, Japanese character set.
    HFONT WindowFont() const { return FWindowFont.Get(); }
    // The DPI the window is drawn at (its monitor's); sizes in the files stay 96-DPI.
    int Dpi() const { return FDpi; }
    int Px(int units) const { return ScaleToDpi(units, FDpi); }
    // The wallpaper tile as painted (null for none).
    HBITMAP Wallpaper() const { return FWallpaper.Tile(); }

protected:
    LRESULT HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) override;
    void PaintForm(HDC dc, const RECT& clip) override;

private:
    void FormCreate();
    void FormShow();
    void CreateBars();
    void FormFirstPaint();
    void FormActivate();
    void FormDeactivate();
    void ApplicationActivate(bool active);
    void CreateControls();
    void CreateEntryPools();
    void ConnectEvents();
    void ConnectKeyEvents();
    void WMSetFocus();
    void TitleMouseDown(TComponent* sender, TMouseButton button, int x, int y);
    void TitleMouseMove(TComponent* sender, int x, int y);
    void TitleMouseUp(TComponent* sender, TMouseButton button, int x, int y);
    void WMMouseWheel(WPARAM wParam, LPARAM lParam);
    bool PoolsExist() const { return FMainView.PoolsExist(); }
    void PTexturePaint(HDC dc, const RECT& clip);
    void PaintCaptionStrip(HDC dc, const RECT& strip);
    void ApplyWindowFont();
    void WMGetMinMaxInfo(MINMAXINFO& info);
    void WMDpiChanged(int dpi, const RECT& suggested);
    void ApplyTabSetMetrics();
    void WMSizing(RECT& sizing);
    TBounds CaptionStripNow() const;
    void InvalidateCaptionStrip();
    void FormDestroy();

    // Every view of the document shows what changed.
    void DocumentChanged(const TChange& change);

    TPlatform& FPlatform;
    std::unique_ptr<TDesktopServices> FServices;
    TDocument FDocument{FPlatform, DataFolder};
    TWindowSettings FWindowSettings{*this};
    TDocumentSaver FSaver{FDocument, FWindowSettings};
    bool FStarted = false;  // FormCreate has run to its end
    bool FPainted = false;

    TModalUi FModal{*this};
    TTargetProbe FProbe;
    TMainLaunchHost FLaunchHost{*this};
    TLauncher FLauncher{FLaunchHost, FProbe, *FServices};
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
    TEntryDragging FEntryDrag{*this};

    // Docking.
    TDockEdge FDockEdge = deNone;
    TDockEdge FPendingDockEdge = deNone;
    TPoint FDragAnchor;
    bool FDragging = false;  // a left press on the window or PTexture is being dragged
    bool FWindowActive = false;
    std::unique_ptr<TAutoHideHost> FHiderHost = MainHiderHost(*this);
    TAutoHider FHider{*FHiderHost, FDesktop, FPlatform};

    // Painting.
    std::array<TColor, ColorCount> FColors = DefaultColors;
    TFont FWindowFont;
    LOGFONTW FWindowLogFont{};
    int FDpi = BaseDpi;
    TWallpaper FWallpaper;
};
