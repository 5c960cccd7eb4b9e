// Dragging in the main window: an entry onto another entry reorders the page,
// an entry onto another page's tab moves it there (Ctrl copies), a tab onto
// another tab reorders the pages, and the splitter sizes the tab strip. What
// is accepted and what each drop changes is decided in layout/drag_rules.
#include <algorithm>

#include "app/vantor.h"
#include "layout/drag_rules.h"

void TVantor::ConnectDragEvents() {
    TabSet.OnMouseMove = [this](TComponent&, TShiftState shift, int x, int y) { TabSetMouseMove(shift, x, y); };
    TabSet.OnDragOver = [this](TComponent&, TComponent& source, int x, int y, TDragState, bool& accept) {
        accept = TabSetDragOver(source, x, y);
    };
    TabSet.OnDragDrop = [this](TComponent&, TComponent& source, int x, int y) { TabSetDragDrop(source, x, y); };
    PTexture.OnDragOver = [this](TComponent&, TComponent& source, int, int, TDragState, bool& accept) {
        accept = PTextureDragOver(source);
    };
    Splitter.OnMouseDown = [this](TComponent&, TMouseButton button, TShiftState, int x, int y) {
        SplitterMouseDown(button, x, y);
    };
    Splitter.OnMouseMove = [this](TComponent&, TShiftState shift, int x, int y) { SplitterMouseMove(shift, x, y); };
}

void TVantor::ConnectEntryDragEvents() {
    auto wire = [this](TGraphicControl& control) {
        control.OnMouseMove = [this, &control](TComponent&, TShiftState shift, int x, int y) {
            EntryMouseMove(control, shift, x, y);
        };
        control.OnDragOver = [this](TComponent& target, TComponent& source, int, int, TDragState, bool& accept) {
            accept = EntryDragOver(target, source);
        };
        control.OnDragDrop = [this](TComponent& target, TComponent& source, int, int) {
            EntryDragDrop(target, source);
        };
    };
    for (int i = 0; i < PoolSize; ++i) {
        wire(*FMainView.Button(i));
        wire(*FMainView.Separator(i));
    }
}

int TVantor::MainEntryIndex(const TComponent& control) const {
    if (!PoolsExist()) return -1;
    const TVantorPage* page = CurrentMainPage();
    const int slot = static_cast<int>(control.Tag);
    if (!page || slot < 0 || slot >= page->Count() || slot >= PoolSize) return -1;
    const TComponent* button = FMainView.Button(slot);
    const TComponent* separator = FMainView.Separator(slot);
    return &control == button || &control == separator ? slot : -1;
}

// ---------------------------------------------------------------- entries

void TVantor::EntryMouseMove(TGraphicControl& control, TShiftState shift, int x, int y) {
    if (!(shift & ssLeft) || FEntryDragging) return;
    if (x >= 0 && y >= 0 && x < control.Width() && y < control.Height()) return;
    FEntryDragging = true;  // point-open waits meanwhile
    control.BeginDrag();
    FEntryDragging = false;
}

bool TVantor::EntryDragOver(TComponent& target, TComponent& source) {
    const int to = MainEntryIndex(target);
    const int from = MainEntryIndex(source);
    // Only the main window's entries exist here; both on PTexture.
    return to >= 0 && AcceptEntryOnEntry(&target == &source, from >= 0, TEntryWindow::Main);
}

void TVantor::EntryDragDrop(TComponent& target, TComponent& source) {
    if (!EntryDragOver(target, source)) return;
    TVantorPage* page = CurrentMainPage();
    if (!MoveEntry(*page, MainEntryIndex(source), MainEntryIndex(target))) return;
    PlaySoundEvent("DragDrop");
    RebuildPage();
}

// ---------------------------------------------------------------- tabs

void TVantor::TabSetMouseDown(TMouseButton button, int x, int y) {
    if (button == mbLeft) FTabDragSource = TabSet.TabAtPos(x, y);
}

void TVantor::TabSetMouseMove(TShiftState shift, int x, int y) {
    if (!(shift & ssLeft) || FTabDragSource < 0) return;
    const int under = TabSet.TabAtPos(x, y);
    if (under < 0 || under == FTabDragSource) return;
    TabSet.BeginDrag();
    // The release ended the drag, not the strip: its press is over too.
    FTabDragSource = -1;
    FUserPageSwitch = false;
}

bool TVantor::TabSetDragOver(TComponent& source, int x, int y) {
    const bool fromMain = &source == &TabSet || MainEntryIndex(source) >= 0;
    if (!fromMain) return false;  // the bars' entries arrive here once they exist
    return AcceptOnTab(TEntryWindow::Main, TabSet.TabAtPos(x, y), TabSet.TabIndex(), MainPages().Count());
}

void TVantor::TabSetDragDrop(TComponent& source, int x, int y) {
    if (!TabSetDragOver(source, x, y)) return;
    const int tab = TabSet.TabAtPos(x, y);
    PlaySoundEvent("DragDrop");
    if (&source == &TabSet) {
        if (!MovePage(MainPages(), FTabDragSource, tab)) return;
        SelectTabQuietly(tab);
        RefreshTabsAndFonts();
        RebuildPage();
        return;
    }
    TVantorPage* page = CurrentMainPage();
    TVantorPage* target = MainPages().Pages(tab);
    if (!page || !target) return;
    TransferEntry(*page, MainEntryIndex(source), *target, FServices->IsCtrlDown(), TEntryWindow::Main);
    // A page left without launcher entries gets no frame to clamp the focus,
    // so the saved focus is kept inside the page here.
    if (CurrentButton >= page->Count()) CurrentButton = std::max(page->Count() - 1, 0);
    RebuildPage();
}

bool TVantor::PTextureDragOver(TComponent& source) {
    // The main window's own entries are reordered on each other, never
    // dropped on the bare panel; bars bring theirs here once they exist.
    (void)source;
    return AcceptOnPanel(TEntryWindow::Main);
}

// ---------------------------------------------------------------- splitter

void TVantor::SplitterMouseDown(TMouseButton button, int x, int y) {
    if (button == mbLeft) FSplitterAnchor = TPoint{x, y};
}

void TVantor::SplitterMouseMove(TShiftState shift, int x, int y) {
    if (!(shift & ssLeft)) return;
    TVantorManager& settings = MainPages();
    const int side = ResolveTabSide(settings.PageTabLayout(), FDockEdge);
    const int height =
        DraggedTabSetHeight(settings.TabSetHeight(), side, FSplitterAnchor, TPoint{x, y}, settings.HorizontalTab);
    if (height == settings.TabSetHeight()) return;
    settings.SetTabSetHeight(height);
    FormResize();
    RedrawWindow(Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);
}
