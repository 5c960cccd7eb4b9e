#include "shell/drop_file.h"

#include <utility>

#include "base/log.h"
#include "base/modal_gate.h"
#include "base/win_text.h"
#include "controls/paint_panel.h"
#include "text/text.h"

namespace {

// The component attached to a window, and the procedure ours stands in
// front of. The second stays while our procedure is still in the window's
// chain, which outlasts a detach when someone subclassed the window after us.
const wchar_t OwnerProperty[] = L"VantorDropFile";
const wchar_t ProcProperty[] = L"VantorDropFileProc";

WNDPROC PreviousProc(HWND wnd) { return reinterpret_cast<WNDPROC>(GetPropW(wnd, ProcProperty)); }

// The drop handle goes back to the system whatever happens to the names.
class TDropFinish {
public:
    explicit TDropFinish(HDROP drop) : FDrop(drop) {}
    ~TDropFinish() { DragFinish(FDrop); }
    TDropFinish(const TDropFinish&) = delete;
    TDropFinish& operator=(const TDropFinish&) = delete;

private:
    HDROP FDrop;
};

}  // namespace

TDropFile::~TDropFile() { Detach(); }

bool TDropFile::SetControl(HWND control) {
    if (control == FControl) return true;
    Detach();
    if (!control) return true;
    DWORD process = 0;
    if (!IsWindow(control) || !GetWindowThreadProcessId(control, &process) || process != GetCurrentProcessId())
        return false;
    if (GetPropW(control, OwnerProperty)) return false;
    if (!GetPropW(control, ProcProperty)) {
        auto previous = reinterpret_cast<WNDPROC>(GetWindowLongPtrW(control, GWLP_WNDPROC));
        if (!previous || !SetPropW(control, ProcProperty, reinterpret_cast<HANDLE>(previous))) return false;
        if (!SetWindowLongPtrW(control, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&TDropFile::WindowProc))) {
            RemovePropW(control, ProcProperty);
            return false;
        }
    }
    if (!SetPropW(control, OwnerProperty, static_cast<HANDLE>(this))) {
        LogSwallowed("dropped files: the window could not be marked");
        return false;
    }
    FControl = control;
    DragAcceptFiles(FControl, FEnabled);
    return true;
}

void TDropFile::SetEnabled(bool enabled) {
    FEnabled = enabled;
    if (FControl) DragAcceptFiles(FControl, enabled);
}

void TDropFile::Detach() {
    if (!FControl) return;
    HWND wnd = std::exchange(FControl, nullptr);
    DragAcceptFiles(wnd, FALSE);
    RemovePropW(wnd, OwnerProperty);
    // Only while ours is the window's procedure: putting the old one back
    // under a later subclass would cut that one off. Ours then stays in the
    // chain and only passes messages on.
    if (GetWindowLongPtrW(wnd, GWLP_WNDPROC) == reinterpret_cast<LONG_PTR>(&TDropFile::WindowProc)) {
        SetWindowLongPtrW(wnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(PreviousProc(wnd)));
        RemovePropW(wnd, ProcProperty);
    }
}

LRESULT CALLBACK TDropFile::WindowProc(HWND wnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    const WNDPROC previous = PreviousProc(wnd);
    auto* self = static_cast<TDropFile*>(GetPropW(wnd, OwnerProperty));
    if (msg == WM_DROPFILES && self && self->OnDropFile) {
        // Consumed: the handle is finished here, and a procedure behind us
        // must never get a handle that is gone.
        self->DropFiles(reinterpret_cast<HDROP>(wParam));
        return 0;
    }
    if (msg == WM_NCDESTROY) {
        if (self) self->Detach();
        // The window goes: nothing is left to pass messages on for.
        if (GetPropW(wnd, ProcProperty)) {
            if (GetWindowLongPtrW(wnd, GWLP_WNDPROC) == reinterpret_cast<LONG_PTR>(&TDropFile::WindowProc))
                SetWindowLongPtrW(wnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(previous));
            RemovePropW(wnd, ProcProperty);
        }
    }
    return previous ? CallWindowProcW(previous, wnd, msg, wParam, lParam) : DefWindowProcW(wnd, msg, wParam, lParam);
}

void TDropFile::DropFiles(HDROP drop) {
    // Exceptions must never unwind through the system's code.
    try {
        std::vector<std::string> files;
        std::vector<std::string> unnamed;
        POINT at{};
        {
            TDropFinish finish(drop);
            files = DroppedFileNames(drop, &unnamed);
            DragQueryPoint(drop, &at);
        }
        if (!files.empty()) OnDropFile(*this, files, at.x, at.y);
        if (unnamed.empty()) return;
        if (OnDropUnnamed) {
            OnDropUnnamed(*this, unnamed);
        } else {
            HWND owner = FControl ? GetAncestor(FControl, GA_ROOT) : nullptr;
            const TModalGate::THold hold(TModalKind::MessageBox, owner);
            for (const std::string& name : unnamed)
                MessageBoxW(owner, Widen(Format(UnnamedDropMessage, name)).c_str(), L"Vantor", MB_OK | MB_ICONERROR);
        }
    } catch (...) {
        LogCurrentException("dropped files");
    }
}
