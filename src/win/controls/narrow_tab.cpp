#include "controls/narrow_tab.h"

#include <windowsx.h>

#include <algorithm>
#include <array>

#include "base/double_buffer.h"
#include "base/win_text.h"
#include "text/text.h"

namespace {

constexpr UINT_PTR LeaveTimerId = 1;
constexpr UINT LeaveInterval = 200;
const wchar_t* const ClassName = L"VantorNarrowTab";

// Every pixel of a tab (0, 0, 12, 10), plus one column and row beyond: C tab
// colour, F face, H highlight, S shadow, K black, '.' not drawn. Larger tabs
// keep the four-pixel corner patterns and stretch the runs between them.
using TShapeTable = std::array<const char*, 11>;
constexpr TShapeTable TopShape = {"FFFFHHHHFFFF.", "FFHHCCCCHHFF.", "FHCCCCCCCCKF.", "FHCCCCCCCCKF.",
                                  "HCCCCCCCCCSK.", "HCCCCCCCCCSK.", "HCCCCCCCCCSK.", "HCCCCCCCCCSK.",
                                  "HCCCCCCCCCSK.", "HCCCCCCCCCSK.", "H............"};
constexpr TShapeTable BottomShape = {"HCCCCCCCCCS..", "HCCCCCCCCCSK.", "HCCCCCCCCCSK.", "HCCCCCCCCCSK.",
                                     "HCCCCCCCCCSK.", "HCCCCCCCCCSK.", "FHCCCCCCCSKF.", "FHCCCCCCSSKF.",
                                     "FFKKSSSSKKFF.", "FFFFKKKKFFFF.", "............."};
constexpr TShapeTable LeftShape = {"FFFFHHHHHHHHH", "FFHHCCCCCCCC.", "FHCCCCCCCCCC.", "FHCCCCCCCCCC.",
                                   "HCCCCCCCCCCC.", "HCCCCCCCCCCC.", "FHCCCCCCCCCC.", "FHCCCCCCCCCC.",
                                   "FFKKSSSSSSSS.", "FFFFKKKKKKKK.", "............."};
constexpr TShapeTable RightShape = {"HHHHHHHHFFFF.", "CCCCCCCCHHFF.", "CCCCCCCCCCKF.", "CCCCCCCCCCKF.",
                                    "CCCCCCCCCCSK.", "CCCCCCCCCCSK.", "CCCCCCCCCSKF.", "CCCCCCCCSSKF.",
                                    "SSSSSSSSKKFF.", "KKKKKKKKFFFF.", "............."};
constexpr int TableWidth = 12;
constexpr int TableHeight = 10;
constexpr int Corner = 4;
constexpr int MiddleIndex = 4;  // a column and a row of the stretched runs

const TShapeTable& ShapeFor(TNarrowTabPosition position) {
    switch (position) {
        case tpTop:
            return TopShape;
        case tpBottom:
            return BottomShape;
        case tpLeft:
            return LeftShape;
        case tpRight:
        default:
            return RightShape;
    }
}

// The table index of offset o (0..n, n being one beyond) in a run of n pixels.
int TableIndex(int o, int n, int tableLength) {
    const int fromEnd = n - o;
    if (o < Corner && o < fromEnd) return o;
    if (fromEnd <= Corner) return tableLength - fromEnd;
    if (o < Corner) return o;
    return MiddleIndex;
}

struct TRun {
    int From;
    int To;  // outside
    int Index;
};

// Offsets 0..n grouped into runs of equal table index.
std::vector<TRun> Runs(int n, int tableLength) {
    std::vector<TRun> runs;
    for (int o = 0; o <= n; ++o) {
        const int index = TableIndex(o, n, tableLength);
        if (!runs.empty() && runs.back().Index == index) {
            runs.back().To = o + 1;
        } else {
            runs.push_back({o, o + 1, index});
        }
    }
    return runs;
}

void FillSolid(HDC dc, const RECT& r, COLORREF color) {
    if (r.right <= r.left || r.bottom <= r.top) return;
    SetBkColor(dc, color);
    ExtTextOutW(dc, 0, 0, ETO_OPAQUE, &r, nullptr, 0, nullptr);
}

void FillSolid(HDC dc, const TRect& r, COLORREF color) { FillSolid(dc, RECT{r.Left, r.Top, r.Right, r.Bottom}, color); }

LOGFONTW DefaultTabFont() {
    LOGFONTW f{};
    f.lfHeight = -12;
    f.lfCharSet = SHIFTJIS_CHARSET;
    wcscpy(f.lfFaceName, L"ＭＳ Ｐゴシック");
    return f;
}

}  // namespace

