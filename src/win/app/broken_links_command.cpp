#include "app/broken_links_command.h"

#include <memory>

#include "app/main_window_host.h"
#include "app/vantor.h"
#include "base/modal_gate.h"
#include "dialogs/broken_links_dialog.h"
#include "dialogs/entry_properties.h"
#include "text/text.h"

namespace {

const char kNoneBroken[] = "リンク先が見つからないボタンはありません。";

}  // namespace

TVantorManager* TBrokenLinksCommand::SetOf(int32_t index) {
    switch (index) {
        case 0:
            return &FVantor.MainPages();
        case 1:
            return &FVantor.Document().Smart();
        case 2:
            return &FVantor.Document().History();
        default:
            return nullptr;
    }
}

TBarKind TBrokenLinksCommand::KindOf(int32_t index) {
    const TBarKind kinds[] = {TBarKind::Main, TBarKind::SmartBar, TBarKind::HistoryBar};
    return index >= 0 && index < 3 ? kinds[index] : TBarKind::ResourceBar;
}

void TBrokenLinksCommand::Run() {
    if (Running()) return;
    const std::vector<TLinkCheck> checks =
        LinksToCheck({&FVantor.MainPages(), &FVantor.Document().Smart(), &FVantor.Document().History()});
    FChecker.Start(checks, [this](std::vector<TLinkCheck> broken) { Finished(std::move(broken)); });
}

bool TBrokenLinksCommand::KnownBroken(const std::string& target) const {
    return !FBroken.empty() && FBroken.count(AnsiLowerCase(target)) > 0;
}

TBrokenLinksCommand::~TBrokenLinksCommand() { ModalGate().CancelDeferred(this); }

// The answer comes whenever the worker ends, maybe under a box, a dialog or
// a menu: the marks, the list and its deletions wait until that is closed.
void TBrokenLinksCommand::Finished(std::vector<TLinkCheck> broken) {
    FAnswerWaiting = true;
    auto answer = std::make_shared<std::vector<TLinkCheck>>(std::move(broken));
    ModalGate().Defer(this, [this, answer] {
        FAnswerWaiting = false;
        ShowAnswer(std::move(*answer));
    });
}

void TBrokenLinksCommand::ShowAnswer(std::vector<TLinkCheck> broken) {
    FBroken.clear();
    for (const TLinkCheck& c : broken) FBroken.insert(AnsiLowerCase(c.Target));
    FVantor.RebuildPage();  // the marks
    if (broken.empty()) {
        FVantor.InfoBox(kNoneBroken);
        return;
    }
    TBrokenLinksDialog dialog;
    dialog.Broken = std::move(broken);
    dialog.Services = &FVantor.Services();
    dialog.OnProperties = [this, &dialog](const TLinkCheck& c) {
        TVantorManager* set = SetOf(c.Set);
        if (!set || c.Page >= set->Count() || c.Index >= set->Pages(c.Page)->Count()) return false;
        const TVantorPage& page = *set->Pages(c.Page);
        if (page.Buttons(c.Index)->LinkTo != c.Target) return false;  // changed meanwhile: not this entry any more
        // The properties edit a copy, written back by slot when they close.
        const TEntryRef ref = EntryRefOf(KindOf(c.Set), page, c.Index);
        TVantorButton copy;
        copy.CopyDataFrom(*page.Buttons(c.Index));
        if (!EditButton(MainWindowHost(FVantor).Over(dialog.Handle()), FVantor.Platform(), copy, false)) return false;
        if (!FVantor.Document().StoreEntry(ref, copy)) return false;
        FBroken.erase(AnsiLowerCase(c.Target));
        return true;
    };
    dialog.OnDelete = [this](const std::vector<TLinkCheck>& chosen) {
        std::vector<TVantorManager*> sets{&FVantor.MainPages(), &FVantor.Document().Smart(),
                                          &FVantor.Document().History()};
        std::vector<TLinkCheck> deleted = DeleteCheckedEntries(sets, chosen);
        for (const TLinkCheck& c : deleted)
            FVantor.Document().Changed(TChange::WholePage(FVantor.Document().PageRefAt(KindOf(c.Set), c.Page)));
        return deleted;
    };
    FVantor.RunModal(dialog);
}
