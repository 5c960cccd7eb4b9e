#include "base/dialog.h"

#include <commctrl.h>

#include <algorithm>
#include <cerrno>
#include <climits>
#include <cstdlib>

#include "app/desktop_services.h"
#include "base/log.h"
#include "base/modal_gate.h"
#include "base/system_library.h"
#include "base/win_text.h"
#include "base/window_dpi.h"
#include "controls/std_control.h"
#include "text/text.h"

std::function<void(TDialog&)> TDialog::ShownHook;

namespace {

// Posted from WM_INITDIALOG: arrives once the dialog is shown and the modal
// loop runs.
constexpr UINT WM_DIALOG_SHOWN = WM_APP + 0x3D1;

const char kNotFound[] = "\"%s\"が見つかりません。";

// Tab strips and up-down controls are common controls. The library comes from
// the System folder and stays for the program's life, as the dialogs recur.
void LoadCommonControls() {
    static const bool loaded = [] {
        HMODULE library = LoadSystemLibrary("comctl32.dll");
        using TInit = BOOL(WINAPI*)(const INITCOMMONCONTROLSEX*);
        auto init = LibraryFunction<TInit>(library, "InitCommonControlsEx");
        if (!init) return false;
        INITCOMMONCONTROLSEX controls{sizeof(controls), ICC_TAB_CLASSES | ICC_UPDOWN_CLASS | ICC_STANDARD_CLASSES};
        return init(&controls) != FALSE;
    }();
    (void)loaded;
}

}  // namespace

TDialog::TDialog(int templateId) : FTemplateId(templateId) {}

TDialog::~TDialog() = default;

int TDialog::ShowModal(HWND owner) {
    LoadCommonControls();
    TModalGate::THold hold(TModalKind::Dialog, owner);
    FHold = &hold;
    const INT_PTR result = DialogBoxParamW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(FTemplateId), owner,
                                           &TDialog::DialogProc, reinterpret_cast<LPARAM>(this));
    FHandle = nullptr;
    FHold = nullptr;
    return static_cast<int>(result);
}

void TDialog::EndDialog(int result) {
    if (!FHandle) return;
    OnClose(result);
    ::EndDialog(FHandle, result);
}

void TDialog::ClickButton(int id) {
    if (FHandle) SendMessageW(FHandle, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), reinterpret_cast<LPARAM>(Item(id)));
}

INT_PTR CALLBACK TDialog::DialogProc(HWND wnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    TDialog* self = nullptr;
    if (msg == WM_INITDIALOG) {
        self = reinterpret_cast<TDialog*>(lParam);
        SetWindowLongPtrW(wnd, DWLP_USER, lParam);
        self->FHandle = wnd;
        if (self->FHold) self->FHold->SetWindow(wnd);
    } else {
        self = reinterpret_cast<TDialog*>(GetWindowLongPtrW(wnd, DWLP_USER));
    }
    if (!self) return FALSE;
    try {
        return self->Dispatch(msg, wParam, lParam);
    } catch (...) {
        LogCurrentException("TDialog::DialogProc");
        // A dialog whose loading failed must not be confirmed half-loaded.
        if (msg == WM_INITDIALOG) ::EndDialog(wnd, IDCANCEL);
        return FALSE;
    }
}

INT_PTR TDialog::Dispatch(UINT msg, WPARAM wParam, LPARAM lParam) {
    // Owner-drawn and subclassed controls hear their notifications first.
    if (msg == WM_COMMAND || msg == WM_NOTIFY || msg == WM_DRAWITEM || msg == WM_MEASUREITEM) {
        LRESULT reflected = 0;
        if (TStdControl::ReflectToControl(FHandle, msg, wParam, lParam, reflected)) {
            if (msg == WM_NOTIFY) SetWindowLongPtrW(FHandle, DWLP_MSGRESULT, reflected);
            if (msg != WM_COMMAND) return TRUE;
        }
    }
    // A subclassed control may colour itself (a read-only field that still
    // looks like a field); the brush is the dialog procedure's answer.
    if (msg == WM_CTLCOLORSTATIC || msg == WM_CTLCOLOREDIT || msg == WM_CTLCOLORBTN || msg == WM_CTLCOLORLISTBOX) {
        LRESULT brush = 0;
        if (TStdControl::ReflectToControl(FHandle, msg, wParam, lParam, brush)) return static_cast<INT_PTR>(brush);
    }
    switch (msg) {
        case WM_INITDIALOG: {
            ApplyJapaneseFont();
            const bool defaultFocus = OnInit();
            CenterOnScreen();
            PostMessageW(FHandle, WM_DIALOG_SHOWN, 0, 0);
            return defaultFocus ? TRUE : FALSE;
        }
        case WM_DIALOG_SHOWN:
            // The dialog manager shows the dialog once its queue is empty; this
            // message can come first.
            if (!IsWindowVisible(FHandle)) {
                ShowWindow(FHandle, SW_SHOW);
                UpdateWindow(FHandle);
            }
            OnShown();
            if (ShownHook) ShownHook(*this);
            return TRUE;
        case WM_COMMAND:
            return OnCommand(HIWORD(wParam), LOWORD(wParam), reinterpret_cast<HWND>(lParam)) ? TRUE : FALSE;
        case WM_HELP:
            // F1 in a dialog with help does what its help button does.
            if (CurrentHelpTopic().Page.empty()) return FALSE;
            ShowHelp();
            return TRUE;
        case WM_NOTIFY: {
            auto* header = reinterpret_cast<NMHDR*>(lParam);
            if (!header) return FALSE;
            LRESULT result = 0;
            if (!OnNotify(static_cast<int>(header->idFrom), *header, result)) return FALSE;
            SetWindowLongPtrW(FHandle, DWLP_MSGRESULT, result);
            return TRUE;
        }
        default: {
            INT_PTR result = FALSE;
            if (OnMessage(msg, wParam, lParam, result)) return result;
            return FALSE;
        }
    }
}

