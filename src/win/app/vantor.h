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

#include "app/desktop_services.h"
#include "base/handles.h"
#include "base/window.h"
#include "controls/launcher_button.h"
#include "controls/narrow_tab.h"
#include "controls/paint_panel.h"
#include "controls/scroll_box_ex.h"
#include "controls/separator.h"
#include "layout/auto_hide.h"
#include "layout/frame_layout.h"
#include "layout/page_layout.h"
#include "model/vantor_classes.h"
#include "platform.h"
#include "session/data_files.h"
#include "settings/folder_history.h"
#include "settings/placement.h"
#include "shell/screen_saver.h"

class TProfile;

// The windows an entry control can belong to.
enum class TBarKind { Main, SmartBar, KeywordBar, HistoryBar, ResourceBar };

// A dialog shown by RunModal.
class TModalForm {
public:
    virtual ~TModalForm() = default;
    virtual int ShowModal(HWND owner) = 0;
};

class TVantor : public TWindow, public TComponent {
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
    uint32_t LastAutoSave = 0;
    HWND StartForeground = nullptr;
    int32_t CurrentButton = 0;
    TFolderHistory FolderHistory;
    TScreenSaverSwitch ScreenSaver;

    TVantorManager& MainPages() { return *FMainPages; }
    TVantorManager& SmartPages() { return *FSmartPages; }
    TVantorManager& HistoryPages() { return *FHistoryPages; }
    TVantorManager& KeywordPages() { return *FKeywordPages; }
    // The set shown by a window; null for the resource bar.
    TVantorManager* PagesOf(TBarKind kind);
    TDesktopServices& Services() { return *FServices; }
    int ModalDepth() const { return FModalDepth; }

    // Start-up and saving.
    void LoadDataFiles();
    void AddShortcutPage(const std::string& caption, const std::string& folder);
    void ReadSettings();
    void WriteSettings();
    void SaveAll();
    void TimerTimer();
    // True when the automatic save is due: more than ten minutes since the
    // last one, or the tick counter has wrapped below it.
    static bool IsAutoSaveDue(uint32_t now, uint32_t lastSave);

    // Message boxes titled "Vantor"; ConfirmBox is true only for Yes.
    void ErrorBox(const std::string& text);
    void InfoBox(const std::string& text);
    bool ConfirmBox(const std::string& text);
    int RunModal(TModalForm& form);
    void BringToFront(HWND window);
    void PushNotTopmost();
    void PopNotTopmost();

    // Launching.
    void LaunchButton(TBarKind owner, int32_t tag);
    void Execute(const std::string& target, const std::string& parameters, int showCmd, const std::string& directory);
    void ExecuteItem(LPCITEMIDLIST item, const std::string& parameters, int showCmd, const std::string& directory);
    void AddToHistory(const TVantorButton& entry, TBarKind owner);
    // `entryIndex` is the position of the entry control under the drop point
    // in `page`, or -1 when the files fell on no entry.
    void DropFilesOnPage(const std::vector<std::string>& files, int32_t entryIndex, TBarKind target, TVantorPage& page);
    // Opens the target when it is a folder (or unreadable), else its folder.
    void OpenThisFolder(const std::string& target);
    void PlaySoundEvent(const std::string& event);

    // The frame and the current page (vantor_layout.cpp).
    static constexpr int PoolSize = MaxButtonsPerPage;
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
    // Pooled controls, one per slot of a page; null before FormCreate made them.
    TLauncherButton* Button(int slot) const { return FButtons[slot].get(); }
    TSeparator* Separator(int slot) const { return FSeparators[slot].get(); }
    TSeparator* BarSeparator(int index) const { return FBarSeparators[index].get(); }
    // Valid for the current page until the next layout; PTexture coordinates.
    const TBounds& EntryRect(int slot) const { return FEntryRects[slot]; }
    const TRect& TitleRect(int slot) const { return FTitleRects[slot]; }
    bool TitleTruncated(int slot) const { return FTitleTruncated[slot]; }
    int ColumnCount() const { return FColumnCount; }
    TDockEdge DockEdge() const { return FDockEdge; }
    bool WindowActive() const { return FWindowActive; }

    void FormResize();
    void LayoutPage(bool forceRepaint);
    void RebuildPage();
    void RefreshTabsAndFonts();
    void ApplyScrollButtonStyle();
    void TabSetChange();
    // The three layout numbers a page of this view style gets by default.
    void GetStyleDefaults(int style, int32_t& buttonWidth, int32_t& margin, int32_t& titleWidth);
    void InvalidateCaptionStrip();

    // Docking (vantor_dock.cpp). `sender` is null when the window calls them itself.
    void FormMouseDown(TComponent* sender, TMouseButton button, TShiftState shift, int x, int y);
    void FormMouseMove(TComponent* sender, TShiftState shift, int x, int y);
    void FormMouseUp(TComponent* sender, TMouseButton button, TShiftState shift, int x, int y);
    void Resnap();

