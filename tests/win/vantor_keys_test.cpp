// The main window's keyboard, focus frame and wheel: arrow keys over real
// laid-out pages, Enter starting the focused entry, page keys and the wheel
// switching pages with their sound, Ctrl and Shift arrows moving and sizing
// the window, and the frame painted where the core puts its lines.
#include <gtest/gtest.h>
#include <windows.h>

#include <memory>

#include "app/vantor.h"
#include "controls_test_support.h"
#include "layout/focus.h"
#include "recording_desktop.h"
#include "settings/name_value.h"
#include "shell/id_list.h"
#include "shell/win_platform.h"
#include "text/text.h"
#include "win_test_util.h"

namespace {

constexpr COLORREF kFocusColor = RGB(255, 0, 255);
constexpr COLORREF kBackground = RGB(255, 255, 255);

class VantorKeysTest : public testing::Test {
protected:
    TTempFolder Folder{"vantor-keys"};
    std::string Data = Folder / "Data\\";
    TWinPlatform Platform;
    TRecordingDesktop* Desktop = nullptr;
    std::unique_ptr<TVantor> Vantor;

    void SetUp() override { MakeFolder(Data); }
    void TearDown() override { Vantor.reset(); }

    std::string TargetOf(int i) const { return Folder / Format("target%d.exe", i); }

    // Entry i starts its own target; separators at the given positions.
    void AddEntries(TVantorPage& page, int count, std::initializer_list<int> separators = {}) {
        for (int i = 0; i < count; ++i) {
            bool separator = false;
            for (int s : separators) separator = separator || s == i;
            if (separator) {
                page.Add(SeparatorLink, SeparatorTitle, "", "", "", 5, false, "", 0);
                continue;
            }
            WriteTextFile(TargetOf(i), "MZ");
            page.Add(TargetOf(i), Format("ボタン%d", i), "", "", "", 5, false, "", 0);
        }
    }

