// The entry-properties dialog: every field of one entry, the shared fields
// of several, or one entry shown without allowing changes.
#pragma once

#include "base/dialog.h"
#include "dialogs/organise_host.h"
#include "dialogs/organise_ids.h"
#include "dialogs/properties.h"
#include "platform.h"

enum class TEntryDialogMode { One, Several, ViewOnly };

class TEntryPropertiesDialog : public TDialog {
public:
    TEntryPropertiesDialog(const TDialogHost& host, TPlatform& platform)
        : TDialog(IDD_ENTRY_PROPERTIES), FHost(host), FPlatform(platform) {}

    TEntryDialogMode Mode = TEntryDialogMode::One;
    TEntryFields Fields;
    TEntryTouched Touched;  // several entries: the texts the user changed

protected:
    bool OnInit() override;
    bool OnCommand(int code, int id, HWND control) override;
    bool OnOK() override;

private:
    bool LinkEnabled() const { return Mode != TEntryDialogMode::Several; }
    void ShowFields();
    void ReadFields();
    void UpdateOk();
    void Browse();
    void PickProcess();
    void ChangeIcon();

    TDialogHost FHost;
    TPlatform& FPlatform;
    bool FLoading = false;  // the text changes while loading are not the user's
};

// Edits one entry; true after OK (never in view-only mode).
bool EditButton(const TDialogHost& host, TPlatform& platform, TVantorButton& entry, bool viewOnly);
// Edits the shared fields of the selected entries of a page; true after OK.
bool EditButtons(const TDialogHost& host, TPlatform& platform, TVantorPage& page, const TIndexList& selected);
