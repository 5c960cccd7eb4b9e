#include "app/command_bindings.h"

#include "app/vantor.h"
#include "bars/keyword_bar.h"
#include "base/menu_images.h"

namespace {

const char kClearHistoryQuestion[] = "履歴をクリアしてもよろしいですか？";

// The entry the keyboard is on: the focus frame's entry of the current page.
const TVantorButton* FocusedEntry(TVantor& vantor) {
    TVantorManager& pages = vantor.MainPages();
    const int32_t current = pages.CurrentPage();
    if (current < 0 || current >= pages.Count()) return nullptr;
    const TVantorPage& page = *pages.Pages(current);
    if (vantor.CurrentButton < 0 || vantor.CurrentButton >= page.Count()) return nullptr;
    return page.Buttons(vantor.CurrentButton);
}

void OpenFocusedFolder(TVantor& vantor) {
    const TVantorButton* entry = FocusedEntry(vantor);
    if (entry && !entry->IsSeparator()) vantor.Launcher().OpenThisFolder(entry->LinkTo);
}

void ClearHistory(TVantor& vantor) {
    if (!vantor.ConfirmBox(kClearHistoryQuestion)) return;
    TVantorManager& history = vantor.HistoryPages();
    if (history.CurrentPage() >= 0 && history.CurrentPage() < history.Count())
        history.Pages(history.CurrentPage())->Clear();
    if (vantor.Bars().Exist()) vantor.Bars().Bar(BarHistory).RefreshBar();
}

// The menu hot key opens the main menu near the window's top-left corner.
void PopupMainMenuAtWindow(TVantor& vantor) {
    RECT r{};
    GetWindowRect(vantor.Handle(), &r);
    vantor.MainMenu.Popup(vantor.Handle(), POINT{r.left + 32, r.top + 32});
}

}  // namespace

// Actions without a command here are not built yet, and a key, hot key or
// corner bound to one does nothing: the editing commands, the bars, the
// system buttons, the dialogs, shortcuts and help come with their own windows.
void BindMainCommands(TVantor& vantor) {
    TCommandTable& commands = vantor.Commands();
    // Bringing the window out and to the front is all this one does.
    commands.Bind(ActionActivate, [] {});
    commands.Bind(ActionActivateKeyword, [&vantor] { ActivateKeyword(vantor); });
    const std::pair<int32_t, int32_t> barToggles[] = {{ActionSmartBar, BarSmart},
                                                      {ActionKeywordBar, BarKeyword},
                                                      {ActionHistoryBar, BarHistory},
                                                      {ActionResourceBar, BarResource}};
    for (const auto& [action, bar] : barToggles)
        commands.Bind(action, [&vantor, bar = bar] { vantor.Bars().ToggleShown(bar); });
    commands.Bind(ActionOpenThisFolder, [&vantor] { OpenFocusedFolder(vantor); });
    commands.Bind(ActionClearHistory, [&vantor] { ClearHistory(vantor); });
    commands.Bind(ActionMenu, [&vantor] { PopupMainMenuAtWindow(vantor); });
    commands.Bind(ActionExit, [&vantor] { SendMessageW(vantor.Handle(), WM_CLOSE, 0, 0); });
}

// The items of the main menu whose commands exist, in the menu's order; the
// editing, bar, settings and help items join them with their commands.
void BuildMainMenu(TVantor& vantor) {
    TPopupMenu& menu = vantor.MainMenu;
    menu.Clear();
    menu.SetImages(&MenuStripImages());
    auto add = [&vantor](TPopupMenu& to, const char* caption, int32_t action, int image = -1) {
        const std::string key = ShortCutToText(vantor.Desktop().Keys().KeyOf(action));
        return to.AddItem(
            caption, key, [&vantor, action] { vantor.Commands().Run(action); }, image);
    };
    TPopupMenu& view = menu.AddSubmenu("表示(&V)");
    struct TBarItem {
        const char* Caption;
        int32_t Action;
        int32_t Bar;
        int Image;
    };
    static const TBarItem kBarItems[] = {{"スマートバー(&S)", ActionSmartBar, BarSmart, miSmartBar},
                                         {"キーワードバー(&K)", ActionKeywordBar, BarKeyword, miKeywordBar},
                                         {"履歴バー(&H)", ActionHistoryBar, BarHistory, miHistoryBar},
                                         {"リソースバー(&R)", ActionResourceBar, BarResource, miResourceBar}};
    for (const TBarItem& item : kBarItems) add(view, item.Caption, item.Action, item.Image);
    // The check marks show which bars are up; without a meter its item is off.
    view.OnPopup = [&vantor](TPopupMenu& items) {
        TBarSet& bars = vantor.Bars();
        if (!bars.Exist()) return;
        for (int i = 0; i < 4; ++i) items.SetChecked(i, bars.Bar(kBarItems[i].Bar).Shown());
        items.SetEnabled(3, bars.MeterAvailable());
    };
    menu.AddSeparator();
    add(menu, "履歴のクリア(&L)", ActionClearHistory);
    menu.AddSeparator();
    add(menu, "終了(&X)", ActionExit);
}
