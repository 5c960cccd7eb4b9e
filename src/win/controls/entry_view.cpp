#include "controls/entry_view.h"

#include <algorithm>

#include "base/win_text.h"
#include "layout/page_binding.h"

namespace {

bool RectsMeet(const RECT& a, const RECT& b) {
    RECT meet;
    return IntersectRect(&meet, &a, &b) != FALSE;
}

}  // namespace

TTitleMeasure::TTitleMeasure(HWND window, HFONT font)
    : FDC(window), FFont(FDC.DC(), font ? font : GetStockObject(DEFAULT_GUI_FONT)) {}

int TTitleMeasure::Width(std::string_view text) const {
    const std::wstring wide = Widen(text);
    SIZE size{};
    GetTextExtentPoint32W(FDC.DC(), wide.c_str(), static_cast<int>(wide.size()), &size);
    return size.cx;
}

void TEntryView::CreatePools(TGraphicControlHost& host, TLauncherButtonCache& cache, TPageSource page) {
    FPage = std::move(page);
    FHost = &host;
    for (int i = 0; i < PoolSize; ++i) {
        auto button = std::make_unique<TLauncherButton>();
        button->Tag = i;
        button->SetCache(&cache);
        button->SetBounds(ParkedBounds);
        button->OnClick = [this](TComponent& sender) {
            if (OnEntryClick) OnEntryClick(static_cast<int>(sender.Tag));
        };
        button->OnMouseDown = [this](TComponent& sender, TMouseButton, TShiftState, int, int) {
            if (OnEntryPress) OnEntryPress(static_cast<int>(sender.Tag));
        };
        host.Add(*button);
        FButtons[i] = std::move(button);
    }
    for (int i = 0; i < PoolSize; ++i) {
        auto separator = std::make_unique<TSeparator>();
        separator->Tag = i;
        separator->SetKind(skHorizonal);
        separator->SetBounds(ParkedBounds);
        host.Add(*separator);
        FSeparators[i] = std::move(separator);
    }
}

void TEntryView::BindEntry(int slot, const TVantorButton& entry, bool largeIcon, int buttonStyle) {
    TLauncherButton& button = *FButtons[slot];
    if (entry.IsSeparator()) {
        button.SetBounds(ParkedBounds);
        return;
    }
    FSeparators[slot]->SetBounds(ParkedBounds);
    button.ApplyButtonStyleSetting(buttonStyle);
    // Dropping the old icon first saves reloading it in the other size.
    if (button.LargeIcon() != largeIcon) {
        button.SetIconSource(std::string(), -1);
        button.SetLargeIcon(largeIcon);
    }
    const TIconSource source = IconSourceOf(entry);
    button.SetIconSource(source.Path, source.Index);
    button.SetMarked(IsMarked && IsMarked(entry));
}

void TEntryView::ParkSlot(int slot) {
    FButtons[slot]->SetBounds(ParkedBounds);
    FSeparators[slot]->SetBounds(ParkedBounds);
}

void TEntryView::Rebind(int buttonStyle, bool asRow) {
    if (!PoolsExist()) return;
    TGraphicControlHost::TBatch batch(*FHost);
    const TVantorPage* page = Page();
    const int count = page ? std::min<int>(page->Count(), PoolSize) : 0;
    const bool largeIcon = !asRow && page && ComputeCellMetrics(GeometryOf(*page), 0).LargeIcon;
    for (int i = 0; i < count; ++i) BindEntry(i, *page->Buttons(i), largeIcon, buttonStyle);
    for (int i = count; i < PoolSize; ++i) ParkSlot(i);
    if (page && OnBound) OnBound(*page);
}

void TEntryView::ClearPlacements() {
    FEntryRects.fill(TBounds{});
    FTitleRects.fill(TRect{});
    FTitleTruncated.fill(false);
}

TPageLayout TEntryView::LayoutAsPage(TPageLayoutInput in) {
    if (!PoolsExist()) return TPageLayout{};
    const TVantorPage* page = Page();
    const std::vector<TLayoutEntry> entries = page ? LayoutEntriesOf(*page) : std::vector<TLayoutEntry>();
    if (page) in.Page = GeometryOf(*page);
    in.Entries = &entries;
    in.PreviousColumnCount = FColumnCount;
    TPageLayout out = ::LayoutPage(in);

    FCellMetrics = out.Metrics;
    FColumnCount = out.ColumnCount;
    ClearPlacements();
    TGraphicControlHost::TBatch batch(*FHost);
    const int count = std::min(static_cast<int>(out.Entries.size()), PoolSize);
    for (int i = 0; i < count; ++i) {
        const TEntryPlacement& p = out.Entries[i];
        FEntryRects[i] = p.EntryRect;
        FTitleRects[i] = p.TitleRect;
        FTitleTruncated[i] = p.TitleTruncated;
        FButtons[i]->SetBounds(p.ButtonBounds);
        FSeparators[i]->SetBounds(p.SeparatorBounds);
    }
    return out;
}

