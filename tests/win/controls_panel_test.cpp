#include <gtest/gtest.h>
#include <shlobj.h>
#include <windows.h>

#include <cstring>
#include <string>
#include <vector>

#include "base/handles.h"
#include "base/win_text.h"
#include "controls/paint_panel.h"
#include "controls/scroll_box_ex.h"
#include "controls/separator.h"
#include "controls_test_support.h"
#include "win_test_util.h"

namespace {

const COLORREF Marker = RGB(1, 2, 3);

}  // namespace

TEST(Separator, DrawsEtchedLinesAcrossTheMiddleOrAPlainFace) {
    const COLORREF shadow = GetSysColor(COLOR_BTNSHADOW);
    const COLORREF highlight = GetSysColor(COLOR_BTNHIGHLIGHT);
    TSeparator s;
    EXPECT_EQ(s.Kind(), skVertical);
    EXPECT_EQ(s.Width(), 8);
    EXPECT_EQ(s.Height(), 64);
    {
        s.SetKind(skHorizonal);
        s.SetBounds(0, 0, 30, 4);
        TTestCanvas canvas(30, 4, Marker);
        s.Paint(canvas.DC());
        EXPECT_EQ(canvas.Pixel(0, 0), Marker);
        EXPECT_EQ(canvas.Pixel(0, 1), shadow);
        EXPECT_EQ(canvas.Pixel(29, 1), shadow);
        EXPECT_EQ(canvas.Pixel(15, 2), highlight);
        EXPECT_EQ(canvas.Pixel(15, 3), Marker);
        EXPECT_FALSE(s.Opaque());
    }
    {
        s.SetKind(skVertical);
        s.SetBounds(0, 0, 8, 20);
        TTestCanvas canvas(8, 20, Marker);
        s.Paint(canvas.DC());
        EXPECT_EQ(canvas.Pixel(3, 0), shadow);
        EXPECT_EQ(canvas.Pixel(4, 19), highlight);
        EXPECT_EQ(canvas.Pixel(5, 10), Marker);
    }
    {
        s.SetKind(skSpace);
        s.SetBounds(0, 0, 2, 20);
        TTestCanvas canvas(2, 20, Marker);
        IntersectClipRect(canvas.DC(), 0, 0, 2, 20);
        s.Paint(canvas.DC());
        EXPECT_EQ(canvas.Pixel(0, 0), GetSysColor(COLOR_BTNFACE));
        EXPECT_EQ(canvas.Pixel(1, 19), GetSysColor(COLOR_BTNFACE));
        EXPECT_TRUE(s.Opaque());
    }
}

TEST(Separator, ClicksAndDoubleClicksComeFromThePanel) {
    TTestTopWindow window;
    ASSERT_TRUE(window.Create());
    TPaintPanel panel;
    ASSERT_TRUE(panel.Create(window.Handle(), TBounds{0, 0, 200, 100}));
    TSeparator s;
    s.SetKind(skHorizonal);
    s.SetBounds(0, 40, 200, 4);
    panel.Controls().Add(s);
    int clicks = 0;
    int doubles = 0;
    int ups = 0;
    s.OnClick = [&](TComponent&) { ++clicks; };
    s.OnDblClick = [&](TComponent&) { ++doubles; };
    s.OnMouseUp = [&](TComponent&, TMouseButton b, TShiftState, int x, int y) {
        if (b == mbRight && x == 50 && y == 2) ++ups;
    };
    SendMessageW(panel.Handle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(50, 41));
    SendMessageW(panel.Handle(), WM_LBUTTONUP, 0, MAKELPARAM(50, 41));
    SendMessageW(panel.Handle(), WM_LBUTTONDBLCLK, MK_LBUTTON, MAKELPARAM(50, 41));
    SendMessageW(panel.Handle(), WM_LBUTTONUP, 0, MAKELPARAM(50, 41));
    SendMessageW(panel.Handle(), WM_RBUTTONUP, 0, MAKELPARAM(50, 42));
    EXPECT_EQ(clicks, 1);
    EXPECT_EQ(doubles, 1);
    EXPECT_EQ(ups, 1);
}

