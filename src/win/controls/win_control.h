// What the program's own windows (the paint panel, the scroll box, the tab
// strip, the forms) have in common: bounds that can be set before the window
// exists, the tab stop and the key events, and the one mouse routing: the
// windowless controls on the window have their turn first, then the pointer
// becomes OnMouseDown, OnMouseMove, OnClick, OnMouseUp, OnMouseEnter and
// OnMouseExit. While the window itself is pressed every move is its own,
// whatever control lies below (its owner drags with them).
#pragma once

#include <windows.h>

#include "base/window.h"
#include "controls/component.h"
#include "layout/rect.h"

class TGraphicControlHost;

class TWinControl : public TWindow, public TComponent, public TMouseEvents {
public:
    // (left, top, width, height) in the parent's client coordinates; before
    // the window exists, the bounds it is to be created with.
    TBounds Bounds() const;
    void SetBounds(const TBounds& bounds);
    void SetBounds(int left, int top, int width, int height) { SetBounds(TBounds{left, top, width, height}); }
    int ClientWidth() const;
    int ClientHeight() const;
    void SetVisible(bool visible);
    void SetEnabled(bool enabled);

    // Whether the control takes the keyboard focus by the tab key.
    bool TabStop() const { return FTabStop; }
    void SetTabStop(bool tabStop);
    // Cursor over the control where no windowless control sets its own; null
    // keeps the class cursor.
    HCURSOR Cursor = nullptr;

    // A handler that sets the key to 0 swallows it.
    TKeyEvent OnKeyDown;
    TKeyEvent OnKeyUp;
    TKeyPressEvent OnKeyPress;
    TNotifyEvent OnResize;
    // The window got or lost the keyboard focus.
    TNotifyEvent OnEnter;
    TNotifyEvent OnExit;

protected:
    explicit TWinControl(const TBounds& initialBounds) : FInitialBounds(initialBounds) {}

    // Creates the visible child window at `bounds`; `style` adds to
    // WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS (and WS_TABSTOP when set). The
    // class has no CS_HREDRAW / CS_VREDRAW: a resize repaints only what became visible.
    bool CreateChild(const wchar_t* className, DWORD style, HWND parent, const TBounds& bounds);
    // The bounds changed while there is no window yet.
    virtual void InitialBoundsChanged() {}
    // The client area changed size (WM_SIZE), before OnResize.
    virtual void ClientResized(int width, int height) {
        (void)width;
        (void)height;
    }

    // The windowless controls on the window, which take the mouse first; null when none.
    virtual TGraphicControlHost* WindowlessControls() { return nullptr; }
    // A left press on the control itself, not released yet: the control holds
    // the pointer capture until then.
    bool Pressed() const { return FPressed; }
    void CancelPress() { FPressed = false; }
    // A button went down on the control itself; fires OnMouseDown.
    virtual void MouseDown(TMouseButton button, TShiftState shift, int x, int y);

    // Size, mouse buttons, capture, cursor and keys; the rest goes to the default handling.
    LRESULT HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) override;

private:
    void RouteMouseButton(UINT msg, WPARAM wParam, LPARAM lParam);
    void RouteMouseMove(WPARAM wParam, LPARAM lParam);
    void RouteMouseLeave(WPARAM wParam, LPARAM lParam);
    void MouseButton(UINT msg, WPARAM wParam, int x, int y);
    void LeftButtonUp(TShiftState shift, int x, int y);
    bool SetCursorMessage(WPARAM wParam, LPARAM lParam);
    bool KeyMessage(UINT msg, WPARAM wParam);

    TBounds FInitialBounds;
    bool FTabStop = false;
    bool FPressed = false;
    bool FMouseInside = false;
};
