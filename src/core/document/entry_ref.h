// Where an entry or a page lives, by the slots the page files keep: a slot
// survives moves and sorts, so a reference made before a dialog or a question
// finds the same entry afterwards, or finds that it is gone. Nothing keeps a
// pointer into the page sets across a message loop; it keeps one of these.
#pragma once

#include <cstdint>
#include <string>

// The page sets, named by the windows that show them. The resource bar shows
// none.
enum class TBarKind { Main, SmartBar, KeywordBar, HistoryBar, ResourceBar };

struct TPageRef {
    TBarKind Set = TBarKind::Main;
    int32_t PageSlot = -1;

    bool Valid() const { return PageSlot >= 0; }
    bool operator==(const TPageRef& other) const { return Set == other.Set && PageSlot == other.PageSlot; }
};

struct TEntryRef {
    TBarKind Set = TBarKind::Main;
    int32_t PageSlot = -1;
    int32_t EntrySlot = -1;
    // What the entry was when the reference was made: a slot freed by a
    // deletion goes to the next entry added, which is not this one.
    std::string LinkTo;
    std::string Title;

    bool Valid() const { return PageSlot >= 0 && EntrySlot >= 0; }
    TPageRef Page() const { return TPageRef{Set, PageSlot}; }
    bool operator==(const TEntryRef& other) const {
        return Set == other.Set && PageSlot == other.PageSlot && EntrySlot == other.EntrySlot;
    }
};

// What one edit changed, as every view hears of it. A page slot of -1 means
// the set's pages as a whole (added, removed, moved, the current page); an
// entry slot of -1 the page's entries as a whole.
struct TChange {
    TBarKind Set = TBarKind::Main;
    int32_t PageSlot = -1;
    int32_t EntrySlot = -1;
    bool Settings = false;  // the settings the main set carries

    static TChange WholeSet(TBarKind set) { return TChange{set, -1, -1, false}; }
    static TChange WholePage(const TPageRef& page) { return TChange{page.Set, page.PageSlot, -1, false}; }
    static TChange OneEntry(const TEntryRef& entry) {
        return TChange{entry.Set, entry.PageSlot, entry.EntrySlot, false};
    }
    static TChange SettingsOnly() { return TChange{TBarKind::Main, -1, -1, true}; }
    // True when the change reaches the given page of the set (or all of it).
    bool Touches(const TPageRef& page) const {
        return !Settings && Set == page.Set && (PageSlot < 0 || PageSlot == page.PageSlot);
    }
};
