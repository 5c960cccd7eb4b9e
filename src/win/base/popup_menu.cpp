#include "base/popup_menu.h"

// After windows.h, which they need.
#include <commctrl.h>
#include <commoncontrols.h>
#include <shellapi.h>

#include <algorithm>
#include <cwctype>

#include "base/menu_images.h"
#include "base/modal_gate.h"
#include "base/win_text.h"
#include "base/window_dpi.h"

namespace {

// Menus are drawn at the screen's DPI, in the system's menu font.
int MenuDpi() { return ScreenDpi(); }

class TStripImages : public TMenuImageList {
public:
    int ImageSize() const override { return Strip().Size(); }
    void Draw(HDC dc, int index, int x, int y, bool enabled) const override { Strip().Draw(dc, index, x, y, enabled); }

private:
    static const TImageStrip& Strip() { return MenuImages(ScaleToDpi(TImageStrip::ImageSize, MenuDpi())); }
};

// The shell's own list: its icons are never extracted or copied here.
class TSystemIcons : public TMenuImageList {
public:
    int ImageSize() const override { return GetSystemMetrics(SM_CXSMICON); }
    void Draw(HDC dc, int index, int x, int y, bool enabled) const override {
        if (!FList && !FAsked) {
            FAsked = true;
            SHGetImageList(SHIL_SMALL, __uuidof(IImageList), reinterpret_cast<void**>(FList.Put()));
        }
        if (!FList || index < 0) return;
        IMAGELISTDRAWPARAMS p{};
        p.cbSize = sizeof(p);
        p.himl = reinterpret_cast<HIMAGELIST>(FList.Get());
        p.i = index;
        p.hdcDst = dc;
        p.x = x;
        p.y = y;
        p.rgbBk = CLR_NONE;
        p.rgbFg = CLR_DEFAULT;
        p.fStyle = ILD_TRANSPARENT;
        // A disabled item's picture fades as the system's own do.
        p.fState = enabled ? ILS_NORMAL : ILS_SATURATE;
        FList->Draw(&p);
    }

private:
    mutable ComPtr<IImageList> FList;
    mutable bool FAsked = false;
};

// While a menu is shown its owner's menu messages come here first: the owner
// window need not know about the menu.
struct TTracking {
    TPopupMenu* Menu;
    HWND Owner;
    WNDPROC Previous;
    TTracking* Outer;
};
thread_local TTracking* GTracking = nullptr;

LRESULT CALLBACK TrackingProc(HWND window, UINT msg, WPARAM wParam, LPARAM lParam) {
    TTracking* t = GTracking;
    while (t && t->Owner != window) t = t->Outer;
    if (!t) return DefWindowProcW(window, msg, wParam, lParam);
    LRESULT result = 0;
    if (t->Menu->HandleMenuMessage(msg, wParam, lParam, result)) return result;
    return CallWindowProcW(t->Previous, window, msg, wParam, lParam);
}

class TTrackingScope {
public:
    TTrackingScope(TPopupMenu& menu, HWND owner) : FTracking{&menu, owner, nullptr, GTracking} {
        FTracking.Previous = reinterpret_cast<WNDPROC>(
            SetWindowLongPtrW(owner, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&TrackingProc)));
        GTracking = &FTracking;
    }
    ~TTrackingScope() {
        if (FTracking.Previous)
            SetWindowLongPtrW(FTracking.Owner, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(FTracking.Previous));
        GTracking = FTracking.Outer;
    }
    TTrackingScope(const TTrackingScope&) = delete;
    TTrackingScope& operator=(const TTrackingScope&) = delete;

private:
    TTracking FTracking;
};

constexpr int kImageMargin = 2;
// Item data at or above this marks a self-drawn item (an index into FDrawn);
// below it, the picture of an item the system draws.
constexpr ULONG_PTR kDrawnData = 0x10000;
// The picture of an item that shows none beside others that do.
constexpr ULONG_PTR kNoPicture = static_cast<ULONG_PTR>(-1);