TEST(PaintPanel, APressEndsWhenAnotherWindowTakesThePointer) {
    TTestTopWindow window;
    ASSERT_TRUE(window.Create());
    TPaintPanel panel;
    ASSERT_TRUE(panel.Create(window.Handle(), TBounds{0, 0, 200, 100}));
    int ups = 0;
    panel.OnMouseUp = [&](TComponent&, TMouseButton b, TShiftState, int, int) { ups += b == mbLeft; };
    SendMessageW(panel.Handle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(150, 50));
    SendMessageW(panel.Handle(), WM_CAPTURECHANGED, 0, reinterpret_cast<LPARAM>(window.Handle()));
    EXPECT_EQ(ups, 1);  // whoever waits for the release (a window drag) is told
    SendMessageW(panel.Handle(), WM_CAPTURECHANGED, 0, reinterpret_cast<LPARAM>(window.Handle()));
    EXPECT_EQ(ups, 1);  // once
}

TEST(PaintPanel, NeverErasesAndHandsEveryPaintToItsOwnerBeforeItsControls) {
    TTestTopWindow window;
    ASSERT_TRUE(window.Create());
    TPaintPanel panel;
    ASSERT_TRUE(panel.Create(window.Handle(), TBounds{0, 0, 100, 60}));
    TTestCanvas canvas(100, 60, Marker);
    EXPECT_EQ(SendMessageW(panel.Handle(), WM_ERASEBKGND, reinterpret_cast<WPARAM>(canvas.DC()), 0), 1);
    EXPECT_EQ(canvas.Pixel(50, 30), Marker);

    std::vector<std::string> order;
    panel.OnPaint = [&](TPaintPanel&, HDC dc, const RECT& clip) {
        order.push_back("owner");
        FillRect(dc, &clip, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
    };
    TSeparator line;
    line.SetKind(skHorizonal);
    line.SetBounds(0, 10, 100, 4);
    line.OnMouseEnter = nullptr;
    panel.Controls().Add(line);
    SetWindowPos(window.Handle(), HWND_TOPMOST, 0, 0, 400, 300, SWP_SHOWWINDOW | SWP_NOACTIVATE);
    UpdateWindow(panel.Handle());
    HDC dc = GetDC(panel.Handle());
    const COLORREF background = GetPixel(dc, 50, 30);
    const COLORREF shadowLine = GetPixel(dc, 50, 11);
    ReleaseDC(panel.Handle(), dc);
    ShowWindow(window.Handle(), SW_HIDE);
    ASSERT_FALSE(order.empty());
    EXPECT_EQ(background, RGB(0, 0, 0));
    EXPECT_EQ(shadowLine, GetSysColor(COLOR_BTNSHADOW));
}

TEST(PaintPanel, DragsFindTheControlUnderThePointOrThePanel) {
    TTestTopWindow window;
    ASSERT_TRUE(window.Create());
    TPaintPanel panel;
    ASSERT_TRUE(panel.Create(window.Handle(), TBounds{0, 0, 200, 100}));
    TSeparator s;
    s.SetBounds(50, 20, 8, 30);
    panel.Controls().Add(s);
    POINT at{53, 25};
    EXPECT_EQ(panel.DragSiteAt(at), &s);
    EXPECT_EQ(at.x, 3);
    EXPECT_EQ(at.y, 5);
    POINT elsewhere{150, 80};
    EXPECT_EQ(panel.DragSiteAt(elsewhere), &panel);
    EXPECT_EQ(elsewhere.x, 150);
}

TEST(DropPaintPanel, ReportsDroppedNamesWholeInCodePage932) {
    TTestTopWindow window;
    ASSERT_TRUE(window.Create());
    TDropPaintPanel panel;
    panel.SetEnableDrop(true);
    ASSERT_TRUE(panel.Create(window.Handle(), TBounds{0, 0, 200, 100}));
    EXPECT_TRUE(GetWindowLongW(panel.Handle(), GWL_EXSTYLE) & WS_EX_ACCEPTFILES);

    const std::wstring longName = L"C:\\" + std::wstring(300, L'a') + L".txt";
    std::vector<std::string> got;
    POINT gotAt{};
    panel.OnDropFile = [&](TPaintPanel&, const std::vector<std::string>& files, POINT at) {
        got = files;
        gotAt = at;
    };
    SendMessageW(panel.Handle(), WM_DROPFILES,
                 reinterpret_cast<WPARAM>(MakeDrop({L"C:\\表示\\ソフト.exe", longName}, POINT{12, 34})), 0);
    ASSERT_EQ(got.size(), 2u);
    EXPECT_EQ(got[0], "C:\\表示\\ソフト.exe");
    EXPECT_EQ(got[1], Narrow(longName));
    EXPECT_EQ(gotAt.x, 12);
    EXPECT_EQ(gotAt.y, 34);

    // Without a handler the drop only ends.
    panel.OnDropFile = nullptr;
    SendMessageW(panel.Handle(), WM_DROPFILES, reinterpret_cast<WPARAM>(MakeDrop({L"C:\\x"}, POINT{1, 1})), 0);
    panel.SetEnableDrop(false);
    EXPECT_FALSE(GetWindowLongW(panel.Handle(), GWL_EXSTYLE) & WS_EX_ACCEPTFILES);
}

TEST(DropPaintPanel, ADroppedFileIsNamedExactlyOrLeftOut) {
    TTempFolder folder;
    const std::wstring base = Widen(folder.Path());
    // Best fit would spell this "y\..\x.txt", the file beside it.
    const std::wstring odd = base + L"y\u00A5..\u00A5x.txt";
    WriteTextFile(folder / "x.txt", "another file");
    { TFileHandle file(CreateFileW(odd.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, 0, nullptr)); }
    const std::wstring missing = base + L"gone\u00A5.txt";

    TTestTopWindow window;
    ASSERT_TRUE(window.Create());
    TDropPaintPanel panel;
    panel.SetEnableDrop(true);
    ASSERT_TRUE(panel.Create(window.Handle(), TBounds{0, 0, 200, 100}));
    std::vector<std::string> got, unnamed;
    panel.OnDropFile = [&](TPaintPanel&, const std::vector<std::string>& files, POINT) { got = files; };
    panel.OnDropUnnamed = [&](TPaintPanel&, const std::vector<std::string>& names) { unnamed = names; };
    SendMessageW(panel.Handle(), WM_DROPFILES,
                 reinterpret_cast<WPARAM>(MakeDrop({odd, missing, L"C:\\a.txt"}, POINT{1, 1})), 0);
    ASSERT_EQ(got.size(), 2u);
    // The existing file goes by its short name, which reaches it and no other.
    std::wstring longName(MAX_PATH, L'\0');
    longName.resize(GetLongPathNameW(Widen(got[0]).c_str(), longName.data(), MAX_PATH));
    EXPECT_EQ(CompareStringOrdinal(longName.c_str(), -1, odd.c_str(), -1, TRUE), CSTR_EQUAL) << got[0];
    EXPECT_EQ(got[1], "C:\\a.txt");
    EXPECT_EQ(unnamed, std::vector<std::string>{folder / "gone?.txt"});
}

// The flat bars are taken up only when a flat style is first chosen; by then
// the box has its range and position, and they must carry over.
TEST(ScrollBoxEx, AFlatStyleChosenLaterKeepsRangeAndPosition) {
    TTestTopWindow window;
    ASSERT_TRUE(window.Create());
    TScrollBoxEx box;
    ASSERT_TRUE(box.Create(window.Handle(), TBounds{0, 0, 200, 200}));
    box.SetVertRange(1000);
    box.SetVertPosition(300);
    for (TScrollBarStyle style : {ssFlat, ssHotTrack, ssRegular}) {
        box.SetScrollBarStyle(style);
        EXPECT_EQ(box.ScrollBarStyle(), style);
        EXPECT_TRUE(box.VertScrollBarVisible());
        EXPECT_EQ(box.VertPosition(), 300) << style;
    }
    box.SetScrollBarStyle(ssFlat);
    box.SetSmooth(false);
    SendMessageW(box.Handle(), WM_VSCROLL, SB_LINEDOWN, 0);
    EXPECT_EQ(box.VertPosition(), 308);
    SendMessageW(box.Handle(), WM_VSCROLL, SB_BOTTOM, 0);
    EXPECT_EQ(box.VertPosition(), 800);
}

TEST(ScrollBoxEx, ScrollsItsContentWithinTheRange) {
    TTestTopWindow window;
    ASSERT_TRUE(window.Create());
    TScrollBoxEx box;
    ASSERT_TRUE(box.Create(window.Handle(), TBounds{0, 0, 200, 200}));
    TPaintPanel content;
    ASSERT_TRUE(content.Create(box.Handle(), TBounds{0, 0, 10, 10}));
    box.SetContent(content.Handle());
    EXPECT_FALSE(box.VertScrollBarVisible());
    EXPECT_EQ(content.ClientWidth(), 200);

    box.SetVertRange(1000);
    EXPECT_TRUE(box.VertScrollBarVisible());
    EXPECT_EQ(box.ClientWidth(), 200 - VerticalScrollBarWidth());
    EXPECT_EQ(content.Bounds(), (TBounds{0, 0, box.ClientWidth(), 1000}));
    box.SetVertPosition(5000);
    EXPECT_EQ(box.VertPosition(), 800);
    EXPECT_EQ(content.Bounds().Top, -800);
    box.SetVertPosition(-3);
    EXPECT_EQ(box.VertPosition(), 0);

    std::vector<std::pair<TScrollCode, int>> events;
    box.OnScroll = [&](TScrollBoxEx&, TScrollBarKind bar, TScrollCode code, int& pos) {
        EXPECT_EQ(bar, sbVertical);
        events.push_back({code, pos});
    };
    box.SetSmooth(false);
    SendMessageW(box.Handle(), WM_VSCROLL, SB_LINEDOWN, 0);
    EXPECT_EQ(box.VertPosition(), 8);
    box.SetSmooth(true);
    SendMessageW(box.Handle(), WM_VSCROLL, SB_LINEDOWN, 0);
    EXPECT_EQ(box.VertPosition(), 8 + 180 / 10);
    SendMessageW(box.Handle(), WM_VSCROLL, SB_PAGEDOWN, 0);
    EXPECT_EQ(box.VertPosition(), 26 + 180);
    SendMessageW(box.Handle(), WM_VSCROLL, SB_BOTTOM, 0);
    EXPECT_EQ(box.VertPosition(), 800);
    SendMessageW(box.Handle(), WM_VSCROLL, SB_ENDSCROLL, 0);
    ASSERT_EQ(events.size(), 5u);
    EXPECT_EQ(events[0], std::make_pair(scLineDown, 8));
    EXPECT_EQ(events[2], std::make_pair(scPageDown, 206));
    EXPECT_EQ(events[3], std::make_pair(scBottom, 800));
    EXPECT_EQ(events[4].first, scEndScroll);

    // A handler may move the content elsewhere.
    box.OnScroll = [](TScrollBoxEx&, TScrollBarKind, TScrollCode, int& pos) { pos = 100; };
    SendMessageW(box.Handle(), WM_VSCROLL, SB_TOP, 0);
    EXPECT_EQ(box.VertPosition(), 100);

    // Shrinking the range pulls the position back; 0 hides the bar.
    box.SetVertRange(250);
    EXPECT_EQ(box.VertPosition(), 50);
    box.SetVertRange(0);
    EXPECT_EQ(box.VertPosition(), 0);
    EXPECT_FALSE(box.VertScrollBarVisible());
    EXPECT_EQ(content.Bounds(), (TBounds{0, 0, 200, 200}));
}
