#include "bars/bar_layout.h"

#include <algorithm>

#include "layout/page_layout.h"

namespace {

constexpr int KeywordOwnerLeft = 112;
constexpr int PlainOwnerLeft = 32;
constexpr int ArrowWidth = 12;
constexpr int RightPartsWidth = 30;  // Down and Close after the visible window

bool IsSeparatorEntry(const TVantorButton* entry) { return entry && entry->IsSeparator(); }

// The page's entries in order as the row arithmetic of the views takes them;
// empty slots take no room.
std::vector<TLayoutEntry> RowEntries(const TVantorPage* page) {
    std::vector<TLayoutEntry> entries;
    entries.reserve(page->Count());
    for (int32_t i = 0; i < page->Count(); ++i)
        if (const TVantorButton* entry = page->Buttons(i)) entries.push_back({entry->IsSeparator(), entry->Title});
    return entries;
}

}  // namespace

int BarContentLength(const TVantorPage* page, int dpi) {
    return page ? LayoutBarEntries(RowEntries(page), dpi).Width : 0;
}

std::vector<TBarRowItem> LayoutBarRow(const TVantorPage* page, int dpi) {
    std::vector<TBarRowItem> row;
    if (!page) return row;
    const TBarEntryLayout laid = LayoutBarEntries(RowEntries(page), dpi);
    row.reserve(page->Count());
    size_t next = 0;
    for (int32_t i = 0; i < page->Count(); ++i) {
        const TVantorButton* entry = page->Buttons(i);
        TBarRowItem item;
        item.Separator = IsSeparatorEntry(entry);
        item.Bounds = entry ? laid.Bounds[next++] : ParkedBounds;
        row.push_back(item);
    }
    return row;
}

TBarFrame LayoutBarFrame(const TBarFrameInput& in) {
    const auto px = [&](int value) { return ScaleToDpi(value, in.Dpi); };
    TBarFrame f;
    const int ownerLeft = px(in.Keyword ? KeywordOwnerLeft : PlainOwnerLeft);
    const int height = px(BarHeight);
    const int arrow = px(ArrowWidth);
    const int rightParts = px(RightPartsWidth);
    if (in.Keyword) f.Edit = TBounds{px(18), 0, px(80), height};
    f.Up = TBounds{ownerLeft - arrow, 0, arrow, height};
    f.Owner = WithoutNegativeSize(TBounds{ownerLeft, 0, in.ContainerWidth - ownerLeft - rightParts, height});
    f.Down = TBounds{in.ContainerWidth - rightParts, 0, arrow, height};
    f.Close = TBounds{in.ContainerWidth - px(18), px(2), px(18), px(16)};

    const int ownerWidth = f.Owner.Width;
    f.TextureLeft = in.TextureLeft;
    if (in.ContentLength + f.TextureLeft < ownerWidth) f.TextureLeft = std::min(0, ownerWidth - in.ContentLength);
    f.UpEnabled = f.TextureLeft < 0;
    f.DownEnabled = ownerWidth < in.ContentLength + f.TextureLeft;
    return f;
}

TBarScrollPlan PlanBarScroll(const TBarScrollInput& in) {
    TBarScrollPlan plan;
    const bool pageStyle = in.ScrollButtonStyle == 2;
    const int steps = !in.SmoothScroll ? 1 : pageStyle ? 4 : 8;
    const int distance = pageStyle ? std::max(0, in.OwnerWidth) : ScaleToDpi(BarEntryWidth, in.Dpi);
    const int sign = in.TowardStart ? 1 : -1;
    // The Owner's width as LayoutBarFrame gives it.
    const int visible = in.ContainerWidth - ScaleToDpi(in.Keyword ? KeywordOwnerLeft : PlainOwnerLeft, in.Dpi) -
                        ScaleToDpi(RightPartsWidth, in.Dpi);
    const int rem = distance % steps;
    plan.StepMs = pageStyle ? 20 : 4;

    int left = in.TextureLeft;
    int acc = 0;
    for (int i = 0; i < steps; ++i) {
        int x = left + (sign * distance) / steps;
        // The remainder is spread over the steps, one pixel at a time.
        acc += rem;
        if (acc >= steps) {
            x += sign;
            acc -= steps;
        }
        if (x + in.ContentLength < visible) x = visible - in.ContentLength;
        if (x > 0) x = 0;
        left = x;
        plan.Lefts.push_back(x);
        if (x >= 0 || visible >= x + in.ContentLength) break;
    }
    return plan;
}

int BarWheelDirection(int delta) { return delta == 120 ? 1 : delta == -120 ? -1 : 0; }

int DockIndexFor(const TRect& rect, const TRect& mainWindow, const std::vector<int>& otherDockedTops) {
    const int width = mainWindow.Width();
    const int zoneLeft = mainWindow.Left + width / 4;
    const TRect zone{zoneLeft, mainWindow.Top, zoneLeft + width / 2, mainWindow.Bottom};
    if (!rect.Intersects(zone)) return -1;
    const int middle = (rect.Top + rect.Bottom) / 2;
    return static_cast<int>(
        std::count_if(otherDockedTops.begin(), otherDockedTops.end(), [&](int top) { return top + 11 < middle; }));
}

