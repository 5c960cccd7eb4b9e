#include "dialogs/entry_properties.h"

#include <commctrl.h>

#include "dialogs/icon_chooser.h"
#include "dialogs/organise_lists.h"
#include "dialogs/process_picker.h"
#include "launch/target_facts.h"
#include "text/text.h"

namespace {

const char kProgramFilter[] = "プログラム(*.exe, *.lnk, *.pif)|*.exe;*.lnk;*.pif|全てのファイル(*.*)|*.*";
const char kIconFilter[] = "アイコン(*.exe, *.dll, *.ico)|*.exe;*.dll;*.ico|全てのファイル(*.*)|*.*";

struct TTextLimit {
    int Id;
    int Limit;
};
const TTextLimit kLimits[] = {{IDC_ENT_TITLE, 32}, {IDC_ENT_LINK, 255}, {IDC_ENT_KEYWORD, 32}, {IDC_ENT_ICON, 255}};

}  // namespace

bool TEntryPropertiesDialog::OnInit() {
    UseJapaneseFont(Handle());
    PlaceInPixels(Handle(), 329, 306);
    FLoading = true;
    for (const TTextLimit& limit : kLimits) SendMessageW(Item(limit.Id), EM_LIMITTEXT, limit.Limit, 0);
    ComboSetItems(IDC_ENT_SHOW, {"通常のウィンドウ", "最大化", "最小化"});
    SpinSetRange(IDC_ENT_ICON_SPIN, IconIndexMin, IconIndexMax);
    if (Mode == TEntryDialogMode::Several) {
        for (int id : {IDC_ENT_LINK_LABEL, IDC_ENT_LINK, IDC_ENT_TITLE_LABEL, IDC_ENT_TITLE, IDC_ENT_ICON,
                       IDC_ENT_ICON_INDEX, IDC_ENT_ICON_SPIN, IDC_ENT_BROWSE, IDC_ENT_PROCESS, IDC_ENT_CHANGE_ICON})
            EnableItem(id, false);
        // A check the entries do not share shows as neither, and stays so
        // unless the user sets it.
        SendMessageW(Item(IDC_ENT_FORBIDDEN), BM_SETSTYLE, BS_AUTO3STATE, TRUE);
    }
    ShowFields();
    FLoading = false;
    UpdateOk();
    return true;
}

void TEntryPropertiesDialog::ShowFields() {
    SetItemText(IDC_ENT_LINK, Fields.LinkTo);
    SetItemText(IDC_ENT_TITLE, Fields.Title);
    SetItemText(IDC_ENT_KEYWORD, Fields.Keyword);
    SetItemText(IDC_ENT_ARGUMENTS, Fields.Arguments);
    SetItemText(IDC_ENT_FOLDER, Fields.WorkingDir);
    ComboSetIndex(IDC_ENT_SHOW, Fields.ShowItem);
    CheckDlgButton(Handle(), IDC_ENT_FORBIDDEN,
                   Fields.Forbidden == TCheckState::On      ? BST_CHECKED
                   : Fields.Forbidden == TCheckState::Mixed ? BST_INDETERMINATE
                                                            : BST_UNCHECKED);
    SetItemText(IDC_ENT_ICON, Fields.IconPath);
    SpinSetPos(IDC_ENT_ICON_SPIN, Fields.IconIndex);
    SetItemInt(IDC_ENT_ICON_INDEX, Fields.IconIndex);
}

void TEntryPropertiesDialog::ReadFields() {
    if (LinkEnabled()) {
        Fields.LinkTo = ItemText(IDC_ENT_LINK);
        Fields.Title = ItemText(IDC_ENT_TITLE);
        Fields.IconPath = ItemText(IDC_ENT_ICON);
        Fields.IconIndex = SpinValue(ItemText(IDC_ENT_ICON_INDEX), IconIndexMin, IconIndexMax, Fields.IconIndex);
    }
    Fields.Keyword = ItemText(IDC_ENT_KEYWORD);
    Fields.Arguments = ItemText(IDC_ENT_ARGUMENTS);
    Fields.WorkingDir = ItemText(IDC_ENT_FOLDER);
    Fields.ShowItem = ComboIndex(IDC_ENT_SHOW);
    const UINT check = IsDlgButtonChecked(Handle(), IDC_ENT_FORBIDDEN);
    Fields.Forbidden = check == BST_CHECKED         ? TCheckState::On
                       : check == BST_INDETERMINATE ? TCheckState::Mixed
                                                    : TCheckState::Off;
}

void TEntryPropertiesDialog::UpdateOk() {
    if (Mode == TEntryDialogMode::ViewOnly) {
        EnableItem(IDOK, false);
        return;
    }
    // Several entries need nothing typed: OK stays as it is.
    if (!LinkEnabled()) return;
    EnableItem(IDOK, EntryOkEnabled(false, ItemText(IDC_ENT_TITLE), ItemText(IDC_ENT_LINK), ComboIndex(IDC_ENT_SHOW)));
}

