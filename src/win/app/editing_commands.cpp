#include "app/editing_commands.h"

#include "app/command_bindings.h"
#include "app/vantor.h"
#include "commands/command_table.h"
#include "commands/page_editing.h"
#include "text/text.h"

TEditingCommands::TEditingCommands(TVantor& vantor) : FVantor(vantor) {}

TEditingCommands::~TEditingCommands() = default;

void TEditingCommands::Bind(TCommandTable& commands) {
    const std::pair<int32_t, void (TEditingCommands::*)()> bindings[] = {
        {ActionAddButton, &TEditingCommands::AddButton},
        {ActionAddSeparator, &TEditingCommands::AddSeparator},
        {ActionPasteButton, &TEditingCommands::PasteButton},
        {ActionAddPage, &TEditingCommands::AddPage},
        {ActionDeletePage, &TEditingCommands::DeletePage},
        {ActionDeleteButton, &TEditingCommands::DeleteButton},
        {ActionCutButton, &TEditingCommands::CutButton},
        {ActionCopyButton, &TEditingCommands::CopyButton},
        {ActionExecuteWithArg, &TEditingCommands::ExecuteWithArg},
        {ActionLinkHelp, &TEditingCommands::LinkHelp},
        {ActionLinkReadMe, &TEditingCommands::LinkReadMe},
        {ActionOpenThisFolder, &TEditingCommands::OpenThisFolder},
    };
    for (const auto& [action, command] : bindings)
        commands.Bind(action, [this, command = command] { (this->*command)(); });
}

namespace {

int32_t BarOf(TMenuOwner owner) {
    switch (owner) {
        case TMenuOwner::SmartBar:
            return BarSmart;
        case TMenuOwner::KeywordBar:
            return BarKeyword;
        case TMenuOwner::HistoryBar:
            return BarHistory;
        default:
            return BarResource;
    }
}

// The keyword and history bars show the user's entries, not their own.
bool EntriesRemovable(TMenuOwner owner) { return owner == TMenuOwner::Main || owner == TMenuOwner::SmartBar; }

}  // namespace

TEditingCommands::TEntryTarget TEditingCommands::Target() const {
    if (FMenuEntry.Page) return FMenuEntry;
    return KeyboardTarget();
}

// The focused entry of the window whose entry area has the keyboard. A bar
// with the keyboard and no entry of its own to act on gives none: the main
// page is never reached from a bar.
TEditingCommands::TEntryTarget TEditingCommands::KeyboardTarget() const {
    const TMenuOwner owner = MainMenuOwner(FVantor);
    if (owner == TMenuOwner::Main) {
        TVantorManager& pages = FVantor.MainPages();
        const int32_t current = pages.CurrentPage();
        if (current < 0 || current >= pages.Count()) return TEntryTarget{};
        return TEntryTarget{TMenuOwner::Main, pages.Pages(current), FVantor.CurrentButton};
    }
    if (owner == TMenuOwner::ResourceBar || !FVantor.Bars().Exist()) return TEntryTarget{owner, nullptr, -1};
    const TFormFloat& bar = FVantor.Bars().Bar(BarOf(owner));
    return TEntryTarget{owner, bar.BarPage(), bar.FocusEntry()};
}

TVantorButton* TEditingCommands::TargetEntry() const {
    const TEntryTarget target = Target();
    if (!target.Page || target.Index < 0 || target.Index >= target.Page->Count()) return nullptr;
    return target.Page->Buttons(target.Index);
}

TEntryRef TEditingCommands::TargetRef() const {
    const TEntryTarget target = Target();
    if (!target.Page) return TEntryRef{};
    return EntryRefOf(SetOf(target.Owner), *target.Page, target.Index);
}

TPageRef TEditingCommands::FocusPage() {
    TDocument& document = FVantor.Document();
    switch (MainMenuOwner(FVantor)) {
        case TMenuOwner::Main:
            return document.CurrentPage(TBarKind::Main);
        case TMenuOwner::SmartBar:
            return document.CurrentPage(TBarKind::SmartBar);
        default:
            // The keyword and history bars show pages of their own making.
            return TPageRef{};
    }
}

// ---------------------------------------------------------------- main menu

// The dialog edits the new entry before it is added: a cancelled add leaves
// no trace, and an entry is added only to a page that is still there.
void TEditingCommands::AddButton() {
    TDocument& document = FVantor.Document();
    const TPageRef page = FocusPage();
    const TVantorPage* found = document.FindPage(page);
    if (!found) return;
    if (found->IsFull()) {
        FVantor.ErrorBox(PageFullMessage());
        return;
    }
    TVantorButton entry = NewEntryFields(*found);
    if (EditNewEntry && !EditNewEntry(entry)) return;
    const TEditResult added = document.AddEntry(page, entry);
    if (!added.Done) {
        if (!added.Error.empty()) FVantor.ErrorBox(added.Error);
        return;
    }
    FVantor.PlaySoundEvent("AddButton");
}

