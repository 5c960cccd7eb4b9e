// The stored placement of a window (position, size, maximised state and the
// current folder) in a section of the settings file, as the placement keeper
// of each window loads and saves it. The window side takes the values from and
// applies them to the real window.
#pragma once

#include <cstdint>
#include <string>

#include "settings/profile.h"

// What a keeper keeps (a set of these bits).
constexpr uint8_t KeepBounds = 1;
constexpr uint8_t KeepMaximize = 2;
constexpr uint8_t KeepCurrentDir = 4;
constexpr uint8_t KeepAll = KeepBounds | KeepMaximize | KeepCurrentDir;

struct TPlacement {
    int32_t Left = 0, Top = 0, Width = 0, Height = 0;
    bool Maximized = false;
    std::string CurrentDir;
};

// Reads the kept values; each one missing (or unparsable) stays as in
// `current`, the window's present state.
TPlacement LoadPlacement(const TProfile& ini, const std::string& section, uint8_t keepStyle, const TPlacement& current);

// Erases the section (so values no longer kept disappear), then writes the
// kept values. For a maximised window the caller passes its restored (normal)
// rectangle as Left, Top, Width, Height.
void SavePlacement(TProfile& ini, const std::string& section, uint8_t keepStyle, const TPlacement& placement);

// The keeper's configuration with its own defaults; the setters of the names
// ignore an empty value.
class TLocationKeeperConfig {
public:
    bool CheckCmdShow = true;
    bool Enabled = true;
    bool KeepInIniFile = false;  // false: the registry-like per-user store
    uint8_t KeepStyle = KeepAll;

    const std::string& FileName() const { return FFileName; }
    const std::string& ProductName() const { return FProductName; }
    const std::string& ProviderName() const { return FProviderName; }
    const std::string& SectionName() const { return FSectionName; }
    void SetFileName(const std::string& value);
    void SetProductName(const std::string& value);
    void SetProviderName(const std::string& value);
    void SetSectionName(const std::string& value);

    // The ini file: FileName, or the program folder + FileName when it has no
    // folder part.
    std::string IniPath(const std::string& programFolder) const;
    // "\Software\<ProviderName>\<ProductName>" for the per-user store.
    std::string RegistryKey() const;

private:
    std::string FFileName = "Plexa.ini";
    std::string FProductName = "Plexa";
    std::string FProviderName = "Plexa Program Settings";
    std::string FSectionName = "Locations";
};
