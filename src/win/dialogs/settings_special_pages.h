// The settings pages that are more than fields: sounds, keys, colours and the
// folder and extension lists. Each works on the dialog's copy (TSettingsForm)
// through the dialog's controls; nothing reaches the settings before OK.
#pragma once

#include <windows.h>

#include <array>

#include "base/dialog.h"
#include "controls/hot_key_edit.h"
#include "dialogs/settings_pages.h"
#include "settings/keys.h"

class TSettingsSpecialPage {
public:
    TSettingsSpecialPage(TDialog& dialog, TSettingsForm& form) : Dialog(dialog), Form(form) {}
    virtual ~TSettingsSpecialPage() = default;
    TSettingsSpecialPage(const TSettingsSpecialPage&) = delete;
    TSettingsSpecialPage& operator=(const TSettingsSpecialPage&) = delete;

    // Once, when the dialog is created: fill lists, attach controls.
    virtual void Create() {}
    // Shows the copy in the controls (after Create and after "デフォルト").
    virtual void Load() = 0;
    // A command of one of the page's controls; true when taken.
    virtual bool Command(int code, int id) = 0;

protected:
    TDialog& Dialog;
    TSettingsForm& Form;
};

// サウンド: an event, its kind of sound and, for a file, its name.
class TSoundPage : public TSettingsSpecialPage {
public:
    using TSettingsSpecialPage::TSettingsSpecialPage;
    void Create() override;
    void Load() override;
    bool Command(int code, int id) override;
    void CSoundActionChange();
    void CSoundKindChange();

private:
    std::string EventName() const;
    void Store(const std::string& value);
    bool FQuiet = false;
};

// キーボード: each action's hot key or shortcut key.
class TKeyboardPage : public TSettingsSpecialPage {
public:
    TKeyboardPage(TDialog& dialog, TSettingsForm& form, const std::array<bool, ActionCount>& hotKeyFailed)
        : TSettingsSpecialPage(dialog, form), FHotKeyFailed(hotKeyFailed) {}
    void Create() override;
    void Load() override;
    bool Command(int code, int id) override;
    void LActionClick();
    THotKeyEx& HotKeyField() { return FHotKey; }
    THotKeyEx& ShortCutField() { return FShortCut; }

private:
    int SelectedAction() const;
    void KeyChanged(THotKeyEx& field);
    const std::array<bool, ActionCount>& FHotKeyFailed;
    THotKeyEx FHotKey;
    THotKeyEx FShortCut;
};

// 色: the scheme and the seven colour buttons, drawn with their colour.
class TColorPage : public TSettingsSpecialPage {
public:
    using TSettingsSpecialPage::TSettingsSpecialPage;
    void Load() override;
    bool Command(int code, int id) override;
    // WM_DRAWITEM of a colour button; true when it was one.
    bool DrawItem(const DRAWITEMSTRUCT& item);
    // The colour as drawn: a system colour of the settings in its RGB now.
    static COLORREF ShownColor(uint32_t color);

private:
    std::array<COLORREF, 16> FCustomColors{};
};

// フォルダ2: the folders first shown in the folder menu and the extensions
// listed there.
class TFolderListPage : public TSettingsSpecialPage {
public:
    using TSettingsSpecialPage::TSettingsSpecialPage;
    void Load() override;
    bool Command(int code, int id) override;
    // The Delete key in one of the lists (WM_VKEYTOITEM); true when taken.
    bool ListKey(int id, int key);
    void BAddFolderClick();
    void BAddExtClick();

private:
    void DeleteSelected(int id);
};

// The open-file dialog of the browse buttons: a file that must exist; the
// chosen name, or nothing on Cancel.
bool BrowseForFile(HWND owner, const wchar_t* filter, const wchar_t* defaultExt, const std::string& title,
                   std::string& fileName);
