#include "settings/corner.h"

int32_t CornerAction(int32_t cornerCall) {
    static const int32_t actions[CornerCallMax + 1] = {-1, 0, 1, 2, 27, 28, 29, 30};
    return cornerCall >= 0 && cornerCall <= CornerCallMax ? actions[cornerCall] : -1;
}

bool AnyCornerAction(const std::array<int32_t, CornerCount>& cornerCall) {
    for (int32_t value : cornerCall)
        if (CornerAction(value) >= 0) return true;
    return false;
}

int32_t CornerTick(TCornerState& state, const TCornerInput& input) {
    bool atLeft = input.X == 0, atRight = input.X == input.Width - 1;
    bool atTop = input.Y == 0, atBottom = input.Y == input.Height - 1;
    if (!(atLeft || atRight) || !(atTop || atBottom)) {
        state.Value = -1;
        return -1;
    }
    int32_t corner = (atRight ? 1 : 0) + (atBottom ? 2 : 0);
    int32_t value = input.CornerCall[corner];
    if (value != state.Value) {
        state.Value = value;
        state.Stamp = input.Now;
    }
    // A stamp later than now means the counter wrapped: the wait is over.
    bool due = input.Now < state.Stamp ||
               input.Now - state.Stamp >= static_cast<uint32_t>(input.CornerPause < 0 ? 0 : input.CornerPause);
    if (!due) return -1;
    state.Stamp = input.Now;
    return CornerAction(value);
}

void CornerActionFinished(TCornerState& state, uint32_t now) { state.Stamp = now; }
