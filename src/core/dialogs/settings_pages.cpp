#include "dialogs/settings_pages.h"

#include <algorithm>

#include "settings/keys.h"
#include "settings/name_value.h"
#include "settings/sounds.h"
#include "text/text.h"

namespace {

using S = TVantorSettings;

// Field builders keep the table one line per control.
TSettingsField Check(int32_t page, int32_t control, bool defaultValue, bool S::*field) {
    (void)field;
    TSettingsField f{page, control, TFieldKind::Check};
    f.Default = defaultValue ? 1 : 0;
    return f;
}

TSettingsField Number(int32_t page, int32_t control, int32_t min, int32_t max, int32_t step, int32_t defaultValue,
                      int32_t (*get)(const S&), void (*set)(S&, int32_t)) {
    TSettingsField f{page, control, TFieldKind::Number, min, max, step, defaultValue, get, set};
    return f;
}

TSettingsField Choice(int32_t page, int32_t control, int32_t count, int32_t defaultValue, int32_t (*get)(const S&),
                      void (*set)(S&, int32_t)) {
    TSettingsField f{page, control, TFieldKind::Choice, 0, count - 1, 1, defaultValue, get, set};
    return f;
}

TSettingsField Text(int32_t page, int32_t control, std::string (*get)(const S&), void (*set)(S&, const std::string&)) {
    TSettingsField f{page, control, TFieldKind::Text};
    f.GetText = get;
    f.SetText = set;
    return f;
}

// A bool member as a Check field: its accessors are made per member.
template <bool S::*Field>
TSettingsField BoolField(int32_t page, int32_t control, bool defaultValue) {
    TSettingsField f = Check(page, control, defaultValue, Field);
    f.Get = [](const S& s) -> int32_t { return s.*Field ? 1 : 0; };
    f.Set = [](S& s, int32_t v) { s.*Field = v != 0; };
    return f;
}

template <bool TVisibleButtons::*Field>
TSettingsField ButtonField(int32_t control) {
    TSettingsField f{spSystemButton, control, TFieldKind::Check};
    f.Default = 1;
    f.Get = [](const S& s) -> int32_t { return s.VisibleButtons.*Field ? 1 : 0; };
    f.Set = [](S& s, int32_t v) { s.VisibleButtons.*Field = v != 0; };
    return f;
}

template <bool TVisibleFolders::*Field>
TSettingsField FolderField(int32_t index) {
    TSettingsField f{spFolder3, IDC_FOLDER_CHECK0 + index, TFieldKind::Check};
    f.Default = TVisibleFolders{}.*Field ? 1 : 0;  // the file's start values
    f.Get = [](const S& s) -> int32_t { return s.VisibleFolders.*Field ? 1 : 0; };
    f.Set = [](S& s, int32_t v) { s.VisibleFolders.*Field = v != 0; };
    return f;
}

template <int32_t Corner>
TSettingsField CornerField() {
    return Choice(
        spCorner, IDC_CORNER0 + Corner, 8, 0, [](const S& s) { return s.CornerCall(Corner); },
        [](S& s, int32_t v) { s.SetCornerCall(Corner, v); });
}

std::vector<TSettingsField> MakeFields() {
    std::vector<TSettingsField> f;
    // 一般
    f.push_back(BoolField<&S::ShowIcon>(spGeneral, IDC_SHOW_ICON, true));
    f.push_back(BoolField<&S::ActivateOnLaunch>(spGeneral, IDC_ACTIVATE_ON_LAUNCH, true));
    f.push_back(BoolField<&S::AutoSave>(spGeneral, IDC_AUTO_SAVE, true));
    f.push_back(BoolField<&S::HorizontalTab>(spGeneral, IDC_HORIZONTAL_TAB, false));
    f.push_back(BoolField<&S::PointOpen>(spGeneral, IDC_POINT_OPEN, true));
    f.push_back(BoolField<&S::AutoAdjust>(spGeneral, IDC_AUTO_ADJUST, true));
    f.push_back(BoolField<&S::KanaBlindSearch>(spGeneral, IDC_KANA_BLIND_SEARCH, true));
    f.push_back(Number(
        spGeneral, IDC_POINT_PAUSE, 100, 2000, 50, 500, [](const S& s) { return s.PointPause(); },
        [](S& s, int32_t v) { s.SetPointPause(v); }));
    // The maximum is stored first: its setter may lower the minimum.
    f.push_back(Number(
        spGeneral, IDC_MAX_TAB_WIDTH, 16, 128, 1, 48, [](const S& s) { return s.MaxTabWidth(); },
        [](S& s, int32_t v) { s.SetMaxTabWidth(v); }));
    f.push_back(Number(
        spGeneral, IDC_MIN_TAB_WIDTH, 16, 128, 1, 16, [](const S& s) { return s.MinTabWidth(); },
        [](S& s, int32_t v) { s.SetMinTabWidth(v); }));
    // インターバル
    f.push_back(Number(
        spInterval, IDC_CHECK_MOUSE_POS_INTERVAL, 50, 200, 10, 125,
        [](const S& s) { return s.CheckMousePosInterval(); }, [](S& s, int32_t v) { s.SetCheckMousePosInterval(v); }));
    f.push_back(Number(
        spInterval, IDC_CALC_RESOURCE_INTERVAL, 100, 5000, 100, 1000,
        [](const S& s) { return s.CalcResourceInterval(); }, [](S& s, int32_t v) { s.SetCalcResourceInterval(v); }));
    // レイアウト
    f.push_back(Choice(
        spLayout, IDC_TITLE_BAR_LAYOUT, 5, 0, [](const S& s) { return s.TitleBarLayout(); },
        [](S& s, int32_t v) { s.SetTitleBarLayout(v); }));
    f.push_back(Number(
        spLayout, IDC_CAPTION_WIDTH, 20, 40, 1, 20, [](const S& s) { return s.CaptionWidth(); },
        [](S& s, int32_t v) { s.SetCaptionWidth(v); }));
    f.push_back(Choice(
        spLayout, IDC_PAGE_TAB_LAYOUT, 5, 0, [](const S& s) { return s.PageTabLayout(); },
        [](S& s, int32_t v) { s.SetPageTabLayout(v); }));
    f.push_back(Choice(
        spLayout, IDC_SYSTEM_BUTTON_LAYOUT, 2, 0, [](const S& s) { return s.SystemButtonLayout(); },
        [](S& s, int32_t v) { s.SetSystemButtonLayout(v); }));
    // 隠れ方
    f.push_back(BoolField<&S::AutoHide>(spHide, IDC_AUTO_HIDE, true));
    f.push_back(BoolField<&S::ShowOnPoint>(spHide, IDC_SHOW_ON_POINT, true));
    f.push_back(BoolField<&S::HideSmoothly>(spHide, IDC_HIDE_SMOOTHLY, true));
    f.push_back(BoolField<&S::QuietOverFullScreen>(spHide, IDC_QUIET_OVER_FULL_SCREEN, true));
    f.push_back(Number(
        spHide, IDC_SHOW_PAUSE, 0, 1000, 50, 200, [](const S& s) { return s.ShowPause; },
        [](S& s, int32_t v) { s.ShowPause = v; }));
    f.push_back(Number(
        spHide, IDC_HIDE_PAUSE, 0, 5000, 50, 500, [](const S& s) { return s.HidePause(); },
        [](S& s, int32_t v) { s.SetHidePause(v); }));
    f.push_back(Number(
        spHide, IDC_HIDE_WIDTH, 1, 16, 1, 4, [](const S& s) { return s.HideWidth(); },
        [](S& s, int32_t v) { s.SetHideWidth(v); }));
    // スクロール
    f.push_back(Choice(
        spScroll, IDC_SCROLL_STYLE, 3, 0, [](const S& s) { return s.ScrollStyle(); },
        [](S& s, int32_t v) { s.SetScrollStyle(v); }));
    f.push_back(Choice(
        spScroll, IDC_SCROLL_POINT_REPEAT, 3, 0, [](const S& s) { return s.ScrollButtonStyle(); },
        [](S& s, int32_t v) { s.SetScrollButtonStyle(v); }));
    f.push_back(BoolField<&S::SmoothScroll>(spScroll, IDC_SMOOTH_SCROLL, true));
    // 表示
    f.push_back(Choice(
        spView, IDC_BUTTON_STYLE, 5, 1, [](const S& s) { return s.ButtonStyle(); },
        [](S& s, int32_t v) { s.SetButtonStyle(v); }));
    f.push_back(Text(
        spView, IDC_FONT_NAME, [](const S& s) { return s.FontName(); },
        [](S& s, const std::string& v) { s.SetFontName(v); }));
    f.push_back(Choice(
        spView, IDC_GUIDE_STYLE, 5, 1, [](const S& s) { return s.GuideStyle(); },
        [](S& s, int32_t v) { s.SetGuideStyle(v); }));
    // 背景
    f.push_back(Text(
        spBackground, IDC_WALLPAPER_NAME, [](const S& s) { return s.WallpaperName; },
        [](S& s, const std::string& v) { s.WallpaperName = v; }));
    f.push_back(BoolField<&S::CheckScreenBits>(spBackground, IDC_CHECK_SCREEN_BITS, true));
    f.push_back(Number(
        spBackground, IDC_TRANSPARENT, 0, 80, 5, 0, [](const S& s) { return s.Transparent(); },
        [](S& s, int32_t v) { s.SetTransparent(v); }));
    // リソースバー; yellow before red, whose setter keeps it below yellow.
    f.push_back(Choice(
        spResourceBar, IDC_RESOURCE_VIEW_MODE, 2, 0, [](const S& s) { return s.ResourceViewMode(); },
        [](S& s, int32_t v) { s.SetResourceViewMode(v); }));
    f.push_back(Number(
        spResourceBar, IDC_RESOURCE_YELLOW, 0, 100, 1, 33, [](const S& s) { return s.ResourceYellow(); },
        [](S& s, int32_t v) { s.SetResourceYellow(v); }));
    f.push_back(Number(
        spResourceBar, IDC_RESOURCE_RED, 0, 100, 1, 20, [](const S& s) { return s.ResourceRed(); },
        [](S& s, int32_t v) { s.SetResourceRed(v); }));
    f.push_back(BoolField<&S::ResourceWarning>(spResourceBar, IDC_RESOURCE_WARNING, false));
    // システムボタン
    f.push_back(ButtonField<&TVisibleButtons::StopAutoRun>(IDC_VISIBLE_STOP_AUTO_RUN));
    f.push_back(ButtonField<&TVisibleButtons::OpenFolder>(IDC_VISIBLE_OPEN_FOLDER));
    f.push_back(ButtonField<&TVisibleButtons::ScreenSaver>(IDC_VISIBLE_SCREEN_SAVER));
    f.push_back(ButtonField<&TVisibleButtons::Shutdown>(IDC_VISIBLE_SHUTDOWN));
    f.push_back(ButtonField<&TVisibleButtons::Reboot>(IDC_VISIBLE_REBOOT));
    f.push_back(BoolField<&S::ConfirmShutdown>(spSystemButton, IDC_CONFIRM_SHUTDOWN, true));
    f.push_back(BoolField<&S::ConfirmReboot>(spSystemButton, IDC_CONFIRM_REBOOT, true));
    // フォルダ1. A stored filer type outside 0..2 opens nothing; the dialog
    // shows the first button for it.
    f.push_back(Choice(
        spFolder1, IDC_FILER_MY_COMPUTER, 3, 0, [](const S& s) { return static_cast<int32_t>(s.FilerType()); },
        [](S& s, int32_t v) { s.SetFilerType(v); }));
    f.push_back(Text(
        spFolder1, IDC_FILER_NAME, [](const S& s) { return s.FilerName; },
        [](S& s, const std::string& v) { s.FilerName = v; }));
    f.push_back(BoolField<&S::BreakFolderMenu>(spFolder1, IDC_BREAK_FOLDER_MENU, true));
    f.push_back(BoolField<&S::ExpandApplication>(spFolder1, IDC_EXPAND_APPLICATION, true));
    // フォルダ3, in the order of the captions.
    using V = TVisibleFolders;
    f.push_back(FolderField<&V::RecycleBin>(0));
    f.push_back(FolderField<&V::ControlPanel>(1));
    f.push_back(FolderField<&V::Desktop>(2));
    f.push_back(FolderField<&V::Fonts>(3));
    f.push_back(FolderField<&V::Network>(4));
    f.push_back(FolderField<&V::MyDocuments>(5));
    f.push_back(FolderField<&V::Printers>(6));
    f.push_back(FolderField<&V::Recent>(7));
    f.push_back(FolderField<&V::SendTo>(8));
    f.push_back(FolderField<&V::StartMenu>(9));
    f.push_back(FolderField<&V::Windows>(10));
    f.push_back(FolderField<&V::System>(11));
    f.push_back(FolderField<&V::ProgramFiles>(12));
    f.push_back(FolderField<&V::Temp>(13));
    f.push_back(FolderField<&V::Dialup>(14));
    // コーナーコール. The settings file allows pauses up to 2000 ms: the
    // field does too, so opening and confirming the dialog changes nothing.
    f.push_back(CornerField<0>());
    f.push_back(CornerField<1>());
    f.push_back(CornerField<2>());
    f.push_back(CornerField<3>());
    f.push_back(Number(
        spCorner, IDC_CORNER_PAUSE, 0, 2000, 50, 500, [](const S& s) { return s.CornerPause(); },
        [](S& s, int32_t v) { s.SetCornerPause(v); }));
    return f;
}

int32_t ClampTo(int32_t value, int32_t min, int32_t max) { return std::max(min, std::min(value, max)); }

}  // namespace

