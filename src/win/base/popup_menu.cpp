#include "base/popup_menu.h"

// After windows.h, which they need.
#include <commctrl.h>
#include <commoncontrols.h>
#include <shellapi.h>

#include "base/menu_images.h"
#include "base/win_text.h"

namespace {

class TStripImages : public TMenuImageList {
public:
    int ImageSize() const override { return TImageStrip::ImageSize; }
    void Draw(HDC dc, int index, int x, int y, bool enabled) const override {
        MenuImages().Draw(dc, index, x, y, enabled);
    }
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
    item.dwTypeData = text.data();
    if (image >= 0) {
        item.fMask |= MIIM_BITMAP | MIIM_DATA;
        item.hbmpItem = HBMMENU_CALLBACK;
        item.dwItemData = static_cast<ULONG_PTR>(image);
    }
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
    item.dwTypeData = text.data();
    if (image >= 0) {
        item.fMask |= MIIM_BITMAP | MIIM_DATA;
        item.hbmpItem = HBMMENU_CALLBACK;
        item.dwItemData = static_cast<ULONG_PTR>(image);
    }
    InsertMenuItemW(FHandle, static_cast<UINT>(Count()), TRUE, &item);
    return submenu;
}

void TPopupMenu::AddSeparator() { AppendMenuW(FHandle, MF_SEPARATOR, 0, nullptr); }

void TPopupMenu::Clear() {
    // DeleteMenu destroys the submenus' handles with their items.
    while (Count() > 0) DeleteMenu(FHandle, 0, MF_BYPOSITION);
    FSubmenus.clear();
    if (FRoot == this) FCommands.clear();
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
}

std::string TPopupMenu::Caption(int position) const {
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
    item.fMask = MIIM_BITMAP | MIIM_DATA;
    if (!GetMenuItemInfoW(FHandle, static_cast<UINT>(position), TRUE, &item) || item.hbmpItem != HBMMENU_CALLBACK)
        return -1;
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
            if (measure->CtlType != ODT_MENU || !FImages) return false;
            // A little air between the picture and the text.
            measure->itemWidth = static_cast<UINT>(FImages->ImageSize() + 2 * kImageMargin);
            measure->itemHeight = static_cast<UINT>(FImages->ImageSize() + kImageMargin);
            result = TRUE;
            return true;
        }
        case WM_DRAWITEM: {
            auto* draw = reinterpret_cast<DRAWITEMSTRUCT*>(lParam);
            if (draw->CtlType != ODT_MENU || !FImages) return false;
            TPopupMenu* menu = MenuOf(reinterpret_cast<HMENU>(draw->hwndItem));
            if (!menu || menu->FRoot != this) return false;
            const TMenuImageList* images = menu->FOwnImages ? menu->FOwnImages : FImages;
            const int size = images->ImageSize();
            const RECT& r = draw->rcItem;
            images->Draw(draw->hDC, static_cast<int>(draw->itemData), r.left + (r.right - r.left - size) / 2,
                         r.top + (r.bottom - r.top - size) / 2, !(draw->itemState & (ODS_GRAYED | ODS_DISABLED)));
            result = TRUE;
            return true;
        }
        default:
            return false;
    }
}
