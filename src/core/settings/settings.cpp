#include "settings/settings.h"

#include <algorithm>
#include <cstdio>

#include "settings/keys.h"
#include "settings/sounds.h"
#include "text/text.h"

static const char SettingsSection[] = "Settings";
static const char ColorsSection[] = "Colors";
static const char DockOrderSection[] = "DockOrder";
static const char* const CornerKeys[4] = {"CornerCallLeftUp", "CornerCallRightUp", "CornerCallLeftDown",
                                          "CornerCallRightDown"};

static int32_t Clamp(int32_t value, int32_t low, int32_t high) { return std::min(std::max(value, low), high); }

static std::string NumberedKey(const char* prefix, size_t index) { return prefix + std::to_string(index); }

// ---- TSortedTextList ----

bool TSortedTextList::Add(const std::string& text) {
    if (text.empty()) return false;
    auto at = std::lower_bound(FItems.begin(), FItems.end(), text,
                               [](const std::string& a, const std::string& b) { return CompareText(a, b) < 0; });
    if (at != FItems.end() && CompareText(*at, text) == 0) return false;
    FItems.insert(at, text);
    return true;
}

int32_t TSortedTextList::IndexOf(std::string_view text) const {
    for (size_t i = 0; i < FItems.size(); ++i)
        if (CompareText(FItems[i], text) == 0) return static_cast<int32_t>(i);
    return -1;
}

void TSortedTextList::Delete(size_t index) {
    if (index < FItems.size()) FItems.erase(FItems.begin() + static_cast<std::ptrdiff_t>(index));
}

bool TSortedTextList::Remove(std::string_view text) {
    int32_t index = IndexOf(text);
    if (index < 0) return false;
    Delete(static_cast<size_t>(index));
    return true;
}

// ---- bars and colours ----

const char* BarSectionName(int32_t bar) {
    static const char* const names[BarCount] = {"SmartBar", "KeywordBar", "HistoryBar", "ResourceBar"};
    return bar >= 0 && bar < BarCount ? names[bar] : nullptr;
}

int32_t BarFromSectionName(std::string_view name) {
    for (int32_t bar = 0; bar < BarCount; ++bar)
        if (SameText(BarSectionName(bar), name)) return bar;
    return -1;
}

std::string ColorToText(uint32_t color) {
    char text[16];
    std::snprintf(text, sizeof text, "%06X", static_cast<unsigned>(color));
    return text;
}

uint32_t ColorFromText(std::string_view text) {
    int32_t value;
    return TryStrToInt("$" + std::string(text), value) ? static_cast<uint32_t>(value) : 0;
}

// ---- setters ----

TVantorSettings::TVantorSettings(TPlatform& platform) : Platform(platform) {
    FFontName = Platform.IsFontInstalled(DefaultFontName) ? DefaultFontName : FallbackFontName;
    SetDefaultShortCuts();
    SetDefaultSounds();
    SetDefaultCustomExts();
}

void TVantorSettings::SetDefaultShortCuts() { ::SetDefaultShortCuts(ShortCuts); }

void TVantorSettings::SetDefaultSounds() { ::SetDefaultSounds(Sounds); }

void TVantorSettings::SetDefaultCustomExts() {
    CustomExts.Clear();
    for (const char* ext : {".chm", ".doc", ".hlp", ".htm", ".html", ".lzh", ".txt", ".zip"}) CustomExts.Add(ext);
}

void TVantorSettings::SetButtonStyle(int32_t value) { FButtonStyle = Clamp(value, 0, 4); }
void TVantorSettings::SetCalcResourceInterval(int32_t value) { FCalcResourceInterval = Clamp(value, 100, 5000); }
void TVantorSettings::SetCaptionWidth(int32_t value) { FCaptionWidth = Clamp(value, 20, 40); }
void TVantorSettings::SetCheckMousePosInterval(int32_t value) { FCheckMousePosInterval = Clamp(value, 50, 200); }

int32_t TVantorSettings::CornerCall(int32_t corner) const {
    return corner >= 0 && corner < 4 ? FCornerCall[static_cast<size_t>(corner)] : 0;
}

void TVantorSettings::SetCornerCall(int32_t corner, int32_t value) {
    if (corner < 0 || corner >= 4 || value < 0 || value > 7) return;
    FCornerCall[static_cast<size_t>(corner)] = value;
}