TRect BarDropRect(TPoint containerOrigin, TPoint offset, int windowWidth, int windowHeight, int clientWidth,
                  int clientHeight) {
    const int left = containerOrigin.X + offset.X - (windowWidth - clientWidth) / 2;
    const int top = containerOrigin.Y + offset.Y - (windowHeight - clientHeight) / 2;
    return TRect{left, top, left + windowWidth, top + windowHeight};
}

TBarDragFrame BarDragFrame(TPoint containerOrigin, TPoint offset, int containerWidth, int containerHeight,
                           int floatingClientWidth, int floatingClientHeight, const TRect& mainWindow,
                           const std::vector<int>& otherDockedTops) {
    TBarDragFrame frame;
    const int left = containerOrigin.X + offset.X - 1;
    const int top = containerOrigin.Y + offset.Y - 1;
    frame.Outer = TRect{left, top, left + containerWidth + 2, top + containerHeight + 2};
    frame.Docks = DockIndexFor(frame.Outer, mainWindow, otherDockedTops) >= 0;
    if (!frame.Docks) frame.Outer = TRect{left, top, left + floatingClientWidth + 2, top + floatingClientHeight + 2};
    const int inset = frame.Docks ? 2 : 1;
    frame.Inner =
        TRect{frame.Outer.Left + inset, frame.Outer.Top + inset, frame.Outer.Right - inset, frame.Outer.Bottom - inset};
    return frame;
}

void RemoveDockedBar(std::vector<int32_t>& docked, int32_t bar) {
    docked.erase(std::remove(docked.begin(), docked.end(), bar), docked.end());
}

void PlaceDockedBar(std::vector<int32_t>& docked, int32_t bar, int32_t order) {
    // Taken out first, a present bar lands at min(order, count - 1) and an
    // absent one at min(order, count): the same place in the shorter list.
    RemoveDockedBar(docked, bar);
    order = std::clamp<int32_t>(order, 0, static_cast<int32_t>(docked.size()));
    docked.insert(docked.begin() + order, bar);
}

int32_t ClampDockOrder(int32_t order, int32_t dockedCount) { return order < 0 ? -1 : std::min(order, dockedCount); }

TBounds BarArrowKeyBounds(const TBounds& window, TBarArrow arrow, bool ctrl, bool shift, int dpi) {
    TBounds b = window;
    if (ctrl) {
        const int step = ScaleToDpi(16, dpi);
        if (arrow == baLeft) b.Left -= step;
        if (arrow == baRight) b.Left += step;
        if (arrow == baUp) b.Top -= step;
        if (arrow == baDown) b.Top += step;
    } else if (shift) {
        const int step = ScaleToDpi(8, dpi);
        if (arrow == baLeft) b.Width -= step;
        if (arrow == baRight) b.Width += step;
        if (arrow == baUp) b.Height -= step;
        if (arrow == baDown) b.Height += step;
    }
    return b;
}

TBarSizeLimits BarSizeLimits(bool keyword, int frameWidth, int frameHeight, int dpi) {
    TBarSizeLimits limits;
    limits.MinWidth = ScaleToDpi(keyword ? MinKeywordBarClientWidth : MinBarClientWidth, dpi) + std::max(0, frameWidth);
    limits.MaxWidth = std::max(ScaleToDpi(MaxBarWindowWidth, dpi), limits.MinWidth);
    limits.Height = ScaleToDpi(BarHeight, dpi) + std::max(0, frameHeight);
    return limits;
}

TBounds ClampBarWindow(const TBounds& window, const TBarSizeLimits& limits) {
    TBounds b = window;
    b.Width = std::clamp(b.Width, limits.MinWidth, limits.MaxWidth);
    b.Height = limits.Height;
    return b;
}

TBounds KeepBarInReach(const TBounds& window, const TRect& work, int dpi) {
    const int reach = ScaleToDpi(BarReach, dpi);
    TBounds b = window;
    if (b.Right() < work.Left + reach) b.Left = work.Left + reach - b.Width;
    if (b.Left > work.Right - reach) b.Left = work.Right - reach;
    if (b.Bottom() < work.Top + reach) b.Top = work.Top + reach - b.Height;
    if (b.Top > work.Bottom - reach) b.Top = work.Bottom - reach;
    return b;
}

TRect BarSizingRect(const TRect& sizing, const TRect& current, bool leftSideDragged, const TBarSizeLimits& limits) {
    TRect r = sizing;
    r.Top = current.Top;
    r.Bottom = current.Bottom;
    const int width = std::clamp(r.Width(), limits.MinWidth, limits.MaxWidth);
    if (leftSideDragged)
        r.Left = r.Right - width;
    else
        r.Right = r.Left + width;
    return r;
}
