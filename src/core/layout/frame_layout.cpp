#include "layout/frame_layout.h"

#include <algorithm>

namespace {

bool IsSide(int code) { return code >= deTop && code <= deRight; }

int OppositeSide(int side) {
    switch (side) {
        case deTop:
            return deBottom;
        case deBottom:
            return deTop;
        case deLeft:
            return deRight;
        case deRight:
            return deLeft;
        default:
            return deNone;
    }
}

// Space the caption strip and the tab strip take from each side of the client area.
struct TReserves {
    int Left = 0;
    int Top = 0;
    int Right = 0;
    int Bottom = 0;
};

// The frame's fixed sizes at the window's DPI.
struct TFrameMetrics {
    int Caption = 24;  // S
    int Bar = 20;
    int BarSeparator = 2;
    int Splitter = 2;
    int MinRoom = MinScrollBoxRoom;
    int MinTab = MinTabSetHeight;
    int MaxTab = MaxTabSetHeight;
};

TFrameMetrics FrameMetrics(const TFrameLayoutInput& in) {
    const auto px = [&](int value) { return ScaleToDpi(value, in.Dpi); };
    TFrameMetrics m;
    m.Caption = px(in.CaptionWidth);
    m.Bar = px(DockedBarBand - 2);
    m.BarSeparator = px(DockedBarBand) - m.Bar;
    m.Splitter = px(2);
    m.MinRoom = px(MinScrollBoxRoom);
    m.MinTab = px(MinTabSetHeight);
    m.MaxTab = px(MaxTabSetHeight);
    return m;
}

// Where the system buttons start and how they step along the strip.
struct TButtonCursor {
    int X = 0;
    int Y = 0;
    int Dx = 0;
    int Dy = 0;
};

TButtonCursor ReserveCaptionStrip(const TFrameLayoutInput& in, const TFrameMetrics& m, int side, TReserves& r) {
    const int s = m.Caption;
    const bool packToStart = in.SystemButtonLayout == 1;
    switch (side) {
        case deTop:
            r.Top = s;
            return {packToStart ? -s : in.ClientWidth, 0, s, 0};
        case deBottom:
            r.Bottom = s;
            return {packToStart ? -s : in.ClientWidth, in.ClientHeight - s, s, 0};
        case deLeft:
            r.Left = s;
            return {0, packToStart ? -s : in.ClientHeight, 0, s};
        case deRight:
            r.Right = s;
            return {in.ClientWidth - s, packToStart ? -s : in.ClientHeight, 0, s};
        default:
            return {};
    }
}

// Shrinks the tab strip so that the scroll box keeps at least MinScrollBoxRoom
// pixels across the strip's direction; `room` is the space before the strip.
int ShrinkTabSetHeight(int height, int room, const TFrameMetrics& m) {
    if (room - height < m.MinRoom) return std::clamp(room - m.MinRoom, m.MinTab, m.MaxTab);
    return height;
}

// Places the tab strip and its splitter; returns the reserves grown by the strip.
// `h` is the strip's thickness at the window's DPI.
TReserves PlaceTabSet(const TFrameLayoutInput& in, const TFrameMetrics& m, const TReserves& r, int band, int& h,
                      TFrameLayout& out) {
    const int cw = in.ClientWidth;
    const int ch = in.ClientHeight;
    const int sp = m.Splitter;
    TReserves grown = r;
    out.PlaceTabSet = true;
    switch (out.TabSide) {
        case deTop:
            h = ShrinkTabSetHeight(h, ch - r.Bottom - r.Top - band, m);
            grown.Top = r.Top + h;
            out.Splitter = {r.Left, grown.Top + band - sp, cw - r.Left - r.Right, sp};
            out.TabSet = {r.Left, r.Top + band, cw - r.Left - r.Right, h - sp};
            out.SplitterCursor = TSplitterCursor::VSplit;
            out.TabPosition = tpTop;
            break;
        case deBottom:
            h = ShrinkTabSetHeight(h, ch - r.Bottom - r.Top - band, m);
            grown.Bottom = r.Bottom + h;
            out.Splitter = {r.Left, ch - grown.Bottom, cw - r.Left - r.Right, sp};
            out.TabSet = {r.Left, ch - grown.Bottom + sp, cw - r.Left - r.Right, h - sp};
            out.SplitterCursor = TSplitterCursor::VSplit;
            out.TabPosition = tpBottom;
            break;
        case deLeft:
            h = ShrinkTabSetHeight(h, cw - r.Right - r.Left, m);
            grown.Left = r.Left + h;
            out.Splitter = {grown.Left - sp, r.Top + band, sp, ch - r.Top - r.Bottom - band};
            out.TabSet = {r.Left, r.Top + band, h - sp, ch - r.Top - r.Bottom - band};
            out.SplitterCursor = TSplitterCursor::HSplit;
            out.TabPosition = tpLeft;
            break;
        case deRight:
            h = ShrinkTabSetHeight(h, cw - r.Right - r.Left, m);
            grown.Right = r.Right + h;
            out.Splitter = {cw - grown.Right, r.Top + band, sp, ch - r.Top - r.Bottom - band};
            out.TabSet = {cw - grown.Right + sp, r.Top + band, h - sp, ch - r.Top - r.Bottom - band};
            out.SplitterCursor = TSplitterCursor::HSplit;
            out.TabPosition = tpRight;
            break;
        default:
            out.PlaceTabSet = false;
            break;
    }
    out.TabSet = WithoutNegativeSize(out.TabSet);
    out.Splitter = WithoutNegativeSize(out.Splitter);
    return grown;
}

void PlaceSystemButtons(const TFrameLayoutInput& in, const TFrameMetrics& m, TButtonCursor c, TFrameLayout& out) {
    static constexpr TSystemButtonId towardEnd[sbCount] = {sbReboot, sbShutdown, sbScreenSaver, sbOpenFolder,
                                                           sbStopAutoRun};
    static constexpr TSystemButtonId towardStart[sbCount] = {sbStopAutoRun, sbOpenFolder, sbScreenSaver, sbShutdown,
                                                             sbReboot};
    const bool packToStart = in.SystemButtonLayout == 1;
    const int edge = std::max(m.Caption - ScaleToDpi(2, in.Dpi), 0);
    const int inset = ScaleToDpi(1, in.Dpi);
    for (TSystemButtonId id : packToStart ? towardStart : towardEnd) {
        if (!in.VisibleButtons[id]) {
            out.SystemButtons[id] = ParkedBounds;
            continue;
        }
        const int sign = packToStart ? 1 : -1;
        c.X += sign * c.Dx;
        c.Y += sign * c.Dy;
        out.SystemButtons[id] = {c.X + inset, c.Y + inset, edge, edge};
    }
}

void PlaceDockedBars(const TFrameLayoutInput& in, const TFrameMetrics& m, const TReserves& r, TFrameLayout& out) {
    const int width = std::max(in.ClientWidth - r.Left - r.Right, 0);
    const int band = m.Bar + m.BarSeparator;
    for (int i = 0; i < MaxSpaceTakingBars; ++i) {
        if (i < out.SpaceTakingBars) {
            out.BarContainers[i] = {r.Left, r.Top + band * i, width, m.Bar};
            out.BarSeparators[i] = {r.Left, r.Top + band * i + m.Bar, width, m.BarSeparator};
        } else {
            out.BarSeparators[i] = ParkedBounds;
        }
    }
}

}  // namespace

