#include "app/hints.h"

#include "app/vantor.h"
#include "base/monitors.h"
#include "base/win_text.h"
#include "base/window_dpi.h"
#include "controls/entry_view.h"

namespace {

const wchar_t kTitleClass[] = L"VantorTitlePopup";
const wchar_t kViewerClass[] = L"VantorHint";
// A viewer that hangs must not hang the launcher with it.
constexpr UINT kViewerTimeoutMs = 1000;

bool RegisterTitleClass(WNDPROC proc) {
    static const bool registered = [proc] {
        WNDCLASSW cls{};
        cls.lpfnWndProc = proc;
        cls.hInstance = GetModuleHandleW(nullptr);
        cls.hCursor = LoadCursorW(nullptr, reinterpret_cast<LPCWSTR>(IDC_ARROW));
        cls.lpszClassName = kTitleClass;
        return RegisterClassW(&cls) != 0;
    }();
    return registered;
}

TGuide BarGuide(int32_t bar) {
    switch (bar) {
        case BarSmart:
            return TGuide::SmartBar;
        case BarKeyword:
            return TGuide::KeywordBar;
        case BarHistory:
            return TGuide::HistoryBar;
        default:
            return TGuide::ResourceBar;
    }
}

// Below the control, or above it near the bottom of the monitor it is on.
int TitleTopBelow(POINT origin, int width, int height) {
    return TitlePopupTop(origin.y, height,
                         MonitorOfRect(TRect{origin.x, origin.y, origin.x + width, origin.y + height}).Area.Bottom);
}

}  // namespace

// ---------------------------------------------------------------- title popup

TExtHintWindow::~TExtHintWindow() {
    if (FHandle && IsWindow(FHandle)) DestroyWindow(FHandle);
}

LRESULT CALLBACK TExtHintWindow::WindowProc(HWND wnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    auto* self = reinterpret_cast<TExtHintWindow*>(GetWindowLongPtrW(wnd, GWLP_USERDATA));
    switch (msg) {
        case WM_NCCREATE:
            SetWindowLongPtrW(wnd, GWLP_USERDATA,
                              reinterpret_cast<LONG_PTR>(reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams));
            break;
        case WM_ERASEBKGND:
            return 1;
        case WM_NCHITTEST:
            // The pointer goes through to the entry underneath.
            return HTTRANSPARENT;
        case WM_MOUSEACTIVATE:
            return MA_NOACTIVATE;
        case WM_PAINT: {
            PAINTSTRUCT ps;
            HDC dc = BeginPaint(wnd, &ps);
            if (self) self->Paint(dc);
            EndPaint(wnd, &ps);
            return 0;
        }
        default:
            break;
    }
    return DefWindowProcW(wnd, msg, wParam, lParam);
}

void TExtHintWindow::Paint(HDC dc) {
    RECT r{};
    GetClientRect(FHandle, &r);
    FillRect(dc, &r, GetSysColorBrush(COLOR_INFOBK));
    switch (FStyle) {
        case 1:
            FrameRect(dc, &r, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
            break;
        case 2:
            DrawEdge(dc, &r, EDGE_RAISED, BF_RECT);
            break;
        case 3:
            DrawEdge(dc, &r, EDGE_SUNKEN, BF_RECT);
            break;
        case 4:
            DrawEdge(dc, &r, EDGE_BUMP, BF_RECT);
            break;
        default:
            break;
    }
    HGDIOBJ oldFont = FFont ? SelectObject(dc, FFont) : nullptr;
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, GetSysColor(COLOR_INFOTEXT));
    const std::wstring text = Widen(FText);
    const int inset = ScaledForWindow(FHandle, 3);
    TextOutW(dc, inset, inset, text.c_str(), static_cast<int>(text.size()));
    if (oldFont) SelectObject(dc, oldFont);
}

void TExtHintWindow::ShowTitle(HWND owner, int x, int y, int style, const std::string& text, HFONT font) {
    if (style <= 0 || style > 4 || text.empty()) return;
    // Moves over one button show it once, without flicker.
    if (FShowing && FAt.x == x && FAt.y == y && FText == text && FStyle == style) return;
    if (!FHandle) {
        if (!RegisterTitleClass(&TExtHintWindow::WindowProc)) return;
        FHandle = CreateWindowExW(WS_EX_TOOLWINDOW | WS_EX_TOPMOST | WS_EX_NOACTIVATE, kTitleClass, L"",
                                  WS_POPUP | WS_DISABLED, 0, 0, 0, 0, owner, nullptr, GetModuleHandleW(nullptr), this);
        if (!FHandle) return;
    }
    FStyle = style;
    FText = text;
    FFont = font;
    FAt = POINT{x, y};
    const std::wstring wide = Widen(text);
    SIZE extent{0, 0};
    if (HDC dc = GetDC(FHandle)) {
        HGDIOBJ oldFont = font ? SelectObject(dc, font) : nullptr;
        GetTextExtentPoint32W(dc, wide.c_str(), static_cast<int>(wide.size()), &extent);
        if (oldFont) SelectObject(dc, oldFont);
        ReleaseDC(FHandle, dc);
    }
    const int width = extent.cx + ScaledForWindow(FHandle, 6);
    const int height = extent.cy + ScaledForWindow(FHandle, 2 + 4);
    // Kept on the desktop: moved left or up as far as needed.
    const int right = GetSystemMetrics(SM_XVIRTUALSCREEN) + GetSystemMetrics(SM_CXVIRTUALSCREEN);
    const int bottom = GetSystemMetrics(SM_YVIRTUALSCREEN) + GetSystemMetrics(SM_CYVIRTUALSCREEN);
    x = std::max(std::min(x, right - width), static_cast<int>(GetSystemMetrics(SM_XVIRTUALSCREEN)));
    y = std::max(std::min(y, bottom - height), static_cast<int>(GetSystemMetrics(SM_YVIRTUALSCREEN)));
    SetWindowPos(FHandle, HWND_TOPMOST, x, y, width, height, SWP_NOACTIVATE | SWP_SHOWWINDOW);
    InvalidateRect(FHandle, nullptr, FALSE);
    UpdateWindow(FHandle);
    FShowing = true;
}

