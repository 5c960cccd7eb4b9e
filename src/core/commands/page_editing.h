// Adding, deleting, cutting, copying and pasting entries and pages on the
// model, within the limits of a page (128 entries) and a page set (32 pages,
// at least one in the main set). Each operation either does all it says or
// changes nothing and returns the message the user is shown.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "document/entry_ref.h"
#include "model/vantor_classes.h"

// The messages; %d and %s filled in.
std::string PageFullMessage();
std::string SetFullMessage();
std::string LastPageMessage();
std::string DeletePageQuestion(const std::string& caption);
std::string DeleteEntryQuestion(const TVantorButton& entry);

struct TEditResult {
    bool Done = false;
    std::string Error;   // why not, for an error box; empty when done
    int32_t Index = -1;  // the new entry's or page's position
};

// A new launcher entry at the page's end: no target, title "ボタン<n>" with n
// the count before it + 1, shown normally, no icon of its own.
TEditResult AppendNewEntry(TVantorPage& page);
// The same entry and page before they are added, for a dialog to edit first.
TVantorButton NewEntryFields(const TVantorPage& page);
void NewPageFields(const TVantorManager& set, TVantorPage& page);
TEditResult AppendSeparator(TVantorPage& page);
// A new page at the set's end, captioned "ページ<n>" with n the count before
// it + 1; the current page does not change.
TEditResult AppendNewPage(TVantorManager& set);
// Refuses to delete the only page; an index outside the set changes nothing.
TEditResult DeletePageAt(TVantorManager& set, int32_t index);

// The clipboard then holds exactly one copy of the entry. False, with the
// clipboard as it was, when the index is outside the page.
bool CopyEntry(const TVantorPage& page, int32_t index, TVantorPage& clipboard);
// Copy, then delete from the page.
bool CutEntry(TVantorPage& page, int32_t index, TVantorPage& clipboard);
bool DeleteEntry(TVantorPage& page, int32_t index);
// Appends copies of the clipboard's entries until the page is full; the
// clipboard keeps them. The number added.
int32_t PasteEntries(TVantorPage& page, const TVantorPage& clipboard);

// An entry named by its slots and what it was (document/entry_ref.h): a
// command that asked a question finds its entry again this way, wherever it
// moved meanwhile, and never takes another entry that came into a freed slot.
// Names no entry when the index is outside the page.
TEntryRef EntryRefOf(TBarKind set, const TVantorPage& page, int32_t index);

struct TEntryPlace {
    TVantorPage* Page = nullptr;  // null: the entry is gone
    int32_t Index = -1;
};
// Where the named entry is in its set now.
TEntryPlace FindEntryRef(const TVantorManager& set, const TEntryRef& ref);

// Run-with-arguments remembers what was typed: an empty text changes nothing,
// a text already there (ignoring case) moves to the top, a new one goes on top.
void RememberArgument(std::vector<std::string>& history, const std::string& text);
