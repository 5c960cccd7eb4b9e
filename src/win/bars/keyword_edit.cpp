#include "bars/keyword_edit.h"

#include <string>

#include "base/win_text.h"

namespace {

std::wstring WindowText(HWND wnd) {
    std::wstring text(static_cast<size_t>(GetWindowTextLengthW(wnd)) + 1, L'\0');
    text.resize(static_cast<size_t>(GetWindowTextW(wnd, text.data(), static_cast<int>(text.size()))));
    return text;
}

// The edit control counts UTF-16 units; the search counts code page 932
// characters. Converting the prefix keeps them in step even where a
// character has no single-unit form.
int32_t CharsBefore(const std::wstring& text, DWORD units) {
    return CharCount(Narrow(std::wstring_view(text).substr(0, std::min<size_t>(units, text.size()))));
}

DWORD UnitsBefore(const std::string& text, int32_t chars) {
    return static_cast<DWORD>(Widen(std::string_view(text).substr(0, ByteOffsetOfChar(text, chars))).size());
}

}  // namespace

bool TKeywordEdit::Create(HWND parent, int left, int top, int width, int height) {
    return CreateControl(L"EDIT", WS_EX_CLIENTEDGE, WS_VISIBLE | WS_TABSTOP | ES_AUTOHSCROLL, parent, left, top, width,
                         height, 0);
}

TKeywordBox TKeywordEdit::Read() const {
    TKeywordBox box;
    const std::wstring text = WindowText(Handle());
    DWORD start = 0;
    DWORD end = 0;
    SendMessageW(Handle(), EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
    box.Text = Narrow(text);
    box.SelStart = CharsBefore(text, start);
    box.SelLength = CharsBefore(text, end) - box.SelStart;
    box.Caret = box.SelStart + box.SelLength;
    return box;
}

void TKeywordEdit::Apply(const TKeywordBox& box) {
    FUpdating = true;
    SetWindowTextW(Handle(), Widen(box.Text).c_str());
    const DWORD start = UnitsBefore(box.Text, box.SelStart);
    const DWORD end = UnitsBefore(box.Text, box.SelStart + box.SelLength);
    SendMessageW(Handle(), EM_SETSEL, start, end);
    FUpdating = false;
}

LRESULT TKeywordEdit::HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) {
    switch (msg) {
        case WM_GETDLGCODE:
            // The arrows rotate the matches; they must reach the box.
            return DefaultHandler(msg, wParam, lParam) | DLGC_WANTARROWS;
        case WM_KEYDOWN:
            if (OnKey && OnKey(static_cast<WORD>(wParam))) return 0;
            break;
        case WM_CHAR:
            // Backspace and Enter are the bar's: the box neither edits nor beeps.
            if (wParam == VK_BACK || wParam == VK_RETURN) return 0;
            break;
        case WM_SETFOCUS: {
            const LRESULT result = DefaultHandler(msg, wParam, lParam);
            if (OnEnter) OnEnter();
            return result;
        }
        default:
            break;
    }
    return DefaultHandler(msg, wParam, lParam);
}

bool TKeywordEdit::HandleReflected(UINT msg, WPARAM wParam, LPARAM, LRESULT& result) {
    if (msg != WM_COMMAND || HIWORD(wParam) != EN_CHANGE) return false;
    if (!FUpdating && OnChange) OnChange();
    result = 0;
    return true;
}
