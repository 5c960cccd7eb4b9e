#include "document/save_schedule.h"

#include <algorithm>

// Differences of ticks are taken unsigned, so they stay right across the
// counter's wrap.
uint32_t TSaveSchedule::Remaining(uint32_t now, uint32_t since, uint32_t delay) {
    const uint32_t elapsed = now - since;
    return elapsed >= delay ? 0 : delay - elapsed;
}

void TSaveSchedule::Changed(uint32_t now) {
    if (!FPending) {
        FFirstChange = now;
        FRetrying = false;
    }
    FPending = true;
    FLastChange = now;
}

std::optional<uint32_t> TSaveSchedule::Wait(uint32_t now) const {
    if (!FPending) return std::nullopt;
    if (FRetrying) return Remaining(now, FRetryFrom, FRetryDelay);
    return std::min(Remaining(now, FLastChange, QuietDelay), Remaining(now, FFirstChange, LongestDelay));
}

bool TSaveSchedule::Due(uint32_t now) const { return Wait(now) == 0u; }

void TSaveSchedule::Saved() {
    FPending = false;
    FRetrying = false;
}

void TSaveSchedule::Held(uint32_t now) {
    FRetrying = true;
    FRetryFrom = now;
    FRetryDelay = HeldRetry;
}

void TSaveSchedule::Failed(uint32_t now) {
    FRetrying = true;
    FRetryFrom = now;
    FRetryDelay = FailedRetry;
}
