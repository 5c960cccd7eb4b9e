// What every control of the program shares: a common base for event senders
// and drag sources, colours in the settings file's encoding, and the mouse
// event types.
#pragma once

#include <windows.h>

#include <cstdint>
#include <functional>

// Base of every control, so events can name their sender and a drag its
// source; handlers tell controls apart by Tag or dynamic_cast.
class TComponent {
public:
    TComponent() = default;
    virtual ~TComponent() = default;
    TComponent(const TComponent&) = delete;
    TComponent& operator=(const TComponent&) = delete;

    intptr_t Tag = 0;
};

// Colours as the settings file stores them: an RGB value, or 0x80000000 plus
// a system colour index for the current scheme's colour.
using TColor = uint32_t;
constexpr TColor clSystemColor = 0x80000000;
constexpr TColor clBlack = 0x000000;
constexpr TColor clWindowText = clSystemColor | COLOR_WINDOWTEXT;
constexpr TColor clBtnFace = clSystemColor | COLOR_BTNFACE;
constexpr TColor clBtnShadow = clSystemColor | COLOR_BTNSHADOW;
constexpr TColor clBtnHighlight = clSystemColor | COLOR_BTNHIGHLIGHT;

inline COLORREF ColorToRGB(TColor color) {
    if (color & clSystemColor) return GetSysColor(static_cast<int>(color & 0xFF));
    return static_cast<COLORREF>(color & 0xFFFFFF);
}

enum TMouseButton { mbLeft, mbRight, mbMiddle };

// Keys and buttons held during a mouse or key event.
using TShiftState = unsigned;
constexpr TShiftState ssShift = 0x01;
constexpr TShiftState ssAlt = 0x02;
constexpr TShiftState ssCtrl = 0x04;
constexpr TShiftState ssLeft = 0x08;
constexpr TShiftState ssRight = 0x10;
constexpr TShiftState ssMiddle = 0x20;
constexpr TShiftState ssDouble = 0x40;

// From the key flags of a mouse message; Alt is read from the keyboard.
TShiftState MouseShiftState(WPARAM keyFlags);
// The modifier keys held now.
TShiftState KeyboardShiftState();

using TNotifyEvent = std::function<void(TComponent& sender)>;
using TMouseEvent = std::function<void(TComponent& sender, TMouseButton button, TShiftState shift, int x, int y)>;
using TMouseMoveEvent = std::function<void(TComponent& sender, TShiftState shift, int x, int y)>;
using TKeyEvent = std::function<void(TComponent& sender, WORD& key, TShiftState shift)>;
using TKeyPressEvent = std::function<void(TComponent& sender, wchar_t& key)>;

// The pointer events of every control, windowless or windowed; each fires
// with the control as sender.
struct TMouseEvents {
    TNotifyEvent OnClick;
    TNotifyEvent OnDblClick;
    TMouseEvent OnMouseDown;
    TMouseMoveEvent OnMouseMove;
    TMouseEvent OnMouseUp;
    TNotifyEvent OnMouseEnter;
    TNotifyEvent OnMouseExit;
};