bool TEntryPropertiesDialog::OnCommand(int code, int id, HWND control) {
    // While OK's look runs, Esc stops it and anything else the user does
    // makes what it looks at out of date: the dialog stays open either way.
    const bool userChange = code == EN_CHANGE || code == CBN_SELCHANGE || code == BN_CLICKED;
    if (Checking() && userChange && id != IDOK) {
        CancelCheck();
        if (id == IDCANCEL) return true;
    }
    if (code == EN_CHANGE) {
        if (id == IDC_ENT_TITLE || id == IDC_ENT_LINK || id == IDC_ENT_KEYWORD) UpdateOk();
        if (!FLoading) {
            Touched.Keyword |= id == IDC_ENT_KEYWORD;
            Touched.Arguments |= id == IDC_ENT_ARGUMENTS;
            Touched.WorkingDir |= id == IDC_ENT_FOLDER;
            if (id == IDC_ENT_ICON && ItemText(IDC_ENT_ICON).empty()) {
                SpinSetPos(IDC_ENT_ICON_SPIN, 0);
                SetItemInt(IDC_ENT_ICON_INDEX, 0);
            }
        }
        return true;
    }
    if (id == IDC_ENT_SHOW && code == CBN_SELCHANGE) {
        UpdateOk();
        return true;
    }
    if (code == BN_CLICKED) {
        switch (id) {
            case IDC_ENT_BROWSE:
                Browse();
                return true;
            case IDC_ENT_PROCESS:
                PickProcess();
                return true;
            case IDC_ENT_CHANGE_ICON:
                ChangeIcon();
                return true;
            default:
                break;
        }
    }
    return TDialog::OnCommand(code, id, control);
}

bool TEntryPropertiesDialog::OnOK() {
    if (Mode == TEntryDialogMode::ViewOnly || Checking()) return false;
    ReadFields();
    // The button may be reached while disabled (Enter in an edit box).
    if (LinkEnabled() && !EntryOkEnabled(false, Fields.Title, Fields.LinkTo, Fields.ShowItem)) return false;
    BeginCheck();
    // The check closes the dialog itself once it agrees.
    return false;
}

TTargetProbe& TEntryPropertiesDialog::Probe() {
    if (FHost.Probe) return *FHost.Probe;
    if (!FOwnProbe) FOwnProbe = std::make_unique<TTargetProbe>();
    return *FOwnProbe;
}

void TEntryPropertiesDialog::BeginCheck() {
    auto check = std::make_shared<TCheck>();
    FCheck = check;
    const std::vector<std::string> paths = EntryCheckPaths(Fields, LinkEnabled());
    // One more than the paths, taken back below: answers known already come
    // back inside Ask, and the last one must not end the check before every
    // question is out.
    check->Outstanding = paths.size() + 1;
    auto answered = [this, check] {
        if (FCheck == check && --check->Outstanding == 0) CheckAnswered();
    };
    for (const std::string& path : paths) {
        const std::string key = TargetKey(path);
        const TTargetProbe::TTicket ticket = Probe().Ask(
            path, tqKind,
            [check, key, answered](const TTargetAnswer& answer) {
                check->Kinds[key] = answer.Facts.Kind;
                answered();
            },
            TTargetProbe::TDelivery::Now);
        if (ticket) check->Tickets.push_back(ticket);
    }
    answered();
    if (FCheck == check) ShowChecking(true);
}

void TEntryPropertiesDialog::CheckAnswered() {
    const std::shared_ptr<TCheck> check = std::move(FCheck);
    FCheck = nullptr;
    ShowChecking(false);
    auto look = [&check](const std::string& path) {
        auto it = check->Kinds.find(TargetKey(path));
        return it == check->Kinds.end() ? TTargetKind::Unknown : it->second;
    };
    const TEntryCheck result = CheckEntryFields(Fields, LinkEnabled(), look);
    if (result.Ok()) {
        EndDialog(IDOK);
        return;
    }
    ShowMessage(result.Message, MB_OK | MB_ICONERROR);
    const int focus = result.Field == TEntryField::LinkTo       ? IDC_ENT_LINK
                      : result.Field == TEntryField::WorkingDir ? IDC_ENT_FOLDER
                                                                : IDC_ENT_ICON;
    SendMessageW(Handle(), WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(Item(focus)), TRUE);
}

void TEntryPropertiesDialog::CancelCheck() {
    if (!FCheck) return;
    const std::shared_ptr<TCheck> check = std::move(FCheck);
    FCheck = nullptr;
    for (TTargetProbe::TTicket ticket : check->Tickets) Probe().Cancel(ticket);
    ShowChecking(false);
}

