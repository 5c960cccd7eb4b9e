#include "shell/notify_hot_key.h"

#include <string>

#include "base/log.h"
#include "base/window.h"
#include "errors.h"
#include "settings/keys.h"

namespace {

const char InvalidIndexMessage[] = "無効なインデックスです。";

void CheckIndex(int index) {
    if (index < 0 || index >= TNotifyHotKey::HotKeyCount) throw EVantorError(InvalidIndexMessage);
}

UINT Modifiers(uint16_t key) {
    UINT modifiers = 0;
    if (key & KeyAlt) modifiers |= MOD_ALT;
    if (key & KeyCtrl) modifiers |= MOD_CONTROL;
    if (key & KeyShift) modifiers |= MOD_SHIFT;
    return modifiers;
}

}  // namespace

// WM_HOTKEY needs no more than a message-only window.
class TNotifyHotKey::TMessageWindow : public TWindow {
public:
    explicit TMessageWindow(TNotifyHotKey& owner) : FOwner(owner) {
        if (!CreateHandle(L"TVantorNotifyHotKey", 0, 0, L"", 0, 0, 0, 0, HWND_MESSAGE))
            LogSwallowed("hot keys: no window to receive them");
    }
    ~TMessageWindow() override { DestroyHandle(); }

protected:
    LRESULT HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) override {
        if (msg == WM_HOTKEY) FOwner.KeyPressed(static_cast<int>(wParam));
        return DefaultHandler(msg, wParam, lParam);
    }

private:
    TNotifyHotKey& FOwner;
};

TNotifyHotKey::TNotifyHotKey() : FWindow(std::make_unique<TMessageWindow>(*this)) {}

TNotifyHotKey::~TNotifyHotKey() {
    // Whatever Enabled says: a key must not stay taken after the program.
    ReleaseAll();
    FWindow.reset();
}

HWND TNotifyHotKey::WindowHandle() const { return FWindow ? FWindow->Handle() : nullptr; }

void TNotifyHotKey::SetHotKey(uint16_t key) {
    ReleaseAll();
    FHotKey = key;
    RegisterAll();
}

void TNotifyHotKey::SetMultiHotKey(bool multi) {
    ReleaseAll();
    FMultiHotKey = multi;
    RegisterAll();
}

uint16_t TNotifyHotKey::HotKeys(int index) const {
    CheckIndex(index);
    return FHotKeys[static_cast<size_t>(index)];
}

void TNotifyHotKey::SetHotKeys(int index, uint16_t key) {
    CheckIndex(index);
    ReleaseAll();
    FHotKeys[static_cast<size_t>(index)] = key;
    RegisterAll();
}

void TNotifyHotKey::SetAllHotKeys(const std::array<uint16_t, HotKeyCount>& keys) {
    ReleaseAll();
    FHotKeys = keys;
    RegisterAll();
}

bool TNotifyHotKey::Registered(int index) const {
    if (index != -1) CheckIndex(index);
    return FRegistered[static_cast<size_t>(index + 1)];
}

// By what was registered, not by the settings: the mode may just have
// changed.
void TNotifyHotKey::ReleaseAll() {
    for (size_t id = 0; id < FRegistered.size(); ++id) {
        if (!FRegistered[id]) continue;
        if (!UnregisterHotKey(WindowHandle(), static_cast<int>(id))) LogSwallowed("hot keys: a key was not released");
        FRegistered[id] = false;
    }
}

void TNotifyHotKey::RegisterAll() {
    if (FMultiHotKey) {
        for (int i = 0; i < HotKeyCount; ++i)
            if (FHotKeys[static_cast<size_t>(i)] != 0) Register(i + 1, FHotKeys[static_cast<size_t>(i)]);
    } else if (FHotKey != 0) {
        Register(0, FHotKey);
    }
}

void TNotifyHotKey::Register(int id, uint16_t key) {
    const bool ok = WindowHandle() && RegisterHotKey(WindowHandle(), id, Modifiers(key), key & 0xFF);
    FRegistered[static_cast<size_t>(id)] = ok;
    // The program goes on without the key; Registered tells the settings.
    if (!ok) {
        const std::string where = "hot keys: " + ShortCutToText(key) + " (identifier " + std::to_string(id) +
                                  ") is taken by another program or not accepted";
        LogSwallowed(where.c_str());
    }
}

void TNotifyHotKey::KeyPressed(int id) {
    // Negative identifiers are the system's own; others are not ours.
    if (id < 0 || id > HotKeyCount) return;
    if (FEnabled && OnHotKey) OnHotKey(*this, id - 1);
}
