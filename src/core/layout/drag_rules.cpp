#include "layout/drag_rules.h"

#include <algorithm>

#include "layout/frame_layout.h"
#include "model/vantor_classes.h"

bool AcceptEntryOnEntry(bool sameControl, bool samePanel, TEntryWindow window) {
    return !sameControl && samePanel && window != TEntryWindow::Keyword;
}

bool AcceptOnTab(TEntryWindow source, int tab, int selectedTab, int tabCount) {
    if (tab < 0 || tab >= tabCount) return false;
    return source != TEntryWindow::Main || tab != selectedTab;
}

bool AcceptOnPanel(TEntryWindow source) { return source != TEntryWindow::Main; }

bool MoveEntry(TVantorPage& page, int32_t from, int32_t to) {
    const int32_t count = page.Count();
    if (from < 0 || from >= count || to < 0 || to >= count || from == to) return false;
    page.Move(from, to);
    return true;
}

bool DropAlwaysCopies(TEntryWindow source) {
    return source == TEntryWindow::Keyword || source == TEntryWindow::History;
}

bool TransferEntry(TVantorPage& source, int32_t index, TVantorPage& target, bool ctrlDown, TEntryWindow sourceWindow) {
    if (index < 0 || index >= source.Count()) return false;
    const TVantorButton* entry = source.Buttons(index);
    if (!entry || !target.AddCopy(*entry)) return false;
    if (!ctrlDown && !DropAlwaysCopies(sourceWindow)) {
        // Onto its own page the copy lies behind it, so the index still holds.
        source.Delete(index);
    }
    return true;
}

bool MovePage(TVantorManager& pages, int32_t from, int32_t to) {
    const int32_t count = pages.Count();
    if (from < 0 || from >= count || to < 0 || to >= count) return false;
    if (from != to) pages.Move(from, to);
    pages.SetCurrentPage(to);
    return true;
}

int DraggedTabSetHeight(int height, int tabSide, TPoint anchor, TPoint at, bool horizontalTab) {
    if (horizontalTab) return height;
    int offset = 0;
    switch (tabSide) {
        case deTop:
            offset = at.Y - anchor.Y;
            break;
        case deBottom:
            offset = anchor.Y - at.Y;
            break;
        case deLeft:
            offset = at.X - anchor.X;
            break;
        case deRight:
            offset = anchor.X - at.X;
            break;
        default:
            return height;
    }
    return std::clamp(height + offset, MinTabSetHeight, MaxTabSetHeight);
}
