// Every dialog of the program as the user meets it at this screen's DPI (the
// end-to-end case dpi144_every_dialog_fits_its_text runs this test again at
// 144 DPI): each control lies inside its dialog, a settings page's inside the
// page and a group box's inside the box; no two controls overlap; every
// caption, measured in the control's own font, fits its control, and every
// list's column header its column; and the settings pages' labels and boxes
// stand on the page's own colour.
#include <gtest/gtest.h>
#include <windows.h>
// After windows.h.
#include <commctrl.h>

#include <climits>
#include <functional>
#include <string>
#include <vector>

#include "base/win_text.h"
#include "base/window_dpi.h"
#include "dialogs/about.h"
#include "dialogs/broken_links_dialog.h"
#include "dialogs/entry_properties.h"
#include "dialogs/icon_chooser.h"
#include "dialogs/organise_dialog.h"
#include "dialogs/page_properties.h"
#include "dialogs/process_picker.h"
#include "dialogs/run_with_arguments.h"
#include "dialogs/settings_dialog.h"
#include "dialogs/settings_ids.h"
#include "recording_desktop.h"
#include "shell/win_platform.h"
#include "win_test_util.h"

namespace {

class TShownHook {
public:
    explicit TShownHook(std::function<void(TDialog&)> hook) { TDialog::ShownHook = std::move(hook); }
    ~TShownHook() { TDialog::ShownHook = nullptr; }
};

std::string Utf8(const std::wstring& text) {
    const int size = WideCharToMultiByte(CP_UTF8, 0, text.c_str(), -1, nullptr, 0, nullptr, nullptr);
    std::string out(static_cast<size_t>(size > 0 ? size : 1), '\0');
    WideCharToMultiByte(CP_UTF8, 0, text.c_str(), -1, out.data(), size, nullptr, nullptr);
    out.resize(out.size() - 1);
    return out;
}

std::string Show(const RECT& r) {
    return "(" + std::to_string(r.left) + "," + std::to_string(r.top) + ")-(" + std::to_string(r.right) + "," +
           std::to_string(r.bottom) + ")";
}

bool Inside(const RECT& inner, const RECT& outer) {
    return inner.left >= outer.left && inner.top >= outer.top && inner.right <= outer.right &&
           inner.bottom <= outer.bottom;
}

bool Overlap(const RECT& a, const RECT& b) {
    RECT common{};
    return IntersectRect(&common, &a, &b) != FALSE;
}

// A control as it stands in its dialog's client area.
struct TPlaced {
    HWND Window;
    RECT Bounds;
    std::wstring Class;
    DWORD Style;
    std::wstring Text;

