// The main window showing its pages: the pooled controls laid out as the core
// computes them, page switches from the tab strip, a click that starts an
// entry, docking to a screen edge, the wallpaper and the opacity.
//
// The page-switch timing runs on request only:
//   vantor_win_tests.exe --gtest_also_run_disabled_tests --gtest_filter=*PageSwitchTiming*
#include <gtest/gtest.h>
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <memory>

#include "app/vantor.h"
#include "base/win_text.h"
#include "controls_test_support.h"
#include "layout/docking.h"
#include "layout/page_binding.h"
#include "recording_desktop.h"
#include "settings/name_value.h"
#include "shell/id_list.h"
#include "shell/win_platform.h"
#include "text/text.h"
#include "win_test_util.h"

namespace {

// A 24-bit bitmap file whose first column is red and the rest green.
std::string StripedBitmapFile(int width, int height) {
    const int row = (width * 3 + 3) / 4 * 4;
    const uint32_t imageSize = static_cast<uint32_t>(row * height);
    std::string file;
    auto put = [&file](uint32_t value, int bytes) {
        for (int i = 0; i < bytes; ++i) file += static_cast<char>((value >> (8 * i)) & 0xFF);
    };
    file += "BM";
    put(54 + imageSize, 4);
    put(0, 4);
    put(54, 4);
    put(40, 4);
    put(static_cast<uint32_t>(width), 4);
    put(static_cast<uint32_t>(height), 4);
    put(1, 2);
    put(24, 2);
    put(0, 4);
    put(imageSize, 4);
    put(2835, 4);
    put(2835, 4);
    put(0, 4);
    put(0, 4);
    for (int y = 0; y < height; ++y) {
        std::string line;
        for (int x = 0; x < width; ++x)
            line += x == 0 ? std::string("\x00\x00\xFF", 3) : std::string("\x00\xFF\x00", 3);
        line.resize(static_cast<size_t>(row), '\0');
        file += line;
    }
    return file;
}

SIZE BitmapSizeOf(HBITMAP bitmap) {
    BITMAP bm{};
    GetObjectW(bitmap, sizeof(bm), &bm);
    return SIZE{bm.bmWidth, bm.bmHeight};
}

class VantorViewTest : public testing::Test {
protected:
    TTempFolder Folder{"vantor-view"};
    std::string Data = Folder / "Data\\";
    std::string Target = Folder / "target.exe";
    TWinPlatform Platform;
    TRecordingDesktop* Desktop = nullptr;
    std::unique_ptr<TVantor> Vantor;

    void SetUp() override {
        MakeFolder(Data);
        WriteTextFile(Target, "MZ");
    }
    void TearDown() override { Vantor.reset(); }

    // A launcher entry on the target, a separator at the given positions.
    void AddEntries(TVantorPage& page, int count, std::initializer_list<int> separators = {}) {
        for (int i = 0; i < count; ++i) {
            bool separator = false;
            for (int s : separators) separator = separator || s == i;
            if (separator)
                page.Add(SeparatorLink, SeparatorTitle, "", "", "", 5, false, "", 0);
            else
                page.Add(Target, i % 3 == 0 ? Format("とても長いタイトルのボタン%d", i) : Format("ボタン%d", i), "", "",
                         "", 5, false, i == 1 ? Target : "", 0);
        }
    }

    // Pages of styles 0, 3 and 5 with separators, a long page of style 3, an empty one.
    void WriteMainPages() {
        TVantorManager pages(Platform);
        pages.Clear();
        pages.AddPage("大きいアイコン", 0);
        AddEntries(*pages.Pages(0), 20, {5, 6});
        pages.AddPage("長いタイトル", 3);
        AddEntries(*pages.Pages(1), 40, {9});
        pages.AddPage("1行", 5);
        AddEntries(*pages.Pages(2), 10, {0, 4});
        pages.AddPage("空", 7);
        pages.SaveToFile(Data + "Main.pag");
    }

    TVantor& Start() {
        auto desktop = std::make_unique<TRecordingDesktop>();
        Desktop = desktop.get();
        Vantor = std::make_unique<TVantor>(Platform, Folder.Path(), Data, std::move(desktop));
        Vantor->QuitOnDestroy = false;
        EXPECT_TRUE(Vantor->Create());
        return *Vantor;
    }