// The dialog manager makes the template's font without its character set, so
// a system whose code page is not Japanese may pick a face without Japanese
// glyphs. The dialogs' face at the template's size with the Japanese
// character set is found on any system that has a Japanese font.
void TDialog::ApplyJapaneseFont() {
    LOGFONTW font{};
    HFONT current = reinterpret_cast<HFONT>(SendMessageW(FHandle, WM_GETFONT, 0, 0));
    if (!current || !GetObjectW(current, sizeof(font), &font) || font.lfHeight == 0) font.lfHeight = -12;
    font.lfWeight = FW_NORMAL;
    font.lfCharSet = SHIFTJIS_CHARSET;
    std::fill(std::begin(font.lfFaceName), std::end(font.lfFaceName), L'\0');
    wcscpy(font.lfFaceName, L"\xFF2D\xFF33 \xFF30\x30B4\x30B7\x30C3\x30AF");  // ＭＳ Ｐゴシック
    FFont.Reset(CreateFontIndirectW(&font));
    if (!FFont) return;
    // Before OnInit, which may give single controls fonts of their own.
    for (HWND child = GetWindow(FHandle, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT))
        SendMessageW(child, WM_SETFONT, reinterpret_cast<WPARAM>(FFont.Get()), FALSE);
}

bool TDialog::OnCommand(int code, int id, HWND) {
    if (code != BN_CLICKED) return false;
    if (id == IDOK) {
        if (OnOK()) EndDialog(IDOK);
        return true;
    }
    if (id == IDCANCEL) {
        EndDialog(IDCANCEL);
        return true;
    }
    if (id == IDHELP && !CurrentHelpTopic().Page.empty()) {
        ShowHelp();
        return true;
    }
    return false;
}

void TDialog::ShowHelp() {
    const THelpTopic topic = CurrentHelpTopic();
    const std::string missing = Help ? Help->ShowHelp(FHandle, topic) : Format(kNotFound, topic.Page);
    if (!missing.empty()) ShowMessage(missing, MB_OK | MB_ICONERROR);
}

bool TDialog::OnNotify(int, NMHDR&, LRESULT&) { return false; }

bool TDialog::OnMessage(UINT, WPARAM, LPARAM, INT_PTR&) { return false; }

int TDialog::ShowMessage(const std::string& text, UINT type) {
    const TModalGate::THold hold(TModalKind::MessageBox, FHandle);
    if (Services) return Services->ShowMessage(FHandle, text, type);
    return ::MessageBoxW(FHandle, Widen(text).c_str(), L"Vantor", type);
}

void TDialog::CenterOnScreen() {
    RECT r{};
    GetWindowRect(FHandle, &r);
    MONITORINFO info{};
    info.cbSize = sizeof(info);
    if (!GetMonitorInfoW(MonitorFromWindow(FHandle, MONITOR_DEFAULTTOPRIMARY), &info)) return;
    const RECT& area = info.rcWork;
    const int width = r.right - r.left;
    const int height = r.bottom - r.top;
    const int left = area.left + (area.right - area.left - width) / 2;
    const int top = area.top + (area.bottom - area.top - height) / 2;
    SetWindowPos(FHandle, nullptr, left, top, 0, 0, SWP_NOZORDER | SWP_NOSIZE | SWP_NOACTIVATE);
}

void TDialog::SetClientSize(int width, int height) {
    const int dpi = WindowDpi(FHandle);
    RECT r{0, 0, ScaleToDpi(width, dpi), ScaleToDpi(height, dpi)};
    AdjustWindowRectEx(&r, static_cast<DWORD>(GetWindowLongPtrW(FHandle, GWL_STYLE)), FALSE,
                       static_cast<DWORD>(GetWindowLongPtrW(FHandle, GWL_EXSTYLE)));
    SetWindowPos(FHandle, nullptr, 0, 0, r.right - r.left, r.bottom - r.top,
                 SWP_NOZORDER | SWP_NOMOVE | SWP_NOACTIVATE);
}

