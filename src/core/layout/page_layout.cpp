#include "layout/page_layout.h"

#include <algorithm>

#include "model/vantor_classes.h"

namespace {

// Damaged page files may carry any number; these bounds keep the sums far from
// overflow and the boxes from turning inside out.
constexpr int MaxGeometryValue = 10000;

int Sanitised(int value) { return std::clamp(value, 0, MaxGeometryValue); }

struct TStyleTraits {
    bool LargeIcon;
    bool CenterTitle;
};

TStyleTraits StyleTraits(int style) {
    switch (style) {
        case 0:
        case 6:
            return {true, false};
        case 2:
        case 7:
            return {true, true};
        default:
            return {false, false};
    }
}

TCellMetrics Cell(TBounds cell, TBounds icon, TBounds title = {}) {
    TCellMetrics m;
    m.CellRect = cell;
    m.IconRect = icon;
    m.TitleRect = title;
    return m;
}

// One entry per row: the cell spans the client width, the title what is left of it.
TCellMetrics LineTitleCell(int clientWidth) {
    return Cell({0, 0, clientWidth, 24}, {1, 1, 22, 22}, {25, 6, std::max(clientWidth - 27, 0), TitleBoxHeight});
}

TCellMetrics DefaultCell(int style, int clientWidth) {
    switch (style) {
        case 0:
            return Cell({0, 0, 40, 40}, {1, 1, 38, 38});
        case 1:
            return Cell({0, 0, 24, 24}, {1, 1, 22, 22});
        case 2:
            return Cell({0, 0, 56, 54}, {9, 1, 38, 38}, {1, 41, 54, TitleBoxHeight});
        case 3:
            return Cell({0, 0, 112, 24}, {1, 1, 22, 22}, {25, 6, 86, TitleBoxHeight});
        case 4:
            return Cell({0, 0, 56, 24}, {1, 1, 22, 22}, {25, 6, 30, TitleBoxHeight});
        case 5:
            return LineTitleCell(clientWidth);
        case 6:
            return Cell({0, 0, 72, 72}, {1, 1, 70, 70});
        case 7:
            return Cell({0, 0, 72, 86}, {1, 1, 70, 70}, {1, 73, 70, TitleBoxHeight});
        default:
            return Cell({}, {});
    }
}

// Styles 2 and 7 with their own numbers: the title sits below the icon and the
// narrower of the two is centred over the wider.
TCellMetrics TitleBelowCell(int w, int m, int t) {
    const int h = m / 2;
    const TBounds cell{0, 0, std::max(w, t) + m, w + 14 + m};
    if (t > w) return Cell(cell, {h + (t - w) / 2, h, w, w}, {h, h + w + 2, t, TitleBoxHeight});
    return Cell(cell, {h, h, w, w}, {h + (w - t) / 2, h + w + 2, t, TitleBoxHeight});
}

TCellMetrics CustomCell(int style, const TPageGeometry& page, int clientWidth) {
    const int w = Sanitised(page.ButtonWidth);
    const int m = Sanitised(page.Margin);
    const int t = Sanitised(page.TitleWidth);
    const int h = m / 2;
    switch (style) {
        case 0:
        case 1:
        case 6:
            return Cell({0, 0, w + m, w + m}, {h, h, w, w});
        case 2:
        case 7:
            return TitleBelowCell(w, m, t);
        case 3:
        case 4:
            return Cell({0, 0, w + 2 + t + m, w + m}, {h, h, w, w}, {h + w + 2, (w + m - 12) / 2, t, TitleBoxHeight});
        case 5:
            return LineTitleCell(clientWidth);
        default:
            return Cell({}, {});
    }
}

TFlowResult FlowAtWidth(const std::vector<TLayoutEntry>& entries, const TPageGeometry& page, int width, int dpi) {
    const TCellMetrics m = ComputeCellMetrics(page, width, dpi);
    return FlowEntries(entries, m.CellRect.Width, m.CellRect.Height, width, ScaleToDpi(SeparatorStripHeight, dpi));
}

TRect TitleRectFor(const TBounds& box, int textWidth, bool center, bool& truncated) {
    truncated = textWidth >= box.Width;
    if (truncated) return ToRect(box);
    const int left = center ? box.Left + (box.Width - textWidth) / 2 : box.Left;
    return ToRect({left, box.Top, textWidth, box.Height});
}

void PlaceControls(const std::vector<TLayoutEntry>& entries, const TFlowResult& flow, TPageLayout& out) {
    const TCellMetrics& m = out.Metrics;
    out.Entries.resize(entries.size());
    for (size_t i = 0; i < entries.size(); ++i) {
        TEntryPlacement& p = out.Entries[i];
        const TBounds& r = flow.Rects[i];
        p.EntryRect = r;
        if (entries[i].IsSeparator) {
            p.ButtonBounds = ParkedBounds;
            p.SeparatorBounds = WithoutNegativeSize({r.Left + 1, r.Top, r.Width - 2, r.Height});
        } else {
            p.ButtonBounds = {r.Left + m.IconRect.Left, r.Top + m.IconRect.Top, m.IconRect.Width, m.IconRect.Height};
            p.SeparatorBounds = ParkedBounds;
        }
    }
}

void PlaceTitles(const std::vector<TLayoutEntry>& entries, const TTextWidthFunc& textWidth, TPageLayout& out) {
    const TCellMetrics& m = out.Metrics;
    if (!m.HasTitleBox()) return;
    for (size_t i = 0; i < entries.size(); ++i) {
        if (entries[i].IsSeparator) continue;
        TEntryPlacement& p = out.Entries[i];
        const TBounds box{p.EntryRect.Left + m.TitleRect.Left, p.EntryRect.Top + m.TitleRect.Top, m.TitleRect.Width,
                          m.TitleRect.Height};
        const int tw = (textWidth ? std::max(textWidth(entries[i].Title), 0) : 0) + 2;
        p.TitleRect = TitleRectFor(box, tw, m.CenterTitle, p.TitleTruncated);
    }
}

// The cell's parts scaled by their edges, so the icon and the title keep
// their places inside the cell at any DPI.
TCellMetrics ScaledCell(const TCellMetrics& m, int style, int clientWidth, int dpi) {
    TCellMetrics out = m;
    out.CellRect = ScaleToDpi(m.CellRect, dpi);
    out.IconRect = ScaleToDpi(m.IconRect, dpi);
    out.TitleRect = ScaleToDpi(m.TitleRect, dpi);
    if (style == 5) {  // one entry per row spans the real width, not a scaled one
        out.CellRect.Width = clientWidth;
        out.TitleRect.Width = std::max(clientWidth - out.TitleRect.Left - ScaleToDpi(2, dpi), 0);
    }
    return out;
}

}  // namespace

