// Dragging in the program's windows: an entry onto another entry reorders
// its page, an entry onto another page's tab or a bar moves it there (Ctrl
// copies), a tab onto another tab reorders the pages, and the splitter sizes
// the tab strip. Every view's entries are wired here, so clicks, drags and
// drops behave the same in the main window and the bars.
#pragma once

#include <cstdint>

#include "controls/entry_view.h"
#include "layout/drag_rules.h"
#include "layout/rect.h"

class TVantor;

class TEntryDragging {
public:
    explicit TEntryDragging(TVantor& vantor) : FVantor(vantor) {}

    // The tab strip, the panel and the splitter, and the main window's entries.
    void ConnectFrame();
    void ConnectMainView();
    // A view's entries start on a click, drag and take drops through the
    // handlers below, and open the entry menu on the right button.
    void ConnectEntryView(TEntryView& view, TEntryWindow window);

    // Targets and sources are the controls themselves; (x, y) in the target's
    // or the pressed control's coordinates.
    void EntryMouseMove(TGraphicControl& control, TShiftState shift, int x, int y);
    bool EntryDragOver(TComponent& target, TComponent& source);
    void EntryDragDrop(TComponent& target, TComponent& source);
    void TabSetMouseDown(TMouseButton button, int x, int y);
    void TabSetMouseMove(TShiftState shift, int x, int y);
    bool TabSetDragOver(TComponent& source, int x, int y);
    void TabSetDragDrop(TComponent& source, int x, int y);
    bool PTextureDragOver(TComponent& source);
    void PTextureDragDrop(TComponent& source);
    void SplitterMouseDown(TMouseButton button, int x, int y);
    void SplitterMouseMove(TShiftState shift, int x, int y);
    // An entry is being dragged (point-open waits meanwhile).
    bool EntryDragging() const { return FEntryDragging; }
    // The tab the left button went down on; -1 for none.
    int TabDragSource() const { return FTabDragSource; }

private:
    // The window, page and index of an entry control of any view.
    struct TEntryAt {
        TEntryWindow Window = TEntryWindow::Main;
        TVantorPage* Page = nullptr;
        int Index = -1;
    };
    bool FindEntry(const TComponent& control, TEntryAt& ref);
    void EntriesTransferred(TEntryWindow from, TBarKind to);
    void KeepFocusInsidePage();

    TVantor& FVantor;
    bool FEntryDragging = false;
    int FTabDragSource = -1;
    TPoint FSplitterAnchor;
};
