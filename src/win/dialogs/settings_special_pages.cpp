#include "dialogs/settings_special_pages.h"

#include <commdlg.h>
#include <shlobj.h>

#include "app/desktop_services.h"
#include "base/handles.h"
#include "base/win_text.h"
#include "settings/name_value.h"
#include "settings/sounds.h"
#include "shell/id_list.h"
#include "text/text.h"

namespace {

const char kFolderLimit[] = "登録できるフォルダは%d個までです。";
const char kBrowseFolderTitle[] = "メニューに追加するフォルダを指定してください。";
const char kSoundBrowseTitle[] = "サウンドの参照";
const char kHotKeyFailed[] = "他のプログラムが使用中のため登録できませんでした。";
const char kHotKeyFailedMark[] = "（登録できません）";

std::vector<std::string> EventCaptions() {
    std::vector<std::string> captions;
    for (const TSoundEventInfo& event : SoundEventTable()) captions.push_back(event.Caption);
    return captions;
}

std::vector<std::string> SoundKindCaptions() {
    std::vector<std::string> captions;
    for (const TSoundChoice& choice : SoundChoiceTable()) captions.push_back(choice.Caption);
    return captions;
}

}  // namespace

bool BrowseForFile(HWND owner, const wchar_t* filter, const wchar_t* defaultExt, const std::string& title,
                   std::string& fileName) {
    std::wstring buffer = Widen(fileName);
    buffer.resize(std::max<size_t>(buffer.size() + 1, MAX_PATH * 2), L'\0');
    const std::wstring caption = Widen(title);
    OPENFILENAMEW ofn{};
    ofn.lStructSize = sizeof(ofn);
    ofn.hwndOwner = owner;
    ofn.lpstrFilter = filter;
    ofn.lpstrFile = buffer.data();
    ofn.nMaxFile = static_cast<DWORD>(buffer.size());
    ofn.lpstrTitle = caption.c_str();
    ofn.lpstrDefExt = defaultExt;
    ofn.Flags = OFN_HIDEREADONLY | OFN_FILEMUSTEXIST | OFN_PATHMUSTEXIST | OFN_ENABLESIZING | OFN_EXPLORER;
    if (!GetOpenFileNameW(&ofn)) return false;
    // A name that code page 932 cannot spell would name another file.
    std::string chosen;
    if (!NarrowExact(buffer.c_str(), chosen)) return false;
    fileName = chosen;
    return true;
}

// ---------------------------------------------------------------- sounds

void TSoundPage::Create() {
    Dialog.ComboSetItems(IDC_SOUND_ACTION, EventCaptions());
    Dialog.ComboSetItems(IDC_SOUND_KIND, SoundKindCaptions());
}

void TSoundPage::Load() {
    if (Dialog.ComboIndex(IDC_SOUND_ACTION) < 0) Dialog.ComboSetIndex(IDC_SOUND_ACTION, 0);
    CSoundActionChange();
}

std::string TSoundPage::EventName() const {
    const int index = Dialog.ComboIndex(IDC_SOUND_ACTION);
    if (index < 0 || index >= SoundEventCount) return std::string();
    return SoundEventTable()[static_cast<size_t>(index)].Name;
}

void TSoundPage::Store(const std::string& value) {
    const std::string name = EventName();
    if (!name.empty()) SetListValue(Form.Sounds, name, value);
}

void TSoundPage::CSoundActionChange() {
    Dialog.ComboSetIndex(IDC_SOUND_KIND, SoundKindOf(ListValue(Form.Sounds, EventName())));
    CSoundKindChange();
}

void TSoundPage::CSoundKindChange() {
    const int kind = Dialog.ComboIndex(IDC_SOUND_KIND);
    const bool file = kind == SoundKindFile;
    FQuiet = true;
    if (file) {
        const std::string value = ListValue(Form.Sounds, EventName());
        Dialog.SetItemText(IDC_SOUND_FILE, !value.empty() && value[0] != '*' ? value : std::string());
    } else {
        if (kind >= 0) Store(SoundValueOfKind(kind, ""));
        Dialog.SetItemText(IDC_SOUND_FILE, "");
    }
    FQuiet = false;
    for (int id : {IDC_SOUND_FILE_LABEL, IDC_SOUND_FILE, IDC_SOUND_REFERENCE}) Dialog.EnableItem(id, file);
}

