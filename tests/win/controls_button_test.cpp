#include <gtest/gtest.h>
#include <windows.h>

#include "base/handles.h"
#include "controls/launcher_button.h"
#include "controls/paint_panel.h"
#include "controls_test_support.h"

namespace {

LPARAM At(int x, int y) { return MAKELPARAM(x, y); }

// A panel in a hidden window holding one button at (10, 10, 40, 40).
struct TButtonOnPanel {
    TTestTopWindow window;
    TPaintPanel panel;
    TIconButton button;
    int clicks = 0;

    TButtonOnPanel() {
        window.Create();
        panel.Create(window.Handle(), TBounds{0, 0, 200, 100});
        button.SetBounds(10, 10, 40, 40);
        button.OnClick = [this](TComponent&) { ++clicks; };
        panel.Controls().Add(button);
    }
    void Send(UINT msg, WPARAM keys, int x, int y) { SendMessageW(panel.Handle(), msg, keys, At(x, y)); }
};

COLORREF Mix(int i) {
    const COLORREF s = GetSysColor(COLOR_BTNSHADOW);
    const COLORREF f = GetSysColor(COLOR_BTNFACE);
    auto mix = [i](int a, int b) { return ((7 - i) * a + i * b) / 7; };
    return RGB(mix(GetRValue(s), GetRValue(f)), mix(GetGValue(s), GetGValue(f)), mix(GetBValue(s), GetBValue(f)));
}

}  // namespace

TEST(CustomButton, AClickIsAPressAndAReleaseInside) {
    TButtonOnPanel t;
    t.Send(WM_LBUTTONDOWN, MK_LBUTTON, 20, 20);
    EXPECT_TRUE(t.button.Tracking());
    EXPECT_TRUE(t.button.PressedLook());
    EXPECT_TRUE(t.button.Hot());
    EXPECT_EQ(t.panel.Controls().CaptureControl(), &t.button);
    // The pressed button keeps the pointer while it moves away.
    t.Send(WM_MOUSEMOVE, MK_LBUTTON, 150, 80);
    EXPECT_TRUE(t.button.Tracking());
    t.Send(WM_LBUTTONUP, 0, 21, 22);
    EXPECT_EQ(t.clicks, 1);
    EXPECT_FALSE(t.button.Tracking());
    EXPECT_FALSE(t.button.PressedLook());
    EXPECT_EQ(t.panel.Controls().CaptureControl(), nullptr);

    // Released outside: neither hot nor pressed, and no click.
    t.Send(WM_LBUTTONDOWN, MK_LBUTTON, 20, 20);
    t.Send(WM_LBUTTONUP, 0, 150, 80);
    EXPECT_EQ(t.clicks, 1);
    EXPECT_FALSE(t.button.Hot());
    EXPECT_FALSE(t.button.PressedLook());

    // The right button and presses beside the button are not clicks.
    t.Send(WM_RBUTTONDOWN, MK_RBUTTON, 20, 20);
    t.Send(WM_RBUTTONUP, 0, 20, 20);
    t.Send(WM_LBUTTONDOWN, MK_LBUTTON, 100, 20);
    t.Send(WM_LBUTTONUP, 0, 100, 20);
    EXPECT_EQ(t.clicks, 1);
}

TEST(CustomButton, ADoubleClickIsOneClick) {
    TButtonOnPanel t;
    t.Send(WM_LBUTTONDOWN, MK_LBUTTON, 20, 20);
    t.Send(WM_LBUTTONUP, 0, 20, 20);
    t.Send(WM_LBUTTONDBLCLK, MK_LBUTTON, 20, 20);
    EXPECT_TRUE(t.button.PressedLook());
    t.Send(WM_LBUTTONUP, 0, 20, 20);
    EXPECT_EQ(t.clicks, 1);
    EXPECT_FALSE(t.button.PressedLook());
    // The next single press clicks again.
    t.Send(WM_LBUTTONDOWN, MK_LBUTTON, 20, 20);
    t.Send(WM_LBUTTONUP, 0, 20, 20);
    EXPECT_EQ(t.clicks, 2);
}

