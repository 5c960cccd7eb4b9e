#include "dialogs/page_properties.h"

#include <commctrl.h>

#include "dialogs/organise_lists.h"

namespace {

const char* const kViewStyles[ViewStyleCount] = {"大きいアイコン",
                                                 "小さいアイコン",
                                                 "大きいアイコンとタイトル",
                                                 "小さいアイコンと長いタイトル",
                                                 "小さいアイコンと短いタイトル",
                                                 "小さいアイコンと1行のタイトル",
                                                 "特大のアイコン",
                                                 "特大のアイコンとタイトル"};

struct TSizeRow {
    int Label, Edit, Spin, Unit, Minimum, Maximum;
};
const TSizeRow kRows[] = {
    {IDC_PAGE_WIDTH_LABEL, IDC_PAGE_WIDTH, IDC_PAGE_WIDTH_SPIN, IDC_PAGE_WIDTH_UNIT, ButtonWidthMin, ButtonWidthMax},
    {IDC_PAGE_TITLE_LABEL, IDC_PAGE_TITLE, IDC_PAGE_TITLE_SPIN, IDC_PAGE_TITLE_UNIT, TitleWidthMin, TitleWidthMax},
    {IDC_PAGE_MARGIN_LABEL, IDC_PAGE_MARGIN, IDC_PAGE_MARGIN_SPIN, IDC_PAGE_MARGIN_UNIT, MarginMin, MarginMax}};

}  // namespace

bool TPagePropertiesDialog::OnInit() {
    UseJapaneseFont(Handle());
    PlaceInPixels(Handle(), 329, 227);
    SendMessageW(Item(IDC_PAGE_CAPTION), EM_LIMITTEXT, PageCaptionLimit, 0);
    ComboSetItems(IDC_PAGE_STYLE, std::vector<std::string>(std::begin(kViewStyles), std::end(kViewStyles)));
    for (const TSizeRow& row : kRows) SpinSetRange(row.Spin, row.Minimum, row.Maximum);
    if (Several) {
        EnableItem(IDC_PAGE_CAPTION_LABEL, false);
        EnableItem(IDC_PAGE_CAPTION, false);
        EnableItem(IDC_PAGE_DEFAULT, false);
        for (const TSizeRow& row : kRows)
            for (int id : {row.Label, row.Edit, row.Spin, row.Unit}) EnableItem(id, false);
        ComboSetIndex(IDC_PAGE_STYLE, -1);
    } else {
        SetItemText(IDC_PAGE_CAPTION, Fields.Caption);
        ComboSetIndex(IDC_PAGE_STYLE, Fields.ViewStyle);
        SetChecked(IDC_PAGE_DEFAULT, Fields.DefaultLayout);
        ShowSizes();
        UpdateSizeRows();
    }
    UpdateOk();
    return true;
}

void TPagePropertiesDialog::ShowSizes() {
    SpinSetPos(IDC_PAGE_WIDTH_SPIN, Fields.ButtonWidth);
    SpinSetPos(IDC_PAGE_TITLE_SPIN, Fields.TitleWidth);
    SpinSetPos(IDC_PAGE_MARGIN_SPIN, Fields.Margin);
    SetItemInt(IDC_PAGE_WIDTH, Fields.ButtonWidth);
    SetItemInt(IDC_PAGE_TITLE, Fields.TitleWidth);
    SetItemInt(IDC_PAGE_MARGIN, Fields.Margin);
}

void TPagePropertiesDialog::UpdateSizeRows() {
    if (Several) return;
    const bool custom = !Checked(IDC_PAGE_DEFAULT);
    for (const TSizeRow& row : kRows)
        for (int id : {row.Label, row.Edit, row.Spin, row.Unit}) EnableItem(id, custom);
}

void TPagePropertiesDialog::UpdateOk() {
    EnableItem(IDOK, PageOkEnabled(!Several, ItemText(IDC_PAGE_CAPTION), ComboIndex(IDC_PAGE_STYLE)));
}

bool TPagePropertiesDialog::OnCommand(int code, int id, HWND control) {
    if (id == IDC_PAGE_CAPTION && code == EN_CHANGE) {
        UpdateOk();
        return true;
    }
    if (id == IDC_PAGE_STYLE && code == CBN_SELCHANGE) {
        if (!Several) {
            ChooseViewStyle(Fields, ComboIndex(IDC_PAGE_STYLE));
            ShowSizes();
        }
        UpdateOk();
        return true;
    }
    if (id == IDC_PAGE_DEFAULT && code == BN_CLICKED) {
        UpdateSizeRows();
        return true;
    }
    return TDialog::OnCommand(code, id, control);
}

bool TPagePropertiesDialog::OnOK() {
    const int style = ComboIndex(IDC_PAGE_STYLE);
    if (!PageOkEnabled(!Several, ItemText(IDC_PAGE_CAPTION), style)) return false;
    Fields.ViewStyle = style;
    if (Several) return true;
    Fields.Caption = ItemText(IDC_PAGE_CAPTION);
    Fields.DefaultLayout = Checked(IDC_PAGE_DEFAULT);
    // Spin edits clamp what was typed; text that is no number keeps the value shown before.
    Fields.ButtonWidth = SpinValue(ItemText(IDC_PAGE_WIDTH), ButtonWidthMin, ButtonWidthMax, Fields.ButtonWidth);
    Fields.TitleWidth = SpinValue(ItemText(IDC_PAGE_TITLE), TitleWidthMin, TitleWidthMax, Fields.TitleWidth);
    Fields.Margin = SpinValue(ItemText(IDC_PAGE_MARGIN), MarginMin, MarginMax, Fields.Margin);
    return true;
}

bool EditPage(const TDialogHost& host, TVantorPage& page) {
    LoadListViewControls();  // the up-down controls
    TPagePropertiesDialog dialog;
    host.Prepare(dialog, HelpTopicOf(THelpWindow::PageProperties));
    dialog.Fields = PageFieldsOf(page);
    if (host.Run(dialog) != IDOK) return false;
    StorePageFields(dialog.Fields, page);
    return true;
}

bool EditPages(const TDialogHost& host, TVantorManager& pages, const TIndexList& selected) {
    LoadListViewControls();
    TPagePropertiesDialog dialog;
    host.Prepare(dialog, HelpTopicOf(THelpWindow::PageProperties));
    dialog.Several = true;
    if (host.Run(dialog) != IDOK) return false;
    ApplyViewStyle(dialog.Fields.ViewStyle, pages, selected);
    return true;
}