void DrawNarrowTabShape(HDC dc, TNarrowTabPosition position, const RECT& r, COLORREF tabColor) {
    const TShapeTable& table = ShapeFor(position);
    const int width = r.right - r.left;
    const int height = r.bottom - r.top;
    if (width <= 0 || height <= 0) return;
    const COLORREF face = GetSysColor(COLOR_BTNFACE);
    const COLORREF highlight = GetSysColor(COLOR_BTNHIGHLIGHT);
    const COLORREF shadow = GetSysColor(COLOR_BTNSHADOW);
    const std::vector<TRun> columns = Runs(width, TableWidth);
    // Neighbouring runs of one colour are filled together, and so are alike
    // rows: a few fills per tab instead of one per run.
    struct TFill {
        RECT Rect;
        COLORREF Color;
    };
    std::vector<TFill> above;  // the rows before, not filled yet
    std::vector<TFill> row;
    auto fillAll = [dc](const std::vector<TFill>& fills) {
        for (const TFill& f : fills) FillSolid(dc, f.Rect, f.Color);
    };
    auto sameColumns = [](const std::vector<TFill>& a, const std::vector<TFill>& b) {
        if (a.size() != b.size()) return false;
        for (size_t i = 0; i < a.size(); ++i) {
            if (a[i].Color != b[i].Color || a[i].Rect.left != b[i].Rect.left || a[i].Rect.right != b[i].Rect.right)
                return false;
        }
        return true;
    };
    for (const TRun& rowRun : Runs(height, TableHeight)) {
        const char* line = table[rowRun.Index];
        row.clear();
        for (const TRun& column : columns) {
            COLORREF color;
            switch (line[column.Index]) {
                case 'C':
                    color = tabColor;
                    break;
                case 'F':
                    color = face;
                    break;
                case 'H':
                    color = highlight;
                    break;
                case 'S':
                    color = shadow;
                    break;
                case 'K':
                    color = RGB(0, 0, 0);
                    break;
                default:
                    continue;
            }
            const RECT cell{r.left + column.From, r.top + rowRun.From, r.left + column.To, r.top + rowRun.To};
            if (!row.empty() && row.back().Color == color && row.back().Rect.right == cell.left) {
                row.back().Rect.right = cell.right;
            } else {
                row.push_back(TFill{cell, color});
            }
        }
        if (!above.empty() && !row.empty() && above.front().Rect.bottom == r.top + rowRun.From &&
            sameColumns(above, row)) {
            for (TFill& f : above) f.Rect.bottom = r.top + rowRun.To;
        } else {
            fillAll(above);
            above = row;
        }
    }
    fillAll(above);
}

// --- TNarrowTabStrings ---

std::string TNarrowTabStrings::Get(int index) const { return Valid(index) ? FItems[index].Text : std::string(); }

void TNarrowTabStrings::Put(int index, const std::string& text) {
    if (!Valid(index)) return;
    FItems[index].Text = text;
    Changed();
}

void* TNarrowTabStrings::GetObject(int index) const { return Valid(index) ? FItems[index].Object : nullptr; }

void TNarrowTabStrings::PutObject(int index, void* object) {
    if (!Valid(index)) return;
    FItems[index].Object = object;
    Changed();
}

int TNarrowTabStrings::AddObject(const std::string& text, void* object) {
    FItems.push_back({text, object});
    Changed();
    return Count() - 1;
}