    bool Is(const wchar_t* name) const { return lstrcmpiW(Class.c_str(), name) == 0; }
    DWORD ButtonType() const { return Style & BS_TYPEMASK; }
    bool GroupBox() const { return Is(L"Button") && ButtonType() == BS_GROUPBOX; }
    bool CheckOrRadio() const {
        const DWORD t = ButtonType();
        return Is(L"Button") && (t == BS_CHECKBOX || t == BS_AUTOCHECKBOX || t == BS_RADIOBUTTON ||
                                 t == BS_AUTORADIOBUTTON || t == BS_3STATE || t == BS_AUTO3STATE);
    }
    bool PushButton() const {
        return Is(L"Button") && (ButtonType() == BS_PUSHBUTTON || ButtonType() == BS_DEFPUSHBUTTON);
    }
    bool Label() const {
        const DWORD t = Style & SS_TYPEMASK;
        return Is(L"Static") && (t == SS_LEFT || t == SS_CENTER || t == SS_RIGHT || t == SS_LEFTNOWORDWRAP);
    }
    bool Container() const { return GroupBox() || Is(WC_TABCONTROLW); }
    std::string Name() const {
        return Utf8(Class) + " " + std::to_string(GetDlgCtrlID(Window)) + " \"" + Utf8(Text) + "\" at " + Show(Bounds);
    }
};

std::vector<TPlaced> VisibleControls(HWND dialog) {
    std::vector<TPlaced> placed;
    for (HWND child = GetWindow(dialog, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
        if (!IsWindowVisible(child)) continue;
        TPlaced p{child, {}, {}, static_cast<DWORD>(GetWindowLongPtrW(child, GWL_STYLE)), {}};
        GetWindowRect(child, &p.Bounds);
        MapWindowPoints(nullptr, dialog, reinterpret_cast<POINT*>(&p.Bounds), 2);
        wchar_t name[64] = {};
        GetClassNameW(child, name, 64);
        p.Class = name;
        wchar_t text[256] = {};
        GetWindowTextW(child, text, 256);
        p.Text = text;
        placed.push_back(p);
    }
    return placed;
}

// What the control shows of its text: a mnemonic's "&" is not drawn.
std::wstring ShownText(const TPlaced& p) {
    if (p.Is(L"Static") && (p.Style & SS_NOPREFIX)) return p.Text;
    std::wstring shown;
    for (size_t i = 0; i < p.Text.size(); ++i) {
        if (p.Text[i] == L'&' && i + 1 < p.Text.size()) ++i;
        shown += p.Text[i];
    }
    return shown;
}

SIZE TextExtent(const TPlaced& p, const std::wstring& text) {
    HDC dc = GetDC(p.Window);
    HFONT font = reinterpret_cast<HFONT>(SendMessageW(p.Window, WM_GETFONT, 0, 0));
    HGDIOBJ old = SelectObject(dc, font ? font : GetStockObject(DEFAULT_GUI_FONT));
    SIZE size{};
    GetTextExtentPoint32W(dc, text.c_str(), static_cast<int>(text.size()), &size);
    SelectObject(dc, old);
    ReleaseDC(p.Window, dc);
    return size;
}

// The room a control needs beside its text: a check box's box and the gap
// after it, a button's frame, a group box's frame on both sides of its title.
int ChromeWidth(const TPlaced& p, int dpi) {
    if (p.CheckOrRadio()) return ScaleToDpi(16, dpi);
    if (p.PushButton()) return ScaleToDpi(8, dpi);
    if (p.GroupBox()) return ScaleToDpi(16, dpi);
    return 0;
}

// The least room between a caption's end and the next control of its row.
constexpr int kTextGap = 6;

// Where a control must lie: inside the innermost container its top-left
// corner falls in (a tab strip's page, a group box below its title), else
// inside the dialog.
RECT PlaceOf(const TPlaced& p, const std::vector<TPlaced>& all, const RECT& client) {
    RECT place = client;
    long area = LONG_MAX;
    for (const TPlaced& c : all) {
        if (c.Window == p.Window || !c.Container()) continue;
        RECT inner = c.Bounds;
        if (c.Is(WC_TABCONTROLW)) {
            GetClientRect(c.Window, &inner);
            SendMessageW(c.Window, TCM_ADJUSTRECT, FALSE, reinterpret_cast<LPARAM>(&inner));
            MapWindowPoints(c.Window, GetParent(c.Window), reinterpret_cast<POINT*>(&inner), 2);
        } else {
            inner.top += TextExtent(c, L"X").cy;
            InflateRect(&inner, -2, 0);
            inner.bottom -= 2;
        }
        const POINT corner{p.Bounds.left, p.Bounds.top};
        if (!PtInRect(&c.Bounds, corner)) continue;
        const long size = (c.Bounds.right - c.Bounds.left) * (c.Bounds.bottom - c.Bounds.top);
        if (size < area) {
            area = size;
            place = inner;
        }
    }
    return place;
}

// An up-down control lies over its field's border, as the system places it.
bool SpinAndItsField(const TPlaced& a, const TPlaced& b) {
    auto buddy = [](const TPlaced& spin, const TPlaced& field) {
        return spin.Is(UPDOWN_CLASSW) &&
               reinterpret_cast<HWND>(SendMessageW(spin.Window, UDM_GETBUDDY, 0, 0)) == field.Window;
    };
    return buddy(a, b) || buddy(b, a);
}

// A list's column headers, each caption measured in the header's font
// against its column beside the header's margins.
void ColumnFaults(const TPlaced& list, int dpi, std::vector<std::string>& faults) {
    HWND header = reinterpret_cast<HWND>(SendMessageW(list.Window, LVM_GETHEADER, 0, 0));
    if (!header) return;
    const TPlaced headerPlaced{header, {}, L"SysHeader32", 0, {}};
    const int count = static_cast<int>(SendMessageW(header, HDM_GETITEMCOUNT, 0, 0));
    for (int i = 0; i < count; ++i) {
        wchar_t text[128] = {};
        LVCOLUMNW column{};
        column.mask = LVCF_TEXT | LVCF_WIDTH;
        column.pszText = text;
        column.cchTextMax = 128;
        if (!SendMessageW(list.Window, LVM_GETCOLUMNW, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(&column)))
            continue;
        const SIZE extent = TextExtent(headerPlaced, text);
        if (extent.cx + ScaleToDpi(12, dpi) > column.cx)
            faults.push_back(list.Name() + " column \"" + Utf8(text) + "\" of " + std::to_string(column.cx) +
                             " pixels cannot show its caption of " + std::to_string(extent.cx));
    }
}

// Every fault of the controls now shown, one line each.
std::vector<std::string> LayoutFaults(HWND dialog) {
    std::vector<std::string> faults;
    RECT client{};
    GetClientRect(dialog, &client);
    const int dpi = WindowDpi(dialog);
    const std::vector<TPlaced> all = VisibleControls(dialog);
    for (size_t i = 0; i < all.size(); ++i) {
        const TPlaced& p = all[i];
        const RECT place = PlaceOf(p, all, client);
        if (!Inside(p.Bounds, place)) faults.push_back(p.Name() + " leaves its place " + Show(place));
        for (size_t k = i + 1; k < all.size(); ++k) {
            const TPlaced& q = all[k];
            if (p.Container() || q.Container() || SpinAndItsField(p, q)) continue;
            if (Overlap(p.Bounds, q.Bounds)) faults.push_back(p.Name() + " overlaps " + q.Name());
        }
        if (p.Is(WC_LISTVIEWW)) ColumnFaults(p, dpi, faults);
        if (!(p.Label() || p.CheckOrRadio() || p.PushButton() || p.GroupBox()) || p.Text.empty()) continue;
        const SIZE text = TextExtent(p, ShownText(p));
        const int width = p.Bounds.right - p.Bounds.left;
        const int height = p.Bounds.bottom - p.Bounds.top;
        if (text.cx + ChromeWidth(p, dpi) > width || text.cy > height)
            faults.push_back(p.Name() + " cannot show its text of " + std::to_string(text.cx) + "x" +
                             std::to_string(text.cy));
        // A text that runs up to the next control of its row reads as one with it.
        if (p.GroupBox() || p.PushButton()) continue;
        const int textEnd = p.Bounds.left + ChromeWidth(p, dpi) + text.cx;
        for (const TPlaced& q : all) {
            const bool sameRow = q.Bounds.top < p.Bounds.bottom && p.Bounds.top < q.Bounds.bottom;
            if (q.Window == p.Window || q.Container() || !sameRow || q.Bounds.left < p.Bounds.right) continue;
            if (q.Bounds.left - textEnd < ScaleToDpi(kTextGap, dpi))
                faults.push_back(p.Name() + " has its text end at " + std::to_string(textEnd) + ", too near " +
                                 q.Name());
        }
    }
    return faults;
}

void ExpectLaidOut(TDialog& dialog, const std::string& name) {
    for (const std::string& fault : LayoutFaults(dialog.Handle())) ADD_FAILURE() << Utf8(Widen(name)) << ": " << fault;
}

// Shows the dialog, checks it as the hook finds it, and closes it.
void CheckDialog(TDialog& dialog, const std::string& name, const std::function<void(TDialog&)>& more = nullptr) {
    bool seen = false;
    TShownHook hook([&](TDialog& d) {
        seen = true;
        ExpectLaidOut(d, name);
        if (more) more(d);
        d.EndDialog(IDCANCEL);
    });
    dialog.ShowModal(nullptr);
    EXPECT_TRUE(seen) << Utf8(Widen(name)) << " did not open";
}

void ShowPage(TDialog& d, int page) {
    HWND tabs = d.Item(IDC_SETTINGS_TABS);
    SendMessageW(tabs, TCM_SETCURSEL, static_cast<WPARAM>(page), 0);
    NMHDR header{tabs, static_cast<UINT_PTR>(IDC_SETTINGS_TABS), static_cast<UINT>(TCN_SELCHANGE)};
    SendMessageW(d.Handle(), WM_NOTIFY, IDC_SETTINGS_TABS, reinterpret_cast<LPARAM>(&header));
}

// The colour the user sees at a point of the dialog's client area.
COLORREF ShownColour(HWND dialog, POINT at) {
    RedrawWindow(dialog, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
    HDC dc = GetDC(dialog);
    const COLORREF colour = GetPixel(dc, at.x, at.y);
    ReleaseDC(dialog, dc);
    return colour;
}

// The colour the tab strip paints its page with at a point of the dialog.
COLORREF PageColour(HWND tabs, POINT at) {
    MapWindowPoints(GetParent(tabs), tabs, &at, 1);
    RECT r{};
    GetClientRect(tabs, &r);
    HDC screen = GetDC(tabs);
    HDC memory = CreateCompatibleDC(screen);
    HBITMAP picture = CreateCompatibleBitmap(screen, r.right, r.bottom);
    HGDIOBJ old = SelectObject(memory, picture);
    SendMessageW(tabs, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(memory), PRF_CLIENT | PRF_ERASEBKGND);
    const COLORREF colour = GetPixel(memory, at.x, at.y);
    SelectObject(memory, old);
    DeleteObject(picture);
    DeleteDC(memory);
    ReleaseDC(tabs, screen);
    return colour;
}

// Beside its text, a label or box shows the page under it.
void ExpectPageColourBehindLabels(TDialog& d, const std::string& name) {
    HWND tabs = d.Item(IDC_SETTINGS_TABS);
    for (const TPlaced& p : VisibleControls(d.Handle())) {
        if (!(p.Label() || p.CheckOrRadio()) || !IsWindowEnabled(p.Window)) continue;
        const SIZE text = TextExtent(p, ShownText(p));
        const POINT at{p.Bounds.right - 2, (p.Bounds.top + p.Bounds.bottom) / 2};
        if (p.Bounds.left + ChromeWidth(p, WindowDpi(d.Handle())) + text.cx >= at.x) continue;
        EXPECT_EQ(ShownColour(d.Handle(), at), PageColour(tabs, at)) << Utf8(Widen(name)) << ": behind " << p.Name();
    }
}

class DialogLayout : public testing::Test {
protected:
    TTempFolder Folder{"vantor-dialog-layout"};
    TWinPlatform Platform;
    TRecordingDesktop Desktop;
    TDialogHost Host;
    TVantorManager Pages{Platform};

    void SetUp() override {
        Host.Run = [](TModalForm& form) { return form.ShowModal(nullptr); };
        Host.Services = &Desktop;
        Pages.Pages(0)->Caption = "デスクトップ";
        ASSERT_TRUE(Pages.Pages(0)->Add(Folder / "calc.exe", "電卓", "", "", "", ShowNormal, false, "", 0));
    }
};

}  // namespace

TEST_F(DialogLayout, EveryControlLiesInItsPlaceAloneAndShowsItsWholeCaption) {
    TSettingsDialog settings;
    CheckDialog(settings, "設定", [](TDialog& d) {
        for (int page = 0; page < SettingsPageCount; ++page) {
            ShowPage(d, page);
            const std::string name = "設定 page " + std::to_string(page);
            ExpectLaidOut(d, name);
            ExpectPageColourBehindLabels(d, name);
        }
        // The key fields cannot be typed in, yet they are fields while enabled.
        ShowPage(d, spKeyboard);
        for (int id : {IDC_HOT_KEY, IDC_SHORT_CUT}) {
            if (!IsWindowEnabled(d.Item(id))) continue;
            RECT field{};
            GetWindowRect(d.Item(id), &field);
            MapWindowPoints(nullptr, d.Handle(), reinterpret_cast<POINT*>(&field), 2);
            const POINT at{field.right - 4, (field.top + field.bottom) / 2};
            EXPECT_EQ(ShownColour(d.Handle(), at), GetSysColor(COLOR_WINDOW)) << "key field " << id;
        }
    });
    TAboutDialog about;
    CheckDialog(about, "バージョン情報");
    TRunWithArgumentsDialog run;
    CheckDialog(run, "引数を指定して実行");
    TVantorPage clipboard(Platform);
    TOrganiseDialog organise(Host, Platform, Pages, clipboard, false);
    CheckDialog(organise, "編集");
    TEntryPropertiesDialog entry(Host, Platform);
    CheckDialog(entry, "ボタンのプロパティ");
    TPagePropertiesDialog page;
    CheckDialog(page, "ページのプロパティ");
    TIconChooserDialog icons(Folder / "none.ico");
    CheckDialog(icons, "アイコンの選択");
    TProcessPickerDialog processes(true);
    CheckDialog(processes, "プログラム名の取得");
    TBrokenLinksDialog links;
    links.Broken.push_back(TLinkCheck{0, 0, 0, "デスクトップ", "電卓", "C:\\Tools\\calc.exe"});
    CheckDialog(links, "リンク切れの確認");
}
