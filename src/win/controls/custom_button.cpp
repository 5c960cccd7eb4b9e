#include "controls/custom_button.h"

#include "base/window_dpi.h"
#include "layout/button_geometry.h"

namespace {

constexpr unsigned PressAnimationMs = 100;

// Band i of eight runs from the shadow colour (left) to the face colour (right).
COLORREF GradientBand(int i, COLORREF shadow, COLORREF face) {
    auto mix = [i](int s, int f) { return ((7 - i) * s + i * f) / 7; };
    return RGB(mix(GetRValue(shadow), GetRValue(face)), mix(GetGValue(shadow), GetGValue(face)),
               mix(GetBValue(shadow), GetBValue(face)));
}

void FillSolid(HDC dc, const RECT& r, COLORREF color) {
    TBrush brush(CreateSolidBrush(color));
    FillRect(dc, &r, brush.Get());
}

void FillGradient(HDC dc, const RECT& r) {
    const COLORREF shadow = GetSysColor(COLOR_BTNSHADOW);
    const COLORREF face = GetSysColor(COLOR_BTNFACE);
    const int width = r.right - r.left;
    for (int i = 0; i < 8; ++i) {
        const RECT band{r.left + width * i / 8, r.top, r.left + width * (i + 1) / 8, r.bottom};
        FillSolid(dc, band, GradientBand(i, shadow, face));
    }
}

}  // namespace

// --- TCustomButton ---

TCustomButton::TCustomButton() : TGraphicControl(40, 40) { ClickOnRelease = false; }

void TCustomButton::SetButtonStyle(TIconButtonStyle style) {
    if (style == FButtonStyle) return;
    FButtonStyle = style;
    Invalidate();
}

void TCustomButton::SetButtonType(TIconButtonType type) {
    if (type == FButtonType) return;
    FButtonType = type;
    Invalidate();
}

void TCustomButton::SetColor(TColor color) {
    if (color == FColor) return;
    FColor = color;
    Invalidate();
}

void TCustomButton::SetDown(bool down) {
    if (down == FDown) return;
    FDown = down;
    Invalidate();
}

void TCustomButton::SetGradation(bool gradation) {
    if (gradation == FGradation) return;
    FGradation = gradation;
    Invalidate();
}

void TCustomButton::SetTransparent(bool transparent) {
    if (transparent == FTransparent) return;
    FTransparent = transparent;
    SetOpaque(!transparent);
    Invalidate();
}

void TCustomButton::ApplyButtonStyleSetting(int setting) {
    switch (setting) {
        case 0:
            FButtonStyle = isNormal;
            FTransparent = false;
            FGradation = false;
            break;
        case 2:
            FButtonStyle = isThin;
            FTransparent = true;
            FGradation = false;
            break;
        case 3:
            FButtonStyle = isThin;
            FTransparent = false;
            FGradation = false;
            break;
        case 4:
            FButtonStyle = isThin;
            FTransparent = false;
            FGradation = true;
            break;
        default:  // 1, the setting's default
            FButtonStyle = isFlat;
            FTransparent = true;
            FGradation = false;
            break;
    }
    SetOpaque(!FTransparent);
}

void TCustomButton::DrawFrame(HDC dc, bool pressed) const {
    const int w = Width();
    const int h = Height();
    const bool down = pressed || (FButtonType == itCheck && FDown);
    RECT fill{1, 1, w - 1, h - 1};
    UINT edge = down ? BDR_SUNKENOUTER : BDR_RAISEDINNER;
    switch (FButtonStyle) {
        case isFlat:
            if (!(Enabled() && (FHot || pressed || (FButtonType == itCheck && FDown)))) {
                fill = RECT{0, 0, w, h};
                edge = 0;
            }
            break;
        case isThin:
            break;
        case isNormal:
            fill = RECT{1, 1, w - 2, h - 2};
            edge = down ? EDGE_SUNKEN : EDGE_RAISED;
            break;
    }
    if (!FTransparent) {
        if (FGradation) {
            FillGradient(dc, fill);
        } else {
            FillSolid(dc, fill, ColorToRGB(FColor));
        }
    }
    if (edge) {
        RECT client{0, 0, w, h};
        DrawEdge(dc, &client, edge, BF_RECT);
    }
}

void TCustomButton::Paint(HDC dc) {
    if (FSuppressPaint) return;
    DrawFrame(dc, PressedLook());
    PaintContent(dc);
    if (OnPaint) OnPaint(*this, dc);
}

// Hot tracking repaints only the four border lines of a flat button, so the
// icon inside never flickers.
void TCustomButton::RepaintFrame() {
    if (FButtonStyle != isFlat) return;
    HWND parent = ParentHandle();
    if (!parent || !Showing()) return;
    const RECT r = ClientToParent();
    const RECT lines[4] = {{r.left, r.top, r.right, r.top + 1},
                           {r.left, r.top, r.left + 1, r.bottom},
                           {r.left, r.bottom - 1, r.right, r.bottom},
                           {r.right - 1, r.top, r.right, r.bottom}};
    FSuppressPaint = true;
    for (const RECT& line : lines) InvalidateRect(parent, &line, FALSE);
    FSuppressPaint = false;
    if (!IsWindowVisible(parent)) return;
    TWindowDC dc(parent);
    const int saved = SaveDC(dc.DC());
    OffsetViewportOrgEx(dc.DC(), r.left, r.top, nullptr);
    IntersectClipRect(dc.DC(), 0, 0, Width(), Height());
    ExcludeClipRect(dc.DC(), 1, 1, Width() - 1, Height() - 1);
    DrawFrame(dc.DC(), PressedLook());
    RestoreDC(dc.DC(), saved);
}

