// The field that shows and takes one key combination (the hot-key and
// shortcut fields of the settings dialog): a read-only edit whose text is
// "Ctrl + Alt + A" or "なし". A key pressed in it, with the Shift, Ctrl and
// Alt held at that moment, becomes the combination and goes no further; a
// modifier pressed alone counts as a key. Nothing can be typed or pasted in.
//
// Tab and Shift+Tab still move the focus on (in a dialog the dialog manager
// does it, elsewhere the field itself), or a keyboard user could never leave
// the field; Tab with Ctrl or Alt held is taken like any other key.
#pragma once

#include <cstdint>
#include <string>

#include "controls/std_control.h"

class THotKeyEx : public TStdControl {
public:
    ~THotKeyEx() override = default;
    bool Create(HWND parent, int left, int top, int width, int height, int id = 0);

    uint16_t HotKey() const { return FHotKey; }
    // Shows the combination; OnChange is for the user's changes only.
    void SetHotKey(uint16_t hotKey);
    // A key press gave another combination.
    TNotifyEvent OnChange;

    // The text shown for a combination: a key without a name in the key
    // text shows as the keyboard layout names it.
    static std::string DisplayText(uint16_t hotKey);

protected:
    void Attached() override;
    LRESULT HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) override;
    bool HandleReflected(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result) override;

private:
    void KeyDown(UINT msg, WPARAM key, LPARAM lParam);
    void MoveFocus(bool backwards);
    void ShowText();

    uint16_t FHotKey = 0;
};
