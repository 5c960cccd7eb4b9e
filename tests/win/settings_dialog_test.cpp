// The settings dialog over a real data folder: fields changed through their
// controls reach the settings and Vantor.ini on OK; Cancel leaves what is
// saved byte for byte; bad numbers keep or clamp; the page shown last comes
// back; "デフォルト" resets the shown page only.
#include "dialogs/settings_dialog.h"

#include <commctrl.h>
#include <gtest/gtest.h>
#include <windows.h>

#include <memory>

#include "app/settings_command.h"
#include "app/vantor.h"
#include "base/modal_gate.h"
#include "base/win_text.h"
#include "commands/command_table.h"
#include "dialogs/settings_ids.h"
#include "recording_desktop.h"
#include "settings/name_value.h"
#include "settings/sounds.h"
#include "shell/win_platform.h"
#include "win_test_util.h"

namespace {

class TShownHook {
public:
    explicit TShownHook(std::function<void(TDialog&)> hook) { TDialog::ShownHook = std::move(hook); }
    ~TShownHook() { TDialog::ShownHook = nullptr; }
};

// What a user's click or choice sends.
void Click(TDialog& d, int id) { SendMessageW(d.Item(id), BM_CLICK, 0, 0); }

void Choose(TDialog& d, int id, int index) {
    d.ComboSetIndex(id, index);
    SendMessageW(d.Handle(), WM_COMMAND, MAKEWPARAM(id, CBN_SELCHANGE), reinterpret_cast<LPARAM>(d.Item(id)));
}

void ShowPage(TDialog& d, int page) {
    HWND tabs = d.Item(IDC_SETTINGS_TABS);
    SendMessageW(tabs, TCM_SETCURSEL, static_cast<WPARAM>(page), 0);
    NMHDR header{tabs, static_cast<UINT_PTR>(IDC_SETTINGS_TABS), static_cast<UINT>(TCN_SELCHANGE)};
    SendMessageW(d.Handle(), WM_NOTIFY, IDC_SETTINGS_TABS, reinterpret_cast<LPARAM>(&header));
}

bool Visible(TDialog& d, int id) { return IsWindowVisible(d.Item(id)) != FALSE; }

// A key pressed with Ctrl (and Shift) as the dialog's own message loop sees
// it: first through the message filters, which may take it.
bool PressWithCtrl(HWND target, UINT key, bool shift, bool ctrl = true) {
    BYTE keys[256]{};
    GetKeyboardState(keys);
    keys[VK_CONTROL] = ctrl ? 0x80 : 0;
    keys[VK_SHIFT] = shift ? 0x80 : 0;
    SetKeyboardState(keys);
    MSG msg{target, WM_KEYDOWN, key, 0, 0, {}};
    const bool taken = CallMsgFilterW(&msg, MSGF_DIALOGBOX) != FALSE;
    keys[VK_CONTROL] = 0;
    keys[VK_SHIFT] = 0;
    SetKeyboardState(keys);
    return taken;
}

class SettingsDialogTest : public testing::Test {
protected:
    TTempFolder Folder{"vantor-settings"};
    std::string Data = Folder / "Data\\";
    TWinPlatform Platform;
    TRecordingDesktop* Desktop = nullptr;
    std::unique_ptr<TVantor> Vantor;

    void SetUp() override {
        MakeFolder(Data);
        WriteTextFile(Data + "Vantor.ini",
                      "[Settings]\r\nVersion=768\r\nHidePause=700\r\nPointPause=300\r\nCornerPause=1500\r\n");
    }
    void TearDown() override { Vantor.reset(); }

    TVantor& Start() {
        auto desktop = std::make_unique<TRecordingDesktop>();
        Desktop = desktop.get();
        Vantor = std::make_unique<TVantor>(Platform, Folder.Path(), Data, std::move(desktop));
        Vantor->QuitOnDestroy = false;
        EXPECT_TRUE(Vantor->Create());
        return *Vantor;
    }

    std::string SavedSettings() {
        Vantor->WindowSettings().Write();
        return ReadTextFile(Data + "Vantor.ini");
    }
};

}  // namespace

