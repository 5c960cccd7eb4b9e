#include "layout/tab_geometry.h"

#include <algorithm>

namespace {

constexpr int MaxTextWidth = 100000;  // keeps absurd measurements from overflowing the sums

// 1..5 become 6: a tab thinner than that cannot show its shape.
int RaiseTinyToSix(int value) { return (value >= 1 && value <= 5) ? 6 : value; }

}  // namespace

TNarrowTabGeometry::TNarrowTabGeometry() { Relayout(); }

void TNarrowTabGeometry::SetSize(int width, int height) {
    FWidth = std::max(width, 0);
    FHeight = std::max(height, 0);
    Relayout();
}

void TNarrowTabGeometry::SetPosition(TNarrowTabPosition position) {
    FPosition = position;
    Relayout();
}

void TNarrowTabGeometry::SetVertical(bool vertical) {
    FVertical = vertical;
    Relayout();
}

// A margin larger than the room left by the other margin, one tab and the two
// arrows is cut to that room; a margin is never negative.
int TNarrowTabGeometry::ClampMargin(int value, int otherMargin) const {
    const int bound = StripLength() - otherMargin - FTabWidth - 2 * FArrowLength;
    return std::max(std::min(std::max(value, 0), bound), 0);
}

void TNarrowTabGeometry::SetLeftMargin(int value) {
    FLeftMargin = ClampMargin(value, FRightMargin);
    Relayout();
}

void TNarrowTabGeometry::SetRightMargin(int value) {
    FRightMargin = ClampMargin(value, FLeftMargin);
    Relayout();
}

void TNarrowTabGeometry::SetTabWidth(int value) {
    const int bound = Room();
    FTabWidth = std::max(std::min(RaiseTinyToSix(std::max(value, 0)), bound), 0);
    Relayout();
}

void TNarrowTabGeometry::SetArrowLength(int value) {
    FArrowLength = std::clamp(value, 1, 256);
    Relayout();
}

void TNarrowTabGeometry::SetTabHeight(int value) {
    const int bound = StripThickness() - 2;
    FTabHeight = std::max(std::min(RaiseTinyToSix(std::max(value, 0)), bound), 0);
    Relayout();
}

void TNarrowTabGeometry::SetMinTabWidth(int value) {
    FMinTabWidth = std::clamp(value, 16, 256);
    Relayout();
}

void TNarrowTabGeometry::SetMaxTabWidth(int value) {
    FMaxTabWidth = std::clamp(value, 16, 256);
    Relayout();
}

void TNarrowTabGeometry::SetTabTextWidths(std::vector<int> widths) {
    for (int& w : widths) w = std::clamp(w, 0, MaxTextWidth);
    FTextWidths = std::move(widths);
    Relayout();
}

bool TNarrowTabGeometry::SetFirstVisible(int index) {
    FFollowSelection = false;
    const int i = std::max(std::min(std::max(index, 0), TabCount() - FVisibleCount), 0);
    return ScrollTo(i);
}

bool TNarrowTabGeometry::ScrollTo(int first) {
    if (first == FFirstVisible) return false;
    FFirstVisible = first;
    UpdateScroll();
    return true;
}

TTabSelection TNarrowTabGeometry::SetTabIndex(int index) {
    TTabSelection result;
    const int i = std::min(std::max(index, 0), TabCount() - 1);  // -1 when there are no tabs
    result.OldIndex = FTabIndex;
    if (i == FTabIndex) return result;
    FTabIndex = i;
    result.Scrolled = ScrollIntoView(i);
    UpdateScroll();  // the selected tab is thicker
    const int old = result.OldIndex;
    for (int k : {old - 1, old, old + 1, FTabIndex}) {
        if (IsTabVisible(k) && k >= 0) result.RepaintRects.push_back(PartialRect(k));
    }
    result.Changed = true;
    return result;
}

bool TNarrowTabGeometry::ScrollIntoView(int k) {
    if (k < 0 || k >= TabCount()) return false;
    FFollowSelection = k == FTabIndex;
    if (k < FFirstVisible) return ScrollTo(k);
    // A strip too short for tab k shows no tab; it starts at k, never beyond,
    // so that tab k is the first to show as the strip grows.
    return IsTabVisible(k) ? false : ScrollTo(LeastFirstShowing(k));
}

void TNarrowTabGeometry::Relayout() {
    if (FFollowSelection && FTabIndex >= 0 && FTabIndex < TabCount()) FFirstVisible = LeastFirstShowing(FTabIndex);
    UpdateScroll();
}

int TNarrowTabGeometry::Room() const { return StripLength() - FLeftMargin - FRightMargin - 2 * FArrowLength; }