void TNarrowTabStrings::AddStrings(const std::vector<std::string>& texts) {
    if (texts.empty()) return;
    // One re-measure for the lot: once per string made filling 32 tabs quadratic.
    for (const std::string& text : texts) FItems.push_back({text, nullptr});
    Changed();
}

void TNarrowTabStrings::Clear() {
    if (FItems.empty()) return;
    FItems.clear();
    Changed();
}

void TNarrowTabStrings::Delete(int index) {
    if (!Valid(index)) return;
    FItems.erase(FItems.begin() + index);
    Changed();
}

void TNarrowTabStrings::Exchange(int a, int b) {
    if (!Valid(a) || !Valid(b)) return;
    std::swap(FItems[a], FItems[b]);
    Changed();
}

int TNarrowTabStrings::IndexOf(const std::string& text) const {
    for (int i = 0; i < Count(); ++i) {
        if (SameText(FItems[i].Text, text)) return i;
    }
    return -1;
}

void TNarrowTabStrings::Insert(int index, const std::string& text) {
    if (index < 0 || index > Count()) return;
    FItems.insert(FItems.begin() + index, TItem{text, nullptr});
    Changed();
}

void TNarrowTabStrings::Move(int from, int to) {
    if (!Valid(from) || !Valid(to) || from == to) return;
    TItem item = FItems[from];
    FItems.erase(FItems.begin() + from);
    FItems.insert(FItems.begin() + to, item);
    Changed();
}

void TNarrowTabStrings::Changed() { FOwner.TabsChanged(); }

// --- TNarrowTab ---

struct TNarrowTab::TPaintTools {
    COLORREF Face = GetSysColor(COLOR_BTNFACE);
    COLORREF Highlight = GetSysColor(COLOR_BTNHIGHLIGHT);
    COLORREF Shadow = GetSysColor(COLOR_BTNSHADOW);
    COLORREF Black = RGB(0, 0, 0);
    COLORREF Selected = 0;
    COLORREF Unselected = 0;
    COLORREF Text = 0;
};

TNarrowTab::TNarrowTab() : TWinControl(TBounds{0, 0, 128, 64}), FTabs(*this), FFont(DefaultTabFont()) {
    FBack.OnScroll = [this](TComponent&) { Scroll(-1); };
    FForward.OnScroll = [this](TComponent&) { Scroll(+1); };
    FControls.Add(FBack);
    FControls.Add(FForward);
    RebuildCanvasFont();
    PlaceArrows();
}

TNarrowTab::~TNarrowTab() { DestroyHandle(); }

bool TNarrowTab::Create(HWND parent, const TBounds& bounds) {
    if (!CreateChild(ClassName, 0, parent, bounds)) return false;
    FControls.SetParent(Handle());
    RegisterDragWindow(Handle(), this);
    FGeometry.SetSize(bounds.Width, bounds.Height);
    MeasureTabs();
    PlaceArrows();
    return true;
}

void TNarrowTab::InitialBoundsChanged() { ClientResized(ClientWidth(), ClientHeight()); }

void TNarrowTab::ClientResized(int width, int height) {
    FGeometry.SetSize(width, height);
    PlaceArrows();
}

void TNarrowTab::SetAutoRepeat(bool value) {
    FBack.SetAutoRepeat(value);
    FForward.SetAutoRepeat(value);
}

void TNarrowTab::SetAutoScroll(bool value) {
    FBack.SetAutoScroll(value);
    FForward.SetAutoScroll(value);
}

void TNarrowTab::SetHotTrack(bool value) {
    FHotTrack = value;
    if (!value) FHotIndex = -1;
    UpdateScroll();
}

void TNarrowTab::SetLeftMargin(int value) {
    FGeometry.SetLeftMargin(value);
    UpdateScroll();
}

void TNarrowTab::SetRightMargin(int value) {
    FGeometry.SetRightMargin(value);
    UpdateScroll();
}

