#include "dialogs/organise_commands.h"

#include "app/command_bindings.h"
#include "app/editing_commands.h"
#include "app/vantor.h"
#include "commands/command_table.h"
#include "dialogs/entry_properties.h"
#include "dialogs/organise_dialog.h"
#include "dialogs/page_properties.h"

namespace {

// Every view of the sets shows what the dialog changed.
void ShowChanges(TVantor& vantor) {
    vantor.RefreshTabsAndFonts();
    vantor.RebuildPage();
    if (vantor.Bars().Exist()) vantor.Bars().Bar(BarSmart).RefreshBar();
}

void Organise(TVantor& vantor) {
    const bool smart = MainMenuOwner(vantor) == TMenuOwner::SmartBar;
    TVantorManager* pages = smart ? vantor.PagesOf(TBarKind::SmartBar) : &vantor.MainPages();
    if (!pages) return;
    if (EditPageSet(MainWindowHost(vantor), vantor.Platform(), *pages, vantor.Editing().Clipboard(), smart))
        ShowChanges(vantor);
}

void ChangeButton(TVantor& vantor) {
    const TEditingCommands::TEntryTarget target = vantor.Editing().Target();
    TVantorButton* entry = vantor.Editing().TargetEntry();
    if (!entry || entry->IsSeparator()) return;
    // The keyword and history bars show entries made for them: look, don't touch.
    const bool viewOnly = target.Owner == TMenuOwner::KeywordBar || target.Owner == TMenuOwner::HistoryBar;
    if (EditButton(MainWindowHost(vantor), vantor.Platform(), *entry, viewOnly)) ShowChanges(vantor);
}

void ChangePage(TVantor& vantor) {
    TVantorManager& pages = vantor.MainPages();
    const int32_t current = pages.CurrentPage();
    if (current < 0 || current >= pages.Count()) return;
    if (EditPage(MainWindowHost(vantor), *pages.Pages(current))) ShowChanges(vantor);
}

}  // namespace

void BindEditDialogs(TVantor& vantor) {
    TCommandTable& commands = vantor.Commands();
    commands.Bind(ActionEdit, [&vantor] { Organise(vantor); });
    commands.Bind(ActionChangeButton, [&vantor] { ChangeButton(vantor); });
    commands.Bind(ActionChangePage, [&vantor] { ChangePage(vantor); });
    vantor.Editing().EditNewEntry = [&vantor](TVantorButton& entry) {
        return EditButton(MainWindowHost(vantor), vantor.Platform(), entry, false);
    };
    vantor.Editing().EditNewPage = [&vantor](TVantorPage& page) { return EditPage(MainWindowHost(vantor), page); };
}
