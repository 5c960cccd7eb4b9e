// Placement of the entries of one page inside the scroll box: the cell
// geometry of the eight view styles, the flow of cells and separator strips,
// the vertical scroll range, the bounds of the pooled controls and the title
// rectangles. Pure arithmetic over numbers, entry kinds and text widths.
#pragma once

#include <functional>
#include <string_view>
#include <vector>

#include "layout/dpi.h"
#include "layout/rect.h"

constexpr int MaxViewStyle = 7;
constexpr int SeparatorStripHeight = 4;
constexpr int TitleBoxHeight = 12;

// The layout properties of a page (as TVantorPage holds them).
struct TPageGeometry {
    int ViewStyle = 0;  // 0..7; anything else lays out empty cells
    bool DefaultLayout = true;
    int ButtonWidth = 0;  // icon box edge
    int Margin = 0;       // space around the icon box
    int TitleWidth = 0;   // title box width
};

// The style's own numbers, which ApplyDefaultLayout gives a page.
struct TStyleDefaults {
    int ButtonWidth = 38;
    int Margin = 2;
    int TitleWidth = 54;
};
TStyleDefaults StyleDefaults(int viewStyle);

// Rectangles are (left, top, width, height) relative to the cell's origin.
struct TCellMetrics {
    TBounds CellRect;
    TBounds IconRect;
    TBounds TitleRect;  // all zero for styles without titles
    bool LargeIcon = false;
    bool CenterTitle = false;
    bool HasTitleBox() const { return TitleRect.Width > 0; }
};

// scrollBoxClientWidth is the width a one-entry-per-row style (5) spans.
// The page's numbers are 96-DPI units; the metrics come out at `dpi`.
TCellMetrics ComputeCellMetrics(const TPageGeometry& page, int scrollBoxClientWidth, int dpi = BaseDpi);

// One entry of the page, in page order. The caller marks an entry as a
// separator when its LinkTo equals "*Separator" (case-sensitive); Title must
// outlive the layout call.
struct TLayoutEntry {
    bool IsSeparator = false;
    std::string_view Title;
};

// Cells (x, y, cw, ch) wrapped at `width`, separators as full-width 4-pixel
// strips that close the unfinished row. (left, top, width, height) each.
struct TFlowResult {
    std::vector<TBounds> Rects;
    int Bottom = 0;  // bottom of the last entry's rectangle; 0 for no entries
};
TFlowResult FlowEntries(const std::vector<TLayoutEntry>& entries, int cellWidth, int cellHeight, int width,
                        int separatorHeight = SeparatorStripHeight);

using TTextWidthFunc = std::function<int(std::string_view)>;

struct TPageLayoutInput {
    TPageGeometry Page;
    const std::vector<TLayoutEntry>* Entries = nullptr;  // the current page; null or empty for none
    int ClientWidth = 0;                                 // scroll-box client width without a vertical scroll bar
    int ClientHeight = 0;                                // scroll-box client height
    int ScrollBarWidth = 16;                             // V, the width of the vertical scroll bar
    int PreviousColumnCount = 0;
    bool ForceRepaint = false;
    TTextWidthFunc TextWidth;  // width of a title in the panel's font; none gives 0
    int Dpi = BaseDpi;         // the window's; widths and heights above are at this DPI already
};

struct TEntryPlacement {
    TBounds EntryRect;        // FEntryRects: the cell, or a separator's strip
    TBounds ButtonBounds;     // the entry button; ParkedBounds for a separator
    TBounds SeparatorBounds;  // the separator control; ParkedBounds for a launcher entry
    TRect TitleRect;          // (left, top, right, bottom) drawn and hit-tested; empty when none
    bool TitleTruncated = false;
};

struct TPageLayout {
    TCellMetrics Metrics;  // at the final client width
    int ScrollRange = 0;   // vertical range; 0 hides the scroll bar
    int ClientWidth = 0;   // the client width once the scroll bar is shown or hidden
    int ColumnCount = 0;   // client width div cell width
    bool RepaintTexture = false;
    std::vector<TEntryPlacement> Entries;  // one per entry; pool slots beyond are parked by the caller
};

TPageLayout LayoutPage(const TPageLayoutInput& in);

// A bar's entries laid left to right: buttons 20 x 20, separators 4 x 18.
struct TBarEntryLayout {
    std::vector<TBounds> Bounds;
    int Width = 0;  // x after the last entry
};
TBarEntryLayout LayoutBarEntries(const std::vector<TLayoutEntry>& entries, int dpi = BaseDpi);
