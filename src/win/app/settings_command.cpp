// The settings command: the dialog over a copy of the settings, and what the
// program does with settings it takes, from the dialog or from Vantor.ini
// changed elsewhere.
#include "app/settings_command.h"

#include "app/command_bindings.h"
#include "app/program_help.h"
#include "app/vantor.h"
#include "dialogs/settings_dialog.h"

namespace {

std::array<uint32_t, ColorCount> SystemColorDefaults() {
    static const int kinds[ColorCount] = {COLOR_BTNFACE, COLOR_WINDOWTEXT, COLOR_CAPTIONTEXT, COLOR_ACTIVECAPTION,
                                          COLOR_BTNFACE, COLOR_BTNFACE,    COLOR_WINDOWTEXT};
    std::array<uint32_t, ColorCount> colors{};
    for (int i = 0; i < ColorCount; ++i) colors[static_cast<size_t>(i)] = GetSysColor(kinds[i]) & 0xFFFFFF;
    return colors;
}

}  // namespace

// What start-up runs after reading the settings, in the order a change needs.
void ApplySettings(TVantor& vantor) {
    TVantorManager& settings = vantor.MainPages();
    vantor.Hider().SettingsChanged();
    vantor.Desktop().ApplyKeyDefinitions();
    BuildMainMenu(vantor);  // the menu shows the keys
    vantor.ApplyScrollButtonStyle();
    vantor.ApplyOpacity();
    vantor.Desktop().ShowIcon(settings.ShowIcon);
    vantor.LoadWallpaper();
    if (vantor.Bars().Exist()) vantor.Bars().KeepOnScreen();
    vantor.RefreshTabsAndFonts();
    vantor.RebuildPage();
    InvalidateRect(vantor.Handle(), nullptr, TRUE);
    if (vantor.Bars().Exist()) vantor.Bars().RepaintAll();
    vantor.FormResize();
}

void RunSettingsDialog(TVantor& vantor) {
    TVantorManager& settings = vantor.MainPages();
    TSettingsDialog dialog;
    dialog.Services = &vantor.Services();
    dialog.Help = ProgramHelp(vantor.ProgramFolder, vantor.Services());
    dialog.Form = LoadSettingsForm(settings);
    dialog.Page = std::max(0, SettingsPageIndex(vantor.OptionPage));
    dialog.Defaults.Colors = SystemColorDefaults();
    const TKeyDefinitions& keys = vantor.Desktop().Keys();
    for (int32_t i = 0; i < ActionCount; ++i)
        dialog.HotKeyFailed[static_cast<size_t>(i)] =
            ActionHotKey(i) && keys.KeyOf(i) != 0 && !keys.HotKeyRegistered(i);
    const int result = vantor.RunModal(dialog);
    vantor.OptionPage = SettingsPageTable()[static_cast<size_t>(dialog.Page)].Name;
    if (result != IDOK) return;
    StoreSettingsForm(dialog.Form, settings);
    ApplySettings(vantor);
    vantor.WindowSettings().Write();
}
