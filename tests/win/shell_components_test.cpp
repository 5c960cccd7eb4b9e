// The notification-area icon, the system-wide hot keys and the file drops,
// each on its own as a window would use it.
#include <gtest/gtest.h>
#include <windows.h>
// After windows.h.
#include <shellapi.h>
#include <shlobj.h>

#include <cstring>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "base/handles.h"
#include "base/win_text.h"
#include "controls_test_support.h"
#include "errors.h"
#include "settings/keys.h"
#include "shell/drop_file.h"
#include "shell/notify_hot_key.h"
#include "shell/status_icon.h"
#include "win_test_util.h"

namespace {

// ---------------------------------------------------------------- tray icon

struct TNotifyCall {
    DWORD Operation;
    DWORD Size;
    HWND Window;
    UINT Id;
    UINT Flags;
    UINT Callback;
    HICON Icon;
    std::wstring Tip;
};

// Stands in for the shell: records every call and answers yes.
struct TShellRecorder {
    std::vector<TNotifyCall> Calls;
    TShellNotify Notify() {
        return [this](DWORD operation, NOTIFYICONDATAW& d) {
            Calls.push_back({operation, d.cbSize, d.hWnd, d.uID, d.uFlags, d.uCallbackMessage, d.hIcon, d.szTip});
            return true;
        };
    }
    int Count(DWORD operation) const {
        int n = 0;
        for (const TNotifyCall& c : Calls) n += c.Operation == operation;
        return n;
    }
};

void PumpMessages() {
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
}

bool ClosedFromMenuLoop = false;
void CALLBACK CloseMenu(HWND, UINT, UINT_PTR, DWORD) {
    ClosedFromMenuLoop = true;
    EndMenu();
}

// ---------------------------------------------------------------- hot keys

const uint16_t CtrlAltShift = KeyCtrl | KeyAlt | KeyShift;

// Whether anyone holds the combination: a probe registration that succeeds
// is released again.
bool KeyIsFree(UINT modifiers, UINT vk) {
    const int probe = 0xBEEF;
    if (!RegisterHotKey(nullptr, probe, modifiers, vk)) return false;
    UnregisterHotKey(nullptr, probe);
    return true;
}

// ---------------------------------------------------------------- file drops

// A window with a procedure of its own that records what reaches it; a drop
// that arrives is read and finished as a window of its own would.
class TDropTarget {
public:
    static std::vector<UINT> Seen;
    static std::vector<std::string> DroppedHere;

    TDropTarget() {
        WNDCLASSW wc{};
        wc.lpfnWndProc = &Proc;
        wc.hInstance = GetModuleHandleW(nullptr);
        wc.lpszClassName = L"VantorDropTarget";
        RegisterClassW(&wc);
        FHandle = CreateWindowExW(0, wc.lpszClassName, L"", WS_POPUP, 0, 0, 100, 100, nullptr, nullptr, wc.hInstance,
                                  nullptr);
        Seen.clear();
        DroppedHere.clear();
    }
    ~TDropTarget() {
        if (FHandle) DestroyWindow(FHandle);
    }
    TDropTarget(const TDropTarget&) = delete;
    TDropTarget& operator=(const TDropTarget&) = delete;
    HWND Handle() const { return FHandle; }
    void Destroy() { DestroyWindow(std::exchange(FHandle, nullptr)); }
    static LONG_PTR OwnProc() { return reinterpret_cast<LONG_PTR>(&Proc); }
    LONG_PTR CurrentProc() const { return GetWindowLongPtrW(FHandle, GWLP_WNDPROC); }
    bool AcceptsFiles() const { return (GetWindowLongW(FHandle, GWL_EXSTYLE) & WS_EX_ACCEPTFILES) != 0; }

private:
    static LRESULT CALLBACK Proc(HWND wnd, UINT msg, WPARAM wParam, LPARAM lParam) {
        Seen.push_back(msg);
        if (msg == WM_DROPFILES) {
            auto drop = reinterpret_cast<HDROP>(wParam);
            wchar_t name[MAX_PATH] = L"";
            DragQueryFileW(drop, 0, name, MAX_PATH);
            DroppedHere.push_back(Narrow(name));
            DragFinish(drop);
            return 0;
        }
        return DefWindowProcW(wnd, msg, wParam, lParam);
    }
    HWND FHandle = nullptr;
};
std::vector<UINT> TDropTarget::Seen;
std::vector<std::string> TDropTarget::DroppedHere;

bool Saw(UINT msg) {
    for (UINT m : TDropTarget::Seen)
        if (m == msg) return true;
    return false;
}

// Someone else's subclass on top of ours, passing everything on.
WNDPROC LaterProcNext = nullptr;
int LaterProcCalls = 0;
LRESULT CALLBACK LaterProc(HWND wnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    ++LaterProcCalls;
    return CallWindowProcW(LaterProcNext, wnd, msg, wParam, lParam);
}

}  // namespace

