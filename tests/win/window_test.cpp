// The window base: a window goes with its object, and its messages reach the
// object only while the object is whole.
#include "base/window.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <memory>
#include <stdexcept>
#include <utility>
#include <vector>

namespace {

const wchar_t* const ProbeClass = L"VantorWindowProbe";

// Records what reached the object, in a list that outlives it.
class TProbeWindow : public TWindow {
public:
    explicit TProbeWindow(std::vector<UINT>& seen) : FSeen(seen) {}
    bool Create() { return CreateHandle(ProbeClass, 0, WS_POPUP, L"", 0, 0, 10, 10); }

protected:
    LRESULT HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) override {
        FSeen.push_back(msg);
        if (msg == WM_APP) throw std::runtime_error("handler failed");
        return DefaultHandler(msg, wParam, lParam);
    }

private:
    std::vector<UINT>& FSeen;
};

// A class that destroys its window where its handlers still exist.
class TTidyWindow : public TProbeWindow {
public:
    using TProbeWindow::TProbeWindow;
    ~TTidyWindow() override { DestroyHandle(); }
};

// One that forgot to: the base destructor finds the window still there.
class TForgetfulWindow : public TProbeWindow {
public:
    using TProbeWindow::TProbeWindow;
};

bool Saw(const std::vector<UINT>& seen, UINT msg) {
    for (UINT m : seen)
        if (m == msg) return true;
    return false;
}

// Sees the messages of a window ahead of its procedure, with whether an
// object was still bound to the window when each arrived.
struct TSpy {
    static WNDPROC Original;
    static std::vector<std::pair<UINT, bool>> Messages;
    static LRESULT CALLBACK Proc(HWND wnd, UINT msg, WPARAM wParam, LPARAM lParam) {
        Messages.emplace_back(msg, GetWindowLongPtrW(wnd, GWLP_USERDATA) != 0);
        return CallWindowProcW(Original, wnd, msg, wParam, lParam);
    }
    static void Attach(HWND wnd) {
        Messages.clear();
        Original =
            reinterpret_cast<WNDPROC>(SetWindowLongPtrW(wnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&TSpy::Proc)));
    }
};
WNDPROC TSpy::Original = nullptr;
std::vector<std::pair<UINT, bool>> TSpy::Messages;

}  // namespace

TEST(Window, ADerivedWindowSeesItsOwnDestruction) {
    std::vector<UINT> seen;
    HWND handle = nullptr;
    {
        TTidyWindow window(seen);
        ASSERT_TRUE(window.Create());
        handle = window.Handle();
        seen.clear();
    }
    EXPECT_TRUE(Saw(seen, WM_DESTROY));
    EXPECT_TRUE(Saw(seen, WM_NCDESTROY));
    EXPECT_FALSE(IsWindow(handle));
}

TEST(Window, AWindowLeftBehindIsCutLooseBeforeItGoes) {
    std::vector<UINT> seen;
    auto window = std::make_unique<TForgetfulWindow>(seen);
    ASSERT_TRUE(window->Create());
    const HWND handle = window->Handle();
    TSpy::Attach(handle);
    window.reset();
    EXPECT_FALSE(IsWindow(handle));
    // The destruction ran, but none of it reached an object half gone.
    bool destroyed = false;
    for (const auto& [msg, bound] : TSpy::Messages) {
        if (msg == WM_DESTROY) destroyed = true;
        EXPECT_FALSE(bound) << "message " << msg << " reached the object";
    }
    EXPECT_TRUE(destroyed);
}

TEST(Window, AWindowDestroyedFromOutsideLetsGoOfItsObject) {
    std::vector<UINT> seen;
    TTidyWindow window(seen);
    ASSERT_TRUE(window.Create());
    const HWND handle = window.Handle();
    DestroyWindow(handle);
    EXPECT_TRUE(Saw(seen, WM_DESTROY));
    EXPECT_EQ(window.Handle(), nullptr);
    seen.clear();
    SendMessageW(handle, WM_APP + 1, 0, 0);
    EXPECT_TRUE(seen.empty());
}

TEST(Window, AFailingHandlerDoesNotUnwindThroughTheSystem) {
    std::vector<UINT> seen;
    TTidyWindow window(seen);
    ASSERT_TRUE(window.Create());
    EXPECT_EQ(SendMessageW(window.Handle(), WM_APP, 0, 0), 0);
    EXPECT_TRUE(Saw(seen, WM_APP));
    // The window still works afterwards.
    seen.clear();
    SendMessageW(window.Handle(), WM_APP + 1, 0, 0);
    EXPECT_TRUE(Saw(seen, WM_APP + 1));
}
