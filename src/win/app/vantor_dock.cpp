// The main window against a screen edge: dragging it by its background snaps
// it to the nearest edge of the work area of the monitor it is on, the frame
// turns to suit the new edge, resizing keeps the docked side in place and
// display changes snap it again.
#include "app/vantor.h"
#include "base/monitors.h"
#include "layout/docking.h"

void TVantor::FormMouseDown(TComponent* sender, TMouseButton button, TShiftState, int x, int y) {
    TitleMouseDown(sender, button, x, y);
    if (button != mbLeft) return;
    // A real click puts the keyboard on the page; a failure changes nothing.
    if (sender && IsWindowVisible(PTexture.Handle()) && IsWindowEnabled(PTexture.Handle()))
        SetFocus(ScrollBox.Handle());
    FPendingDockEdge = FDockEdge;
    FDragAnchor = DragAnchor(FDockEdge, TPoint{x, y}, FDragAnchor, FDpi);
    FDragging = true;
}

// The window always hugs an edge while it is dragged.
void TVantor::FormMouseMove(TComponent* sender, TShiftState shift, int x, int y) {
    TitleMouseMove(sender, x, y);
    if (!FDragging || !(shift & ssLeft)) return;
    RECT r{};
    GetWindowRect(Handle(), &r);
    const TPoint wanted{x - FDragAnchor.X + r.left, y - FDragAnchor.Y + r.top};
    const int w = r.right - r.left;
    const int h = r.bottom - r.top;
    // Dragged across, it belongs to the monitor it lies on most.
    const TRect work = MonitorOfRect(TRect{wanted.X, wanted.Y, wanted.X + w, wanted.Y + h}).Work;
    const TSnapResult snap = SnapToScreenEdge(wanted, w, h, work);
    FPendingDockEdge = static_cast<TDockEdge>(snap.Edge);
    if (snap.Position == TPoint{r.left, r.top}) return;
    const TAutoHider::TSlideScope sliding(FHider);
    SetWindowPos(Handle(), nullptr, snap.Position.X, snap.Position.Y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void TVantor::FormMouseUp(TComponent* sender, TMouseButton button, TShiftState, int x, int y) {
    TitleMouseUp(sender, button, x, y);
    if (button == mbRight && !FDragging) {
        // The background's menu is the main menu, for this window: the
        // keyboard comes here first.
        if (IsWindowVisible(PTexture.Handle())) SetFocus(ScrollBox.Handle());
        POINT at{};
        GetCursorPos(&at);
        MainMenu.Popup(Handle(), at);
        return;
    }
    if (!FDragging) return;
    FDragging = false;
    if (FPendingDockEdge == FDockEdge) return;
    if (IsWindowVisible(Handle())) PlaySoundEvent("ChangeLayout");
    FDockEdge = FPendingDockEdge;
    FormResize();
    RedrawWindow(Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);
}

// A press at (0, 0) that does not move snaps the window where it stands;
// this is how a new window finds its first edge.
void TVantor::Resnap() {
    if (FDragging) return;  // the drag in progress snaps by itself
    FormMouseDown(nullptr, mbLeft, ssLeft, 0, 0);
    FormMouseMove(nullptr, ssLeft, 0, 0);
    FormMouseUp(nullptr, mbLeft, ssLeft, 0, 0);
    FBars.KeepOnScreen();
}

void TVantor::WMGetMinMaxInfo(MINMAXINFO& info) {
    const TRect work = MonitorOfWindow(Handle()).Work;
    info.ptMinTrackSize = POINT{Px(MinTrackWidth), MinTrackHeight(FBars.DockedCount(), FDpi)};
    info.ptMaxTrackSize = POINT{work.Width(), work.Height()};
}

void TVantor::WMSizing(RECT& sizing) {
    const TRect kept = KeepDockedSide(TRect{sizing.left, sizing.top, sizing.right, sizing.bottom}, FDockEdge,
                                      MonitorOfWindow(Handle()).Work);
    sizing = RECT{kept.Left, kept.Top, kept.Right, kept.Bottom};
}
