#include "dialogs/settings_dialog.h"

#include <commctrl.h>

#include "base/win_text.h"
#include "base/window_dpi.h"
#include "dialogs/settings_ids.h"
#include "settings/sounds.h"

namespace {

constexpr int kFirstPageControl = 1000;
constexpr int kLastPageControl = 1000 + 100 * SettingsPageCount - 1;

bool IsRadioGroup(const TSettingsField& field) {
    return field.Control == IDC_SCROLL_POINT_REPEAT || field.Control == IDC_FILER_MY_COMPUTER;
}

// Where the dialog's pixels go: the tab strip 337 x 273 in a 353 x 318 client.
constexpr int kClientWidth = 353;
constexpr int kClientHeight = 318;
constexpr RECT kTabs{8, 8, 8 + 337, 8 + 273};
// The pages' scale: pixels per ten dialog units, and a dropped list's height.
constexpr int kPixelsPerTenUnitsX = 17;
constexpr int kPixelsPerTenUnitsY = 16;
constexpr int kComboListHeight = 200;

}  // namespace

int32_t SettingsPageOfControl(int id) {
    if (id < kFirstPageControl || id > kLastPageControl) return -1;
    return (id - kFirstPageControl) / 100;
}

TSettingsDialog::TSettingsDialog() : TDialog(IDD_SETTINGS) { HelpTopic = HelpTopicOf(THelpWindow::Settings); }

// The manual tells of each tab on a page of its own.
THelpTopic TSettingsDialog::CurrentHelpTopic() const { return SettingsHelpTopic(Page); }

// Ctrl+Tab and Ctrl+PageDown show the next page, Ctrl+Shift+Tab and
// Ctrl+PageUp the one before, as in the system's own tabbed dialogs. The
// dialog manager would take Tab for moving the focus, so the keys are caught
// before it by a message filter on this thread while the dialog is open.
// The two key fields of the keyboard page keep every key: a user may want
// exactly such a combination.
class TSettingsDialog::TPageKeys {
public:
    explicit TPageKeys(TSettingsDialog& dialog)
        : FDialog(dialog), FHook(SetWindowsHookExW(WH_MSGFILTER, Filter, nullptr, GetCurrentThreadId())) {
        Active = this;
    }
    ~TPageKeys() {
        if (FHook) UnhookWindowsHookEx(FHook);
        if (Active == this) Active = nullptr;
    }
    TPageKeys(const TPageKeys&) = delete;
    TPageKeys& operator=(const TPageKeys&) = delete;

private:
    static LRESULT CALLBACK Filter(int code, WPARAM wParam, LPARAM lParam) {
        const MSG* msg = reinterpret_cast<const MSG*>(lParam);
        if (code == MSGF_DIALOGBOX && Active && msg && Active->Take(*msg)) return TRUE;
        return CallNextHookEx(nullptr, code, wParam, lParam);
    }

    bool Take(const MSG& msg) {
        if (msg.message != WM_KEYDOWN || GetKeyState(VK_CONTROL) >= 0) return false;
        const HWND dialog = FDialog.Handle();
        if (msg.hwnd != dialog && !IsChild(dialog, msg.hwnd)) return false;
        TKeyboardPage& keys = FDialog.KeyboardPage();
        if (msg.hwnd == keys.HotKeyField().Handle() || msg.hwnd == keys.ShortCutField().Handle()) return false;
        const int32_t step = PageStep(static_cast<UINT>(msg.wParam), GetKeyState(VK_SHIFT) < 0);
        if (step == 0) return false;
        FDialog.StepPage(step);
        return true;
    }

    static int32_t PageStep(UINT key, bool shift) {
        switch (key) {
            case VK_TAB:
                return shift ? -1 : 1;
            case VK_NEXT:
                return 1;
            case VK_PRIOR:
                return -1;
            default:
                return 0;
        }
    }

    static inline TPageKeys* Active = nullptr;
    TSettingsDialog& FDialog;
    HHOOK FHook;
};

TSettingsDialog::~TSettingsDialog() = default;