    // What the core lays out for the current page at the scroll box's size.
    TPageLayout CoreLayout() {
        TVantorManager& pages = Vantor->MainPages();
        const TVantorPage& page = *pages.Pages(pages.CurrentPage());
        static std::vector<TLayoutEntry> entries;
        entries = LayoutEntriesOf(page);
        const TBounds box = Vantor->ScrollBox.Bounds();
        TPageLayoutInput in;
        in.Page = GeometryOf(page);
        in.Entries = &entries;
        in.ClientWidth = box.Width;
        in.ClientHeight = box.Height;
        in.ScrollBarWidth = VerticalScrollBarWidth();
        in.Dpi = Vantor->Dpi();
        HFONT font = Vantor->WindowFont();
        in.TextWidth = [font](std::string_view text) {
            TWindowDC screen(nullptr);
            TSelectObject use(screen.DC(), font);
            const std::wstring wide = Widen(text);
            SIZE size{};
            GetTextExtentPoint32W(screen.DC(), wide.c_str(), static_cast<int>(wide.size()), &size);
            return static_cast<int>(size.cx);
        };
        return LayoutPage(in);
    }

    void ExpectPoolMatchesCore(const char* what) {
        const TPageLayout expected = CoreLayout();
        const int count = static_cast<int>(expected.Entries.size());
        EXPECT_EQ(Vantor->ScrollBox.VertRange(), expected.ScrollRange) << what;
        EXPECT_EQ(Vantor->MainView().ColumnCount(), expected.ColumnCount) << what;
        for (int i = 0; i < count; ++i) {
            const TEntryPlacement& p = expected.Entries[i];
            EXPECT_EQ(Vantor->MainView().Button(i)->Bounds(), p.ButtonBounds) << what << " entry " << i;
            EXPECT_EQ(Vantor->MainView().Separator(i)->Bounds(), p.SeparatorBounds) << what << " entry " << i;
            EXPECT_EQ(Vantor->MainView().EntryRect(i), p.EntryRect) << what << " entry " << i;
            EXPECT_EQ(Vantor->MainView().TitleRect(i), p.TitleRect) << what << " entry " << i;
            EXPECT_EQ(Vantor->MainView().TitleTruncated(i), p.TitleTruncated) << what << " entry " << i;
        }
        for (int i = count; i < TVantor::PoolSize; ++i) {
            EXPECT_EQ(Vantor->MainView().Button(i)->Bounds(), ParkedBounds) << what << " slot " << i;
            EXPECT_EQ(Vantor->MainView().Separator(i)->Bounds(), ParkedBounds) << what << " slot " << i;
        }
    }

    void Click(HWND window, int x, int y) {
        SendMessageW(window, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(x, y));
        SendMessageW(window, WM_LBUTTONUP, 0, MAKELPARAM(x, y));
    }
};

}  // namespace

TEST_F(VantorViewTest, EachPageIsLaidOutAsTheCoreComputesAndUnusedSlotsAreParked) {
    WriteMainPages();
    TVantor& vantor = Start();
    ASSERT_EQ(vantor.MainPages().CurrentPage(), 0);
    ASSERT_EQ(vantor.TabSet.Tabs().Count(), 4);
    EXPECT_EQ(vantor.TabSet.Tabs()[1], "長いタイトル");
    // HorizontalTab forces the strip to 24, stored back into the setting.
    EXPECT_EQ(vantor.MainPages().TabSetHeight(), 24);

    ExpectPoolMatchesCore("style 0");
    // The style's own numbers, not only agreement with the core.
    EXPECT_EQ(vantor.MainView().Button(0)->Bounds(), (TBounds{1, 1, 38, 38}));
    EXPECT_EQ(vantor.MainView().Button(1)->Bounds(), (TBounds{41, 1, 38, 38}));
    EXPECT_TRUE(vantor.MainView().Button(0)->LargeIcon());
    EXPECT_EQ(vantor.MainView().Button(5)->Bounds(), ParkedBounds);  // a separator's button
    EXPECT_GT(vantor.MainView().Separator(5)->Bounds().Width, 0);
    // Bound to their entries: the target's own icon, or the chosen one.
    EXPECT_TRUE(SameText(vantor.MainView().Button(0)->FileName(), Target));
    EXPECT_EQ(vantor.MainView().Button(0)->IconIndex(), -1);
    EXPECT_EQ(vantor.MainView().Button(1)->IconIndex(), 0);
    EXPECT_EQ(vantor.MainView().Button(0)->ButtonStyle(), isFlat);  // ButtonStyle 1, the default
    EXPECT_TRUE(vantor.MainView().Button(0)->Transparent());

    vantor.TabSet.SetTabIndex(1);
    EXPECT_EQ(vantor.MainPages().CurrentPage(), 1);
    ExpectPoolMatchesCore("style 3");
    EXPECT_FALSE(vantor.MainView().Button(0)->LargeIcon());
    EXPECT_GT(vantor.ScrollBox.VertRange(), vantor.ScrollBox.ClientHeight());  // 40 entries overflow
    EXPECT_TRUE(vantor.MainView().TitleTruncated(0));                          // the long title is cut at its box
    EXPECT_FALSE(vantor.MainView().TitleTruncated(1));

    vantor.TabSet.SetTabIndex(2);
    ExpectPoolMatchesCore("style 5");
    EXPECT_EQ(vantor.ScrollBox.VertRange(), 0);
    // One entry per row across the whole width, below the leading separator.
    EXPECT_EQ(vantor.MainView().Button(1)->Bounds(), (TBounds{1, 5, 22, 22}));
    EXPECT_EQ(vantor.MainView().EntryRect(1).Width, vantor.ScrollBox.ClientWidth());

    vantor.TabSet.SetTabIndex(3);
    ExpectPoolMatchesCore("empty page");
    EXPECT_EQ(vantor.ScrollBox.VertRange(), 0);

    // A page edit followed by RebuildPage shows the change.
    vantor.TabSet.SetTabIndex(0);
    vantor.MainPages().Pages(0)->Delete(0);
    vantor.RebuildPage();
    ExpectPoolMatchesCore("after deleting an entry");
    EXPECT_EQ(vantor.MainView().Button(19)->Bounds(), ParkedBounds);
}

