#include "bars/bar_form.h"

#include <windowsx.h>

#include <algorithm>

#include "bars/bar_set.h"
#include "bars/keyword_edit.h"
#include "base/handles.h"
#include "base/menu_images.h"
#include "base/message_pump.h"
#include "base/ui_font.h"
#include "base/win_text.h"
#include "base/window_dpi.h"
#include "document/document.h"

namespace {

constexpr int kInitialLeft = 256;
constexpr int kInitialClientWidth = 240;
constexpr int kTextureWidth = 10000;
constexpr int kGripSize = 20;

TMenuImage GripImage(int32_t barId) {
    switch (barId) {
        case BarKeyword:
            return miKeywordBar;
        case BarHistory:
            return miHistoryBar;
        case BarResource:
            return miResourceBar;
        default:
            return miSmartBar;
    }
}

RECT ToRect(const TRect& r) { return RECT{r.Left, r.Top, r.Right, r.Bottom}; }

}  // namespace

std::string BarTitle(int32_t barId) {
    switch (barId) {
        case BarSmart:
            return "スマートバー -Vantor";
        case BarKeyword:
            return "キーワードバー -Vantor";
        case BarHistory:
            return "履歴バー -Vantor";
        default:
            return "リソースバー -Vantor";
    }
}

TFormFloat::TFormFloat(TBarSet& set, int32_t barId) : FSet(set), FBarId(barId) {}

TFormFloat::~TFormFloat() {
    // A docked panel lives in the main window: it must go with this bar.
    if (Container.Handle() && GetParent(Container.Handle()) != Handle()) SetParent(Container.Handle(), Handle());
    DestroyHandle();
}

TEntryWindow TFormFloat::EntryWindow() const {
    switch (FBarId) {
        case BarKeyword:
            return TEntryWindow::Keyword;
        case BarHistory:
            return TEntryWindow::History;
        default:
            return TEntryWindow::Smart;
    }
}

bool TFormFloat::Create(HWND owner, TVantorManager* pages) {
    FPages = pages;
    const DWORD style = WS_POPUP | WS_THICKFRAME | WS_CLIPCHILDREN;
    const DWORD exStyle = WS_EX_TOPMOST | WS_EX_TOOLWINDOW;
    const int dpi = WindowDpi(owner);
    RECT r{0, 0, ScaleToDpi(kInitialClientWidth, dpi), ScaleToDpi(BarHeight, dpi)};
    AdjustWindowRectEx(&r, style, FALSE, exStyle);
    if (!CreateForm(L"TFormFloat", exStyle, style, Widen(BarTitle(FBarId)),
                    TBounds{kInitialLeft, kInitialLeft, r.right - r.left, r.bottom - r.top}, owner))
        return false;
    CreateControls();
    ConnectEvents();
    return true;
}

void TFormFloat::CreateControls() {
    Container.SetTabStop(true);
    // Placed for real by FormResize; these only give the windows a start.
    Container.Create(Handle(), TBounds{0, 0, Px(kInitialClientWidth), Px(BarHeight)});
    Container.SetEnableDrop(true);
    POwner.Create(Container.Handle(), TBounds{Px(32), 0, Px(kInitialClientWidth - 62), Px(BarHeight)});
    PTexture.Create(POwner.Handle(), TBounds{0, 0, kTextureWidth, Px(BarHeight)});
    ApplyCloseButtonPicture();
    BClose.SetLargeIcon(false);
    BClose.SetButtonStyle(isFlat);
    BClose.SetTransparent(true);
    BUp.SetKind(bkLeft);
    BDown.SetKind(bkRight);
    Container.Controls().Add(BClose);
    Container.Controls().Add(BUp);
    Container.Controls().Add(BDown);
    if (IsKeywordBar()) {
        FKeyword = std::make_unique<TKeywordEdit>();
        FKeyword->Create(Container.Handle(), Px(18), 0, Px(80), Px(BarHeight));
        SendMessageW(FKeyword->Handle(), WM_SETFONT, reinterpret_cast<WPARAM>(JapaneseUiFont(Dpi())), FALSE);
    }
    TBarHost& host = FSet.Host();
    FView.CreatePools(PTexture.Controls(), host.IconCache(), [this] { return BarPage(); });
    host.ConnectEntryView(FView, EntryWindow());
    FView.OnEntryPress = [this](int slot) { EntryPressed(slot); };
}