// ================================================================ tray icon

TEST(StatusIcon, AddsChangesAndRemovesOnlyWhatTheShellHas) {
    TShellRecorder shell;
    HWND window = nullptr;
    UINT id = 0;
    {
        TStatusIcon icon(shell.Notify());
        window = icon.WindowHandle();
        ASSERT_NE(window, nullptr);
        // Nothing reaches the shell while the owner is still setting it up.
        icon.SetHint("ランチャー");
        EXPECT_TRUE(shell.Calls.empty());

        icon.Loaded();
        ASSERT_EQ(shell.Calls.size(), 1u);
        const TNotifyCall& add = shell.Calls[0];
        EXPECT_EQ(add.Operation, static_cast<DWORD>(NIM_ADD));
        EXPECT_EQ(add.Size, static_cast<DWORD>(NOTIFYICONDATAW_V2_SIZE));
        EXPECT_EQ(add.Window, window);
        EXPECT_EQ(add.Flags, static_cast<UINT>(NIF_MESSAGE | NIF_ICON | NIF_TIP));
        EXPECT_EQ(add.Callback, static_cast<UINT>(WM_APP + 100));
        EXPECT_EQ(add.Tip, Widen("ランチャー"));
        // Without a picture of its own: the program's, at the small size.
        EXPECT_EQ(IconImageSize(add.Icon).cx, GetSystemMetrics(SM_CXSMICON));
        id = add.Id;

        icon.SetHint("ランチャー");
        EXPECT_EQ(shell.Calls.size(), 1u) << "the same hint again changes nothing";
        icon.SetHint("別の名前");
        ASSERT_EQ(shell.Calls.size(), 2u);
        EXPECT_EQ(shell.Calls[1].Operation, static_cast<DWORD>(NIM_MODIFY));
        EXPECT_EQ(shell.Calls[1].Tip, Widen("別の名前"));

        HICON own = SolidIcon(16, RGB(200, 0, 0));
        icon.SetIcon(TIcon(own));
        ASSERT_EQ(shell.Calls.size(), 3u);
        EXPECT_EQ(shell.Calls[2].Operation, static_cast<DWORD>(NIM_MODIFY));
        EXPECT_EQ(shell.Calls[2].Icon, own);

        // Hidden twice, shown twice: one removal, one addition.
        icon.SetVisible(false);
        icon.SetVisible(false);
        icon.SetHint("隠れている間");
        icon.SetIcon(TIcon(SolidIcon(16, RGB(0, 200, 0))));
        EXPECT_EQ(shell.Count(NIM_DELETE), 1);
        EXPECT_EQ(shell.Count(NIM_ADD), 1);
        EXPECT_FALSE(icon.Added());
        icon.SetVisible(true);
        icon.SetVisible(true);
        EXPECT_EQ(shell.Count(NIM_ADD), 2);
        EXPECT_EQ(shell.Calls.back().Tip, Widen("隠れている間"));
        EXPECT_EQ(shell.Count(NIM_DELETE), 1);
    }
    // The icon leaves with its object.
    EXPECT_EQ(shell.Calls.back().Operation, static_cast<DWORD>(NIM_DELETE));
    EXPECT_EQ(shell.Count(NIM_DELETE), 2);
    for (const TNotifyCall& c : shell.Calls) {
        EXPECT_EQ(c.Id, id) << "the identifier never changes";
        EXPECT_EQ(c.Window, window);
    }
    EXPECT_FALSE(IsWindow(window));

    // Hidden from the start: never added, so never removed.
    TShellRecorder quiet;
    {
        TStatusIcon icon(quiet.Notify());
        icon.SetVisible(false);
        icon.Loaded();
    }
    EXPECT_TRUE(quiet.Calls.empty());
}

