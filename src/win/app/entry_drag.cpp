// Dragging in the main window: an entry onto another entry reorders the page,
// an entry onto another page's tab moves it there (Ctrl copies), a tab onto
// another tab reorders the pages, and the splitter sizes the tab strip. What
// is accepted and what each drop changes is decided in layout/drag_rules.
#include "app/entry_drag.h"

#include <algorithm>

#include "app/vantor.h"
#include "layout/drag_rules.h"

void TEntryDragging::ConnectFrame() {
    FVantor.TabSet.OnMouseMove = [this](TComponent&, TShiftState shift, int x, int y) { TabSetMouseMove(shift, x, y); };
    FVantor.TabSet.OnDragOver = [this](TComponent&, TComponent& source, int x, int y, TDragState, bool& accept) {
        accept = TabSetDragOver(source, x, y);
    };
    FVantor.TabSet.OnDragDrop = [this](TComponent&, TComponent& source, int x, int y) { TabSetDragDrop(source, x, y); };
    FVantor.PTexture.OnDragOver = [this](TComponent&, TComponent& source, int, int, TDragState, bool& accept) {
        accept = PTextureDragOver(source);
    };
    FVantor.PTexture.OnDragDrop = [this](TComponent&, TComponent& source, int, int) { PTextureDragDrop(source); };
    FVantor.Splitter.OnMouseDown = [this](TComponent&, TMouseButton button, TShiftState, int x, int y) {
        SplitterMouseDown(button, x, y);
    };
    FVantor.Splitter.OnMouseMove = [this](TComponent&, TShiftState shift, int x, int y) {
        SplitterMouseMove(shift, x, y);
    };
}

void TEntryDragging::ConnectMainView() { ConnectEntryView(FVantor.MainView(), TEntryWindow::Main); }

namespace {

int32_t BarIdOf(TEntryWindow window) {
    switch (window) {
        case TEntryWindow::Keyword:
            return BarKeyword;
        case TEntryWindow::History:
            return BarHistory;
        default:
            return BarSmart;
    }
}

// The slot of a pooled control of `view` bound to an entry of its page; -1
// for anything else.
int SlotIn(const TEntryView& view, const TComponent& control) {
    const TVantorPage* page = view.Page();
    const int slot = static_cast<int>(control.Tag);
    if (!view.PoolsExist() || !page || slot < 0 || slot >= page->Count() || slot >= TEntryView::PoolSize) return -1;
    const TComponent* button = view.Button(slot);
    const TComponent* separator = view.Separator(slot);
    return &control == button || &control == separator ? slot : -1;
}

}  // namespace

void TEntryDragging::ConnectEntryView(TEntryView& view, TEntryWindow window) {
    FVantor.Hints().ConnectView(view, MenuOwnerOf(window));
    view.OnEntryClick = [this, window](int slot) { FVantor.Launcher().LaunchButton(SetOf(window), slot); };
    view.IsMarked = [this](const TVantorButton& entry) { return FVantor.BrokenLinks().KnownBroken(entry.LinkTo); };
    view.OnBound = [this, &view](const TVantorPage& page) { FVantor.EntryMenu().Prefetch(&view, page); };
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
        // The right button opens the entry's own menu; in the main window
        // the focus frame moves to the entry first.
        control.OnMouseUp = [this, &control](TComponent&, TMouseButton button, TShiftState, int, int) {
            TEntryAt ref;
            if (button != mbRight || !FindEntry(control, ref) || !ref.Page) return;
            if (ref.Window == TEntryWindow::Main) {
                FVantor.CurrentButton = ref.Index;
                FVantor.PlaceFocusFrame(false);
            }
            POINT at{};
            GetCursorPos(&at);
            FVantor.EntryMenu().Popup(MenuOwnerOf(ref.Window), *ref.Page, ref.Index, at);
        };
    };
    for (int i = 0; i < TEntryView::PoolSize; ++i) {
        wire(*view.Button(i));
        wire(*view.Separator(i));
    }
    if (window == TEntryWindow::Main) return;
    // The bar's free panel: only the smart bar takes entries from elsewhere.
    TFormFloat& bar = FVantor.Bars().Bar(BarIdOf(window));
    bar.PTexture.OnDragOver = [this, window](TComponent&, TComponent& source, int, int, TDragState, bool& accept) {
        TEntryAt from;
        accept = window == TEntryWindow::Smart && FindEntry(source, from) && from.Window != TEntryWindow::Smart;
    };
    bar.PTexture.OnDragDrop = [this, &bar](TComponent&, TComponent& source, int, int) {
        TEntryAt from;
        TVantorPage* target = bar.BarPage();
        if (!FindEntry(source, from) || !target || from.Window == TEntryWindow::Smart) return;
        TransferEntry(*from.Page, from.Index, *target, FVantor.Services().IsCtrlDown(), from.Window);
        FVantor.PlaySoundEvent("DragDrop");
        EntriesTransferred(from.Window, TBarKind::SmartBar);
    };
}

