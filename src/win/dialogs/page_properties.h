// The page-properties dialog: caption, view style and sizes of one page, or
// only the view style of several.
#pragma once

#include "base/dialog.h"
#include "dialogs/organise_host.h"
#include "dialogs/organise_ids.h"
#include "dialogs/properties.h"

class TPagePropertiesDialog : public TDialog {
public:
    TPagePropertiesDialog() : TDialog(IDD_PAGE_PROPERTIES) {}

    TPageFields Fields;
    bool Several = false;  // only the view style can be chosen

protected:
    bool OnInit() override;
    bool OnCommand(int code, int id, HWND control) override;
    bool OnOK() override;

private:
    void UpdateOk();
    void UpdateSizeRows();
    void ShowSizes();
};

// Edits one page; true after OK.
bool EditPage(const TDialogHost& host, TVantorPage& page);
// Sets the view style of the selected pages; true after OK.
bool EditPages(const TDialogHost& host, TVantorManager& pages, const TIndexList& selected);
