#include "dialogs/organise_lists.h"

#include <commdlg.h>
#include <shlobj.h>

#include <algorithm>
#include <cwchar>

#include "base/handles.h"
#include "base/system_library.h"
#include "base/ui_font.h"
#include "base/win_text.h"
#include "base/window_dpi.h"

namespace {

struct TImageListApi {
    decltype(&ImageList_Create) Create = nullptr;
    decltype(&ImageList_Destroy) Destroy = nullptr;
    decltype(&ImageList_AddMasked) AddMasked = nullptr;
    decltype(&ImageList_ReplaceIcon) ReplaceIcon = nullptr;
    decltype(&InitCommonControlsEx) Init = nullptr;
    bool Ready() const { return Create && Destroy && AddMasked && ReplaceIcon; }
};

// Loaded once; the library stays for the program's life, as the dialogs recur.
const TImageListApi& Api() {
    static const TImageListApi api = [] {
        TImageListApi a;
        HMODULE library = LoadSystemLibrary("comctl32.dll");
        a.Create = LibraryFunction<decltype(&ImageList_Create)>(library, "ImageList_Create");
        a.Destroy = LibraryFunction<decltype(&ImageList_Destroy)>(library, "ImageList_Destroy");
        a.AddMasked = LibraryFunction<decltype(&ImageList_AddMasked)>(library, "ImageList_AddMasked");
        a.ReplaceIcon = LibraryFunction<decltype(&ImageList_ReplaceIcon)>(library, "ImageList_ReplaceIcon");
        a.Init = LibraryFunction<decltype(&InitCommonControlsEx)>(library, "InitCommonControlsEx");
        return a;
    }();
    return api;
}

}  // namespace

bool LoadListViewControls() {
    static const bool loaded = [] {
        if (!Api().Init) return false;
        INITCOMMONCONTROLSEX controls{sizeof(controls), ICC_LISTVIEW_CLASSES | ICC_UPDOWN_CLASS};
        return Api().Init(&controls) != FALSE;
    }();
    return loaded;
}

TImageList::~TImageList() {
    if (FHandle && Api().Destroy) Api().Destroy(FHandle);
}

bool TImageList::Create(int width, int height, int initial) {
    if (FHandle || !Api().Ready()) return FHandle != nullptr;
    FHandle = Api().Create(width, height, ILC_COLOR32 | ILC_MASK, initial, 16);
    return FHandle != nullptr;
}

bool TImageList::AddStrip(HBITMAP strip, COLORREF key) {
    return FHandle && strip && Api().AddMasked(FHandle, strip, key) >= 0;
}

int TImageList::AddIcon(HICON icon) { return FHandle && icon ? Api().ReplaceIcon(FHandle, -1, icon) : -1; }

int ListCount(HWND list) { return static_cast<int>(SendMessageW(list, LVM_GETITEMCOUNT, 0, 0)); }

TIndexList ListSelection(HWND list) {
    TIndexList selected;
    int index = -1;
    while ((index = static_cast<int>(SendMessageW(list, LVM_GETNEXTITEM, index, LVNI_SELECTED))) >= 0)
        selected.push_back(index);
    return selected;
}

void ListSelect(HWND list, int index, bool selected) {
    LVITEMW item{};
    item.stateMask = LVIS_SELECTED | (selected ? LVIS_FOCUSED : 0);
    item.state = selected ? LVIS_SELECTED | LVIS_FOCUSED : 0;
    SendMessageW(list, LVM_SETITEMSTATE, index, reinterpret_cast<LPARAM>(&item));
}

void ListSelectOnly(HWND list, const TIndexList& indices) {
    ListSelect(list, -1, false);
    for (int32_t index : indices) ListSelect(list, index, true);
    if (!indices.empty()) SendMessageW(list, LVM_ENSUREVISIBLE, indices.back(), FALSE);
}

void ListSetItem(HWND list, int index, const std::string& text, int image) {
    std::wstring wide = Widen(text);
    LVITEMW item{};
    item.mask = LVIF_TEXT | LVIF_IMAGE | LVIF_STATE;
    item.iItem = index;
    item.pszText = wide.data();
    item.iImage = image;
    item.stateMask = LVIS_SELECTED;
    SendMessageW(list, LVM_SETITEMW, 0, reinterpret_cast<LPARAM>(&item));
}

void ListInsertItem(HWND list, int index, const std::string& text, int image) {
    std::wstring wide = Widen(text);
    LVITEMW item{};
    item.mask = LVIF_TEXT | LVIF_IMAGE;
    item.iItem = index;
    item.pszText = wide.data();
    item.iImage = image;
    SendMessageW(list, LVM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&item));
}

void ListPrepareOneColumn(HWND list, HIMAGELIST images) {
    RECT client{};
    GetClientRect(list, &client);
    LVCOLUMNW column{};
    column.mask = LVCF_WIDTH;
    column.cx = client.right - GetSystemMetrics(SM_CXVSCROLL);
    SendMessageW(list, LVM_INSERTCOLUMNW, 0, reinterpret_cast<LPARAM>(&column));
    SendMessageW(list, LVM_SETEXTENDEDLISTVIEWSTYLE, LVS_EX_FULLROWSELECT, LVS_EX_FULLROWSELECT);
    if (images) SendMessageW(list, LVM_SETIMAGELIST, LVSIL_SMALL, reinterpret_cast<LPARAM>(images));
}

