// The settings dialog's copy of the settings: what OK stores, the defaults of
// one page, the fields that bound each other, and the list, sound and key
// helpers of the special pages.
#include "dialogs/settings_pages.h"

#include <gtest/gtest.h>

#include "fake_platform.h"
#include "settings/keys.h"
#include "settings/name_value.h"

namespace {

std::string Written(const TVantorSettings& settings) {
    TProfile ini;
    settings.WriteSettings(ini, 0, TFolderHistory());
    return ini.SaveToBytes();
}

class SettingsPagesTest : public testing::Test {
protected:
    TFakePlatform Platform;
    void SetUp() override { Platform.Fonts = {"MS UI Gothic", "ＭＳ Ｐゴシック", "Arial"}; }
};

}  // namespace

TEST_F(SettingsPagesTest, EveryPageAndFieldIsReachable) {
    ASSERT_EQ(SettingsPageTable().size(), 16u);
    EXPECT_EQ(SettingsPageIndex("TSCorner"), spCorner);
    EXPECT_EQ(SettingsPageIndex("TSNothing"), -1);
    for (const TSettingsField& field : SettingsFields()) {
        // The dialog finds a control's page from its identifier.
        EXPECT_EQ((field.Control - 1000) / 100, field.Page) << field.Control;
        EXPECT_EQ(FindSettingsField(field.Control), &field);
        if (field.Kind == TFieldKind::Number) {
            EXPECT_LE(field.Min, field.Default);
            EXPECT_GE(field.Max, field.Default);
        }
    }
}

TEST_F(SettingsPagesTest, OkWithoutChangesWritesTheSameFile) {
    TVantorSettings settings(Platform);
    settings.SetFontName("Arial");
    settings.SetCornerPause(1500);  // above the old dialog's 1000
    settings.SetFilerType(2);
    settings.FilerName = "C:\\ファイラー\\表.exe";
    settings.SetMaxTabWidth(40);
    settings.SetMinTabWidth(30);
    settings.SetResourceYellow(50);
    settings.SetResourceRed(45);
    settings.SetCornerCall(3, 7);
    settings.CustomColor = true;
    settings.Colors[2] = 0x123456;
    settings.CustomFolders.Add("C:\\Data");
    settings.VisibleFolders.Temp = true;
    settings.ShowPause = 350;
    const std::string before = Written(settings);

    TVantorSettings copy(Platform);
    StoreSettingsForm(LoadSettingsForm(settings), copy);
    EXPECT_EQ(Written(copy), before);
}

TEST_F(SettingsPagesTest, StoredValuesAreKeptInTheirFields) {
    TVantorSettings settings(Platform);
    TSettingsForm form = LoadSettingsForm(settings);
    form.Values[IDC_POINT_PAUSE] = 99999;
    form.Values[IDC_SHOW_PAUSE] = -5;
    form.Values[IDC_TITLE_BAR_LAYOUT] = 9;
    form.Values[IDC_CORNER0 + 1] = 5;
    form.Values[IDC_MAX_TAB_WIDTH] = 20;
    form.Values[IDC_MIN_TAB_WIDTH] = 100;  // typed, not spun
    KeepSettingsBounds(form);
    form.Texts[IDC_FONT_NAME] = "No Such Font";
    StoreSettingsForm(form, settings);
    EXPECT_EQ(settings.PointPause(), 2000);
    EXPECT_EQ(settings.ShowPause, 0);
    EXPECT_EQ(settings.TitleBarLayout(), 4);
    EXPECT_EQ(settings.CornerCall(1), 5);
    EXPECT_EQ(settings.MaxTabWidth(), 20);
    EXPECT_EQ(settings.MinTabWidth(), 20);
    EXPECT_EQ(settings.FontName(), FallbackFontName);

    // A filer type outside the three buttons shows the first.
    settings.SetFilerType(7);
    EXPECT_EQ(LoadSettingsForm(settings).Value(IDC_FILER_MY_COMPUTER), 0);
}