TEST_F(VantorViewTest, TheCurrentPageComesFromTheSettingsAndTabsFollowPageCaptions) {
    WriteMainPages();
    WriteTextFile(Data + "Vantor.ini", "[Settings]\r\nCurrentPage=2\r\nHorizontalTab=0\r\nTabSetHeight=40\r\n");
    TVantor& vantor = Start();
    EXPECT_EQ(vantor.TabSet.TabIndex(), 2);
    EXPECT_TRUE(vantor.TabSet.Vertical());
    EXPECT_EQ(vantor.MainPages().TabSetHeight(), 40);
    ExpectPoolMatchesCore("style 5 from the settings");

    // Captions change, the selection stays within the tabs.
    vantor.MainPages().Pages(2)->Caption = "改名";
    vantor.MainPages().DeletePage(3);
    vantor.RefreshTabsAndFonts();
    EXPECT_EQ(vantor.TabSet.Tabs().Count(), 3);
    EXPECT_EQ(vantor.TabSet.Tabs()[2], "改名");
    EXPECT_EQ(vantor.TabSet.TabIndex(), 2);
}

TEST_F(VantorViewTest, AClickOnAnEntryStartsItAndATabClickSwitchesThePageWithItsSound) {
    WriteMainPages();
    TVantor& vantor = Start();
    SetListValue(vantor.MainPages().Sounds, "ClickPage", "*ページ");
    vantor.Show();

    const TBounds b = vantor.MainView().Button(2)->Bounds();
    Click(vantor.PTexture.Handle(), b.Left + b.Width / 2, b.Top + b.Height / 2);
    ASSERT_TRUE(vantor.Probe().FinishAll());  // the start waits for the look at its target
    ASSERT_EQ(Desktop->StartedItems.size(), 1u);
    EXPECT_TRUE(SameText(Desktop->StartedItems[0], Target));
    EXPECT_EQ(vantor.Document().History().Pages(0)->Count(), 1);

    // A press on the background that is released over an entry starts nothing
    // and leaves no capture behind.
    SendMessageW(vantor.PTexture.Handle(), WM_LBUTTONDOWN, MK_LBUTTON,
                 MAKELPARAM(5, vantor.ScrollBox.ClientHeight() - 5));
    SendMessageW(vantor.PTexture.Handle(), WM_LBUTTONUP, 0, MAKELPARAM(b.Left + 2, b.Top + 2));
    EXPECT_EQ(Desktop->StartedItems.size(), 1u);
    EXPECT_NE(GetCapture(), vantor.PTexture.Handle());

    // A tab picked by the program switches silently; a tab clicked by the
    // user switches with the sound.
    const size_t soundsBefore = Desktop->Sounds.size();
    vantor.TabSet.SetTabIndex(1);
    EXPECT_EQ(vantor.MainPages().CurrentPage(), 1);
    EXPECT_EQ(Desktop->Sounds.size(), soundsBefore);
    const TRect tab = vantor.TabSet.Geometry().TabRects()[2];
    ASSERT_FALSE(tab.IsEmpty());
    Click(vantor.TabSet.Handle(), (tab.Left + tab.Right) / 2, (tab.Top + tab.Bottom) / 2);
    EXPECT_EQ(vantor.MainPages().CurrentPage(), 2);
    ASSERT_EQ(Desktop->Sounds.size(), soundsBefore + 1);
    EXPECT_EQ(Desktop->Sounds.back(), "*ページ");
    ExpectPoolMatchesCore("after the tab click");
}