void TDialog::SetItemBounds(int id, int left, int top, int width, int height) {
    HWND item = Item(id);
    if (!item) return;
    const TBounds b = ScaleToDpi(TBounds{left, top, width, height}, WindowDpi(FHandle));
    SetWindowPos(item, nullptr, b.Left, b.Top, b.Width, b.Height, SWP_NOZORDER | SWP_NOACTIVATE);
}

// ---------------------------------------------------------------- controls

std::string TDialog::ItemText(int id) const {
    HWND item = Item(id);
    if (!item) return std::string();
    const int length = GetWindowTextLengthW(item);
    std::wstring text(static_cast<size_t>(length) + 1, L'\0');
    const int got = GetWindowTextW(item, text.data(), length + 1);
    text.resize(got > 0 ? static_cast<size_t>(got) : 0);
    return Narrow(text);
}

void TDialog::SetItemText(int id, const std::string& text) {
    if (HWND item = Item(id)) SetWindowTextW(item, Widen(text).c_str());
}

bool TDialog::Checked(int id) const { return FHandle && IsDlgButtonChecked(FHandle, id) == BST_CHECKED; }

void TDialog::SetChecked(int id, bool checked) {
    if (FHandle) CheckDlgButton(FHandle, id, checked ? BST_CHECKED : BST_UNCHECKED);
}

void TDialog::EnableItem(int id, bool enabled) {
    if (HWND item = Item(id)) EnableWindow(item, enabled ? TRUE : FALSE);
}

std::optional<int> TDialog::ItemInt(int id) const {
    const std::string text = ItemText(id);
    size_t begin = text.find_first_not_of(" \t");
    if (begin == std::string::npos) return std::nullopt;
    size_t end = text.find_last_not_of(" \t") + 1;
    const std::string digits = text.substr(begin, end - begin);
    size_t i = (digits[0] == '-' || digits[0] == '+') ? 1 : 0;
    if (i == digits.size()) return std::nullopt;
    for (size_t k = i; k < digits.size(); ++k)
        if (digits[k] < '0' || digits[k] > '9') return std::nullopt;
    errno = 0;
    const long long value = std::strtoll(digits.c_str(), nullptr, 10);
    if (errno == ERANGE || value < INT_MIN || value > INT_MAX) return std::nullopt;
    return static_cast<int>(value);
}

void TDialog::SetItemInt(int id, int value) { SetItemText(id, std::to_string(value)); }

void TDialog::ComboSetItems(int id, const std::vector<std::string>& items) {
    HWND item = Item(id);
    if (!item) return;
    SendMessageW(item, CB_RESETCONTENT, 0, 0);
    for (const std::string& text : items)
        SendMessageW(item, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(Widen(text).c_str()));
}

int TDialog::ComboIndex(int id) const {
    HWND item = Item(id);
    return item ? static_cast<int>(SendMessageW(item, CB_GETCURSEL, 0, 0)) : -1;
}

void TDialog::ComboSetIndex(int id, int index) {
    if (HWND item = Item(id)) SendMessageW(item, CB_SETCURSEL, static_cast<WPARAM>(index), 0);
}

void TDialog::ListSetItems(int id, const std::vector<std::string>& items) {
    HWND item = Item(id);
    if (!item) return;
    SendMessageW(item, LB_RESETCONTENT, 0, 0);
    for (const std::string& text : items)
        SendMessageW(item, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(Widen(text).c_str()));
}

std::vector<std::string> TDialog::ListItems(int id) const {
    std::vector<std::string> items;
    HWND item = Item(id);
    if (!item) return items;
    const int count = static_cast<int>(SendMessageW(item, LB_GETCOUNT, 0, 0));
    for (int i = 0; i < count; ++i) {
        const int length = static_cast<int>(SendMessageW(item, LB_GETTEXTLEN, static_cast<WPARAM>(i), 0));
        if (length < 0) continue;
        std::wstring text(static_cast<size_t>(length) + 1, L'\0');
        SendMessageW(item, LB_GETTEXT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(text.data()));
        text.resize(static_cast<size_t>(length));
        items.push_back(Narrow(text));
    }
    return items;
}

int TDialog::ListIndex(int id) const {
    HWND item = Item(id);
    return item ? static_cast<int>(SendMessageW(item, LB_GETCURSEL, 0, 0)) : -1;
}

void TDialog::ListSetIndex(int id, int index) {
    if (HWND item = Item(id)) SendMessageW(item, LB_SETCURSEL, static_cast<WPARAM>(index), 0);
}

void TDialog::SpinSetRange(int id, int minimum, int maximum) {
    if (HWND item = Item(id)) SendMessageW(item, UDM_SETRANGE32, static_cast<WPARAM>(minimum), maximum);
}

void TDialog::SpinSetPos(int id, int value) {
    if (HWND item = Item(id)) SendMessageW(item, UDM_SETPOS32, 0, value);
}