bool TSettingsDialog::OnInit() {
    FLoading = true;
    SetClientSize(kClientWidth, kClientHeight);
    SetItemBounds(IDC_SETTINGS_TABS, kTabs.left, kTabs.top, kTabs.right - kTabs.left, kTabs.bottom - kTabs.top);
    const int buttonTop = kTabs.bottom + 8;
    SetItemBounds(IDC_SETTINGS_DEFAULT, 8, buttonTop, 90, 25);
    SetItemBounds(IDOK, 110, buttonTop, 75, 25);
    SetItemBounds(IDCANCEL, 190, buttonTop, 75, 25);
    SetItemBounds(IDHELP, 270, buttonTop, 75, 25);

    HWND tabs = Item(IDC_SETTINGS_TABS);
    const auto& pages = SettingsPageTable();
    for (int i = 0; i < SettingsPageCount; ++i) {
        std::wstring caption = Widen(pages[static_cast<size_t>(i)].Caption);
        TCITEMW item{};
        item.mask = TCIF_TEXT;
        item.pszText = caption.data();
        SendMessageW(tabs, TCM_INSERTITEMW, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(&item));
    }
    PlacePages();
    MakePageBrush();

    for (const TSettingsField& field : SettingsFields()) {
        if (field.Kind == TFieldKind::Choice && !IsRadioGroup(field))
            ComboSetItems(field.Control, SettingsChoiceCaptions(field.Control));
        if (field.Kind == TFieldKind::Number) {
            HWND spin = Item(field.Control + 1);
            SpinSetRange(field.Control + 1, field.Min, field.Max);
            UDACCEL accel{0, static_cast<UINT>(field.Step)};
            SendMessageW(spin, UDM_SETACCEL, 1, reinterpret_cast<LPARAM>(&accel));
        }
    }
    FFontName.Attach(Item(IDC_FONT_NAME));
    FFontName.SetSearchFonts(ftTrueType | ftFixed | ftVariable | ftShiftJis | ftHorizontal);
    FFontName.SetFontName(DefaultFontName);
    Defaults.FontName = FFontName.FontName() == DefaultFontName ? DefaultFontName : FallbackFontName;
    FSound.Create();
    FKeyboard.Create();

    LoadFields(-1);
    FColor.Load();
    FFolderLists.Load();
    ApplyRanges();
    ApplyEnabling();
    SelectPage(Page >= 0 && Page < SettingsPageCount ? Page : spGeneral);
    FPageKeys = std::make_unique<TPageKeys>(*this);
    FLoading = false;
    return true;
}

void TSettingsDialog::OnShown() {
    // The first action and the first sound event, as the user meets them.
    ListSetIndex(IDC_KEY_ACTION, 0);
    FKeyboard.LActionClick();
    ComboSetIndex(IDC_SOUND_ACTION, 0);
    FSound.CSoundActionChange();
}