bool TSoundPage::Command(int code, int id) {
    switch (id) {
        case IDC_SOUND_ACTION:
            if (code == CBN_SELCHANGE) CSoundActionChange();
            return true;
        case IDC_SOUND_KIND:
            if (code == CBN_SELCHANGE) CSoundKindChange();
            return true;
        case IDC_SOUND_FILE:
            if (code == EN_CHANGE && !FQuiet && Dialog.ComboIndex(IDC_SOUND_KIND) == SoundKindFile)
                Store(Dialog.ItemText(IDC_SOUND_FILE));
            return true;
        case IDC_SOUND_REFERENCE: {
            if (code != BN_CLICKED) return true;
            std::string name = Dialog.ItemText(IDC_SOUND_FILE);
            if (BrowseForFile(Dialog.Handle(), L"サウンド(*.wav)\0*.wav\0", L"wav", kSoundBrowseTitle, name)) {
                Dialog.SetItemText(IDC_SOUND_FILE, name);  // stored through EN_CHANGE
                Store(name);
            }
            return true;
        }
        case IDC_SOUND_TEST:
            if (code == BN_CLICKED && Dialog.Services)
                Dialog.Services->PlaySoundValue(ListValue(Form.Sounds, EventName()));
            return true;
        default:
            return false;
    }
}

// ---------------------------------------------------------------- keys

void TKeyboardPage::Create() {
    std::vector<std::string> captions;
    for (int32_t i = 0; i < ActionCount; ++i) {
        std::string caption = ActionTable()[static_cast<size_t>(i)].Caption;
        if (FHotKeyFailed[static_cast<size_t>(i)]) caption += kHotKeyFailedMark;
        captions.push_back(caption);
    }
    Dialog.ListSetItems(IDC_KEY_ACTION, captions);
    FHotKey.Attach(Dialog.Item(IDC_HOT_KEY));
    FShortCut.Attach(Dialog.Item(IDC_SHORT_CUT));
    FHotKey.OnChange = [this](TComponent&) { KeyChanged(FHotKey); };
    FShortCut.OnChange = [this](TComponent&) { KeyChanged(FShortCut); };
}

void TKeyboardPage::Load() {
    if (SelectedAction() < 0) Dialog.ListSetIndex(IDC_KEY_ACTION, 0);
    LActionClick();
}

int TKeyboardPage::SelectedAction() const {
    const int index = Dialog.ListIndex(IDC_KEY_ACTION);
    return index >= 0 && index < ActionCount ? index : -1;
}

void TKeyboardPage::LActionClick() {
    const int action = SelectedAction();
    if (action < 0) return;
    const bool hotKey = ActionHotKey(action);
    Dialog.EnableItem(IDC_HOT_KEY_LABEL, hotKey);
    Dialog.EnableItem(IDC_HOT_KEY, hotKey);
    Dialog.EnableItem(IDC_SHORT_CUT_LABEL, !hotKey);
    Dialog.EnableItem(IDC_SHORT_CUT, !hotKey);
    // SetHotKey raises no change: showing a key stores nothing.
    const uint16_t key = ActionKeyOf(Form.ShortCuts, action);
    FHotKey.SetHotKey(hotKey ? key : 0);
    FShortCut.SetHotKey(hotKey ? 0 : key);
    Dialog.SetItemText(IDC_HOT_KEY_FAILED, FHotKeyFailed[static_cast<size_t>(action)] ? kHotKeyFailed : "");
}

void TKeyboardPage::KeyChanged(THotKeyEx& field) {
    const int action = SelectedAction();
    if (action < 0) return;
    // Only the field the action uses; the other is disabled anyway.
    if ((&field == &FHotKey) != ActionHotKey(action)) return;
    SetActionKey(Form.ShortCuts, action, field.HotKey());
}

bool TKeyboardPage::Command(int code, int id) {
    if (id != IDC_KEY_ACTION) return false;
    if (code == LBN_SELCHANGE) LActionClick();
    return true;
}

// ---------------------------------------------------------------- colours

COLORREF TColorPage::ShownColor(uint32_t color) {
    if (color & 0x80000000u) return GetSysColor(static_cast<int>(color & 0xFF));
    return static_cast<COLORREF>(color & 0xFFFFFF);
}

void TColorPage::Load() {
    Dialog.SetChecked(IDC_WINDOWS_COLOR, !Form.CustomColor);
    Dialog.SetChecked(IDC_CUSTOM_COLOR, Form.CustomColor);
    for (int i = 0; i < ColorCount; ++i) InvalidateRect(Dialog.Item(IDC_COLOR_BUTTON0 + i), nullptr, TRUE);
}

bool TColorPage::Command(int code, int id) {
    if (id == IDC_WINDOWS_COLOR || id == IDC_CUSTOM_COLOR) {
        if (code == BN_CLICKED) Form.CustomColor = Dialog.Checked(IDC_CUSTOM_COLOR);
        return true;
    }
    if (id < IDC_COLOR_BUTTON0 || id >= IDC_COLOR_BUTTON0 + ColorCount) return false;
    if (code != BN_CLICKED) return true;
    const size_t index = static_cast<size_t>(id - IDC_COLOR_BUTTON0);
    CHOOSECOLORW choose{};
    choose.lStructSize = sizeof(choose);
    choose.hwndOwner = Dialog.Handle();
    choose.rgbResult = ShownColor(Form.Colors[index]);
    choose.lpCustColors = FCustomColors.data();
    choose.Flags = CC_RGBINIT | CC_ANYCOLOR;
    if (ChooseColorW(&choose)) {
        Form.Colors[index] = choose.rgbResult & 0xFFFFFF;
        InvalidateRect(Dialog.Item(id), nullptr, TRUE);
    }
    return true;
}