HFONT MenuFont() {
    static const TFont font = [] {
        NONCLIENTMETRICSW metrics{};
        metrics.cbSize = sizeof(metrics);
        SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof(metrics), &metrics, 0);
        // The menu's size and weight in a face with Japanese glyphs, whatever
        // the system's own code page is.
        metrics.lfMenuFont.lfCharSet = SHIFTJIS_CHARSET;
        return TFont(CreateFontIndirectW(&metrics.lfMenuFont));
    }();
    return font.Get();
}

// The mnemonic of a caption ("&&" is a plain "&"), lower-cased; 0 for none.
wchar_t Mnemonic(const std::wstring& caption) {
    for (size_t i = 0; i + 1 < caption.size(); ++i) {
        if (caption[i] != L'&') continue;
        if (caption[i + 1] != L'&') return static_cast<wchar_t>(towlower(caption[i + 1]));
        ++i;
    }
    return 0;
}

}  // namespace

const TMenuImageList& MenuStripImages() {
    static const TStripImages images;
    return images;
}

const TMenuImageList& SystemSmallIcons() {
    static const TSystemIcons images;
    return images;
}

TPopupMenu::TPopupMenu() : FRoot(this), FOwned(CreatePopupMenu()), FHandle(FOwned.Get()) {
    MENUINFO info{};
    info.cbSize = sizeof(info);
    info.fMask = MIM_MENUDATA;
    info.dwMenuData = reinterpret_cast<ULONG_PTR>(this);
    SetMenuInfo(FHandle, &info);
}

TPopupMenu::TPopupMenu(TPopupMenu& root) : FRoot(&root), FHandle(CreatePopupMenu()) {
    MENUINFO info{};
    info.cbSize = sizeof(info);
    info.fMask = MIM_MENUDATA;
    info.dwMenuData = reinterpret_cast<ULONG_PTR>(this);
    SetMenuInfo(FHandle, &info);
}

TPopupMenu::~TPopupMenu() = default;

TPopupMenu* TPopupMenu::MenuOf(HMENU handle) {
    MENUINFO info{};
    info.cbSize = sizeof(info);
    info.fMask = MIM_MENUDATA;
    if (!handle || !GetMenuInfo(handle, &info)) return nullptr;
    return reinterpret_cast<TPopupMenu*>(info.dwMenuData);
}

UINT TPopupMenu::NewId(TCommand command) {
    std::vector<TCommand>& commands = Root().FCommands;
    commands.push_back(std::move(command));
    return FirstId + static_cast<UINT>(commands.size() - 1);
}

int TPopupMenu::AddItem(const std::string& caption, const std::string& shortCut, TCommand command, int image) {
    std::wstring text = Widen(caption);
    if (!shortCut.empty()) text += L"\t" + Widen(shortCut);
    MENUITEMINFOW item{};
    item.cbSize = sizeof(item);
    item.fMask = MIIM_ID | MIIM_STRING | MIIM_FTYPE;
    item.fType = MFT_STRING;
    item.wID = NewId(std::move(command));
    SetItemData(item, text, image);
    const int position = Count();
    InsertMenuItemW(FHandle, static_cast<UINT>(position), TRUE, &item);
    return position;
}

TPopupMenu& TPopupMenu::AddSubmenu(const std::string& caption, int image) {
    FSubmenus.push_back(std::unique_ptr<TPopupMenu>(new TPopupMenu(Root())));
    TPopupMenu& submenu = *FSubmenus.back();
    submenu.FOwnImages = FOwnImages;
    std::wstring text = Widen(caption);
    MENUITEMINFOW item{};
    item.cbSize = sizeof(item);
    item.fMask = MIIM_SUBMENU | MIIM_STRING | MIIM_FTYPE;
    item.fType = MFT_STRING;
    item.hSubMenu = submenu.FHandle;  // destroyed with this menu's item
    SetItemData(item, text, image);
    InsertMenuItemW(FHandle, static_cast<UINT>(Count()), TRUE, &item);
    return submenu;
}

