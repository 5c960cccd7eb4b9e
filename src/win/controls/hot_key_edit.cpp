#include "controls/hot_key_edit.h"

#include "base/win_text.h"
#include "settings/keys.h"

namespace {

bool KeyHeld(int key) { return GetKeyState(key) < 0; }

// Plain Tab or Shift+Tab: the keys that move the focus.
bool IsNavigationTab(WPARAM key) { return key == VK_TAB && !KeyHeld(VK_CONTROL) && !KeyHeld(VK_MENU); }

// The keyboard layout's name of a key, such as "Shift" or ";".
std::string LayoutKeyName(uint8_t key) {
    const UINT scan = MapVirtualKeyW(key, MAPVK_VK_TO_VSC_EX);
    if (scan == 0) return std::string();
    LONG lParam = static_cast<LONG>((scan & 0xFF) << 16);
    if ((scan & 0xFF00) == 0xE000) lParam |= 1L << 24;  // an extended key
    wchar_t name[64] = {};
    const int length = GetKeyNameTextW(lParam, name, 64);
    return length > 0 ? Narrow(std::wstring_view(name, static_cast<size_t>(length))) : std::string();
}

}  // namespace

bool THotKeyEx::Create(HWND parent, int left, int top, int width, int height, int id) {
    return CreateControl(L"EDIT", WS_EX_CLIENTEDGE, WS_VISIBLE | WS_TABSTOP | ES_AUTOHSCROLL | ES_READONLY, parent,
                         left, top, width, height, id);
}

std::string THotKeyEx::DisplayText(uint16_t hotKey) {
    const uint8_t key = static_cast<uint8_t>(hotKey & 0xFF);
    return ShortCutToDisplayText(hotKey, key && ShortCutToText(key).empty() ? LayoutKeyName(key) : std::string());
}

void THotKeyEx::SetHotKey(uint16_t hotKey) {
    FHotKey = hotKey;
    ShowText();
}

void THotKeyEx::Attached() {
    // A field taken from a dialog template may have been made editable.
    DefaultHandler(EM_SETREADONLY, TRUE, 0);
    ShowText();
}

void THotKeyEx::ShowText() {
    if (Handle()) DefaultHandler(WM_SETTEXT, 0, reinterpret_cast<LPARAM>(Widen(DisplayText(FHotKey)).c_str()));
}

void THotKeyEx::KeyDown(UINT msg, WPARAM key, LPARAM lParam) {
    if (IsNavigationTab(key)) {
        MoveFocus(KeyHeld(VK_SHIFT));
        return;
    }
    uint16_t hotKey = static_cast<uint16_t>(key & 0xFF);
    if (hotKey == 0) return;
    if (KeyHeld(VK_SHIFT)) hotKey |= KeyShift;
    if (KeyHeld(VK_CONTROL)) hotKey |= KeyCtrl;
    // The context bit of a system key says Alt is down even when the key
    // state has not caught up.
    if (KeyHeld(VK_MENU) || (msg == WM_SYSKEYDOWN && (lParam & (1L << 29)))) hotKey |= KeyAlt;
    if (hotKey == FHotKey) return;
    SetHotKey(hotKey);
    if (OnChange) OnChange(*this);
}

// Only reached without a dialog manager, which moves the focus itself.
void THotKeyEx::MoveFocus(bool backwards) {
    HWND parent = GetParent(Handle());
    if (!parent) return;
    constexpr ULONG_PTR DialogClassAtom = 32770;
    if (GetClassLongPtrW(parent, GCW_ATOM) == DialogClassAtom) {
        SendMessageW(parent, WM_NEXTDLGCTL, backwards ? TRUE : FALSE, FALSE);
        return;
    }
    HWND next = GetNextDlgTabItem(parent, Handle(), backwards ? TRUE : FALSE);
    if (next && next != Handle()) SetFocus(next);
}

LRESULT THotKeyEx::HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) {
    switch (msg) {
        case WM_GETDLGCODE: {
            const LRESULT code = DefaultHandler(msg, wParam, lParam);
            const auto* message = reinterpret_cast<const MSG*>(lParam);
            if (message && message->message == WM_KEYDOWN && IsNavigationTab(message->wParam))
                return code & ~static_cast<LRESULT>(DLGC_WANTALLKEYS | DLGC_WANTTAB);
            return code | DLGC_WANTALLKEYS | DLGC_WANTARROWS | DLGC_WANTCHARS;
        }
        case WM_KEYDOWN:
        case WM_SYSKEYDOWN:
            KeyDown(msg, wParam, lParam);
            return 0;
        // Releases go nowhere either: the release of Alt or F10 would open
        // the window menu.
        case WM_KEYUP:
        case WM_SYSKEYUP:
        case WM_CHAR:
        case WM_SYSCHAR:
        case WM_DEADCHAR:
        case WM_SYSDEADCHAR:
        case WM_IME_CHAR:
        case WM_PASTE:
        case WM_CUT:
        case WM_CLEAR:
        case WM_UNDO:
        case EM_UNDO:
        case EM_REPLACESEL:
            return 0;
        case EM_SETREADONLY:
            return DefaultHandler(msg, TRUE, 0);
        case WM_SETFOCUS:
        case WM_SETFONT: {
            // The edit shows its caret on these; there is nothing to type at.
            const LRESULT result = DefaultHandler(msg, wParam, lParam);
            if (GetFocus() == Handle()) HideCaret(Handle());
            return result;
        }
    }
    return DefaultHandler(msg, wParam, lParam);
}

// A read-only edit is painted as a label; this one looks like the field it is.
bool THotKeyEx::HandleReflected(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result) {
    (void)lParam;
    if (msg != WM_CTLCOLORSTATIC || !IsWindowEnabled(Handle())) return false;
    HDC dc = reinterpret_cast<HDC>(wParam);
    SetTextColor(dc, GetSysColor(COLOR_WINDOWTEXT));
    SetBkColor(dc, GetSysColor(COLOR_WINDOW));
    result = reinterpret_cast<LRESULT>(GetSysColorBrush(COLOR_WINDOW));
    return true;
}