TEST(CustomButton, DisabledOrParkedButtonsLeaveThePointerToThePanel) {
    TButtonOnPanel t;
    int panelDowns = 0;
    t.panel.OnMouseDown = [&](TComponent&, TMouseButton, TShiftState, int, int) { ++panelDowns; };
    t.button.SetEnabled(false);
    t.Send(WM_LBUTTONDOWN, MK_LBUTTON, 20, 20);
    t.Send(WM_LBUTTONUP, 0, 20, 20);
    t.button.SetEnabled(true);
    t.button.SetBounds(ParkedBounds);
    t.Send(WM_LBUTTONDOWN, MK_LBUTTON, 0, 0);
    t.Send(WM_LBUTTONUP, 0, 0, 0);
    EXPECT_EQ(panelDowns, 2);
    EXPECT_EQ(t.clicks, 0);
}

TEST(CustomButton, LosingTheCaptureEndsThePress) {
    TButtonOnPanel t;
    t.Send(WM_LBUTTONDOWN, MK_LBUTTON, 20, 20);
    SendMessageW(t.panel.Handle(), WM_CAPTURECHANGED, 0, reinterpret_cast<LPARAM>(t.window.Handle()));
    EXPECT_FALSE(t.button.Tracking());
    EXPECT_FALSE(t.button.PressedLook());
    t.Send(WM_LBUTTONUP, 0, 20, 20);
    EXPECT_EQ(t.clicks, 0);
}

TEST(CustomButton, AReleaseWithoutAPressOnTheButtonIsNoClick) {
    // A drag that began on the panel (moving the window, say) ends over the button.
    TButtonOnPanel t;
    t.Send(WM_LBUTTONDOWN, MK_LBUTTON, 100, 80);
    t.Send(WM_MOUSEMOVE, MK_LBUTTON, 20, 20);
    t.Send(WM_LBUTTONUP, 0, 20, 20);
    EXPECT_EQ(t.clicks, 0);
}

namespace {

// Runs the thread's messages until `done` holds or `ms` pass.
template <typename F>
bool PumpUntil(F done, DWORD ms) {
    const DWORD start = GetTickCount();
    while (!done()) {
        if (GetTickCount() - start > ms) return false;
        MSG msg;
        while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&msg);
        Sleep(5);
    }
    return true;
}

}  // namespace

TEST(CustomButton, PerformClickFiresAtOnceAndATimerEndsThePress) {
    TButtonOnPanel t;
    bool pressedDuringClick = false;
    t.button.OnClick = [&](TComponent&) {
        ++t.clicks;
        pressedDuringClick = t.button.PressedLook();
    };
    t.button.PerformClick();
    EXPECT_EQ(t.clicks, 1);
    EXPECT_TRUE(pressedDuringClick);
    EXPECT_TRUE(t.button.PressedLook());
    EXPECT_TRUE(t.button.DrawnDown());
    EXPECT_FALSE(t.button.Hot());  // the pointer is elsewhere
    EXPECT_TRUE(PumpUntil([&] { return !t.button.PressedLook(); }, 2000));
    EXPECT_EQ(t.clicks, 1);
    EXPECT_FALSE(t.button.DrawnDown());
}

TEST(CustomButton, PerformClickRunsNoMessageOfAnyoneElse) {
    // A queued click, a timer or WM_CLOSE run inside the click could close
    // the window or rebind the button before its click starts the entry.
    TButtonOnPanel t;
    const UINT probe = WM_APP + 17;
    int dispatched = 0;
    t.panel.OnMouseDown = [&](TComponent&, TMouseButton, TShiftState, int, int) { ++dispatched; };
    PostMessageW(t.panel.Handle(), probe, 0, 0);
    PostMessageW(t.panel.Handle(), WM_LBUTTONDOWN, MK_LBUTTON, At(150, 80));
    t.button.PerformClick();
    EXPECT_EQ(t.clicks, 1);
    EXPECT_EQ(dispatched, 0);
    MSG msg;
    EXPECT_TRUE(PeekMessageW(&msg, t.panel.Handle(), probe, probe, PM_REMOVE));
    EXPECT_TRUE(PeekMessageW(&msg, t.panel.Handle(), WM_LBUTTONDOWN, WM_LBUTTONDOWN, PM_REMOVE));
}

