#include "settings/placement.h"

#include "text/text.h"

TPlacement LoadPlacement(const TProfile& ini, const std::string& section, uint8_t keepStyle,
                         const TPlacement& current) {
    TPlacement placement = current;
    if (keepStyle & KeepBounds) {
        placement.Left = ini.ReadInteger(section, "Left", current.Left);
        placement.Top = ini.ReadInteger(section, "Top", current.Top);
        placement.Width = ini.ReadInteger(section, "Width", current.Width);
        placement.Height = ini.ReadInteger(section, "Height", current.Height);
    }
    if (keepStyle & KeepMaximize) placement.Maximized = ini.ReadBool(section, "Maximized", current.Maximized);
    if (keepStyle & KeepCurrentDir) placement.CurrentDir = ini.ReadString(section, "CurrentDir", current.CurrentDir);
    return placement;
}

void SavePlacement(TProfile& ini, const std::string& section, uint8_t keepStyle, const TPlacement& placement) {
    ini.EraseSection(section);
    if (keepStyle & KeepMaximize) ini.WriteBool(section, "Maximized", placement.Maximized);
    if (keepStyle & KeepBounds) {
        ini.WriteInteger(section, "Left", placement.Left);
        ini.WriteInteger(section, "Top", placement.Top);
        ini.WriteInteger(section, "Width", placement.Width);
        ini.WriteInteger(section, "Height", placement.Height);
    }
    if (keepStyle & KeepCurrentDir) ini.WriteString(section, "CurrentDir", placement.CurrentDir);
}

void TLocationKeeperConfig::SetFileName(const std::string& value) {
    if (!value.empty()) FFileName = value;
}

void TLocationKeeperConfig::SetProductName(const std::string& value) {
    if (!value.empty()) FProductName = value;
}

void TLocationKeeperConfig::SetProviderName(const std::string& value) {
    if (!value.empty()) FProviderName = value;
}

void TLocationKeeperConfig::SetSectionName(const std::string& value) {
    if (!value.empty()) FSectionName = value;
}

std::string TLocationKeeperConfig::IniPath(const std::string& programFolder) const {
    if (ExtractFilePath(FFileName).empty()) return IncludeTrailingBackslash(programFolder) + FFileName;
    return FFileName;
}

std::string TLocationKeeperConfig::RegistryKey() const { return "\\Software\\" + FProviderName + "\\" + FProductName; }