const std::array<TSettingsPageInfo, SettingsPageCount>& SettingsPageTable() {
    static const std::array<TSettingsPageInfo, SettingsPageCount> table = {{
        {"TSGeneral", "一般"},
        {"TSInterval", "インターバル"},
        {"TSLayout", "レイアウト"},
        {"TSHide", "隠れ方"},
        {"TSScroll", "スクロール"},
        {"TSView", "表示"},
        {"TSBackground", "背景"},
        {"TSColor", "色"},
        {"TSSound", "サウンド"},
        {"TSKeyboard", "キーボード"},
        {"TSResourceBar", "リソースバー"},
        {"TSSystemButton", "システムボタン"},
        {"TSFolder1", "フォルダ1"},
        {"TSFolder2", "フォルダ2"},
        {"TSFolder3", "フォルダ3"},
        {"TSCorner", "コーナーコール"},
    }};
    return table;
}

int32_t SettingsPageIndex(std::string_view name) {
    const auto& table = SettingsPageTable();
    for (int32_t i = 0; i < SettingsPageCount; ++i)
        if (name == table[static_cast<size_t>(i)].Name) return i;
    return -1;
}

const std::vector<TSettingsField>& SettingsFields() {
    static const std::vector<TSettingsField> fields = MakeFields();
    return fields;
}