TEST(CustomButton, ButtonStyleSettingsMapToFrameTransparencyAndGradient) {
    struct TCase {
        int Setting;
        TIconButtonStyle Style;
        bool Transparent;
        bool Gradation;
    };
    const TCase cases[] = {{0, isNormal, false, false},
                           {1, isFlat, true, false},
                           {2, isThin, true, false},
                           {3, isThin, false, false},
                           {4, isThin, false, true}};
    for (const TCase& c : cases) {
        TCustomIconButton* b = new TIconButton;
        b->ApplyButtonStyleSetting(c.Setting);
        EXPECT_EQ(b->ButtonStyle(), c.Style) << c.Setting;
        EXPECT_EQ(b->Transparent(), c.Transparent) << c.Setting;
        EXPECT_EQ(b->Gradation(), c.Gradation) << c.Setting;
        EXPECT_EQ(b->Opaque(), !c.Transparent) << c.Setting;
        delete b;
    }
}

TEST(CustomButton, GradientRunsInEightBandsFromShadowToFace) {
    TIconButton b;
    b.ApplyButtonStyleSetting(4);
    b.SetBounds(0, 0, 82, 20);
    TTestCanvas canvas(82, 20);
    b.Paint(canvas.DC());
    // Fill rectangle (1, 1, 81, 19): width 80, so band i starts at 1 + 10 i.
    for (int i = 0; i < 8; ++i) {
        EXPECT_EQ(canvas.Pixel(1 + 10 * i + 5, 10), Mix(i)) << "band " << i;
    }
    EXPECT_EQ(canvas.Pixel(6, 10), GetSysColor(COLOR_BTNSHADOW));
    EXPECT_EQ(canvas.Pixel(76, 10), GetSysColor(COLOR_BTNFACE));
}

TEST(GraphicControlHost, ABatchGathersRepaintRequestsIntoOneArea) {
    TButtonOnPanel t;
    TIconButton second;
    second.SetBounds(100, 50, 20, 20);
    t.panel.Controls().Add(second);
    SetWindowPos(t.window.Handle(), HWND_TOPMOST, 0, 0, 400, 300, SWP_SHOWWINDOW | SWP_NOACTIVATE);
    UpdateWindow(t.panel.Handle());
    HWND panel = t.panel.Handle();
    RECT r{};
    ASSERT_FALSE(GetUpdateRect(panel, &r, FALSE));
    {
        TGraphicControlHost::TBatch outer(t.panel.Controls());
        {
            TGraphicControlHost::TBatch inner(t.panel.Controls());
            t.button.SetBounds(20, 10, 40, 40);
            second.SetButtonStyle(isThin);
        }
        // Nested: nothing reaches the window before the outermost batch closes.
        EXPECT_FALSE(GetUpdateRect(panel, &r, FALSE));
        EXPECT_TRUE(t.panel.Controls().Batching());
    }
    EXPECT_FALSE(t.panel.Controls().Batching());
    ASSERT_TRUE(GetUpdateRect(panel, &r, FALSE));
    // The button's old and new place and the restyled one.
    EXPECT_EQ(r.left, 10);
    EXPECT_EQ(r.top, 10);
    EXPECT_EQ(r.right, 120);
    EXPECT_EQ(r.bottom, 70);
    UpdateWindow(panel);

    // A batch in which nothing changed asks for nothing.
    { TGraphicControlHost::TBatch idle(t.panel.Controls()); }
    EXPECT_FALSE(GetUpdateRect(panel, &r, FALSE));
    // Without a batch a request reaches the window at once.
    second.SetButtonStyle(isNormal);
    ASSERT_TRUE(GetUpdateRect(panel, &r, FALSE));
    EXPECT_EQ(r.left, 100);
    EXPECT_EQ(r.right, 120);
    UpdateWindow(panel);
    // Repaint paints now, batch or not.
    {
        TGraphicControlHost::TBatch batch(t.panel.Controls());
        second.Repaint();
        EXPECT_FALSE(GetUpdateRect(panel, &r, FALSE));
    }
    EXPECT_FALSE(GetUpdateRect(panel, &r, FALSE));
    ShowWindow(t.window.Handle(), SW_HIDE);
}

