#include <gtest/gtest.h>
#include <windows.h>

#include <string>
#include <vector>

#include "base/win_text.h"
#include "controls/narrow_tab.h"
#include "controls/region.h"
#include "controls_test_support.h"

namespace {

const COLORREF Marker = RGB(1, 2, 3);
const COLORREF TabColor = RGB(200, 100, 50);

COLORREF Expected(char c) {
    switch (c) {
        case 'C':
            return TabColor;
        case 'F':
            return GetSysColor(COLOR_BTNFACE);
        case 'H':
            return GetSysColor(COLOR_BTNHIGHLIGHT);
        case 'S':
            return GetSysColor(COLOR_BTNSHADOW);
        case 'K':
            return RGB(0, 0, 0);
        default:
            return Marker;
    }
}

void ExpectShape(TNarrowTabPosition position, const std::vector<std::string>& rows) {
    TTestCanvas canvas(14, 12, Marker);
    DrawNarrowTabShape(canvas.DC(), position, RECT{0, 0, 12, 10}, TabColor);
    for (int y = 0; y < static_cast<int>(rows.size()); ++y) {
        for (int x = 0; x < static_cast<int>(rows[y].size()); ++x) {
            EXPECT_EQ(canvas.Pixel(x, y), Expected(rows[y][x])) << "position " << position << " x " << x << " y " << y;
        }
    }
    // Nothing beyond the one extra column and row.
    EXPECT_EQ(canvas.Pixel(13, 5), Marker);
    EXPECT_EQ(canvas.Pixel(5, 11), Marker);
}

// A strip on a hidden window with `count` tabs "ページ1", "ページ2", ...
struct TStripFixture {
    TTestTopWindow window;
    TNarrowTab strip;
    int changes = 0;

    TStripFixture(int count, const TBounds& bounds, bool vertical = true) {
        window.Create(600, 400);
        strip.SetVertical(vertical);
        strip.Create(window.Handle(), bounds);
        strip.SetLeftMargin(2);
        strip.SetRightMargin(2);
        for (int i = 0; i < count; ++i) strip.Tabs().Add("ページ" + std::to_string(i + 1));
        strip.OnChange = [this](TComponent&) { ++changes; };
    }
    void Send(UINT msg, WPARAM keys, int x, int y) { SendMessageW(strip.Handle(), msg, keys, MAKELPARAM(x, y)); }
    POINT CentreOf(int k) const {
        const TRect& r = strip.Geometry().TabRects()[k];
        return POINT{(r.Left + r.Right) / 2, (r.Top + r.Bottom) / 2};
    }
};

// The strip's pixels as its window shows them now.
std::vector<COLORREF> ShownPixels(HWND window, int width, int height) {
    TTestCanvas canvas(width, height);
    HDC dc = GetDC(window);
    BitBlt(canvas.DC(), 0, 0, width, height, dc, 0, 0, SRCCOPY);
    ReleaseDC(window, dc);
    std::vector<COLORREF> pixels;
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) pixels.push_back(canvas.Pixel(x, y));
    return pixels;
}

}  // namespace

TEST(NarrowTabShape, EverySideMatchesItsPixelPattern) {
    ExpectShape(tpTop,
                {"FFFFHHHHFFFF.", "FFHHCCCCHHFF.", "FHCCCCCCCCKF.", "FHCCCCCCCCKF.", "HCCCCCCCCCSK.", "HCCCCCCCCCSK.",
                 "HCCCCCCCCCSK.", "HCCCCCCCCCSK.", "HCCCCCCCCCSK.", "HCCCCCCCCCSK.", "H............"});
    ExpectShape(tpBottom,
                {"HCCCCCCCCCS..", "HCCCCCCCCCSK.", "HCCCCCCCCCSK.", "HCCCCCCCCCSK.", "HCCCCCCCCCSK.", "HCCCCCCCCCSK.",
                 "FHCCCCCCCSKF.", "FHCCCCCCSSKF.", "FFKKSSSSKKFF.", "FFFFKKKKFFFF.", "............."});
    ExpectShape(tpLeft,
                {"FFFFHHHHHHHHH", "FFHHCCCCCCCC.", "FHCCCCCCCCCC.", "FHCCCCCCCCCC.", "HCCCCCCCCCCC.", "HCCCCCCCCCCC.",
                 "FHCCCCCCCCCC.", "FHCCCCCCCCCC.", "FFKKSSSSSSSS.", "FFFFKKKKKKKK.", "............."});
    ExpectShape(tpRight,
                {"HHHHHHHHFFFF.", "CCCCCCCCHHFF.", "CCCCCCCCCCKF.", "CCCCCCCCCCKF.", "CCCCCCCCCCSK.", "CCCCCCCCCCSK.",
                 "CCCCCCCCCSKF.", "CCCCCCCCSSKF.", "SSSSSSSSKKFF.", "KKKKKKKKFFFF.", "............."});
}