int TEntryView::LayoutAsRow(int dpi) {
    if (!PoolsExist()) return 0;
    const TVantorPage* page = Page();
    const std::vector<TLayoutEntry> entries = page ? LayoutEntriesOf(*page) : std::vector<TLayoutEntry>();
    const TBarEntryLayout row = LayoutBarEntries(entries, dpi);
    FCellMetrics = TCellMetrics{};
    FColumnCount = static_cast<int>(entries.size());
    ClearPlacements();
    TGraphicControlHost::TBatch batch(*FHost);
    const int count = std::min(static_cast<int>(row.Bounds.size()), PoolSize);
    for (int i = 0; i < count; ++i) {
        FEntryRects[i] = row.Bounds[i];
        const bool separator = entries[i].IsSeparator;
        FButtons[i]->SetBounds(separator ? ParkedBounds : row.Bounds[i]);
        FSeparators[i]->SetKind(skVertical);
        FSeparators[i]->SetBounds(separator ? row.Bounds[i] : ParkedBounds);
    }
    return row.Width;
}

void TEntryView::PaintTitles(HDC dc, const RECT& clip, HFONT font, COLORREF text, COLORREF back) const {
    const TVantorPage* page = Page();
    if (!page || !FCellMetrics.HasTitleBox()) return;
    TSelectObject selected(dc, font);
    SetTextColor(dc, text);
    SetBkColor(dc, back);
    SetBkMode(dc, OPAQUE);
    const int count = std::min<int>(page->Count(), PoolSize);
    for (int i = 0; i < count; ++i) {
        const TRect& t = FTitleRects[i];
        if (t.IsEmpty()) continue;
        const RECT r{t.Left, t.Top, t.Right, t.Bottom};
        if (!RectsMeet(r, clip)) continue;
        const TVantorButton& entry = *page->Buttons(i);
        if (entry.IsSeparator()) continue;
        // The label is filled whole; a title too long for it is cut at its edge.
        const std::wstring title = Widen(entry.Title);
        ExtTextOutW(dc, r.left + 1, r.top, ETO_OPAQUE | ETO_CLIPPED, &r, title.c_str(), static_cast<UINT>(title.size()),
                    nullptr);
    }
}

int TEntryView::TitleAt(int x, int y) const {
    const TVantorPage* page = Page();
    if (!page || !FCellMetrics.HasTitleBox()) return -1;
    for (int i = std::min<int>(page->Count(), PoolSize) - 1; i >= 0; --i)
        if (FTitleRects[i].Contains(x, y)) return i;
    return -1;
}

// ---------------------------------------------------------------- focus frame

std::vector<TFocusCell> TEntryView::FocusCells() const {
    std::vector<TFocusCell> cells;
    const TVantorPage* page = Page();
    const int count = page ? std::min<int>(page->Count(), PoolSize) : 0;
    cells.reserve(static_cast<size_t>(count));
    for (int i = 0; i < count; ++i) cells.push_back(TFocusCell{FEntryRects[i], page->Buttons(i)->IsSeparator()});
    return cells;
}

int TEntryView::PlaceFocusFrame(int focus) {
    const std::vector<TFocusCell> cells = FocusCells();
    const int entry = ClampFocus(cells, focus);
    std::array<TBounds, 4> lines{};
    if (entry >= 0) {
        const TBounds& cell = cells[entry].Cell;
        // A bar's row has no cell metrics: its buttons fill their cells.
        TBounds icon = FCellMetrics.IconRect;
        if (icon.Width <= 0 || icon.Height <= 0) icon = TBounds{0, 0, cell.Width, cell.Height};
        lines = FocusFrameLines(cell, icon);
    }
    if (entry != FFocusEntry || lines != FFocusLines) {
        InvalidateFocusFrame();
        FFocusEntry = entry;
        FFocusLines = lines;
        InvalidateFocusFrame();
    }
    return entry;
}

int TEntryView::MoveFocus(int focus, TFocusMove move) const { return ::MoveFocus(FocusCells(), focus, move); }

void TEntryView::SetFocusFrameShown(bool shown) {
    if (shown == FFocusShown) return;
    InvalidateFocusFrame();
    FFocusShown = shown;
    InvalidateFocusFrame();
}

void TEntryView::InvalidateFocusFrame() {
    if (!FHost || !FFocusShown || FFocusEntry < 0) return;
    for (const TBounds& b : FFocusLines) FHost->InvalidateArea(RECT{b.Left, b.Top, b.Right(), b.Bottom()}, false);
}

void TEntryView::PaintFocusFrame(HDC dc, const RECT& clip, COLORREF color) const {
    if (!FFocusShown || FFocusEntry < 0) return;
    const TBrush brush(CreateSolidBrush(color));
    for (const TBounds& b : FFocusLines) {
        const RECT r{b.Left, b.Top, b.Right(), b.Bottom()};
        if (RectsMeet(r, clip)) FillRect(dc, &r, brush.Get());
    }
}

int TEntryView::EntryControlAt(int x, int y) const {
    if (!FHost) return -1;
    TGraphicControl* control = FHost->ControlAtPos(x, y);
    if (!control || !(dynamic_cast<TLauncherButton*>(control) || dynamic_cast<TSeparator*>(control))) return -1;
    return static_cast<int>(control->Tag);
}