int ListItemAt(HWND list, POINT point) {
    LVHITTESTINFO hit{};
    hit.pt = point;
    const int index = static_cast<int>(SendMessageW(list, LVM_HITTEST, 0, reinterpret_cast<LPARAM>(&hit)));
    return (hit.flags & LVHT_ONITEM) ? index : -1;
}

std::string AskOpenFile(HWND owner, const std::string& title, const std::string& filter, const std::string& initial,
                        int filterIndex, const std::string& defaultExt) {
    std::wstring wideFilter = Widen(filter);
    for (wchar_t& c : wideFilter)
        if (c == L'|') c = L'\0';
    wideFilter.push_back(L'\0');
    std::wstring file = Widen(initial);
    file.resize(std::max<size_t>(file.size() + 1, 32768), L'\0');
    const std::wstring wideTitle = Widen(title);
    const std::wstring ext = Widen(defaultExt);
    OPENFILENAMEW ofn{};
    ofn.lStructSize = sizeof(ofn);
    ofn.hwndOwner = owner;
    ofn.lpstrFilter = wideFilter.c_str();
    ofn.nFilterIndex = static_cast<DWORD>(filterIndex);
    ofn.lpstrFile = file.data();
    ofn.nMaxFile = static_cast<DWORD>(file.size());
    ofn.lpstrTitle = wideTitle.c_str();
    ofn.lpstrDefExt = ext.empty() ? nullptr : ext.c_str();
    ofn.Flags = OFN_EXPLORER | OFN_HIDEREADONLY | OFN_FILEMUSTEXIST | OFN_PATHMUSTEXIST | OFN_NODEREFERENCELINKS |
                OFN_ENABLESIZING;
    if (!GetOpenFileNameW(&ofn)) return std::string();
    file.resize(wcslen(file.c_str()));
    return NarrowPath(file).value_or(std::string());
}

std::string AskFolder(HWND owner, const std::string& title) {
    const std::wstring wideTitle = Widen(title);
    BROWSEINFOW info{};
    info.hwndOwner = owner;
    info.lpszTitle = wideTitle.c_str();
    info.ulFlags = BIF_RETURNONLYFSDIRS;
    PIDLIST_ABSOLUTE list = SHBrowseForFolderW(&info);
    if (!list) return std::string();
    wchar_t path[MAX_PATH] = {};
    const bool ok = SHGetPathFromIDListW(list, path) != FALSE;
    CoTaskMemFree(list);
    return ok ? NarrowPath(path).value_or(std::string()) : std::string();
}

void UseJapaneseFont(HWND dialog) {
    HFONT font = JapaneseUiFont(WindowDpi(dialog));
    if (!font) return;
    for (HWND child = GetWindow(dialog, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT))
        SendMessageW(child, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
}

void PlaceInPixels(HWND dialog, int clientWidth, int clientHeight) {
    // The sizes are 96-DPI pixels: the dialog grows with the screen's DPI.
    const int dpi = WindowDpi(dialog);
    clientWidth = ScaleToDpi(clientWidth, dpi);
    clientHeight = ScaleToDpi(clientHeight, dpi);
    RECT client{};
    GetClientRect(dialog, &client);
    if (client.right <= 0 || client.bottom <= 0) return;
    const double sx = static_cast<double>(clientWidth) / client.right;
    const double sy = static_cast<double>(clientHeight) / client.bottom;
    for (HWND child = GetWindow(dialog, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
        RECT r{};
        GetWindowRect(child, &r);
        MapWindowPoints(nullptr, dialog, reinterpret_cast<POINT*>(&r), 2);
        const int left = static_cast<int>(r.left * sx + 0.5), top = static_cast<int>(r.top * sy + 0.5);
        const int width = static_cast<int>(r.right * sx + 0.5) - left;
        int height = static_cast<int>(r.bottom * sy + 0.5) - top;
        wchar_t name[32] = {};
        GetClassNameW(child, name, 32);
        if (_wcsicmp(name, L"ComboBox") == 0) height = ScaleToDpi(200, dpi);
        SetWindowPos(child, nullptr, left, top, width, height, SWP_NOZORDER | SWP_NOACTIVATE);
    }
    RECT frame{0, 0, clientWidth, clientHeight};
    AdjustWindowRectEx(&frame, static_cast<DWORD>(GetWindowLongPtrW(dialog, GWL_STYLE)), FALSE,
                       static_cast<DWORD>(GetWindowLongPtrW(dialog, GWL_EXSTYLE)));
    SetWindowPos(dialog, nullptr, 0, 0, frame.right - frame.left, frame.bottom - frame.top,
                 SWP_NOZORDER | SWP_NOMOVE | SWP_NOACTIVATE);
}

bool PickListNotify(TDialog& dialog, NMHDR& header) {
    if (header.code == LVN_ITEMCHANGED) {
        dialog.EnableItem(IDOK, !ListSelection(header.hwndFrom).empty());
        return true;
    }
    if (header.code == NM_DBLCLK && IsWindowEnabled(dialog.Item(IDOK))) {
        dialog.ClickButton(IDOK);
        return true;
    }
    return false;
}
