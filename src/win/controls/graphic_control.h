// Windowless controls: light objects with bounds that a parent window paints
// and hit-tests, so that a window can hold hundreds of them cheaply.
//
// The parent window owns a TGraphicControlHost, adds its controls to it and
// forwards its mouse messages, WM_SETCURSOR and (after painting its own
// background) its painting to it. Controls added later lie on top.
#pragma once

#include <windows.h>

#include <functional>
#include <memory>
#include <vector>

#include "base/timer.h"
#include "controls/component.h"
#include "controls/drag_drop.h"
#include "layout/rect.h"

class TGraphicControlHost;

class TGraphicControl : public TComponent, public TMouseEvents, public TDragSite {
public:
    TGraphicControl(int width, int height);
    ~TGraphicControl() override;

    // (left, top, width, height) in the parent's client coordinates.
    const TBounds& Bounds() const { return FBounds; }
    void SetBounds(const TBounds& bounds);
    void SetBounds(int left, int top, int width, int height) { SetBounds(TBounds{left, top, width, height}); }
    int Width() const { return FBounds.Width; }
    int Height() const { return FBounds.Height; }
    bool Visible() const { return FVisible; }
    void SetVisible(bool visible);
    bool Enabled() const { return FEnabled; }
    void SetEnabled(bool enabled);
    // Visible with an area: the parked bounds (-1, -1, 0, 0) hide a control.
    bool Showing() const { return FVisible && FBounds.Width > 0 && FBounds.Height > 0; }

    TGraphicControlHost* Host() const { return FHost; }
    HWND ParentHandle() const;
    // The parent's client rectangle of the control, (left, top, right, bottom).
    RECT ClientToParent() const;
    POINT ClientToScreen(POINT p) const;

    // Whether the control covers its whole area (it then needs no erasing below).
    bool Opaque() const { return FOpaque; }
    // Cursor over the control; null leaves the parent's.
    HCURSOR Cursor = nullptr;

    // Asks the parent to repaint the control (later, without erasing when opaque).
    void Invalidate();
    // Repaints at once.
    void Repaint();
    // Paints the control into `dc`, whose origin is the control's top-left
    // corner and whose clip lies within the control.
    virtual void Paint(HDC dc) = 0;

    // The framework's notifications, as the parent dispatches them; (x, y) in
    // the control's coordinates. Each fires its event; subclasses extend them.
    virtual void MouseDown(TMouseButton button, TShiftState shift, int x, int y);
    virtual void MouseMove(TShiftState shift, int x, int y);
    virtual void MouseUp(TMouseButton button, TShiftState shift, int x, int y);
    virtual void DblClick();
    virtual void MouseEnter();
    virtual void MouseLeave();
    // The pointer capture ended without a button release (another window or a
    // drag took it).
    virtual void CaptureLost() {}
    // The shared hot-tracking timer ticked while this control owns it.
    virtual void HotTimerTick() {}

    // Drags this control through the program's drag and drop until released
    // or cancelled; fires OnEndDrag and returns the drop target or null.
    TComponent* BeginDrag();
    TComponent& SiteComponent() override { return *this; }

    TEndDragEvent OnEndDrag;

protected:
    void SetOpaque(bool opaque) { FOpaque = opaque; }
    // A completed left click (press and release inside) fires OnClick unless
    // the subclass clicks on its own terms.
    bool ClickOnRelease = true;
    virtual void BoundsChanged() {}
    virtual void EnabledChanged() {}

private:
    friend class TGraphicControlHost;
    TGraphicControlHost* FHost = nullptr;
    TBounds FBounds;
    bool FVisible = true;
    bool FEnabled = true;
    bool FOpaque = true;
    bool FClicked = false;  // the left button went down on the control
};

// The one 100 ms timer that watches the hot flat button; several hosts may
// share one, so at most one button of the program is hot-tracked at a time.
class THotTrackTimer {
public:
    THotTrackTimer();
    TGraphicControl* Owner() const { return FOwner; }
    void Attach(TGraphicControl& control);
    // Stops the timer when `control` owns it.
    void Detach(const TGraphicControl& control);

private:
    TTimer FTimer;
    TGraphicControl* FOwner = nullptr;
};