TEST_F(SettingsDialogTest, OkStoresTheControlsAndWritesTheFile) {
    TVantor& vantor = Start();
    TVantorManager& settings = vantor.MainPages();
    ASSERT_TRUE(settings.AutoSave);
    TShownHook hook([&](TDialog& d) {
        RECT client{};
        GetClientRect(d.Handle(), &client);
        EXPECT_EQ(client.right, 353);
        EXPECT_EQ(client.bottom, 318);
        EXPECT_TRUE(Visible(d, IDC_AUTO_SAVE));
        EXPECT_FALSE(Visible(d, IDC_HIDE_PAUSE));
        Click(d, IDC_AUTO_SAVE);
        ShowPage(d, spHide);
        EXPECT_TRUE(Visible(d, IDC_HIDE_PAUSE));
        EXPECT_FALSE(Visible(d, IDC_AUTO_SAVE));
        EXPECT_EQ(d.ItemText(IDC_HIDE_PAUSE), "700");
        d.SetItemText(IDC_HIDE_PAUSE, "1500");
        ShowPage(d, spView);
        Choose(d, IDC_BUTTON_STYLE, 4);
        ShowPage(d, spFolder2);
        d.SetItemText(IDC_EXT, "PDF");
        Click(d, IDC_ADD_EXT);
        EXPECT_EQ(d.ItemText(IDC_EXT), "");
        ShowPage(d, spSound);
        Choose(d, IDC_SOUND_KIND, 3);  // the first event: メニューポップアップ
        ShowPage(d, spFolder1);
        Click(d, IDC_FILER_CUSTOM);
        EXPECT_TRUE(IsWindowEnabled(d.Item(IDC_FILER_NAME)));
        d.SetItemText(IDC_FILER_NAME, "C:\\表\\filer.exe");
        d.ClickButton(IDOK);
    });
    RunSettingsDialog(vantor);
    EXPECT_FALSE(settings.AutoSave);
    EXPECT_EQ(settings.HidePause(), 1500);
    EXPECT_EQ(settings.ButtonStyle(), 4);
    EXPECT_GE(settings.CustomExts.IndexOf(".pdf"), 0);
    EXPECT_EQ(ListValue(settings.Sounds, SoundEventTable()[0].Name), "*MenuPopup");
    EXPECT_EQ(settings.FilerType(), 2);
    EXPECT_EQ(settings.FilerName, "C:\\表\\filer.exe");
    EXPECT_EQ(settings.CornerPause(), 1500);  // untouched, kept
    EXPECT_EQ(vantor.OptionPage, "TSFolder1");
    const std::string ini = ReadTextFile(Data + "Vantor.ini");
    EXPECT_NE(ini.find("HidePause=1500"), std::string::npos);
    EXPECT_NE(ini.find("AutoSave=0"), std::string::npos);
}

TEST_F(SettingsDialogTest, CancelLeavesWhatIsSavedByteForByteAndTheHotKeysWork) {
    TVantor& vantor = Start();
    SavedSettings();  // the first save settles the order of the sections
    const std::string before = SavedSettings();
    const std::vector<std::string> keys = vantor.MainPages().ShortCuts;
    TShownHook hook([&](TDialog& d) {
        // A hot key now only brings the dialog forward.
        EXPECT_TRUE(ModalGate().BoxOrDialogOpen());
        Click(d, IDC_SHOW_ICON);
        ShowPage(d, spKeyboard);
        d.ClickButton(IDC_SETTINGS_DEFAULT);
        ShowPage(d, spColor);
        Click(d, IDC_CUSTOM_COLOR);
        EXPECT_TRUE(IsWindowEnabled(d.Item(IDC_COLOR_BUTTON0)));
        ShowPage(d, spCorner);
        Choose(d, IDC_CORNER0, 3);
        d.ClickButton(IDCANCEL);
    });
    RunSettingsDialog(vantor);
    EXPECT_FALSE(ModalGate().Held());
    EXPECT_TRUE(vantor.Desktop().Keys().HotKeysEnabled());
    EXPECT_EQ(vantor.MainPages().ShortCuts, keys);
    EXPECT_EQ(SavedSettings(), before);
    EXPECT_EQ(vantor.OptionPage, "TSCorner");
}

TEST_F(SettingsDialogTest, BadNumbersKeepOrClampAndTheLastPageComesBack) {
    TVantor& vantor = Start();
    vantor.OptionPage = "TSResourceBar";
    TShownHook hook([&](TDialog& d) {
        EXPECT_TRUE(Visible(d, IDC_RESOURCE_YELLOW));
        d.SetItemText(IDC_RESOURCE_YELLOW, "10");  // red (20) comes down with it
        EXPECT_EQ(d.ItemText(IDC_RESOURCE_RED), "10");
        ShowPage(d, spGeneral);
        d.SetItemText(IDC_POINT_PAUSE, "abc");
        ShowPage(d, spHide);
        d.SetItemText(IDC_HIDE_PAUSE, "99999");
        d.SetItemText(IDC_HIDE_WIDTH, "");
        d.ClickButton(IDOK);
    });
    RunSettingsDialog(vantor);
    TVantorManager& settings = vantor.MainPages();
    EXPECT_EQ(settings.PointPause(), 300);
    EXPECT_EQ(settings.HidePause(), 5000);
    EXPECT_EQ(settings.HideWidth(), 4);
    EXPECT_EQ(settings.ResourceYellow(), 10);
    EXPECT_EQ(settings.ResourceRed(), 10);
    EXPECT_EQ(vantor.OptionPage, "TSHide");
}