const TSettingsField* FindSettingsField(int32_t control) {
    for (const TSettingsField& field : SettingsFields())
        if (field.Control == control) return &field;
    return nullptr;
}

std::vector<std::string> SettingsChoiceCaptions(int32_t control) {
    switch (control) {
        case IDC_TITLE_BAR_LAYOUT:
        case IDC_PAGE_TAB_LAYOUT:
            return {"自動", "上", "下", "左", "右"};
        case IDC_SYSTEM_BUTTON_LAYOUT:
            return {"右下詰め", "左上詰め"};
        case IDC_SCROLL_STYLE:
            return {"標準", "フラット", "ホットトラック"};
        case IDC_BUTTON_STYLE:
            return {"標準", "フラット", "オリジナルA", "オリジナルB", "グラデーション"};
        case IDC_GUIDE_STYLE:
            return {"（表示しない）", "標準", "もり上がり", "へこみ", "フレーム"};
        case IDC_RESOURCE_VIEW_MODE:
            return {"最低値", "平均値"};
        default:
            if (control >= IDC_CORNER0 && control < IDC_CORNER0 + CornerCount)
                return {"（なし）",           "アクティブ化",  "キーワードのアクティブ化", "メニュー", "フォルダを開く",
                        "スクリーンセーバー", "Windowsの終了", "Windowsの再起動"};
            return {};
    }
}

