#include "shell/status_icon.h"

#include <algorithm>
#include <iterator>
#include <utility>

#include "base/log.h"
#include "base/modal_gate.h"
#include "base/win_text.h"
#include "base/window.h"
#include "text/text.h"

namespace {

const char ApplicationTitle[] = "Vantor";

bool CallShell(DWORD operation, NOTIFYICONDATAW& data) { return Shell_NotifyIconW(operation, &data) != FALSE; }

// Sent to every top-level window when the task bar comes (back); the icons
// it had are gone by then.
UINT TaskbarCreatedMessage() {
    static const UINT message = RegisterWindowMessageW(L"TaskbarCreated");
    return message;
}

// Identifiers are never handed out twice in a run, so the shell never
// confuses a new icon with one that went.
UINT NextIdentifier() {
    static UINT last = 0;
    return ++last;
}

const char* OperationName(DWORD operation) {
    switch (operation) {
        case NIM_ADD:
            return "status icon: the shell refused to add the icon";
        case NIM_MODIFY:
            return "status icon: the shell refused to change the icon";
        default:
            return "status icon: the shell refused to remove the icon";
    }
}

}  // namespace

std::string StatusIconTip(std::string_view hint) {
    const std::string_view text = hint.empty() ? std::string_view(ApplicationTitle) : hint;
    size_t end = 0;
    while (end < text.size()) {
        const size_t width = IsLeadByte(static_cast<unsigned char>(text[end])) && end + 1 < text.size() ? 2 : 1;
        if (end + width > StatusIconTipLimit) break;
        end += width;
    }
    return std::string(text.substr(0, end));
}

// Invisible and top-level: a message-only window would miss the
// "TaskbarCreated" broadcast.
class TStatusIcon::TMessageWindow : public TWindow {
public:
    explicit TMessageWindow(TStatusIcon& owner) : FOwner(owner) {
        if (!CreateHandle(L"TVantorStatusIcon", WS_EX_TOOLWINDOW, WS_POPUP, L"", 0, 0, 0, 0))
            LogSwallowed("status icon: no window for the shell's messages");
    }
    ~TMessageWindow() override { DestroyHandle(); }

protected:
    LRESULT HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) override {
        if (msg == CallbackMessage) return FOwner.HandleCallback(lParam);
        if (msg == TaskbarCreatedMessage()) {
            // The shell has forgotten the icon.
            FOwner.FAdded = false;
            if (FOwner.FVisible) FOwner.Update(NIM_ADD);
            return 0;
        }
        if (msg == WM_COMMAND && HIWORD(wParam) == 0 && lParam == 0) {
            if (FOwner.OnMenuCommand) FOwner.OnMenuCommand(FOwner, LOWORD(wParam));
            return 0;
        }
        return DefaultHandler(msg, wParam, lParam);
    }

private:
    TStatusIcon& FOwner;
};

TStatusIcon::TStatusIcon(TShellNotify notify)
    : FNotify(notify ? std::move(notify) : TShellNotify(CallShell)),
      FWindow(std::make_unique<TMessageWindow>(*this)),
      FIdentifier(NextIdentifier()) {
    FProgramIcon =
        static_cast<HICON>(LoadImageW(GetModuleHandleW(nullptr), L"MAINICON", IMAGE_ICON, GetSystemMetrics(SM_CXSMICON),
                                      GetSystemMetrics(SM_CYSMICON), LR_DEFAULTCOLOR | LR_SHARED));
}

TStatusIcon::~TStatusIcon() {
    Update(NIM_DELETE);
    // Before the members go: no message may reach a half-destroyed object.
    FWindow.reset();
}

HWND TStatusIcon::WindowHandle() const { return FWindow ? FWindow->Handle() : nullptr; }

void TStatusIcon::Loaded() {
    if (!FLoading) return;
    FLoading = false;
    Update(FVisible ? NIM_ADD : NIM_DELETE);
}