    // Small icons, one entry per row, long titles over a long page, only separators.
    void WriteMainPages() {
        TVantorManager pages(Platform);
        pages.Clear();
        pages.AddPage("小さいアイコン", 1);
        AddEntries(*pages.Pages(0), 30, {3});
        pages.AddPage("1行", 5);
        AddEntries(*pages.Pages(1), 8, {0, 4});
        pages.AddPage("長いタイトル", 3);
        AddEntries(*pages.Pages(2), 60, {9});
        pages.AddPage("区切りだけ", 0);
        AddEntries(*pages.Pages(3), 2, {0, 1});
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

    // A key as the window system delivers it to the entry area (no Shift, no Ctrl).
    void Press(WORD key) { SendMessageW(Vantor->ScrollBox.Handle(), WM_KEYDOWN, key, 0); }

    void Wheel(int delta, WPARAM keys = 0) {
        const TBounds box = Vantor->ScrollBox.Bounds();
        POINT at{box.Width / 2, box.Height / 2};
        ClientToScreen(Vantor->ScrollBox.Handle(), &at);
        SendMessageW(Vantor->Handle(), WM_MOUSEWHEEL, MAKEWPARAM(keys, static_cast<WORD>(delta)),
                     MAKELPARAM(at.x, at.y));
    }

    // Where the core puts the frame of an entry of the current page.
    std::array<TBounds, 4> ExpectedFrame(int entry) const {
        return FocusFrameLines(Vantor->MainView().EntryRect(entry), Vantor->MainView().CellMetrics().IconRect);
    }

    RECT WindowRect() const {
        RECT r{};
        GetWindowRect(Vantor->Handle(), &r);
        return r;
    }
};

}  // namespace

TEST_F(VantorKeysTest, ArrowsMoveTheFocusByNeighbourAndColumnSkippingSeparators) {
    WriteMainPages();
    TVantor& vantor = Start();
    vantor.CurrentButton = 0;
    vantor.PlaceFocusFrame(false);
    const int columns = vantor.MainView().ColumnCount();
    ASSERT_GT(columns, 4);

    // Small icons: 0 1 2 | separator | 4 5 6 ... in rows of `columns`.
    Press(VK_RIGHT);
    Press(VK_RIGHT);
    EXPECT_EQ(vantor.CurrentButton, 2);
    Press(VK_RIGHT);
    EXPECT_EQ(vantor.CurrentButton, 4);  // over the separator
    EXPECT_EQ(vantor.MainView().FocusFrame(), ExpectedFrame(4));
    Press(VK_LEFT);
    EXPECT_EQ(vantor.CurrentButton, 2);
    Press(VK_UP);
    EXPECT_EQ(vantor.CurrentButton, 2);  // the first row has nothing above
    vantor.CurrentButton = 0;
    vantor.PlaceFocusFrame(false);
    Press(VK_DOWN);
    EXPECT_EQ(vantor.CurrentButton, 4);  // the row after the separator starts the column again
    Press(VK_DOWN);
    EXPECT_EQ(vantor.CurrentButton, 4 + columns);
    EXPECT_EQ(vantor.MainView().FocusFrame(), ExpectedFrame(4 + columns));
    // The frame of style 1: one pixel outside the 22-pixel icon box.
    const TBounds cell = vantor.MainView().EntryRect(4 + columns);
    EXPECT_EQ(vantor.MainView().FocusFrame()[0], (TBounds{cell.Left, cell.Top, 24, 1}));
    EXPECT_EQ(vantor.MainView().FocusFrame()[3], (TBounds{cell.Left, cell.Top + 23, 24, 1}));

    // One entry per row: Up and Down are neighbours, the frame never rests on
    // the leading separator.
    vantor.TabSet.SetTabIndex(1);
    EXPECT_EQ(vantor.CurrentButton, 7);  // clamped to the page's last entry
    vantor.CurrentButton = 0;
    vantor.PlaceFocusFrame(false);
    EXPECT_EQ(vantor.CurrentButton, 1);
    EXPECT_EQ(vantor.MainView().FocusEntry(), 1);
    Press(VK_DOWN);
    Press(VK_DOWN);
    EXPECT_EQ(vantor.CurrentButton, 3);
    Press(VK_DOWN);
    EXPECT_EQ(vantor.CurrentButton, 5);
    Press(VK_UP);
    EXPECT_EQ(vantor.CurrentButton, 3);
    for (int i = 0; i < 10; ++i) Press(VK_RIGHT);
    EXPECT_EQ(vantor.CurrentButton, 7);  // stops at the last entry
    for (int i = 0; i < 10; ++i) Press(VK_LEFT);
    EXPECT_EQ(vantor.CurrentButton, 1);
    EXPECT_EQ(vantor.MainView().FocusFrame(), ExpectedFrame(1));
}

TEST_F(VantorKeysTest, MovingToAnEntryOutsideTheVisiblePartScrollsItIntoView) {
    WriteMainPages();
    WriteTextFile(Data + "Vantor.ini", "[Settings]\r\nCurrentPage=2\r\nCurrentButton=0\r\n");
    TVantor& vantor = Start();
    ASSERT_GT(vantor.ScrollBox.VertRange(), vantor.ScrollBox.ClientHeight());
    EXPECT_EQ(vantor.ScrollBox.VertPosition(), 0);
    for (int i = 0; i < 59; ++i) Press(VK_RIGHT);
    EXPECT_EQ(vantor.CurrentButton, 59);
    const TBounds last = vantor.MainView().EntryRect(59);
    EXPECT_EQ(vantor.ScrollBox.VertPosition(), last.Bottom() - vantor.ScrollBox.ClientHeight());
    for (int i = 0; i < 59; ++i) Press(VK_LEFT);
    EXPECT_EQ(vantor.CurrentButton, 0);
    EXPECT_EQ(vantor.ScrollBox.VertPosition(), 0);
    // End and Home jump there at once, scrolling as the arrows do.
    Press(VK_END);
    EXPECT_EQ(vantor.CurrentButton, 59);
    EXPECT_EQ(vantor.ScrollBox.VertPosition(), last.Bottom() - vantor.ScrollBox.ClientHeight());
    Press(VK_HOME);
    EXPECT_EQ(vantor.CurrentButton, 0);
    EXPECT_EQ(vantor.ScrollBox.VertPosition(), 0);
}

TEST_F(VantorKeysTest, EnterStartsTheFocusedEntryAndNothingOnAPageOfSeparators) {
    WriteMainPages();
    TVantor& vantor = Start();
    vantor.Show();
    vantor.CurrentButton = 0;
    vantor.PlaceFocusFrame(false);
    Press(VK_RIGHT);
    Press(VK_RIGHT);
    Press(VK_RIGHT);
    Press(VK_RETURN);
    ASSERT_TRUE(vantor.Probe().FinishAll());  // the start waits for the look at its target
    ASSERT_EQ(Desktop->StartedItems.size(), 1u);
    EXPECT_TRUE(SameText(Desktop->StartedItems[0], TargetOf(4)));
    EXPECT_EQ(vantor.CurrentButton, 4);

    vantor.TabSet.SetTabIndex(3);
    EXPECT_EQ(vantor.MainView().FocusEntry(), -1);
    Press(VK_RETURN);
    EXPECT_EQ(Desktop->StartedItems.size(), 1u);
    EXPECT_TRUE(Desktop->Boxes.empty());
}

TEST_F(VantorKeysTest, PageKeysAndTheWheelSwitchPagesWithTheirSound) {
    WriteMainPages();
    TVantor& vantor = Start();
    SetListValue(vantor.MainPages().Sounds, "ClickPage", "*ページ");
    vantor.Show();

    Press(VK_NUMPAD2);
    EXPECT_EQ(vantor.MainPages().CurrentPage(), 2);
    Press(VK_NUMPAD9);  // only four pages: the last
    EXPECT_EQ(vantor.MainPages().CurrentPage(), 3);
    Press(188);  // comma
    EXPECT_EQ(vantor.MainPages().CurrentPage(), 2);
    Press(190);  // period
    EXPECT_EQ(vantor.MainPages().CurrentPage(), 3);
    EXPECT_EQ(Desktop->Sounds, (std::vector<std::string>(4, "*ページ")));
    Press(190);  // nothing after the last page, and no sound
    EXPECT_EQ(vantor.MainPages().CurrentPage(), 3);
    EXPECT_EQ(Desktop->Sounds.size(), 4u);
    // Held Ctrl or Shift changes nothing for the page keys.
    WORD key = VK_NUMPAD0;
    vantor.FormKeyDown(key, ssCtrl | ssShift);
    EXPECT_EQ(vantor.MainPages().CurrentPage(), 0);

    // Towards the user the next page, away the previous one.
    Wheel(-WHEEL_DELTA);
    EXPECT_EQ(vantor.MainPages().CurrentPage(), 1);
    Wheel(WHEEL_DELTA);
    Wheel(WHEEL_DELTA);
    EXPECT_EQ(vantor.MainPages().CurrentPage(), 0);
    EXPECT_EQ(Desktop->Sounds.size(), 7u);

    // With Ctrl a page that scrolls scrolls instead; one that does not switches.
    Wheel(-WHEEL_DELTA, MK_CONTROL);
    EXPECT_EQ(vantor.MainPages().CurrentPage(), 1);
    vantor.TabSet.SetTabIndex(2);
    ASSERT_TRUE(vantor.ScrollBox.VertScrollBarVisible());
    Wheel(-WHEEL_DELTA, MK_CONTROL);
    Wheel(-WHEEL_DELTA, MK_CONTROL);
    EXPECT_EQ(vantor.MainPages().CurrentPage(), 2);
    EXPECT_EQ(vantor.ScrollBox.VertPosition(), 64);
    Wheel(WHEEL_DELTA, MK_CONTROL);
    EXPECT_EQ(vantor.ScrollBox.VertPosition(), 32);
    // Without Ctrl the wheel switches pages even where the page could scroll.
    Wheel(-WHEEL_DELTA);
    EXPECT_EQ(vantor.MainPages().CurrentPage(), 3);
}

TEST_F(VantorKeysTest, CtrlArrowsMoveTheWindowAsADragAndShiftArrowsResizeIt) {
    WriteMainPages();
    TVantor& vantor = Start();
    const int sw = GetSystemMetrics(SM_CXSCREEN);
    ASSERT_EQ(vantor.DockEdge(), deTop);
    const RECT start = WindowRect();
    ASSERT_EQ(start.right, sw);

    WORD key = VK_LEFT;
    vantor.FormKeyDown(key, ssCtrl);
    RECT r = WindowRect();
    EXPECT_EQ(r.left, start.left - 16);
    EXPECT_EQ(r.top, 0);
    key = VK_DOWN;
    vantor.FormKeyDown(key, ssCtrl);  // 16 pixels do not tear it off the top edge
    EXPECT_EQ(WindowRect().top, 0);
    EXPECT_EQ(vantor.DockEdge(), deTop);
    for (int i = 0; i < 3; ++i) {
        key = VK_RIGHT;
        vantor.FormKeyDown(key, ssCtrl);  // the screen's edge stops it
    }
    EXPECT_EQ(WindowRect().right, sw);

    // Ctrl wins over Shift; Shift alone resizes from the same corner.
    key = VK_LEFT;
    vantor.FormKeyDown(key, ssCtrl | ssShift);
    r = WindowRect();
    EXPECT_EQ(r.left, start.left - 16);
    EXPECT_EQ(r.right - r.left, start.right - start.left);
    key = VK_RIGHT;
    vantor.FormKeyDown(key, ssShift);
    key = VK_UP;
    vantor.FormKeyDown(key, ssShift);
    const RECT sized = WindowRect();
    EXPECT_EQ(sized.right - sized.left, start.right - start.left + 8);
    EXPECT_EQ(sized.bottom - sized.top, start.bottom - start.top - 8);
    EXPECT_EQ(sized.top, 0);
    EXPECT_EQ(vantor.CurrentButton, 0);  // none of these moves the focus
}

TEST_F(VantorKeysTest, TheFrameIsPaintedInTheFocusColourWhileTheEntriesHaveTheKeyboard) {
    WriteMainPages();
    TVantor& vantor = Start();
    vantor.MainPages().CustomColor = true;
    vantor.MainPages().Colors[TVantorSettings::BackgroundColor] = kBackground;
    vantor.MainPages().Colors[TVantorSettings::FocusColor] = kFocusColor;
    vantor.RefreshTabsAndFonts();
    vantor.Show();
    // Activation puts the keyboard on the entries.
    EXPECT_EQ(GetFocus(), vantor.ScrollBox.Handle());
    ASSERT_TRUE(vantor.MainView().FocusFrameShown());

    vantor.CurrentButton = 0;
    vantor.PlaceFocusFrame(false);
    Press(VK_RIGHT);
    Press(VK_DOWN);
    const int entry = vantor.CurrentButton;
    ASSERT_GT(entry, 4);
    const std::array<TBounds, 4> lines = ExpectedFrame(entry);
    ASSERT_EQ(vantor.MainView().FocusFrame(), lines);

    const int width = vantor.ScrollBox.ClientWidth();
    const int height = vantor.ScrollBox.ClientHeight();
    auto paint = [&](TTestCanvas& canvas) {
        const RECT all{0, 0, width, height};
        vantor.PTexture.OnPaint(vantor.PTexture, canvas.DC(), all);
    };
    TTestCanvas canvas(width, height);
    paint(canvas);
    for (const TBounds& b : lines)
        for (int y = b.Top; y < b.Bottom(); ++y)
            for (int x = b.Left; x < b.Right(); ++x) ASSERT_EQ(canvas.Pixel(x, y), kFocusColor) << x << "," << y;
    const TBounds& top = lines[0];
    EXPECT_EQ(canvas.Pixel(top.Left - 1, top.Top), kBackground);
    EXPECT_EQ(canvas.Pixel(top.Left, top.Top - 1), kBackground);
    EXPECT_EQ(canvas.Pixel(top.Right(), top.Top), kBackground);
    EXPECT_EQ(canvas.Pixel(top.Left + 2, top.Top + 2), kBackground);  // inside: the button's
    // The frame that was left is gone.
    const std::array<TBounds, 4> before = ExpectedFrame(1);
    EXPECT_EQ(canvas.Pixel(before[0].Left, before[0].Top), kBackground);

    // On the screen too: the move repainted both places.
    auto onScreen = [&](const TBounds& at) {
        UpdateWindow(vantor.PTexture.Handle());
        HDC dc = GetDC(vantor.PTexture.Handle());
        const COLORREF c = GetPixel(dc, at.Left, at.Top);
        ReleaseDC(vantor.PTexture.Handle(), dc);
        return c;
    };
    EXPECT_EQ(onScreen(lines[2]), kFocusColor);
    EXPECT_EQ(onScreen(before[2]), kBackground);

    // Elsewhere the keyboard takes the frame with it.
    SetFocus(vantor.TabSet.Handle());
    EXPECT_FALSE(vantor.MainView().FocusFrameShown());
    TTestCanvas unfocused(width, height);
    paint(unfocused);
    EXPECT_EQ(unfocused.Pixel(top.Left, top.Top), kBackground);
    EXPECT_EQ(onScreen(lines[2]), kBackground);
}

TEST_F(VantorKeysTest, TitlesShowTheHandAndAClickOnOneStartsItsEntry) {
    WriteMainPages();
    WriteTextFile(Data + "Vantor.ini", "[Settings]\r\nCurrentPage=2\r\n");
    TVantor& vantor = Start();
    vantor.Show();
    const HWND panel = vantor.PTexture.Handle();
    const TRect title = vantor.MainView().TitleRect(1);
    ASSERT_FALSE(title.IsEmpty());
    const LPARAM onTitle = MAKELPARAM((title.Left + title.Right) / 2, (title.Top + title.Bottom) / 2);
    const TRect other = vantor.MainView().TitleRect(2);
    const LPARAM onOther = MAKELPARAM((other.Left + other.Right) / 2, (other.Top + other.Bottom) / 2);
    const TBounds icon = vantor.MainView().Button(1)->Bounds();

    SendMessageW(panel, WM_MOUSEMOVE, 0, onTitle);
    EXPECT_EQ(vantor.PTexture.Cursor, LoadCursor(nullptr, IDC_HAND));
    SendMessageW(panel, WM_MOUSEMOVE, 0, MAKELPARAM(title.Right + 2, 2));
    EXPECT_EQ(vantor.PTexture.Cursor, nullptr);

    // Pressed on one title and released on another: no click.
    SendMessageW(panel, WM_LBUTTONDOWN, MK_LBUTTON, onTitle);
    SendMessageW(panel, WM_LBUTTONUP, 0, onOther);
    EXPECT_TRUE(Desktop->StartedItems.empty());
    SendMessageW(panel, WM_LBUTTONDOWN, MK_LBUTTON, onTitle);
    SendMessageW(panel, WM_LBUTTONUP, 0, onTitle);
    ASSERT_TRUE(vantor.Probe().FinishAll());  // the start waits for the look at its target
    ASSERT_EQ(Desktop->StartedItems.size(), 1u);
    EXPECT_TRUE(SameText(Desktop->StartedItems[0], TargetOf(1)));
    // The focus follows the started entry.
    EXPECT_EQ(vantor.CurrentButton, 1);
    EXPECT_EQ(vantor.MainView().FocusFrame()[1].Left, icon.Left - 1);
}

// A page changed by a key while the pointer rests on an entry: the title that
// pops up is that of the entry now under the pointer, not the one before.
TEST_F(VantorKeysTest, APageChangedByAKeyUnderAStillPointerTitlesTheEntryNowThere) {
    TVantorManager pages(Platform);
    pages.Clear();
    for (const char* caption : {"一", "二"}) {
        pages.AddPage(caption, 0);
        WriteTextFile(TargetOf(0), "MZ");
        pages.Pages(pages.Count() - 1)->Add(TargetOf(0), std::string(caption) + "の項目", "", "", "", 5, false, "", 0);
    }
    pages.SaveToFile(Data + "Main.pag");
    TVantor& vantor = Start();
    vantor.Show();
    RestPointerOn(vantor.PTexture.Handle(), *vantor.MainView().Button(0));
    const TExtHintWindow& title = vantor.Hints().TitleWindow();
    ASSERT_TRUE(title.Showing());
    ASSERT_EQ(title.Text(), "一の項目");

    Press(VK_OEM_PERIOD);
    ASSERT_EQ(vantor.MainPages().CurrentPage(), 1);
    EXPECT_TRUE(title.Showing());
    EXPECT_EQ(title.Text(), "二の項目");
}