TEST(NarrowTabShape, LargerTabsKeepTheCornersAndStretchTheRuns) {
    TTestCanvas canvas(40, 30, Marker);
    DrawNarrowTabShape(canvas.DC(), tpTop, RECT{5, 3, 35, 23}, TabColor);  // 30 x 20
    EXPECT_EQ(canvas.Pixel(5 + 3, 3), Expected('F'));
    EXPECT_EQ(canvas.Pixel(5 + 4, 3), Expected('H'));
    EXPECT_EQ(canvas.Pixel(5 + 25, 3), Expected('H'));
    EXPECT_EQ(canvas.Pixel(5 + 26, 3), Expected('F'));
    EXPECT_EQ(canvas.Pixel(5 + 15, 3 + 10), TabColor);
    EXPECT_EQ(canvas.Pixel(5, 3 + 10), Expected('H'));
    EXPECT_EQ(canvas.Pixel(5 + 28, 3 + 10), Expected('S'));
    EXPECT_EQ(canvas.Pixel(5 + 29, 3 + 10), Expected('K'));
    EXPECT_EQ(canvas.Pixel(5, 3 + 20), Expected('H'));
    EXPECT_EQ(canvas.Pixel(5 + 1, 3 + 20), Marker);
    EXPECT_EQ(canvas.Pixel(5 + 30, 3 + 10), Marker);
}

TEST(NarrowTab, APressSelectsATabOnceAndAfterTheMouseDownEvent) {
    TStripFixture t(12, TBounds{0, 0, 201, 40});
    std::vector<std::string> events;
    t.strip.OnMouseDown = [&](TComponent&, TMouseButton, TShiftState, int, int) { events.push_back("down"); };
    t.strip.OnChange = [&](TComponent&) { events.push_back("change " + std::to_string(t.strip.TabIndex())); };
    EXPECT_EQ(t.strip.VisibleCount(), 8);
    const POINT third = t.CentreOf(3);
    EXPECT_EQ(t.strip.TabAtPos(third.x, third.y), 3);
    t.Send(WM_LBUTTONDOWN, MK_LBUTTON, third.x, third.y);
    t.Send(WM_LBUTTONUP, 0, third.x, third.y);
    EXPECT_EQ(events, (std::vector<std::string>{"down", "change 3"}));
    // Pressing the selected tab changes nothing.
    t.Send(WM_LBUTTONDOWN, MK_LBUTTON, third.x, third.y);
    t.Send(WM_LBUTTONUP, 0, third.x, third.y);
    EXPECT_EQ(events.size(), 3u);
    // Nor do presses beside the tabs or with the right button.
    const POINT fifth = t.CentreOf(5);
    t.Send(WM_RBUTTONDOWN, MK_RBUTTON, fifth.x, fifth.y);
    EXPECT_EQ(t.strip.TabIndex(), 3);
}

TEST(NarrowTab, SelectingBeyondTheVisibleRunScrollsItIntoView) {
    TStripFixture t(12, TBounds{0, 0, 201, 40});
    t.strip.SetTabIndex(10);
    EXPECT_EQ(t.changes, 1);
    EXPECT_EQ(t.strip.FirstVisible() + t.strip.VisibleCount() - 1, 10);
    EXPECT_TRUE(t.strip.BackButton().Enabled());
    EXPECT_TRUE(t.strip.ForwardButton().Enabled());
    t.strip.SetTabIndex(11);
    EXPECT_FALSE(t.strip.ForwardButton().Enabled());
    t.strip.SetTabIndex(0);
    EXPECT_EQ(t.strip.FirstVisible(), 0);
    EXPECT_FALSE(t.strip.BackButton().Enabled());
    EXPECT_EQ(t.changes, 3);
    t.strip.SetTabIndex(50);
    EXPECT_EQ(t.strip.TabIndex(), 11);
    t.strip.Tabs().Clear();
    t.strip.SetTabIndex(5);
    EXPECT_EQ(t.strip.TabIndex(), -1);
}