// Ctrl+Tab and Ctrl+PageDown step to the next page, with Shift or PageUp
// to the one before, round the ends; the keyboard page's key fields keep the
// keys, since a user may want such a combination.
TEST_F(SettingsDialogTest, CtrlTabAndCtrlPageKeysStepThroughThePages) {
    TVantor& vantor = Start();
    TShownHook hook([&](TDialog& dialog) {
        auto& d = static_cast<TSettingsDialog&>(dialog);
        HWND tabs = d.Item(IDC_SETTINGS_TABS);
        auto shown = [&] { return static_cast<int>(SendMessageW(tabs, TCM_GETCURSEL, 0, 0)); };
        SetFocus(d.Item(IDC_POINT_PAUSE));
        EXPECT_TRUE(PressWithCtrl(d.Item(IDC_POINT_PAUSE), VK_TAB, true));
        EXPECT_EQ(shown(), SettingsPageCount - 1);
        EXPECT_FALSE(Visible(d, IDC_POINT_PAUSE));
        EXPECT_EQ(GetFocus(), tabs);  // not left on a hidden control
        EXPECT_TRUE(PressWithCtrl(tabs, VK_TAB, false));
        EXPECT_EQ(shown(), spGeneral);
        EXPECT_TRUE(Visible(d, IDC_POINT_PAUSE));
        EXPECT_TRUE(PressWithCtrl(tabs, VK_NEXT, false));
        EXPECT_TRUE(PressWithCtrl(tabs, VK_NEXT, false));
        EXPECT_TRUE(PressWithCtrl(tabs, VK_PRIOR, false));
        EXPECT_EQ(shown(), spGeneral + 1);
        EXPECT_FALSE(PressWithCtrl(tabs, VK_TAB, false, false));  // Tab alone moves the focus
        EXPECT_EQ(shown(), spGeneral + 1);

        ShowPage(d, spKeyboard);
        EXPECT_FALSE(PressWithCtrl(d.KeyboardPage().HotKeyField().Handle(), VK_TAB, false));
        EXPECT_FALSE(PressWithCtrl(d.KeyboardPage().ShortCutField().Handle(), VK_NEXT, true));
        EXPECT_EQ(shown(), spKeyboard);
        d.ClickButton(IDOK);
    });
    RunSettingsDialog(vantor);
    EXPECT_EQ(vantor.OptionPage, "TSKeyboard");
}

TEST_F(SettingsDialogTest, DefaultResetsTheShownPageOnly) {
    TVantor& vantor = Start();
    TVantorManager& settings = vantor.MainPages();
    settings.HorizontalTab = true;
    settings.AutoHide = false;
    TShownHook hook([&](TDialog& d) {
        d.ClickButton(IDC_SETTINGS_DEFAULT);
        EXPECT_FALSE(d.Checked(IDC_HORIZONTAL_TAB));
        EXPECT_EQ(d.ItemText(IDC_MAX_TAB_WIDTH), "48");
        EXPECT_FALSE(IsWindowEnabled(d.Item(IDC_MAX_TAB_WIDTH)));
        d.ClickButton(IDOK);
    });
    RunSettingsDialog(vantor);
    EXPECT_FALSE(settings.HorizontalTab);
    EXPECT_FALSE(settings.AutoHide);
    EXPECT_EQ(settings.HidePause(), 700);
}

// A hot key another window holds: the keyboard page marks its action and
// says why when it is chosen; a shortcut action takes the other field.
TEST_F(SettingsDialogTest, AHotKeyTheSystemRefusedIsMarked) {
    // Ctrl+Alt+L, the default of アクティブ化, taken before the program starts.
    ASSERT_TRUE(RegisterHotKey(nullptr, 0x3FFF, MOD_CONTROL | MOD_ALT, 'L'));
    TVantor& vantor = Start();
    std::string first;
    std::string reason;
    bool shortCutEnabled = true;
    bool hotKeyEnabled = true;
    TShownHook hook([&](TDialog& d) {
        ShowPage(d, spKeyboard);
        wchar_t text[128] = {};
        SendMessageW(d.Item(IDC_KEY_ACTION), LB_GETTEXT, 0, reinterpret_cast<LPARAM>(text));
        first = Narrow(text);
        reason = d.ItemText(IDC_HOT_KEY_FAILED);
        shortCutEnabled = IsWindowEnabled(d.Item(IDC_SHORT_CUT)) != FALSE;
        d.ListSetIndex(IDC_KEY_ACTION, ActionExit);
        SendMessageW(d.Handle(), WM_COMMAND, MAKEWPARAM(IDC_KEY_ACTION, LBN_SELCHANGE),
                     reinterpret_cast<LPARAM>(d.Item(IDC_KEY_ACTION)));
        hotKeyEnabled = IsWindowEnabled(d.Item(IDC_HOT_KEY)) != FALSE;
        EXPECT_EQ(d.ItemText(IDC_HOT_KEY_FAILED), "");
        d.ClickButton(IDCANCEL);
    });
    RunSettingsDialog(vantor);
    UnregisterHotKey(nullptr, 0x3FFF);
    EXPECT_EQ(first, "アクティブ化（登録できません）");
    EXPECT_FALSE(reason.empty());
    EXPECT_FALSE(shortCutEnabled);
    EXPECT_FALSE(hotKeyEnabled);
}
