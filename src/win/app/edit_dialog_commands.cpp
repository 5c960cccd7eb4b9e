#include "app/edit_dialog_commands.h"

#include "app/command_bindings.h"
#include "app/editing_commands.h"
#include "app/main_window_host.h"
#include "app/vantor.h"
#include "commands/command_table.h"
#include "dialogs/entry_properties.h"
#include "dialogs/organise_dialog.h"
#include "dialogs/page_properties.h"

namespace {

const char kEntryGone[] = "このボタンは開いている間に削除されたため、変更は保存されませんでした。";
const char kPageGone[] = "このページは開いている間に削除されたため、変更は保存されませんでした。";

// The organise dialog edits the set in place (Cancel puts its copy back).
void Organise(TVantor& vantor) {
    const bool smart = MainMenuOwner(vantor) == TMenuOwner::SmartBar;
    const TBarKind kind = smart ? TBarKind::SmartBar : TBarKind::Main;
    TVantorManager* pages = vantor.Document().SetOf(kind);
    if (!pages) return;
    if (EditPageSet(MainWindowHost(vantor), vantor.Platform(), *pages, vantor.Document().Clipboard(), smart))
        vantor.Document().Changed(TChange::WholeSet(kind));
}

// The dialog edits a copy; on OK the entry is found again by its slots, as
// anything may have happened to it while the dialog was open.
void ChangeButton(TVantor& vantor) {
    const TEditingCommands::TEntryTarget target = vantor.Editing().Target();
    const TVantorButton* found = vantor.Editing().TargetEntry();
    if (!found || found->IsSeparator() || !target.Page) return;
    // The keyword and history bars show entries made for them: look, don't touch.
    const bool viewOnly = target.Owner == TMenuOwner::KeywordBar || target.Owner == TMenuOwner::HistoryBar;
    TDocument& document = vantor.Document();
    const TEntryRef ref = document.RefOf(SetOf(target.Owner), *target.Page, target.Index);
    TVantorButton copy;
    copy.CopyDataFrom(*found);
    if (!EditButton(MainWindowHost(vantor), vantor.Platform(), copy, viewOnly)) return;
    if (!document.StoreEntry(ref, copy)) vantor.InfoBox(kEntryGone);
}

void ChangePage(TVantor& vantor) {
    TDocument& document = vantor.Document();
    const TPageRef ref = document.CurrentPage(TBarKind::Main);
    const TVantorPage* page = document.FindPage(ref);
    if (!page) return;
    TVantorPage copy(vantor.Platform());
    copy.Assign(*page);
    if (!EditPage(MainWindowHost(vantor), copy)) return;
    if (!document.StorePage(ref, copy)) vantor.InfoBox(kPageGone);
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
