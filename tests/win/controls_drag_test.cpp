#include <gtest/gtest.h>
#include <windows.h>

#include <string>
#include <vector>

#include "controls/narrow_tab.h"
#include "controls/paint_panel.h"
#include "controls/separator.h"
#include "controls_test_support.h"

namespace {

// Two visible panels side by side; a separator on the left one is dragged.
struct TDragFixture {
    TTestTopWindow window;
    TPaintPanel source;
    TPaintPanel target;
    TSeparator dragged;
    TSeparator onTarget;
    std::vector<std::string> log;

    TDragFixture() {
        window.Create(400, 200);
        source.Create(window.Handle(), TBounds{0, 0, 200, 200});
        target.Create(window.Handle(), TBounds{200, 0, 200, 200});
        dragged.SetBounds(10, 10, 8, 64);
        onTarget.SetBounds(100, 100, 8, 64);
        source.Controls().Add(dragged);
        target.Controls().Add(onTarget);
        target.OnDragOver = [this](TComponent&, TComponent& src, int x, int y, TDragState state, bool& accept) {
            accept = &src == &dragged;
            if (state == dsDragEnter) log.push_back("enter");
            if (state == dsDragLeave) log.push_back("leave");
            (void)x;
            (void)y;
        };
        target.OnDragDrop = [this](TComponent&, TComponent&, int x, int y) {
            log.push_back("drop " + std::to_string(x) + "," + std::to_string(y));
        };
        SetWindowPos(window.Handle(), HWND_TOPMOST, 0, 0, 400, 200, SWP_SHOWWINDOW | SWP_NOACTIVATE);
        UpdateWindow(window.Handle());
    }
    ~TDragFixture() { ShowWindow(window.Handle(), SW_HIDE); }

    bool PointAt(HWND wnd, int x, int y) {
        POINT p{x, y};
        ClientToScreen(wnd, &p);
        SetCursorPos(p.x, p.y);
        POINT now{};
        GetCursorPos(&now);
        return now.x == p.x && now.y == p.y;
    }
};

void MouseInput(DWORD flags) {
    INPUT in{};
    in.type = INPUT_MOUSE;
    in.mi.dwFlags = flags;
    SendInput(1, &in, sizeof(in));
}

// Ends a drag that waits for input that never came, so a broken test fails instead of hanging.
void CALLBACK GiveUp(HWND, UINT, UINT_PTR, DWORD) { PostMessageW(GetCapture(), WM_KEYDOWN, VK_ESCAPE, 0); }

}  // namespace

TEST(ProgramDrag, DropsOnTheSiteUnderThePointerWhenItAccepts) {
    TDragFixture t;
    if (!t.PointAt(t.target.Handle(), 30, 40)) GTEST_SKIP() << "no pointer to move";
    int ended = 0;
    TComponent* endTarget = nullptr;
    t.dragged.OnEndDrag = [&](TComponent&, TComponent* target, int, int) {
        ++ended;
        endTarget = target;
    };
    MouseInput(MOUSEEVENTF_LEFTUP);
    const UINT_PTR guard = SetTimer(nullptr, 0, 3000, GiveUp);
    TComponent* dropped = t.dragged.BeginDrag();
    KillTimer(nullptr, guard);
    EXPECT_EQ(dropped, &t.target);
    EXPECT_EQ(endTarget, &t.target);
    EXPECT_EQ(ended, 1);
    ASSERT_FALSE(t.log.empty());
    EXPECT_EQ(t.log.front(), "enter");
    EXPECT_EQ(t.log.back(), "drop 30,40");
    EXPECT_EQ(GetCapture(), nullptr);
}

TEST(ProgramDrag, AWindowlessControlWithoutHandlersRefusesAndEscapeCancels) {
    TDragFixture t;
    // Over the separator on the target: it has no OnDragOver, so it refuses.
    if (!t.PointAt(t.target.Handle(), 103, 110)) GTEST_SKIP() << "no pointer to move";
    MouseInput(MOUSEEVENTF_LEFTUP);
    const UINT_PTR guard = SetTimer(nullptr, 0, 3000, GiveUp);
    EXPECT_EQ(t.dragged.BeginDrag(), nullptr);
    EXPECT_TRUE(t.log.empty());

    // Over the panel it is accepted, but Escape ends the drag without a drop.
    t.PointAt(t.target.Handle(), 30, 40);
    PostMessageW(t.source.Handle(), WM_KEYDOWN, VK_ESCAPE, 0);
    EXPECT_EQ(t.dragged.BeginDrag(), nullptr);
    KillTimer(nullptr, guard);
    EXPECT_EQ(t.log, (std::vector<std::string>{"enter", "leave"}));
}
