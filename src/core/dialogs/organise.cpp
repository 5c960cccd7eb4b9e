#include "dialogs/organise.h"

#include "text/text.h"

TOrganiseCommands OrganiseCommands(const TOrganiseSelection& s) {
    TOrganiseCommands c;
    c.PageAdd = !s.SmartSet;
    c.PageChange = !s.SmartSet && s.SelectedPages > 0;
    c.PageDelete = c.PageChange;
    c.EntryAdd = s.SelectedPages == 1;
    // A button that would do nothing is not offered: the change needs an
    // entry, and separators have no properties.
    c.EntryChange = s.SelectedEntries > 0 && !s.SeparatorSelected;
    c.EntryDelete = s.SelectedEntries > 0;
    c.EntryPaste = !s.ClipboardEmpty && s.SelectedPages == 1;
    return c;
}

std::string DeletePagesQuestion(const TVantorManager& pages, const TIndexList& selected) {
    if (selected.size() == 1) return DeletePageQuestion(pages.Pages(selected[0])->Caption);
    return Format("これら%d個のページを削除してもよろしいですか？", static_cast<int32_t>(selected.size()));
}

std::string DeleteEntriesQuestion(const TVantorPage& page, const TIndexList& selected) {
    if (selected.size() != 1)
        return Format("これら%d個のボタンまたはセパレータを削除してもよろしいですか？",
                      static_cast<int32_t>(selected.size()));
    return DeleteEntryQuestion(*page.Buttons(selected[0]));
}

std::string MoveIncompleteMessage(const TVantorPage& target) {
    return "ページ\"" + target.Caption +
           "\"の空きが不足しているため、ボタンまたはセパレータの移動が完了しませんでした。";
}

std::string ImportFailedMessage(const std::string& fileName) {
    return "\"" + fileName + "\"のインポートに失敗しました。";
}

namespace {

bool ValidIndex(int32_t index, int32_t count) { return index >= 0 && index < count; }

}  // namespace

bool DeletePages(TVantorManager& pages, const TIndexList& selected) {
    int32_t valid = 0;
    for (int32_t index : selected) valid += ValidIndex(index, pages.Count()) ? 1 : 0;
    if (valid == 0) return true;
    if (valid >= pages.Count()) return false;
    for (int32_t index : selected)
        if (ValidIndex(index, pages.Count()) && pages.Pages(index)) pages.FreePageAt(index);
    pages.PackPages();
    pages.SetCurrentPage(pages.CurrentPage());
    return true;
}

void DeleteEntries(TVantorPage& page, const TIndexList& selected) {
    for (int32_t index : selected)
        if (ValidIndex(index, page.Count()) && page.Buttons(index)) page.FreeAt(index);
    page.Pack();
}

int32_t SelectionAfterDelete(const TVantorPage& page, int32_t index) {
    if (page.Count() == 0) return -1;
    return index < page.Count() ? index : page.Count() - 1;
}

void CopyEntries(const TVantorPage& page, const TIndexList& selected, TVantorPage& clipboard) {
    clipboard.Clear();
    for (int32_t index : selected)
        if (ValidIndex(index, page.Count()) && page.Buttons(index)) clipboard.AddCopy(*page.Buttons(index));
}

void CutEntries(TVantorPage& page, const TIndexList& selected, TVantorPage& clipboard) {
    CopyEntries(page, selected, clipboard);
    DeleteEntries(page, selected);
}

bool MoveEntriesToPage(TVantorPage& source, const TIndexList& selected, TVantorPage& target) {
    if (&source == &target) {
        // Moving to the end of the same page: each taken entry goes last in turn.
        int32_t moved = 0;
        for (int32_t index : selected) {
            const int32_t from = index - moved;
            if (!ValidIndex(from, source.Count())) continue;
            source.Move(from, source.Count() - 1);
            ++moved;
        }
        return true;
    }
    bool complete = true;
    for (int32_t index : selected) {
        if (!ValidIndex(index, source.Count()) || !source.Buttons(index)) continue;
        if (!target.AddCopy(*source.Buttons(index))) {
            complete = false;
            break;
        }
        source.FreeAt(index);
    }
    source.Pack();
    return complete;
}

int32_t InsertSeparator(TVantorPage& page, const TIndexList& selected) {
    int32_t at = 0;
    if (!selected.empty() && ValidIndex(selected.front(), page.Count())) at = selected.front();
    if (!page.Insert(at, SeparatorLink, SeparatorTitle, "", "", "", ShowNormal, false, "", 0)) return -1;
    return at;
}

std::vector<std::string> ParseListFile(std::string_view data) {
    std::vector<std::string> lines;
    size_t start = 0;
    while (start < data.size()) {
        size_t end = data.find_first_of("\r\n", start);
        if (end == std::string_view::npos) end = data.size();
        std::string_view line = data.substr(start, end - start);
        // Blanks around a path are never part of a name the user meant (no
        // trail byte of code page 932 is a space or a tab).
        while (!line.empty() && (line.front() == ' ' || line.front() == '\t')) line.remove_prefix(1);
        while (!line.empty() && (line.back() == ' ' || line.back() == '\t')) line.remove_suffix(1);
        if (!line.empty() && line.find('\0') == std::string_view::npos) lines.emplace_back(line);
        start = end;
        if (start < data.size() && data[start] == '\r') ++start;
        if (start < data.size() && data[start] == '\n') ++start;
    }
    return lines;
}

bool ImportListPage(TVantorManager& pages, TPlatform& platform, const std::string& fileName) {
    std::string data;
    if (pages.IsFull() || !platform.ReadWholeFile(fileName, data)) return false;
    const std::string name = ExtractFileName(fileName);
    const std::string ext = ExtractFileExt(name);
    if (!pages.AddPage(name.substr(0, name.size() - ext.size()), 0)) return false;
    TVantorPage& page = *pages.Pages(pages.Count() - 1);
    for (const std::string& line : ParseListFile(data))
        if (!page.AddFile(line)) break;  // the rest does not fit
    return true;
}