void TVantorSettings::SetCornerPause(int32_t value) { FCornerPause = Clamp(value, 0, 2000); }
void TVantorSettings::SetFilerType(int32_t value) { FFilerType = static_cast<uint8_t>(value & 0xFF); }

void TVantorSettings::SetFontName(const std::string& value) {
    FFontName = Platform.IsFontInstalled(value) ? value : FallbackFontName;
}

void TVantorSettings::SetGuideStyle(int32_t value) { FGuideStyle = Clamp(value, 0, 4); }
void TVantorSettings::SetHidePause(int32_t value) { FHidePause = Clamp(value, 0, 5000); }
void TVantorSettings::SetHideWidth(int32_t value) { FHideWidth = Clamp(value, 1, 16); }

void TVantorSettings::SetMaxTabWidth(int32_t value) {
    FMaxTabWidth = Clamp(value, 16, 128);
    FMinTabWidth = std::min(FMinTabWidth, FMaxTabWidth);
}

void TVantorSettings::SetMinTabWidth(int32_t value) { FMinTabWidth = Clamp(value, 16, FMaxTabWidth); }
void TVantorSettings::SetPageTabLayout(int32_t value) { FPageTabLayout = Clamp(value, 0, 4); }
void TVantorSettings::SetPointPause(int32_t value) { FPointPause = Clamp(value, 100, 2000); }

void TVantorSettings::SetResourceYellow(int32_t value) {
    FResourceYellow = Clamp(value, 0, 100);
    FResourceRed = std::min(FResourceRed, FResourceYellow);
}

void TVantorSettings::SetResourceRed(int32_t value) { FResourceRed = Clamp(value, 0, FResourceYellow); }
void TVantorSettings::SetResourceViewMode(int32_t value) { FResourceViewMode = Clamp(value, 0, 1); }
void TVantorSettings::SetScrollButtonStyle(int32_t value) { FScrollButtonStyle = Clamp(value, 0, 2); }
void TVantorSettings::SetScrollStyle(int32_t value) { FScrollStyle = Clamp(value, 0, 2); }
void TVantorSettings::SetSystemButtonLayout(int32_t value) { FSystemButtonLayout = Clamp(value, 0, 1); }
void TVantorSettings::SetTabSetHeight(int32_t value) { FTabSetHeight = Clamp(value, 20, 64); }
void TVantorSettings::SetTitleBarLayout(int32_t value) { FTitleBarLayout = Clamp(value, 0, 4); }
void TVantorSettings::SetTransparent(int32_t value) { FTransparent = Clamp(value, 0, 80); }

// ---- key tables ----

// Integer keys of section Settings in the order they are read, which matters
// where one range depends on another (MaxTabWidth before MinTabWidth,
// ResourceYellow before ResourceRed).
const std::vector<TVantorSettings::TIntSetting>& TVantorSettings::IntSettings() {
    using T = TVantorSettings;
    static const std::vector<TIntSetting> table = {
        {"ButtonStyle", &T::ButtonStyle, &T::SetButtonStyle},
        {"CalcResourceInterval", &T::CalcResourceInterval, &T::SetCalcResourceInterval},
        {"CaptionWidth", &T::CaptionWidth, &T::SetCaptionWidth},
        {"CheckMousePosInterval", &T::CheckMousePosInterval, &T::SetCheckMousePosInterval},
        {"CornerPause", &T::CornerPause, &T::SetCornerPause},
        {"FilerType", &T::FilerTypeValue, &T::SetFilerType},
        {"GuideStyle", &T::GuideStyle, &T::SetGuideStyle},
        {"HidePause", &T::HidePause, &T::SetHidePause},
        {"HideWidth", &T::HideWidth, &T::SetHideWidth},
        {"CurrentPage", &T::CurrentPageValue, &T::SetCurrentPageValue},
        {"MaxTabWidth", &T::MaxTabWidth, &T::SetMaxTabWidth},
        {"MinTabWidth", &T::MinTabWidth, &T::SetMinTabWidth},
        {"PageTabLayout", &T::PageTabLayout, &T::SetPageTabLayout},
        {"PointPause", &T::PointPause, &T::SetPointPause},
        {"ResourceYellow", &T::ResourceYellow, &T::SetResourceYellow},
        {"ResourceRed", &T::ResourceRed, &T::SetResourceRed},
        {"ResourceViewMode", &T::ResourceViewMode, &T::SetResourceViewMode},
        {"ScrollButtonStyle", &T::ScrollButtonStyle, &T::SetScrollButtonStyle},
        {"ScrollStyle", &T::ScrollStyle, &T::SetScrollStyle},
        {"ShowPause", &T::ShowPauseValue, &T::SetShowPauseValue},
        {"SystemButtonLayout", &T::SystemButtonLayout, &T::SetSystemButtonLayout},
        {"TabSetHeight", &T::TabSetHeight, &T::SetTabSetHeight},
        {"TitleBarLayout", &T::TitleBarLayout, &T::SetTitleBarLayout},
        {"Transparent", &T::Transparent, &T::SetTransparent},
    };
    return table;
}