TEST_F(VantorViewTest, TheWindowSnapsToScreenEdgesAndTurnsItsFrame) {
    WriteMainPages();
    TVantor& vantor = Start();
    SetListValue(vantor.MainPages().Sounds, "ChangeLayout", "*Layout");
    const int sw = GetSystemMetrics(SM_CXSCREEN);
    RECT r;
    GetWindowRect(vantor.Handle(), &r);
    const int w = r.right - r.left;
    // A new window stands at the top right: the first layout docked it at the top.
    EXPECT_EQ(vantor.DockEdge(), deTop);
    EXPECT_EQ(r.top, 0);
    EXPECT_EQ(vantor.TabSet.Position(), tpBottom);

    // Dragged by the panel: 10 pixels down it sticks, 300 down it goes to the
    // side whose half it is in, and the frame turns on release.
    vantor.FormMouseDown(&vantor.PTexture, mbLeft, ssLeft, 10, 10);
    vantor.FormMouseMove(&vantor.PTexture, ssLeft, 10, 20);
    GetWindowRect(vantor.Handle(), &r);
    EXPECT_EQ(r.top, 0);
    vantor.FormMouseMove(&vantor.PTexture, ssLeft, 10, 300);
    GetWindowRect(vantor.Handle(), &r);
    EXPECT_EQ(r.left, sw - w);
    EXPECT_EQ(r.top, 300 - 10 - DockStickiness);
    EXPECT_EQ(vantor.DockEdge(), deTop);  // not before the release
    vantor.FormMouseUp(&vantor.PTexture, mbLeft, ssLeft, 10, 300);
    EXPECT_EQ(vantor.DockEdge(), deRight);
    EXPECT_EQ(vantor.TabSet.Position(), tpLeft);
    RECT client;
    GetClientRect(vantor.Handle(), &client);
    const int s = vantor.MainPages().CaptionWidth();
    EXPECT_EQ(vantor.SystemButtons[sbReboot].Bounds(),
              (TBounds{client.right - s + 1, client.bottom - s + 1, s - 2, s - 2}));
    EXPECT_EQ(vantor.SystemButtons[sbStopAutoRun].Bounds(), ParkedBounds);  // hidden by default: no place in the strip
    EXPECT_TRUE(Desktop->Sounds.empty());  // the hidden window changes its layout silently
    ExpectPoolMatchesCore("docked right");

    // Placed anywhere, a re-snap puts it against the nearest edge again.
    SetWindowPos(vantor.Handle(), nullptr, 5, 200, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    vantor.Resnap();
    GetWindowRect(vantor.Handle(), &r);
    EXPECT_EQ(r.left, 0);
    EXPECT_EQ(r.top, 200);
    EXPECT_EQ(vantor.DockEdge(), deLeft);
    EXPECT_EQ(vantor.TabSet.Position(), tpRight);

    // The caption strip follows activation.
    SendMessageW(vantor.Handle(), WM_ACTIVATE, WA_ACTIVE, 0);
    EXPECT_TRUE(vantor.WindowActive());
    SendMessageW(vantor.Handle(), WM_ACTIVATE, WA_INACTIVE, 0);
    EXPECT_FALSE(vantor.WindowActive());

    // Sizing keeps the docked side at the screen edge; the tracking sizes.
    RECT sizing{30, 200, 300, 600};
    SendMessageW(vantor.Handle(), WM_SIZING, WMSZ_LEFT, reinterpret_cast<LPARAM>(&sizing));
    EXPECT_EQ(sizing.left, 0);
    MINMAXINFO info{};
    SendMessageW(vantor.Handle(), WM_GETMINMAXINFO, 0, reinterpret_cast<LPARAM>(&info));
    EXPECT_EQ(info.ptMinTrackSize.x, 80);
    // A file without a Version docks every bar: three, with no meter here.
    ASSERT_EQ(vantor.Bars().DockedCount(), 3);
    EXPECT_EQ(info.ptMinTrackSize.y, MinTrackHeight(3));
    EXPECT_EQ(info.ptMaxTrackSize.x, sw);
}

TEST_F(VantorViewTest, AutoHideLeavesExactlyTheHideWidthOnTheScreenAndComesBack) {
    WriteMainPages();
    WriteTextFile(Data + "Vantor.ini", "[Settings]\r\nHideWidth=16\r\n");
    TVantor& vantor = Start();
    vantor.Show();
    const int sw = GetSystemMetrics(SM_CXSCREEN);
    auto windowRect = [&vantor] {
        RECT r;
        GetWindowRect(vantor.Handle(), &r);
        return r;
    };
    auto dockAt = [&vantor](int x) {
        SetWindowPos(vantor.Handle(), nullptr, x, 200, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
        vantor.Resnap();
    };
    auto contentsVisible = [&vantor] {
        return IsWindowVisible(vantor.ScrollBox.Handle()) && IsWindowVisible(vantor.TabSet.Handle());
    };

    dockAt(5);
    ASSERT_EQ(vantor.DockEdge(), deLeft);
    const RECT shown = windowRect();
    vantor.HideWindow(true);
    EXPECT_TRUE(vantor.Hidden());
    RECT r = windowRect();
    EXPECT_EQ(r.right, 16);
    EXPECT_EQ(r.top, shown.top);
    EXPECT_EQ(r.right - r.left, shown.right - shown.left);
    EXPECT_FALSE(IsWindowVisible(vantor.ScrollBox.Handle()));
    EXPECT_FALSE(IsWindowVisible(vantor.TabSet.Handle()));
    vantor.HideWindow(true);  // already hidden: stays put
    EXPECT_EQ(windowRect().right, 16);
    vantor.ShowWindowNow(true);
    EXPECT_FALSE(vantor.Hidden());
    EXPECT_TRUE(EqualRect(&shown, &(r = windowRect())));
    EXPECT_TRUE(contentsVisible());

    dockAt(sw - (shown.right - shown.left) - 5);
    ASSERT_EQ(vantor.DockEdge(), deRight);
    vantor.HideWindow(true);
    EXPECT_EQ(windowRect().left, sw - 16);
    vantor.ShowWindowNow(true);
    EXPECT_EQ(windowRect().right, sw);

    // With AutoHide off the window neither hides nor, once hidden, shows.
    vantor.MainPages().AutoHide = false;
    vantor.HideWindow(true);
    EXPECT_FALSE(vantor.Hidden());
    EXPECT_EQ(windowRect().right, sw);
    vantor.MainPages().AutoHide = true;
    vantor.HideWindow(true);
    vantor.MainPages().AutoHide = false;
    vantor.ShowWindowNow(true);
    EXPECT_TRUE(vantor.Hidden());
    EXPECT_EQ(windowRect().left, sw - 16);
}

// Runs the thread's messages as the program's loop does (the pointer's
// messages reach the auto-hide) for `ms`, or until `done` holds; the timer
// messages delivered meanwhile.
template <typename F>
int PumpAsTheProgram(TVantor& vantor, DWORD ms, F done) {
    int timers = 0;
    const DWORD start = GetTickCount();
    while (!done() && GetTickCount() - start < ms) {
        MSG msg;
        while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
            vantor.Hider().PointerMessage(msg);
            if (msg.message == WM_TIMER) ++timers;
            TranslateMessage(&msg);
            DispatchMessageW(&msg);
        }
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 20, QS_ALLINPUT);
    }
    return timers;
}

