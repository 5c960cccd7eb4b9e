// A window-system timer that calls a function on the user-interface thread.
// Each timer has a message-only window of its own, created on first start, so
// no table of timers outlives or is shared between its users.
#pragma once

#include <functional>
#include <memory>

class TTimer {
public:
    TTimer();
    ~TTimer();
    TTimer(const TTimer&) = delete;
    TTimer& operator=(const TTimer&) = delete;

    std::function<void()> OnTimer;

    // Changing the interval of a running timer restarts it.
    void SetInterval(unsigned milliseconds);
    unsigned Interval() const { return FInterval; }
    void SetEnabled(bool enabled);
    bool Enabled() const { return FEnabled; }
    void Start() { SetEnabled(true); }
    void Stop() { SetEnabled(false); }

private:
    class TTimerWindow;
    void Tick();
    void Apply();

    std::unique_ptr<TTimerWindow> FWindow;
    unsigned FInterval = 1000;
    bool FEnabled = false;
};