void TFormFloat::ConnectEvents() {
    Container.OnResize = [this](TComponent&) { FormResize(); };
    Container.OnPaint = [this](TPaintPanel&, HDC dc, const RECT& clip) { ContainerPaint(dc, clip); };
    POwner.OnPaint = [this](TPaintPanel&, HDC dc, const RECT& clip) { FSet.Host().PaintBackground(dc, clip); };
    PTexture.OnPaint = [this](TPaintPanel&, HDC dc, const RECT& clip) { PTexturePaint(dc, clip); };
    BClose.OnClick = [this](TComponent&) { FSet.ToggleShown(FBarId); };
    BUp.OnScroll = [this](TComponent&) { ScrollEntries(true); };
    BDown.OnScroll = [this](TComponent&) { ScrollEntries(false); };
    Container.OnKeyDown = [this](TComponent&, WORD& key, TShiftState shift) { ContainerKeyDown(key, shift); };
    for (TWinControl* grip : {static_cast<TWinControl*>(&Container), static_cast<TWinControl*>(&PTexture)}) {
        grip->OnMouseDown = [this](TComponent& sender, TMouseButton button, TShiftState, int x, int y) {
            DragMouseDown(button, x, y, sender);
        };
        grip->OnMouseMove = [this](TComponent& sender, TShiftState shift, int x, int y) {
            DragMouseMove(shift, x, y, sender);
        };
        grip->OnMouseUp = [this](TComponent& sender, TMouseButton button, TShiftState, int x, int y) {
            DragMouseUp(button, x, y, sender);
        };
    }
    Container.OnDropFile = [this](TPaintPanel&, const std::vector<std::string>& files, POINT at) {
        DropFiles(files, at);
    };
}

// ---------------------------------------------------------------- state

TVantorPage* TFormFloat::BarPage() const {
    if (!FPages) return nullptr;
    const int32_t current = FPages->CurrentPage();
    return current >= 0 && current < FPages->Count() ? FPages->Pages(current) : nullptr;
}

int TFormFloat::FocusEntry() const {
    if (!FPages) return -1;
    const TEntryPlace place = FindEntryRef(*FPages, FFocusEntry);
    return place.Page && place.Page == BarPage() ? place.Index : -1;
}

void TFormFloat::SetFocusEntry(int index) {
    const TVantorPage* page = BarPage();
    FFocusEntry = page ? EntryRefOf(static_cast<TBarKind>(BarId() + 1), *page, index) : TEntryRef{};
}

// Files from the shell dropped at `at` (the content panel's coordinates): on
// the entry there, or beside the entries.
void TFormFloat::DropFiles(const std::vector<std::string>& files, POINT at) {
    TVantorPage* page = BarPage();
    if (!page) return;
    MapWindowPoints(Container.Handle(), PTexture.Handle(), &at, 1);
    const int32_t entry = FView.EntryControlAt(at.x, at.y);
    FSet.Host().DropFilesOnPage(files, entry, static_cast<TBarKind>(BarId() + 1), *page);
}

// A press on an entry makes it the bar's focused entry and brings the
// keyboard here, as a press on the bar's free part does; the keyword box
// keeps it.
void TFormFloat::EntryPressed(int slot) {
    SetFocusEntry(slot);
    const HWND focus = GetFocus();
    if (focus != Container.Handle() && !IsChild(Container.Handle(), focus)) SetFocus(Container.Handle());
}

void TFormFloat::SetShownDocked(bool shown, bool docked) {
    if (shown && docked) {
        SetShown(false);
        SetDocked(true);
        SetShown(true);
    } else {
        SetShown(shown);
        SetDocked(docked);
    }
}

