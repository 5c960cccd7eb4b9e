#include "app/command_bindings.h"

#include "app/vantor.h"

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
}

}  // namespace

// Actions without a command here are not built yet, and a key, hot key or
// corner bound to one does nothing: the editing commands, the bars, the
// system buttons, the dialogs, shortcuts, the main menu and help come with
// their own windows.
void BindMainCommands(TVantor& vantor) {
    TCommandTable& commands = vantor.Commands();
    // Bringing the window out and to the front is all these do until the
    // keyword bar exists.
    commands.Bind(ActionActivate, [] {});
    commands.Bind(ActionActivateKeyword, [] {});
    commands.Bind(ActionOpenThisFolder, [&vantor] { OpenFocusedFolder(vantor); });
    commands.Bind(ActionClearHistory, [&vantor] { ClearHistory(vantor); });
    commands.Bind(ActionExit, [&vantor] { SendMessageW(vantor.Handle(), WM_CLOSE, 0, 0); });
}