bool TEntryDragging::FindEntry(const TComponent& control, TEntryAt& ref) {
    int slot = SlotIn(FVantor.MainView(), control);
    if (slot >= 0) {
        ref = TEntryAt{TEntryWindow::Main, FVantor.CurrentMainPage(), slot};
        return true;
    }
    if (!FVantor.Bars().Exist()) return false;
    for (TEntryWindow window : {TEntryWindow::Smart, TEntryWindow::Keyword, TEntryWindow::History}) {
        TFormFloat& bar = FVantor.Bars().Bar(BarIdOf(window));
        slot = SlotIn(bar.View(), control);
        if (slot >= 0) {
            ref = TEntryAt{window, bar.BarPage(), slot};
            return true;
        }
    }
    return false;
}

// A transfer takes the entry from its page (unless it copies) and gives it
// to another: both sets' views hear of it.
void TEntryDragging::EntriesTransferred(TEntryWindow from, TBarKind to) {
    const TBarKind source = SetOf(from);
    if (source != to) FVantor.Document().Changed(TChange::WholePage(FVantor.Document().CurrentPage(source)));
    FVantor.Document().Changed(TChange::WholePage(FVantor.Document().CurrentPage(to)));
}

// ---------------------------------------------------------------- entries

void TEntryDragging::EntryMouseMove(TGraphicControl& control, TShiftState shift, int x, int y) {
    if (!(shift & ssLeft) || FEntryDragging) return;
    if (x >= 0 && y >= 0 && x < control.Width() && y < control.Height()) return;
    FEntryDragging = true;  // point-open waits meanwhile
    control.BeginDrag();
    FEntryDragging = false;
}

bool TEntryDragging::EntryDragOver(TComponent& target, TComponent& source) {
    TEntryAt to;
    TEntryAt from;
    if (!FindEntry(target, to)) return false;
    const bool samePanel = FindEntry(source, from) && from.Window == to.Window;
    return AcceptEntryOnEntry(&target == &source, samePanel, to.Window);
}

void TEntryDragging::EntryDragDrop(TComponent& target, TComponent& source) {
    if (!EntryDragOver(target, source)) return;
    TEntryAt to;
    TEntryAt from;
    FindEntry(target, to);
    FindEntry(source, from);
    if (!MoveEntry(*to.Page, from.Index, to.Index)) return;
    FVantor.PlaySoundEvent("DragDrop");
    EntriesTransferred(to.Window, SetOf(to.Window));
}

// ---------------------------------------------------------------- tabs

void TEntryDragging::TabSetMouseDown(TMouseButton button, int x, int y) {
    if (button == mbLeft) FTabDragSource = FVantor.TabSet.TabAtPos(x, y);
}

