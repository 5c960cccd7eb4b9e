// The about box: the program's name and its version, which comes from the
// same header as the version resource.
#pragma once

#include <string>

#include "base/dialog.h"
#include "dialogs/organise_host.h"

class TAboutDialog : public TDialog {
public:
    TAboutDialog();
    // "Version 1.0.0.0": what the label shows.
    static std::string VersionText();

protected:
    bool OnInit() override;
    bool OnMessage(UINT msg, WPARAM wParam, LPARAM lParam, INT_PTR& result) override;

private:
    void FormPaint(HDC dc);
    TFont FTitleFont;
};

// ActionAbout: the about box, modal over the main window.
void ShowAboutDialog(const TDialogHost& host);