void TPopupMenu::SetItemData(MENUITEMINFOW& item, const std::wstring& text, int image) {
    if (FOwnerDrawn) {
        std::vector<TDrawnItem>& drawn = Root().FDrawn;
        const size_t tab = text.find(L'\t');
        drawn.push_back({text.substr(0, tab), tab == std::wstring::npos ? L"" : text.substr(tab + 1), image});
        item.fMask = (item.fMask & ~MIIM_STRING) | MIIM_DATA;
        item.fType = MFT_OWNERDRAW;
        item.dwItemData = kDrawnData + drawn.size() - 1;
        return;
    }
    item.dwTypeData = const_cast<wchar_t*>(text.c_str());
    if (image >= 0) {
        item.fMask |= MIIM_BITMAP | MIIM_DATA;
        item.hbmpItem = HBMMENU_CALLBACK;
        item.dwItemData = static_cast<ULONG_PTR>(image);
    }
}

const TPopupMenu::TDrawnItem* TPopupMenu::DrawnItem(ULONG_PTR data) const {
    const std::vector<TDrawnItem>& drawn = Root().FDrawn;
    if (data < kDrawnData || data - kDrawnData >= drawn.size()) return nullptr;
    return &drawn[data - kDrawnData];
}

void TPopupMenu::MeasureDrawn(MEASUREITEMSTRUCT& measure, const TDrawnItem& drawn) const {
    HDC dc = GetDC(nullptr);
    HGDIOBJ old = SelectObject(dc, MenuFont());
    RECT caption{0, 0, 0, 0};
    DrawTextW(dc, drawn.Caption.c_str(), -1, &caption, DT_SINGLELINE | DT_CALCRECT);
    RECT key{0, 0, 0, 0};
    if (!drawn.ShortCut.empty()) DrawTextW(dc, drawn.ShortCut.c_str(), -1, &key, DT_SINGLELINE | DT_CALCRECT);
    SelectObject(dc, old);
    ReleaseDC(nullptr, dc);
    // Text from 22 pixels, a gap before the key, 12 pixels after it (at 96 DPI).
    const int dpi = MenuDpi();
    const auto px = [dpi](int value) { return ScaleToDpi(value, dpi); };
    const int keyGap = drawn.ShortCut.empty() ? 0 : px(24);
    measure.itemWidth = static_cast<UINT>(px(22) + caption.right + keyGap + key.right + px(12));
    measure.itemHeight = static_cast<UINT>(std::max<LONG>(px(20), caption.bottom + px(6)));
}

void TPopupMenu::DrawDrawn(const DRAWITEMSTRUCT& draw, const TDrawnItem& drawn, const TMenuImageList* images) const {
    HDC dc = draw.hDC;
    const RECT& r = draw.rcItem;
    const bool selected = draw.itemState & ODS_SELECTED;
    const bool enabled = !(draw.itemState & (ODS_GRAYED | ODS_DISABLED));
    const bool hasImage = drawn.Image >= 0 && images;
    const int dpi = MenuDpi();
    const auto px = [dpi](int value) { return ScaleToDpi(value, dpi); };
    const int squareSize = px(18);
    const int boxTop = r.top + (r.bottom - r.top - squareSize) / 2;
    if (hasImage) {
        RECT box{r.left, r.top, r.left + px(20), r.bottom};
        FillRect(dc, &box, GetSysColorBrush(COLOR_MENU));
        const int size = images->ImageSize();
        const int inset = (squareSize - size) / 2;
        images->Draw(dc, drawn.Image, r.left + inset, boxTop + inset, enabled);
        // A raised box around the picture of the item under the highlight.
        RECT square{r.left, boxTop, r.left + squareSize, boxTop + squareSize};
        if (selected) DrawEdge(dc, &square, BDR_RAISEDINNER, BF_RECT);
    }
    const COLORREF back = GetSysColor(selected ? COLOR_ACTIVECAPTION : COLOR_MENU);
    const COLORREF text = GetSysColor(selected ? (enabled ? COLOR_CAPTIONTEXT : COLOR_BTNSHADOW)
                                               : (enabled ? COLOR_MENUTEXT : COLOR_BTNHIGHLIGHT));
    RECT fill{hasImage ? r.left + px(20) : r.left, r.top, r.right, r.bottom};
    TBrush brush(CreateSolidBrush(back));
    FillRect(dc, &fill, brush.Get());
    HGDIOBJ old = SelectObject(dc, MenuFont());
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, text);
    const UINT flags = DT_SINGLELINE | DT_VCENTER;
    auto write = [&](RECT at) {
        DrawTextW(dc, drawn.Caption.c_str(), -1, &at, flags);
        if (!drawn.ShortCut.empty()) DrawTextW(dc, drawn.ShortCut.c_str(), -1, &at, flags | DT_RIGHT);
    };
    // A disabled item not under the highlight looks embossed.
    if (!enabled && !selected) {
        write(RECT{r.left + px(22) + 1, r.top + 1, r.right - px(12) + 1, r.bottom + 1});
        SetTextColor(dc, GetSysColor(COLOR_BTNSHADOW));
    }
    write(RECT{r.left + px(22), r.top, r.right - px(12), r.bottom});
    SelectObject(dc, old);
}