void TExtHintWindow::BackOnTop() {
    if (FHandle && FShowing) SetWindowPos(FHandle, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOACTIVATE | SWP_NOMOVE | SWP_NOSIZE);
}

void TExtHintWindow::HideTitle() {
    if (FHandle && FShowing) ShowWindow(FHandle, SW_HIDE);
    FShowing = false;
}

// ---------------------------------------------------------------- guide texts

void SendHintText(HWND sender, const std::string& text) {
    HWND viewer = FindWindowW(kViewerClass, nullptr);
    if (!viewer) return;
    std::string block = HintBlock(text);
    COPYDATASTRUCT data{};
    data.cbData = static_cast<DWORD>(block.size());
    data.lpData = block.data();
    DWORD_PTR result = 0;
    SendMessageTimeoutW(viewer, WM_COPYDATA, reinterpret_cast<WPARAM>(sender), reinterpret_cast<LPARAM>(&data),
                        SMTO_ABORTIFHUNG | SMTO_BLOCK, kViewerTimeoutMs, &result);
}

void THints::Guide(TGuide guide) { SendHintText(FVantor.Handle(), GuideText(guide)); }

void THints::ClearGuide() { SendHintText(FVantor.Handle(), ""); }

void THints::Connect() {
    Wire(FVantor.TabSet, TGuide::TabSet);
    Wire(FVantor.PTexture, TGuide::EntryArea);
    const TGuide systemGuides[sbCount] = {TGuide::StopAutoRun, TGuide::OpenFolder, TGuide::ScreenSaver,
                                          TGuide::Shutdown, TGuide::Reboot};
    for (int i = 0; i < sbCount; ++i) {
        TIconButton& button = FVantor.SystemButtons[static_cast<size_t>(i)];
        const TGuide guide = systemGuides[i];
        button.OnMouseEnter = [this, guide, i](TComponent& sender) {
            Guide(guide);
            SystemButtonEnter(sender, i);
        };
        button.OnMouseExit = [this](TComponent& sender) { EntryLeave(sender); };
    }
    ConnectBars();
}

// The small buttons carry only pictures: their names pop up below them, in
// the look the entries' titles have.
void THints::SystemButtonEnter(TComponent& control, int id) {
    static const char* const kNames[sbCount] = {"AutoRun", "フォルダを開く", "スクリーンセーバー", "Windowsの終了",
                                                "Windowsの再起動"};
    FHotControl = &control;
    const TIconButton& button = FVantor.SystemButtons[static_cast<size_t>(id)];
    const POINT origin = button.ClientToScreen(POINT{0, 0});
    const int top = TitleTopBelow(origin, button.Width(), button.Height());
    FTitle.ShowTitle(FVantor.Handle(), origin.x, top, FVantor.MainPages().GuideStyle(), kNames[id],
                     FVantor.WindowFont());
}

void THints::ConnectBars() {
    if (!FVantor.Bars().Exist()) return;
    for (int32_t bar = 0; bar < BarCount; ++bar) {
        TFormFloat& form = FVantor.Bars().Bar(bar);
        Wire(form.Container, BarGuide(bar));
        Wire(form.PTexture, BarGuide(bar));
    }
}

void THints::ConnectView(TEntryView& view, TMenuOwner owner) {
    if (!view.PoolsExist()) return;
    for (int i = 0; i < TEntryView::PoolSize; ++i) {
        for (TGraphicControl* control :
             {static_cast<TGraphicControl*>(view.Button(i)), static_cast<TGraphicControl*>(view.Separator(i))}) {
            control->OnMouseEnter = [this, &view, owner](TComponent& sender) { EntryEnter(view, owner, sender); };
            control->OnMouseExit = [this](TComponent& sender) { EntryLeave(sender); };
        }
    }
}

void THints::EntryEnter(TEntryView& view, TMenuOwner owner, TComponent& control) {
    FHotControl = &control;
    const TVantorPage* page = view.Page();
    const int slot = static_cast<int>(control.Tag);
    if (!page || slot < 0 || slot >= page->Count() || slot >= TEntryView::PoolSize || !page->Buttons(slot)) return;
    const TVantorButton& entry = *page->Buttons(slot);
    Guide(entry.IsSeparator() ? TGuide::Separator : TGuide::Entry);
    if (entry.IsSeparator() || &control != view.Button(slot)) return;
    const bool inMain = owner == TMenuOwner::Main;
    if (!ShowsTitlePopup(inMain, page->ViewStyle, inMain && view.TitleTruncated(slot))) return;
    const TGraphicControl& button = *view.Button(slot);
    const POINT origin = button.ClientToScreen(POINT{0, 0});
    const int top = TitleTopBelow(origin, button.Width(), button.Height());
    FTitle.ShowTitle(FVantor.Handle(), origin.x, top, FVantor.MainPages().GuideStyle(), entry.Title,
                     FVantor.WindowFont());
}

void THints::EntryLeave(TComponent& control) {
    if (&control != FHotControl) return;
    FHotControl = nullptr;
    SendHintText(FVantor.Handle(), "");
    FTitle.HideTitle();
}