int32_t TSettingsForm::Value(int32_t control) const {
    auto found = Values.find(control);
    return found == Values.end() ? 0 : found->second;
}

std::string TSettingsForm::Text(int32_t control) const {
    auto found = Texts.find(control);
    return found == Texts.end() ? std::string() : found->second;
}

TSettingsForm LoadSettingsForm(const TVantorSettings& settings) {
    TSettingsForm form;
    for (const TSettingsField& field : SettingsFields()) {
        if (field.Kind == TFieldKind::Text) {
            form.Texts[field.Control] = field.GetText(settings);
            continue;
        }
        const int32_t value = field.Get(settings);
        // A choice outside the list shows its first item; a number outside
        // its field shows the nearest value the field allows.
        if (field.Kind == TFieldKind::Choice && (value < field.Min || value > field.Max))
            form.Values[field.Control] = field.Min;
        else
            form.Values[field.Control] = ClampTo(value, field.Min, field.Max);
    }
    form.CustomColor = settings.CustomColor;
    form.Colors = settings.Colors;
    form.CustomFolders = settings.CustomFolders;
    form.CustomExts = settings.CustomExts;
    form.ShortCuts = settings.ShortCuts;
    form.Sounds = settings.Sounds;
    return form;
}

void StoreSettingsForm(const TSettingsForm& form, TVantorSettings& settings) {
    for (const TSettingsField& field : SettingsFields()) {
        if (field.Kind == TFieldKind::Text) {
            field.SetText(settings, form.Text(field.Control));
            continue;
        }
        auto found = form.Values.find(field.Control);
        if (found == form.Values.end()) continue;
        field.Set(settings, ClampTo(found->second, field.Min, field.Max));
    }
    settings.CustomColor = form.CustomColor;
    settings.Colors = form.Colors;
    settings.CustomFolders = form.CustomFolders;
    settings.CustomExts = form.CustomExts;
    settings.ShortCuts = form.ShortCuts;
    settings.Sounds = form.Sounds;
}

