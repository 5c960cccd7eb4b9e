#include "controls/paint_panel.h"

#include <shellapi.h>
#include <windowsx.h>

#include "base/double_buffer.h"
#include "base/handles.h"
#include "base/modal_gate.h"
#include "base/win_text.h"
#include "text/text.h"

namespace {
const wchar_t* const PanelClass = L"VantorPaintPanel";
}

TPaintPanel::~TPaintPanel() { DestroyHandle(); }

bool TPaintPanel::Create(HWND parent, const TBounds& bounds) {
    if (!CreateChild(PanelClass, WS_CLIPCHILDREN, parent, bounds)) return false;
    FControls.SetParent(Handle());
    RegisterDragWindow(Handle(), this);
    Created();
    return true;
}

void TPaintPanel::Invalidate(const RECT* r) {
    if (Handle()) InvalidateRect(Handle(), r, FALSE);
}

void TPaintPanel::Update() {
    if (Handle()) UpdateWindow(Handle());
}

void TPaintPanel::Paint(HDC target, const RECT& clip) {
    TDoubleBuffer buffer(target, clip);
    HDC dc = buffer.DC();
    if (AutoClear) FillRect(dc, &clip, GetSysColorBrush(COLOR_BTNFACE));
    if (OnPaint) OnPaint(*this, dc, clip);
    FControls.PaintControls(dc, clip);
}

TDragSite* TPaintPanel::DragSiteAt(POINT& at) {
    if (TGraphicControl* c = FControls.ControlAtPos(at.x, at.y)) {
        at.x -= c->Bounds().Left;
        at.y -= c->Bounds().Top;
        return c;
    }
    return this;
}

LRESULT TPaintPanel::HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) {
    switch (msg) {
        case WM_ERASEBKGND:
            return 1;  // painted whole in WM_PAINT
        case WM_PAINT: {
            TPaintDC dc(Handle());
            Paint(dc.DC(), dc.PaintRect());
            return 0;
        }
        case WM_DESTROY:
            RegisterDragWindow(Handle(), nullptr);
            break;
    }
    return TWinControl::HandleMessage(msg, wParam, lParam);
}

// --- TDropPaintPanel ---

void TDropPaintPanel::SetEnableDrop(bool enable) {
    FEnableDrop = enable;
    if (Handle()) DragAcceptFiles(Handle(), enable ? TRUE : FALSE);
}

void TDropPaintPanel::Created() {
    if (FEnableDrop) DragAcceptFiles(Handle(), TRUE);
}

const char UnnamedDropMessage[] = "\"%s\"は名前に扱えない文字が含まれているため、登録できません。";

std::vector<std::string> DroppedFileNames(HDROP drop, std::vector<std::string>* unnamed) {
    std::vector<std::string> names;
    const UINT count = DragQueryFileW(drop, 0xFFFFFFFF, nullptr, 0);
    for (UINT i = 0; i < count; ++i) {
        const UINT length = DragQueryFileW(drop, i, nullptr, 0);
        std::wstring name(length + 1, L'\0');
        const UINT got = DragQueryFileW(drop, i, name.data(), length + 1);
        name.resize(got);
        // A look-alike spelling could name another file: such a file is
        // left out rather than guessed.
        if (std::optional<std::string> named = NarrowPath(name)) {
            names.push_back(std::move(*named));
        } else if (unnamed) {
            unnamed->push_back(Narrow(name));
        }
    }
    return names;
}

LRESULT TDropPaintPanel::HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg == WM_DROPFILES) {
        auto drop = reinterpret_cast<HDROP>(wParam);
        std::vector<std::string> files;
        std::vector<std::string> unnamed;
        POINT at{};
        if (OnDropFile) {
            files = DroppedFileNames(drop, &unnamed);
            DragQueryPoint(drop, &at);
        }
        DragFinish(drop);
        if (!files.empty()) OnDropFile(*this, files, at);
        if (!unnamed.empty()) {
            if (OnDropUnnamed) {
                OnDropUnnamed(*this, unnamed);
            } else {
                const TModalGate::THold hold(TModalKind::MessageBox, GetAncestor(Handle(), GA_ROOT));
                for (const std::string& name : unnamed)
                    MessageBoxW(GetAncestor(Handle(), GA_ROOT), Widen(Format(UnnamedDropMessage, name)).c_str(),
                                L"Vantor", MB_OK | MB_ICONERROR);
            }
        }
        return 0;
    }
    return TPaintPanel::HandleMessage(msg, wParam, lParam);
}
