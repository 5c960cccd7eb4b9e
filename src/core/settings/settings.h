// Every persistent setting of the main page set, with its default and its
// clamping setter, and the reader and writer of the settings file Vantor.ini.
// TVantorManager derives from this class, so the settings are fields of the
// manager as the rest of the program expects.
//
// The reader and writer work on a TProfile; the window side loads the file
// into it, lets ReadSettings fill the fields, and applies the returned values
// (and the bar records) to its windows. To save, it stores the windows' state
// back into the fields, loads the file, writes the placements and the
// settings into it and saves it in one step.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "platform.h"
#include "settings/folder_history.h"
#include "settings/profile.h"

constexpr int32_t SettingsFileVersion = 768;
constexpr int32_t MaxCustomExts = 256;
constexpr int32_t MaxCustomFolders = 32;
constexpr int32_t MaxShortCutLines = 40;
constexpr int32_t MaxSoundLines = 10;

inline constexpr char DefaultFontName[] = "MS UI Gothic";
inline constexpr char FallbackFontName[] = "ＭＳ Ｐゴシック";

// A list of texts kept sorted ignoring case, without two entries that are
// equal ignoring case, and without empty entries.
class TSortedTextList {
public:
    // False when the text is empty or already held (ignoring case).
    bool Add(const std::string& text);
    int32_t IndexOf(std::string_view text) const;  // -1 when not held
    void Delete(size_t index);
    bool Remove(std::string_view text);
    void Clear() { FItems.clear(); }
    size_t Count() const { return FItems.size(); }
    const std::string& operator[](size_t index) const { return FItems[index]; }
    const std::vector<std::string>& Items() const { return FItems; }
    std::vector<std::string>::const_iterator begin() const { return FItems.begin(); }
    std::vector<std::string>::const_iterator end() const { return FItems.end(); }

private:
    std::vector<std::string> FItems;
};

// The four bars, in creation order; the ids double as indexes of Bars.
constexpr int32_t BarSmart = 0;
constexpr int32_t BarKeyword = 1;
constexpr int32_t BarHistory = 2;
constexpr int32_t BarResource = 3;
constexpr int32_t BarCount = 4;

// "SmartBar", "KeywordBar", "HistoryBar", "ResourceBar"; null for a bad id.
const char* BarSectionName(int32_t bar);
// The bar of a section name (ignoring case), or -1.
int32_t BarFromSectionName(std::string_view name);

struct TBarState {
    bool Show = true;
    bool Docking = false;
    int32_t ScrollPos = 0;  // left of the entry strip; not kept for the resource bar
};

struct TVisibleButtons {
    bool StopAutoRun = false;
    bool OpenFolder = true;
    bool ScreenSaver = false;
    bool Shutdown = true;
    bool Reboot = true;
};

struct TVisibleFolders {
    bool RecycleBin = false;
    bool ControlPanel = true;
    bool Desktop = false;
    bool Dialup = true;
    bool Fonts = false;
    bool Network = false;
    bool Printers = false;
    bool Recent = false;
    bool SendTo = false;
    bool StartMenu = true;
    bool Windows = true;
    bool System = true;
    bool Temp = false;
    bool ProgramFiles = true;
    bool MyDocuments = true;
};

constexpr int32_t ColorCount = 7;
// System colours in the platform's encoding (0x80000000 + colour index).
constexpr std::array<uint32_t, ColorCount> DefaultColors = {0x8000000F, 0x80000008, 0x80000009, 0x80000002,
                                                            0x8000000F, 0x8000000F, 0x80000008};

// Colours are written as upper-case hexadecimal with at least six digits and
// read back as "$" + text; text that does not parse gives 0.
std::string ColorToText(uint32_t color);
uint32_t ColorFromText(std::string_view text);

struct TSettingsReadOptions {
    std::string DataFolder;  // with trailing backslash; Keys.def and Sounds.def are looked for there
    bool ResourceMeterAvailable = false;
    int32_t CurrentButton = 0;  // the main window's present value, the default when the key is missing
};

// What ReadSettings hands to the window side besides the fields.
struct TSettingsReadResult {
    int32_t Version = 0;
    int32_t CurrentButton = 0;
    // For each bar in DockOrder, its wanted dock position (the N of the
    // DockOrderN key it came from); -1 for bars not in the order.
    std::array<int32_t, BarCount> DockPositions{-1, -1, -1, -1};
};

class TVantorSettings {
public:
    explicit TVantorSettings(TPlatform& platform);
    virtual ~TVantorSettings() = default;