void ResetSettingsPage(TSettingsForm& form, int32_t page, const TSettingsDefaults& defaults) {
    for (const TSettingsField& field : SettingsFields()) {
        if (field.Page != page) continue;
        if (field.Kind != TFieldKind::Text)
            form.Values[field.Control] = field.Default;
        else
            form.Texts[field.Control] = field.Control == IDC_FONT_NAME ? defaults.FontName : std::string();
    }
    switch (page) {
        case spColor:
            form.CustomColor = false;
            form.Colors = defaults.Colors;
            break;
        case spSound:
            SetDefaultSounds(form.Sounds);
            break;
        case spKeyboard:
            SetDefaultShortCuts(form.ShortCuts);
            break;
        case spFolder2:
            form.CustomFolders.Clear();
            form.CustomExts.Clear();
            for (const char* ext : {".chm", ".doc", ".hlp", ".htm", ".html", ".lzh", ".txt", ".zip"})
                form.CustomExts.Add(ext);
            break;
        default:
            break;
    }
}

std::pair<int32_t, int32_t> SettingsFieldRange(const TSettingsForm& form, int32_t control) {
    const TSettingsField* field = FindSettingsField(control);
    if (!field) return {0, 0};
    switch (control) {
        case IDC_MAX_TAB_WIDTH:
            return {std::max(field->Min, form.Value(IDC_MIN_TAB_WIDTH)), field->Max};
        case IDC_MIN_TAB_WIDTH:
            return {field->Min, std::min(field->Max, form.Value(IDC_MAX_TAB_WIDTH))};
        case IDC_RESOURCE_RED:
            return {field->Min, std::min(field->Max, form.Value(IDC_RESOURCE_YELLOW))};
        default:
            return {field->Min, field->Max};
    }
}

