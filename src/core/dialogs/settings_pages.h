// The settings dialog apart from its windows: the sixteen pages, the fields
// of each page with the setting it edits, its range and its default, and the
// dialog's state as a copy that OK stores back through the settings' setters.
// Nothing reaches the settings before StoreSettingsForm, so Cancel has
// nothing to undo.
#pragma once

#include <array>
#include <cstdint>
#include <map>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "dialogs/settings_controls.h"
#include "settings/corner.h"
#include "settings/settings.h"

constexpr int32_t SettingsPageCount = 16;

enum TSettingsPage : int32_t {
    spGeneral,
    spInterval,
    spLayout,
    spHide,
    spScroll,
    spView,
    spBackground,
    spColor,
    spSound,
    spKeyboard,
    spResourceBar,
    spSystemButton,
    spFolder1,
    spFolder2,
    spFolder3,
    spCorner
};

struct TSettingsPageInfo {
    const char* Name;  // remembered between openings: "TSGeneral"...
    const char* Caption;
};
const std::array<TSettingsPageInfo, SettingsPageCount>& SettingsPageTable();
// The page of a remembered name, or -1.
int32_t SettingsPageIndex(std::string_view name);

enum class TFieldKind {
    Check,   // 0 or 1
    Number,  // an edit box with an up-down control
    Choice,  // a drop-down list's index, or the index of a radio group's button
    Text,
};

// One field of a page and the setting it edits.
struct TSettingsField {
    int32_t Page;
    int32_t Control;
    TFieldKind Kind;
    int32_t Min = 0;  // Number and Choice (Choice: 0..count-1)
    int32_t Max = 1;
    int32_t Step = 1;
    int32_t Default = 0;  // what "デフォルト" puts in (not Text)
    int32_t (*Get)(const TVantorSettings&) = nullptr;
    void (*Set)(TVantorSettings&, int32_t) = nullptr;
    std::string (*GetText)(const TVantorSettings&) = nullptr;
    void (*SetText)(TVantorSettings&, const std::string&) = nullptr;
};
const std::vector<TSettingsField>& SettingsFields();
// Null for a control that is no field.
const TSettingsField* FindSettingsField(int32_t control);

// Captions of the drop-down lists and radio groups (by control).
std::vector<std::string> SettingsChoiceCaptions(int32_t control);
// The fifteen folder checks: TVisibleFolders member order of the captions.
constexpr int32_t VisibleFolderCount = 15;

// The values the controls hold while the dialog is open.
struct TSettingsForm {
    std::map<int32_t, int32_t> Values;     // Check, Number, Choice fields by control
    std::map<int32_t, std::string> Texts;  // Text fields by control
    bool CustomColor = false;
    std::array<uint32_t, ColorCount> Colors = DefaultColors;
    TSortedTextList CustomFolders;
    TSortedTextList CustomExts;
    std::vector<std::string> ShortCuts;  // the working copies
    std::vector<std::string> Sounds;

    int32_t Value(int32_t control) const;
    std::string Text(int32_t control) const;
};

TSettingsForm LoadSettingsForm(const TVantorSettings& settings);
// Every field through its setter, after keeping it in the field's range.
void StoreSettingsForm(const TSettingsForm& form, TVantorSettings& settings);

// What "デフォルト" takes from the running system.
struct TSettingsDefaults {
    std::array<uint32_t, ColorCount> Colors = DefaultColors;  // the system colours' RGB now
    std::string FontName = DefaultFontName;                   // already checked to be listed
};
// Resets the fields of one page (the keyboard page: every key definition,
// the sound page: every sound).
void ResetSettingsPage(TSettingsForm& form, int32_t page, const TSettingsDefaults& defaults);

// The range a number field allows now: the minimum tab width up to the
// maximum, the maximum down to the minimum, red up to yellow.
std::pair<int32_t, int32_t> SettingsFieldRange(const TSettingsForm& form, int32_t control);
// A number field takes a value: kept in its range, and the fields bound to
// it follow (red is lowered to a lower yellow).
void SetSettingsNumber(TSettingsForm& form, int32_t control, int32_t value);

// After numbers were typed rather than spun: the minimum tab width no larger
// than the maximum, red no higher than yellow (lowered, as the setters do).
void KeepSettingsBounds(TSettingsForm& form);

// The controls whose enabled state depends on others, with that state now.
std::vector<std::pair<int32_t, bool>> SettingsEnabling(const TSettingsForm& form);

// "表示する拡張子": lower case, a leading "." added, nothing for empty text or
// one already listed (ignoring case). True when added.
bool AddCustomExt(TSortedTextList& exts, std::string_view typed);

// The sound page: the kind shown for a stored value (the first whose value is
// equal, else "（指定する）"), and the value a kind stores.
constexpr int32_t SoundKindFile = 1;
int32_t SoundKindOf(std::string_view value);
std::string SoundValueOfKind(int32_t kind, std::string_view fileName);

// The keyboard page: an action's key in the working copy, and storing one.
// No key is stored as "*None", never as an empty line, which start-up would
// fill with the default key again.
uint16_t ActionKeyOf(const std::vector<std::string>& shortCuts, int32_t action);
void SetActionKey(std::vector<std::string>& shortCuts, int32_t action, uint16_t key);
