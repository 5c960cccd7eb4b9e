#include "app/editing_commands.h"

#include "app/command_bindings.h"
#include "app/vantor.h"
#include "commands/command_table.h"
#include "commands/page_editing.h"
#include "text/text.h"

TEditingCommands::TEditingCommands(TVantor& vantor)
    : FVantor(vantor), FClipboard(std::make_unique<TVantorPage>(vantor.Platform())) {}

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

TBarKind KindOf(TMenuOwner owner) {
    switch (owner) {
        case TMenuOwner::Main:
            return TBarKind::Main;
        case TMenuOwner::SmartBar:
            return TBarKind::SmartBar;
        case TMenuOwner::KeywordBar:
            return TBarKind::KeywordBar;
        case TMenuOwner::HistoryBar:
            return TBarKind::HistoryBar;
        default:
            return TBarKind::ResourceBar;
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

TVantorPage* TEditingCommands::FocusPage() {
    switch (MainMenuOwner(FVantor)) {
        case TMenuOwner::Main: {
            TVantorManager& pages = FVantor.MainPages();
            const int32_t current = pages.CurrentPage();
            return current >= 0 && current < pages.Count() ? pages.Pages(current) : nullptr;
        }
        case TMenuOwner::SmartBar:
            return FVantor.Bars().Exist() ? FVantor.Bars().Bar(BarSmart).BarPage() : nullptr;
        default:
            // The keyword and history bars show pages of their own making.
            return nullptr;
    }
}

// ---------------------------------------------------------------- main menu

void TEditingCommands::AddButton() {
    TVantorPage* page = FocusPage();
    if (!page) return;
    const TEditResult added = AppendNewEntry(*page);
    if (!added.Done) {
        FVantor.ErrorBox(added.Error);
        return;
    }
    // A cancelled add leaves no trace.
    if (EditNewEntry && !EditNewEntry(*page->Buttons(added.Index))) {
        page->Delete(added.Index);
        return;
    }
    FVantor.PlaySoundEvent("AddButton");
    FVantor.RebuildPage();
}

void TEditingCommands::AddSeparator() {
    TVantorPage* page = FocusPage();
    if (!page) return;
    const TEditResult added = AppendSeparator(*page);
    if (!added.Done) {
        FVantor.ErrorBox(added.Error);
        return;
    }
    FVantor.PlaySoundEvent("AddSeparator");
    FVantor.RebuildPage();
}

void TEditingCommands::PasteButton() {
    TVantorPage* page = FocusPage();
    if (!page) return;
    if (PasteEntries(*page, *FClipboard) > 0) FVantor.RebuildPage();
}

void TEditingCommands::AddPage() {
    TVantorManager& pages = FVantor.MainPages();
    const TEditResult added = AppendNewPage(pages);
    if (!added.Done) {
        FVantor.ErrorBox(added.Error);
        return;
    }
    if (EditNewPage && !EditNewPage(*pages.Pages(added.Index))) {
        const int32_t current = pages.CurrentPage();
        pages.DeletePage(added.Index);
        pages.SetCurrentPage(current);
        return;
    }
    FVantor.PlaySoundEvent("AddPage");
    FVantor.RefreshTabsAndFonts();
}

void TEditingCommands::DeletePage() {
    TVantorManager& pages = FVantor.MainPages();
    const int32_t current = pages.CurrentPage();
    if (pages.Count() <= 1) {
        FVantor.ErrorBox(LastPageMessage());
        return;
    }
    if (current < 0 || current >= pages.Count()) return;
    if (!FVantor.ConfirmBox(DeletePageQuestion(pages.Pages(current)->Caption))) return;
    FVantor.PlaySoundEvent("Delete");
    // The question was modal: the set may have changed under it.
    if (pages.Count() <= 1 || current >= pages.Count()) return;
    DeletePageAt(pages, current);
    FVantor.RefreshTabsAndFonts();
    FVantor.RebuildPage();
}

// ---------------------------------------------------------------- entry menu

void TEditingCommands::DeleteButton() {
    const TEntryTarget target = Target();
    const TVantorButton* entry = TargetEntry();
    TVantorManager* pages = FVantor.PagesOf(KindOf(target.Owner));
    if (!entry || !pages || !EntriesRemovable(target.Owner)) return;
    const TEntrySlot asked = EntrySlotOf(*target.Page, target.Index);
    if (!FVantor.ConfirmBox(DeleteEntryQuestion(*entry))) return;
    // The question was modal: delete what was asked about, wherever it is
    // now, and nothing when it is gone.
    const TEntryPlace place = FindEntrySlot(*pages, asked);
    if (!place.Page) return;
    FVantor.PlaySoundEvent("Delete");
    DeleteEntry(*place.Page, place.Index);
    FVantor.RebuildPage();
}

void TEditingCommands::CutButton() {
    const TEntryTarget target = Target();
    if (!TargetEntry() || !EntriesRemovable(target.Owner)) return;
    if (CutEntry(*target.Page, target.Index, *FClipboard)) FVantor.RebuildPage();
}

void TEditingCommands::CopyButton() {
    const TEntryTarget target = Target();
    if (TargetEntry()) CopyEntry(*target.Page, target.Index, *FClipboard);
}

void TEditingCommands::ExecuteWithArg() {
    const TVantorButton* found = TargetEntry();
    if (!found || found->IsSeparator()) return;
    // The dialog is modal: keep what is started apart from the page.
    TVantorButton entry;
    entry.CopyDataFrom(*found);
    std::string arguments = entry.Arguments;
    if (AskArguments && !AskArguments(arguments, FArgumentHistory)) return;
    RememberArgument(FArgumentHistory, arguments);
    FVantor.Launcher().Execute(entry.LinkTo, arguments, entry.ShowCmd, entry.WorkingDir);
    FVantor.Launcher().AddToHistory(entry);
}

void TEditingCommands::Execute(const std::string& file) {
    if (!file.empty()) FVantor.Launcher().Execute(file, "", SW_SHOW, "");
}

void TEditingCommands::LinkHelp() {
    if (const TVantorButton* entry = TargetEntry())
        if (!entry->IsSeparator()) Execute(HelpFileFor(FVantor.Platform(), entry->LinkTo));
}

void TEditingCommands::LinkReadMe() {
    if (const TVantorButton* entry = TargetEntry())
        if (!entry->IsSeparator()) Execute(ReadMeFileFor(FVantor.Platform(), entry->LinkTo));
}

void TEditingCommands::OpenThisFolder() {
    const TVantorButton* entry = TargetEntry();
    if (entry && !entry->IsSeparator() && !IsWebAddress(entry->LinkTo))
        FVantor.Launcher().OpenThisFolder(entry->LinkTo);
}
