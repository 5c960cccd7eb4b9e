// A container window that paints nothing by itself: its owner paints every
// pixel in OnPaint (so the background is never erased and nothing flickers),
// then the windowless controls it holds paint over that. The drop variant
// also takes files dragged from the shell.
#pragma once

#include <windows.h>
// After windows.h.
#include <shellapi.h>

#include <functional>
#include <string>
#include <vector>

#include "base/window.h"
#include "controls/graphic_control.h"

class TPaintPanel : public TWindow, public TComponent, public TDragSite, public TDragWindow {
public:
    TPaintPanel() = default;  // 105 x 105 until created
    ~TPaintPanel() override;

    // A visible child window of `parent`.
    bool Create(HWND parent, const TBounds& bounds);
    TBounds Bounds() const;
    void SetBounds(const TBounds& bounds);
    void SetBounds(int left, int top, int width, int height) { SetBounds(TBounds{left, top, width, height}); }
    int ClientWidth() const;
    int ClientHeight() const;
    void SetVisible(bool visible);

    // Erase with the button face before OnPaint; off, the owner covers everything.
    bool AutoClear = false;
    // Whether the panel takes the keyboard focus (the owner focuses it on a click).
    bool TabStop() const { return FTabStop; }
    void SetTabStop(bool tabStop);
    // Cursor over the panel where no control sets its own.
    HCURSOR Cursor = nullptr;
    // The palette the panel asks for; none unless set.
    HPALETTE Palette = nullptr;

    // The windowless controls on the panel (entry buttons, separators).
    TGraphicControlHost& Controls() { return FControls; }

    // Asks for a repaint of a client rectangle (the whole panel for null), without erasing.
    void Invalidate(const RECT* r = nullptr);
    // Paints the invalid parts now.
    void Update();

    // Paints into `dc` (double-buffered) inside `clip`, in client coordinates.
    std::function<void(TPaintPanel& sender, HDC dc, const RECT& clip)> OnPaint;
    TNotifyEvent OnMouseEnter;
    TNotifyEvent OnMouseExit;
    TNotifyEvent OnClick;
    TNotifyEvent OnDblClick;
    TMouseEvent OnMouseDown;
    TMouseMoveEvent OnMouseMove;
    TMouseEvent OnMouseUp;
    TKeyEvent OnKeyDown;
    TKeyEvent OnKeyUp;
    TKeyPressEvent OnKeyPress;
    TNotifyEvent OnResize;

    TComponent& SiteComponent() override { return *this; }
    // A windowless control at the point is the site; elsewhere the panel.
    TDragSite* DragSiteAt(POINT& at) override;

protected:
    LRESULT HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) override;
    virtual void Created() {}

private:
    void Paint(HDC target, const RECT& clip);
    void MouseButton(UINT msg, WPARAM wParam, int x, int y);
    void TrackMouse();

    TGraphicControlHost FControls;
    TBounds FInitialBounds{0, 0, 105, 105};
    bool FTabStop = false;
    bool FMouseInside = false;
    bool FPressed = false;
};

// Files dropped from the shell: their names (code page 932, in the order the
// shell gives them) and the drop point in panel coordinates.
using TDropFileEvent = std::function<void(TPaintPanel& sender, const std::vector<std::string>& files, POINT at)>;

class TDropPaintPanel : public TPaintPanel {
public:
    bool EnableDrop() const { return FEnableDrop; }
    // Registers or unregisters the panel as a target of the shell's file drops.
    void SetEnableDrop(bool enable);
    TDropFileEvent OnDropFile;

protected:
    LRESULT HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) override;
    void Created() override;

private:
    bool FEnableDrop = false;
};

// The names of a shell file drop, whole whatever their length.
std::vector<std::string> DroppedFileNames(HDROP drop);