TStyleDefaults StyleDefaults(int viewStyle) {
    // One table for the page and the layout: the page's own.
    TStyleDefaults d;
    int32_t buttonWidth = d.ButtonWidth;
    int32_t titleWidth = d.TitleWidth;
    if (StyleDefaultSizes(viewStyle, buttonWidth, titleWidth)) {
        d.ButtonWidth = buttonWidth;
        d.TitleWidth = titleWidth;
    }
    return d;
}

TCellMetrics ComputeCellMetrics(const TPageGeometry& page, int scrollBoxClientWidth, int dpi) {
    const int style = page.ViewStyle;
    const int clientWidth = std::max(scrollBoxClientWidth, 0);
    const int baseWidth = dpi == BaseDpi ? clientWidth : UnscaleFromDpi(clientWidth, dpi);
    TCellMetrics m = page.DefaultLayout ? DefaultCell(style, baseWidth) : CustomCell(style, page, baseWidth);
    if (dpi != BaseDpi) m = ScaledCell(m, style, clientWidth, dpi);
    if (style >= 0 && style <= MaxViewStyle) {
        m.LargeIcon = StyleTraits(style).LargeIcon;
        m.CenterTitle = StyleTraits(style).CenterTitle;
    }
    // Every flow step must advance, and the column count divides by the width.
    if (m.CellRect.Width <= 0) m.CellRect.Width = 1;
    if (m.CellRect.Height <= 0) m.CellRect.Height = 1;
    return m;
}

TFlowResult FlowEntries(const std::vector<TLayoutEntry>& entries, int cellWidth, int cellHeight, int width,
                        int separatorHeight) {
    TFlowResult flow;
    flow.Rects.reserve(entries.size());
    int x = 0;
    int y = 0;
    bool afterSeparator = true;
    for (const TLayoutEntry& e : entries) {
        if (e.IsSeparator) {
            if (!afterSeparator && x > 0) y += cellHeight;  // close the unfinished row
            flow.Rects.push_back({0, y, width, separatorHeight});
            x = 0;
            y += separatorHeight;
            afterSeparator = true;
        } else {
            flow.Rects.push_back({x, y, cellWidth, cellHeight});
            x += cellWidth;
            if (x > width - cellWidth) {  // the next cell would not fit
                x = 0;
                y += cellHeight;
            }
            afterSeparator = false;
        }
    }
    if (!flow.Rects.empty()) flow.Bottom = flow.Rects.back().Bottom();
    return flow;
}

// Whether the scroll bar was showing before does not change the outcome: the
// entries are flowed at the full width, and only when they are taller than
// the client area again at the width left beside the scroll bar.
TPageLayout LayoutPage(const TPageLayoutInput& in) {
    static const std::vector<TLayoutEntry> noEntries;
    const std::vector<TLayoutEntry>& entries = in.Entries ? *in.Entries : noEntries;
    const int fullWidth = std::max(in.ClientWidth, 0);
    TPageLayout out;
    out.ClientWidth = fullWidth;
    TFlowResult flow;
    if (!entries.empty()) {
        flow = FlowAtWidth(entries, in.Page, fullWidth, in.Dpi);
        if (flow.Bottom > in.ClientHeight) {
            out.ClientWidth = std::max(fullWidth - std::max(in.ScrollBarWidth, 0), 0);
            flow = FlowAtWidth(entries, in.Page, out.ClientWidth, in.Dpi);
            out.ScrollRange = flow.Bottom;
        }
    }
    out.Metrics = ComputeCellMetrics(in.Page, out.ClientWidth, in.Dpi);
    out.ColumnCount = out.ClientWidth / out.Metrics.CellRect.Width;
    out.RepaintTexture = in.ForceRepaint || out.ColumnCount != in.PreviousColumnCount;
    PlaceControls(entries, flow, out);
    PlaceTitles(entries, in.TextWidth, out);
    return out;
}

TBarEntryLayout LayoutBarEntries(const std::vector<TLayoutEntry>& entries, int dpi) {
    const int button = ScaleToDpi(20, dpi);
    const int separator = ScaleToDpi(4, dpi);
    TBarEntryLayout out;
    out.Bounds.reserve(entries.size());
    for (const TLayoutEntry& e : entries) {
        if (e.IsSeparator) {
            out.Bounds.push_back({out.Width, ScaleToDpi(1, dpi), separator, ScaleToDpi(18, dpi)});
            out.Width += separator;
        } else {
            out.Bounds.push_back({out.Width, 0, button, button});
            out.Width += button;
        }
    }
    return out;
}