TEST(NarrowTab, ArrowsScrollOneStepPerClickWithoutRepeat) {
    TStripFixture t(12, TBounds{0, 0, 201, 40});
    t.strip.SetAutoScroll(false);
    t.strip.SetAutoRepeat(false);
    const TBounds forward = t.strip.ForwardButton().Bounds();
    const int x = forward.Left + 5;
    const int y = forward.Top + 5;
    t.Send(WM_LBUTTONDOWN, MK_LBUTTON, x, y);
    EXPECT_EQ(t.strip.FirstVisible(), 1);
    EXPECT_TRUE(t.strip.ForwardButton().Active());  // drawn pressed until the release
    EXPECT_FALSE(t.strip.ForwardButton().RepeatTimerRunning());
    t.Send(WM_LBUTTONUP, 0, x, y);
    EXPECT_FALSE(t.strip.ForwardButton().Active());
    EXPECT_EQ(t.strip.FirstVisible(), 1);
    EXPECT_EQ(t.changes, 0);  // scrolling is no selection

    // With repeat, the press starts the timer and the first step waits for it.
    t.strip.SetAutoRepeat(true);
    t.Send(WM_LBUTTONDOWN, MK_LBUTTON, x, y);
    EXPECT_EQ(t.strip.FirstVisible(), 1);
    EXPECT_TRUE(t.strip.ForwardButton().RepeatTimerRunning());
    t.Send(WM_LBUTTONUP, 0, x, y);
    EXPECT_FALSE(t.strip.ForwardButton().RepeatTimerRunning());
}

TEST(NarrowTab, APressOnTheStripEndsWhereverItIsReleased) {
    TStripFixture t(12, TBounds{0, 0, 201, 40});
    std::vector<std::string> events;
    t.strip.OnClick = [&](TComponent&) { events.push_back("click"); };
    t.strip.OnMouseUp = [&](TComponent&, TMouseButton, TShiftState, int, int) { events.push_back("up"); };
    const POINT second = t.CentreOf(1);
    t.Send(WM_LBUTTONDOWN, MK_LBUTTON, second.x, second.y);
    ASSERT_EQ(GetCapture(), t.strip.Handle());
    // Released over an arrow: the strip's own press ends there, the arrow sees nothing.
    const TBounds forward = t.strip.ForwardButton().Bounds();
    t.Send(WM_LBUTTONUP, 0, forward.Left + 5, forward.Top + 5);
    EXPECT_NE(GetCapture(), t.strip.Handle());
    EXPECT_EQ(events, (std::vector<std::string>{"click", "up"}));
    EXPECT_EQ(t.strip.FirstVisible(), 0);
    // Released outside the strip: no click.
    t.Send(WM_LBUTTONDOWN, MK_LBUTTON, second.x, second.y);
    t.Send(WM_LBUTTONUP, 0, 500, 5);
    EXPECT_NE(GetCapture(), t.strip.Handle());
    EXPECT_EQ(events.back(), "up");
    EXPECT_EQ(events.size(), 3u);
}

TEST(NarrowTab, CaptionChangesLayTheStripOutAgain) {
    TStripFixture t(3, TBounds{0, 0, 300, 24}, false);
    t.strip.SetMinTabWidth(16);
    t.strip.SetMaxTabWidth(64);
    const int before = t.strip.Geometry().TabRects()[0].Width();
    t.strip.Tabs().Put(0, "とても長いページの名前です");
    EXPECT_GT(t.strip.Geometry().TabRects()[0].Width(), before);
    EXPECT_EQ(t.strip.Geometry().TabRects()[0].Width(), 64);
    EXPECT_EQ(t.strip.Tabs().IndexOf("ﾍﾟｰｼﾞ2"), -1);
    t.strip.Tabs().Put(1, "Page");
    EXPECT_EQ(t.strip.Tabs().IndexOf("PAGE"), 1);
    t.strip.Tabs().Move(0, 2);
    EXPECT_EQ(t.strip.Tabs()[2], "とても長いページの名前です");
    EXPECT_EQ(t.strip.Geometry().TabRects()[2].Width(), 64);
    t.strip.Tabs().Delete(7);  // out of range: nothing
    EXPECT_EQ(t.strip.Tabs().Count(), 3);
}