TEST_F(VantorViewTest, LeftAloneWithThePointerAwayNoTimerRunsAndThePointerOnTheSliverBringsItOut) {
    WriteMainPages();
    TVantor& vantor = Start();
    vantor.Show();
    RECT r;
    GetWindowRect(vantor.Handle(), &r);
    const int sw = GetSystemMetrics(SM_CXSCREEN);
    const int sh = GetSystemMetrics(SM_CYSCREEN);
    // Away from the window and from the corners.
    SetCursorPos(r.left > sw / 2 ? sw / 4 : sw * 3 / 4, sh / 2);
    const auto never = [] { return false; };
    // The start-up settles: the save it may need, a pause that may count.
    PumpAsTheProgram(vantor, 10000, [&] { return !vantor.Document().AnyUnsaved(); });
    PumpAsTheProgram(vantor, 1000, never);
    EXPECT_EQ(PumpAsTheProgram(vantor, 1500, never), 0) << "a timer ran with nothing to do";

    vantor.HideWindow(true);
    ASSERT_TRUE(vantor.Hidden());
    // The slide's own last look may still come; after it, nothing.
    PumpAsTheProgram(vantor, 1000, never);
    EXPECT_EQ(PumpAsTheProgram(vantor, 1500, never), 0) << "a timer ran while the window was hidden";
    // Another window coming to the front, where the system tells of it, is
    // looked at: it may be a full-screen program to keep quiet over.
    ASSERT_FALSE(vantor.Hider().Checking());
    NotifyWinEvent(EVENT_SYSTEM_FOREGROUND, GetDesktopWindow(), OBJID_WINDOW, CHILDID_SELF);
    PumpAsTheProgram(vantor, 2000, [&] { return vantor.Hider().Checking(); });
    EXPECT_TRUE(vantor.Hider().Checking()) << "the checks did not look at the new foreground";

    // The sliver left on the screen is the window itself, HideWidth pixels
    // along the edge (a window manager may have kept more of the window in
    // reach, but the rest is cut away): the pointer resting there for the
    // show pause brings the window out.
    GetWindowRect(vantor.Handle(), &r);
    RECT sliver{};
    const RECT screen{0, 0, sw, sh};
    IntersectRect(&sliver, &r, &screen);
    ASSERT_FALSE(IsRectEmpty(&sliver));
    const int inset = vantor.MainPages().HideWidth() / 2;
    const POINT middle{(sliver.left + sliver.right) / 2, (sliver.top + sliver.bottom) / 2};
    const POINT edgeward[] = {
        middle, {middle.x, inset}, {middle.x, sh - 1 - inset}, {inset, middle.y}, {sw - 1 - inset, middle.y}};
    SetCursorPos(edgeward[vantor.DockEdge()].x, edgeward[vantor.DockEdge()].y);
    PumpAsTheProgram(vantor, 5000, [&] { return !vantor.Hidden(); });
    EXPECT_FALSE(vantor.Hidden()) << "the pointer on the sliver did not bring the window out";
}

