// The program's own windowless buttons: a frame in one of three styles with
// hot tracking, a pressed look, an optional check behaviour, an eight-band
// gradient or a transparent background; and the icon buttons built on it.
#pragma once

#include <windows.h>

#include <functional>
#include <memory>

#include "base/handles.h"
#include "controls/graphic_control.h"

enum TIconButtonStyle { isFlat, isThin, isNormal };
enum TIconButtonType { itButton, itCheck };

class TCustomButton : public TGraphicControl {
public:
    TCustomButton();  // 40 x 40

    // Each setter repaints only when the value changes.
    TIconButtonStyle ButtonStyle() const { return FButtonStyle; }
    void SetButtonStyle(TIconButtonStyle style);
    TIconButtonType ButtonType() const { return FButtonType; }
    void SetButtonType(TIconButtonType type);
    TColor Color() const { return FColor; }
    void SetColor(TColor color);
    bool Down() const { return FDown; }
    void SetDown(bool down);
    bool Gradation() const { return FGradation; }
    void SetGradation(bool gradation);
    bool Transparent() const { return FTransparent; }
    void SetTransparent(bool transparent);

    // The ButtonStyle setting (0..4) as frame style, transparency and
    // gradient; sets the fields only, the rebinding that follows repaints.
    void ApplyButtonStyleSetting(int setting);

    // The keyboard or title click: fires OnClick at once and shows the press
    // for 100 ms on a timer. No other message runs meanwhile, so nothing can
    // close the window or rebind the button under the click.
    void PerformClick();

    bool Hot() const { return FHot; }
    bool Tracking() const { return FTracking; }
    // Pressed by the pointer, or still showing a PerformClick.
    bool PressedLook() const { return FPressedLook || FClickPress; }
    // Pressed, or a check button that is down.
    bool DrawnDown() const { return PressedLook() || (FButtonType == itCheck && FDown); }

    // Fired after the control painted itself, with its DC.
    std::function<void(TCustomButton& sender, HDC dc)> OnPaint;

    void Paint(HDC dc) override;
    void MouseDown(TMouseButton button, TShiftState shift, int x, int y) override;
    void MouseMove(TShiftState shift, int x, int y) override;
    void MouseUp(TMouseButton button, TShiftState shift, int x, int y) override;
    void MouseEnter() override;
    void MouseLeave() override;
    void CaptureLost() override;
    void HotTimerTick() override;

protected:
    // The frame and background; every paint starts with it.
    void DrawFrame(HDC dc, bool pressed) const;
    // What the subclass draws over the frame (the icon).
    virtual void PaintContent(HDC) {}
    // After the button's own enter and leave handling.
    virtual void PointerEntered() {}
    virtual void PointerLeft() {}
    void EnabledChanged() override { Invalidate(); }

private:
    void Enter();
    void Leave();
    void LeaveAndReset();
    void RepaintFrame();
    bool UnderPointer() const;
    void EndClickPress();

    TIconButtonStyle FButtonStyle = isFlat;
    TIconButtonType FButtonType = itButton;
    TColor FColor = clBtnFace;
    bool FDown = false;
    bool FGradation = false;
    bool FTransparent = false;
    bool FTracking = false;
    bool FDoublePress = false;  // the press is the second of a double click
    bool FSuppressPaint = false;
    bool FHot = false;
    bool FPressedLook = false;
    bool FClickPress = false;  // PerformClick's press, until its timer ends it
    std::unique_ptr<TTimer> FClickPressTimer;
};

// An icon that several holders may show at once (the icon cache and its
// buttons): destroyed when the last holder lets go.
using TSharedIcon = std::shared_ptr<const TIcon>;
// Takes ownership of a handle (null gives null).
inline TSharedIcon ShareIconHandle(HICON icon) { return icon ? std::make_shared<const TIcon>(icon) : nullptr; }

// Draws an icon centred in 16, 32 or 64 pixels, one pixel lower right while down.
class TCustomIconButton : public TCustomButton {
public:
    bool LargeIcon() const { return FLargeIcon; }
    void SetLargeIcon(bool large);
    // The icon drawn now (null for none).
    HICON IconHandle() const { return FIcon ? FIcon->Get() : nullptr; }
    // The pixel size the icon is drawn in at the current width.
    int IconSize() const;

protected:
    // Runs when LargeIcon changed; leave `repaint` true to repaint.
    virtual void LargeIconChanged(bool& repaint) { (void)repaint; }
    void PaintContent(HDC dc) override;
    // The icon to draw and its size; the launcher button substitutes its own.
    virtual HICON IconToDraw(int& size) const;
    void DrawIconCentred(HDC dc, HICON icon, int size) const;
    // Shows an icon that others may hold too; null clears it.
    void ShareIcon(TSharedIcon icon) { FIcon = std::move(icon); }
    // Shows an icon that the button alone owns from now on.
    void TakeIcon(HICON icon) { ShareIcon(ShareIconHandle(icon)); }

private:
    bool FLargeIcon = true;
    TSharedIcon FIcon;
};

// An icon button whose icon is set from outside (the system buttons, a bar's close button).
class TIconButton : public TCustomIconButton {
public:
    // Copies the icon; null clears it.
    void SetIcon(HICON icon);
    // Shows an icon that never changes without copying it (copies are slow
    // under Wine); the button holds a share of it.
    void SetSharedIcon(TSharedIcon icon);
    HICON Icon() const { return IconHandle(); }
};