class TGraphicControlHost {
public:
    explicit TGraphicControlHost(HWND parent = nullptr);
    ~TGraphicControlHost();
    TGraphicControlHost(const TGraphicControlHost&) = delete;
    TGraphicControlHost& operator=(const TGraphicControlHost&) = delete;

    void SetParent(HWND parent) { FParent = parent; }
    HWND Parent() const { return FParent; }

    // While a batch is open, the controls' repaint requests are gathered and
    // reach the window as one rectangle when the outermost batch closes:
    // re-binding a page moves and restyles hundreds of controls, and each
    // request is a round trip to the window system.
    class TBatch {
    public:
        explicit TBatch(TGraphicControlHost& host) : FHost(host) { ++FHost.FBatchDepth; }
        ~TBatch() { FHost.EndBatch(); }
        TBatch(const TBatch&) = delete;
        TBatch& operator=(const TBatch&) = delete;

    private:
        TGraphicControlHost& FHost;
    };
    bool Batching() const { return FBatchDepth > 0; }
    // Asks the window to repaint `r` (client coordinates), at once or when
    // the batch closes; `erase` erases the background first.
    void InvalidateArea(const RECT& r, bool erase);

    // Not owned; a control leaves its host when it is destroyed.
    void Add(TGraphicControl& control);
    void Remove(TGraphicControl& control);
    const std::vector<TGraphicControl*>& Controls() const { return FControls; }

    // The topmost showing control at a client point; disabled ones only when asked.
    TGraphicControl* ControlAtPos(int x, int y, bool allowDisabled = false) const;
    // The control under a screen point, when the parent is the window there.
    TGraphicControl* ControlAtScreenPos(POINT screen) const;
    // The control under the pointer now.
    TGraphicControl* ControlUnderPointer() const;

    // Paints every showing control that meets `clip` (client coordinates).
    void PaintControls(HDC dc, const RECT& clip) const;
    // Paints one control into a DC of the parent, clipped to `clip` (in the
    // control's coordinates) when given.
    void PaintControlNow(TGraphicControl& control, const RECT* clip = nullptr) const;

    // The parent's mouse messages (WM_MOUSEMOVE, button messages, WM_MOUSELEAVE,
    // WM_CAPTURECHANGED). True when a control took the message; otherwise the
    // parent handles it as its own.
    bool HandleMouseMessage(UINT msg, WPARAM wParam, LPARAM lParam);
    // WM_SETCURSOR over the client area: true when a control set its cursor.
    bool HandleSetCursor();

    // Ends a control's press without a release (before a drag, say).
    void CancelMouseCapture();
    TGraphicControl* CaptureControl() const { return FCaptureControl; }
    TGraphicControl* MouseControl() const { return FMouseControl; }
    // A control that noticed by itself that the pointer left it.
    void ForgetMouseControl(const TGraphicControl& control);
    // Runs `change`, which binds the controls anew under a pointer that does
    // not move: the control the pointer is over leaves before, and the one
    // under it afterwards is entered, though it be the same control now
    // showing something else. With the pointer over none, only the change.
    void ChangeUnderPointer(const std::function<void()>& change);

    THotTrackTimer& HotTimer() const { return *FHotTimer; }
    void ShareHotTimer(const TGraphicControlHost& other) { FHotTimer = other.FHotTimer; }

private:
    void UpdateMouseControl(TGraphicControl* under);
    void TrackLeave();
    bool MouseButtonMessage(UINT msg, WPARAM wParam, int x, int y);
    void EndBatch();

    HWND FParent;
    std::vector<TGraphicControl*> FControls;
    TGraphicControl* FCaptureControl = nullptr;
    TGraphicControl* FMouseControl = nullptr;
    bool FTrackingLeave = false;
    std::shared_ptr<THotTrackTimer> FHotTimer;
    int FBatchDepth = 0;
    RECT FBatchArea{};  // the union of the requests gathered; empty for none
    bool FBatchErase = false;
};
