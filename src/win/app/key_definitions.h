// The key definitions at work: the eight global hot keys registered with the
// system, and the shortcut keys of the other actions, which work whenever
// the main window or one of its controls has the keyboard.
#pragma once

#include <windows.h>

#include <array>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "settings/keys.h"
#include "shell/notify_hot_key.h"

class TKeyDefinitions {
public:
    // A global hot key (by action index) was pressed.
    std::function<void(int32_t action)> OnHotKey;
    // A shortcut key of an action was pressed; true when the action ran (an
    // action without a command leaves the key to the window).
    std::function<bool(int32_t action)> OnShortCut;

    TKeyDefinitions();

    // Fills missing definitions from the defaults (so the next save writes
    // them), registers the hot keys and takes the shortcut keys.
    void Apply(std::vector<std::string>& shortCuts);
    // The key of an action now; 0 for none.
    uint16_t KeyOf(int32_t action) const { return FKeys[action]; }
    // Whether the system took a hot key action's key (false also for none).
    bool HotKeyRegistered(int32_t action) const;
    // While the settings dialog is open the hot keys raise nothing.
    void SetHotKeysEnabled(bool enabled) { FHotKeys.SetEnabled(enabled); }
    bool HotKeysEnabled() const { return FHotKeys.Enabled(); }

    // For the message loop: a key press meant for `window` or its controls
    // that is an action's shortcut runs the action and is used up.
    bool TranslateShortCut(const MSG& msg, HWND window);

private:
    TNotifyHotKey FHotKeys;
    std::array<uint16_t, ActionCount> FKeys{};
};

// The key combination of a key press with the modifiers held now.
uint16_t KeyWithModifiers(WPARAM virtualKey);