const std::vector<TVantorSettings::TBoolSetting>& TVantorSettings::BoolSettings() {
    using T = TVantorSettings;
    static const std::vector<TBoolSetting> table = {
        {"ActivateOnLaunch", &T::ActivateOnLaunch},
        {"AutoAdjust", &T::AutoAdjust},
        {"AutoHide", &T::AutoHide},
        {"AutoSave", &T::AutoSave},
        {"BreakFolderMenu", &T::BreakFolderMenu},
        {"CheckScreenBits", &T::CheckScreenBits},
        {"ConfirmReboot", &T::ConfirmReboot},
        {"ConfirmShutdown", &T::ConfirmShutdown},
        {"ExpandApplication", &T::ExpandApplication},
        {"HideSmoothly", &T::HideSmoothly},
        {"HorizontalTab", &T::HorizontalTab},
        {"KanaBlindSearch", &T::KanaBlindSearch},
        {"PointOpen", &T::PointOpen},
        {"QuietOverFullScreen", &T::QuietOverFullScreen},
        {"ResourceWarning", &T::ResourceWarning},
        {"ShowIcon", &T::ShowIcon},
        {"ShowOnPoint", &T::ShowOnPoint},
        {"SmoothScroll", &T::SmoothScroll},
    };
    return table;
}

struct TVisibleButtonKey {
    const char* Key;
    bool TVisibleButtons::*Field;
};
static const TVisibleButtonKey VisibleButtonKeys[] = {
    {"StopAutoRun", &TVisibleButtons::StopAutoRun}, {"OpenFolder", &TVisibleButtons::OpenFolder},
    {"ScreenSaver", &TVisibleButtons::ScreenSaver}, {"Shutdown", &TVisibleButtons::Shutdown},
    {"Reboot", &TVisibleButtons::Reboot},
};

struct TVisibleFolderKey {
    const char* Key;
    bool TVisibleFolders::*Field;
};
static const TVisibleFolderKey VisibleFolderKeys[] = {
    {"RecycleBin", &TVisibleFolders::RecycleBin},
    {"ControlPanel", &TVisibleFolders::ControlPanel},
    {"Desktop", &TVisibleFolders::Desktop},
    {"Dialup", &TVisibleFolders::Dialup},
    {"Fonts", &TVisibleFolders::Fonts},
    {"Network", &TVisibleFolders::Network},
    {"Printers", &TVisibleFolders::Printers},
    {"Recent", &TVisibleFolders::Recent},
    {"SendTo", &TVisibleFolders::SendTo},
    {"StartMenu", &TVisibleFolders::StartMenu},
    {"Windows", &TVisibleFolders::Windows},
    {"System", &TVisibleFolders::System},
    {"Temp", &TVisibleFolders::Temp},
    {"ProgramFiles", &TVisibleFolders::ProgramFiles},
    {"MyDocuments", &TVisibleFolders::MyDocuments},
};

// One list section: the non-empty values of <prefix>0 .. <prefix>count-1.
static std::vector<std::string> ReadListSection(const TProfile& ini, const char* section, const char* prefix,
                                                int32_t count) {
    std::vector<std::string> values;
    for (int32_t i = 0; i < count; ++i) {
        std::string value = ini.ReadString(section, NumberedKey(prefix, static_cast<size_t>(i)), "");
        if (!value.empty()) values.push_back(value);
    }
    return values;
}

static void WriteListSection(TProfile& ini, const char* section, const char* prefix,
                             const std::vector<std::string>& values) {
    ini.EraseSection(section);
    for (size_t i = 0; i < values.size(); ++i) ini.WriteString(section, NumberedKey(prefix, i), values[i]);
}

