// An icon in the notification area of the task bar, with mouse events and
// optional popup menus. It comes back by itself when the task bar is
// recreated (Explorer restarted).
#pragma once

#include <windows.h>
// After windows.h.
#include <shellapi.h>

#include <functional>
#include <memory>
#include <string>
#include <string_view>

#include "base/handles.h"
#include "controls/component.h"

// The longest tip in code page 932 bytes: what always fits the W structure's
// 128-character field with its terminating zero.
constexpr size_t StatusIconTipLimit = 127;

// The tip shown for a hint: the hint, or the application title when it is
// empty, cut to StatusIconTipLimit bytes without splitting a double-byte
// character.
std::string StatusIconTip(std::string_view hint);

// One call of Shell_NotifyIconW (NIM_ADD, NIM_MODIFY or NIM_DELETE); tests
// put a recorder in its place.
using TShellNotify = std::function<bool(DWORD operation, NOTIFYICONDATAW& data)>;

class TStatusIcon : public TComponent {
public:
    // The message the shell sends the hidden window for mouse events.
    static constexpr UINT CallbackMessage = WM_APP + 100;

    // Nothing reaches the notification area until Loaded, so the owner can
    // set Hint, Icon and Visible first without the icon flashing up.
    explicit TStatusIcon(TShellNotify notify = {});
    ~TStatusIcon() override;

    // Adds the icon when Visible; setters act at once from here on.
    void Loaded();

    const std::string& Hint() const { return FHint; }
    void SetHint(const std::string& hint);
    // The picture set by the owner, or null for the program's own.
    HICON Icon() const { return FIcon.Get(); }
    void SetIcon(TIcon icon);
    bool Visible() const { return FVisible; }
    void SetVisible(bool visible);
    // Whether the shell has the icon now.
    bool Added() const { return FAdded; }
    // The identifier the icon has with the shell; never reused in a run.
    UINT Identifier() const { return FIdentifier; }
    // The hidden window the shell talks to.
    HWND WindowHandle() const;

    // Popped up at the pointer after a press of that button; not owned.
    HMENU LeftPopupMenu = nullptr;
    HMENU RightPopupMenu = nullptr;
    // Owns the popped-up menus and gets their WM_COMMAND (and any owner-drawn
    // item's messages). Null: the hidden window, which reports the chosen
    // item through OnMenuCommand.
    HWND MenuOwner = nullptr;

    TNotifyEvent OnDblClick;
    TMouseEvent OnMouseDown;
    TMouseMoveEvent OnMouseMove;
    TMouseEvent OnMouseUp;
    std::function<void(TStatusIcon& sender, UINT id)> OnMenuCommand;

private:
    class TMessageWindow;
    friend class TMessageWindow;

    void Update(DWORD operation);
    LRESULT HandleCallback(LPARAM lParam);
    void Popup(HMENU menu, POINT at);

    TShellNotify FNotify;
    std::unique_ptr<TMessageWindow> FWindow;
    std::string FHint;
    TIcon FIcon;
    HICON FProgramIcon = nullptr;  // shared: never destroyed
    bool FVisible = true;
    bool FLoading = true;
    bool FAdded = false;
    UINT FIdentifier;
};
