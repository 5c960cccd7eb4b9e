// Base of every real window of the program: the C++ object is bound to its
// window at WM_NCCREATE (so it sees WM_NCCREATE, WM_CREATE and
// WM_GETMINMAXINFO too) and every message goes to the virtual HandleMessage.
#pragma once

#include <windows.h>

#include <string>

class TWindow {
public:
    TWindow() = default;
    virtual ~TWindow();
    TWindow(const TWindow&) = delete;
    TWindow& operator=(const TWindow&) = delete;

    HWND Handle() const { return FHandle; }
    // Every concrete window class calls this in its own destructor, so that
    // its handlers see WM_DESTROY.
    void DestroyHandle();

protected:
    // Registers the class on first use, then creates the window.
    bool CreateHandle(const wchar_t* className, DWORD exStyle, DWORD style, const std::wstring& caption, int x, int y,
                      int width, int height, HWND parent = nullptr, HMENU menu = nullptr, UINT classStyle = CS_DBLCLKS,
                      HCURSOR cursor = LoadCursor(nullptr, IDC_ARROW));
    virtual LRESULT HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam);
    LRESULT DefaultHandler(UINT msg, WPARAM wParam, LPARAM lParam);
    // Called after WM_NCDESTROY, when the window is gone.
    virtual void HandleDestroyed() {}

private:
    static LRESULT CALLBACK StaticWndProc(HWND wnd, UINT msg, WPARAM wParam, LPARAM lParam);
    HWND FHandle = nullptr;
};