// The first-run pages in the window's font, at the default tab widths and in
// a strip 50 pixels thick: a caption its tab cannot hold ends in "..." inside
// the tab, in both modes; one it holds is shown whole.
TEST(NarrowTab, ACaptionLongerThanItsTabEndsInAnEllipsis) {
    const std::wstring kEllipsis = L"...";
    for (const bool vertical : {false, true}) {
        TStripFixture t(0, TBounds{0, 0, 360, vertical ? 50 : 20}, vertical);
        LOGFONTW font{};
        font.lfHeight = 12;
        font.lfCharSet = SHIFTJIS_CHARSET;
        wcscpy(font.lfFaceName, L"\xFF2D\xFF33 \xFF30\x30B4\x30B7\x30C3\x30AF");  // ＭＳ Ｐゴシック
        t.strip.SetFont(font);
        t.strip.SetPosition(tpBottom);
        t.strip.SetMinTabWidth(16);
        t.strip.SetMaxTabWidth(64);
        t.strip.Tabs().AddStrings(
            {"デスクトップ", "アクセサリ", "システム ツール", "ゲーム", "とても長いページの名前です"});
        HDC dc = GetDC(t.strip.Handle());
        LOGFONTW canvas = font;
        canvas.lfEscapement = t.strip.Geometry().Escapement();
        HFONT measured = CreateFontIndirectW(&canvas);
        HGDIOBJ old = SelectObject(dc, measured);
        for (int k = 0; k < t.strip.Tabs().Count(); ++k) {
            const std::wstring caption = Widen(t.strip.Tabs()[k]);
            const std::wstring shown = t.strip.ShownCaption(k);
            SIZE whole{}, part{};
            GetTextExtentPoint32W(dc, caption.c_str(), static_cast<int>(caption.size()), &whole);
            GetTextExtentPoint32W(dc, shown.c_str(), static_cast<int>(shown.size()), &part);
            const int room = t.strip.Geometry().CaptionRoom(k);
            if (whole.cx <= room) {
                EXPECT_EQ(shown, caption) << "vertical " << vertical << " tab " << k;
            }
            if (shown == caption) continue;
            EXPECT_LE(part.cx, room) << "vertical " << vertical << " tab " << k;
            ASSERT_GT(shown.size(), kEllipsis.size()) << "vertical " << vertical << " tab " << k;
            const size_t kept = shown.size() - kEllipsis.size();
            EXPECT_EQ(shown.substr(kept), kEllipsis) << "vertical " << vertical << " tab " << k;
            EXPECT_EQ(caption.compare(0, kept, shown, 0, kept), 0) << "vertical " << vertical << " tab " << k;
        }
        SelectObject(dc, old);
        DeleteObject(measured);
        ReleaseDC(t.strip.Handle(), dc);
        // デスクトップ is longer than both tabs; at 64 pixels アクセサリ fills its
        // tab to the last pixel and is shown whole, as it was before.
        EXPECT_NE(t.strip.ShownCaption(0), Widen("デスクトップ")) << "vertical " << vertical;
        EXPECT_EQ(t.strip.ShownCaption(3), Widen("ゲーム")) << "vertical " << vertical;
        if (!vertical) {
            EXPECT_EQ(t.strip.ShownCaption(0), Widen("デスク..."));
            EXPECT_EQ(t.strip.ShownCaption(1), Widen("アクセサリ"));
        }
    }
}

TEST(NarrowTab, CaptionsAddedTogetherLayOutAsWhenAddedOneByOne) {
    TStripFixture single(0, TBounds{0, 0, 300, 24}, false);
    TStripFixture together(0, TBounds{0, 0, 300, 24}, false);
    const std::vector<std::string> captions = {"ページ1", "とても長いページの名前", "P", "ページ4", "ページ5"};
    for (const std::string& caption : captions) single.strip.Tabs().Add(caption);
    together.strip.Tabs().AddStrings(captions);
    EXPECT_EQ(together.strip.Tabs().Count(), 5);
    EXPECT_EQ(together.strip.Tabs()[1], captions[1]);
    EXPECT_EQ(together.strip.Geometry().TabRects(), single.strip.Geometry().TabRects());
    EXPECT_EQ(together.strip.Geometry().VisibleCount(), single.strip.Geometry().VisibleCount());
    together.strip.Tabs().AddStrings({});
    EXPECT_EQ(together.strip.Tabs().Count(), 5);
}

