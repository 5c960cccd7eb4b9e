// Dragging entries and pages inside the program: which drops are accepted,
// what a drop does to the page sets, and how far a drag of the splitter makes
// the tab strip grow. The windows only find the controls involved and call
// these.
#pragma once

#include <cstdint>

#include "document/entry_ref.h"
#include "layout/rect.h"

class TVantorPage;
class TVantorManager;

// The window an entry control belongs to.
enum class TEntryWindow { Main, Smart, Keyword, History };

// The set the window shows (both name the windows in the same order).
inline TBarKind SetOf(TEntryWindow window) { return static_cast<TBarKind>(window); }

// An entry dropped on another entry: a different control of the same panel,
// and never in the keyword bar, whose order is the search's.
bool AcceptEntryOnEntry(bool sameControl, bool samePanel, TEntryWindow window);

// Something dropped on tab `tab` of the main window's strip (-1: none there).
// From the main window (its entries or the strip itself) the tab must not be
// the selected one; from a bar any existing tab will do.
bool AcceptOnTab(TEntryWindow source, int tab, int selectedTab, int tabCount);

// An entry dropped on the main panel (not on an entry): only from a bar.
bool AcceptOnPanel(TEntryWindow source);

// Moves entry `from` to index `to` of its page, shifting those between.
// False when either index is outside the page or they are the same.
bool MoveEntry(TVantorPage& page, int32_t from, int32_t to);

// Keyword and history bars show entries that live elsewhere: taking one
// from them always leaves it where it is.
bool DropAlwaysCopies(TEntryWindow source);

// Appends a copy of entry `index` of `source` (all its fields) to `target`,
// then removes it from `source` only when `target` took the copy, Ctrl is
// up and the source window does not always copy. True when a copy was made.
bool TransferEntry(TVantorPage& source, int32_t index, TVantorPage& target, bool ctrlDown, TEntryWindow sourceWindow);

// Moves page `from` to position `to` and makes it the current page. False
// (nothing changes) when either is outside the set.
bool MovePage(TVantorManager& pages, int32_t from, int32_t to);

// The tab strip's thickness after the splitter, pressed at `anchor`, is
// dragged to `at` (both in the splitter's coordinates): grown by the
// pointer's offset toward the window's inside for tab side `tabSide`
// (TDockEdge codes), clamped to 20..64. Unchanged with horizontal tabs,
// whose strip has a fixed height, or with no tab side yet.
int DraggedTabSetHeight(int height, int tabSide, TPoint anchor, TPoint at, bool horizontalTab);
