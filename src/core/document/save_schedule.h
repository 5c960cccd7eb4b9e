// When to save: a few seconds after the last change, so that a burst of
// edits is written once, yet never later than a bound after the first change
// not saved, so that steady editing still reaches the disk. Pure logic on the
// millisecond tick counter (which wraps after 49.7 days); the window side
// drives it with a one-shot timer set to Wait().
#pragma once

#include <cstdint>
#include <optional>

class TSaveSchedule {
public:
    static constexpr uint32_t QuietDelay = 3000;          // after the last change
    static constexpr uint32_t LongestDelay = 10 * 60000;  // after the first change not saved
    static constexpr uint32_t HeldRetry = 1000;           // while the caller may not save
    static constexpr uint32_t FailedRetry = 60000;        // after a save that failed

    // Something was changed that the next save writes.
    void Changed(uint32_t now);
    // Whether changes wait to be saved.
    bool Pending() const { return FPending; }
    // Whether a save should run now.
    bool Due(uint32_t now) const;
    // How long until Due (0 when due); nothing while nothing is pending.
    std::optional<uint32_t> Wait(uint32_t now) const;

    // The save ran: what was changed is on disk.
    void Saved();
    // The save was due but could not run now (a modal window is open): it is
    // due again shortly, however often this is said.
    void Held(uint32_t now);
    // The save ran and failed: the changes still wait, and are tried again
    // after a while rather than at every change.
    void Failed(uint32_t now);

private:
    // Milliseconds from `now` until `since + delay`; 0 when past.
    static uint32_t Remaining(uint32_t now, uint32_t since, uint32_t delay);

    bool FPending = false;
    uint32_t FFirstChange = 0;
    uint32_t FLastChange = 0;
    // Set by Held or Failed: the next try waits for this instead.
    bool FRetrying = false;
    uint32_t FRetryFrom = 0;
    uint32_t FRetryDelay = 0;
};
