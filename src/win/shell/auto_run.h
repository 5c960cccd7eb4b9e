// The user's AutoRun policy for CD-ROM drives: one bit of the value
// "NoDriveTypeAutoRun" of the Explorer policies key under HKEY_CURRENT_USER;
// every other bit of the value is left as it is.
#pragma once

#include <string>

class TAutoRunPolicy {
public:
    static constexpr wchar_t DefaultKey[] = L"Software\\Microsoft\\Windows\\CurrentVersion\\Policies\\Explorer";
    static constexpr wchar_t ValueName[] = L"NoDriveTypeAutoRun";
    // What the system does while nobody has set the value: no AutoRun for
    // unknown, network and unknown-type drives.
    static constexpr unsigned long SystemDefault = 0x91;

    // The key under HKEY_CURRENT_USER (tests use a key of their own).
    explicit TAutoRunPolicy(std::wstring key = DefaultKey) : FKey(std::move(key)) {}

    // True unless the value is there and stops CD-ROMs: a missing key or
    // value, or one of another type, leaves AutoRun on.
    bool IsEnabled() const;
    // Sets or clears the CD-ROM bit of the value. Stopping AutoRun where the
    // value is missing makes it (and the key) from the system's default;
    // starting it there has nothing to do. False when the key cannot be
    // opened or made, or the value cannot be read as a number or written.
    // The other programs hear of the change in every case.
    bool SetEnabled(bool enable) const;

private:
    bool ClearCdRomBit() const;
    bool SetCdRomBit() const;

    std::wstring FKey;
};

// "X:\" for the drives A..Z (index 0..25) that are CD-ROM drives.
bool IsCdRomDrive(int driveIndex);
std::string DriveRoot(int driveIndex);