TEST(NarrowTab, PaintsTheSelectedTabInItsColourAndTheOthersInTheirs) {
    TStripFixture t(5, TBounds{0, 0, 300, 40});
    t.strip.SetSelectedColor(RGB(250, 0, 0));
    t.strip.SetUnselectedColor(RGB(0, 0, 250));
    t.strip.SetTabIndex(2);
    SetWindowPos(t.window.Handle(), HWND_TOPMOST, 0, 0, 600, 400, SWP_SHOWWINDOW | SWP_NOACTIVATE);
    UpdateWindow(t.window.Handle());
    UpdateWindow(t.strip.Handle());
    HDC dc = GetDC(t.strip.Handle());
    // Beside the caption, near the tab's far end.
    const TRect& selected = t.strip.Geometry().TabRects()[2];
    const TRect& other = t.strip.Geometry().TabRects()[1];
    const COLORREF inSelected = GetPixel(dc, selected.Left + 4, selected.Bottom - 6);
    const COLORREF inOther = GetPixel(dc, other.Left + 4, other.Bottom - 6);
    ReleaseDC(t.strip.Handle(), dc);
    ShowWindow(t.window.Handle(), SW_HIDE);
    EXPECT_EQ(inSelected, RGB(250, 0, 0));
    EXPECT_EQ(inOther, RGB(0, 0, 250));
}

// A selection change repaints only the tabs around the old and the new one,
// at once; what it leaves on the screen must be what a full paint shows.
TEST(NarrowTab, ASelectionChangeShowsWhatAFullPaintWould) {
    const TNarrowTabPosition sides[] = {tpTop, tpBottom, tpLeft, tpRight};
    for (TNarrowTabPosition side : sides) {
        const bool along = side == tpTop || side == tpBottom;
        const TBounds bounds = along ? TBounds{0, 0, 300, 40} : TBounds{0, 0, 40, 300};
        TStripFixture t(10, bounds);
        t.strip.SetPosition(side);
        t.strip.SetSelectedColor(RGB(250, 0, 0));
        t.strip.SetUnselectedColor(RGB(0, 0, 250));
        SetWindowPos(t.window.Handle(), HWND_TOPMOST, 0, 0, 600, 400, SWP_SHOWWINDOW | SWP_NOACTIVATE);
        UpdateWindow(t.window.Handle());
        UpdateWindow(t.strip.Handle());
        ASSERT_EQ(t.strip.Geometry().VisibleCount(), 10) << "all tabs in view: no scrolling repaint";
        for (int k : {1, 2, 0, 6, 5, 9, 3}) {
            t.strip.SetTabIndex(k);
            RECT pending;
            EXPECT_FALSE(GetUpdateRect(t.strip.Handle(), &pending, FALSE)) << "side " << side << " tab " << k;
            const std::vector<COLORREF> shown = ShownPixels(t.strip.Handle(), bounds.Width, bounds.Height);
            InvalidateRect(t.strip.Handle(), nullptr, FALSE);
            UpdateWindow(t.strip.Handle());
            EXPECT_TRUE(shown == ShownPixels(t.strip.Handle(), bounds.Width, bounds.Height))
                << "side " << side << " tab " << k;
        }
        ShowWindow(t.window.Handle(), SW_HIDE);
    }
}

TEST(Region, CombinesRectanglesByMode) {
    TRegion region;
    int changes = 0;
    region.OnChange = [&](TRegion&) { ++changes; };
    region.CombineRect(0, 0, 100, 50);
    EXPECT_EQ(region.RectCount(), 1);
    EXPECT_EQ(region.Bounds(), (TRect{0, 0, 100, 50}));
    // A frame: the outer rectangle less the inner one.
    region.SetMode(2);
    region.CombineRect(10, 10, 90, 40);
    EXPECT_EQ(region.RectCount(), 4);
    EXPECT_EQ(region.Bounds(), (TRect{0, 0, 100, 50}));
    EXPECT_FALSE(PtInRegion(region.Handle(), 50, 25));
    EXPECT_TRUE(PtInRegion(region.Handle(), 5, 25));
    EXPECT_EQ(changes, 2);
    // Without a region, subtracting changes nothing and intersecting empties.
    region.Combine(nullptr);
    EXPECT_EQ(region.RectCount(), 4);
    region.SetMode(1);
    region.Combine(nullptr);
    EXPECT_EQ(region.Handle(), nullptr);
    EXPECT_EQ(region.RectCount(), 0);
    EXPECT_EQ(region.Bounds(), TRect{});
    region.SetMode(9);
    EXPECT_EQ(region.Mode(), 4);
}