LRESULT TPopupMenu::MenuChar(wchar_t key, HMENU menu) const {
    // The system finds no mnemonics in items it does not draw.
    const TPopupMenu* owner = MenuOf(menu);
    if (!owner || owner->FRoot != FRoot) return MAKELRESULT(0, MNC_IGNORE);
    const wchar_t wanted = static_cast<wchar_t>(towlower(key));
    std::vector<int> matches;
    int highlighted = -1;
    for (int i = 0; i < owner->Count(); ++i) {
        MENUITEMINFOW item{};
        item.cbSize = sizeof(item);
        item.fMask = MIIM_DATA | MIIM_STATE;
        if (!GetMenuItemInfoW(menu, static_cast<UINT>(i), TRUE, &item)) continue;
        if (item.fState & MFS_HILITE) highlighted = i;
        const TDrawnItem* drawn = DrawnItem(item.dwItemData);
        if (drawn && Mnemonic(drawn->Caption) == wanted) matches.push_back(i);
    }
    if (matches.empty()) return MAKELRESULT(0, MNC_IGNORE);
    if (matches.size() == 1) return MAKELRESULT(matches[0], MNC_EXECUTE);
    for (int position : matches)
        if (position > highlighted) return MAKELRESULT(position, MNC_SELECT);
    return MAKELRESULT(matches[0], MNC_SELECT);
}

void TPopupMenu::AddSeparator() { AppendMenuW(FHandle, MF_SEPARATOR, 0, nullptr); }

void TPopupMenu::Clear() {
    // DeleteMenu destroys the submenus' handles with their items.
    while (Count() > 0) DeleteMenu(FHandle, 0, MF_BYPOSITION);
    FSubmenus.clear();
    if (FRoot == this) {
        FCommands.clear();
        FDrawn.clear();
    }
}

void TPopupMenu::SetEnabled(int position, bool enabled) {
    EnableMenuItem(FHandle, static_cast<UINT>(position), MF_BYPOSITION | (enabled ? MF_ENABLED : MF_GRAYED));
}

void TPopupMenu::SetChecked(int position, bool checked) {
    CheckMenuItem(FHandle, static_cast<UINT>(position), MF_BYPOSITION | (checked ? MF_CHECKED : MF_UNCHECKED));
}

void TPopupMenu::SetColumnBreak(int position) {
    MENUITEMINFOW item{};
    item.cbSize = sizeof(item);
    item.fMask = MIIM_FTYPE;
    if (!GetMenuItemInfoW(FHandle, static_cast<UINT>(position), TRUE, &item)) return;
    item.fType |= MFT_MENUBARBREAK;
    SetMenuItemInfoW(FHandle, static_cast<UINT>(position), TRUE, &item);
}

