// The screen-corner commands: resting the pointer in a corner runs the action
// chosen for that corner, again after each further pause while it stays.
#pragma once

#include <array>
#include <cstdint>

constexpr int32_t CornerCount = 4;  // top-left, top-right, bottom-left, bottom-right
constexpr int32_t CornerCallMax = 7;

// Action index of a corner setting value (0..7); -1 for none or a bad value.
int32_t CornerAction(int32_t cornerCall);

// Whether any corner has an action: only then is the pointer watched for them.
bool AnyCornerAction(const std::array<int32_t, CornerCount>& cornerCall);

// What the trigger remembers between timer ticks.
struct TCornerState {
    int32_t Value = -1;  // corner setting value last seen; -1: not in a corner
    uint32_t Stamp = 0;  // tick count of entering, or of the last run
};

struct TCornerInput {
    int32_t X = 0, Y = 0;           // pointer, screen pixels
    int32_t Width = 0, Height = 0;  // screen size
    uint32_t Now = 0;               // tick count
    std::array<int32_t, CornerCount> CornerCall{};
    int32_t CornerPause = 500;  // ms
};

// One timer tick. Returns the action index to run now, or -1. When an action
// is returned the stamp is set to `Now`; call CornerActionFinished with the
// tick count after the action has run, so the next wait starts from there.
int32_t CornerTick(TCornerState& state, const TCornerInput& input);
void CornerActionFinished(TCornerState& state, uint32_t now);
