#include "controls/drag_drop.h"

#include "base/modal_gate.h"

namespace {

const wchar_t* const DragWindowProperty = L"VantorDragWindow";

// The innermost registered window under a screen point, and the site there.
TDragSite* SiteAtScreenPoint(POINT screen, POINT& at) {
    for (HWND wnd = WindowFromPoint(screen); wnd; wnd = GetParent(wnd)) {
        auto* window = static_cast<TDragWindow*>(GetPropW(wnd, DragWindowProperty));
        if (!window) continue;
        at = screen;
        ScreenToClient(wnd, &at);
        return window->DragSiteAt(at);
    }
    return nullptr;
}

POINT MessagePoint() {
    const DWORD pos = GetMessagePos();
    return POINT{static_cast<short>(LOWORD(pos)), static_cast<short>(HIWORD(pos))};
}

class TDragLoop {
public:
    TDragLoop(HWND captureWindow, TComponent& source) : FCapture(captureWindow), FSource(source) {}

    // The loop holds the modal gate: a hot key or a late answer must not open
    // a window or change the entries while one is being dragged.
    TDragResult Run() {
        const TModalGate::THold hold(TModalKind::Drag, FCapture);
        SetCapture(FCapture);
        POINT start;
        GetCursorPos(&start);
        Move(start);
        TDragResult result;
        MSG msg;
        for (;;) {
            if (GetCapture() != FCapture) break;  // taken away: cancel
            const BOOL got = GetMessageW(&msg, nullptr, 0, 0);
            if (got <= 0) {
                if (got == 0) PostQuitMessage(static_cast<int>(msg.wParam));
                break;
            }
            if (msg.message == WM_MOUSEMOVE) {
                Move(MessagePoint());
            } else if (msg.message == WM_LBUTTONUP) {
                Move(MessagePoint());
                result = Drop();
                break;
            } else if (msg.message == WM_RBUTTONDOWN || (msg.message == WM_KEYDOWN && msg.wParam == VK_ESCAPE)) {
                break;
            } else if (msg.message >= WM_KEYFIRST && msg.message <= WM_KEYLAST) {
                // Keys mean nothing during a drag; Ctrl is read from the key state at the drop.
            } else {
                TranslateMessage(&msg);
                DispatchMessageW(&msg);
            }
        }
        if (!result.Target) Leave();
        if (GetCapture() == FCapture) ReleaseCapture();
        return result;
    }

private:
    void Move(POINT screen) {
        POINT at{};
        TDragSite* site = SiteAtScreenPoint(screen, at);
        if (site != FSite) {
            Leave();
            FSite = site;
            FAccepted = FSite && FSite->DragOver(FSource, at, dsDragEnter);
        } else if (FSite) {
            FAccepted = FSite->DragOver(FSource, at, dsDragMove);
        }
        FAt = at;
        SetCursor(LoadCursorW(nullptr, FAccepted ? IDC_ARROW : IDC_NO));
    }

    void Leave() {
        if (FSite) FSite->DragOver(FSource, FAt, dsDragLeave);
        FSite = nullptr;
        FAccepted = false;
    }

    TDragResult Drop() {
        TDragResult r;
        if (!FSite || !FAccepted) return r;
        TDragSite* site = FSite;
        FSite = nullptr;
        r.Target = &site->SiteComponent();
        r.At = FAt;
        site->DragDrop(FSource, FAt);
        return r;
    }

    HWND FCapture;
    TComponent& FSource;
    TDragSite* FSite = nullptr;
    bool FAccepted = false;
    POINT FAt{};
};

}  // namespace

bool TDragSite::DragOver(TComponent& source, POINT at, TDragState state) {
    if (!OnDragOver) return false;
    bool accept = true;
    OnDragOver(SiteComponent(), source, at.x, at.y, state, accept);
    return accept;
}

void TDragSite::DragDrop(TComponent& source, POINT at) {
    if (OnDragDrop) OnDragDrop(SiteComponent(), source, at.x, at.y);
}

void RegisterDragWindow(HWND window, TDragWindow* site) {
    if (!window) return;
    if (site) {
        SetPropW(window, DragWindowProperty, site);
    } else {
        RemovePropW(window, DragWindowProperty);
    }
}

TDragResult RunDrag(HWND captureWindow, TComponent& source) { return TDragLoop(captureWindow, source).Run(); }
