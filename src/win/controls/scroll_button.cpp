#include "controls/scroll_button.h"

namespace {

constexpr unsigned RepeatInterval = 100;

UINT ArrowState(TScrollButtonKind kind) {
    switch (kind) {
        case bkUp:
            return DFCS_SCROLLUP;
        case bkRight:
            return DFCS_SCROLLRIGHT;
        case bkDown:
            return DFCS_SCROLLDOWN;
        case bkLeft:
        default:
            return DFCS_SCROLLLEFT;
    }
}

}  // namespace

TScrollButton::TScrollButton() {
    SetBounds(0, 0, 16, 32);
    SetTransparent(true);
    FRepeatTimer.SetInterval(RepeatInterval);
    FRepeatTimer.OnTimer = [this] { RepeatTick(); };
}

void TScrollButton::SetKind(TScrollButtonKind kind) {
    if (kind == FKind) return;
    FKind = kind;
    Invalidate();
}

// The platform's arrow frame is drawn larger than the button so only its
// glyph shows; pressed, the glyph moves one pixel right and down.
void TScrollButton::Paint(HDC dc) {
    const bool pressed = FState.DrawnPressed(Hot(), Enabled());
    const TRect glyph = ScrollArrowGlyphRect(Width(), Height(), pressed);
    RECT r{glyph.Left, glyph.Top, glyph.Right, glyph.Bottom};
    UINT state = ArrowState(FKind) | DFCS_FLAT;
    if (!Enabled()) state |= DFCS_INACTIVE;
    DrawFrameControl(dc, &r, DFC_SCROLL, state);
    DrawFrame(dc, pressed);
    if (OnPaint) OnPaint(*this, dc);
}

void TScrollButton::Apply(const TScrollButtonAction& action) {
    if (action.StartTimer) FRepeatTimer.Start();
    if (action.StopTimer) FRepeatTimer.Stop();
    if (action.Repaint) Invalidate();
    if (action.FireScroll && OnScroll && Enabled()) OnScroll(*this);
}

void TScrollButton::PointerEntered() { Apply(FState.PointerEnter()); }

void TScrollButton::PointerLeft() { Apply(FState.PointerLeave()); }

void TScrollButton::MouseDown(TMouseButton button, TShiftState shift, int x, int y) {
    TCustomButton::MouseDown(button, shift, x, y);
    if (button == mbLeft) Apply(FState.LeftDown(Enabled()));
}

void TScrollButton::MouseUp(TMouseButton button, TShiftState shift, int x, int y) {
    TCustomButton::MouseUp(button, shift, x, y);
    if (button == mbLeft) Apply(FState.LeftUp());
}

void TScrollButton::CaptureLost() {
    TCustomButton::CaptureLost();
    Apply(FState.LeftUp());
}

void TScrollButton::RepeatTick() {
    const bool over = Host() && Host()->ControlUnderPointer() == this;
    if (FState.TimerTickFires(over, Enabled()) && OnScroll) OnScroll(*this);
}