void TNarrowTab::SetMaxTabWidth(int value) {
    FGeometry.SetMaxTabWidth(value);
    UpdateScroll();
}

void TNarrowTab::SetArrowLength(int value) {
    FGeometry.SetArrowLength(value);
    UpdateScroll();
}

void TNarrowTab::SetMinTabWidth(int value) {
    FGeometry.SetMinTabWidth(value);
    UpdateScroll();
}

void TNarrowTab::SetPosition(TNarrowTabPosition position) {
    FGeometry.SetPosition(position);
    RebuildCanvasFont();
    PlaceArrows();
}

void TNarrowTab::SetTabHeight(int value) {
    FGeometry.SetTabHeight(value);
    UpdateScroll();
}

void TNarrowTab::SetTabWidth(int value) {
    FGeometry.SetTabWidth(value);
    UpdateScroll();
}

void TNarrowTab::SetVertical(bool value) {
    FGeometry.SetVertical(value);
    RebuildCanvasFont();
    UpdateScroll();
}

void TNarrowTab::SetSelectedColor(TColor color) {
    FSelectedColor = color;
    UpdateScroll();
}

void TNarrowTab::SetUnselectedColor(TColor color) {
    FUnselectedColor = color;
    UpdateScroll();
}

void TNarrowTab::SetTextColor(TColor color) {
    FTextColor = color;
    UpdateScroll();
}

void TNarrowTab::SetFont(const LOGFONTW& font) {
    FFont = font;
    RebuildCanvasFont();
    MeasureTabs();
    UpdateScroll();
}

// The captions' font: the control's font turned by the escapement its side
// and mode need, asked for by cell height.
void TNarrowTab::RebuildCanvasFont() {
    LOGFONTW f{};
    f.lfHeight = -FFont.lfHeight;
    f.lfEscapement = FGeometry.Escapement();
    f.lfWeight = FFont.lfWeight >= FW_BOLD ? FW_BOLD : 0;
    f.lfItalic = FFont.lfItalic;
    f.lfUnderline = FFont.lfUnderline;
    f.lfStrikeOut = FFont.lfStrikeOut;
    f.lfCharSet = FFont.lfCharSet;
    wcsncpy(f.lfFaceName, FFont.lfFaceName, LF_FACESIZE - 1);
    FCanvasFont.Reset(CreateFontIndirectW(&f));
    FCanvasFontHeight = std::abs(f.lfHeight);
}

void TNarrowTab::MeasureTabs() {
    HDC dc = GetDC(Handle());
    std::vector<int> widths;
    widths.reserve(FTabs.Count());
    {
        TSelectObject font(dc, FCanvasFont.Get());
        for (int i = 0; i < FTabs.Count(); ++i) {
            const std::wstring text = Widen(FTabs.Get(i));
            SIZE size{};
            GetTextExtentPoint32W(dc, text.c_str(), static_cast<int>(text.size()), &size);
            widths.push_back(size.cx);
        }
    }
    ReleaseDC(Handle(), dc);
    FTextWidths = widths;
    FGeometry.SetTabTextWidths(std::move(widths));
}

void TNarrowTab::TabsChanged() {
    MeasureTabs();
    if (FHotIndex >= FTabs.Count()) FHotIndex = -1;
    // The list is refilled whole when captions change: the selected tab stays in sight.
    FGeometry.ScrollIntoView(FGeometry.TabIndex());
    UpdateScroll();
}

void TNarrowTab::UpdateScroll() {
    FBack.SetEnabled(FGeometry.BackEnabled());
    FForward.SetEnabled(FGeometry.ForwardEnabled());
    if (Handle()) InvalidateRect(Handle(), nullptr, FALSE);
}

void TNarrowTab::PlaceArrows() {
    const TTabArrows arrows = FGeometry.Arrows();
    FBack.SetBounds(arrows.Back);
    FBack.SetKind(arrows.BackKind);
    FForward.SetBounds(arrows.Forward);
    FForward.SetKind(arrows.ForwardKind);
    UpdateScroll();
}

