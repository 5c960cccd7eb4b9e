#include "document/document.h"

#include <algorithm>

TDocument::TDocument(TPlatform& platform, std::string dataFolder)
    : FPlatform(platform),
      FDataFolder(std::move(dataFolder)),
      FMain(std::make_unique<TVantorManager>(platform)),
      FSmart(std::make_unique<TVantorManager>(platform)),
      FHistory(std::make_unique<TVantorManager>(platform)),
      FKeyword(std::make_unique<TVantorManager>(platform)),
      FClipboard(std::make_unique<TVantorPage>(platform)),
      FFiles(platform, FDataFolder) {}

TDocument::~TDocument() = default;

TVantorManager* TDocument::SetOf(TBarKind set) {
    switch (set) {
        case TBarKind::Main:
            return FMain.get();
        case TBarKind::SmartBar:
            return FSmart.get();
        case TBarKind::KeywordBar:
            return FKeyword.get();
        case TBarKind::HistoryBar:
            return FHistory.get();
        default:
            return nullptr;
    }
}

void TDocument::AdoptMain(std::unique_ptr<TVantorManager> pages) {
    if (pages) FMain = std::move(pages);
}

// ---------------------------------------------------------------- finding

TVantorPage* TDocument::FindPage(const TPageRef& page) {
    TVantorManager* set = SetOf(page.Set);
    if (!set || page.PageSlot < 0 || page.PageSlot >= MaxPagesPerSet) return nullptr;
    return set->Slot(page.PageSlot);
}

int32_t TDocument::PageIndex(const TPageRef& page) {
    TVantorManager* set = SetOf(page.Set);
    const TVantorPage* found = FindPage(page);
    if (!set || !found) return -1;
    for (int32_t i = 0; i < set->Count(); ++i)
        if (set->Pages(i) == found) return i;
    return -1;
}

TVantorButton* TDocument::FindEntry(const TEntryRef& entry) {
    TVantorManager* set = SetOf(entry.Set);
    const TEntryPlace place = set ? FindEntryRef(*set, entry) : TEntryPlace{};
    return place.Page ? place.Page->Buttons(place.Index) : nullptr;
}

int32_t TDocument::EntryIndex(const TEntryRef& entry) {
    TVantorManager* set = SetOf(entry.Set);
    return set ? FindEntryRef(*set, entry).Index : -1;
}

TEntryRef TDocument::RefOf(TBarKind set, const TVantorPage& page, int32_t index) const {
    return EntryRefOf(set, page, index);
}

TPageRef TDocument::PageRefAt(TBarKind set, int32_t index) {
    TVantorManager* pages = SetOf(set);
    if (!pages || index < 0 || index >= pages->Count() || !pages->Pages(index)) return TPageRef{set, -1};
    return TPageRef{set, pages->Pages(index)->SlotIndex};
}

TPageRef TDocument::CurrentPage(TBarKind set) {
    TVantorManager* pages = SetOf(set);
    return pages ? PageRefAt(set, pages->CurrentPage()) : TPageRef{set, -1};
}

// ---------------------------------------------------------------- listening

int TDocument::Listen(TListener listener) {
    const int id = FNextListener++;
    FListeners.emplace(id, std::move(listener));
    return id;
}

void TDocument::StopListening(int id) { FListeners.erase(id); }

void TDocument::Changed(const TChange& change) {
    for (TDataFile file : FilesOf(change)) FUnsaved[static_cast<size_t>(file)] = true;
    Notify(change);
}

void TDocument::Notify(const TChange& change) {
    // A listener may come or go while the others hear of the change (a view
    // closing): each is looked up again before it is called.
    std::vector<int> ids;
    ids.reserve(FListeners.size());
    for (const auto& listener : FListeners) ids.push_back(listener.first);
    for (int id : ids) {
        auto found = FListeners.find(id);
        if (found == FListeners.end()) continue;
        TListener listener = found->second;  // may stop listening while called
        listener(change);
    }
}

// ---------------------------------------------------------------- edits

TEditResult TDocument::AddEntry(const TPageRef& ref, const TVantorButton& fields) {
    TVantorPage* page = FindPage(ref);
    if (!page) return TEditResult{};
    if (page->IsFull()) return TEditResult{false, PageFullMessage(), -1};
    if (!page->AddCopy(fields)) return TEditResult{false, PageFullMessage(), -1};
    const int32_t index = page->Count() - 1;
    Changed(TChange::WholePage(ref));
    return TEditResult{true, "", index};
}