void TEditingCommands::AddSeparator() {
    const TPageRef page = FocusPage();
    if (!page.Valid()) return;
    const TEditResult added = FVantor.Document().AddSeparator(page);
    if (!added.Done) {
        if (!added.Error.empty()) FVantor.ErrorBox(added.Error);
        return;
    }
    FVantor.PlaySoundEvent("AddSeparator");
}

void TEditingCommands::PasteButton() { FVantor.Document().Paste(FocusPage()); }

void TEditingCommands::AddPage() {
    TDocument& document = FVantor.Document();
    if (document.Main().IsFull()) {
        FVantor.ErrorBox(SetFullMessage());
        return;
    }
    TVantorPage page(FVantor.Platform());
    NewPageFields(document.Main(), page);
    if (EditNewPage && !EditNewPage(page)) return;
    const TEditResult added = document.AddPage(page);
    if (!added.Done) {
        if (!added.Error.empty()) FVantor.ErrorBox(added.Error);
        return;
    }
    // The new page stays unselected; its tab comes into sight.
    FVantor.TabSet.ScrollIntoView(added.Index);
    FVantor.PlaySoundEvent("AddPage");
}

void TEditingCommands::DeletePage() {
    TDocument& document = FVantor.Document();
    if (document.Main().Count() <= 1) {
        FVantor.ErrorBox(LastPageMessage());
        return;
    }
    const TPageRef page = document.CurrentPage(TBarKind::Main);
    const TVantorPage* found = document.FindPage(page);
    if (!found || !FVantor.ConfirmBox(DeletePageQuestion(found->Caption))) return;
    // The question was modal: the page asked about goes, if it is still there.
    if (!document.FindPage(page)) return;
    FVantor.PlaySoundEvent("Delete");
    document.DeletePage(page);
}

// ---------------------------------------------------------------- entry menu

void TEditingCommands::DeleteButton() {
    const TEntryTarget target = Target();
    const TVantorButton* entry = TargetEntry();
    if (!entry || !EntriesRemovable(target.Owner)) return;
    const TEntryRef asked = TargetRef();
    if (!FVantor.ConfirmBox(DeleteEntryQuestion(*entry))) return;
    // The question was modal: delete what was asked about, wherever it is
    // now, and nothing when it is gone.
    TDocument& document = FVantor.Document();
    if (!document.FindEntry(asked)) return;
    FVantor.PlaySoundEvent("Delete");
    document.DeleteEntry(asked);
}

void TEditingCommands::CutButton() {
    if (!TargetEntry() || !EntriesRemovable(Target().Owner)) return;
    FVantor.Document().CutEntry(TargetRef());
}

void TEditingCommands::CopyButton() {
    if (TargetEntry()) FVantor.Document().CopyEntry(TargetRef());
}

void TEditingCommands::ExecuteWithArg() {
    const TVantorButton* found = TargetEntry();
    if (!found || found->IsSeparator()) return;
    // The dialog is modal: keep what is started apart from the page.
    TVantorButton entry;
    entry.CopyDataFrom(*found);
    std::string arguments = entry.Arguments;
    TDocument& document = FVantor.Document();
    if (AskArguments && !AskArguments(arguments, document.ArgumentHistory())) return;
    document.RememberArgument(arguments);
    FVantor.Launcher().Execute(entry.LinkTo, arguments, entry.ShowCmd, entry.WorkingDir);
    FVantor.Launcher().AddToHistory(entry);
}

void TEditingCommands::Execute(const std::string& file) {
    if (!file.empty()) FVantor.Launcher().Execute(file, "", SW_SHOW, "");
}

// The help and read-me files are looked for as the entry menu looks for
// them, off this thread; the file opens when the answer comes.
void TEditingCommands::OpenBesideTarget(std::string TTargetFacts::*file) {
    const TVantorButton* entry = TargetEntry();
    if (!entry || entry->IsSeparator() || IsWebAddress(entry->LinkTo)) return;
    FVantor.Probe().Ask(entry->LinkTo, tqFacts,
                        [this, file](const TTargetAnswer& answer) { Execute(answer.Facts.*file); });
}

void TEditingCommands::LinkHelp() { OpenBesideTarget(&TTargetFacts::HelpFile); }

void TEditingCommands::LinkReadMe() { OpenBesideTarget(&TTargetFacts::ReadMeFile); }

void TEditingCommands::OpenThisFolder() {
    const TVantorButton* entry = TargetEntry();
    if (entry && !entry->IsSeparator() && !IsWebAddress(entry->LinkTo))
        FVantor.Launcher().OpenThisFolder(entry->LinkTo);
}
