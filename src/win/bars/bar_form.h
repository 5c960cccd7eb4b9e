// One bar: a row of small entry buttons 20 pixels high in a caption-less
// window of its own (floating), or the same row moved into the main window's
// band (docked). The smart, keyword, history and resource bars are all this
// window; the set of four (bar_set.h) keeps their dock order.
#pragma once

#include <windows.h>

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "bars/bar_layout.h"
#include "bars/resource_meter.h"
#include "commands/page_editing.h"
#include "controls/custom_button.h"
#include "controls/entry_view.h"
#include "controls/form.h"
#include "controls/paint_panel.h"
#include "controls/scroll_button.h"
#include "layout/drag_rules.h"
#include "settings/settings.h"

class TBarSet;
class TKeywordEdit;
class TVantorManager;

class TFormFloat : public TForm {
public:
    TFormFloat(TBarSet& set, int32_t barId);
    ~TFormFloat() override;

    // The hidden window with its controls and pooled entries; `pages` is the
    // set whose current page the bar shows (null for the resource bar).
    bool Create(HWND owner, TVantorManager* pages);

    int32_t BarId() const { return FBarId; }
    TEntryWindow EntryWindow() const;
    bool IsKeywordBar() const { return FBarId == BarKeyword; }
    bool IsResourceBar() const { return FBarId == BarResource; }

    bool Shown() const { return FShown; }
    bool Docked() const { return FDocked; }
    int32_t DockOrder() const { return FDockOrder; }
    void SetShown(bool value);
    void SetDocked(bool value);
    // The start-up's combination: a bar both shown and docked goes straight
    // into the band without showing its window first.
    void SetShownDocked(bool shown, bool docked);
    void SetDockOrder(int32_t order);
    void SetKeywordMode(bool value);

    // The page shown: the set's current page; null when it has none.
    TVantorPage* BarPage() const;
    TVantorManager* Pages() const { return FPages; }
    // The entry the entry commands act on while the keyboard is in the bar:
    // the one last pressed here, found again by its slots, so it is never
    // another entry that took its place in the row (a new search, a start
    // that reordered the history). -1 for none.
    int FocusEntry() const;
    void SetFocusEntry(int index);
    // Re-binds the pooled controls to BarPage and lays the row out.
    void RefreshBar();
    // Places the parts of the bar for the container's width and updates the arrows.
    void FormResize();
    // Smooth scrolling of the row by an arrow click or a wheel notch.
    void ScrollEntries(bool towardStart);
    // A wheel turn over the bar: whole notches scroll, docked or floating.
    void Wheel(int delta);
    int ScrollPos() const { return FTextureLeft; }
    void SetScrollPos(int left);
    bool ActiveLook() const { return FActiveLook; }
    // Shows the floating window held back while the main window was not up yet.
    void ShowDeferred();
    // The DPI the bar is drawn at: the main window's while docked, its own
    // monitor's while floating.
    int Dpi() const;
    int Px(int units) const { return ScaleToDpi(units, Dpi()); }
    // Lays everything out again at the bar's DPI (fonts, row, parts).
    void DpiChanged();
    // The window's size limits for its frame and DPI, keyword box or not.
    TBarSizeLimits SizeLimits() const;
    // The bar is dragged with its outline on the locked desktop.
    bool Outlined() const { return FDesktopLocked; }
    // Runs `step` with the outline erased and the desktop unlocked, then
    // takes the lock again and draws the outline where it was.
    void WithDesktopUnlocked(const std::function<void()>& step);

    // Everything visible: in the bar window while floating, in the main
    // window's band while docked.
    TDropPaintPanel Container;
    TPaintPanel POwner;    // the visible window onto the entries
    TPaintPanel PTexture;  // carries the entries; its left is the scroll position
    TIconButton BClose;
    TScrollButton BUp;
    TScrollButton BDown;
    TEntryView& View() { return FView; }
    TKeywordEdit* KeywordEdit() const { return FKeyword.get(); }

    // The resource readings the meter draws.
    TResourceReadings Readings;

protected:
    LRESULT HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) override;
    void PaintForm(HDC dc, const RECT& clip) override;

private:
    void CreateControls();
    void ConnectEvents();
    void ApplyFrame(const TBarFrame& frame);
    void ApplyCloseButtonPicture();
    int ContentLength() const;
    void ContainerPaint(HDC dc, const RECT& clip);
    void PTexturePaint(HDC dc, const RECT& clip);
    void ContainerKeyDown(WORD& key, TShiftState shift);
    void EntryPressed(int slot);
    void DropFiles(const std::vector<std::string>& files, POINT at);
    void WMGetMinMaxInfo(MINMAXINFO& info) const;
    void WMSizing(WPARAM edge, RECT& sizing) const;
    // Dragging the bar by its grip or the free part of its row.
    void DragMouseDown(TMouseButton button, int x, int y, TComponent& sender);
    void DragMouseMove(TShiftState shift, int x, int y, TComponent& sender);
    void DragMouseUp(TMouseButton button, int x, int y, TComponent& sender);
    POINT ContainerOrigin() const;
    void DrawDragFrame();
    void ShowWindowNoActivate();

    TBarSet& FSet;
    const int32_t FBarId;
    TVantorManager* FPages = nullptr;
    TEntryView FView;
    TEntryRef FFocusEntry;
    std::unique_ptr<TKeywordEdit> FKeyword;
    bool FShown = true;
    bool FDocked = false;
    int32_t FDockOrder = 0;
    bool FHasKeyword = true;
    bool FActiveLook = false;
    bool FShowDeferred = false;
    int FTextureLeft = 0;
    bool FDragging = false;
    bool FDesktopLocked = false;  // the drag frame is on the locked desktop
    POINT FDragStart{};
    POINT FDragOffset{};
};

// "スマートバー -Vantor" and so on.
std::string BarTitle(int32_t barId);
