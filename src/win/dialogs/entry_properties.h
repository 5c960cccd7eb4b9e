// The entry-properties dialog: every field of one entry, the shared fields
// of several, or one entry shown without allowing changes. OK looks at the
// paths typed off this thread: meanwhile the dialog answers, OK is disabled,
// the pointer shows work in the background, and Esc (or a change of any
// field) stops the look and leaves the dialog open.
#pragma once

#include <map>
#include <memory>
#include <string>
#include <vector>

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
    bool OnMessage(UINT msg, WPARAM wParam, LPARAM lParam, INT_PTR& result) override;
    void OnClose(int result) override;

public:
    // OK's look at the paths is under way.
    bool Checking() const { return FCheck != nullptr; }

private:
    struct TCheck {
        std::map<std::string, TTargetKind> Kinds;  // by TargetKey
        std::vector<TTargetProbe::TTicket> Tickets;
        size_t Outstanding = 0;
    };
    TTargetProbe& Probe();
    void BeginCheck();
    void CheckAnswered();
    void CancelCheck();
    void ShowChecking(bool checking);
    bool LinkEnabled() const { return Mode != TEntryDialogMode::Several; }
    void ShowFields();
    void ReadFields();
    void UpdateOk();
    void Browse();
    void PickProcess();
    void ChangeIcon();

    TDialogHost FHost;
    TPlatform& FPlatform;
    std::unique_ptr<TTargetProbe> FOwnProbe;  // without the program's
    std::shared_ptr<TCheck> FCheck;
    bool FLoading = false;  // the text changes while loading are not the user's
};

// Edits one entry; true after OK (never in view-only mode).
bool EditButton(const TDialogHost& host, TPlatform& platform, TVantorButton& entry, bool viewOnly);
// Edits the shared fields of the selected entries of a page; true after OK.
bool EditButtons(const TDialogHost& host, TPlatform& platform, TVantorPage& page, const TIndexList& selected);