void TPopupMenu::InitPopup() {
    // A copy: the handler may clear the menu that holds it.
    if (TPopupEvent handler = OnPopup) handler(*this);
    ReservePictureColumn();
}

// Where some items show pictures every caption starts after the pictures'
// column, but the system widens the menu for that column only by the items
// that have a picture: a longer caption without one (a folder's commands
// above short names) would lose its end. Such items get an empty picture.
void TPopupMenu::ReservePictureColumn() {
    bool pictures = false;
    for (int i = 0; i < Count() && !pictures; ++i) pictures = Image(i) >= 0;
    if (!pictures) return;
    for (int i = 0; i < Count(); ++i) {
        MENUITEMINFOW item{};
        item.cbSize = sizeof(item);
        item.fMask = MIIM_FTYPE | MIIM_BITMAP;
        if (!GetMenuItemInfoW(FHandle, static_cast<UINT>(i), TRUE, &item)) continue;
        if (item.fType & (MFT_SEPARATOR | MFT_OWNERDRAW | MFT_BITMAP) || item.hbmpItem) continue;
        item.fMask = MIIM_BITMAP | MIIM_DATA;
        item.hbmpItem = HBMMENU_CALLBACK;
        item.dwItemData = kNoPicture;
        SetMenuItemInfoW(FHandle, static_cast<UINT>(i), TRUE, &item);
    }
}

std::string TPopupMenu::Caption(int position) const {
    MENUITEMINFOW item{};
    item.cbSize = sizeof(item);
    item.fMask = MIIM_DATA | MIIM_FTYPE;
    if (GetMenuItemInfoW(FHandle, static_cast<UINT>(position), TRUE, &item) && (item.fType & MFT_OWNERDRAW))
        if (const TDrawnItem* drawn = DrawnItem(item.dwItemData)) return Narrow(drawn->Caption);
    wchar_t text[512] = {};
    GetMenuStringW(FHandle, static_cast<UINT>(position), text, 512, MF_BYPOSITION);
    std::wstring caption = text;
    const size_t tab = caption.find(L'\t');
    if (tab != std::wstring::npos) caption.resize(tab);
    return Narrow(caption);
}

bool TPopupMenu::IsSeparator(int position) const {
    MENUITEMINFOW item{};
    item.cbSize = sizeof(item);
    item.fMask = MIIM_FTYPE;
    return GetMenuItemInfoW(FHandle, static_cast<UINT>(position), TRUE, &item) && (item.fType & MFT_SEPARATOR);
}

bool TPopupMenu::IsEnabled(int position) const {
    const UINT state = GetMenuState(FHandle, static_cast<UINT>(position), MF_BYPOSITION);
    return state != UINT(-1) && !(state & (MF_GRAYED | MF_DISABLED));
}

bool TPopupMenu::IsChecked(int position) const {
    const UINT state = GetMenuState(FHandle, static_cast<UINT>(position), MF_BYPOSITION);
    return state != UINT(-1) && (state & MF_CHECKED);
}

bool TPopupMenu::IsColumnBreak(int position) const {
    MENUITEMINFOW item{};
    item.cbSize = sizeof(item);
    item.fMask = MIIM_FTYPE;
    return GetMenuItemInfoW(FHandle, static_cast<UINT>(position), TRUE, &item) && (item.fType & MFT_MENUBARBREAK);
}

int TPopupMenu::Image(int position) const {
    MENUITEMINFOW item{};
    item.cbSize = sizeof(item);
    item.fMask = MIIM_BITMAP | MIIM_DATA | MIIM_FTYPE;
    if (!GetMenuItemInfoW(FHandle, static_cast<UINT>(position), TRUE, &item)) return -1;
    if (const TDrawnItem* drawn = (item.fType & MFT_OWNERDRAW) ? DrawnItem(item.dwItemData) : nullptr)
        return drawn->Image;
    if (item.hbmpItem != HBMMENU_CALLBACK) return -1;
    return static_cast<int>(item.dwItemData);
}

