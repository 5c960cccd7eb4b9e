#include "app/command_bindings.h"

#include "app/edit_dialog_commands.h"
#include "app/main_window_host.h"
#include "app/program_help.h"
#include "app/settings_command.h"
#include "app/shortcut_commands.h"
#include "app/vantor.h"
#include "bars/keyword_bar.h"
#include "base/menu_images.h"
#include "commands/menu_rules.h"
#include "dialogs/about.h"
#include "dialogs/run_with_arguments.h"

namespace {

const char kClearHistoryQuestion[] = "履歴をクリアしてもよろしいですか？";
const char kHomePage[] = "https://vantor.example.jp/";

void ClearHistory(TVantor& vantor) {
    if (!vantor.ConfirmBox(kClearHistoryQuestion)) return;
    TDocument& document = vantor.Document();
    document.ClearPage(document.CurrentPage(TBarKind::HistoryBar));
}

// The menu hot key opens the main menu near the window's top-left corner.
void PopupMainMenuAtWindow(TVantor& vantor) {
    RECT r{};
    GetWindowRect(vantor.Handle(), &r);
    vantor.MainMenu.Popup(vantor.Handle(), POINT{r.left + 32, r.top + 32});
}

// トピックの検索: the help file, or the manual's contents in the browser.
void ShowHelpContents(TVantor& vantor) {
    const std::string missing = ProgramHelp(vantor.ProgramFolder, vantor.Services())
                                    ->ShowHelp(vantor.Handle(), HelpTopicOf(THelpWindow::Contents));
    if (!missing.empty()) vantor.ErrorBox(missing);
}

}  // namespace

// Actions without a command here are not built yet, and a key, hot key or
// corner bound to one does nothing: the dialogs bind theirs as they come.
void BindMainCommands(TVantor& vantor) {
    TCommandTable& commands = vantor.Commands();
    // Bringing the window out and to the front is all this one does.
    commands.Bind(ActionActivate, [] {});
    commands.Bind(ActionActivateKeyword, [&vantor] { ActivateKeyword(vantor.Bars()); });
    const std::pair<int32_t, int32_t> barToggles[] = {{ActionSmartBar, BarSmart},
                                                      {ActionKeywordBar, BarKeyword},
                                                      {ActionHistoryBar, BarHistory},
                                                      {ActionResourceBar, BarResource}};
    for (const auto& [action, bar] : barToggles)
        commands.Bind(action, [&vantor, bar = bar] { vantor.Bars().ToggleShown(bar); });
    vantor.Editing().Bind(commands);
    BindEditDialogs(vantor);
    BindShortcutCommands(vantor);
    // Help: files beside the program, and pages on the web.
    auto open = [&vantor](const std::string& target) { vantor.Launcher().Execute(target, "", SW_SHOW, ""); };
    commands.Bind(ActionHelp, [&vantor] { ShowHelpContents(vantor); });
    commands.Bind(ActionHint, [&vantor, open] { open(vantor.ProgramFolder + "Hint.exe"); });
    commands.Bind(ActionHomePage, [open] { open(kHomePage); });
    commands.Bind(ActionBugReport, [&vantor, open] { open(vantor.ProgramFolder + "bugrep.html"); });
    commands.Bind(ActionClearHistory, [&vantor] { ClearHistory(vantor); });
    commands.Bind(ActionMenu, [&vantor] { PopupMainMenuAtWindow(vantor); });
    commands.Bind(ActionExit, [&vantor] { SendMessageW(vantor.Handle(), WM_CLOSE, 0, 0); });
    commands.Bind(ActionAbout, [&vantor] { ShowAboutDialog(MainWindowHost(vantor)); });
    commands.Bind(ActionOption, [&vantor] { RunSettingsDialog(vantor); });
    vantor.Editing().AskArguments = [&vantor](std::string& arguments, const std::vector<std::string>& history) {
        return RunWithArgumentsDialog(MainWindowHost(vantor), arguments, history);
    };
}

// The window the main menu is for: the bar holding the keyboard focus, else
// the main window.
TMenuOwner MainMenuOwner(TVantor& vantor) {
    if (!vantor.Bars().Exist()) return TMenuOwner::Main;
    for (HWND wnd = GetFocus(); wnd; wnd = GetParent(wnd)) {
        const TFormFloat* bar = vantor.Bars().BarOfWindow(wnd);
        if (!bar) continue;
        switch (bar->BarId()) {
            case BarSmart:
                return TMenuOwner::SmartBar;
            case BarKeyword:
                return TMenuOwner::KeywordBar;
            case BarHistory:
                return TMenuOwner::HistoryBar;
            default:
                return TMenuOwner::ResourceBar;
        }
    }
    return TMenuOwner::Main;
}

// The whole main menu; every item runs its action through the command table,
// so an action without a command yet simply does nothing.
void BuildMainMenu(TVantor& vantor) {
    TPopupMenu& menu = vantor.MainMenu;
    menu.Clear();
    menu.SetImages(&MenuStripImages());
    auto add = [&vantor](TPopupMenu& to, const char* caption, int32_t action, int image = -1) {
        const std::string key = ShortCutToText(vantor.Desktop().Keys().KeyOf(action));
        return to.AddItem(
            caption, key, [&vantor, action] { vantor.Commands().Run(action); }, image);
    };
    const int edit = add(menu, "編集(&E)...", ActionEdit);
    menu.AddSeparator();
    const int addButton = add(menu, "ボタンの追加(&A)...", ActionAddButton, miAdd);
    const int addSeparator = add(menu, "セパレータの追加(&S)", ActionAddSeparator);
    const int paste = add(menu, "貼り付け(&T)", ActionPasteButton, miPaste);
    menu.AddSeparator();
    const int addPage = add(menu, "ページの追加(&G)...", ActionAddPage, miAdd);
    const int changePage = add(menu, "ページのプロパティ(&P)...", ActionChangePage, miProperties);
    const int deletePage = add(menu, "ページの削除(&D)", ActionDeletePage, miDelete);
    menu.AddSeparator();
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
    add(menu, "設定(&O)...", ActionOption);
    add(menu, "履歴のクリア(&L)", ActionClearHistory);
    menu.AddItem("リンク切れの確認(&B)...", "", [&vantor] { vantor.BrokenLinks().Run(); });
    add(menu, "スタートアップに登録(&T)", ActionStartup, miShortcut);
    TPopupMenu& help = menu.AddSubmenu("ヘルプ(&H)");
    add(help, "トピックの検索(&H)", ActionHelp, miHelp);
    add(help, "ヒント(&I)", ActionHint);
    add(help, "作者ホームページ(&C)", ActionHomePage);
    add(help, "バグ報告(&B)", ActionBugReport);
    help.AddSeparator();
    add(help, "バージョン情報(&B)...", ActionAbout);
    menu.AddSeparator();
    add(menu, "終了(&X)", ActionExit);
    // Entries are added where the user's own pages show; pages only in the
    // main window.
    menu.OnPopup = [&vantor, edit, addButton, addSeparator, paste, addPage, changePage, deletePage](TPopupMenu& items) {
        vantor.Hints().HideTitle();
        const TMainMenuEnabling state = MainMenuEnabling(MainMenuOwner(vantor));
        items.SetEnabled(edit, state.Edit);
        items.SetEnabled(addButton, state.AddButton);
        items.SetEnabled(addSeparator, state.AddSeparator);
        items.SetEnabled(paste, state.Paste);
        items.SetEnabled(addPage, state.AddPage);
        items.SetEnabled(changePage, state.ChangePage);
        items.SetEnabled(deletePage, state.DeletePage);
    };
}
