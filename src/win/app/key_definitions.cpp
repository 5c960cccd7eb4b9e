#include "app/key_definitions.h"

#include "base/log.h"
#include "commands/menu_rules.h"
#include "text/text.h"

uint16_t KeyWithModifiers(WPARAM virtualKey) {
    uint16_t key = static_cast<uint16_t>(virtualKey & 0xFF);
    if (GetKeyState(VK_SHIFT) < 0) key |= KeyShift;
    if (GetKeyState(VK_CONTROL) < 0) key |= KeyCtrl;
    if (GetKeyState(VK_MENU) < 0) key |= KeyAlt;
    return key;
}

TKeyDefinitions::TKeyDefinitions() {
    FHotKeys.SetMultiHotKey(true);
    FHotKeys.OnHotKey = [this](TNotifyHotKey&, int index) {
        if (OnHotKey && ActionHotKey(index)) OnHotKey(index);
    };
}

void TKeyDefinitions::Apply(std::vector<std::string>& shortCuts) {
    FKeys = MergeKeyDefinitions(shortCuts);
    // The hot-key number is the action's index.
    std::array<uint16_t, TNotifyHotKey::HotKeyCount> hotKeys{};
    for (int32_t i = 0; i < ActionCount && i < TNotifyHotKey::HotKeyCount; ++i)
        if (ActionHotKey(i)) hotKeys[i] = FKeys[i];
    FHotKeys.SetAllHotKeys(hotKeys);
    for (int32_t i = 0; i < ActionCount; ++i) {
        if (!ActionHotKey(i)) continue;
        // The program goes on without it; the settings dialog can mark it.
        if (FKeys[i] && !FHotKeys.Registered(i))
            LogSwallowed(
                Format("hot key %s of %s is taken by another program", ShortCutToText(FKeys[i]), ActionTable()[i].Name)
                    .c_str());
    }
}

bool TKeyDefinitions::HotKeyRegistered(int32_t action) const {
    return ActionHotKey(action) && FHotKeys.Registered(action);
}

bool TKeyDefinitions::TranslateShortCut(const MSG& msg, HWND window) {
    if (msg.message != WM_KEYDOWN && msg.message != WM_SYSKEYDOWN) return false;
    if (!window || (msg.hwnd != window && !IsChild(window, msg.hwnd))) return false;
    const uint16_t key = KeyWithModifiers(msg.wParam);
    // An edit box (the keyword bar's) keeps the keys it edits its text with.
    wchar_t className[16] = {};
    GetClassNameW(msg.hwnd, className, 16);
    if (lstrcmpiW(className, L"Edit") == 0 && IsTextEditingKey(key)) return false;
    for (int32_t i = 0; i < ActionCount; ++i) {
        if (ActionHotKey(i) || FKeys[i] != key) continue;
        if (OnShortCut && OnShortCut(i)) return true;
    }
    return false;
}
