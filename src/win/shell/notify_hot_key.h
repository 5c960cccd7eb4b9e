// System-wide hot keys: they reach the program even while another program
// is active. Either one key (identifier 0, reported as index -1) or, with
// MultiHotKey, 32 numbered keys (identifiers 1..32, reported as 0..31).
#pragma once

#include <windows.h>

#include <array>
#include <cstdint>
#include <functional>
#include <memory>

#include "controls/component.h"

class TNotifyHotKey : public TComponent {
public:
    static constexpr int HotKeyCount = 32;

    TNotifyHotKey();
    ~TNotifyHotKey() override;

    // Only whether OnHotKey is called: the keys stay registered, so other
    // programs still cannot take them.
    bool Enabled() const { return FEnabled; }
    void SetEnabled(bool enabled) { FEnabled = enabled; }

    // Key combinations as the key definitions store them (virtual key in the
    // low byte, KeyShift/KeyCtrl/KeyAlt); 0 is none. Every setter releases
    // all keys and registers them again.
    uint16_t HotKey() const { return FHotKey; }
    void SetHotKey(uint16_t key);
    bool MultiHotKey() const { return FMultiHotKey; }
    void SetMultiHotKey(bool multi);
    // Index 0..31; any other throws EVantorError.
    uint16_t HotKeys(int index) const;
    void SetHotKeys(int index, uint16_t key);
    // All 32 at once, with one release and one registration.
    void SetAllHotKeys(const std::array<uint16_t, HotKeyCount>& keys);

    // Whether the system accepted the key of this index (-1: the single
    // key); false for a key that is not in use or that another program
    // holds. Any other index throws EVantorError.
    bool Registered(int index) const;

    // The hidden window the keys are registered for.
    HWND WindowHandle() const;

    std::function<void(TNotifyHotKey& sender, int index)> OnHotKey;

private:
    class TMessageWindow;
    friend class TMessageWindow;

    void ReleaseAll();
    void RegisterAll();
    void Register(int id, uint16_t key);
    void KeyPressed(int id);

    std::unique_ptr<TMessageWindow> FWindow;
    bool FEnabled = true;
    uint16_t FHotKey = 0;
    bool FMultiHotKey = false;
    std::array<uint16_t, HotKeyCount> FHotKeys{};
    // By identifier: 0 the single key, 1..32 the numbered ones.
    std::array<bool, HotKeyCount + 1> FRegistered{};
};