void TEntryPropertiesDialog::ShowChecking(bool checking) {
    if (!Handle()) return;
    if (checking) {
        // A disabled button keeps no keyboard: Esc must still reach the dialog.
        if (GetFocus() == Item(IDOK))
            SendMessageW(Handle(), WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(Item(IDCANCEL)), TRUE);
        EnableItem(IDOK, false);
    } else {
        UpdateOk();
    }
    SetCursor(LoadCursor(nullptr, checking ? IDC_APPSTARTING : IDC_ARROW));
}

bool TEntryPropertiesDialog::OnMessage(UINT msg, WPARAM wParam, LPARAM lParam, INT_PTR& result) {
    // Over the dialog the pointer says that work goes on in the background.
    if (msg == WM_SETCURSOR && Checking()) {
        SetCursor(LoadCursor(nullptr, IDC_APPSTARTING));
        SetWindowLongPtrW(Handle(), DWLP_MSGRESULT, TRUE);
        result = TRUE;
        return true;
    }
    return TDialog::OnMessage(msg, wParam, lParam, result);
}

void TEntryPropertiesDialog::OnClose(int result) {
    CancelCheck();
    TDialog::OnClose(result);
}

void TEntryPropertiesDialog::Browse() {
    const std::string current = ItemText(IDC_ENT_LINK);
    std::string initial;
    int filter = 1;
    // Only what is known already: the dialog does not wait for a drive to
    // offer the current file in the chooser.
    const TTargetAnswer* known = current.empty() ? nullptr : Probe().Known(current, tqKind);
    if (known && known->Facts.Kind == TTargetKind::File) {
        initial = current;
        const std::string ext = AsciiLowerCase(ExtractFileExt(current));
        filter = ext == ".exe" || ext == ".lnk" || ext == ".pif" ? 1 : 2;
    }
    const std::string chosen = AskOpenFile(Handle(), "リンク先の参照", kProgramFilter, initial, filter, "exe");
    if (chosen.empty()) return;
    ReadFields();
    TakeProgram(Fields, chosen);
    SetItemText(IDC_ENT_TITLE, Fields.Title);
    SetItemText(IDC_ENT_LINK, Fields.LinkTo);
    SetItemText(IDC_ENT_KEYWORD, Fields.Keyword);
}

void TEntryPropertiesDialog::PickProcess() {
    TProcessPickerDialog picker(FHost.IsNT);
    FHost.Over(Handle()).Prepare(picker, HelpTopicOf(THelpWindow::ProcessPicker));
    if (picker.ShowModal(Handle()) != IDOK || !picker.Chosen) return;
    TakeProgram(Fields, picker.Chosen->Folder + picker.Chosen->Name);
    SetItemText(IDC_ENT_TITLE, Fields.Title);
    SetItemText(IDC_ENT_LINK, Fields.LinkTo);
    SetItemText(IDC_ENT_KEYWORD, Fields.Keyword);
}

void TEntryPropertiesDialog::ChangeIcon() {
    std::string initial = ItemText(IDC_ENT_ICON);
    if (initial.empty()) initial = ItemText(IDC_ENT_LINK);
    const std::string file = AskOpenFile(Handle(), "アイコンファイルの参照", kIconFilter, initial, 1, "");
    if (file.empty()) return;
    TIconChooserDialog chooser(file);
    FHost.Over(Handle()).Prepare(chooser);
    if (FHost.Over(Handle()).Run(chooser) != IDOK || chooser.Chosen < 0) return;
    SetItemText(IDC_ENT_ICON, file);
    SpinSetPos(IDC_ENT_ICON_SPIN, chooser.Chosen);
    SetItemInt(IDC_ENT_ICON_INDEX, chooser.Chosen);
}

bool EditButton(const TDialogHost& host, TPlatform& platform, TVantorButton& entry, bool viewOnly) {
    LoadListViewControls();  // the up-down control
    TEntryPropertiesDialog dialog(host, platform);
    host.Prepare(dialog, HelpTopicOf(THelpWindow::EntryProperties));
    dialog.Mode = viewOnly ? TEntryDialogMode::ViewOnly : TEntryDialogMode::One;
    dialog.Fields = EntryFieldsOf(entry);
    if (host.Run(dialog) != IDOK || viewOnly) return false;
    StoreEntryFields(dialog.Fields, entry);
    return true;
}

bool EditButtons(const TDialogHost& host, TPlatform& platform, TVantorPage& page, const TIndexList& selected) {
    LoadListViewControls();
    TEntryPropertiesDialog dialog(host, platform);
    host.Prepare(dialog, HelpTopicOf(THelpWindow::EntryProperties));
    dialog.Mode = TEntryDialogMode::Several;
    dialog.Fields = SharedEntryFields(page, selected);
    if (host.Run(dialog) != IDOK) return false;
    ApplyEntryFields(dialog.Fields, dialog.Touched, page, selected);
    return true;
}