TEST(StatusIcon, TipIsTheHintOrTheTitleCutAtAWholeCharacter) {
    EXPECT_EQ(StatusIconTip(""), "Vantor");
    EXPECT_EQ(StatusIconTip(std::string(StatusIconTipLimit, 'a')), std::string(StatusIconTipLimit, 'a'));
    EXPECT_EQ(StatusIconTip(std::string(300, 'a')), std::string(StatusIconTipLimit, 'a'));
    // 127 bytes end in the middle of the 64th double-byte character.
    std::string wide;
    for (int i = 0; i < 100; ++i) wide += "表";
    EXPECT_EQ(StatusIconTip(wide).size(), StatusIconTipLimit - 1);
    EXPECT_EQ(StatusIconTip(wide), wide.substr(0, StatusIconTipLimit - 1));
    // One byte earlier, the last double-byte character fits exactly.
    EXPECT_EQ(StatusIconTip("a" + wide), ("a" + wide).substr(0, StatusIconTipLimit));

    TShellRecorder shell;
    TStatusIcon icon(shell.Notify());
    icon.Loaded();
    ASSERT_EQ(shell.Calls.size(), 1u);
    EXPECT_EQ(shell.Calls[0].Tip, L"Vantor");
    icon.SetHint(wide);
    EXPECT_EQ(shell.Calls.back().Tip, std::wstring(63, L'\u8868'));
}

TEST(StatusIcon, ComesBackWhenTheTaskBarIsRecreated) {
    TShellRecorder shell;
    TStatusIcon icon(shell.Notify());
    icon.Loaded();
    // A message-only window would never hear the broadcast.
    EXPECT_EQ(GetAncestor(icon.WindowHandle(), GA_PARENT), GetDesktopWindow());
    EXPECT_FALSE(IsWindowVisible(icon.WindowHandle()));

    const UINT taskbarCreated = RegisterWindowMessageW(L"TaskbarCreated");
    PostMessageW(HWND_BROADCAST, taskbarCreated, 0, 0);
    PumpMessages();
    ASSERT_EQ(shell.Count(NIM_ADD), 2);
    EXPECT_EQ(shell.Calls.back().Id, shell.Calls.front().Id);
    EXPECT_TRUE(icon.Added());

    // A hidden icon stays away.
    icon.SetVisible(false);
    SendMessageW(icon.WindowHandle(), taskbarCreated, 0, 0);
    EXPECT_EQ(shell.Count(NIM_ADD), 2);
}

TEST(StatusIcon, MouseMessagesOfTheShellBecomeEvents) {
    TShellRecorder shell;
    TStatusIcon icon(shell.Notify());
    icon.Loaded();
    std::vector<std::string> events;
    icon.OnMouseDown = [&](TComponent&, TMouseButton b, TShiftState, int, int) {
        events.push_back(b == mbLeft ? "down left" : "down right");
    };
    icon.OnMouseUp = [&](TComponent&, TMouseButton b, TShiftState, int, int) {
        events.push_back(b == mbLeft ? "up left" : "up right");
    };
    icon.OnMouseMove = [&](TComponent&, TShiftState, int, int) { events.push_back("move"); };
    icon.OnDblClick = [&](TComponent&) { events.push_back("double"); };
    for (UINT m :
         {WM_MOUSEMOVE, WM_LBUTTONDOWN, WM_LBUTTONUP, WM_LBUTTONDBLCLK, WM_RBUTTONDOWN, WM_RBUTTONUP, WM_MBUTTONDOWN})
        SendMessageW(icon.WindowHandle(), TStatusIcon::CallbackMessage, icon.Identifier(), m);
    EXPECT_EQ(events, (std::vector<std::string>{"move", "down left", "up left", "double", "down right", "up right"}));

    // The right button pops its menu up after the event; a timer inside the
    // menu's loop closes it again.
    TMenu menu(CreatePopupMenu());
    AppendMenuW(menu.Get(), MF_STRING, 42, L"終了");
    icon.RightPopupMenu = menu.Get();
    ClosedFromMenuLoop = false;
    const UINT_PTR timer = SetTimer(nullptr, 0, 100, &CloseMenu);
    events.clear();
    SendMessageW(icon.WindowHandle(), TStatusIcon::CallbackMessage, icon.Identifier(), WM_RBUTTONDOWN);
    KillTimer(nullptr, timer);
    EXPECT_EQ(events, std::vector<std::string>{"down right"});
    EXPECT_TRUE(ClosedFromMenuLoop);
    PumpMessages();

    // An item chosen in a menu the hidden window owns.
    UINT chosen = 0;
    icon.OnMenuCommand = [&](TStatusIcon&, UINT item) { chosen = item; };
    SendMessageW(icon.WindowHandle(), WM_COMMAND, 42, 0);
    EXPECT_EQ(chosen, 42u);
}

