/* The floor for the idle and memory figures: the least a Win32 program with
 * one window costs under Wine. A plain window of the same kind as the
 * program's (a topmost tool window with a sizing frame), a message loop,
 * nothing else; it ends on WM_CLOSE. Started with /exit it ends at once:
 * the slow-share bench gives it to an entry as the program that entry starts. */
#include <windows.h>

static LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_DESTROY) {
        PostQuitMessage(0);
        return 0;
    }
    return DefWindowProcW(window, message, wParam, lParam);
}

int WINAPI WinMain(HINSTANCE instance, HINSTANCE previous, LPSTR commandLine, int show) {
    (void)previous;
    (void)show;
    if (lstrcmpiA(commandLine, "/exit") == 0) return 0;
    WNDCLASSW c = {0};
    c.lpfnWndProc = WindowProc;
    c.hInstance = instance;
    c.hCursor = LoadCursorW(NULL, (LPCWSTR)IDC_ARROW);
    c.hbrBackground = (HBRUSH)(COLOR_WINDOW + 1);
    c.lpszClassName = L"EmptyWindow";
    if (!RegisterClassW(&c)) return 1;
    HWND window = CreateWindowExW(WS_EX_TOOLWINDOW | WS_EX_TOPMOST, L"EmptyWindow", L"Empty", WS_POPUP | WS_THICKFRAME,
                                  100, 100, 380, 560, NULL, NULL, instance, NULL);
    if (!window) return 1;
    ShowWindow(window, SW_SHOWNOACTIVATE);
    MSG message;
    while (GetMessageW(&message, NULL, 0, 0) > 0) {
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
    return 0;
}