// Key or sound lines: from the section once the settings file has it, else
// from the older file when it exists (when it cannot be read the list keeps
// what it holds). A file read is named in `migrated`: it may go only once the
// settings file holds its lines. One that would not go (read-only) is not
// read again: it would undo every change made since.
static void ReadDefinitionLines(const TProfile& ini, TPlatform& platform, const std::string& oldFile,
                                const char* section, const char* prefix, int32_t count, std::vector<std::string>& list,
                                std::vector<std::string>& migrated) {
    if (!ini.SectionExists(section) && platform.FileExists(oldFile)) {
        std::string text;
        if (platform.ReadWholeFile(oldFile, text)) {
            list = SplitTextLines(text);
            migrated.push_back(oldFile);
        }
        return;
    }
    list = ReadListSection(ini, section, prefix, count);
}

// ---- reading ----

TSettingsReadResult TVantorSettings::ReadSettings(const TProfile& ini, const TSettingsReadOptions& options) {
    TSettingsReadResult result;
    result.Version = ini.ReadInteger(SettingsSection, "Version", 0);
    ReadMainSection(ini);
    ReadVisibility(ini);
    ReadLists(ini, result.Version);
    ReadKeyAndSoundLines(ini, options.DataFolder);
    ReadColors(ini);
    result.CurrentButton = ini.ReadInteger(SettingsSection, "CurrentButton", options.CurrentButton);
    ReadBars(ini, result.Version, options.ResourceMeterAvailable, result);
    return result;
}

void TVantorSettings::ReadMainSection(const TProfile& ini) {
    for (const auto& setting : BoolSettings())
        this->*setting.Field = ini.ReadBool(SettingsSection, setting.Key, this->*setting.Field);
    for (const auto& setting : IntSettings())
        (this->*setting.Set)(ini.ReadInteger(SettingsSection, setting.Key, (this->*setting.Get)()));
    for (int32_t corner = 0; corner < 4; ++corner)
        SetCornerCall(corner, ini.ReadInteger(SettingsSection, CornerKeys[corner], CornerCall(corner)));
    FilerName = ini.ReadString(SettingsSection, "FilerName", FilerName);
    SetFontName(ini.ReadString(SettingsSection, "FontName", FFontName));
    WallpaperName = ini.ReadString(SettingsSection, "WallpaperName", WallpaperName);
}

void TVantorSettings::ReadVisibility(const TProfile& ini) {
    for (const auto& key : VisibleButtonKeys)
        VisibleButtons.*key.Field = ini.ReadBool("VisibleButtons", key.Key, VisibleButtons.*key.Field);
    for (const auto& key : VisibleFolderKeys)
        VisibleFolders.*key.Field = ini.ReadBool("VisibleFolders", key.Key, VisibleFolders.*key.Field);
}

void TVantorSettings::ReadLists(const TProfile& ini, int32_t version) {
    // Files before version 656 kept the extensions elsewhere: the defaults stay.
    if (version > 655) {
        CustomExts.Clear();
        for (const auto& ext : ReadListSection(ini, "Exts", "CustomExt", MaxCustomExts)) CustomExts.Add(ext);
    }
    CustomFolders.Clear();
    for (const auto& folder : ReadListSection(ini, "Folders", "CustomFolder", MaxCustomFolders))
        CustomFolders.Add(folder);
}

void TVantorSettings::ReadKeyAndSoundLines(const TProfile& ini, const std::string& dataFolder) {
    ReadDefinitionLines(ini, Platform, dataFolder + "Keys.def", "ShortCuts", "ShortCut", MaxShortCutLines, ShortCuts,
                        MigratedFiles);
    ReadDefinitionLines(ini, Platform, dataFolder + "Sounds.def", "Sounds", "Sound", MaxSoundLines, Sounds,
                        MigratedFiles);
}

void TVantorSettings::ReadColors(const TProfile& ini) {
    CustomColor = ini.ReadBool(ColorsSection, "CustomColor", CustomColor);
    for (size_t i = 0; i < Colors.size(); ++i)
        Colors[i] = ColorFromText(ini.ReadString(ColorsSection, NumberedKey("Color", i), ColorToText(Colors[i])));
}