TEST_F(VantorViewTest, SmallWallpapersAreTiledLargerAndMissingOnesAreReported) {
    WriteMainPages();
    const std::string picture = Folder / "壁紙.bmp";
    WriteTextFile(picture, StripedBitmapFile(30, 10));
    WriteTextFile(Data + "Vantor.ini", "[Settings]\r\nWallpaperName=" + picture + "\r\n");
    TVantor& vantor = Start();
    EXPECT_TRUE(Desktop->Boxes.empty());
    ASSERT_NE(vantor.Wallpaper(), nullptr);
    const SIZE tile = BitmapSizeOf(vantor.Wallpaper());
    EXPECT_EQ(tile.cx, 90);  // 3 x 30
    EXPECT_EQ(tile.cy, 70);  // 7 x 10

    // Tiled from the canvas origin: the red column comes back every 30 pixels.
    TTestCanvas canvas(200, 100);
    vantor.PaintBackground(canvas.DC(), RECT{0, 0, 200, 100});
    EXPECT_EQ(canvas.Pixel(0, 0), RGB(255, 0, 0));
    EXPECT_EQ(canvas.Pixel(1, 0), RGB(0, 255, 0));
    EXPECT_EQ(canvas.Pixel(60, 65), RGB(255, 0, 0));
    EXPECT_EQ(canvas.Pixel(180, 95), RGB(255, 0, 0));
    EXPECT_EQ(canvas.Pixel(181, 95), RGB(0, 255, 0));
    // Only the rectangle asked for is painted.
    TTestCanvas part(100, 100, RGB(1, 2, 3));
    vantor.PaintBackground(part.DC(), RECT{40, 40, 60, 60});
    EXPECT_EQ(part.Pixel(39, 50), RGB(1, 2, 3));
    EXPECT_EQ(part.Pixel(60, 50), RGB(1, 2, 3));
    EXPECT_EQ(part.Pixel(40, 50), RGB(0, 255, 0));

    vantor.MainPages().WallpaperName = Folder / "none.bmp";
    vantor.LoadWallpaper();
    EXPECT_EQ(vantor.Wallpaper(), nullptr);
    ASSERT_EQ(Desktop->Boxes.size(), 1u);
    EXPECT_EQ(Desktop->Boxes[0], "壁紙\"" + Folder / "none.bmp" + "\"の読みこみに失敗しました。");
    vantor.PaintBackground(part.DC(), RECT{0, 0, 10, 10});
    EXPECT_EQ(part.Pixel(5, 5), GetSysColor(COLOR_BTNFACE));
}

TEST_F(VantorViewTest, RebuildingKeepsTheIconsOfUnchangedEntriesButNoticesMissingTargets) {
    WriteMainPages();
    TVantor& vantor = Start();
    const HICON shown = vantor.MainView().Button(0)->IconHandle();
    ASSERT_NE(shown, nullptr);
    vantor.RebuildPage();
    EXPECT_EQ(vantor.MainView().Button(0)->IconHandle(), shown);  // the same icon goes on being shown
    // Another page and back: the buttons show the same entries anew.
    vantor.TabSet.SetTabIndex(3);
    vantor.TabSet.SetTabIndex(0);
    EXPECT_TRUE(SameText(vantor.MainView().Button(0)->FileName(), Target));

    ASSERT_TRUE(DeleteFileW(Widen(Target).c_str()));
    vantor.RebuildPage();
    EXPECT_EQ(vantor.MainView().Button(0)->FileName(), "");  // drawn as "not found"
    EXPECT_EQ(vantor.MainView().Button(0)->IconHandle(), nullptr);
}