int ResolveCaptionSide(int titleBarLayout, int dockEdge) {
    if (IsSide(titleBarLayout)) return titleBarLayout;
    return IsSide(dockEdge) ? dockEdge : deNone;
}

int ResolveTabSide(int pageTabLayout, int dockEdge) {
    if (IsSide(pageTabLayout)) return pageTabLayout;
    return OppositeSide(dockEdge);
}

int ClampTabSetHeight(int height) { return std::clamp(height, MinTabSetHeight, MaxTabSetHeight); }

TBounds CaptionStripBounds(int captionSide, int clientWidth, int clientHeight, int captionWidth, int dpi) {
    const int s = ScaleToDpi(captionWidth, dpi);
    switch (captionSide) {
        case deTop:
            return {0, 0, clientWidth, s};
        case deBottom:
            return {0, clientHeight - s, clientWidth, s};
        case deLeft:
            return {0, 0, s, clientHeight};
        case deRight:
            return {clientWidth - s, 0, s, clientHeight};
        default:
            return {};
    }
}

int MinTrackHeight(int dockedBarCount, int dpi) {
    return ScaleToDpi(60, dpi) + ScaleToDpi(DockedBarBand, dpi) * std::clamp(dockedBarCount, 0, MaxSpaceTakingBars);
}

TFrameLayout ComputeFrameLayout(const TFrameLayoutInput& in) {
    const TFrameMetrics m = FrameMetrics(in);
    TFrameLayout out;
    out.CaptionSide = ResolveCaptionSide(in.TitleBarLayout, in.DockEdge);
    out.TabSide = ResolveTabSide(in.PageTabLayout, in.DockEdge);
    out.SpaceTakingBars = std::clamp(in.DockedBarCount, 0, MaxSpaceTakingBars);
    const int band = (m.Bar + m.BarSeparator) * out.SpaceTakingBars;

    TReserves reserves;
    const TButtonCursor cursor = ReserveCaptionStrip(in, m, out.CaptionSide, reserves);

    const int stored = in.HorizontalTab ? HorizontalTabSetHeight : ClampTabSetHeight(in.TabSetHeight);
    int thickness = ScaleToDpi(stored, in.Dpi);
    const TReserves withTabs = PlaceTabSet(in, m, reserves, band, thickness, out);
    // Unchanged unless shrunk, so a stored height never drifts by rounding.
    out.TabSetHeight = thickness == ScaleToDpi(stored, in.Dpi) ? stored : UnscaleFromDpi(thickness, in.Dpi);

    PlaceSystemButtons(in, m, cursor, out);
    out.ScrollBox =
        WithoutNegativeSize({withTabs.Left, withTabs.Top + band, in.ClientWidth - withTabs.Left - withTabs.Right,
                             in.ClientHeight - withTabs.Top - withTabs.Bottom - band});
    PlaceDockedBars(in, m, reserves, out);
    out.CaptionStrip = CaptionStripBounds(out.CaptionSide, in.ClientWidth, in.ClientHeight, in.CaptionWidth, in.Dpi);
    return out;
}