void TEntryDragging::TabSetMouseMove(TShiftState shift, int x, int y) {
    if (!(shift & ssLeft) || FTabDragSource < 0) return;
    const int under = FVantor.TabSet.TabAtPos(x, y);
    if (under < 0 || under == FTabDragSource) return;
    FVantor.TabSet.BeginDrag();
    // The release ended the drag, not the strip: its press is over too.
    FTabDragSource = -1;
    FVantor.EndUserPageSwitch();
}

bool TEntryDragging::TabSetDragOver(TComponent& source, int x, int y) {
    TEntryAt from;
    if (&source == &FVantor.TabSet)
        from.Window = TEntryWindow::Main;
    else if (!FindEntry(source, from))
        return false;
    return AcceptOnTab(from.Window, FVantor.TabSet.TabAtPos(x, y), FVantor.TabSet.TabIndex(),
                       FVantor.MainPages().Count());
}

void TEntryDragging::TabSetDragDrop(TComponent& source, int x, int y) {
    if (!TabSetDragOver(source, x, y)) return;
    const int tab = FVantor.TabSet.TabAtPos(x, y);
    FVantor.PlaySoundEvent("DragDrop");
    if (&source == &FVantor.TabSet) {
        if (!MovePage(FVantor.MainPages(), FTabDragSource, tab)) return;
        FVantor.SelectTabQuietly(tab);
        FVantor.Document().Changed(TChange::WholeSet(TBarKind::Main));
        return;
    }
    TEntryAt from;
    TVantorPage* target = FVantor.MainPages().Pages(tab);
    if (!FindEntry(source, from) || !target) return;
    TransferEntry(*from.Page, from.Index, *target, FVantor.Services().IsCtrlDown(), from.Window);
    KeepFocusInsidePage();
    EntriesTransferred(from.Window, TBarKind::Main);
}

// A page left without launcher entries gets no frame to clamp the focus, so
// the saved focus is kept inside the page here.
void TEntryDragging::KeepFocusInsidePage() {
    const TVantorPage* page = FVantor.CurrentMainPage();
    if (page && FVantor.CurrentButton >= page->Count()) FVantor.CurrentButton = std::max(page->Count() - 1, 0);
}

bool TEntryDragging::PTextureDragOver(TComponent& source) {
    // The main window's own entries are reordered on each other, never
    // dropped on the bare panel; the bars' entries are added to the page.
    TEntryAt from;
    return FindEntry(source, from) && AcceptOnPanel(from.Window);
}

void TEntryDragging::PTextureDragDrop(TComponent& source) {
    TEntryAt from;
    TVantorPage* page = FVantor.CurrentMainPage();
    if (!PTextureDragOver(source) || !FindEntry(source, from) || !page) return;
    TransferEntry(*from.Page, from.Index, *page, FVantor.Services().IsCtrlDown(), from.Window);
    FVantor.PlaySoundEvent("DragDrop");
    EntriesTransferred(from.Window, TBarKind::Main);
}

// ---------------------------------------------------------------- splitter

void TEntryDragging::SplitterMouseDown(TMouseButton button, int x, int y) {
    if (button == mbLeft) FSplitterAnchor = TPoint{x, y};
}

void TEntryDragging::SplitterMouseMove(TShiftState shift, int x, int y) {
    if (!(shift & ssLeft)) return;
    TVantorManager& settings = FVantor.MainPages();
    const int side = ResolveTabSide(settings.PageTabLayout(), FVantor.DockEdge());
    // The stored height is in 96-DPI units, and so is the pointer's offset.
    const TPoint at{FSplitterAnchor.X + UnscaleFromDpi(x - FSplitterAnchor.X, FVantor.Dpi()),
                    FSplitterAnchor.Y + UnscaleFromDpi(y - FSplitterAnchor.Y, FVantor.Dpi())};
    const int height = DraggedTabSetHeight(settings.TabSetHeight(), side, FSplitterAnchor, at, settings.HorizontalTab);
    if (height == settings.TabSetHeight()) return;
    settings.SetTabSetHeight(height);
    FVantor.Document().Changed(TChange::SettingsOnly());
    FVantor.FormResize();
    RedrawWindow(FVantor.Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);
}
