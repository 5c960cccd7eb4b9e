// Work that must wait for what is already queued, without running the queue
// here: a message loop in the middle of an operation would run hot keys,
// timers and late answers under it. The only loops are the main one and the
// modal ones that hold the modal gate (base/modal_gate.h).
#pragma once

#include <functional>

// Runs `fn` from a message posted now to this thread's window for it: after
// every message already queued, in whichever loop runs next (a modal one
// too). False when it could not be posted; `fn` has not run then.
bool PostToThread(std::function<void()> fn);

// Paints every window of this thread that waits for it, so the screen is
// up to date before a long step; no other message is dispatched.
void PaintPendingWindows();
