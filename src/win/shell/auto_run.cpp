#include "shell/auto_run.h"

#include <windows.h>

#include "base/win_text.h"
#include "menus/system_button_rules.h"

namespace {

class TRegKey {
public:
    TRegKey() = default;
    ~TRegKey() {
        if (FKey) RegCloseKey(FKey);
    }
    TRegKey(const TRegKey&) = delete;
    TRegKey& operator=(const TRegKey&) = delete;
    HKEY* Put() { return &FKey; }
    HKEY Get() const { return FKey; }

private:
    HKEY FKey = nullptr;
};

bool ReadDword(HKEY key, DWORD& value) {
    DWORD type = 0;
    DWORD size = sizeof(value);
    return RegQueryValueExW(key, TAutoRunPolicy::ValueName, nullptr, &type, reinterpret_cast<BYTE*>(&value), &size) ==
               ERROR_SUCCESS &&
           type == REG_DWORD && size == sizeof(value);
}

// Windows with a hung message loop must not hold the program up.
void AnnounceChange() {
    DWORD_PTR result = 0;
    SendMessageTimeoutW(HWND_BROADCAST, WM_WININICHANGE, 0, 0, SMTO_ABORTIFHUNG, 2000, &result);
}

}  // namespace

bool TAutoRunPolicy::IsEnabled() const {
    TRegKey key;
    DWORD value = 0;
    if (RegOpenKeyExW(HKEY_CURRENT_USER, FKey.c_str(), 0, KEY_QUERY_VALUE, key.Put()) != ERROR_SUCCESS) return true;
    return !ReadDword(key.Get(), value) || !(value & AutoRunCdRomBit);
}

bool TAutoRunPolicy::SetEnabled(bool enable) const {
    HCURSOR old = SetCursor(LoadCursor(nullptr, IDC_WAIT));
    TRegKey key;
    bool done = false;
    if (RegCreateKeyExW(HKEY_CURRENT_USER, FKey.c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE,
                        KEY_QUERY_VALUE | KEY_SET_VALUE, nullptr, key.Put(), nullptr) == ERROR_SUCCESS) {
        DWORD value = 0;
        if (ReadDword(key.Get(), value)) {
            value = AutoRunPolicyValue(value, enable);
            done = RegSetValueExW(key.Get(), ValueName, 0, REG_DWORD, reinterpret_cast<const BYTE*>(&value),
                                  sizeof(value)) == ERROR_SUCCESS &&
                   RegFlushKey(key.Get()) == ERROR_SUCCESS;
        }
    }
    AnnounceChange();
    SetCursor(old);
    return done;
}

std::string DriveRoot(int driveIndex) { return std::string(1, static_cast<char>('A' + driveIndex)) + ":\\"; }

bool IsCdRomDrive(int driveIndex) {
    return driveIndex >= 0 && driveIndex < 26 && GetDriveTypeW(Widen(DriveRoot(driveIndex)).c_str()) == DRIVE_CDROM;
}
