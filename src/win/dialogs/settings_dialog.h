// "設定": every user setting on sixteen pages of a tab strip. The dialog
// edits a copy (Form); the caller stores it into the settings on OK and
// applies it to the running program (RunSettingsDialog).
#pragma once

#include <array>
#include <memory>
#include <string>

#include "base/dialog.h"
#include "controls/font_combo.h"
#include "dialogs/settings_pages.h"
#include "dialogs/settings_special_pages.h"
#include "settings/keys.h"

class TSettingsDialog : public TDialog {
public:
    TSettingsDialog();
    ~TSettingsDialog() override;

    // In: the copy shown and the page first shown; out on OK: the copy as
    // edited. The page shown last is in Page after either button.
    TSettingsForm Form;
    int32_t Page = spGeneral;
    TSettingsDefaults Defaults;
    // The hot keys the system refused when they were last applied.
    std::array<bool, ActionCount> HotKeyFailed{};

    void SelectPage(int32_t page);
    // The page `step` pages on, round the ends (Ctrl+Tab and the others).
    void StepPage(int32_t step);
    // "デフォルト": the shown page's controls to their defaults.
    void BDefaultClick();
    TKeyboardPage& KeyboardPage() { return FKeyboard; }

protected:
    bool OnInit() override;
    void OnShown() override;
    bool OnCommand(int code, int id, HWND control) override;
    bool OnNotify(int id, NMHDR& header, LRESULT& result) override;
    bool OnMessage(UINT msg, WPARAM wParam, LPARAM lParam, INT_PTR& result) override;
    bool OnOK() override;
    void OnClose(int result) override;
    THelpTopic CurrentHelpTopic() const override;

private:
    class TPageKeys;
    void PlacePages();
    void ShowPageControls();
    void LoadFields(int32_t page);  // -1: every page
    void ReadFields();
    void ReadNumber(const TSettingsField& field);
    void ApplyRanges();
    void ApplyEnabling();
    void MakePageBrush();
    bool PageControlColors(HDC dc, HWND control, INT_PTR& result);

    TZvFontComboBox FFontName;
    TSoundPage FSound{*this, Form};
    TKeyboardPage FKeyboard{*this, Form, HotKeyFailed};
    TColorPage FColor{*this, Form};
    TFolderListPage FFolderLists{*this, Form};
    bool FLoading = false;
    std::unique_ptr<TPageKeys> FPageKeys;
    // What the tab strip paints, laid under the pages' labels and boxes.
    TBitmap FPagePicture;
    TBrush FPageBrush;
};

// The settings page shown by a control, from its identifier; -1 for the
// dialog's own controls.
int32_t SettingsPageOfControl(int id);