    // Settings without a range.
    bool ActivateOnLaunch = true;
    bool AutoAdjust = true;
    bool AutoHide = true;
    bool AutoSave = true;
    bool BreakFolderMenu = true;
    bool CheckScreenBits = false;
    bool ConfirmReboot = true;
    bool ConfirmShutdown = true;
    bool ExpandApplication = true;
    std::string FilerName;
    bool HideSmoothly = true;
    bool HorizontalTab = true;
    // The keyword bar matches regardless of kana kind and character width.
    bool KanaBlindSearch = true;
    bool PointOpen = true;
    // Show-on-point, point-open and the corners rest over a full-screen program.
    bool QuietOverFullScreen = true;
    bool ResourceWarning = false;
    bool ShowIcon = true;
    bool ShowOnPoint = true;
    int32_t ShowPause = 500;  // ms, deliberately not clamped
    bool SmoothScroll = true;
    std::string WallpaperName;

    // Settings with a range: the setters clamp.
    int32_t ButtonStyle() const { return FButtonStyle; }
    void SetButtonStyle(int32_t value);  // 0..4
    int32_t CalcResourceInterval() const { return FCalcResourceInterval; }
    void SetCalcResourceInterval(int32_t value);  // 100..5000 ms
    int32_t CaptionWidth() const { return FCaptionWidth; }
    void SetCaptionWidth(int32_t value);  // 20..40 px
    int32_t CheckMousePosInterval() const { return FCheckMousePosInterval; }
    void SetCheckMousePosInterval(int32_t value);  // 50..200 ms
    // Corners 0 top-left, 1 top-right, 2 bottom-left, 3 bottom-right; values
    // 0..7. A bad index or value is ignored (and reads as 0).
    int32_t CornerCall(int32_t corner) const;
    void SetCornerCall(int32_t corner, int32_t value);
    int32_t CornerPause() const { return FCornerPause; }
    void SetCornerPause(int32_t value);  // 0..2000 ms
    // 0 system folder window, 1 explorer view, 2 FilerName. Kept in one
    // byte: the setter stores the low byte of the value (256 becomes 0, -1
    // becomes 255); values other than 0..2 open nothing.
    uint8_t FilerType() const { return FFilerType; }
    void SetFilerType(int32_t value);
    // A name that is not an installed font becomes FallbackFontName.
    const std::string& FontName() const { return FFontName; }
    void SetFontName(const std::string& value);
    int32_t GuideStyle() const { return FGuideStyle; }
    void SetGuideStyle(int32_t value);  // 0..4
    int32_t HidePause() const { return FHidePause; }
    void SetHidePause(int32_t value);  // 0..5000 ms
    int32_t HideWidth() const { return FHideWidth; }
    void SetHideWidth(int32_t value);  // 1..16 px
    // 16..128 px with MinTabWidth <= MaxTabWidth: lowering the maximum below
    // the minimum lowers the minimum with it.
    int32_t MaxTabWidth() const { return FMaxTabWidth; }
    void SetMaxTabWidth(int32_t value);
    int32_t MinTabWidth() const { return FMinTabWidth; }
    void SetMinTabWidth(int32_t value);
    int32_t PageTabLayout() const { return FPageTabLayout; }
    void SetPageTabLayout(int32_t value);  // 0..4
    int32_t PointPause() const { return FPointPause; }
    void SetPointPause(int32_t value);  // 100..2000 ms
    // 0..100 % with ResourceRed <= ResourceYellow: lowering yellow below red
    // lowers red with it.
    int32_t ResourceYellow() const { return FResourceYellow; }
    void SetResourceYellow(int32_t value);
    int32_t ResourceRed() const { return FResourceRed; }
    void SetResourceRed(int32_t value);
    int32_t ResourceViewMode() const { return FResourceViewMode; }
    void SetResourceViewMode(int32_t value);  // 0..1
    int32_t ScrollButtonStyle() const { return FScrollButtonStyle; }
    void SetScrollButtonStyle(int32_t value);  // 0..2
    int32_t ScrollStyle() const { return FScrollStyle; }
    void SetScrollStyle(int32_t value);  // 0..2
    int32_t SystemButtonLayout() const { return FSystemButtonLayout; }
    void SetSystemButtonLayout(int32_t value);  // 0..1
    int32_t TabSetHeight() const { return FTabSetHeight; }
    void SetTabSetHeight(int32_t value);  // 20..64 px
    int32_t TitleBarLayout() const { return FTitleBarLayout; }
    void SetTitleBarLayout(int32_t value);  // 0..4
    int32_t Transparent() const { return FTransparent; }
    void SetTransparent(int32_t value);  // 0..80 %