// The earliest first tab from which the run to tab k fits the strip; k when
// not even tab k fits.
int TNarrowTabGeometry::LeastFirstShowing(int k) const {
    const int room = Room();
    if (FVertical) {
        const int fit = FTabWidth > 0 ? room / FTabWidth : 0;
        return fit > 0 ? std::max(k - fit + 1, 0) : k;
    }
    int first = k + 1;
    for (int used = 0; first > 0; --first) {
        used += HorizontalLength(first - 1);
        if (used > room) break;
    }
    return std::min(first, k);
}

TRect TNarrowTabGeometry::TabRectAt(int start, int length, int thickness) const {
    switch (FPosition) {
        case tpTop:
            return {start, FHeight - thickness, start + length, FHeight};
        case tpBottom:
            return {start, 0, start + length, thickness};
        case tpLeft:
            return {FWidth - thickness, start, FWidth, start + length};
        case tpRight:
        default:
            return {0, start, thickness, start + length};
    }
}

// The strip scrolls only as far as it must: where the tabs from an earlier
// one to the last fit (the strip grew, tabs went), it starts there, and no
// room stays empty after the last tab.
int TNarrowTabGeometry::FirstNeeded(int room) const {
    if (FVertical) {
        const int fit = FTabWidth > 0 ? room / FTabWidth : 0;
        return fit > 0 ? std::max(TabCount() - fit, 0) : FFirstVisible;
    }
    int first = TabCount();
    for (int used = 0; first > 0; --first) {
        used += HorizontalLength(first - 1);
        if (used > room) break;
    }
    return first;
}

int TNarrowTabGeometry::HorizontalLength(int i) const {
    const int w = FTabHeight != 0 ? FTabHeight : FTextWidths[i] + 6;
    if (w > FMaxTabWidth) return FMaxTabWidth;
    return w < FMinTabWidth ? FMinTabWidth : w;
}

void TNarrowTabGeometry::UpdateScroll() {
    const int room = Room();  // A
    FFirstVisible = std::min(FFirstVisible, FirstNeeded(room));
    FTabRects.assign(FTextWidths.size(), TRect{});
    if (FVertical) {
        LayoutVerticalMode(room);
    } else {
        LayoutHorizontalMode(room);
    }
    // A first visible tab beyond the list (tabs were removed) shows nothing.
    FVisibleCount = std::max(std::min(FVisibleCount, TabCount() - FFirstVisible), 0);
}

void TNarrowTabGeometry::LayoutVerticalMode(int room) {
    // Tabs of no thickness cannot be shown; the count would divide by zero.
    FVisibleCount = FTabWidth > 0 ? room / FTabWidth : 0;
    const int thickness = StripThickness();
    for (int i = 0; i < TabCount(); ++i) {
        int across = FTabHeight != 0 ? FTabHeight : FTextWidths[i] + 6;
        if (i == FTabIndex) across += 2;
        if (across > thickness) across = thickness;
        const int start = TabsStart() + (i - FFirstVisible) * FTabWidth;
        FTabRects[i] = TabRectAt(start, FTabWidth, across);
    }
}

void TNarrowTabGeometry::LayoutHorizontalMode(int room) {
    FVisibleCount = 0;
    int distance = 0;  // of tab i from tab 0
    int used = 0;
    int shift = 0;
    std::vector<int> starts(FTextWidths.size());
    std::vector<int> lengths(FTextWidths.size());
    for (int i = 0; i < TabCount(); ++i) {
        const int w = HorizontalLength(i);
        if (i >= FFirstVisible) {
            // The visible tabs are the longest run from FirstVisible that fits.
            if (room >= used + w) ++FVisibleCount;
            used += w;
        }
        if (i == FFirstVisible) shift = distance;
        starts[i] = distance;
        lengths[i] = w;
        distance += w;
    }
    for (int i = 0; i < TabCount(); ++i) {
        const int thickness = FTabWidth + (i == FTabIndex ? 2 : 0);
        FTabRects[i] = TabRectAt(TabsStart() + starts[i] - shift, lengths[i], thickness);
    }
}

int TNarrowTabGeometry::TabAtPos(int x, int y) const {
    for (int k = FFirstVisible; k < FFirstVisible + FVisibleCount && k < TabCount(); ++k) {
        if (k >= 0 && FTabRects[k].Contains(x, y)) return k;
    }
    return -1;
}

TTabHit TNarrowTabGeometry::HitTest(int x, int y) const {
    const TTabArrows arrows = Arrows();
    if (ToRect(arrows.Back).Contains(x, y)) return {TTabHitKind::BackArrow, -1};
    if (ToRect(arrows.Forward).Contains(x, y)) return {TTabHitKind::ForwardArrow, -1};
    const int k = TabAtPos(x, y);
    if (k >= 0) return {TTabHitKind::Tab, k};
    return {};
}

