#include "commands/page_editing.h"

#include "text/text.h"

std::string PageFullMessage() {
    return Format("1つのページに登録できるボタンまたはセパレータは%d個までです。", MaxButtonsPerPage);
}

std::string SetFullMessage() { return Format("登録できるページは%d個までです。", MaxPagesPerSet); }

std::string LastPageMessage() { return "ページは最低1つ必要です。"; }

std::string DeletePageQuestion(const std::string& caption) {
    return Format("ページ\"%s\"を削除してもよろしいですか？", caption);
}

std::string DeleteEntryQuestion(const TVantorButton& entry) {
    if (entry.IsSeparator()) return "このセパレータを削除してもよろしいですか？";
    return Format("ボタン\"%s\"を削除してもよろしいですか？", entry.Title);
}

namespace {

TEditResult Refused(std::string error) {
    TEditResult result;
    result.Error = std::move(error);
    return result;
}

TEditResult DoneAt(int32_t index) {
    TEditResult result;
    result.Done = true;
    result.Index = index;
    return result;
}

bool ValidIndex(const TVantorPage& page, int32_t index) {
    return index >= 0 && index < page.Count() && page.Buttons(index);
}

}  // namespace

TEditResult AppendNewEntry(TVantorPage& page) {
    const int32_t count = page.Count();
    if (!page.Add("", Format("ボタン%d", count + 1), "", "", "", ShowNormal, false, "", -1))
        return Refused(PageFullMessage());
    return DoneAt(count);
}

TVantorButton NewEntryFields(const TVantorPage& page) {
    TVantorButton entry;
    entry.Title = Format("ボタン%d", page.Count() + 1);
    entry.ShowCmd = ShowNormal;
    entry.IconIndex = -1;
    return entry;
}

void NewPageFields(const TVantorManager& set, TVantorPage& page) {
    page.Caption = Format("ページ%d", set.Count() + 1);
    page.ViewStyle = 1;
}

TEditResult AppendSeparator(TVantorPage& page) {
    const int32_t count = page.Count();
    if (!page.Add(SeparatorLink, SeparatorTitle, "", "", "", ShowNormal, false, "", 0))
        return Refused(PageFullMessage());
    return DoneAt(count);
}

TEditResult AppendNewPage(TVantorManager& set) {
    const int32_t count = set.Count();
    const int32_t current = set.CurrentPage();
    // A new page takes the standard view style of the set's first page.
    if (!set.AddPage(Format("ページ%d", count + 1), 1)) return Refused(SetFullMessage());
    set.SetCurrentPage(current);
    return DoneAt(count);
}

TEditResult DeletePageAt(TVantorManager& set, int32_t index) {
    if (set.Count() <= 1) return Refused(LastPageMessage());
    if (index < 0 || index >= set.Count()) return TEditResult{};
    set.DeletePage(index);
    // The page after it takes its place; after the last, the one before.
    set.SetCurrentPage(set.CurrentPage());
    return DoneAt(index);
}

bool CopyEntry(const TVantorPage& page, int32_t index, TVantorPage& clipboard) {
    if (!ValidIndex(page, index)) return false;
    clipboard.Clear();
    clipboard.AddCopy(*page.Buttons(index));
    return true;
}

bool CutEntry(TVantorPage& page, int32_t index, TVantorPage& clipboard) {
    if (!CopyEntry(page, index, clipboard)) return false;
    page.Delete(index);
    return true;
}

bool DeleteEntry(TVantorPage& page, int32_t index) {
    if (!ValidIndex(page, index)) return false;
    page.Delete(index);
    return true;
}

int32_t PasteEntries(TVantorPage& page, const TVantorPage& clipboard) {
    // Pasting the clipboard onto itself must not read what it appends.
    if (&page == &clipboard) return 0;
    const int32_t before = page.Count();
    page.AppendPage(clipboard);
    return page.Count() - before;
}

TEntryRef EntryRefOf(TBarKind set, const TVantorPage& page, int32_t index) {
    if (!ValidIndex(page, index)) return TEntryRef{set, page.SlotIndex, -1, "", ""};
    const TVantorButton& entry = *page.Buttons(index);
    return TEntryRef{set, page.SlotIndex, entry.SlotIndex, entry.LinkTo, entry.Title};
}

TEntryPlace FindEntryRef(const TVantorManager& set, const TEntryRef& ref) {
    if (ref.PageSlot < 0 || ref.PageSlot >= MaxPagesPerSet || ref.EntrySlot < 0 || ref.EntrySlot >= MaxButtonsPerPage)
        return TEntryPlace{};
    TVantorPage* page = set.Slot(ref.PageSlot);
    const TVantorButton* entry = page ? page->Slot(ref.EntrySlot) : nullptr;
    if (!entry || entry->LinkTo != ref.LinkTo || entry->Title != ref.Title) return TEntryPlace{};
    for (int32_t i = 0; i < page->Count(); ++i)
        if (page->Buttons(i) == entry) return TEntryPlace{page, i};
    return TEntryPlace{};
}

// One item per text whatever its letter case, moved to the top in the
// spelling it was first typed in.
void RememberArgument(std::vector<std::string>& history, const std::string& text) {
    if (text.empty()) return;
    std::string kept = text;
    for (auto it = history.begin(); it != history.end(); ++it)
        if (SameText(*it, text)) {
            kept = std::move(*it);
            history.erase(it);
            break;
        }
    history.insert(history.begin(), std::move(kept));
}