void TNarrowTab::SetFirstVisible(int index) {
    if (FGeometry.SetFirstVisible(index)) UpdateScroll();
}

void TNarrowTab::Scroll(int delta) { SetFirstVisible(FGeometry.FirstVisible() + delta); }

void TNarrowTab::ScrollIntoView(int index) {
    if (FGeometry.ScrollIntoView(index)) UpdateScroll();
}

void TNarrowTab::SetTabIndex(int index) {
    const TTabSelection selection = FGeometry.SetTabIndex(index);
    if (!selection.Changed) return;
    if (selection.Scrolled) {
        UpdateScroll();
    } else {
        FBack.SetEnabled(FGeometry.BackEnabled());
        FForward.SetEnabled(FGeometry.ForwardEnabled());
    }
    for (const TRect& r : MergeTouchingRects(selection.RepaintRects)) PaintNow(RECT{r.Left, r.Top, r.Right, r.Bottom});
    if (OnChange) OnChange(*this);
}

// Repaints one tab at once, clipped to it (and widened where it overlaps its
// neighbours), instead of invalidating the strip: switching pages never flickers.
void TNarrowTab::RepaintTab(int k) {
    const TRect r = FGeometry.PartialRect(k);
    if (r.Left == PartialRectUnset) return;
    PaintNow(RECT{r.Left, r.Top, r.Right, r.Bottom});
}

void TNarrowTab::PaintNow(const RECT& clip) {
    if (!Handle() || !IsWindowVisible(Handle())) return;
    TWindowDC dc(Handle());
    PaintArea(dc.DC(), clip);
}

void TNarrowTab::PaintArea(HDC dc, const RECT& clip) {
    TDoubleBuffer buffer(dc, clip);
    PaintStrip(buffer.DC());
    FControls.PaintControls(buffer.DC(), clip);
}

void TNarrowTab::PaintPageEdge(HDC dc, const TPaintTools& tools, int from, int to) const {
    const int w = FGeometry.Width();
    const int h = FGeometry.Height();
    switch (FGeometry.Position()) {
        case tpTop:
            FillSolid(dc, RECT{from, h - 2, to, h - 1}, tools.Face);
            FillSolid(dc, RECT{from, h - 1, to, h}, tools.Highlight);
            break;
        case tpBottom:
            FillSolid(dc, RECT{from, 1, to, 2}, tools.Black);
            FillSolid(dc, RECT{from, 0, to, 1}, tools.Shadow);
            break;
        case tpLeft:
            FillSolid(dc, RECT{w - 2, from, w - 1, to}, tools.Face);
            FillSolid(dc, RECT{w - 1, from, w, to}, tools.Highlight);
            break;
        case tpRight:
            FillSolid(dc, RECT{1, from, 2, to}, tools.Black);
            FillSolid(dc, RECT{0, from, 1, to}, tools.Shadow);
            break;
    }
}

void TNarrowTab::PaintTab(HDC dc, const TPaintTools& tools, int k) const {
    const TRect& r = FGeometry.TabRects()[k];
    const bool selected = k == FGeometry.TabIndex();
    const TRect painted = FGeometry.PaintedTabRect(k);
    DrawNarrowTabShape(dc, FGeometry.Position(), RECT{painted.Left, painted.Top, painted.Right, painted.Bottom},
                       selected ? tools.Selected : tools.Unselected);
    if (!selected) {
        // An unselected tab stands behind the page: the page edge runs across it.
        if (FGeometry.IsHorizontalStrip()) {
            PaintPageEdge(dc, tools, r.Left, r.Right);
        } else {
            PaintPageEdge(dc, tools, r.Top, r.Bottom);
        }
    }
    FillSolid(dc, FGeometry.FarSideFill(k), tools.Face);
    const std::wstring caption = FittedCaption(dc, k);
    const TPoint at = FGeometry.CaptionOrigin(k, FTextWidths[k], FCanvasFontHeight);
    const TRect c = FGeometry.CaptionClip(k);
    const RECT clip{c.Left, c.Top, c.Right, c.Bottom};
    ExtTextOutW(dc, at.X, at.Y, ETO_CLIPPED, &clip, caption.c_str(), static_cast<UINT>(caption.size()), nullptr);
    if (FHotTrack && k == FHotIndex) PaintHotLine(dc, k);
}