void TFormFloat::SetShown(bool value) {
    FShown = value;
    Container.SetVisible(value);
    if (FDocked) {
        if (value)
            FSet.Dock(*this);
        else
            FSet.Undock(*this);
        FSet.BandChanged();
    } else if (value) {
        ShowWindowNoActivate();
    } else {
        FShowDeferred = false;
        ShowWindow(Handle(), SW_HIDE);
    }
    FormResize();
    if (IsResourceBar()) FSet.MeterShownChanged();
}

void TFormFloat::SetDocked(bool value) {
    const bool wasDocked = FDocked;
    FDocked = value;
    TBarHost& host = FSet.Host();
    if (value) {
        if (FShown) FSet.Dock(*this);
        Container.SetVisible(false);
        Container.SetTabStop(false);
        SetParent(Container.Handle(), host.MainWindow());
        FShowDeferred = false;
        ShowWindow(Handle(), SW_HIDE);
        // Not while starting: the window is not up yet.
        if (IsWindowVisible(host.MainWindow())) host.BringMainWindowToFront();
    } else {
        if (FShown) {
            FSet.Undock(*this);
            ShowWindowNoActivate();
        }
        SetParent(Container.Handle(), Handle());
        Container.SetTabStop(true);
        Container.SetBounds(0, 0, ClientWidth(), ClientHeight());
        Container.SetVisible(FShown);
    }
    // Places and shows the docked panels, this one among them; a bar that
    // floated already leaves the band as it was.
    if (FShown && (value || wasDocked)) FSet.BandChanged();
}

void TFormFloat::SetDockOrder(int32_t order) { FDockOrder = ClampDockOrder(order, FSet.DockedCount()); }

