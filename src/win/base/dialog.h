// Base of the program's dialogs. A dialog is a data object: the caller fills
// its public fields, runs it (through the main window's RunModal, which
// brings it forward first), and reads the fields back when the result is
// IDOK. The dialog and its message boxes hold the modal gate
// (base/modal_gate.h) while they are up. The controls come from a template in
// the resources, so the dialog manager gives Tab order, mnemonics and the
// default and cancel buttons.
//
// Messages are cracked once here into OnInit, OnCommand and OnNotify. Nothing
// thrown in a handler crosses the dialog procedure: it is logged and the
// message counts as not handled (an exception in OnInit ends the dialog with
// IDCANCEL, so a half-loaded dialog never reaches OK).
//
// Notifications of subclassed controls (TStdControl) are offered to their
// objects first, so a THotKeyEx or TZvFontComboBox attached to a template
// child works as it does in a window.
#pragma once

#include <windows.h>

#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "base/handles.h"
#include "base/help_viewer.h"
#include "base/modal_gate.h"

class TDesktopServices;

// A window shown modally over an owner.
class TModalForm {
public:
    virtual ~TModalForm() = default;
    virtual int ShowModal(HWND owner) = 0;
};

class TDialog : public TModalForm {
public:
    explicit TDialog(int templateId);
    ~TDialog() override;
    TDialog(const TDialog&) = delete;
    TDialog& operator=(const TDialog&) = delete;

    // Runs the dialog modally; IDOK, IDCANCEL or what EndDialog was given;
    // -1 when the template could not be created.
    int ShowModal(HWND owner) override;
    // The dialog window while it is up; null before and after.
    HWND Handle() const { return FHandle; }
    HWND Item(int id) const { return FHandle ? GetDlgItem(FHandle, id) : nullptr; }

    // Closes the dialog with `result`, as OK and Cancel do.
    void EndDialog(int result);
    // What a click on the button `id` does (BN_CLICKED through the dialog),
    // for tests and for keyboard-free callers.
    void ClickButton(int id);

    // Runs once for every dialog right after it is shown, before the user
    // can act: tests fill controls and press OK or Cancel from here. Set it
    // for one test and clear it afterwards.
    static std::function<void(TDialog&)> ShownHook;
    // Where the dialog's message boxes go; null: the system's box.
    TDesktopServices* Services = nullptr;
    // The help button (IDHELP) opens the dialog's topic through this viewer;
    // help that is not there is reported, not silently ignored.
    std::shared_ptr<THelpViewer> Help;
    THelpTopic HelpTopic;

    // A message box over the dialog, titled "Vantor", through the desktop
    // services when the caller gave them (tests replace them).
    int ShowMessage(const std::string& text, UINT type);
    // The same under the name <windows.h> gives it (MessageBoxW).
    int MessageBox(const std::string& text, UINT type) { return ShowMessage(text, type); }

    // Control helpers; the text is code page 932 as everywhere inside.
    std::string ItemText(int id) const;
    void SetItemText(int id, const std::string& text);
    bool Checked(int id) const;
    void SetChecked(int id, bool checked);
    void EnableItem(int id, bool enabled);
    // The item's text as a whole decimal number (blanks around allowed);
    // nothing for empty text, other characters or a number out of int range.
    std::optional<int> ItemInt(int id) const;
    void SetItemInt(int id, int value);
    // Combo boxes (drop-down lists and editable ones alike).
    void ComboSetItems(int id, const std::vector<std::string>& items);
    int ComboIndex(int id) const;  // -1: none selected
    void ComboSetIndex(int id, int index);
    // List boxes.
    void ListSetItems(int id, const std::vector<std::string>& items);
    std::vector<std::string> ListItems(int id) const;
    int ListIndex(int id) const;
    void ListSetIndex(int id, int index);
    // An up-down control's range and position (UDM_SETRANGE32 / UDM_GETPOS32).
    void SpinSetRange(int id, int minimum, int maximum);
    void SpinSetPos(int id, int value);

protected:
    // WM_INITDIALOG: load the controls from the fields. False when the
    // focus was set here; true leaves it on the first tab stop.
    virtual bool OnInit() { return true; }
    // WM_COMMAND; true when handled. The base handles IDOK (OnOK, then
    // closes with IDOK when it agrees), IDCANCEL (closes with IDCANCEL) and
    // IDHELP (the help topic).
    virtual bool OnCommand(int code, int id, HWND control);
    // WM_NOTIFY; true with `result` set when handled.
    virtual bool OnNotify(int id, NMHDR& header, LRESULT& result);
    // Any other message; true with `result` set when handled.
    virtual bool OnMessage(UINT msg, WPARAM wParam, LPARAM lParam, INT_PTR& result);
    // OK was pressed: store the controls into the fields. False keeps the
    // dialog open (after telling the user why).
    virtual bool OnOK() { return true; }
    // After the first show, when the dialog can be seen.
    virtual void OnShown() {}
    // The dialog is about to go (either result); the controls still exist.
    virtual void OnClose(int result) { (void)result; }

    // The topic the help button opens now: HelpTopic unless the dialog
    // knows better (the settings dialog's shown tab).
    virtual THelpTopic CurrentHelpTopic() const { return HelpTopic; }
    // Opens CurrentHelpTopic through Help.
    void ShowHelp();
    // Centres the dialog on the work area of its screen.
    void CenterOnScreen();
    // Sizes in pixels where a layout is given in pixels rather than dialog
    // units: the client area, and a control's (left, top, width, height).
    // Both are 96-DPI pixels, scaled to the dialog's DPI.
    void SetClientSize(int width, int height);
    void SetItemBounds(int id, int left, int top, int width, int height);

private:
    static INT_PTR CALLBACK DialogProc(HWND wnd, UINT msg, WPARAM wParam, LPARAM lParam);
    void ApplyJapaneseFont();
    INT_PTR Dispatch(UINT msg, WPARAM wParam, LPARAM lParam);

    int FTemplateId;
    HWND FHandle = nullptr;
    TModalGate::THold* FHold = nullptr;  // while ShowModal runs
    TFont FFont;                         // the template's font with the Japanese character set
};