TEditResult TDocument::AddSeparator(const TPageRef& ref) {
    TVantorPage* page = FindPage(ref);
    if (!page) return TEditResult{};
    TEditResult added = AppendSeparator(*page);
    if (added.Done) Changed(TChange::WholePage(ref));
    return added;
}

bool TDocument::DeleteEntry(const TEntryRef& entry) {
    const int32_t index = EntryIndex(entry);
    if (index < 0 || !::DeleteEntry(*FindPage(entry.Page()), index)) return false;
    Changed(TChange::WholePage(entry.Page()));
    return true;
}

bool TDocument::CutEntry(const TEntryRef& entry) {
    const int32_t index = EntryIndex(entry);
    if (index < 0 || !::CutEntry(*FindPage(entry.Page()), index, *FClipboard)) return false;
    Changed(TChange::WholePage(entry.Page()));
    return true;
}

bool TDocument::CopyEntry(const TEntryRef& entry) {
    const int32_t index = EntryIndex(entry);
    return index >= 0 && ::CopyEntry(*FindPage(entry.Page()), index, *FClipboard);
}

int32_t TDocument::Paste(const TPageRef& ref) {
    TVantorPage* page = FindPage(ref);
    if (!page) return 0;
    const int32_t added = PasteEntries(*page, *FClipboard);
    if (added > 0) Changed(TChange::WholePage(ref));
    return added;
}

bool TDocument::StoreEntry(const TEntryRef& entry, const TVantorButton& fields) {
    TVantorButton* found = FindEntry(entry);
    if (!found) return false;
    found->CopyDataFrom(fields);
    Changed(TChange::OneEntry(entry));
    return true;
}

bool TDocument::StorePage(const TPageRef& ref, const TVantorPage& fields) {
    TVantorPage* page = FindPage(ref);
    if (!page) return false;
    page->Caption = fields.Caption;
    page->ViewStyle = fields.ViewStyle;
    page->DefaultLayout = fields.DefaultLayout;
    page->ButtonWidth = fields.ButtonWidth;
    page->Margin = fields.Margin;
    page->TitleWidth = fields.TitleWidth;
    // The caption shows on the tab strip: the set's pages change as a whole.
    Changed(TChange::WholeSet(ref.Set));
    return true;
}

TEditResult TDocument::AddPage(const TVantorPage& fields) {
    TEditResult added = AppendNewPage(*FMain);
    if (!added.Done) return added;
    TVantorPage& page = *FMain->Pages(added.Index);
    if (!fields.Caption.empty()) page.Caption = fields.Caption;
    page.ViewStyle = fields.ViewStyle;
    page.DefaultLayout = fields.DefaultLayout;
    page.ButtonWidth = fields.ButtonWidth;
    page.Margin = fields.Margin;
    page.TitleWidth = fields.TitleWidth;
    Changed(TChange::WholeSet(TBarKind::Main));
    return added;
}

TEditResult TDocument::DeletePage(const TPageRef& ref) {
    TVantorManager* set = SetOf(ref.Set);
    const int32_t index = PageIndex(ref);
    if (!set || index < 0) return TEditResult{};
    TEditResult deleted = DeletePageAt(*set, index);
    if (deleted.Done) Changed(TChange::WholeSet(ref.Set));
    return deleted;
}

void TDocument::ClearPage(const TPageRef& ref) {
    TVantorPage* page = FindPage(ref);
    if (!page) return;
    page->Clear();
    Changed(TChange::WholePage(ref));
}

void TDocument::RememberArgument(const std::string& text) { ::RememberArgument(FArgumentHistory, text); }

// ---------------------------------------------------------------- unsaved

bool TDocument::AnyUnsaved() const {
    return std::any_of(FUnsaved.begin(), FUnsaved.end(), [](bool unsaved) { return unsaved; });
}

std::vector<TDataFile> TDocument::FilesOf(const TChange& change) {
    if (change.Settings) return {TDataFile::Settings};
    switch (change.Set) {
        case TBarKind::Main:
            // The current page is kept in the settings file.
            return change.PageSlot < 0 ? std::vector<TDataFile>{TDataFile::Main, TDataFile::Settings}
                                       : std::vector<TDataFile>{TDataFile::Main};
        case TBarKind::SmartBar:
            return {TDataFile::Smart};
        case TBarKind::HistoryBar:
            return {TDataFile::History};
        default:
            // The keyword bar's pages are made afresh from a search.
            return {};
    }
}

void TDocument::MarkSaved(const std::vector<TDataFile>& files) {
    for (TDataFile file : files) FUnsaved[static_cast<size_t>(file)] = false;
}

void TDocument::MarkAllSaved() { FUnsaved.fill(false); }