// A cut caption says so: it ends in "..." (narrower than a Japanese font's
// "…", as the system's own ellipsis is), still 3 pixels from the tab's start,
// rather than in half a letter. A caption whose last letter leaves blank room
// at its end is whole as long as its ink is.
std::wstring TNarrowTab::FittedCaption(HDC dc, int k) const {
    std::wstring caption = Widen(FTabs.Get(k));
    if (k < 0 || static_cast<size_t>(k) >= FTextWidths.size() || caption.empty()) return caption;
    const int room = FGeometry.CaptionRoom(k);
    ABC last{};
    const UINT letter = caption.back();
    const int blankEnd = GetCharABCWidthsW(dc, letter, letter, &last) ? std::max(0, last.abcC) : 0;
    if (FTextWidths[static_cast<size_t>(k)] - blankEnd <= room) return caption;
    static const std::wstring kEllipsis = L"...";
    SIZE ellipsis{};
    GetTextExtentPoint32W(dc, kEllipsis.c_str(), static_cast<int>(kEllipsis.size()), &ellipsis);
    int fit = 0;
    SIZE size{};
    GetTextExtentExPointW(dc, caption.c_str(), static_cast<int>(caption.size()),
                          std::max(0, room - static_cast<int>(ellipsis.cx)), &fit, nullptr, &size);
    caption.resize(static_cast<size_t>(std::max(0, fit)));
    return caption + kEllipsis;
}

std::wstring TNarrowTab::ShownCaption(int k) const {
    TWindowDC dc(Handle());
    TSelectObject font(dc.DC(), FCanvasFont.Get());
    return FittedCaption(dc.DC(), k);
}

// The hot tab gets a line in the text colour along its caption.
void TNarrowTab::PaintHotLine(HDC dc, int k) const {
    const TRect& r = FGeometry.TabRects()[k];
    const int h = FCanvasFontHeight;
    const int tw = FGeometry.TabWidth();
    const COLORREF color = ColorToRGB(FTextColor);
    switch (FGeometry.Position()) {
        case tpTop: {
            const int x = r.Right - (tw - h) / 2;
            FillSolid(dc, RECT{x, r.Top + 2, x + 1, r.Bottom - 2}, color);
            break;
        }
        case tpBottom: {
            const int x = r.Left + (tw - h) / 2;
            FillSolid(dc, RECT{x, r.Top + 2, x + 1, r.Bottom - 2}, color);
            break;
        }
        default: {
            const int y = r.Top + (tw + h) / 2;
            FillSolid(dc, RECT{r.Left + 2, y, r.Right - 2, y + 1}, color);
            break;
        }
    }
}

void TNarrowTab::PaintStrip(HDC dc) {
    TPaintTools tools;
    tools.Selected = ColorToRGB(FSelectedColor);
    tools.Unselected = ColorToRGB(FUnselectedColor);
    tools.Text = ColorToRGB(FTextColor);
    RECT clip;
    GetClipBox(dc, &clip);
    // Nothing below is left unpainted; the fill only keeps stray pixels out.
    FillSolid(dc, clip, tools.Face);
    for (const TRect& stretch : FGeometry.FaceStretches()) FillSolid(dc, stretch, tools.Face);

    const int start = FGeometry.TabsStart();
    const int end = start + FGeometry.VisibleTabsLength();
    PaintPageEdge(dc, tools, 0, start);
    PaintPageEdge(dc, tools, end, FGeometry.StripLength());

    TSelectObject font(dc, FCanvasFont.Get());
    SetBkMode(dc, TRANSPARENT);
    ::SetTextColor(dc, tools.Text);
    SetTextAlign(dc, TA_LEFT | TA_TOP);
    const int first = FGeometry.FirstVisible();
    const int last = first + FGeometry.VisibleCount() - 1;
    const int selected = FGeometry.TabIndex();
    // A repaint of one or two tabs draws only the tabs that reach into it.
    const TRect area{clip.left, clip.top, clip.right, clip.bottom};
    auto reaches = [&](int k) { return FGeometry.TabPaintExtent(k).Intersects(area); };
    for (int k = first; k <= last; ++k) {
        if (k != selected && reaches(k)) PaintTab(dc, tools, k);
    }
    // The selected tab overlaps its neighbours.
    if (selected >= first && selected <= last && reaches(selected)) PaintTab(dc, tools, selected);
}

