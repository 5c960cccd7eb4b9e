// The form base (a top-level window with windowless controls and the shared
// mouse routing) and the entry view (a pool of entry controls bound to a
// page), each on its own, outside the main window.
#include <gtest/gtest.h>
#include <windows.h>

#include "controls/entry_view.h"
#include "controls/form.h"
#include "controls/paint_panel.h"
#include "controls/separator.h"
#include "controls_test_support.h"
#include "shell/win_platform.h"
#include "win_test_util.h"

namespace {

class TTestForm : public TForm {
public:
    ~TTestForm() override { DestroyHandle(); }
    bool Create() {
        return CreateForm(L"VantorTestForm", WS_EX_TOOLWINDOW, WS_POPUP, L"", TBounds{0, 0, 300, 200}, nullptr);
    }
    int Paints = 0;

protected:
    void PaintForm(HDC dc, const RECT& clip) override {
        ++Paints;
        TForm::PaintForm(dc, clip);
    }
};

struct TPointerLog {
    int Downs = 0, Moves = 0, Ups = 0, Clicks = 0;
    void Attach(TMouseEvents& events) {
        events.OnMouseDown = [this](TComponent&, TMouseButton, TShiftState, int, int) { ++Downs; };
        events.OnMouseMove = [this](TComponent&, TShiftState, int, int) { ++Moves; };
        events.OnMouseUp = [this](TComponent&, TMouseButton, TShiftState, int, int) { ++Ups; };
        events.OnClick = [this](TComponent&) { ++Clicks; };
    }
};

// Icons may arrive after the binding: messages are handled until `done` or
// a few seconds have passed.
template <class FDone>
bool PumpUntil(FDone done) {
    const DWORD start = GetTickCount();
    while (!done() && GetTickCount() - start < 5000) {
        MSG msg;
        while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&msg);
        Sleep(5);
    }
    return done();
}

void Send(HWND window, UINT msg, WPARAM keys, int x, int y) { SendMessageW(window, msg, keys, MAKELPARAM(x, y)); }

TEST(Form, ControlsTakeThePointerFirstAndTheFormGetsTheRest) {
    TTestForm form;
    ASSERT_TRUE(form.Create());
    TSeparator control;
    control.SetBounds(100, 100, 50, 20);
    form.Controls().Add(control);
    TPointerLog onForm, onControl;
    onForm.Attach(form);
    onControl.Attach(control);

    Send(form.Handle(), WM_LBUTTONDOWN, MK_LBUTTON, 110, 105);
    Send(form.Handle(), WM_LBUTTONUP, 0, 110, 105);
    EXPECT_EQ(onControl.Clicks, 1);
    EXPECT_EQ(onForm.Downs, 0);

    Send(form.Handle(), WM_LBUTTONDOWN, MK_LBUTTON, 10, 10);
    EXPECT_EQ(GetCapture(), form.Handle());
    // While the form itself is pressed, every move is its own (a drag),
    // even over a control.
    Send(form.Handle(), WM_MOUSEMOVE, MK_LBUTTON, 120, 105);
    EXPECT_EQ(onForm.Moves, 1);
    EXPECT_EQ(onControl.Moves, 0);
    Send(form.Handle(), WM_LBUTTONUP, 0, 12, 12);
    EXPECT_EQ(onForm.Downs, 1);
    EXPECT_EQ(onForm.Ups, 1);
    EXPECT_EQ(onForm.Clicks, 1);
    EXPECT_NE(GetCapture(), form.Handle());

    Send(form.Handle(), WM_MOUSEMOVE, 0, 120, 105);
    EXPECT_EQ(onControl.Moves, 1);
}

TEST(Form, APressThatLosesThePointerStillEnds) {
    TTestForm form;
    ASSERT_TRUE(form.Create());
    TPointerLog onForm;
    onForm.Attach(form);
    Send(form.Handle(), WM_LBUTTONDOWN, MK_LBUTTON, 10, 10);
    SendMessageW(form.Handle(), WM_CAPTURECHANGED, 0, 0);
    EXPECT_EQ(onForm.Ups, 1);
    SendMessageW(form.Handle(), WM_CAPTURECHANGED, 0, 0);
    EXPECT_EQ(onForm.Ups, 1);
    EXPECT_EQ(onForm.Clicks, 0);
}

TEST(Form, PaintsItselfThenItsControlsWithoutErasing) {
    TTestForm form;
    ASSERT_TRUE(form.Create());
    EXPECT_EQ(SendMessageW(form.Handle(), WM_ERASEBKGND, 0, 0), 1);
    ShowWindow(form.Handle(), SW_SHOWNA);
    InvalidateRect(form.Handle(), nullptr, FALSE);
    UpdateWindow(form.Handle());
    EXPECT_GE(form.Paints, 1);
}

