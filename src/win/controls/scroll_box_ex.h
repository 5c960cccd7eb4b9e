// The scroll box that hosts the entry panel: a vertical scroll bar in one of
// three looks, the content moving while the thumb is dragged, and a scroll
// event after every scroll message.
#pragma once

#include <windows.h>

#include <functional>

#include "controls/win_control.h"

enum TScrollBarKind { sbHorizontal, sbVertical };
enum TScrollBarStyle { ssRegular, ssFlat, ssHotTrack };
enum TScrollCode { scLineUp, scLineDown, scPageUp, scPageDown, scPosition, scTrack, scTop, scBottom, scEndScroll };

class TScrollBoxEx;
// `pos` is the position the message reported (the new position for codes
// without one); a handler that changes it moves the content there.
using TScrollEvent = std::function<void(TScrollBoxEx& sender, TScrollBarKind bar, TScrollCode code, int& pos)>;

// The width of the vertical scroll bar, as the layout must reckon with it.
int VerticalScrollBarWidth();

class TScrollBoxEx : public TWinControl {
public:
    TScrollBoxEx() : TWinControl(TBounds{0, 0, 185, 41}) {}
    ~TScrollBoxEx() override;

    // A visible child window of `parent`.
    bool Create(HWND parent, const TBounds& bounds);

    // The child window that is scrolled: kept at (0, -position), as wide as
    // the client area and as tall as the larger of the range and the client height.
    void SetContent(HWND content);
    HWND Content() const { return FContent; }

    // The height scrolled over; the bar shows only while it exceeds the
    // client height (0 hides it).
    int VertRange() const { return FRange; }
    void SetVertRange(int range);
    // Clamped to 0 .. range - client height.
    int VertPosition() const { return FPosition; }
    void SetVertPosition(int position);
    bool VertScrollBarVisible() const;

    // The content follows the thumb while it is dragged.
    bool VertTracking = true;
    bool HorzTracking = true;
    TScrollBarStyle ScrollBarStyle() const { return FStyle; }
    void SetScrollBarStyle(TScrollBarStyle style);
    // Smooth: a line step is a tenth of a page step instead of 8 pixels.
    bool Smooth() const { return FSmooth; }
    void SetSmooth(bool smooth) { FSmooth = smooth; }
    int LineStep() const;
    int PageStep() const;

    TScrollEvent OnScroll;

protected:
    LRESULT HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) override;
    void ClientResized(int width, int height) override;

private:
    int MaxPosition() const;
    void UpdateScrollInfo();
    void PlaceContent();
    void MoveTo(int position);
    int TrackPosition() const;
    void VerticalScroll(WORD code, int messagePos);

    HWND FContent = nullptr;
    int FRange = 0;
    int FPosition = 0;
    TScrollBarStyle FStyle = ssRegular;
    bool FSmooth = false;
    bool FFlatBars = false;   // the flat scroll-bar functions took the window
    bool FFlatTried = false;  // the common controls were asked for them
};