    TVisibleButtons VisibleButtons;
    TVisibleFolders VisibleFolders;
    // Indexes of Colors.
    static constexpr int32_t BackgroundColor = 0;
    static constexpr int32_t TextColor = 1;
    static constexpr int32_t TitleColor = 2;
    static constexpr int32_t BackTitleColor = 3;
    static constexpr int32_t SelectedTabColor = 4;
    static constexpr int32_t UnselectedTabColor = 5;
    static constexpr int32_t FocusColor = 6;
    bool CustomColor = false;  // false: the system colours, Colors ignored
    std::array<uint32_t, ColorCount> Colors = DefaultColors;
    TSortedTextList CustomExts;     // file extensions with their dot
    TSortedTextList CustomFolders;  // at most 32 are read back

    // "name=value" lines: action name = key text, event name = sound.
    std::vector<std::string> ShortCuts;
    std::vector<std::string> Sounds;
    // Keys.def and Sounds.def once read; the caller deletes them once the
    // settings file holding their lines has been written.
    std::vector<std::string> MigratedFiles;
    void SetDefaultShortCuts();
    void SetDefaultSounds();
    void SetDefaultCustomExts();  // ".chm", ".doc", ".hlp", ".htm", ".html", ".lzh", ".txt", ".zip"

    // The bars' state as stored; the window side keeps it in step with the
    // bar windows. DockOrder lists the docked bars' ids in docking order.
    std::array<TBarState, BarCount> Bars;
    std::vector<int32_t> DockOrder;

    // Reads the whole settings file into the fields; every key missing or
    // unparsable keeps the field's present value. Keys.def and Sounds.def in
    // the data folder stand for the key and sound sections while the file
    // has none (and are named in MigratedFiles).
    TSettingsReadResult ReadSettings(const TProfile& ini, const TSettingsReadOptions& options);
    // Writes every setting, the bars' state and the folder history; the
    // sections holding lists are erased first. Other sections and lines of
    // the file stay.
    void WriteSettings(TProfile& ini, int32_t currentButton, const TFolderHistory& folderHistory) const;

protected:
    // The page set's current page lives in TVantorManager, which overrides
    // these two to read and to set it through its own clamping setter. Here
    // the value is only kept (negative values become 0).
    virtual int32_t GetCurrentPageForSettings() const { return FStoredCurrentPage; }
    virtual void SetCurrentPageFromSettings(int32_t value) { FStoredCurrentPage = value < 0 ? 0 : value; }

    TPlatform& Platform;

private:
    struct TIntSetting {
        const char* Key;
        int32_t (TVantorSettings::*Get)() const;
        void (TVantorSettings::*Set)(int32_t);
    };
    struct TBoolSetting {
        const char* Key;
        bool TVantorSettings::*Field;
    };
    static const std::vector<TIntSetting>& IntSettings();
    static const std::vector<TBoolSetting>& BoolSettings();
    int32_t ShowPauseValue() const { return ShowPause; }
    void SetShowPauseValue(int32_t value) { ShowPause = value; }
    int32_t FilerTypeValue() const { return FFilerType; }
    int32_t CurrentPageValue() const { return GetCurrentPageForSettings(); }
    void SetCurrentPageValue(int32_t value) { SetCurrentPageFromSettings(value); }

    void ReadMainSection(const TProfile& ini);
    void ReadVisibility(const TProfile& ini);
    void ReadLists(const TProfile& ini, int32_t version);
    void ReadKeyAndSoundLines(const TProfile& ini, const std::string& dataFolder);
    void ReadColors(const TProfile& ini);
    void ReadBars(const TProfile& ini, int32_t version, bool meterAvailable, TSettingsReadResult& result);
    void WriteMainSection(TProfile& ini) const;
    void WriteVisibility(TProfile& ini) const;
    void WriteLists(TProfile& ini) const;
    void WriteColors(TProfile& ini) const;
    void WriteBars(TProfile& ini) const;

    int32_t FButtonStyle = 1;
    int32_t FCalcResourceInterval = 1000;
    int32_t FCaptionWidth = 24;
    int32_t FCheckMousePosInterval = 125;
    std::array<int32_t, 4> FCornerCall{};
    int32_t FCornerPause = 500;
    uint8_t FFilerType = 0;
    std::string FFontName;
    int32_t FGuideStyle = 1;
    int32_t FHidePause = 500;
    int32_t FHideWidth = 4;
    int32_t FMaxTabWidth = 64;
    int32_t FMinTabWidth = 16;
    int32_t FPageTabLayout = 0;
    int32_t FPointPause = 500;
    int32_t FResourceYellow = 33;
    int32_t FResourceRed = 20;
    int32_t FResourceViewMode = 0;
    int32_t FScrollButtonStyle = 0;
    int32_t FScrollStyle = 0;
    int32_t FSystemButtonLayout = 0;
    int32_t FTabSetHeight = 40;
    int32_t FTitleBarLayout = 0;
    int32_t FTransparent = 0;
    int32_t FStoredCurrentPage = 0;
};