void TVantorSettings::ReadBars(const TProfile& ini, int32_t version, bool meterAvailable, TSettingsReadResult& result) {
    for (int32_t bar = 0; bar < BarCount; ++bar)
        Bars[bar].Show = ini.ReadBool(BarSectionName(bar), "Show", Bars[bar].Show);
    Bars[BarResource].Show = Bars[BarResource].Show && meterAvailable;
    for (int32_t bar = 0; bar < BarCount; ++bar)
        Bars[bar].Docking = ini.ReadBool(BarSectionName(bar), "Docking", Bars[bar].Docking);

    DockOrder.clear();
    if (version > 559) {
        for (int32_t n = 0; n < BarCount; ++n) {
            int32_t bar = BarFromSectionName(ini.ReadString(DockOrderSection, NumberedKey("DockOrder", n), ""));
            bool known = bar >= 0 && (bar != BarResource || meterAvailable);
            // A bar named twice keeps its first place: it can sit in the order only once.
            if (!known || result.DockPositions[bar] >= 0) continue;
            DockOrder.push_back(bar);
            result.DockPositions[bar] = n;
        }
    } else {
        // Files before version 560 had every bar docked in creation order.
        for (int32_t bar = 0; bar < BarCount; ++bar) {
            Bars[bar].Docking = true;
            if (bar == BarResource && !meterAvailable) continue;
            DockOrder.push_back(bar);
            result.DockPositions[bar] = bar;
        }
    }
    for (int32_t bar : {BarSmart, BarKeyword, BarHistory})
        Bars[bar].ScrollPos = ini.ReadInteger(BarSectionName(bar), "ScrollPos", Bars[bar].ScrollPos);
}

// ---- writing ----

void TVantorSettings::WriteSettings(TProfile& ini, int32_t currentButton, const TFolderHistory& folderHistory) const {
    WriteMainSection(ini);
    WriteVisibility(ini);
    WriteLists(ini);
    WriteColors(ini);
    ini.WriteInteger(SettingsSection, "CurrentButton", currentButton);
    // Written even when empty: the section stands for the older files.
    WriteListSection(ini, "ShortCuts", "ShortCut", ShortCuts);
    ini.AddSection("ShortCuts");
    WriteListSection(ini, "Sounds", "Sound", Sounds);
    ini.AddSection("Sounds");
    WriteBars(ini);
    folderHistory.Write(ini);
}

void TVantorSettings::WriteMainSection(TProfile& ini) const {
    ini.WriteInteger(SettingsSection, "Version", SettingsFileVersion);
    for (const auto& setting : BoolSettings()) ini.WriteBool(SettingsSection, setting.Key, this->*setting.Field);
    for (const auto& setting : IntSettings()) ini.WriteInteger(SettingsSection, setting.Key, (this->*setting.Get)());
    for (int32_t corner = 0; corner < 4; ++corner)
        ini.WriteInteger(SettingsSection, CornerKeys[corner], CornerCall(corner));
    ini.WriteString(SettingsSection, "FilerName", FilerName);
    ini.WriteString(SettingsSection, "FontName", FFontName);
    ini.WriteString(SettingsSection, "WallpaperName", WallpaperName);
}

void TVantorSettings::WriteVisibility(TProfile& ini) const {
    for (const auto& key : VisibleButtonKeys) ini.WriteBool("VisibleButtons", key.Key, VisibleButtons.*key.Field);
    for (const auto& key : VisibleFolderKeys) ini.WriteBool("VisibleFolders", key.Key, VisibleFolders.*key.Field);
}

void TVantorSettings::WriteLists(TProfile& ini) const {
    WriteListSection(ini, "Exts", "CustomExt", CustomExts.Items());
    WriteListSection(ini, "Folders", "CustomFolder", CustomFolders.Items());
}

void TVantorSettings::WriteColors(TProfile& ini) const {
    ini.WriteBool(ColorsSection, "CustomColor", CustomColor);
    for (size_t i = 0; i < Colors.size(); ++i)
        ini.WriteString(ColorsSection, NumberedKey("Color", i), ColorToText(Colors[i]));
}

void TVantorSettings::WriteBars(TProfile& ini) const {
    for (int32_t bar = 0; bar < BarCount; ++bar) ini.WriteBool(BarSectionName(bar), "Show", Bars[bar].Show);
    for (int32_t bar = 0; bar < BarCount; ++bar) ini.WriteBool(BarSectionName(bar), "Docking", Bars[bar].Docking);
    ini.EraseSection(DockOrderSection);
    size_t n = 0;
    for (int32_t bar : DockOrder)
        if (const char* name = BarSectionName(bar))
            ini.WriteString(DockOrderSection, NumberedKey("DockOrder", n++), name);
    for (int32_t bar : {BarSmart, BarKeyword, BarHistory})
        ini.WriteInteger(BarSectionName(bar), "ScrollPos", Bars[bar].ScrollPos);
}
