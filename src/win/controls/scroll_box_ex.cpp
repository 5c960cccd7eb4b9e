#include "controls/scroll_box_ex.h"

#include <commctrl.h>

#include <algorithm>

#include "base/handles.h"
#include "base/system_library.h"
#include "base/window_dpi.h"

namespace {

const wchar_t* const BoxClass = L"VantorScrollBox";
constexpr int PlainLineStep = 8;

TScrollCode ScrollCodeOf(WORD code) {
    switch (code) {
        case SB_LINEUP:
            return scLineUp;
        case SB_LINEDOWN:
            return scLineDown;
        case SB_PAGEUP:
            return scPageUp;
        case SB_PAGEDOWN:
            return scPageDown;
        case SB_THUMBPOSITION:
            return scPosition;
        case SB_THUMBTRACK:
            return scTrack;
        case SB_TOP:
            return scTop;
        case SB_BOTTOM:
            return scBottom;
        default:
            return scEndScroll;
    }
}

// The common controls' flat scroll bars, looked up at run time: they are
// missing from some systems (and from the import library).
struct TFlatScrollBars {
    using TInitialize = BOOL(WINAPI*)(HWND);
    using TUninitialize = HRESULT(WINAPI*)(HWND);
    using TSetScrollProp = BOOL(WINAPI*)(HWND, UINT, INT_PTR, BOOL);
    using TSetInfo = int(WINAPI*)(HWND, int, LPSCROLLINFO, BOOL);
    using TGetInfo = BOOL(WINAPI*)(HWND, int, LPSCROLLINFO);
    using TSetPos = int(WINAPI*)(HWND, int, int, BOOL);

    TInitialize Initialize = nullptr;
    TUninitialize Uninitialize = nullptr;
    TSetScrollProp SetScrollProp = nullptr;
    TSetInfo SetInfo = nullptr;
    TGetInfo GetInfo = nullptr;
    TSetPos SetPos = nullptr;

    TModule Library;

    TFlatScrollBars() : Library(LoadSystemLibrary("comctl32.dll")) {
        HMODULE module = Library.Get();
        if (!module) return;
        Initialize = Lookup<TInitialize>(module, "InitializeFlatSB");
        Uninitialize = Lookup<TUninitialize>(module, "UninitializeFlatSB");
        SetScrollProp = Lookup<TSetScrollProp>(module, "FlatSB_SetScrollProp");
        SetInfo = Lookup<TSetInfo>(module, "FlatSB_SetScrollInfo");
        GetInfo = Lookup<TGetInfo>(module, "FlatSB_GetScrollInfo");
        SetPos = Lookup<TSetPos>(module, "FlatSB_SetScrollPos");
    }
    bool Complete() const { return Initialize && Uninitialize && SetScrollProp && SetInfo && GetInfo && SetPos; }

    template <typename F>
    static F Lookup(HMODULE module, const char* name) {
        return reinterpret_cast<F>(reinterpret_cast<void*>(GetProcAddress(module, name)));
    }
};

const TFlatScrollBars& FlatScrollBars() {
    static const TFlatScrollBars functions;
    return functions;
}

int FlatStyle(TScrollBarStyle style) {
    switch (style) {
        case ssFlat:
            return FSB_FLAT_MODE;
        case ssHotTrack:
            return FSB_ENCARTA_MODE;
        default:
            return FSB_REGULAR_MODE;
    }
}

}  // namespace

int VerticalScrollBarWidth() { return GetSystemMetrics(SM_CXVSCROLL); }

TScrollBoxEx::~TScrollBoxEx() {
    if (FFlatBars && Handle()) FlatScrollBars().Uninitialize(Handle());
    DestroyHandle();
}

bool TScrollBoxEx::Create(HWND parent, const TBounds& bounds) {
    if (!CreateChild(BoxClass, WS_CLIPCHILDREN, parent, bounds)) return false;
    SetScrollBarStyle(FStyle);
    UpdateScrollInfo();
    return true;
}

void TScrollBoxEx::SetContent(HWND content) {
    FContent = content;
    PlaceContent();
}

int TScrollBoxEx::MaxPosition() const { return std::max(FRange - ClientHeight(), 0); }

void TScrollBoxEx::SetVertRange(int range) {
    range = std::max(range, 0);
    if (range == FRange) return;
    FRange = range;
    UpdateScrollInfo();
    MoveTo(std::min(FPosition, MaxPosition()));
    PlaceContent();
}

void TScrollBoxEx::SetVertPosition(int position) { MoveTo(std::clamp(position, 0, MaxPosition())); }

bool TScrollBoxEx::VertScrollBarVisible() const { return Handle() && FRange > ClientHeight(); }