void TNarrowTab::MouseEntered() {
    if (FMouseInside) return;
    FMouseInside = true;
    SetTimer(Handle(), LeaveTimerId, LeaveInterval, nullptr);
    if (OnMouseEnter) OnMouseEnter(*this);
}

void TNarrowTab::MouseLeft() {
    if (!FMouseInside) return;
    FMouseInside = false;
    KillTimer(Handle(), LeaveTimerId);
    if (FHotIndex != -1) {
        const int old = FHotIndex;
        FHotIndex = -1;
        RepaintTab(old);
    }
    if (OnMouseExit) OnMouseExit(*this);
}

void TNarrowTab::MouseMoved(WPARAM wParam, int x, int y) {
    MouseEntered();
    if (!FLeaveTracked) {
        TRACKMOUSEEVENT tme{sizeof(tme), TME_LEAVE, Handle(), 0};
        FLeaveTracked = TrackMouseEvent(&tme) != FALSE;
    }
    if (FControls.HandleMouseMessage(WM_MOUSEMOVE, wParam, MAKELPARAM(x, y))) return;
    if (OnMouseMove) OnMouseMove(*this, MouseShiftState(wParam), x, y);
    const int k = FGeometry.TabAtPos(x, y);
    if (FHotTrack && k != FHotIndex) {
        const int old = FHotIndex;
        FHotIndex = k;
        RepaintTab(old);
        RepaintTab(k);
    }
}

void TNarrowTab::MouseDown(TMouseButton button, TShiftState shift, int x, int y) {
    TWinControl::MouseDown(button, shift, x, y);
    // A tab is selected on the press, not on the release.
    if (button != mbLeft) return;
    const int k = FGeometry.TabAtPos(x, y);
    if (k != -1 && k != FGeometry.TabIndex()) SetTabIndex(k);
}

TComponent* TNarrowTab::BeginDrag() {
    if (!Handle()) return nullptr;
    CancelPress();
    const TDragResult r = RunDrag(Handle(), *this);
    if (OnEndDrag) OnEndDrag(*this, r.Target, r.At.x, r.At.y);
    return r.Target;
}

TDragSite* TNarrowTab::DragSiteAt(POINT&) { return this; }

LRESULT TNarrowTab::HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) {
    switch (msg) {
        case WM_ERASEBKGND:
            return 1;
        case WM_PAINT: {
            TPaintDC dc(Handle());
            PaintArea(dc.DC(), dc.PaintRect());
            return 0;
        }
        case WM_TIMER:
            if (wParam == LeaveTimerId) {
                POINT p;
                GetCursorPos(&p);
                ScreenToClient(Handle(), &p);
                RECT client;
                GetClientRect(Handle(), &client);
                if (!PtInRect(&client, p)) MouseLeft();
                return 0;
            }
            break;
        case WM_MOUSEMOVE:
            MouseMoved(wParam, GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam));
            return 0;
        case WM_MOUSELEAVE:
            FLeaveTracked = false;
            FControls.HandleMouseMessage(msg, wParam, lParam);
            MouseLeft();
            return 0;
        case WM_DESTROY:
            RegisterDragWindow(Handle(), nullptr);
            KillTimer(Handle(), LeaveTimerId);
            break;
    }
    return TWinControl::HandleMessage(msg, wParam, lParam);
}
