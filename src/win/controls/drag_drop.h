// Dragging a control inside the program (an entry onto another entry, a tab,
// a panel or a bar; a tab onto another tab), as the framework's drag and drop
// does: the source starts it, the site under the pointer accepts or refuses
// it through OnDragOver, and the site it is released on gets OnDragDrop.
#pragma once

#include <windows.h>

#include <functional>

#include "controls/component.h"

enum TDragState { dsDragEnter, dsDragLeave, dsDragMove };

// `accept` comes in true; coordinates are the site's own.
using TDragOverEvent =
    std::function<void(TComponent& sender, TComponent& source, int x, int y, TDragState state, bool& accept)>;
using TDragDropEvent = std::function<void(TComponent& sender, TComponent& source, int x, int y)>;
// `target` is the site the control was dropped on, null when the drag was
// refused or cancelled; (x, y) in the target's coordinates.
using TEndDragEvent = std::function<void(TComponent& sender, TComponent* target, int x, int y)>;

// Something a dragged control can be dropped on. A site without OnDragOver
// refuses every drag.
class TDragSite {
public:
    virtual ~TDragSite() = default;
    TDragOverEvent OnDragOver;
    TDragDropEvent OnDragDrop;
    virtual TComponent& SiteComponent() = 0;

    bool DragOver(TComponent& source, POINT at, TDragState state);
    void DragDrop(TComponent& source, POINT at);
};

// A window whose client area holds drag sites: itself or windowless children.
class TDragWindow {
public:
    virtual ~TDragWindow() = default;
    // The site at a client point, with the point turned into its coordinates.
    virtual TDragSite* DragSiteAt(POINT& at) = 0;
};

// Makes a window known to drags; null forgets it. The window must forget
// itself before it goes.
void RegisterDragWindow(HWND window, TDragWindow* site);

struct TDragResult {
    TComponent* Target = nullptr;  // null: refused or cancelled
    POINT At{};
};

// Runs a drag of `source` until the left button is released, Esc or the
// right button cancels it, or the pointer capture is lost. `captureWindow`
// takes the pointer meanwhile. Other messages (timers, painting) keep running.
TDragResult RunDrag(HWND captureWindow, TComponent& source);