void TFormFloat::SetKeywordMode(bool value) {
    if (FHasKeyword == value) return;
    FHasKeyword = value;
    if (FKeyword) ShowWindow(FKeyword->Handle(), value ? SW_SHOWNA : SW_HIDE);
    // Re-applying the bounds runs the resize, which lays the row out anew.
    SetWindowPos(Handle(), nullptr, 0, 0, 0, 0,
                 SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
    FormResize();
}

void TFormFloat::ShowWindowNoActivate() {
    // While the program starts, the main window appears first; the floating
    // bars follow it (ShowDeferred).
    FShowDeferred = !IsWindowVisible(FSet.Host().MainWindow());
    if (FShowDeferred) return;
    // A window manager may place a window anew when it first appears: the
    // bar goes back where it was put.
    RECT r{};
    GetWindowRect(Handle(), &r);
    ShowWindow(Handle(), SW_SHOWNA);
    SetWindowPos(Handle(), HWND_TOPMOST, r.left, r.top, 0, 0, SWP_NOSIZE | SWP_NOACTIVATE);
}

void TFormFloat::ShowDeferred() {
    if (!FShowDeferred) return;
    FShowDeferred = false;
    if (FShown && !FDocked) ShowWindowNoActivate();
}

// ---------------------------------------------------------------- layout

int TFormFloat::Dpi() const { return WindowDpi(Container.Handle() ? Container.Handle() : Handle()); }

int TFormFloat::ContentLength() const { return BarContentLength(BarPage(), Dpi()); }

void TFormFloat::ApplyCloseButtonPicture() {
    BClose.SetSharedIcon(MenuImages(Px(TImageStrip::ImageSize)).SharedIcon(miDelete));
}

void TFormFloat::DpiChanged() {
    ApplyCloseButtonPicture();
    if (FKeyword) SendMessageW(FKeyword->Handle(), WM_SETFONT, reinterpret_cast<WPARAM>(JapaneseUiFont(Dpi())), FALSE);
    if (Container.Handle()) InvalidateRect(Container.Handle(), nullptr, FALSE);
    RefreshBar();
}

// The entry under the pointer may be another one afterwards (a start moves
// the started entry to the front of the history): it leaves and is entered
// again, so that its look, its title and its guide follow.
void TFormFloat::RefreshBar() {
    if (!FView.PoolsExist()) return;
    PTexture.Controls().ChangeUnderPointer([this] {
        TGraphicControlHost::TBatch batch(PTexture.Controls());
        FView.Rebind(FSet.Document().Settings().ButtonStyle(), true);
        FView.LayoutAsRow(Dpi());
        FormResize();
        PTexture.Invalidate();
    });
}

void TFormFloat::FormResize() {
    if (!Container.Handle()) return;
    TBarFrameInput in;
    in.Keyword = FHasKeyword;
    in.ContainerWidth = Container.ClientWidth();
    in.ContentLength = ContentLength();
    in.TextureLeft = FTextureLeft;
    in.Dpi = Dpi();
    ApplyFrame(LayoutBarFrame(in));
    if (IsResourceBar()) PTexture.Invalidate();
}

void TFormFloat::ApplyFrame(const TBarFrame& frame) {
    if (FKeyword && FHasKeyword) {
        const TBounds& e = frame.Edit;
        FKeyword->SetBounds(e.Left, e.Top, e.Width, e.Height);
    }
    BUp.SetBounds(frame.Up);
    BDown.SetBounds(frame.Down);
    BClose.SetBounds(frame.Close);
    POwner.SetBounds(frame.Owner);
    SetScrollPos(frame.TextureLeft);
    BUp.SetEnabled(frame.UpEnabled);
    BDown.SetEnabled(frame.DownEnabled);
}

void TFormFloat::SetScrollPos(int left) {
    FTextureLeft = std::min(left, 0);
    if (PTexture.Handle()) PTexture.SetBounds(FTextureLeft, 0, kTextureWidth, Px(BarHeight));
}

void TFormFloat::Wheel(int delta) {
    const int direction = BarWheelDirection(delta);
    if (direction != 0) ScrollEntries(direction > 0);
}

void TFormFloat::ScrollEntries(bool towardStart) {
    // The pressed arrow shows before the entries move.
    PaintPendingWindows();
    const TVantorSettings& settings = FSet.Document().Settings();
    TBarScrollInput in;
    in.SmoothScroll = settings.SmoothScroll;
    in.ScrollButtonStyle = settings.ScrollButtonStyle();
    in.OwnerWidth = POwner.ClientWidth();
    in.ContainerWidth = Container.ClientWidth();
    in.Keyword = FHasKeyword;
    in.ContentLength = ContentLength();
    in.TextureLeft = FTextureLeft;
    in.TowardStart = towardStart;
    in.Dpi = Dpi();
    const TBarScrollPlan plan = PlanBarScroll(in);
    for (size_t i = 0; i < plan.Lefts.size(); ++i) {
        const DWORD started = GetTickCount();
        SetScrollPos(plan.Lefts[i]);
        PTexture.Update();
        if (i + 1 == plan.Lefts.size()) break;
        const DWORD spent = GetTickCount() - started;
        if (spent < static_cast<DWORD>(plan.StepMs)) Sleep(static_cast<DWORD>(plan.StepMs) - spent);
    }
    FormResize();  // the arrows follow the new position
}

// ---------------------------------------------------------------- painting

void TFormFloat::PaintForm(HDC dc, const RECT& clip) { FillRect(dc, &clip, GetSysColorBrush(COLOR_BTNFACE)); }

void TFormFloat::ContainerPaint(HDC dc, const RECT& clip) {
    const int grip = Px(kGripSize);
    const RECT gripRect{0, 0, grip, grip};
    FillRect(dc, &gripRect, GetSysColorBrush(FActiveLook ? COLOR_ACTIVECAPTION : COLOR_INACTIVECAPTION));
    const TImageStrip& pictures = MenuImages(Px(TImageStrip::ImageSize));
    const int inset = (grip - pictures.Size()) / 2;
    pictures.Draw(dc, GripImage(FBarId), inset, inset - 1);
    RECT rest = clip;
    rest.left = std::max<LONG>(rest.left, grip);
    if (rest.left < rest.right) FillRect(dc, &rest, GetSysColorBrush(COLOR_BTNFACE));
}

void TFormFloat::PTexturePaint(HDC dc, const RECT& clip) {
    if (!IsResourceBar()) {
        FSet.Host().PaintBackground(dc, clip);
        return;
    }
    const TVantorSettings& settings = FSet.Document().Settings();
    const TMeterDrawing meter = DrawMeter(POwner.ClientWidth(), Readings, settings.ResourceRed(),
                                          settings.ResourceYellow(), settings.ResourceViewMode(), Dpi());
    FillRect(dc, &clip, GetSysColorBrush(COLOR_BTNFACE));
    RECT edge = ToRect(meter.Edge);
    DrawEdge(dc, &edge, EDGE_SUNKEN, BF_RECT);
    for (const TMeterFill& fill : meter.Fills) {
        const RECT r = ToRect(fill.Rect);
        TBrush brush(CreateSolidBrush(fill.Color));
        FillRect(dc, &r, brush.Get());
    }
    LOGFONTW lf{};
    GetObjectW(JapaneseUiFont(Dpi()), sizeof(lf), &lf);
    lf.lfWeight = FW_BOLD;
    TFont bold(CreateFontIndirectW(&lf));
    TSelectObject selected(dc, bold.Get());
    const std::wstring text = Widen(meter.Text);
    SIZE size{};
    GetTextExtentPoint32W(dc, text.c_str(), static_cast<int>(text.size()), &size);
    const int x = MeterTextLeft(POwner.ClientWidth(), size.cx);
    const RECT textClip = ToRect(meter.TextClip);
    SetBkMode(dc, TRANSPARENT);
    const int count = static_cast<int>(text.size());
    SetTextColor(dc, RGB(0, 0, 0));
    ExtTextOutW(dc, x - 1, meter.TextTop, ETO_CLIPPED, &textClip, text.c_str(), count, nullptr);
    ExtTextOutW(dc, x + 1, meter.TextTop, ETO_CLIPPED, &textClip, text.c_str(), count, nullptr);
    SetTextColor(dc, RGB(255, 255, 255));
    ExtTextOutW(dc, x, meter.TextTop, ETO_CLIPPED, &textClip, text.c_str(), count, nullptr);
}

// ---------------------------------------------------------------- window

LRESULT TFormFloat::HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) {
    switch (msg) {
        case WM_SIZE:
            if (!FDocked && Container.Handle()) Container.SetBounds(0, 0, LOWORD(lParam), HIWORD(lParam));
            return 0;
        case WM_GETMINMAXINFO:
            WMGetMinMaxInfo(*reinterpret_cast<MINMAXINFO*>(lParam));
            return 0;
        case WM_SIZING:
            WMSizing(wParam, *reinterpret_cast<RECT*>(lParam));
            return TRUE;
        case WM_ACTIVATE: {
            FActiveLook = LOWORD(wParam) != WA_INACTIVE;
            const RECT grip{0, 0, Px(kGripSize), Px(kGripSize)};
            if (Container.Handle()) InvalidateRect(Container.Handle(), &grip, FALSE);
            return DefaultHandler(msg, wParam, lParam);
        }
        case WM_SETFOCUS:
            if (Container.Handle() && !FDocked) SetFocus(Container.Handle());
            return 0;
        case WM_DPICHANGED: {
            // A floating bar moved to a monitor of another DPI.
            const RECT& r = *reinterpret_cast<const RECT*>(lParam);
            SetWindowPos(Handle(), nullptr, r.left, r.top, r.right - r.left, r.bottom - r.top,
                         SWP_NOZORDER | SWP_NOACTIVATE);
            if (!FDocked) DpiChanged();
            return 0;
        }
        case WM_MOUSEWHEEL: {
            // The wheel reaches the window with the keyboard; the window under
            // the pointer decides, and the main window knows them all.
            const POINT at{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
            if (FSet.BarUnder(WindowFromPoint(at)) == this)
                Wheel(GET_WHEEL_DELTA_WPARAM(wParam));
            else
                SendMessageW(FSet.Host().MainWindow(), msg, wParam, lParam);
            return 0;
        }
        case WM_SYSCOMMAND:
            // Alt+F4 on a bar hides it, as its close button does.
            if ((wParam & 0xFFF0) != SC_CLOSE) return DefaultHandler(msg, wParam, lParam);
            FSet.ToggleShown(FBarId);
            return 0;
        case WM_CLOSE:
            // Closing from outside (log-off, the task manager) closes the
            // program through its main window, which saves the bars as shown.
            return 0;
        default:
            return TForm::HandleMessage(msg, wParam, lParam);
    }
}

TBarSizeLimits TFormFloat::SizeLimits() const {
    RECT window{};
    RECT client{};
    GetWindowRect(Handle(), &window);
    GetClientRect(Handle(), &client);
    return BarSizeLimits(FHasKeyword, (window.right - window.left) - client.right,
                         (window.bottom - window.top) - client.bottom, WindowDpi(Handle()));
}

void TFormFloat::WMGetMinMaxInfo(MINMAXINFO& info) const {
    if (!Handle()) return;
    const TBarSizeLimits limits = SizeLimits();
    info.ptMinTrackSize = POINT{limits.MinWidth, limits.Height};
    info.ptMaxTrackSize = POINT{limits.MaxWidth, limits.Height};
}

void TFormFloat::WMSizing(WPARAM edge, RECT& sizing) const {
    RECT current{};
    GetWindowRect(Handle(), &current);
    const bool left = edge == WMSZ_LEFT || edge == WMSZ_TOPLEFT || edge == WMSZ_BOTTOMLEFT;
    const TRect kept =
        BarSizingRect(TRect{sizing.left, sizing.top, sizing.right, sizing.bottom},
                      TRect{current.left, current.top, current.right, current.bottom}, left, SizeLimits());
    sizing = ToRect(kept);
}

void TFormFloat::ContainerKeyDown(WORD& key, TShiftState shift) {
    TBarArrow arrow{};
    switch (key) {
        case VK_LEFT:
            arrow = baLeft;
            break;
        case VK_UP:
            arrow = baUp;
            break;
        case VK_RIGHT:
            arrow = baRight;
            break;
        case VK_DOWN:
            arrow = baDown;
            break;
        default:
            return;
    }
    // The keys act on the bar window, which is hidden while docked.
    RECT r{};
    GetWindowRect(Handle(), &r);
    const TBounds before{r.left, r.top, r.right - r.left, r.bottom - r.top};
    const TBounds after = ClampBarWindow(
        BarArrowKeyBounds(before, arrow, (shift & ssCtrl) != 0, (shift & ssShift) != 0, WindowDpi(Handle())),
        SizeLimits());
    if (!(after == before))
        SetWindowPos(Handle(), nullptr, after.Left, after.Top, after.Width, after.Height,
                     SWP_NOZORDER | SWP_NOACTIVATE);
    key = 0;
}

// ---------------------------------------------------------------- dragging the bar

POINT TFormFloat::ContainerOrigin() const {
    POINT origin{0, 0};
    ClientToScreen(Container.Handle(), &origin);
    return origin;
}

void TFormFloat::DragMouseDown(TMouseButton button, int x, int y, TComponent& sender) {
    SetFocus(Container.Handle());
    if (button == mbRight) {
        // A bar's menu is the main menu.
        POINT at{};
        GetCursorPos(&at);
        TBarHost& host = FSet.Host();
        host.PopupMainMenu(FDocked ? host.MainWindow() : Handle(), at);
        return;
    }
    if (button != mbLeft || FDragging) return;
    POINT at{x, y};
    // Presses on the entry strip count in the panel's coordinates.
    if (&sender == &PTexture) MapWindowPoints(PTexture.Handle(), Container.Handle(), &at, 1);
    // The press holds the pointer (the panel captured it) before anything
    // else: a release already queued always finds the drag to end. The
    // desktop is locked only once the pointer really moves, so a click
    // never leaves it locked.
    FDragStart = at;
    FDragOffset = POINT{0, 0};
    FDragging = true;
}

void TFormFloat::DragMouseMove(TShiftState shift, int x, int y, TComponent& sender) {
    if (!FDragging || !(shift & ssLeft)) return;
    POINT at{x, y};
    if (&sender == &PTexture) MapWindowPoints(PTexture.Handle(), Container.Handle(), &at, 1);
    const POINT offset{at.x - FDragStart.x, at.y - FDragStart.y};
    if (!FDesktopLocked) {
        if (offset.x == 0 && offset.y == 0) return;
        // Drawn before the update lock: the frame goes over the screen as it is.
        PaintPendingWindows();
        LockWindowUpdate(GetDesktopWindow());
        FDesktopLocked = true;
    } else {
        DrawDragFrame();  // the last one away
    }
    FDragOffset = offset;
    DrawDragFrame();
    // The pointer is the bar's meanwhile: the main window's sliver under it
    // is looked at all the same.
    FSet.Host().BarDragMoved();
}

void TFormFloat::WithDesktopUnlocked(const std::function<void()>& step) {
    if (!FDesktopLocked) {
        step();
        return;
    }
    DrawDragFrame();  // erased
    LockWindowUpdate(nullptr);
    step();
    // What the step changed is painted before the outline goes over it.
    PaintPendingWindows();
    LockWindowUpdate(GetDesktopWindow());
    DrawDragFrame();
}

void TFormFloat::DragMouseUp(TMouseButton button, int, int, TComponent&) {
    if (button != mbLeft || !FDragging) return;
    if (FDesktopLocked) {
        DrawDragFrame();
        LockWindowUpdate(nullptr);
        FDesktopLocked = false;
    }
    FDragging = false;
    RECT window{};
    GetWindowRect(Handle(), &window);
    const TRect target =
        BarDropRect(TPoint{ContainerOrigin().x, ContainerOrigin().y}, TPoint{FDragOffset.x, FDragOffset.y},
                    window.right - window.left, window.bottom - window.top, ClientWidth(), ClientHeight());
    const int index = FSet.DockIndexFor(*this, target);
    FDockOrder = index < 0 ? -1 : ClampDockOrder(index, FSet.DockedCount());
    TBarHost& host = FSet.Host();
    if (FDockOrder < 0) {
        SetWindowPos(Handle(), nullptr, target.Left, target.Top, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
        if (FDocked) {
            SetDocked(false);
            host.PlaySoundEvent("BarFloating");
        }
    } else if (FDocked) {
        // Moved within the band, or only clicked: the panel takes its place
        // without being hidden first, so it keeps the keyboard the press gave it.
        FSet.Dock(*this);
        FSet.BandChanged();
    } else {
        host.PlaySoundEvent("BarDocking");
        SetDocked(true);
    }
}

// Inverts a checkerboard frame on the desktop; drawn twice it is gone again.
void TFormFloat::DrawDragFrame() {
    RECT window{};
    GetWindowRect(Handle(), &window);
    const POINT origin = ContainerOrigin();
    const TBounds container = Container.Bounds();
    const TBarDragFrame frame = BarDragFrame(TPoint{origin.x, origin.y}, TPoint{FDragOffset.x, FDragOffset.y},
                                             container.Width, container.Height, ClientWidth(), ClientHeight(),
                                             FSet.MainWindowRect(), FSet.OtherDockedTops(*this));
    HWND desktop = GetDesktopWindow();
    HDC dc = GetDCEx(desktop, nullptr, DCX_CACHE | DCX_LOCKWINDOWUPDATE);
    if (!dc) return;
    static const WORD kChecker[8] = {0x5555, 0xAAAA, 0x5555, 0xAAAA, 0x5555, 0xAAAA, 0x5555, 0xAAAA};
    TBitmap pattern(CreateBitmap(8, 8, 1, 1, kChecker));
    TBrush brush(CreatePatternBrush(pattern.Get()));
    TRegionHandle outer(CreateRectRgn(frame.Outer.Left, frame.Outer.Top, frame.Outer.Right, frame.Outer.Bottom));
    TRegionHandle inner(CreateRectRgn(frame.Inner.Left, frame.Inner.Top, frame.Inner.Right, frame.Inner.Bottom));
    CombineRgn(outer.Get(), outer.Get(), inner.Get(), RGN_DIFF);
    SelectClipRgn(dc, outer.Get());
    {
        TSelectObject selected(dc, brush.Get());
        PatBlt(dc, frame.Outer.Left, frame.Outer.Top, frame.Outer.Right - frame.Outer.Left,
               frame.Outer.Bottom - frame.Outer.Top, PATINVERT);
    }
    SelectClipRgn(dc, nullptr);
    ReleaseDC(desktop, dc);
}
