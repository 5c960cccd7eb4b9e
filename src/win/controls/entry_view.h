// The entry controls of one window bound to one page: a pool of 128 entry
// buttons and 128 separators on the panel that carries them, bound to the
// page's entries in order, laid out as a page of the main window or as a
// bar's row, with the titles painted under them. The main window and the
// smart, keyword and history bars each own one; all share the program's icon
// cache.
#pragma once

#include <windows.h>

#include <array>
#include <functional>
#include <memory>
#include <string_view>
#include <vector>

#include "base/handles.h"
#include "controls/launcher_button.h"
#include "controls/separator.h"
#include "layout/focus.h"
#include "layout/page_layout.h"
#include "model/vantor_classes.h"

class TEntryView {
public:
    static constexpr int PoolSize = MaxButtonsPerPage;

    // The page shown now; null shows nothing. Asked at every bind, layout and
    // paint, so a page deleted meanwhile is never touched.
    using TPageSource = std::function<const TVantorPage*()>;

    // Creates the pools on `host`, whose window carries them; their icons come
    // through `cache`.
    void CreatePools(TGraphicControlHost& host, TLauncherButtonCache& cache, TPageSource page);
    bool PoolsExist() const { return FButtons[0] != nullptr; }
    TGraphicControlHost* Host() const { return FHost; }
    const TVantorPage* Page() const { return FPage ? FPage() : nullptr; }

    // Binds the slots to the page's entries in the drawing style of the
    // settings (ButtonStyle) and parks the rest; lay out afterwards. A bar's
    // row (`asRow`) always has small icons, whatever the page's view style.
    void Rebind(int buttonStyle, bool asRow = false);
    // Lays the page out as the main window does; the result's scroll range
    // and repaint flag are the caller's to apply.
    TPageLayout LayoutAsPage(TPageLayoutInput in);
    // One row of small buttons and separators, as the bars show them; returns
    // the row's width.
    int LayoutAsRow(int dpi = BaseDpi);
    // The titles of the entries that show one, in `font` and the two colours.
    void PaintTitles(HDC dc, const RECT& clip, HFONT font, COLORREF text, COLORREF back) const;

    // The keyboard focus frame: four 1-pixel lines one pixel outside the icon
    // box of the focused entry, painted under the entry controls. Places it on
    // `focus` clamped to the page's launcher entries and returns that entry;
    // -1 (no frame) when the page has none. Valid until the next layout.
    int PlaceFocusFrame(int focus);
    // The entry an arrow key moves the focus to from `focus`.
    int MoveFocus(int focus, TFocusMove move) const;
    int FocusEntry() const { return FFocusEntry; }
    // The four lines (top, left, right, bottom) in the panel's coordinates.
    const std::array<TBounds, 4>& FocusFrame() const { return FFocusLines; }
    // Drawn only while the keyboard is on the entries.
    bool FocusFrameShown() const { return FFocusShown; }
    void SetFocusFrameShown(bool shown);
    void PaintFocusFrame(HDC dc, const RECT& clip, COLORREF color) const;

    // A click on the button of a slot.
    std::function<void(int slot)> OnEntryClick;
    // Any mouse button went down on the button of a slot.
    std::function<void(int slot)> OnEntryPress;
    // After each bind, with the page bound (the targets can be looked at in
    // the background then).
    std::function<void(const TVantorPage& page)> OnBound;
    // Whether an entry's button carries the broken-target mark; unset: none do.
    std::function<bool(const TVantorButton& entry)> IsMarked;

    TLauncherButton* Button(int slot) const { return FButtons[slot].get(); }
    TSeparator* Separator(int slot) const { return FSeparators[slot].get(); }
    // Valid for the page until the next layout; in the panel's coordinates.
    const TBounds& EntryRect(int slot) const { return FEntryRects[slot]; }
    const TRect& TitleRect(int slot) const { return FTitleRects[slot]; }
    bool TitleTruncated(int slot) const { return FTitleTruncated[slot]; }
    // The entry whose title lies under a point of the panel (the last one
    // there), -1 for none.
    int TitleAt(int x, int y) const;
    // The entry whose button or separator lies at (x, y) on the panel, for
    // files dropped there; -1 beside the entries.
    int EntryControlAt(int x, int y) const;
    int ColumnCount() const { return FColumnCount; }
    const TCellMetrics& CellMetrics() const { return FCellMetrics; }

private:
    void BindEntry(int slot, const TVantorButton& entry, bool largeIcon, int buttonStyle);
    void ParkSlot(int slot);
    void ClearPlacements();
    std::vector<TFocusCell> FocusCells() const;
    void InvalidateFocusFrame();

    TPageSource FPage;
    TGraphicControlHost* FHost = nullptr;
    std::array<std::unique_ptr<TLauncherButton>, PoolSize> FButtons;
    std::array<std::unique_ptr<TSeparator>, PoolSize> FSeparators;
    std::array<TBounds, PoolSize> FEntryRects{};
    std::array<TRect, PoolSize> FTitleRects{};
    std::array<bool, PoolSize> FTitleTruncated{};
    TCellMetrics FCellMetrics;
    int FColumnCount = 0;
    int FFocusEntry = -1;
    std::array<TBounds, 4> FFocusLines{};
    bool FFocusShown = false;
};

// Title widths in a window's font, for the layout's truncation rule.
class TTitleMeasure {
public:
    TTitleMeasure(HWND window, HFONT font);
    int Width(std::string_view text) const;

private:
    TWindowDC FDC;
    TSelectObject FFont;
};