class EntryViewTest : public testing::Test {
protected:
    TWinPlatform Platform;
    TTempFolder Folder{"entry-view"};
    TTestTopWindow Window;
    TPaintPanel Panel;
    TLauncherButtonCache Cache;
    TVantorPage Page{Platform};
    const TVantorPage* Shown = &Page;
    TEntryView View;

    void SetUp() override {
        ASSERT_TRUE(Window.Create());
        ASSERT_TRUE(Panel.Create(Window.Handle(), TBounds{0, 0, 200, 300}));
        View.CreatePools(Panel.Controls(), Cache, [this] { return Shown; });
        const std::string target = Folder / "tool.txt";
        WriteTextFile(target, "x");
        Page.ViewStyle = 0;
        Page.ApplyDefaultLayout();
        Page.Add(target, "一", "", "", "", 5, false, "", 0);
        Page.Add(SeparatorLink, "", "", "", "", 5, false, "", 0);
        Page.Add(target, "二", "", "", "", 5, false, "", 0);
    }

    TPageLayout Layout() {
        TPageLayoutInput in;
        in.ClientWidth = 200;
        in.ClientHeight = 300;
        return View.LayoutAsPage(in);
    }
};

TEST_F(EntryViewTest, BindsThePageParksTheRestAndReportsClicksBySlot) {
    View.Rebind(1);
    const TPageLayout out = Layout();
    ASSERT_EQ(out.Entries.size(), 3u);
    EXPECT_EQ(View.Button(0)->Bounds(), out.Entries[0].ButtonBounds);
    EXPECT_EQ(View.Button(1)->Bounds(), ParkedBounds);  // the separator's slot shows its separator
    EXPECT_GT(View.Separator(1)->Bounds().Width, 0);
    EXPECT_EQ(View.Button(3)->Bounds(), ParkedBounds);
    EXPECT_EQ(View.Separator(3)->Bounds(), ParkedBounds);
    EXPECT_TRUE(View.Button(2)->LargeIcon());

    int clicked = -1;
    View.OnEntryClick = [&](int slot) { clicked = slot; };
    const TBounds b = View.Button(2)->Bounds();
    Send(Panel.Handle(), WM_LBUTTONDOWN, MK_LBUTTON, b.Left + 2, b.Top + 2);
    Send(Panel.Handle(), WM_LBUTTONUP, 0, b.Left + 2, b.Top + 2);
    EXPECT_EQ(clicked, 2);
}

TEST_F(EntryViewTest, APageThatIsGoneShowsNothing) {
    View.Rebind(1);
    Layout();
    Shown = nullptr;
    View.Rebind(1);
    Layout();
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(View.Button(i)->Bounds(), ParkedBounds);
        EXPECT_EQ(View.Separator(i)->Bounds(), ParkedBounds);
    }
    TTestCanvas canvas(200, 300);
    View.PaintTitles(canvas.DC(), RECT{0, 0, 200, 300}, nullptr, RGB(0, 0, 0), RGB(255, 255, 255));
    EXPECT_EQ(canvas.Pixel(5, 45), RGB(1, 2, 3));  // nothing drawn
}

TEST_F(EntryViewTest, ARowLaysSmallButtonsAndUprightSeparatorsSideBySide) {
    View.Rebind(1);
    const int width = View.LayoutAsRow();
    EXPECT_EQ(View.Button(0)->Bounds(), (TBounds{0, 0, 20, 20}));
    EXPECT_EQ(View.Separator(1)->Kind(), skVertical);
    EXPECT_EQ(View.Separator(1)->Bounds().Width, 4);
    EXPECT_EQ(View.Button(2)->Bounds().Left, View.Separator(1)->Bounds().Right());
    EXPECT_EQ(width, View.Button(2)->Bounds().Right());
}

TEST_F(EntryViewTest, TwoViewsShareTheProgramsIconCache) {
    TPaintPanel other;
    ASSERT_TRUE(other.Create(Window.Handle(), TBounds{200, 0, 200, 300}));
    TEntryView second;
    second.CreatePools(other.Controls(), Cache, [this] { return &Page; });
    View.Rebind(1);
    second.Rebind(1);
    Layout();
    TPageLayoutInput in;
    in.ClientWidth = 200;
    in.ClientHeight = 300;
    second.LayoutAsPage(in);
    TTestCanvas canvas(40, 40);
    auto shown = [&] {
        // Painting asks for the icon where it is loaded on demand.
        View.Button(0)->Paint(canvas.DC());
        second.Button(0)->Paint(canvas.DC());
        return View.Button(0)->IconHandle() && second.Button(0)->IconHandle();
    };
    ASSERT_TRUE(PumpUntil(shown));
    EXPECT_EQ(View.Button(0)->IconHandle(), second.Button(0)->IconHandle());
    EXPECT_EQ(Cache.Used(), 1);  // one file, one large icon: extracted once for both
}

}  // namespace