TTabArrows TNarrowTabGeometry::Arrows() const {
    const int o = NearSideOffset();
    TTabArrows a;
    if (IsHorizontalStrip()) {
        a.Back = {0, o, FArrowLength, FHeight - 2};
        a.Forward = {FWidth - FArrowLength, o, FArrowLength, FHeight - 2};
        a.BackKind = bkLeft;
        a.ForwardKind = bkRight;
    } else {
        a.Back = {o, 0, FWidth - 2, FArrowLength};
        a.Forward = {o, FHeight - FArrowLength, FWidth - 2, FArrowLength};
        a.BackKind = bkUp;
        a.ForwardKind = bkDown;
    }
    a.Back = WithoutNegativeSize(a.Back);
    a.Forward = WithoutNegativeSize(a.Forward);
    return a;
}

int TNarrowTabGeometry::VisibleTabsLength() const {
    if (FVertical) return FTabWidth * FVisibleCount;
    int sum = 0;
    for (int k = FFirstVisible; k < FFirstVisible + FVisibleCount; ++k) {
        const TRect& r = FTabRects[k];
        sum += IsHorizontalStrip() ? r.Width() : r.Height();
    }
    return sum;
}

std::array<TRect, 2> TNarrowTabGeometry::FaceStretches() const {
    const int o = NearSideOffset();
    const int start = TabsStart();
    const int end = start + VisibleTabsLength();
    if (IsHorizontalStrip()) {
        return {TRect{FArrowLength, o, start, o + FHeight - 2}, TRect{end, o, FWidth - FArrowLength, o + FHeight - 2}};
    }
    return {TRect{o, FArrowLength, o + FWidth - 2, start}, TRect{o, end, o + FWidth - 2, FHeight - FArrowLength}};
}

TRect TNarrowTabGeometry::WidenAlong(TRect r) const {
    if (IsHorizontalStrip()) {
        r.Left -= 2;
        r.Right += 2;
    } else {
        r.Top -= 2;
        r.Bottom += 2;
    }
    return r;
}

TRect TNarrowTabGeometry::PaintedTabRect(int k) const {
    if (k < 0 || k >= TabCount()) return {};
    return k == FTabIndex ? WidenAlong(FTabRects[k]) : FTabRects[k];
}

TRect TNarrowTabGeometry::FarSideFill(int k) const {
    if (k < 0 || k >= TabCount()) return {};
    const TRect& r = FTabRects[k];
    switch (FPosition) {
        case tpTop:
            return {r.Left, 0, r.Right, r.Top};
        case tpBottom:
            return {r.Left, r.Bottom, r.Right, FHeight};
        case tpLeft:
            return {0, r.Top, r.Left, r.Bottom};
        case tpRight:
        default:
            return {r.Right, r.Top, FWidth, r.Bottom};
    }
}

TRect TNarrowTabGeometry::CaptionClip(int k) const {
    if (k < 0 || k >= TabCount()) return {};
    const TRect& r = FTabRects[k];
    return {r.Left + 2, r.Top + 2, r.Right - 2, r.Bottom - 2};
}

int TNarrowTabGeometry::CaptionRoom(int k) const {
    if (k < 0 || k >= TabCount()) return 0;
    const TRect& r = FTabRects[k];
    // Vertical mode writes the caption across the strip, the other mode along it.
    const bool alongWidth = IsHorizontalStrip() != FVertical;
    return (alongWidth ? r.Width() : r.Height()) - 5;
}

TPoint TNarrowTabGeometry::CaptionOrigin(int k, int textWidth, int fontHeight) const {
    if (k < 0 || k >= TabCount()) return {};
    const TRect& r = FTabRects[k];
    const int h = fontHeight < 0 ? -fontHeight : fontHeight;
    const int tw = textWidth;
    const int tabWidth = FTabWidth;
    // The selected caption moves one pixel away from the page.
    int d = 0;
    if (k == FTabIndex) d = (FPosition == tpBottom || FPosition == tpRight) ? 1 : -1;
    if (FVertical) {
        switch (FPosition) {
            case tpTop:
                return {r.Right - (tabWidth + h) / 2, r.Bottom - 3 + d};
            case tpBottom:
                return {r.Left + (tabWidth + h) / 2, r.Top + 3 + d};
            default:
                return {r.Left + 3 + d, r.Top + (tabWidth - h) / 2};
        }
    }
    const int along = IsHorizontalStrip() ? r.Width() : r.Height();
    // A caption that fits is centred along the tab; one that does not starts 3 pixels in.
    const int centring = tw < along - 6 ? (along - tw - 6) / 2 : 0;
    switch (FPosition) {
        case tpTop:
        case tpBottom:
            return {r.Left + 3 + centring, r.Top + d + (tabWidth - h) / 2};
        case tpLeft:
            return {r.Right + d - (h + tabWidth) / 2, r.Bottom - 3 - centring};
        case tpRight:
        default:
            return {r.Left + d + (h + tabWidth) / 2, r.Top + 3 + centring};
    }
}