// ================================================================ hot keys

TEST(NotifyHotKey, NumberedKeysAreRegisteredAndReportTheirIndex) {
    TNotifyHotKey keys;
    keys.SetMultiHotKey(true);
    ASSERT_TRUE(KeyIsFree(MOD_CONTROL | MOD_ALT | MOD_SHIFT, VK_F11));
    keys.SetHotKeys(5, CtrlAltShift | VK_F11);
    EXPECT_EQ(keys.HotKeys(5), CtrlAltShift | VK_F11);
    EXPECT_TRUE(keys.Registered(5));
    EXPECT_FALSE(keys.Registered(4));
    EXPECT_FALSE(keys.Registered(-1));
    // Taken from everyone else, with exactly these modifiers.
    EXPECT_FALSE(KeyIsFree(MOD_CONTROL | MOD_ALT | MOD_SHIFT, VK_F11));
    EXPECT_TRUE(KeyIsFree(MOD_CONTROL | MOD_ALT, VK_F11));

    std::vector<int> pressed;
    keys.OnHotKey = [&](TNotifyHotKey&, int index) { pressed.push_back(index); };
    SendMessageW(keys.WindowHandle(), WM_HOTKEY, 6, MAKELPARAM(MOD_CONTROL | MOD_ALT | MOD_SHIFT, VK_F11));
    // The system's own identifiers are negative; none of them is ours.
    SendMessageW(keys.WindowHandle(), WM_HOTKEY, static_cast<WPARAM>(-2), 0);
    EXPECT_EQ(pressed, std::vector<int>{5});

    // Disabled: no event, yet nobody else gets the key.
    keys.SetEnabled(false);
    SendMessageW(keys.WindowHandle(), WM_HOTKEY, 6, 0);
    EXPECT_EQ(pressed, std::vector<int>{5});
    EXPECT_TRUE(keys.Registered(5));
    EXPECT_FALSE(KeyIsFree(MOD_CONTROL | MOD_ALT | MOD_SHIFT, VK_F11));
    keys.SetEnabled(true);

    keys.SetHotKeys(5, 0);
    EXPECT_FALSE(keys.Registered(5));
    EXPECT_TRUE(KeyIsFree(MOD_CONTROL | MOD_ALT | MOD_SHIFT, VK_F11));
}

TEST(NotifyHotKey, TheSingleKeyAndTheNumberedOnesTakeTurns) {
    TNotifyHotKey keys;
    keys.SetHotKeys(0, CtrlAltShift | VK_F9);
    // Stored, but numbered keys count only with MultiHotKey.
    EXPECT_FALSE(keys.Registered(0));
    keys.SetHotKey(CtrlAltShift | VK_F8);
    EXPECT_TRUE(keys.Registered(-1));
    std::vector<int> pressed;
    keys.OnHotKey = [&](TNotifyHotKey&, int index) { pressed.push_back(index); };
    SendMessageW(keys.WindowHandle(), WM_HOTKEY, 0, 0);
    EXPECT_EQ(pressed, std::vector<int>{-1});

    keys.SetMultiHotKey(true);
    EXPECT_FALSE(keys.Registered(-1));
    EXPECT_TRUE(keys.Registered(0));
    EXPECT_TRUE(KeyIsFree(MOD_CONTROL | MOD_ALT | MOD_SHIFT, VK_F8));
    EXPECT_FALSE(KeyIsFree(MOD_CONTROL | MOD_ALT | MOD_SHIFT, VK_F9));
}