void SetSettingsNumber(TSettingsForm& form, int32_t control, int32_t value) {
    const auto [min, max] = SettingsFieldRange(form, control);
    form.Values[control] = ClampTo(value, min, max);
    if (control == IDC_RESOURCE_YELLOW && form.Value(IDC_RESOURCE_RED) > form.Value(IDC_RESOURCE_YELLOW))
        form.Values[IDC_RESOURCE_RED] = form.Value(IDC_RESOURCE_YELLOW);
}

void KeepSettingsBounds(TSettingsForm& form) {
    if (form.Value(IDC_MIN_TAB_WIDTH) > form.Value(IDC_MAX_TAB_WIDTH))
        form.Values[IDC_MIN_TAB_WIDTH] = form.Value(IDC_MAX_TAB_WIDTH);
    if (form.Value(IDC_RESOURCE_RED) > form.Value(IDC_RESOURCE_YELLOW))
        form.Values[IDC_RESOURCE_RED] = form.Value(IDC_RESOURCE_YELLOW);
}

std::vector<std::pair<int32_t, bool>> SettingsEnabling(const TSettingsForm& form) {
    std::vector<std::pair<int32_t, bool>> states;
    auto number = [&states](int32_t control, bool enabled) {
        for (int32_t i = 0; i < 4; ++i) states.emplace_back(control + i, enabled);
    };
    number(IDC_POINT_PAUSE, form.Value(IDC_POINT_OPEN) != 0);
    const bool horizontal = form.Value(IDC_HORIZONTAL_TAB) != 0;
    number(IDC_MAX_TAB_WIDTH, horizontal);
    number(IDC_MIN_TAB_WIDTH, horizontal);
    const bool autoHide = form.Value(IDC_AUTO_HIDE) != 0;
    states.emplace_back(IDC_SHOW_ON_POINT, autoHide);
    states.emplace_back(IDC_HIDE_SMOOTHLY, autoHide);
    number(IDC_SHOW_PAUSE, autoHide);
    number(IDC_HIDE_PAUSE, autoHide);
    number(IDC_HIDE_WIDTH, autoHide);
    for (int32_t i = 0; i < ColorCount; ++i) {
        states.emplace_back(IDC_COLOR_BUTTON0 + i, form.CustomColor);
        states.emplace_back(IDC_COLOR_LABEL0 + i, form.CustomColor);
    }
    const bool customFiler = form.Value(IDC_FILER_MY_COMPUTER) == 2;
    states.emplace_back(IDC_FILER_NAME, customFiler);
    states.emplace_back(IDC_FILER_REFERENCE, customFiler);
    return states;
}

bool AddCustomExt(TSortedTextList& exts, std::string_view typed) {
    if (typed.empty()) return false;
    std::string ext = AnsiLowerCase(typed);
    if (ext[0] != '.') ext.insert(ext.begin(), '.');
    if (static_cast<int32_t>(exts.Count()) >= MaxCustomExts) return false;
    return exts.Add(ext);
}

int32_t SoundKindOf(std::string_view value) {
    const auto& choices = SoundChoiceTable();
    for (int32_t i = 0; i < SoundChoiceCount; ++i) {
        const char* stored = choices[static_cast<size_t>(i)].Value;
        if (stored ? value == stored : value.empty()) return i;
    }
    return SoundKindFile;
}

std::string SoundValueOfKind(int32_t kind, std::string_view fileName) {
    if (kind < 0 || kind >= SoundChoiceCount) return std::string();
    const char* value = SoundChoiceTable()[static_cast<size_t>(kind)].Value;
    return value ? std::string(value) : std::string(fileName);
}

uint16_t ActionKeyOf(const std::vector<std::string>& shortCuts, int32_t action) {
    if (action < 0 || action >= ActionCount) return 0;
    return TextToShortCut(ListValue(shortCuts, ActionTable()[static_cast<size_t>(action)].Name));
}

void SetActionKey(std::vector<std::string>& shortCuts, int32_t action, uint16_t key) {
    if (action < 0 || action >= ActionCount) return;
    const std::string text = key ? ShortCutToText(key) : std::string();
    // A key the key text cannot name is kept as none rather than dropped.
    SetListValue(shortCuts, ActionTable()[static_cast<size_t>(action)].Name, text.empty() ? "*None" : text);
}