void TScrollBoxEx::SetScrollBarStyle(TScrollBarStyle style) {
    FStyle = style;
    if (!Handle()) return;
    // Flat and hot-tracking bars need the common controls' flat scroll bars;
    // where they are missing the bar keeps the regular look. They are loaded
    // only when first asked for: the library costs a start-up with the
    // regular bar a good part of its time under Wine.
    if (style != ssRegular && !FFlatTried) {
        FFlatTried = true;
        FFlatBars = FlatScrollBars().Complete() && FlatScrollBars().Initialize(Handle()) != FALSE;
        if (FFlatBars) UpdateScrollInfo();
    }
    if (FFlatBars) FlatScrollBars().SetScrollProp(Handle(), WSB_PROP_VSTYLE, FlatStyle(style), TRUE);
}

int TScrollBoxEx::PageStep() const { return std::max(ClientHeight() * 9 / 10, 1); }

int TScrollBoxEx::LineStep() const {
    return FSmooth ? std::max(PageStep() / 10, 1) : ScaledForWindow(Handle(), PlainLineStep);
}

// The bar hides itself while the page covers the whole range.
void TScrollBoxEx::UpdateScrollInfo() {
    if (!Handle()) return;
    SCROLLINFO si{sizeof(si), SIF_RANGE | SIF_PAGE | SIF_POS, 0, 0, 0, 0, 0};
    if (FRange > 0) {
        si.nMax = FRange - 1;
        si.nPage = static_cast<UINT>(std::max(ClientHeight(), 0));
    }
    si.nPos = FPosition;
    if (FFlatBars) {
        FlatScrollBars().SetInfo(Handle(), SB_VERT, &si, TRUE);
    } else {
        SetScrollInfo(Handle(), SB_VERT, &si, TRUE);
    }
}

void TScrollBoxEx::PlaceContent() {
    if (!FContent || !Handle()) return;
    const int height = std::max(FRange, ClientHeight());
    SetWindowPos(FContent, nullptr, 0, -FPosition, ClientWidth(), height, SWP_NOZORDER | SWP_NOACTIVATE);
}

void TScrollBoxEx::MoveTo(int position) {
    if (position == FPosition) return;
    FPosition = position;
    if (Handle()) {
        if (FFlatBars) {
            FlatScrollBars().SetPos(Handle(), SB_VERT, position, TRUE);
        } else {
            SetScrollPos(Handle(), SB_VERT, position, TRUE);
        }
    }
    PlaceContent();
}

int TScrollBoxEx::TrackPosition() const {
    SCROLLINFO si{sizeof(si), SIF_TRACKPOS, 0, 0, 0, 0, 0};
    const BOOL ok =
        FFlatBars ? FlatScrollBars().GetInfo(Handle(), SB_VERT, &si) : GetScrollInfo(Handle(), SB_VERT, &si);
    return ok ? si.nTrackPos : FPosition;
}

void TScrollBoxEx::VerticalScroll(WORD code, int messagePos) {
    int reported = messagePos;
    switch (code) {
        case SB_LINEUP:
            SetVertPosition(FPosition - LineStep());
            break;
        case SB_LINEDOWN:
            SetVertPosition(FPosition + LineStep());
            break;
        case SB_PAGEUP:
            SetVertPosition(FPosition - PageStep());
            break;
        case SB_PAGEDOWN:
            SetVertPosition(FPosition + PageStep());
            break;
        case SB_THUMBPOSITION:
            reported = TrackPosition();
            SetVertPosition(reported);
            break;
        case SB_THUMBTRACK:
            reported = TrackPosition();
            if (VertTracking) SetVertPosition(reported);
            break;
        case SB_TOP:
            SetVertPosition(0);
            break;
        case SB_BOTTOM:
            SetVertPosition(MaxPosition());
            break;
        default:
            break;
    }
    if (code != SB_THUMBPOSITION && code != SB_THUMBTRACK) reported = FPosition;
    if (!OnScroll || (code == SB_THUMBTRACK && !VertTracking)) return;
    int pos = reported;
    OnScroll(*this, sbVertical, ScrollCodeOf(code), pos);
    if (pos != reported) SetVertPosition(pos);
}

void TScrollBoxEx::ClientResized(int, int) {
    UpdateScrollInfo();
    MoveTo(std::min(FPosition, MaxPosition()));
    PlaceContent();
}

LRESULT TScrollBoxEx::HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) {
    switch (msg) {
        case WM_ERASEBKGND: {
            RECT r;
            GetClientRect(Handle(), &r);
            FillRect(reinterpret_cast<HDC>(wParam), &r, GetSysColorBrush(COLOR_BTNFACE));
            return 1;
        }
        case WM_VSCROLL:
            VerticalScroll(LOWORD(wParam), static_cast<short>(HIWORD(wParam)));
            return 0;
        case WM_HSCROLL:
            // The program shows no horizontal bar; the event still reports it.
            if (OnScroll && (LOWORD(wParam) != SB_THUMBTRACK || HorzTracking)) {
                int pos = static_cast<short>(HIWORD(wParam));
                OnScroll(*this, sbHorizontal, ScrollCodeOf(LOWORD(wParam)), pos);
            }
            return 0;
    }
    return TWinControl::HandleMessage(msg, wParam, lParam);
}
