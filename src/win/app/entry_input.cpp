// The keyboard, the wheel and the titles of the main window: the arrow keys
// move the focus frame over the current page (with Shift they resize the
// window, with Ctrl they move it as a drag of its background would), Enter
// starts the focused entry, the page keys and the wheel switch pages, and a
// click on an entry's title starts the entry.
#include <windowsx.h>

#include "app/vantor.h"
#include "layout/focus.h"

namespace {

constexpr int kResizeStep = 8;
constexpr int kMoveStep = 16;
constexpr int kWheelScroll = 32;

struct TArrow {
    TFocusMove Move;
    int DX;
    int DY;
};

bool ArrowOf(WORD key, TArrow& arrow) {
    switch (key) {
        case VK_LEFT:
            arrow = TArrow{TFocusMove::Left, -1, 0};
            return true;
        case VK_RIGHT:
            arrow = TArrow{TFocusMove::Right, 1, 0};
            return true;
        case VK_UP:
            arrow = TArrow{TFocusMove::Up, 0, -1};
            return true;
        case VK_DOWN:
            arrow = TArrow{TFocusMove::Down, 0, 1};
            return true;
        case VK_HOME:
            arrow = TArrow{TFocusMove::First, 0, 0};
            return true;
        case VK_END:
            arrow = TArrow{TFocusMove::Last, 0, 0};
            return true;
        default:
            return false;
    }
}

}  // namespace

void TVantor::ConnectKeyEvents() {
    ScrollBox.OnKeyDown = [this](TComponent&, WORD& key, TShiftState shift) { FormKeyDown(key, shift); };
    // The frame shows where the keyboard is, and only there.
    ScrollBox.OnEnter = [this](TComponent&) { FMainView.SetFocusFrameShown(true); };
    ScrollBox.OnExit = [this](TComponent&) { FMainView.SetFocusFrameShown(false); };
    // A press on an entry brings the keyboard back from a bar, as one on the
    // background does: the entry commands then act on this page.
    FMainView.OnEntryPress = [this](int) {
        if (IsWindowVisible(PTexture.Handle())) SetFocus(ScrollBox.Handle());
    };
}

// The window has no control of its own that takes keys: whatever gives it the
// focus (activation, a click on the frame) puts the keyboard on the entries.
void TVantor::WMSetFocus() {
    if (PoolsExist()) SetFocus(ScrollBox.Handle());
}

void TVantor::FormKeyDown(WORD& key, TShiftState shift) {
    if (!PoolsExist()) return;
    const int before = CurrentButton;
    TArrow arrow{};
    if (key == VK_APPS || (key == VK_F10 && (shift & ssShift))) {
        // The keyboard's way to the focused entry's menu.
        key = 0;
        FEntryMenu.PopupForFocus();
        return;
    }
    if (key == VK_RETURN) {
        const int entry = FMainView.FocusEntry();
        if (entry >= 0) FMainView.Button(entry)->PerformClick();
    } else if (ArrowOf(key, arrow)) {
        const bool moveKey = arrow.DX != 0 || arrow.DY != 0;
        if (moveKey && (shift & ssCtrl)) {
            // As a drag by (dx, dy) would: the window stays against an edge.
            FormMouseDown(nullptr, mbLeft, ssLeft, 0, 0);
            FormMouseMove(nullptr, ssLeft, arrow.DX * kMoveStep, arrow.DY * kMoveStep);
            FormMouseUp(nullptr, mbLeft, ssLeft, arrow.DX * kMoveStep, arrow.DY * kMoveStep);
        } else if (moveKey && (shift & ssShift)) {
            RECT r{};
            GetWindowRect(Handle(), &r);
            SetWindowPos(Handle(), nullptr, 0, 0, r.right - r.left + arrow.DX * kResizeStep,
                         r.bottom - r.top + arrow.DY * kResizeStep, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
        } else {
            CurrentButton = FMainView.MoveFocus(CurrentButton, arrow.Move);
        }
    } else {
        const int page = PageForKey(key, MainPages().CurrentPage(), MainPages().Count());
        if (page < 0) return;
        SelectPageByUser(page);
    }
    key = 0;
    const TVantorPage* page = CurrentMainPage();
    const int count = page ? static_cast<int>(page->Count()) : 0;
    if (CurrentButton < 0 || CurrentButton >= count) CurrentButton = before;
    if (CurrentButton != before) PlaceFocusFrame(true);
}

void TVantor::SelectPageByUser(int index) {
    FUserPageSwitch = true;
    TabSet.SetTabIndex(index);  // switches the page through TabSetChange
    FUserPageSwitch = false;
}

void TVantor::PlaceFocusFrame(bool scrollIntoView) {
    if (!PoolsExist()) return;
    const int entry = FMainView.PlaceFocusFrame(CurrentButton);
    if (entry < 0) return;  // no launcher entry: the focus stays as it was
    CurrentButton = entry;
    if (!scrollIntoView) return;
    ScrollBox.SetVertPosition(
        ScrollToShowCell(ScrollBox.VertPosition(), ScrollBox.ClientHeight(), FMainView.EntryRect(entry)));
    PTexture.Update();
}

void TVantor::WMMouseWheel(WPARAM wParam, LPARAM lParam) {
    FormMouseWheel(GET_WHEEL_DELTA_WPARAM(wParam), MouseShiftState(GET_KEYSTATE_WPARAM(wParam)),
                   POINT{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)});
}

// The wheel reaches the window with the focus; the window under the pointer
// decides what it does.
void TVantor::FormMouseWheel(int delta, TShiftState shift, POINT screen) {
    if (delta == 0 || !PoolsExist()) return;
    const int step = delta < 0 ? 1 : -1;  // towards the user: down, the next page
    const HWND under = WindowFromPoint(screen);
    if (TFormFloat* bar = FBars.BarUnder(under)) return bar->Wheel(delta);
    if (under != PTexture.Handle()) return;
    if ((shift & ssCtrl) && ScrollBox.VertScrollBarVisible()) {
        ScrollBox.SetVertPosition(ScrollBox.VertPosition() + step * kWheelScroll);
        return;
    }
    SelectPageByUser(TabSet.TabIndex() + step);
}

// ---------------------------------------------------------------- titles

// The titles are painted on the panel, not controls: the panel's own pointer
// events find them. A title clicks like its button, so a press that started
// elsewhere (a drag of the window) starts nothing.
void TVantor::TitleMouseDown(TComponent* sender, TMouseButton button, int x, int y) {
    if (sender != &PTexture || button != mbLeft) return;
    FPressedTitle = FMainView.TitleAt(x, y);
}

void TVantor::TitleMouseMove(TComponent* sender, int x, int y) {
    if (sender != &PTexture) return;
    const int hot = FMainView.TitleAt(x, y);
    const bool hand = hot >= 0;
    const bool wasHand = FHotTitle >= 0;
    FHotTitle = hot;
    if (hand == wasHand) return;
    PTexture.Cursor = hand ? LoadCursor(nullptr, IDC_HAND) : nullptr;
    SetCursor(hand ? PTexture.Cursor : LoadCursor(nullptr, IDC_ARROW));
}

void TVantor::TitleMouseUp(TComponent* sender, TMouseButton button, int x, int y) {
    if (sender != &PTexture || button != mbLeft) return;
    const int pressed = FPressedTitle;
    FPressedTitle = -1;
    if (pressed >= 0 && FMainView.TitleAt(x, y) == pressed) FMainView.Button(pressed)->PerformClick();
}