TEST(NotifyHotKey, AnIndexOutsideTheThirtyTwoIsRefused) {
    TNotifyHotKey keys;
    for (int index : {32, -1, 100}) {
        try {
            keys.SetHotKeys(index, CtrlAltShift | VK_F7);
            ADD_FAILURE() << index << " was taken";
        } catch (const EVantorError& e) {
            EXPECT_STREQ(e.what(), "無効なインデックスです。");
        }
    }
    EXPECT_THROW(keys.HotKeys(32), EVantorError);
    EXPECT_THROW(keys.Registered(32), EVantorError);
    EXPECT_THROW(keys.Registered(-2), EVantorError);
    EXPECT_EQ(keys.HotKeys(31), 0);
}

TEST(NotifyHotKey, AKeyHeldElsewhereIsMarkedAndTheRestStillWork) {
    auto holder = std::make_unique<TNotifyHotKey>();
    holder->SetHotKey(CtrlAltShift | VK_F10);
    ASSERT_TRUE(holder->Registered(-1));

    TNotifyHotKey keys;
    keys.SetMultiHotKey(true);
    keys.SetHotKeys(0, CtrlAltShift | VK_F10);
    keys.SetHotKeys(1, CtrlAltShift | VK_F12);
    EXPECT_FALSE(keys.Registered(0));
    EXPECT_TRUE(keys.Registered(1));

    // Released on destruction even while disabled; the next setter picks
    // the key up.
    holder->SetEnabled(false);
    holder.reset();
    EXPECT_FALSE(keys.Registered(0));
    keys.SetHotKeys(2, 0);
    EXPECT_TRUE(keys.Registered(0));
    EXPECT_TRUE(keys.Registered(1));
}

// ================================================================ file drops

TEST(DropFile, DroppedFilesArriveWholeInOrderWithThePoint) {
    TDropTarget target;
    ASSERT_NE(target.Handle(), nullptr);
    TDropFile drop;
    ASSERT_TRUE(drop.SetControl(target.Handle()));
    EXPECT_EQ(drop.Control(), target.Handle());
    EXPECT_TRUE(target.AcceptsFiles());

    std::vector<std::string> got;
    POINT at{};
    int events = 0;
    drop.OnDropFile = [&](TDropFile&, const std::vector<std::string>& files, int x, int y) {
        ++events;
        got = files;
        at = POINT{x, y};
    };
    // Longer than the 255 characters an old fixed buffer would keep.
    const std::wstring longName = L"C:\\" + std::wstring(300, L'a') + L"\\" + std::wstring(40, L'b') + L".txt";
    SendMessageW(target.Handle(), WM_DROPFILES,
                 reinterpret_cast<WPARAM>(
                     MakeDrop({L"C:\\表示\\ソフト.exe", L"D:\\b.txt", L"C:\\c\\", longName}, POINT{12, 34})),
                 0);
    EXPECT_EQ(events, 1);
    ASSERT_EQ(got.size(), 4u);
    EXPECT_EQ(got[0], "C:\\表示\\ソフト.exe");
    EXPECT_EQ(got[1], "D:\\b.txt");
    EXPECT_EQ(got[2], "C:\\c\\");
    EXPECT_EQ(got[3], Narrow(longName));
    EXPECT_EQ(at.x, 12);
    EXPECT_EQ(at.y, 34);
    // The drop was finished here; the window's own procedure never gets the
    // finished handle, but still every other message.
    EXPECT_FALSE(Saw(WM_DROPFILES));
    SendMessageW(target.Handle(), WM_USER + 7, 0, 0);
    EXPECT_TRUE(Saw(WM_USER + 7));

    // Without a handler the drop is the window's own, handle intact.
    drop.OnDropFile = nullptr;
    SendMessageW(target.Handle(), WM_DROPFILES, reinterpret_cast<WPARAM>(MakeDrop({L"C:\\own.txt"}, POINT{})), 0);
    EXPECT_EQ(TDropTarget::DroppedHere, std::vector<std::string>{"C:\\own.txt"});
}

