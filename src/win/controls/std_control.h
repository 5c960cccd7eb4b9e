// A standard control of the system (EDIT, COMBOBOX, ...) whose messages the
// program sees first: its window procedure is replaced by ours, which offers
// every message to HandleMessage and passes what that leaves to the control's
// own procedure. The control gets its procedure back when the object lets go
// of it or when the window is destroyed.
//
// What a standard control tells its parent (WM_COMMAND, WM_DRAWITEM,
// WM_MEASUREITEM, ...) reaches the control's object when the parent's
// procedure passes its messages to ReflectToControl first.
#pragma once

#include <windows.h>

#include "controls/component.h"

class TStdControl : public TComponent {
public:
    // A window the object created is destroyed; an attached one is only given back.
    ~TStdControl() override;

    HWND Handle() const { return FHandle; }

    // Takes over an existing control, such as a dialog template's child.
    // False when there is no window, or it already belongs to an object.
    bool Attach(HWND control);
    // Gives the control its own procedure back; the window stays.
    void Detach();
    // The object behind a window; null for any other window.
    static TStdControl* FromHandle(HWND control);

    // For the parent's procedure: true, with the result to return, when the
    // message was a notification of one of these controls and it took it.
    static bool ReflectToControl(HWND parent, UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result);

    // (left, top, width, height) in the parent's client coordinates.
    void SetBounds(int left, int top, int width, int height);
    void SetEnabled(bool enabled);

protected:
    TStdControl() = default;

    // Creates a child of the system class `className` and attaches it; it
    // takes the parent's font (or the GUI font when the parent has none).
    bool CreateControl(const wchar_t* className, DWORD exStyle, DWORD style, HWND parent, int left, int top, int width,
                       int height, int id);
    // Runs once the window is attached, by CreateControl or Attach.
    virtual void Attached() {}
    virtual LRESULT HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam);
    // The control's own procedure.
    LRESULT DefaultHandler(UINT msg, WPARAM wParam, LPARAM lParam);
    // A notification its parent passed on; false leaves it to the parent.
    virtual bool HandleReflected(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result) {
        (void)msg;
        (void)wParam;
        (void)lParam;
        (void)result;
        return false;
    }
    // The control's font: what it was given, else the GUI font.
    HFONT ControlFont() const;

private:
    static LRESULT CALLBACK ControlProc(HWND wnd, UINT msg, WPARAM wParam, LPARAM lParam);

    HWND FHandle = nullptr;
    bool FOwnsWindow = false;
};