TEST(CustomButton, TransparentFlatButtonsPaintNothingUntilHot) {
    TIconButton b;
    b.ApplyButtonStyleSetting(1);
    TTestCanvas canvas(40, 40, RGB(10, 20, 30));
    b.Paint(canvas.DC());
    EXPECT_EQ(canvas.Pixel(0, 0), RGB(10, 20, 30));
    EXPECT_EQ(canvas.Pixel(20, 20), RGB(10, 20, 30));
    // A checked flat button shows its sunken edge.
    b.SetButtonType(itCheck);
    b.SetDown(true);
    b.Paint(canvas.DC());
    EXPECT_EQ(canvas.Pixel(0, 0), GetSysColor(COLOR_BTNSHADOW));
    EXPECT_EQ(canvas.Pixel(20, 20), RGB(10, 20, 30));
}

TEST(IconButton, IconsAreCentredAtSixteenThirtyTwoOrSixtyFourPixels) {
    TIcon red(SolidIcon(32, RGB(255, 0, 0)));
    struct TCase {
        int Width;
        bool Large;
        int Size;
    };
    for (const TCase& c : {TCase{70, true, 64}, TCase{65, true, 32}, TCase{70, false, 16}}) {
        TIconButton b;
        b.ApplyButtonStyleSetting(3);
        b.SetLargeIcon(c.Large);
        b.SetBounds(0, 0, c.Width, c.Width);
        b.SetIcon(red.Get());
        EXPECT_NE(b.Icon(), red.Get());  // a copy
        TTestCanvas canvas(c.Width, c.Width);
        b.Paint(canvas.DC());
        const int at = (c.Width - c.Size) / 2;
        EXPECT_EQ(canvas.Pixel(at, at), RGB(255, 0, 0)) << c.Width;
        EXPECT_EQ(canvas.Pixel(at + c.Size - 1, at + c.Size - 1), RGB(255, 0, 0)) << c.Width;
        EXPECT_NE(canvas.Pixel(at - 1, at - 1), RGB(255, 0, 0)) << c.Width;
        EXPECT_NE(canvas.Pixel(at + c.Size, at + c.Size), RGB(255, 0, 0)) << c.Width;
    }
    // Pressed, the icon moves one pixel right and down.
    TButtonOnPanel t;
    t.button.ApplyButtonStyleSetting(3);
    t.button.SetIcon(red.Get());
    t.Send(WM_LBUTTONDOWN, MK_LBUTTON, 20, 20);
    TTestCanvas canvas(40, 40);
    t.button.Paint(canvas.DC());
    EXPECT_NE(canvas.Pixel(4, 4), RGB(255, 0, 0));
    EXPECT_EQ(canvas.Pixel(5, 5), RGB(255, 0, 0));
    EXPECT_EQ(canvas.Pixel(36, 36), RGB(255, 0, 0));
    t.Send(WM_LBUTTONUP, 0, 20, 20);
}

TEST(LauncherButton, AMissingTargetReadsBackEmptyAndShowsTheNotFoundIcon) {
    TLauncherButtonCache cache;
    TLauncherButton b;
    b.SetCache(&cache);
    b.SetIconSource("C:\\windows\\system32\\notepad.exe", -1);
    EXPECT_EQ(b.FileName(), "C:\\windows\\system32\\notepad.exe");
    EXPECT_TRUE(b.IconHandle());
    b.SetFileName("C:\\gone\\away.exe");
    EXPECT_EQ(b.FileName(), "");
    EXPECT_FALSE(b.IconHandle());
    EXPECT_EQ(IconImageSize(NotFoundIcon(true)).cx, 32);
    EXPECT_EQ(IconImageSize(NotFoundIcon(false)).cx, 16);
    // The not-found picture is drawn: the button is not left blank.
    b.ApplyButtonStyleSetting(1);
    TTestCanvas canvas(40, 40, RGB(1, 2, 3));
    b.Paint(canvas.DC());
    int painted = 0;
    for (int y = 4; y < 36; ++y) {
        for (int x = 4; x < 36; ++x) painted += canvas.Pixel(x, y) != RGB(1, 2, 3) ? 1 : 0;
    }
    EXPECT_GT(painted, 200);
    // Web addresses are kept whatever their case; the cache holds both sizes.
    b.SetFileName("HTTP://www.example.com/");
    EXPECT_EQ(b.FileName(), "HTTP://www.example.com/");
    EXPECT_TRUE(b.IconHandle());
    b.SetLargeIcon(false);
    EXPECT_EQ(IconImageSize(b.IconHandle()).cx, GetSystemMetrics(SM_CXSMICON));
    EXPECT_EQ(cache.Used(), 3);
}

