#include "dialogs/broken_links_dialog.h"

#include <commctrl.h>

#include "base/win_text.h"
#include "base/window_dpi.h"
#include "dialogs/broken_links_ids.h"
#include "text/text.h"

namespace {

const char kSummary[] = "リンク先が見つからないボタンが %d 個あります。";
const char kDeleteQuestion[] = "選択した %d 個のボタンを削除してもよろしいですか？";

// `width` in 96-DPI pixels, grown with the dialog's font.
void AddColumn(HWND list, int index, const char* caption, int width) {
    const std::wstring text = Widen(caption);
    LVCOLUMNW column{};
    column.mask = LVCF_TEXT | LVCF_WIDTH;
    column.pszText = const_cast<wchar_t*>(text.c_str());
    column.cx = ScaledForWindow(list, width);
    SendMessageW(list, LVM_INSERTCOLUMNW, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&column));
}

void SetCell(HWND list, int row, int column, const std::string& value) {
    const std::wstring text = Widen(value);
    LVITEMW item{};
    item.mask = LVIF_TEXT;
    item.iItem = row;
    item.iSubItem = column;
    item.pszText = const_cast<wchar_t*>(text.c_str());
    SendMessageW(list, column == 0 ? LVM_INSERTITEMW : LVM_SETITEMTEXTW, static_cast<WPARAM>(row),
                 reinterpret_cast<LPARAM>(&item));
}

}  // namespace

TBrokenLinksDialog::TBrokenLinksDialog() : TDialog(IDD_BROKEN_LINKS) {}

bool TBrokenLinksDialog::OnInit() {
    HWND list = Item(IDC_LINKS_LIST);
    SendMessageW(list, LVM_SETEXTENDEDLISTVIEWSTYLE, LVS_EX_FULLROWSELECT, LVS_EX_FULLROWSELECT);
    AddColumn(list, 0, "ページ", 100);
    AddColumn(list, 1, "タイトル", 150);
    AddColumn(list, 2, "リンク先", 260);
    FillList();
    CenterOnScreen();
    return true;
}

void TBrokenLinksDialog::FillList() {
    HWND list = Item(IDC_LINKS_LIST);
    SendMessageW(list, LVM_DELETEALLITEMS, 0, 0);
    for (size_t i = 0; i < Broken.size(); ++i) {
        const int row = static_cast<int>(i);
        SetCell(list, row, 0, Broken[i].PageCaption);
        SetCell(list, row, 1, Broken[i].Title);
        SetCell(list, row, 2, Broken[i].Target);
    }
    SetItemText(IDC_LINKS_SUMMARY, Format(kSummary, static_cast<int>(Broken.size())));
    UpdateButtons();
}

std::vector<size_t> TBrokenLinksDialog::Selected() const {
    std::vector<size_t> rows;
    HWND list = Item(IDC_LINKS_LIST);
    int row = -1;
    while ((row = static_cast<int>(SendMessageW(list, LVM_GETNEXTITEM, static_cast<WPARAM>(row), LVNI_SELECTED))) >= 0)
        rows.push_back(static_cast<size_t>(row));
    return rows;
}

void TBrokenLinksDialog::Select(const std::vector<size_t>& rows) {
    HWND list = Item(IDC_LINKS_LIST);
    LVITEMW item{};
    item.stateMask = LVIS_SELECTED;
    item.state = 0;
    SendMessageW(list, LVM_SETITEMSTATE, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(&item));
    item.state = LVIS_SELECTED;
    for (size_t row : rows) SendMessageW(list, LVM_SETITEMSTATE, row, reinterpret_cast<LPARAM>(&item));
    UpdateButtons();
}

void TBrokenLinksDialog::UpdateButtons() {
    const size_t selected = Selected().size();
    EnableItem(IDC_LINKS_PROPERTIES, selected == 1);
    EnableItem(IDC_LINKS_DELETE, selected > 0);
}

bool TBrokenLinksDialog::OnCommand(int code, int id, HWND control) {
    if (code == BN_CLICKED && id == IDC_LINKS_PROPERTIES) {
        Properties();
        return true;
    }
    if (code == BN_CLICKED && id == IDC_LINKS_DELETE) {
        Delete();
        return true;
    }
    return TDialog::OnCommand(code, id, control);
}

bool TBrokenLinksDialog::OnNotify(int id, NMHDR& header, LRESULT& result) {
    if (id != IDC_LINKS_LIST) return TDialog::OnNotify(id, header, result);
    if (header.code == LVN_ITEMCHANGED) UpdateButtons();
    if (header.code == NM_DBLCLK) Properties();
    result = 0;
    return true;
}

// A changed entry leaves the list: whether its new target is there is the
// next look's business.
void TBrokenLinksDialog::Properties() {
    const std::vector<size_t> rows = Selected();
    if (rows.size() != 1 || !OnProperties) return;
    if (!OnProperties(Broken[rows[0]])) return;
    Broken.erase(Broken.begin() + static_cast<std::ptrdiff_t>(rows[0]));
    FillList();
}

void TBrokenLinksDialog::Delete() {
    const std::vector<size_t> rows = Selected();
    if (rows.empty() || !OnDelete) return;
    if (ShowMessage(Format(kDeleteQuestion, static_cast<int>(rows.size())), MB_YESNOCANCEL | MB_ICONQUESTION) != IDYES)
        return;
    std::vector<TLinkCheck> chosen;
    for (size_t row : rows) chosen.push_back(Broken[row]);
    ForgetDeleted(Broken, OnDelete(chosen));
    FillList();
}
