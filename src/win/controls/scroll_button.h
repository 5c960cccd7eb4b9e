// The small arrow buttons at both ends of the tab strip and of the bars:
// one step per click, or repeated every 100 ms while held or while the
// pointer rests on them.
#pragma once

#include "base/timer.h"
#include "controls/custom_button.h"
#include "layout/tab_geometry.h"

class TScrollButton : public TCustomButton {
public:
    TScrollButton();  // 16 x 32, transparent

    bool AutoRepeat() const { return FState.Flags.AutoRepeat; }
    void SetAutoRepeat(bool value) { FState.Flags.AutoRepeat = value; }
    bool AutoScroll() const { return FState.Flags.AutoScroll; }
    void SetAutoScroll(bool value) { FState.Flags.AutoScroll = value; }
    TScrollButtonKind Kind() const { return FKind; }
    void SetKind(TScrollButtonKind kind);

    // One scroll step.
    TNotifyEvent OnScroll;

    // The repeat is running (the arrow is drawn pressed while the pointer is on it).
    bool Active() const { return FState.Active(); }
    bool RepeatTimerRunning() const { return FRepeatTimer.Enabled(); }

    void Paint(HDC dc) override;
    void MouseDown(TMouseButton button, TShiftState shift, int x, int y) override;
    void MouseUp(TMouseButton button, TShiftState shift, int x, int y) override;
    void CaptureLost() override;

protected:
    void PointerEntered() override;
    void PointerLeft() override;

private:
    void Apply(const TScrollButtonAction& action);
    void RepeatTick();

    TScrollButtonState FState;
    TTimer FRepeatTimer;
    TScrollButtonKind FKind = bkLeft;
};
