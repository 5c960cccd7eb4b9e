// The one gate every modal loop of the program passes: message boxes,
// dialogs, pop-up menus and drag loops hold it while they run. While it is
// held, nothing else may open a window of its own or change the user's data
// from outside the loop: hot keys only bring the open window forward, the
// pointer checks of the auto-hide rest, and late answers wait through Defer
// until it is free.
//
// There is one gate for the process (ModalGate()), so base-level code
// (menus, dialogs) holds it without knowing the main window; the main
// window gives it the hooks that change its own windows. Everything here
// runs on the user-interface thread.
#pragma once

#include <windows.h>

#include <deque>
#include <functional>
#include <vector>

// A message box and a dialog disable their owner, and the hooks' FirstWindow
// and LastWindow bracket them; a menu and a drag loop only hold the gate.
enum class TModalKind { Menu, Drag, MessageBox, Dialog };

class TModalGate {
public:
    TModalGate() = default;
    TModalGate(const TModalGate&) = delete;
    TModalGate& operator=(const TModalGate&) = delete;

    // Holds the gate for its lifetime. `owner` is the window the loop runs
    // for (a box's or dialog's owner, a menu's owner); the dialog's own
    // window, once it exists, is given with SetWindow.
    class THold {
    public:
        explicit THold(TModalKind kind, HWND owner = nullptr);
        ~THold();
        THold(const THold&) = delete;
        THold& operator=(const THold&) = delete;
        void SetWindow(HWND window);

    private:
        size_t FLevel;
    };

    // Holds nest; every Enter needs its Leave, innermost first (THold does both).
    size_t Enter(TModalKind kind, HWND owner = nullptr);
    void Leave();

    bool Held() const { return !FHolds.empty(); }
    int Depth() const { return static_cast<int>(FHolds.size()); }
    // A message box or a dialog is open (not only a menu or a drag).
    bool BoxOrDialogOpen() const { return FWindows > 0; }
    // The window to bring forward while the gate is held: the innermost
    // dialog, else the last active pop-up of the innermost loop's owner (a
    // message box, or the menu's owner); null when the gate is free.
    HWND ActiveWindow() const;

    // Runs `fn` once the gate is free: at once when it is free now, else
    // from a posted message after the outermost Leave (so never from inside
    // the code that leaves). Deferred functions run in the order given.
    // `owner` (the object `fn` works on) must CancelDeferred before it goes.
    void Defer(const void* owner, std::function<void()> fn);
    void CancelDeferred(const void* owner);
    // Functions waiting for the gate.
    size_t DeferredCount() const { return FDeferred.size(); }

    // What the application does as the gate changes; each pair brackets.
    struct THooks {
        std::function<void()> FirstEnter;   // the gate becomes held
        std::function<void()> LastLeave;    // the gate is free again
        std::function<void()> FirstWindow;  // the first message box or dialog opens
        std::function<void()> LastWindow;   // the last one closed
    };
    // Set by the main window for its lifetime; `owner` identifies the setter,
    // so that ClearHooks by another owner leaves them.
    void SetHooks(const void* owner, THooks hooks);
    void ClearHooks(const void* owner);

    // Runs what waits, while the gate is free (from the message Leave posts).
    void RunDeferred();

private:
    struct THeld {
        TModalKind Kind;
        HWND Owner;
        HWND Window;
    };
    static bool IsWindowKind(TModalKind kind) { return kind == TModalKind::MessageBox || kind == TModalKind::Dialog; }
    void PostRunDeferred();
    static void Call(const std::function<void()>& hook);

    std::vector<THeld> FHolds;
    int FWindows = 0;
    struct TDeferred {
        const void* Owner;
        std::function<void()> Run;
    };
    std::deque<TDeferred> FDeferred;
    THooks FHooks;
    const void* FHooksOwner = nullptr;
};

// The process's gate.
TModalGate& ModalGate();
