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

bool WriteDword(HKEY key, DWORD value) {
    return RegSetValueExW(key, TAutoRunPolicy::ValueName, 0, REG_DWORD, reinterpret_cast<const BYTE*>(&value),
                          sizeof(value)) == ERROR_SUCCESS &&
           RegFlushKey(key) == ERROR_SUCCESS;
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
    const bool done = enable ? ClearCdRomBit() : SetCdRomBit();
    AnnounceChange();
    SetCursor(old);
    return done;
}

// Nothing set is AutoRun on: there is nothing to clear then.
bool TAutoRunPolicy::ClearCdRomBit() const {
    TRegKey key;
    const LONG opened = RegOpenKeyExW(HKEY_CURRENT_USER, FKey.c_str(), 0, KEY_QUERY_VALUE | KEY_SET_VALUE, key.Put());
    if (opened == ERROR_FILE_NOT_FOUND) return true;
    if (opened != ERROR_SUCCESS) return false;
    DWORD type = 0;
    if (RegQueryValueExW(key.Get(), ValueName, nullptr, &type, nullptr, nullptr) == ERROR_FILE_NOT_FOUND) return true;
    DWORD value = 0;
    return ReadDword(key.Get(), value) && WriteDword(key.Get(), AutoRunPolicyValue(value, true));
}

// A system nobody set the policy on (a stock Windows 10 or 11) has neither
// the value nor, often, the key: both are made, the other drive types keeping
// the system's default. A value of another type is another program's: it stays.
bool TAutoRunPolicy::SetCdRomBit() const {
    TRegKey key;
    if (RegCreateKeyExW(HKEY_CURRENT_USER, FKey.c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE,
                        KEY_QUERY_VALUE | KEY_SET_VALUE, nullptr, key.Put(), nullptr) != ERROR_SUCCESS)
        return false;
    DWORD value = SystemDefault;
    DWORD type = 0;
    const bool missing =
        RegQueryValueExW(key.Get(), ValueName, nullptr, &type, nullptr, nullptr) == ERROR_FILE_NOT_FOUND;
    if (!missing && !ReadDword(key.Get(), value)) return false;
    return WriteDword(key.Get(), AutoRunPolicyValue(value, false));
}

std::string DriveRoot(int driveIndex) { return std::string(1, static_cast<char>('A' + driveIndex)) + ":\\"; }

bool IsCdRomDrive(int driveIndex) {
    return driveIndex >= 0 && driveIndex < 26 && GetDriveTypeW(Widen(DriveRoot(driveIndex)).c_str()) == DRIVE_CDROM;
}
