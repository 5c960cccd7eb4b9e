#include "base/modal_gate.h"

#include <algorithm>

#include "base/log.h"
#include "base/message_pump.h"

TModalGate& ModalGate() {
    static TModalGate gate;
    return gate;
}

TModalGate::THold::THold(TModalKind kind, HWND owner) : FLevel(ModalGate().Enter(kind, owner)) {}

TModalGate::THold::~THold() { ModalGate().Leave(); }

void TModalGate::THold::SetWindow(HWND window) {
    TModalGate& gate = ModalGate();
    if (FLevel < gate.FHolds.size()) gate.FHolds[FLevel].Window = window;
}

// Hooks run inside constructors and destructors of holds: nothing thrown
// may leave them.
void TModalGate::Call(const std::function<void()>& hook) {
    if (!hook) return;
    try {
        hook();
    } catch (...) {
        LogCurrentException("modal gate hook");
    }
}

size_t TModalGate::Enter(TModalKind kind, HWND owner) {
    FHolds.push_back({kind, owner, nullptr});
    if (FHolds.size() == 1) Call(FHooks.FirstEnter);
    if (IsWindowKind(kind) && ++FWindows == 1) Call(FHooks.FirstWindow);
    return FHolds.size() - 1;
}

void TModalGate::Leave() {
    if (FHolds.empty()) return;
    const TModalKind kind = FHolds.back().Kind;
    FHolds.pop_back();
    if (IsWindowKind(kind) && --FWindows == 0) Call(FHooks.LastWindow);
    if (!FHolds.empty()) return;
    Call(FHooks.LastLeave);
    if (!FDeferred.empty()) PostRunDeferred();
}

HWND TModalGate::ActiveWindow() const {
    for (auto held = FHolds.rbegin(); held != FHolds.rend(); ++held) {
        if (held->Window && IsWindow(held->Window)) return GetLastActivePopup(held->Window);
        if (held->Owner && IsWindow(held->Owner)) return GetLastActivePopup(held->Owner);
    }
    return nullptr;
}

void TModalGate::Defer(const void* owner, std::function<void()> fn) {
    if (!fn) return;
    if (!Held()) {
        fn();
        return;
    }
    FDeferred.push_back({owner, std::move(fn)});
}

void TModalGate::CancelDeferred(const void* owner) {
    FDeferred.erase(
        std::remove_if(FDeferred.begin(), FDeferred.end(), [owner](const TDeferred& d) { return d.Owner == owner; }),
        FDeferred.end());
}

void TModalGate::PostRunDeferred() {
    if (!PostToThread([] { ModalGate().RunDeferred(); }))
        LogSwallowed("modal gate: the deferred work could not be posted");
}

void TModalGate::RunDeferred() {
    // One at a time, each with the gate free: one that opens a box holds the
    // gate until it returns, and what it defers meanwhile queues behind.
    while (!Held() && !FDeferred.empty()) {
        std::function<void()> fn = std::move(FDeferred.front().Run);
        FDeferred.pop_front();
        try {
            fn();
        } catch (...) {
            LogCurrentException("deferred until the modal gate was free");
        }
    }
}

void TModalGate::SetHooks(const void* owner, THooks hooks) {
    FHooksOwner = owner;
    FHooks = std::move(hooks);
}

void TModalGate::ClearHooks(const void* owner) {
    if (owner != FHooksOwner) return;
    FHooksOwner = nullptr;
    FHooks = THooks{};
}
