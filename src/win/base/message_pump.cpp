#include "base/message_pump.h"

#include <windows.h>

#include <memory>

#include "base/log.h"

namespace {

constexpr UINT WM_RUN_POSTED = WM_APP + 0x4A2;
const wchar_t kWindowClass[] = L"TVantorPostedWork";

LRESULT CALLBACK PostedWorkProc(HWND window, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg != WM_RUN_POSTED) return DefWindowProcW(window, msg, wParam, lParam);
    std::unique_ptr<std::function<void()>> fn(reinterpret_cast<std::function<void()>*>(lParam));
    try {
        (*fn)();
    } catch (...) {
        LogCurrentException("work posted to the thread");
    }
    return 0;
}

// A message-only window: a thread message would be lost in a modal loop,
// which dispatches only messages for windows. One per thread, for its life.
HWND PostedWorkWindow() {
    static const ATOM atom = [] {
        WNDCLASSW c{};
        c.lpfnWndProc = &PostedWorkProc;
        c.hInstance = GetModuleHandleW(nullptr);
        c.lpszClassName = kWindowClass;
        return RegisterClassW(&c);
    }();
    thread_local HWND window = nullptr;
    if (atom && !IsWindow(window))
        window = CreateWindowExW(0, kWindowClass, L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, GetModuleHandleW(nullptr),
                                 nullptr);
    return window;
}

BOOL CALLBACK PaintWindow(HWND window, LPARAM) {
    RedrawWindow(window, nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);
    return TRUE;
}

}  // namespace

bool PostToThread(std::function<void()> fn) {
    HWND window = PostedWorkWindow();
    if (!window) return false;
    auto posted = std::make_unique<std::function<void()>>(std::move(fn));
    if (!PostMessageW(window, WM_RUN_POSTED, 0, reinterpret_cast<LPARAM>(posted.get()))) return false;
    posted.release();
    return true;
}

void PaintPendingWindows() { EnumThreadWindows(GetCurrentThreadId(), &PaintWindow, 0); }