TPopupMenu* TPopupMenu::Submenu(int position) const {
    TPopupMenu* submenu = MenuOf(GetSubMenu(FHandle, position));
    return submenu && submenu->FRoot == FRoot ? submenu : nullptr;
}

int TPopupMenu::Find(const std::string& caption) const {
    for (int i = 0; i < Count(); ++i)
        if (Caption(i) == caption) return i;
    return -1;
}

bool TPopupMenu::Popup(HWND owner, POINT at) {
    // Without the foreground the menu would stay open after a click elsewhere.
    SetForegroundWindow(owner);
    UINT id = 0;
    {
        // The menu's loop only: the chosen command runs with the gate free.
        const TModalGate::THold hold(TModalKind::Menu, owner);
        TTrackingScope tracking(*this, owner);
        id = static_cast<UINT>(TrackPopupMenuEx(FHandle, TPM_RETURNCMD | TPM_RIGHTBUTTON | TPM_LEFTALIGN | TPM_TOPALIGN,
                                                at.x, at.y, owner, nullptr));
    }
    PostMessageW(owner, WM_NULL, 0, 0);
    return id != 0 && RunCommand(id);
}

bool TPopupMenu::RunCommand(UINT id) {
    const std::vector<TCommand>& commands = Root().FCommands;
    if (id < FirstId || id - FirstId >= commands.size()) return false;
    // A copy: the command may rebuild this menu.
    const TCommand command = commands[id - FirstId];
    if (command) command();
    return true;
}

bool TPopupMenu::HandleMenuMessage(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result) {
    switch (msg) {
        case WM_INITMENUPOPUP: {
            TPopupMenu* menu = MenuOf(reinterpret_cast<HMENU>(wParam));
            if (!menu || menu->FRoot != this) return false;
            menu->InitPopup();
            result = 0;
            return true;
        }
        case WM_MEASUREITEM: {
            auto* measure = reinterpret_cast<MEASUREITEMSTRUCT*>(lParam);
            if (measure->CtlType != ODT_MENU) return false;
            if (const TDrawnItem* drawn = DrawnItem(measure->itemData)) {
                MeasureDrawn(*measure, *drawn);
                result = TRUE;
                return true;
            }
            if (!FImages) return false;
            // A little air between the picture and the text.
            measure->itemWidth = static_cast<UINT>(FImages->ImageSize() + 2 * ScaleToDpi(kImageMargin, MenuDpi()));
            measure->itemHeight = static_cast<UINT>(FImages->ImageSize() + ScaleToDpi(kImageMargin, MenuDpi()));
            result = TRUE;
            return true;
        }
        case WM_DRAWITEM: {
            auto* draw = reinterpret_cast<DRAWITEMSTRUCT*>(lParam);
            if (draw->CtlType != ODT_MENU) return false;
            TPopupMenu* menu = MenuOf(reinterpret_cast<HMENU>(draw->hwndItem));
            if (!menu || menu->FRoot != this) return false;
            const TMenuImageList* images = menu->FOwnImages ? menu->FOwnImages : FImages;
            if (const TDrawnItem* drawn = DrawnItem(draw->itemData)) {
                DrawDrawn(*draw, *drawn, images);
                result = TRUE;
                return true;
            }
            if (!images) return false;
            const int size = images->ImageSize();
            const RECT& r = draw->rcItem;
            if (draw->itemData != kNoPicture)
                images->Draw(draw->hDC, static_cast<int>(draw->itemData), r.left + (r.right - r.left - size) / 2,
                             r.top + (r.bottom - r.top - size) / 2, !(draw->itemState & (ODS_GRAYED | ODS_DISABLED)));
            result = TRUE;
            return true;
        }
        case WM_MENUCHAR:
            if (Root().FDrawn.empty()) return false;
            result = MenuChar(static_cast<wchar_t>(LOWORD(wParam)), reinterpret_cast<HMENU>(lParam));
            return true;
        default:
            return false;
    }
}
