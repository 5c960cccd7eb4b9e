// What the organise dialog does to a page set, apart from its windows: which
// buttons are enabled, the questions and messages, deleting, moving, cutting,
// copying and pasting entries through the clipboard page, and building a page
// from a list file. The dialog passes list selections as ascending indices.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "commands/page_editing.h"
#include "model/vantor_classes.h"

using TIndexList = std::vector<int32_t>;

// What the dialog's buttons may do for the current selection.
struct TOrganiseSelection {
    bool SmartSet = false;  // the smart bar's set keeps exactly one page
    int32_t SelectedPages = 0;
    int32_t SelectedEntries = 0;
    bool SeparatorSelected = false;
    bool ClipboardEmpty = true;
};

struct TOrganiseCommands {
    bool PageAdd = false;  // also import and page from a folder
    bool PageChange = false;
    bool PageDelete = false;
    bool EntryAdd = false;  // also separator and sort
    bool EntryChange = false;
    bool EntryDelete = false;  // also cut and copy
    bool EntryPaste = false;
};

TOrganiseCommands OrganiseCommands(const TOrganiseSelection& selection);

// The questions and messages of the dialog beside those of the editing
// commands (commands/page_editing.h: full page, full set, the last page).
std::string DeletePagesQuestion(const TVantorManager& pages, const TIndexList& selected);
std::string DeleteEntriesQuestion(const TVantorPage& page, const TIndexList& selected);
std::string MoveIncompleteMessage(const TVantorPage& target);
std::string ImportFailedMessage(const std::string& fileName);

// Deleting every page is refused (false, nothing changes); otherwise frees the
// selected pages and keeps the current page inside the set.
bool DeletePages(TVantorManager& pages, const TIndexList& selected);
void DeleteEntries(TVantorPage& page, const TIndexList& selected);

// Where the selection goes after one entry at `index` was deleted: the entry
// now there, the new last one past the end, -1 on an empty page.
int32_t SelectionAfterDelete(const TVantorPage& page, int32_t index);

// The clipboard page receives copies of the selected entries in list order
// (it is emptied first); cutting also frees them from the page.
void CopyEntries(const TVantorPage& page, const TIndexList& selected, TVantorPage& clipboard);
void CutEntries(TVantorPage& page, const TIndexList& selected, TVantorPage& clipboard);

// Moves the selected entries, in order, to the end of `target`. False when
// the target filled up before all were moved: those not moved stay where
// they were. A move onto the page itself needs no room.
bool MoveEntriesToPage(TVantorPage& source, const TIndexList& selected, TVantorPage& target);

// Inserts a separator before the first selected entry (at the top when none
// is selected); its index, or -1 on a full page.
int32_t InsertSeparator(TVantorPage& page, const TIndexList& selected);

// The lines of a list file that name something: line ends CR LF, LF or CR,
// surrounding blanks removed, empty lines and lines with a NUL skipped.
std::vector<std::string> ParseListFile(std::string_view data);

// A new page named after the list file holding an entry for each line, as
// many as fit. False with the set unchanged when the file cannot be read
// (or the set is full: callers check that first to give its own message).
bool ImportListPage(TVantorManager& pages, TPlatform& platform, const std::string& fileName);
