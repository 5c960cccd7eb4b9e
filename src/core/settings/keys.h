// The 40 actions that can be bound to a key, the text form of key
// combinations, and the default key definitions.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

constexpr int32_t ActionCount = 40;

// Key combination: virtual-key code in the low byte plus these modifier bits;
// 0 is no key.
constexpr uint16_t KeyShift = 0x2000;
constexpr uint16_t KeyCtrl = 0x4000;
constexpr uint16_t KeyAlt = 0x8000;

// Action indexes that other code refers to by number.
constexpr int32_t ActionActivate = 0;
constexpr int32_t ActionActivateKeyword = 1;
constexpr int32_t ActionMenu = 2;
constexpr int32_t ActionStopAutoRun = 26;
constexpr int32_t ActionOpenFolder = 27;
constexpr int32_t ActionScreenSaver = 28;
constexpr int32_t ActionShutdown = 29;
constexpr int32_t ActionReboot = 30;

struct TActionInfo {
    const char* Name;        // internal name; a menu key's menu item has this name
    const char* Caption;     // shown in the settings dialog
    bool HotKey;             // a global hot key rather than a menu shortcut
    const char* DefaultKey;  // key text of the default line; null: no default line
};

const std::array<TActionInfo, ActionCount>& ActionTable();
bool ActionHotKey(int32_t index);  // false for an index outside 0..39
// Index of the action named `name` (ignoring case), or -1.
int32_t IndexOfAction(std::string_view name);

// "Shift+Ctrl+Alt+<key>" with the modifiers in that order; empty for a key
// without a name of its own (or none).
std::string ShortCutToText(uint16_t shortCut);
// Modifiers "Shift+", "Ctrl+" (or "^"), "Alt+" in any order, then a key name,
// all ignoring case. "*None" and anything else that does not parse give 0.
uint16_t TextToShortCut(std::string_view text);

// Clears the list and fills it with the 37 default "name=key" lines.
void SetDefaultShortCuts(std::vector<std::string>& list);

// Gives every action that has no value in `shortCuts` its default line, in
// action order; actions without a default line stay without one. Run at
// start-up once the settings are read, so the first save writes the keys.
void CompleteShortCuts(std::vector<std::string>& shortCuts);

// CompleteShortCuts, then the key combination of each of the 40 actions
// (0 where the text does not parse). The caller registers hot keys for the
// actions with ActionHotKey and sets menu shortcuts for the others.
std::array<uint16_t, ActionCount> MergeKeyDefinitions(std::vector<std::string>& shortCuts);

// The hot-key field's text: the parts of the key text joined by " + "
// ("Ctrl + Alt + A"), and "なし" when there is no key (the low byte is 0). A
// key the key text has no name for shows as `otherKeyName` (the keyboard
// layout's name of it) or, when that is empty too, as its code ("0xE5"), so
// the field never looks empty while it holds a key.
std::string ShortCutToDisplayText(uint16_t shortCut, std::string_view otherKeyName = {});