// The pages' controls are laid out from their page's corner in the
// template; here they move into the tab strip's display area. Their dialog
// units are turned into pixels at one fixed scale: the dialog manager's
// scale follows whatever face the system finds for the template's font, so
// it changes with the system's language while the text, always in the
// Japanese font, does not.
void TSettingsDialog::PlacePages() {
    HWND tabs = Item(IDC_SETTINGS_TABS);
    RECT area{};
    GetClientRect(tabs, &area);
    SendMessageW(tabs, TCM_ADJUSTRECT, FALSE, reinterpret_cast<LPARAM>(&area));
    MapWindowPoints(tabs, Handle(), reinterpret_cast<POINT*>(&area), 2);
    RECT unit{0, 0, 4, 8};
    MapDialogRect(Handle(), &unit);
    if (unit.right <= 0 || unit.bottom <= 0) return;
    auto toUnitsX = [&](LONG pixels) { return MulDiv(pixels, 4, unit.right); };
    auto toUnitsY = [&](LONG pixels) { return MulDiv(pixels, 8, unit.bottom); };
    // The fixed scale is the 96-DPI one, grown with the screen's DPI.
    const int dpi = WindowDpi(Handle());
    auto scaleX = [dpi](int units) { return MulDiv(units, kPixelsPerTenUnitsX * dpi, 10 * BaseDpi); };
    auto scaleY = [dpi](int units) { return MulDiv(units, kPixelsPerTenUnitsY * dpi, 10 * BaseDpi); };
    for (HWND child = GetWindow(Handle(), GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
        if (SettingsPageOfControl(GetDlgCtrlID(child)) < 0) continue;
        RECT r{};
        GetWindowRect(child, &r);
        MapWindowPoints(nullptr, Handle(), reinterpret_cast<POINT*>(&r), 2);
        wchar_t className[16] = {};
        GetClassNameW(child, className, 16);
        const bool combo = lstrcmpiW(className, L"ComboBox") == 0;
        const int left = area.left + scaleX(toUnitsX(r.left));
        const int top = area.top + scaleY(toUnitsY(r.top));
        const int width = scaleX(toUnitsX(r.right - r.left));
        // A combo box's height is its dropped list's; the box itself keeps
        // the height its font gives it.
        const int height = combo ? ScaleToDpi(kComboListHeight, dpi) : scaleY(toUnitsY(r.bottom - r.top));
        SetWindowPos(child, nullptr, left, top, width, height, SWP_NOZORDER | SWP_NOACTIVATE);
    }
}

// The pages' controls lie over the tab strip, not inside it, so the dialog
// colours them: a theme may paint the page otherwise than the dialog, and
// the labels and boxes would stand on the page as grey boxes. The strip's own
// picture becomes the brush they are filled with.
void TSettingsDialog::MakePageBrush() {
    HWND tabs = Item(IDC_SETTINGS_TABS);
    RECT client{};
    GetClientRect(tabs, &client);
    if (client.right <= 0 || client.bottom <= 0) return;
    TWindowDC screen(tabs);
    TBitmap picture(CreateCompatibleBitmap(screen.DC(), client.right, client.bottom));
    TMemoryDC memory(CreateCompatibleDC(screen.DC()));
    if (!picture || !memory) return;
    {
        TSelectObject select(memory.Get(), picture.Get());
        FillRect(memory.Get(), &client, GetSysColorBrush(COLOR_BTNFACE));
        SendMessageW(tabs, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(memory.Get()), PRF_CLIENT | PRF_ERASEBKGND);
    }
    FPageBrush.Reset(CreatePatternBrush(picture.Get()));
    FPagePicture = std::move(picture);
}

// Labels, check boxes, radio buttons and group boxes of the pages (fields
// that cannot be typed in keep the look of a field).
bool TSettingsDialog::PageControlColors(HDC dc, HWND control, INT_PTR& result) {
    if (!FPageBrush || SettingsPageOfControl(GetDlgCtrlID(control)) < 0) return false;
    wchar_t className[16] = {};
    GetClassNameW(control, className, 16);
    if (lstrcmpiW(className, L"Static") != 0 && lstrcmpiW(className, L"Button") != 0) return false;
    // The brush's picture is the strip's: its origin goes to the strip's corner.
    POINT corner{0, 0};
    MapWindowPoints(Item(IDC_SETTINGS_TABS), control, &corner, 1);
    SetBrushOrgEx(dc, corner.x, corner.y, nullptr);
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, GetSysColor(COLOR_WINDOWTEXT));
    result = reinterpret_cast<INT_PTR>(FPageBrush.Get());
    return true;
}

void TSettingsDialog::StepPage(int32_t step) {
    SelectPage(((Page + step) % SettingsPageCount + SettingsPageCount) % SettingsPageCount);
    // A control of the page just hidden gives the focus to the tab strip.
    const HWND focus = GetFocus();
    if (!focus || !IsWindowVisible(focus)) SetFocus(Item(IDC_SETTINGS_TABS));
}

void TSettingsDialog::SelectPage(int32_t page) {
    if (page < 0 || page >= SettingsPageCount) return;
    Page = page;
    SendMessageW(Item(IDC_SETTINGS_TABS), TCM_SETCURSEL, static_cast<WPARAM>(page), 0);
    ShowPageControls();
}

