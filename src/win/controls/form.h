// A top-level window of the program (the main window; the bars and the hint
// window later): windowless controls painted over the form's own painting,
// and the same mouse routing as every other window of the program.
#pragma once

#include <windows.h>

#include <string>

#include "controls/graphic_control.h"
#include "controls/win_control.h"

class TForm : public TWinControl {
public:
    TForm() : TWinControl(TBounds{0, 0, 0, 0}) {}

    // The form's own windowless controls (buttons of a caption strip, splitters).
    TGraphicControlHost& Controls() { return FControls; }

protected:
    // Registers the class on first use and creates the top-level window,
    // owned by `owner`.
    bool CreateForm(const wchar_t* className, DWORD exStyle, DWORD style, const std::wstring& caption,
                    const TBounds& bounds, HWND owner);

    // Paints the form's own surface into a memory DC (client coordinates)
    // before its windowless controls paint over it; nothing flickers.
    virtual void PaintForm(HDC dc, const RECT& clip) { FillRect(dc, &clip, GetSysColorBrush(COLOR_BTNFACE)); }

    TGraphicControlHost* WindowlessControls() override { return &FControls; }
    // WM_PAINT and WM_ERASEBKGND; the rest goes to the shared routing.
    LRESULT HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) override;

private:
    void Paint();

    TGraphicControlHost FControls;
};