bool TColorPage::DrawItem(const DRAWITEMSTRUCT& item) {
    const int id = static_cast<int>(item.CtlID);
    if (id < IDC_COLOR_BUTTON0 || id >= IDC_COLOR_BUTTON0 + ColorCount) return false;
    RECT r = item.rcItem;
    const bool pressed = (item.itemState & ODS_SELECTED) != 0;
    const bool disabled = (item.itemState & ODS_DISABLED) != 0;
    DrawFrameControl(item.hDC, &r, DFC_BUTTON, DFCS_BUTTONPUSH | (pressed ? DFCS_PUSHED : 0));
    // The colour inset from the edges, a pixel further while pressed.
    const int inset = pressed ? 5 : 4;
    RECT swatch{r.left + inset, r.top + inset, r.right - inset, r.bottom - inset};
    if (swatch.right > swatch.left && swatch.bottom > swatch.top) {
        TBrush fill(CreateSolidBrush(disabled ? GetSysColor(COLOR_BTNFACE)
                                              : ShownColor(Form.Colors[static_cast<size_t>(id - IDC_COLOR_BUTTON0)])));
        FillRect(item.hDC, &swatch, fill.Get());
        FrameRect(item.hDC, &swatch, static_cast<HBRUSH>(GetStockObject(disabled ? GRAY_BRUSH : BLACK_BRUSH)));
    }
    if (item.itemState & ODS_FOCUS) {
        RECT focus{r.left + 2, r.top + 2, r.right - 2, r.bottom - 2};
        DrawFocusRect(item.hDC, &focus);
    }
    return true;
}

// ---------------------------------------------------------------- lists

void TFolderListPage::Load() {
    Dialog.ListSetItems(IDC_CUSTOM_FOLDERS, Form.CustomFolders.Items());
    Dialog.ListSetItems(IDC_CUSTOM_EXTS, Form.CustomExts.Items());
}

void TFolderListPage::BAddFolderClick() {
    if (static_cast<int32_t>(Form.CustomFolders.Count()) >= MaxCustomFolders) {
        Dialog.ShowMessage(Format(kFolderLimit, MaxCustomFolders), MB_OK | MB_ICONERROR);
        return;
    }
    const std::wstring title = Widen(kBrowseFolderTitle);
    BROWSEINFOW info{};
    info.hwndOwner = Dialog.Handle();
    info.lpszTitle = title.c_str();
    info.ulFlags = BIF_RETURNONLYFSDIRS;
    TIDList chosen(SHBrowseForFolderW(&info));
    if (!chosen) return;
    const std::string path = IDListToPath(chosen.get());
    if (path.empty()) return;
    Form.CustomFolders.Add(path);
    Load();
    Dialog.ListSetIndex(IDC_CUSTOM_FOLDERS, Form.CustomFolders.IndexOf(path));
}

void TFolderListPage::BAddExtClick() {
    const std::string typed = Dialog.ItemText(IDC_EXT);
    if (typed.empty()) return;
    AddCustomExt(Form.CustomExts, typed);
    Dialog.SetItemText(IDC_EXT, "");
    Load();
}

void TFolderListPage::DeleteSelected(int id) {
    TSortedTextList& list = id == IDC_CUSTOM_FOLDERS ? Form.CustomFolders : Form.CustomExts;
    const int index = Dialog.ListIndex(id);
    if (index < 0 || index >= static_cast<int>(list.Count())) return;
    list.Delete(static_cast<size_t>(index));
    Load();
    const int count = static_cast<int>(list.Count());
    if (count > 0) Dialog.ListSetIndex(id, std::min(index, count - 1));
}

bool TFolderListPage::ListKey(int id, int key) {
    if (key != VK_DELETE || (id != IDC_CUSTOM_FOLDERS && id != IDC_CUSTOM_EXTS)) return false;
    DeleteSelected(id);
    return true;
}

bool TFolderListPage::Command(int code, int id) {
    if (code != BN_CLICKED) return id == IDC_CUSTOM_FOLDERS || id == IDC_CUSTOM_EXTS || id == IDC_EXT;
    switch (id) {
        case IDC_ADD_FOLDER:
            BAddFolderClick();
            return true;
        case IDC_DELETE_FOLDER:
            DeleteSelected(IDC_CUSTOM_FOLDERS);
            return true;
        case IDC_ADD_EXT:
            BAddExtClick();
            return true;
        case IDC_DELETE_EXT:
            DeleteSelected(IDC_CUSTOM_EXTS);
            return true;
        default:
            return false;
    }
}