int TNarrowTabGeometry::Escapement() const {
    if (FVertical) {
        if (FPosition == tpTop) return 900;
        if (FPosition == tpBottom) return 2700;
        return 0;
    }
    if (FPosition == tpLeft) return 900;
    if (FPosition == tpRight) return 2700;
    return 0;
}

TRect TNarrowTabGeometry::PartialRect(int k) const {
    if (!IsTabVisible(k) || k < 0) return {PartialRectUnset, 0, 0, 0};
    TRect r = FTabRects[k];
    if (k == FTabIndex || k == FFirstVisible || k == FFirstVisible + FVisibleCount - 1) r = WidenAlong(r);
    switch (FPosition) {
        case tpTop:
            r.Top = 0;
            break;
        case tpBottom:
            r.Bottom = FHeight;
            break;
        case tpLeft:
            r.Left = 0;
            break;
        case tpRight:
            r.Right = FWidth;
            break;
    }
    return r;
}

TRect TNarrowTabGeometry::TabPaintExtent(int k) const {
    if (k < 0 || k >= TabCount()) return {};
    const TRect shape = PaintedTabRect(k);
    const TRect far = FarSideFill(k);
    return TRect{std::min(shape.Left, far.Left), std::min(shape.Top, far.Top), std::max(shape.Right, far.Right),
                 std::max(shape.Bottom, far.Bottom)};
}

std::vector<TRect> MergeTouchingRects(const std::vector<TRect>& rects) {
    std::vector<TRect> merged;
    for (const TRect& r : rects) {
        if (r.IsEmpty()) continue;
        merged.push_back(r);
        // A grown rectangle may now reach others gathered before: fold again.
        for (bool folded = true; folded;) {
            folded = false;
            TRect& grown = merged.back();
            for (size_t i = 0; i + 1 < merged.size(); ++i) {
                const TRect& o = merged[i];
                const bool touch =
                    o.Left <= grown.Right && grown.Left <= o.Right && o.Top <= grown.Bottom && grown.Top <= o.Bottom;
                if (!touch) continue;
                grown = TRect{std::min(o.Left, grown.Left), std::min(o.Top, grown.Top), std::max(o.Right, grown.Right),
                              std::max(o.Bottom, grown.Bottom)};
                merged.erase(merged.begin() + static_cast<std::ptrdiff_t>(i));
                folded = true;
                break;
            }
        }
    }
    return merged;
}

TScrollButtonFlags ScrollButtonFlagsForStyle(int scrollButtonStyle) {
    switch (scrollButtonStyle) {
        case 1:
            return {false, true};
        case 2:
            return {false, false};
        default:
            return {true, true};
    }
}

TScrollButtonAction TScrollButtonState::Start(bool withTimer) {
    TScrollButtonAction a;
    if (withTimer && !FTimer) {
        FTimer = true;
        a.StartTimer = true;
    }
    FActive = true;
    a.Repaint = true;
    return a;
}

TScrollButtonAction TScrollButtonState::Stop() {
    TScrollButtonAction a;
    a.StopTimer = FTimer;
    FTimer = false;
    FActive = false;
    a.Repaint = true;
    return a;
}

TScrollButtonAction TScrollButtonState::PointerEnter() {
    return Flags.AutoScroll ? Start(true) : TScrollButtonAction{};
}

TScrollButtonAction TScrollButtonState::PointerLeave() { return Flags.AutoScroll ? Stop() : TScrollButtonAction{}; }

TScrollButtonAction TScrollButtonState::LeftDown(bool enabled) {
    if (Flags.AutoScroll) return {};
    // Without repeat a press steps once and stays drawn pressed until the release.
    TScrollButtonAction a = Start(Flags.AutoRepeat);
    a.FireScroll = !Flags.AutoRepeat && enabled;
    return a;
}

TScrollButtonAction TScrollButtonState::LeftUp() { return Flags.AutoScroll ? TScrollButtonAction{} : Stop(); }

TRect ScrollArrowGlyphRect(int width, int height, bool pressed) {
    if (pressed) return {-2, -2, width + 5, height + 5};
    return {-3, -3, width + 4, height + 4};
}