TEST(LauncherButton, GrowingPastSixtyFiveLoadsTheSixtyFourPixelImage) {
    TLauncherButtonCache cache;
    TLauncherButton b;
    b.SetCache(&cache);
    b.SetBounds(0, 0, 40, 40);
    b.SetIconSource("C:\\windows\\system32\\shell32.dll", 3);
    EXPECT_EQ(IconImageSize(b.IconHandle()).cx, 32);
    b.SetBounds(0, 0, 70, 70);
    EXPECT_EQ(b.IconSize(), 64);
    EXPECT_EQ(IconImageSize(b.IconHandle()).cx, 64);
    b.SetIconIndex(4);
    EXPECT_EQ(IconImageSize(b.IconHandle()).cx, 64);
    EXPECT_EQ(cache.Used(), 2);
}

namespace {

bool MoveCursorTo(HWND window, int x, int y) {
    POINT p{x, y};
    ClientToScreen(window, &p);
    SetCursorPos(p.x, p.y);
    POINT now{};
    GetCursorPos(&now);
    return now.x == p.x && now.y == p.y;
}

void PumpFor(DWORD ms) {
    const DWORD end = GetTickCount() + ms;
    MSG msg;
    while (static_cast<int>(end - GetTickCount()) > 0) {
        while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&msg);
        Sleep(10);
    }
}

}  // namespace

TEST(CustomButton, OneSharedTimerKeepsOneFlatButtonHotAndCatchesUnreportedLeaves) {
    TTestTopWindow window;
    ASSERT_TRUE(window.Create(400, 200));
    TPaintPanel left;
    TPaintPanel right;
    ASSERT_TRUE(left.Create(window.Handle(), TBounds{0, 0, 200, 200}));
    ASSERT_TRUE(right.Create(window.Handle(), TBounds{200, 0, 200, 200}));
    right.Controls().ShareHotTimer(left.Controls());
    TIconButton a;
    TIconButton b;
    a.SetBounds(10, 10, 40, 40);
    b.SetBounds(10, 10, 40, 40);
    left.Controls().Add(a);
    right.Controls().Add(b);
    int exits = 0;
    a.OnMouseExit = [&](TComponent&) { ++exits; };
    b.OnMouseExit = [&](TComponent&) { ++exits; };
    SetWindowPos(window.Handle(), HWND_TOPMOST, 0, 0, 400, 200, SWP_SHOWWINDOW | SWP_NOACTIVATE);
    UpdateWindow(window.Handle());
    if (!MoveCursorTo(left.Handle(), 20, 20)) GTEST_SKIP() << "no pointer to move";

    SendMessageW(left.Handle(), WM_MOUSEMOVE, 0, MAKELPARAM(20, 20));
    EXPECT_TRUE(a.Hot());
    EXPECT_EQ(left.Controls().HotTimer().Owner(), &a);

    // Entering b without a leave message for a: the shared timer hands over.
    MoveCursorTo(right.Handle(), 20, 20);
    SendMessageW(right.Handle(), WM_MOUSEMOVE, 0, MAKELPARAM(20, 20));
    EXPECT_FALSE(a.Hot());
    EXPECT_TRUE(b.Hot());
    EXPECT_EQ(exits, 1);

    // The pointer leaves b unreported; the timer notices within its interval.
    MoveCursorTo(right.Handle(), 150, 150);
    PumpFor(300);
    EXPECT_FALSE(b.Hot());
    EXPECT_EQ(exits, 2);
    EXPECT_EQ(left.Controls().HotTimer().Owner(), nullptr);
    ShowWindow(window.Handle(), SW_HIDE);
}