TEST(DropFile, ANameCodePage932CannotSpellIsReportedApart) {
    TDropTarget target;
    TDropFile drop;
    ASSERT_TRUE(drop.SetControl(target.Handle()));
    std::vector<std::string> got, unnamed;
    int fileEvents = 0;
    drop.OnDropFile = [&](TDropFile&, const std::vector<std::string>& files, int, int) {
        ++fileEvents;
        got = files;
    };
    drop.OnDropUnnamed = [&](TDropFile&, const std::vector<std::string>& names) { unnamed = names; };
    // Missing, so no short name can stand in either.
    const std::wstring odd = L"C:\\nowhere\\\u00E9t\u00E9.txt";
    SendMessageW(target.Handle(), WM_DROPFILES, reinterpret_cast<WPARAM>(MakeDrop({L"C:\\a.txt", odd}, POINT{})), 0);
    EXPECT_EQ(got, std::vector<std::string>{"C:\\a.txt"});
    EXPECT_EQ(unnamed, std::vector<std::string>{"C:\\nowhere\\?t?.txt"});

    // Nothing nameable: no empty file event.
    unnamed.clear();
    SendMessageW(target.Handle(), WM_DROPFILES, reinterpret_cast<WPARAM>(MakeDrop({odd}, POINT{})), 0);
    EXPECT_EQ(fileEvents, 1);
    EXPECT_EQ(unnamed.size(), 1u);
}

TEST(DropFile, TheWindowGetsItsOwnProcedureBack) {
    TDropTarget first;
    TDropTarget second;
    {
        TDropFile drop;
        ASSERT_TRUE(drop.SetControl(first.Handle()));
        EXPECT_NE(first.CurrentProc(), TDropTarget::OwnProc());
        drop.SetEnabled(false);
        EXPECT_FALSE(first.AcceptsFiles());
        drop.SetEnabled(true);
        EXPECT_TRUE(first.AcceptsFiles());

        // A window has one component at a time.
        TDropFile other;
        EXPECT_FALSE(other.SetControl(first.Handle()));
        EXPECT_EQ(other.Control(), nullptr);

        // Moving on restores the first window.
        ASSERT_TRUE(drop.SetControl(second.Handle()));
        EXPECT_EQ(first.CurrentProc(), TDropTarget::OwnProc());
        EXPECT_FALSE(first.AcceptsFiles());
        EXPECT_TRUE(other.SetControl(first.Handle()));
        EXPECT_TRUE(other.SetControl(nullptr));
        EXPECT_EQ(first.CurrentProc(), TDropTarget::OwnProc());

        ASSERT_TRUE(drop.SetControl(nullptr));
        EXPECT_EQ(second.CurrentProc(), TDropTarget::OwnProc());
        EXPECT_FALSE(second.AcceptsFiles());

        // Restored with the component too.
        ASSERT_TRUE(drop.SetControl(second.Handle()));
    }
    EXPECT_EQ(second.CurrentProc(), TDropTarget::OwnProc());

    // The window going first leaves the component detached, not dangling.
    {
        TDropFile drop;
        ASSERT_TRUE(drop.SetControl(first.Handle()));
        HWND gone = first.Handle();
        first.Destroy();
        EXPECT_EQ(drop.Control(), nullptr);
        EXPECT_FALSE(drop.SetControl(gone));
    }
}

TEST(DropFile, ALaterSubclassIsNotCutOffByADetach) {
    TDropTarget target;
    TDropFile drop;
    ASSERT_TRUE(drop.SetControl(target.Handle()));
    LaterProcNext = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrW(target.Handle(), GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&LaterProc)));
    ASSERT_TRUE(drop.SetControl(nullptr));
    EXPECT_EQ(target.CurrentProc(), reinterpret_cast<LONG_PTR>(&LaterProc));
    LaterProcCalls = 0;
    SendMessageW(target.Handle(), WM_USER + 9, 0, 0);
    EXPECT_EQ(LaterProcCalls, 1);
    EXPECT_TRUE(Saw(WM_USER + 9));

    // Attached again through the part of the chain that stayed.
    std::vector<std::string> got;
    drop.OnDropFile = [&](TDropFile&, const std::vector<std::string>& files, int, int) { got = files; };
    ASSERT_TRUE(drop.SetControl(target.Handle()));
    SendMessageW(target.Handle(), WM_DROPFILES, reinterpret_cast<WPARAM>(MakeDrop({L"C:\\x.txt"}, POINT{})), 0);
    EXPECT_EQ(got, std::vector<std::string>{"C:\\x.txt"});
    EXPECT_FALSE(Saw(WM_DROPFILES));
    ASSERT_TRUE(drop.SetControl(nullptr));
    SetWindowLongPtrW(target.Handle(), GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(LaterProcNext));
}