bool TCustomButton::UnderPointer() const { return Host() && Host()->ControlUnderPointer() == this; }

void TCustomButton::Enter() {
    if (FHot) return;
    FHot = true;
    if (FTracking) {
        FPressedLook = true;
        Invalidate();
    } else if (FButtonStyle == isFlat && Enabled() && Host()) {
        THotTrackTimer& timer = Host()->HotTimer();
        if (auto* other = dynamic_cast<TCustomButton*>(timer.Owner()); other && other != this) {
            other->LeaveAndReset();
        }
        timer.Attach(*this);
        RepaintFrame();
    }
    TGraphicControl::MouseEnter();
    PointerEntered();
}

void TCustomButton::Leave() {
    if (!FHot) return;
    FHot = false;
    if (FTracking) {
        FPressedLook = false;
        Invalidate();
    } else if (FButtonStyle == isFlat && Enabled()) {
        RepaintFrame();
    }
    // Whatever changed meanwhile (disabled, restyled), a button that is not hot
    // needs no timer.
    if (Host() && !FTracking) Host()->HotTimer().Detach(*this);
    TGraphicControl::MouseLeave();
    PointerLeft();
}

void TCustomButton::LeaveAndReset() {
    Leave();
    FTracking = false;
    FPressedLook = false;
    if (Host()) Host()->ForgetMouseControl(*this);
}

void TCustomButton::MouseEnter() { Enter(); }

void TCustomButton::MouseLeave() { Leave(); }

void TCustomButton::HotTimerTick() {
    if (!FHot) {
        if (Host()) Host()->HotTimer().Detach(*this);
        return;
    }
    if (!FTracking && !UnderPointer()) LeaveAndReset();
}

void TCustomButton::MouseMove(TShiftState shift, int x, int y) {
    TGraphicControl::MouseMove(shift, x, y);
    if (FButtonStyle == isFlat && !FTracking && !FHot && UnderPointer()) Enter();
}

void TCustomButton::MouseDown(TMouseButton button, TShiftState shift, int x, int y) {
    if (button == mbLeft) {
        FTracking = true;
        FPressedLook = true;
        FHot = true;
        // A user who double-clicks an entry means to start it once: the
        // second press shows pressed but makes no second click.
        FDoublePress = (shift & ssDouble) != 0;
        Invalidate();
    }
    TGraphicControl::MouseDown(button, shift, x, y);
}

void TCustomButton::MouseUp(TMouseButton button, TShiftState shift, int x, int y) {
    if (button == mbLeft) {
        // Only a press that began on this button makes a click: a release that
        // ends a drag of the window over a button starts nothing.
        const bool pressed = FTracking;
        FTracking = false;
        FPressedLook = false;
        const bool inside = x >= 0 && x < Width() && y >= 0 && y < Height();
        FHot = inside;
        Invalidate();
        if (pressed && inside && !FDoublePress && OnClick) OnClick(*this);
        FDoublePress = false;
    }
    TGraphicControl::MouseUp(button, shift, x, y);
}

void TCustomButton::CaptureLost() {
    if (!FTracking) return;
    FTracking = false;
    FPressedLook = false;
    FHot = UnderPointer();
    Invalidate();
}

void TCustomButton::PerformClick() {
    if (!FClickPressTimer) {
        FClickPressTimer = std::make_unique<TTimer>();
        FClickPressTimer->SetInterval(PressAnimationMs);
        FClickPressTimer->OnTimer = [this] { EndClickPress(); };
    }
    FClickPress = true;
    // A second click within the moment shows its own full moment.
    FClickPressTimer->Stop();
    FClickPressTimer->Start();
    Repaint();
    // The handler may rebind, restyle or hide this button: nothing after it.
    if (OnClick) OnClick(*this);
}

void TCustomButton::EndClickPress() {
    FClickPressTimer->Stop();
    if (!FClickPress) return;
    FClickPress = false;
    Invalidate();
}

// --- TCustomIconButton ---

void TCustomIconButton::SetLargeIcon(bool large) {
    if (large == FLargeIcon) return;
    FLargeIcon = large;
    bool repaint = true;
    LargeIconChanged(repaint);
    if (repaint) Invalidate();
}

int TCustomIconButton::IconSize() const { return IconDrawSize(FLargeIcon, Width(), WindowDpi(ParentHandle())); }

HICON TCustomIconButton::IconToDraw(int& size) const {
    size = IconSize();
    return IconHandle();
}

void TCustomIconButton::DrawIconCentred(HDC dc, HICON icon, int size) const {
    const TBounds at = IconPlacement(Width(), Height(), size, DrawnDown());
    DrawIconEx(dc, at.Left, at.Top, icon, size, size, 0, nullptr, DI_NORMAL);
}

void TCustomIconButton::PaintContent(HDC dc) {
    int size = 0;
    if (HICON icon = IconToDraw(size)) DrawIconCentred(dc, icon, size);
}

// --- TIconButton ---

void TIconButton::SetIcon(HICON icon) {
    TakeIcon(icon ? CopyIcon(icon) : nullptr);
    Invalidate();
}

void TIconButton::SetSharedIcon(TSharedIcon icon) {
    ShareIcon(std::move(icon));
    Invalidate();
}