TEST_F(VantorViewTest, OpacityLayersTheWindowOnlyWhenItIsTransparent) {
    TVantor& vantor = Start();
    EXPECT_FALSE(GetWindowLongPtrW(vantor.Handle(), GWL_EXSTYLE) & WS_EX_LAYERED);
    EXPECT_TRUE(GetWindowLongPtrW(vantor.Handle(), GWL_EXSTYLE) & WS_EX_TOOLWINDOW);
    vantor.MainPages().SetTransparent(80);
    vantor.ApplyOpacity();
    ASSERT_TRUE(GetWindowLongPtrW(vantor.Handle(), GWL_EXSTYLE) & WS_EX_LAYERED);
    BYTE alpha = 0;
    DWORD flags = 0;
    ASSERT_TRUE(GetLayeredWindowAttributes(vantor.Handle(), nullptr, &alpha, &flags));
    EXPECT_EQ(alpha, 51);
    vantor.MainPages().SetTransparent(0);
    vantor.ApplyOpacity();
    EXPECT_FALSE(GetWindowLongPtrW(vantor.Handle(), GWL_EXSTYLE) & WS_EX_LAYERED);
}

// A page switch as the user sees it: re-binding 128 controls, the layout and
// the paint of the panel, between two full pages.
TEST_F(VantorViewTest, DISABLED_PageSwitchTiming) {
    TVantorManager pages(Platform);
    pages.Clear();
    for (int p = 0; p < 4; ++p) {
        const uint8_t style = static_cast<uint8_t>(p < 2 ? 1 : 3);
        pages.AddPage(Format("ページ%d", p + 1), style);
        TVantorPage& page = *pages.Pages(p);
        // Neighbouring pages differ in every slot, so every button changes its icon.
        for (int i = 0; i < MaxButtonsPerPage; ++i)
            page.Add((i + p) % 2 ? Target : "C:\\windows\\notepad.exe", Format("ボタン%d", i + 1), "", "", "", 5, false,
                     "", 0);
    }
    pages.SaveToFile(Data + "Main.pag");
    TVantor& vantor = Start();
    SetWindowPos(vantor.Handle(), nullptr, 0, 0, 640, 700, SWP_NOZORDER | SWP_NOACTIVATE);
    vantor.Show();
    // "Switch" is the re-bind, layout and paint of the visible page, with
    // placeholders where icons are still on the way; "icons in" runs on
    // until the worker's last answer for the page has been painted.
    TLauncherButtonCache& cache = *vantor.MainView().Button(0)->Cache();
    LARGE_INTEGER frequency;
    QueryPerformanceFrequency(&frequency);
    auto now = [] {
        LARGE_INTEGER t;
        QueryPerformanceCounter(&t);
        return t.QuadPart;
    };
    auto ms = [&](LONGLONG from, LONGLONG to) {
        return 1000.0 * static_cast<double>(to - from) / static_cast<double>(frequency.QuadPart);
    };
    auto awaitIcons = [&] {
        MSG msg;
        while (cache.Waiting() > 0) {
            MsgWaitForMultipleObjects(0, nullptr, FALSE, 5, QS_ALLINPUT);
            while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&msg);
        }
        UpdateWindow(vantor.PTexture.Handle());
    };
    auto report = [](const char* what, std::vector<double> switched, std::vector<double> settled) {
        std::sort(switched.begin(), switched.end());
        std::sort(settled.begin(), settled.end());
        std::printf("%s: %.2f ms median (%.2f-%.2f); all icons in after %.2f ms median (%.2f-%.2f)\n", what,
                    switched[switched.size() / 2], switched.front(), switched.back(), settled[settled.size() / 2],
                    settled.front(), settled.back());
    };
    constexpr int Rounds = 50;
    for (int pair = 0; pair < 2; ++pair) {
        const int first = pair * 2;
        std::vector<double> switched, settled;
        for (int i = 0; i < Rounds; ++i) {
            const LONGLONG start = now();
            vantor.TabSet.SetTabIndex(first + (i % 2 == 0 ? 1 : 0));
            UpdateWindow(vantor.PTexture.Handle());
            const LONGLONG shown = now();
            awaitIcons();
            switched.push_back(ms(start, shown));
            settled.push_back(ms(start, now()));
        }
        report(pair == 0 ? "page switch, 128 entries, view style 1" : "page switch, 128 entries, view style 3",
               switched, settled);
    }
    // The same page re-bound and painted, as after an edit of one entry.
    std::vector<double> switched, settled;
    for (int i = 0; i < Rounds; ++i) {
        const LONGLONG start = now();
        vantor.RebuildPage();
        UpdateWindow(vantor.PTexture.Handle());
        const LONGLONG shown = now();
        awaitIcons();
        switched.push_back(ms(start, shown));
        settled.push_back(ms(start, now()));
    }
    report("rebuild of the shown page, 128 entries", switched, settled);
    LONGLONG start, end;
    // What one icon costs to copy out of the cache here.
    const HICON icon = vantor.MainView().Button(0)->IconHandle();
    start = now();
    for (int i = 0; i < Rounds; ++i) DestroyIcon(CopyIcon(icon));
    end = now();
    std::printf("one icon copy: %.3f ms\n", ms(start, end) / Rounds);
}