void TStatusIcon::SetHint(const std::string& hint) {
    if (hint == FHint) return;
    FHint = hint;
    if (FVisible) Update(NIM_MODIFY);
}

void TStatusIcon::SetIcon(TIcon icon) {
    // The old picture goes only after the shell has the new one.
    TIcon old = std::exchange(FIcon, std::move(icon));
    if (FVisible) Update(NIM_MODIFY);
}

void TStatusIcon::SetVisible(bool visible) {
    if (visible == FVisible) return;
    FVisible = visible;
    Update(visible ? NIM_ADD : NIM_DELETE);
}

void TStatusIcon::Update(DWORD operation) {
    if (FLoading) return;
    // Never added twice, never removed or changed while the shell lacks it.
    if (operation == NIM_ADD ? FAdded : !FAdded) return;
    if (!WindowHandle()) return;

    NOTIFYICONDATAW data{};
    // The size every system since Windows 2000 accepts.
    data.cbSize = NOTIFYICONDATAW_V2_SIZE;
    data.hWnd = WindowHandle();
    data.uID = FIdentifier;
    data.uFlags = NIF_MESSAGE | NIF_ICON | NIF_TIP;
    data.uCallbackMessage = CallbackMessage;
    data.hIcon = FIcon ? FIcon.Get() : FProgramIcon;
    const std::wstring tip = Widen(StatusIconTip(FHint));
    const size_t length = std::min(tip.size(), std::size(data.szTip) - 1);
    std::copy_n(tip.data(), length, data.szTip);
    data.szTip[length] = L'\0';

    if (!FNotify(operation, data)) LogSwallowed(OperationName(operation));
    // The shell may have the icon even when it reports a time-out; a removal
    // that failed leaves nothing worth removing again.
    FAdded = operation != NIM_DELETE;
}

LRESULT TStatusIcon::HandleCallback(LPARAM lParam) {
    POINT at{};
    GetCursorPos(&at);
    TShiftState shift = KeyboardShiftState();
    if (GetKeyState(VK_LBUTTON) < 0) shift |= ssLeft;
    if (GetKeyState(VK_RBUTTON) < 0) shift |= ssRight;
    switch (static_cast<UINT>(lParam)) {
        case WM_MOUSEMOVE:
            if (OnMouseMove) OnMouseMove(*this, shift, at.x, at.y);
            break;
        case WM_LBUTTONDOWN:
            if (OnMouseDown) OnMouseDown(*this, mbLeft, shift, at.x, at.y);
            if (LeftPopupMenu) Popup(LeftPopupMenu, at);
            break;
        case WM_LBUTTONUP:
            if (OnMouseUp) OnMouseUp(*this, mbLeft, shift, at.x, at.y);
            break;
        case WM_LBUTTONDBLCLK:
            if (OnDblClick) OnDblClick(*this);
            break;
        case WM_RBUTTONDOWN:
            if (OnMouseDown) OnMouseDown(*this, mbRight, shift, at.x, at.y);
            if (RightPopupMenu) Popup(RightPopupMenu, at);
            break;
        case WM_RBUTTONUP:
            if (OnMouseUp) OnMouseUp(*this, mbRight, shift, at.x, at.y);
            break;
        default:
            break;
    }
    return 0;
}

void TStatusIcon::Popup(HMENU menu, POINT at) {
    HWND owner = MenuOwner ? MenuOwner : WindowHandle();
    // The menu closes on a click elsewhere only when its owner is in front,
    // and a menu popped up from the notification area needs a message after
    // it to close properly the next time.
    if (!SetForegroundWindow(owner)) LogSwallowed("status icon: the menu's window did not come to the front");
    const TModalGate::THold hold(TModalKind::Menu, owner);
    if (!TrackPopupMenuEx(menu, TPM_LEFTALIGN | TPM_RIGHTBUTTON, at.x, at.y, owner, nullptr))
        LogSwallowed("status icon: the menu did not pop up");
    PostMessageW(owner, WM_NULL, 0, 0);
}