TEST_F(SettingsPagesTest, DefaultResetsOnlyTheShownPage) {
    TVantorSettings settings(Platform);
    settings.HorizontalTab = true;
    settings.SetMaxTabWidth(100);
    settings.AutoHide = false;
    SetListValue(settings.ShortCuts, "MExit", "Ctrl+Q");
    SetListValue(settings.Sounds, "Launch", "*None");
    settings.CustomExts.Clear();
    TSettingsForm form = LoadSettingsForm(settings);
    TSettingsDefaults defaults;
    defaults.FontName = FallbackFontName;

    ResetSettingsPage(form, spGeneral, defaults);
    EXPECT_EQ(form.Value(IDC_HORIZONTAL_TAB), 0);
    EXPECT_EQ(form.Value(IDC_MAX_TAB_WIDTH), 48);
    EXPECT_EQ(form.Value(IDC_AUTO_HIDE), 0);  // another page
    EXPECT_EQ(ListValue(form.ShortCuts, "MExit"), "Ctrl+Q");

    ResetSettingsPage(form, spKeyboard, defaults);
    std::vector<std::string> keys;
    SetDefaultShortCuts(keys);
    EXPECT_EQ(form.ShortCuts, keys);
    EXPECT_EQ(ListValue(form.Sounds, "Launch"), "*None");

    ResetSettingsPage(form, spFolder2, defaults);
    EXPECT_EQ(form.CustomExts.Count(), 8u);
    ResetSettingsPage(form, spView, defaults);
    EXPECT_EQ(form.Text(IDC_FONT_NAME), FallbackFontName);
    EXPECT_EQ(form.Value(IDC_BUTTON_STYLE), 1);
}

TEST_F(SettingsPagesTest, TabWidthsBoundEachOtherAndRedFollowsYellow) {
    TVantorSettings settings(Platform);
    TSettingsForm form = LoadSettingsForm(settings);
    SetSettingsNumber(form, IDC_MAX_TAB_WIDTH, 40);
    SetSettingsNumber(form, IDC_MIN_TAB_WIDTH, 60);
    EXPECT_EQ(form.Value(IDC_MIN_TAB_WIDTH), 40);
    EXPECT_EQ(SettingsFieldRange(form, IDC_MAX_TAB_WIDTH), std::make_pair(40, 128));
    SetSettingsNumber(form, IDC_MAX_TAB_WIDTH, 10);
    EXPECT_EQ(form.Value(IDC_MAX_TAB_WIDTH), 40);

    EXPECT_EQ(form.Value(IDC_RESOURCE_RED), 20);
    SetSettingsNumber(form, IDC_RESOURCE_YELLOW, 10);
    EXPECT_EQ(form.Value(IDC_RESOURCE_RED), 10);
    EXPECT_EQ(SettingsFieldRange(form, IDC_RESOURCE_RED), std::make_pair(0, 10));
}

TEST_F(SettingsPagesTest, EnablingFollowsTheirSwitches) {
    TVantorSettings settings(Platform);
    settings.AutoHide = false;
    settings.SetFilerType(2);
    TSettingsForm form = LoadSettingsForm(settings);
    std::map<int32_t, bool> state;
    for (const auto& [id, enabled] : SettingsEnabling(form)) state[id] = enabled;
    EXPECT_FALSE(state.at(IDC_HIDE_PAUSE));
    EXPECT_FALSE(state.at(IDC_HIDE_PAUSE + 1));  // its up-down too
    EXPECT_TRUE(state.at(IDC_FILER_NAME));
    EXPECT_FALSE(state.at(IDC_COLOR_BUTTON0));
    EXPECT_TRUE(state.at(IDC_MAX_TAB_WIDTH));
}

TEST_F(SettingsPagesTest, ExtensionsAreLowerCaseWithADotAndListedOnce) {
    TSortedTextList exts;
    EXPECT_TRUE(AddCustomExt(exts, "TXT"));
    EXPECT_FALSE(AddCustomExt(exts, ".Txt"));
    EXPECT_FALSE(AddCustomExt(exts, ""));
    EXPECT_TRUE(AddCustomExt(exts, ".ＤＯＣ"));
    EXPECT_EQ(exts.Items(), (std::vector<std::string>{".txt", ".ｄｏｃ"}));
}

TEST_F(SettingsPagesTest, SoundKindsFollowTheStoredValue) {
    EXPECT_EQ(SoundKindOf("*None"), 0);
    EXPECT_EQ(SoundKindOf(""), SoundKindFile);
    EXPECT_EQ(SoundKindOf("*MenuPopup"), 3);
    EXPECT_EQ(SoundKindOf("*menupopup"), SoundKindFile);  // exact match only
    EXPECT_EQ(SoundKindOf("C:\\a.wav"), SoundKindFile);
    EXPECT_EQ(SoundValueOfKind(3, "x.wav"), "*MenuPopup");
    EXPECT_EQ(SoundValueOfKind(SoundKindFile, "x.wav"), "x.wav");
}

TEST_F(SettingsPagesTest, AClearedKeyStaysClearedAfterTheDefaultsAreMerged) {
    std::vector<std::string> keys;
    SetDefaultShortCuts(keys);
    const int32_t activate = ActionActivate;
    ASSERT_NE(ActionKeyOf(keys, activate), 0);
    SetActionKey(keys, activate, 0);
    EXPECT_EQ(MergeKeyDefinitions(keys)[activate], 0);
    SetActionKey(keys, activate, KeyCtrl | KeyAlt | 'K');
    EXPECT_EQ(ActionKeyOf(keys, activate), KeyCtrl | KeyAlt | 'K');
}