TEST_F(VantorViewTest, AWindowHiddenAtTheEndIsKeptWhereItSlidesBackTo) {
    WriteMainPages();
    TVantor& vantor = Start();
    vantor.Show();
    SetWindowPos(vantor.Handle(), nullptr, 200, 5, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    vantor.Resnap();
    ASSERT_EQ(vantor.DockEdge(), deTop);
    RECT shown;
    GetWindowRect(vantor.Handle(), &shown);
    vantor.HideWindow(true);
    ASSERT_TRUE(vantor.Hidden());
    Vantor.reset();  // the final save
    const std::string ini = ReadTextFile(Data + "Vantor.ini");
    EXPECT_NE(ini.find("Top=" + std::to_string(shown.top) + "\r\n"), std::string::npos) << ini;
    EXPECT_NE(ini.find("Left=" + std::to_string(shown.left) + "\r\n"), std::string::npos) << ini;
}

TEST_F(VantorViewTest, ADpiChangeLaysEverythingOutAgainAndTheFileKeeps96DpiSizes) {
    WriteMainPages();
    WriteTextFile(Data + "Vantor.ini", "[DockLocations]\r\nLeft=300\r\nTop=100\r\nWidth=380\r\nHeight=500\r\n");
    TVantor& vantor = Start();
    ASSERT_EQ(vantor.Dpi(), 96);  // the test session's screen
    SetWindowPos(vantor.Handle(), nullptr, 200, 5, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    vantor.Resnap();
    ASSERT_NE(vantor.DockEdge(), deNone);  // docked: the tab strip has a side
    RECT before{};
    GetWindowRect(vantor.Handle(), &before);
    EXPECT_EQ(before.right - before.left, 380);

    // The system moves the window to a 150 % monitor and suggests its new rectangle.
    RECT suggested{before.left, before.top, before.left + 570, before.top + 750};
    SendMessageW(vantor.Handle(), WM_DPICHANGED, MAKEWPARAM(144, 144), reinterpret_cast<LPARAM>(&suggested));
    EXPECT_EQ(vantor.Dpi(), 144);
    RECT after{};
    GetWindowRect(vantor.Handle(), &after);
    EXPECT_EQ(after.right - after.left, 570);
    EXPECT_EQ(after.bottom - after.top, 750);
    ExpectPoolMatchesCore("style 0 at 144 DPI");
    EXPECT_EQ(vantor.MainView().Button(1)->Bounds(), (TBounds{62, 2, 57, 57}));  // (41, 1, 38, 38) at 150 %
    LOGFONTW font{};
    GetObjectW(vantor.WindowFont(), sizeof(font), &font);
    EXPECT_EQ(font.lfHeight, -18);
    const TBounds tabs = vantor.TabSet.Bounds();
    EXPECT_EQ(std::min(tabs.Width, tabs.Height) + 3, 36);  // the 24-pixel strip with its splitter, scaled
    EXPECT_EQ(vantor.MainPages().TabSetHeight(), 24);      // stored as it was
    EXPECT_EQ(vantor.TabSet.ArrowLength(), 18);

    Vantor.reset();  // the final save: the size in 96-DPI units, the place as it is
    const std::string ini = ReadTextFile(Data + "Vantor.ini");
    EXPECT_NE(ini.find("Width=380\r\n"), std::string::npos) << ini;
    EXPECT_NE(ini.find("Height=500\r\n"), std::string::npos) << ini;
    EXPECT_NE(ini.find("Left=" + std::to_string(after.left) + "\r\n"), std::string::npos) << ini;
}