void TSettingsDialog::ShowPageControls() {
    for (HWND child = GetWindow(Handle(), GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
        const int32_t page = SettingsPageOfControl(GetDlgCtrlID(child));
        if (page >= 0) ShowWindow(child, page == Page ? SW_SHOWNA : SW_HIDE);
    }
}

void TSettingsDialog::LoadFields(int32_t page) {
    const bool wasLoading = FLoading;
    FLoading = true;
    for (const TSettingsField& field : SettingsFields()) {
        if (page >= 0 && field.Page != page) continue;
        const int32_t value = Form.Value(field.Control);
        switch (field.Kind) {
            case TFieldKind::Check:
                SetChecked(field.Control, value != 0);
                break;
            case TFieldKind::Number:
                SetItemInt(field.Control, value);
                SpinSetPos(field.Control + 1, value);
                break;
            case TFieldKind::Choice:
                if (IsRadioGroup(field))
                    CheckRadioButton(Handle(), field.Control, field.Control + field.Max, field.Control + value);
                else
                    ComboSetIndex(field.Control, value);
                break;
            case TFieldKind::Text:
                if (field.Control == IDC_FONT_NAME)
                    FFontName.SetFontName(Form.Text(field.Control));
                else
                    SetItemText(field.Control, Form.Text(field.Control));
                break;
        }
    }
    FLoading = wasLoading;
}

void TSettingsDialog::ReadNumber(const TSettingsField& field) {
    // Text that is no number keeps the value the field had; a number out of
    // range is brought into it.
    const std::optional<int> typed = ItemInt(field.Control);
    if (!typed) return;
    Form.Values[field.Control] = std::max(field.Min, std::min(*typed, field.Max));
}

void TSettingsDialog::ReadFields() {
    for (const TSettingsField& field : SettingsFields()) {
        switch (field.Kind) {
            case TFieldKind::Check:
                Form.Values[field.Control] = Checked(field.Control) ? 1 : 0;
                break;
            case TFieldKind::Number:
                ReadNumber(field);
                break;
            case TFieldKind::Choice:
                if (IsRadioGroup(field)) {
                    for (int i = 0; i <= field.Max; ++i)
                        if (Checked(field.Control + i)) Form.Values[field.Control] = i;
                } else if (ComboIndex(field.Control) >= 0) {
                    Form.Values[field.Control] = ComboIndex(field.Control);
                }
                break;
            case TFieldKind::Text:
                if (field.Control != IDC_FONT_NAME)
                    Form.Texts[field.Control] = ItemText(field.Control);
                else if (!FFontName.FontName().empty())
                    Form.Texts[field.Control] = FFontName.FontName();
                break;
        }
    }
    Form.CustomColor = Checked(IDC_CUSTOM_COLOR);
    KeepSettingsBounds(Form);
}

// Each tab width bounds the other; red stays at or below yellow.
void TSettingsDialog::ApplyRanges() {
    for (int id : {IDC_MAX_TAB_WIDTH, IDC_MIN_TAB_WIDTH, IDC_RESOURCE_RED}) {
        const auto [min, max] = SettingsFieldRange(Form, id);
        SpinSetRange(id + 1, min, max);
    }
}

void TSettingsDialog::ApplyEnabling() {
    for (const auto& [id, enabled] : SettingsEnabling(Form)) EnableItem(id, enabled);
}

void TSettingsDialog::BDefaultClick() {
    ReadFields();
    ResetSettingsPage(Form, Page, Defaults);
    LoadFields(Page);
    switch (Page) {
        case spSound:
            FSound.Load();
            break;
        case spKeyboard:
            FKeyboard.Load();
            break;
        case spColor:
            FColor.Load();
            break;
        case spFolder2:
            FFolderLists.Load();
            break;
        default:
            break;
    }
    ApplyRanges();
    ApplyEnabling();
}

bool TSettingsDialog::OnCommand(int code, int id, HWND control) {
    if (id == IDC_SETTINGS_DEFAULT) {
        if (code == BN_CLICKED) BDefaultClick();
        return true;
    }
    if (FSound.Command(code, id) || FKeyboard.Command(code, id) || FColor.Command(code, id) ||
        FFolderLists.Command(code, id)) {
        if (id == IDC_CUSTOM_COLOR || id == IDC_WINDOWS_COLOR) ApplyEnabling();
        return true;
    }
    if (FLoading) return TDialog::OnCommand(code, id, control);
    const TSettingsField* field = FindSettingsField(id);
    if (!field && (id == IDC_SCROLL_CLICK_REPEAT || id == IDC_SCROLL_CLICK_SINGLE || id == IDC_FILER_EXPLORER ||
                   id == IDC_FILER_CUSTOM))
        field = FindSettingsField(id == IDC_FILER_EXPLORER || id == IDC_FILER_CUSTOM ? IDC_FILER_MY_COMPUTER
                                                                                     : IDC_SCROLL_POINT_REPEAT);
    if (field && code == BN_CLICKED) {
        ReadFields();
        ApplyEnabling();
        return true;
    }
    if (field && field->Kind == TFieldKind::Number && code == EN_CHANGE &&
        (id == IDC_MAX_TAB_WIDTH || id == IDC_MIN_TAB_WIDTH || id == IDC_RESOURCE_YELLOW)) {
        ReadNumber(*field);
        if (id == IDC_RESOURCE_YELLOW && Form.Value(IDC_RESOURCE_RED) > Form.Value(IDC_RESOURCE_YELLOW)) {
            SetSettingsNumber(Form, IDC_RESOURCE_YELLOW, Form.Value(IDC_RESOURCE_YELLOW));
            FLoading = true;
            SetItemInt(IDC_RESOURCE_RED, Form.Value(IDC_RESOURCE_RED));
            FLoading = false;
        }
        ApplyRanges();
        return true;
    }
    if (id == IDC_WALLPAPER_REFERENCE || id == IDC_FILER_REFERENCE) {
        if (code != BN_CLICKED) return true;
        const bool wallpaper = id == IDC_WALLPAPER_REFERENCE;
        const int edit = wallpaper ? IDC_WALLPAPER_NAME : IDC_FILER_NAME;
        std::string name = ItemText(edit);
        if (BrowseForFile(Handle(), wallpaper ? L"ビットマップ(*.bmp)\0*.bmp\0" : L"プログラム(*.exe)\0*.exe\0",
                          wallpaper ? L"bmp" : L"exe", wallpaper ? "壁紙の参照" : "ファイラーの参照", name))
            SetItemText(edit, name);
        return true;
    }
    return TDialog::OnCommand(code, id, control);
}

bool TSettingsDialog::OnNotify(int id, NMHDR& header, LRESULT& result) {
    if (id == IDC_SETTINGS_TABS && header.code == TCN_SELCHANGE) {
        SelectPage(static_cast<int32_t>(SendMessageW(header.hwndFrom, TCM_GETCURSEL, 0, 0)));
        result = 0;
        return true;
    }
    return false;
}

bool TSettingsDialog::OnMessage(UINT msg, WPARAM wParam, LPARAM lParam, INT_PTR& result) {
    if (msg == WM_CTLCOLORSTATIC)
        return PageControlColors(reinterpret_cast<HDC>(wParam), reinterpret_cast<HWND>(lParam), result);
    if (msg == WM_DRAWITEM) {
        const auto* item = reinterpret_cast<const DRAWITEMSTRUCT*>(lParam);
        if (!item || !FColor.DrawItem(*item)) return false;
        result = TRUE;
        return true;
    }
    if (msg == WM_VKEYTOITEM) {
        const int id = GetDlgCtrlID(reinterpret_cast<HWND>(lParam));
        // -2: the key was taken; -1: the list does what it does by default.
        result = FFolderLists.ListKey(id, LOWORD(wParam)) ? -2 : -1;
        return true;
    }
    return false;
}

bool TSettingsDialog::OnOK() {
    ReadFields();
    return true;
}

void TSettingsDialog::OnClose(int) {
    FPageKeys.reset();
    const int page = static_cast<int>(SendMessageW(Item(IDC_SETTINGS_TABS), TCM_GETCURSEL, 0, 0));
    if (page >= 0 && page < SettingsPageCount) Page = page;
}
