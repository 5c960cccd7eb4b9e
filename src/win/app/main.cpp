// Program entry.
#include <windows.h>

#include "base/window.h"

namespace {

class TMainWindow : public TWindow {
public:
    bool Create() {
        return CreateHandle(L"TVantor", WS_EX_TOOLWINDOW | WS_EX_TOPMOST, WS_POPUP | WS_THICKFRAME | WS_VISIBLE,
                            L"Vantor", 0, 0, 320, 240);
    }

protected:
    LRESULT HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) override {
        if (msg == WM_DESTROY) {
            PostQuitMessage(0);
            return 0;
        }
        return DefaultHandler(msg, wParam, lParam);
    }
};

}  // namespace

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
    TMainWindow window;
    if (!window.Create()) return 1;
    MSG msg;
    while (GetMessageW(&msg, nullptr, 0, 0) > 0) {
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
    return 0;
}
