#include "controls/form.h"

#include "base/double_buffer.h"
#include "base/handles.h"

bool TForm::CreateForm(const wchar_t* className, DWORD exStyle, DWORD style, const std::wstring& caption,
                       const TBounds& bounds, HWND owner) {
    if (!CreateHandle(className, exStyle, style, caption, bounds.Left, bounds.Top, bounds.Width, bounds.Height, owner))
        return false;
    FControls.SetParent(Handle());
    return true;
}

void TForm::Paint() {
    TPaintDC paint(Handle());
    const RECT& clip = paint.PaintRect();
    if (IsRectEmpty(&clip)) return;
    TDoubleBuffer buffer(paint.DC(), clip);
    PaintForm(buffer.DC(), clip);
    FControls.PaintControls(buffer.DC(), clip);
}

LRESULT TForm::HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) {
    switch (msg) {
        case WM_ERASEBKGND:
            return 1;  // painted whole in WM_PAINT
        case WM_PAINT:
            Paint();
            return 0;
        case WM_GETDLGCODE:
            return DefaultHandler(msg, wParam, lParam);
        default:
            return TWinControl::HandleMessage(msg, wParam, lParam);
    }
}
