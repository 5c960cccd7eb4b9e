#include "base/timer.h"

#include <windows.h>

#include "base/window.h"

namespace {
constexpr UINT_PTR TimerId = 1;
}

class TTimer::TTimerWindow : public TWindow {
public:
    explicit TTimerWindow(TTimer& owner) : FOwner(owner) {
        CreateHandle(L"VantorTimer", 0, 0, L"", 0, 0, 0, 0, HWND_MESSAGE);
    }
    ~TTimerWindow() override { DestroyHandle(); }

protected:
    LRESULT HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) override {
        if (msg == WM_TIMER && wParam == TimerId) {
            FOwner.Tick();
            return 0;
        }
        return DefaultHandler(msg, wParam, lParam);
    }

private:
    TTimer& FOwner;
};

TTimer::TTimer() = default;

TTimer::~TTimer() {
    if (FWindow && FWindow->Handle()) KillTimer(FWindow->Handle(), TimerId);
}

void TTimer::SetInterval(unsigned milliseconds) {
    if (milliseconds == FInterval) return;
    FInterval = milliseconds;
    Apply();
}

void TTimer::SetEnabled(bool enabled) {
    if (enabled == FEnabled) return;
    FEnabled = enabled;
    Apply();
}

void TTimer::Apply() {
    if (!FWindow) {
        if (!FEnabled) return;
        FWindow = std::make_unique<TTimerWindow>(*this);
    }
    HWND wnd = FWindow->Handle();
    if (!wnd) return;
    KillTimer(wnd, TimerId);
    if (FEnabled && FInterval > 0) SetTimer(wnd, TimerId, FInterval, nullptr);
}

void TTimer::Tick() {
    // The handler may stop or even destroy this timer: touch nothing after it.
    if (FEnabled && OnTimer) {
        auto handler = OnTimer;
        handler();
    }
}
