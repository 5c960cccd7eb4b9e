#include "app/entry_menu.h"

#include "app/vantor.h"
#include "base/log.h"
#include "base/menu_images.h"
#include "commands/command_table.h"
#include "text/text.h"

TMenuOwner MenuOwnerOf(TEntryWindow window) {
    switch (window) {
        case TEntryWindow::Smart:
            return TMenuOwner::SmartBar;
        case TEntryWindow::Keyword:
            return TMenuOwner::KeywordBar;
        case TEntryWindow::History:
            return TMenuOwner::HistoryBar;
        default:
            return TMenuOwner::Main;
    }
}

TEntryMenu::TEntryMenu(TVantor& vantor) : FVantor(vantor) {}

void TEntryMenu::Build(TMenuOwner owner, const TVantorButton& entry) {
    FFolder.Close();
    FMenu.Clear();
    FMenu.SetImages(&MenuStripImages());
    FMenu.SetOwnerDrawn(true);
    const TTargetAnswer known = KnownOf(entry);
    const TEntryMenuState state = EntryMenuState(owner, entry.IsSeparator(), entry.LinkTo,
                                                 known.Facts.Kind == TTargetKind::Unknown ? nullptr : &known.Facts);
    auto add = [this](TPopupMenu& to, const std::string& caption, int32_t action, int image, bool enabled) {
        const std::string key = ShortCutToText(FVantor.Desktop().Keys().KeyOf(action));
        const int position = to.AddItem(
            caption, key, [this, action] { FVantor.Commands().Run(action); }, image);
        to.SetEnabled(position, enabled);
    };
    add(FMenu, "引数を指定して実行(&A)...", ActionExecuteWithArg, -1, state.ExecuteWithArg);
    FMenu.AddSeparator();
    add(FMenu, "プロパティ(&P)...", ActionChangeButton, miProperties, state.ChangeButton);
    add(FMenu, "削除(&D)", ActionDeleteButton, miDelete, state.DeleteButton);
    add(FMenu, "切り取り(&T)", ActionCutButton, miCut, state.CutButton);
    add(FMenu, "コピー(&C)", ActionCopyButton, miCopy, state.CopyButton);
    FMenu.AddSeparator();
    // Files that are not there are never offered.
    if (!state.HelpFile.empty()) add(FMenu, state.HelpCaption, ActionLinkHelp, miHelp, true);
    if (!state.ReadMeFile.empty()) add(FMenu, state.ReadMeCaption, ActionLinkReadMe, miReadMe, true);
    if (!state.HelpFile.empty() || !state.ReadMeFile.empty()) FMenu.AddSeparator();
    TPopupMenu& shortcut = FMenu.AddSubmenu("ショートカットの作成(&S)", miShortcut);
    shortcut.SetOwnerDrawn(true);
    FMenu.SetEnabled(FMenu.Count() - 1, state.MakeShortCut);
    add(shortcut, "デスクトップ(&D)", ActionShortCutToDesktop, miDesktop, true);
    add(shortcut, "スタートメニュー(&M)", ActionShortCutToStartMenu, miStartMenu, true);
    add(shortcut, "スタートアップ(&U)", ActionShortCutToStartup, miStartMenu, true);
    add(shortcut, "送る(&S)", ActionShortCutToSendTo, miSendTo, true);
    add(FMenu, "このフォルダを開く(&F)", ActionOpenThisFolder, -1, state.OpenThisFolder);
    if (!state.Folder.empty() && known.FolderItem) FFolder.AddFolderItem(FMenu, *known.FolderItem);
}

void TEntryMenu::Prefetch(const void* owner, const TVantorPage& page) {
    std::vector<std::string> targets;
    for (int32_t i = 0; i < page.Count(); ++i)
        if (!page.Buttons(i)->IsSeparator()) targets.push_back(page.Buttons(i)->LinkTo);
    FVantor.Probe().Prefetch(owner, targets, MenuQuestions);
}

// The menu opens at once with what was learnt of the target lately; what
// is not known yet is left out, and asked for so that the next time has it.
TTargetAnswer TEntryMenu::KnownOf(const TVantorButton& entry) {
    if (entry.IsSeparator() || entry.LinkTo.empty() || IsWebAddress(entry.LinkTo)) return {};
    TTargetProbe& probe = FVantor.Probe();
    const TTargetAnswer* known = probe.Known(entry.LinkTo, MenuQuestions, TTargetProbe::TCache::ShownMs);
    TTargetAnswer answer = known ? *known : TTargetAnswer{};
    if (!probe.Known(entry.LinkTo, MenuQuestions)) probe.Ask(entry.LinkTo, MenuQuestions, nullptr);
    return answer;
}

void TEntryMenu::Popup(TMenuOwner owner, TVantorPage& page, int32_t index, POINT at) {
    if (index < 0 || index >= page.Count() || !page.Buttons(index)) return;
    // A menu over a menu would leave the first one's entry behind.
    if (FOwner) return;
    FVantor.Hints().HideTitle();
    FOwner = FVantor.Handle();
    if (owner != TMenuOwner::Main && FVantor.Bars().Exist()) {
        const int32_t bar = owner == TMenuOwner::SmartBar     ? BarSmart
                            : owner == TMenuOwner::KeywordBar ? BarKeyword
                            : owner == TMenuOwner::HistoryBar ? BarHistory
                                                              : BarResource;
        TFormFloat& form = FVantor.Bars().Bar(bar);
        if (!form.Docked()) FOwner = form.Handle();
    }
    TEditingCommands& editing = FVantor.Editing();
    editing.SetMenuEntry(TEditingCommands::TEntryTarget{owner, &page, index});
    try {
        Build(owner, *page.Buttons(index));
        // A folder command's ID list outlives what it queued (TFolderMenu::Close).
        FMenu.Popup(FOwner, at);
    } catch (const std::exception& e) {
        LogSwallowed("entry menu", e);
    } catch (...) {
        LogSwallowed("entry menu");
    }
    editing.ClearMenuEntry();
    FMenu.Clear();
    FFolder.Close();
    FOwner = nullptr;
}

void TEntryMenu::PopupForFocus() {
    TVantorManager& pages = FVantor.MainPages();
    const int32_t current = pages.CurrentPage();
    const int entry = FVantor.MainView().FocusEntry();
    if (current < 0 || current >= pages.Count() || entry < 0 || entry >= TEntryView::PoolSize) return;
    const TGraphicControl& button = *FVantor.MainView().Button(entry);
    Popup(TMenuOwner::Main, *pages.Pages(current), entry, button.ClientToScreen(POINT{0, button.Height()}));
}

HWND TEntryMenu::FolderMenuOwner() { return FOwner ? FOwner : FVantor.Handle(); }
TVantorManager& TEntryMenu::FolderMenuPages() { return FVantor.MainPages(); }
TFolderHistory& TEntryMenu::FolderMenuHistory() { return FVantor.Document().FolderHistory(); }
void TEntryMenu::FolderMenuPageChanged() {
    FVantor.Document().Changed(TChange::WholePage(FVantor.Document().CurrentPage(TBarKind::Main)));
}
void TEntryMenu::FolderMenuError(const std::string& text) { FVantor.ErrorBox(text); }
void TEntryMenu::FolderMenuExecute(LPCITEMIDLIST item) { FVantor.Launcher().ExecuteItem(item, "", SW_SHOW, ""); }