    // Sliding off the screen edge and back (vantor_hide.cpp). Both do nothing
    // while AutoHide is off; `immediate` skips the animation.
    void HideWindow(bool immediate);
    void ShowWindowNow(bool immediate);
    bool Hidden() const { return FHidden; }

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
    // The wallpaper tile as painted (null for none).
    HBITMAP Wallpaper() const { return FWallpaper.Get(); }

protected:
    LRESULT HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) override;

private:
    class TModalScope;

    void FormCreate();
    void FormShow();
    void FormPaint();
    void FormFirstPaint();
    void FormActivate();
    void FormDeactivate();
    void ApplicationActivate();
    static bool ApplicationIsActive();
    bool CanLockWindowUpdate() const;
    TSlideGeometry SlideGeometryNow() const;
    void SlideThrough(const std::vector<TPoint>& path, bool animate);
    void RepaintForSlide();
    void RepairHiddenState();
    void PointAtTabs(POINT pointer, uint32_t now);
    void ShowOrHideByPointer(POINT pointer);
    bool EntryOrTabDragInProgress() const;
    bool BarIsActiveForm() const;
    void CreateControls();
    void CreateEntryPools();
    void ConnectEvents();
    bool PoolsExist() const { return FButtons[0] != nullptr; }
    TVantorPage* CurrentMainPage() const;
    // Selects a tab without switching the page through TabSetChange.
    void SelectTabQuietly(int index);
    void BindEntry(int slot, const TVantorButton& entry, bool largeIcon);
    void ParkSlot(int slot);
    void PTexturePaint(HDC dc, const RECT& clip);
    void PaintCaptionStrip(HDC dc, const RECT& strip);
    void ApplyWindowFont();
    LRESULT MainMouseMessage(UINT msg, WPARAM wParam, LPARAM lParam);
    void WMGetMinMaxInfo(MINMAXINFO& info);
    void WMSizing(RECT& sizing);
    TBounds CaptionStripNow() const;
    void FormDestroy();
    int ShowBox(const std::string& text, UINT type);
    void RestorePlacement();
    TPlacement CurrentPlacement() const;
    void SavePlacements(TProfile& ini);
    void WriteSettingsTo(TProfile& ini);
    void ApplyTimerInterval();
    void RebuildHistoryBar();
    int32_t FreeResourcesTotal();
    // The whole save; the files that could not be written.
    std::vector<TDataFile> SaveDataFiles();
    void ReportSaveFailures(const std::vector<TDataFile>& failed);
    // At the end: a failed save asks to retry or to end without it.
    void FinalSave();
    void DropOnProgram(const TVantorButton& entry, const std::vector<std::string>& files);
    void DropInFolder(const TVantorButton& entry, const std::vector<std::string>& files);

    TPlatform& FPlatform;
    std::unique_ptr<TDesktopServices> FServices;
    std::unique_ptr<TVantorManager> FMainPages;
    // Held here until the bar windows exist; each bar then owns its set.
    std::unique_ptr<TVantorManager> FSmartPages;
    std::unique_ptr<TVantorManager> FHistoryPages;
    std::unique_ptr<TVantorManager> FKeywordPages;
    int FModalDepth = 0;
    int FNotTopmostDepth = 0;
    bool FStarted = false;  // FormCreate has run to its end
    // What loads, what is kept aside or never saved over, and the saves.
    TSessionFiles FDataFiles{FPlatform, DataFolder};
    bool FPainted = false;

    // The frame and the pools.
    TGraphicControlHost FControls;  // the window's own windowless controls
    TLauncherButtonCache FIconCache;
    std::array<std::unique_ptr<TLauncherButton>, PoolSize> FButtons;
    std::array<std::unique_ptr<TSeparator>, PoolSize> FSeparators;
    std::array<std::unique_ptr<TSeparator>, BarSeparatorCount> FBarSeparators;
    std::array<TBounds, PoolSize> FEntryRects{};
    std::array<TRect, PoolSize> FTitleRects{};
    std::array<bool, PoolSize> FTitleTruncated{};
    TCellMetrics FCellMetrics;
    int FColumnCount = 0;
    bool FQuietTabChange = false;
    bool FUserPageSwitch = false;

    // Docking.
    TDockEdge FDockEdge = deNone;
    TDockEdge FPendingDockEdge = deNone;
    TPoint FDragAnchor;
    bool FDragging = false;  // a left press on the window or PTexture is being dragged
    bool FSliding = false;
    bool FHidden = false;
    bool FWindowActive = false;
    TPointerWatch FPointerWatch;  // the timer's pointer checks

    // Painting.
    std::array<TColor, ColorCount> FColors = DefaultColors;
    TFont FWindowFont;
    LOGFONTW FWindowLogFont{};
    TBitmap FWallpaper;
    SIZE FWallpaperSize{0, 0};
};
