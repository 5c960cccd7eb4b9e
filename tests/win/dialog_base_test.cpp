// The dialog base over the about box and the run-with-arguments dialog: run
// modally through the main window (out of the topmost layer meanwhile),
// fields in and out, exceptions kept inside the dialog procedure, and the
// run-with-arguments command starting the entry with the arguments chosen.
#include <gtest/gtest.h>
#include <windows.h>

#include <memory>
#include <stdexcept>

#include "app/editing_commands.h"
#include "app/main_window_host.h"
#include "app/settings_command.h"
#include "app/vantor.h"
#include "base/modal_gate.h"
#include "base/win_text.h"
#include "commands/command_table.h"
#include "dialogs/about.h"
#include "dialogs/run_with_arguments.h"
#include "dialogs/settings_dialog.h"
#include "dialogs/settings_ids.h"
#include "recording_desktop.h"
#include "res/version.h"
#include "shell/win_platform.h"
#include "text/text.h"
#include "win_test_util.h"

namespace {

// Sets the shown hook for one test.
class TShownHook {
public:
    explicit TShownHook(std::function<void(TDialog&)> hook) { TDialog::ShownHook = std::move(hook); }
    ~TShownHook() { TDialog::ShownHook = nullptr; }
};

bool IsTopmost(HWND wnd) { return (GetWindowLongPtrW(wnd, GWL_EXSTYLE) & WS_EX_TOPMOST) != 0; }

SIZE ClientSize(HWND wnd) {
    RECT r{};
    GetClientRect(wnd, &r);
    return SIZE{r.right, r.bottom};
}

// Keeps the arguments of every start too.
class TArgumentsDesktop : public TRecordingDesktop {
public:
    std::vector<std::string> Parameters;
    void StartShell(HWND owner, const TShellRequest& request) override {
        Parameters.push_back(request.Parameters);
        TRecordingDesktop::StartShell(owner, request);
    }
};

class DialogBaseTest : public testing::Test {
protected:
    TTempFolder Folder{"vantor-dialogs"};
    std::string Data = Folder / "Data\\";
    TWinPlatform Platform;
    TArgumentsDesktop* Desktop = nullptr;
    std::unique_ptr<TVantor> Vantor;

    void SetUp() override { MakeFolder(Data); }
    void TearDown() override { Vantor.reset(); }

    TVantor& Start() {
        auto desktop = std::make_unique<TArgumentsDesktop>();
        Desktop = desktop.get();
        Vantor = std::make_unique<TVantor>(Platform, Folder.Path(), Data, std::move(desktop));
        Vantor->QuitOnDestroy = false;
        EXPECT_TRUE(Vantor->Create());
        return *Vantor;
    }
};

// Throws from chosen handlers of the about box's template.
class TThrowingDialog : public TDialog {
public:
    bool ThrowInInit = false;
    int Commands = 0;
    TThrowingDialog() : TDialog(IDD_ABOUT) {}

protected:
    bool OnInit() override {
        if (ThrowInInit) throw std::runtime_error("init");
        return true;
    }
    bool OnCommand(int code, int id, HWND control) override {
        if (id == IDC_ABOUT_VERSION) {
            ++Commands;
            throw std::runtime_error("command");
        }
        return TDialog::OnCommand(code, id, control);
    }
};

}  // namespace

TEST_F(DialogBaseTest, AboutRunsModallyOutOfTheTopmostLayerAndShowsTheVersion) {
    TVantor& vantor = Start();
    ASSERT_TRUE(IsTopmost(vantor.Handle()));
    bool seen = false;
    TShownHook hook([&](TDialog& dialog) {
        seen = true;
        EXPECT_EQ(ModalGate().Depth(), 1);
        EXPECT_TRUE(ModalGate().BoxOrDialogOpen());
        EXPECT_FALSE(IsTopmost(vantor.Handle()));
        EXPECT_TRUE(IsWindowVisible(dialog.Handle()));
        EXPECT_EQ(GetWindow(dialog.Handle(), GW_OWNER), vantor.Handle());
        const SIZE client = ClientSize(dialog.Handle());
        EXPECT_EQ(client.cx, 363);
        EXPECT_EQ(client.cy, 119);
        EXPECT_EQ(dialog.ItemText(IDC_ABOUT_VERSION), "Version " VANTOR_VERSION_TEXT);
        dialog.ClickButton(IDOK);
    });
    TAboutDialog about;
    EXPECT_EQ(vantor.RunModal(about), IDOK);
    EXPECT_TRUE(seen);
    EXPECT_FALSE(ModalGate().Held());
    EXPECT_TRUE(IsTopmost(vantor.Handle()));
    EXPECT_EQ(about.Handle(), nullptr);
}

TEST_F(DialogBaseTest, ExceptionsStayInsideTheDialogProcedure) {
    TVantor& vantor = Start();
    {
        // A failed load never reaches OK.
        TThrowingDialog dialog;
        dialog.ThrowInInit = true;
        TShownHook hook([](TDialog& d) { d.ClickButton(IDOK); });
        EXPECT_EQ(vantor.RunModal(dialog), IDCANCEL);
    }
    TThrowingDialog dialog;
    TShownHook hook([&](TDialog& d) {
        d.ClickButton(IDC_ABOUT_VERSION);
        d.ClickButton(IDOK);
    });
    EXPECT_EQ(vantor.RunModal(dialog), IDOK);
    EXPECT_EQ(dialog.Commands, 1);
}

TEST_F(DialogBaseTest, ControlHelpersReadNumbersStrictly) {
    TVantor& vantor = Start();
    TShownHook hook([](TDialog& d) {
        const std::pair<const char*, std::optional<int>> cases[] = {{"250", 250},         {" -5 ", -5},
                                                                    {"", std::nullopt},   {"12a", std::nullopt},
                                                                    {"９", std::nullopt}, {"99999999999", std::nullopt},
                                                                    {"-", std::nullopt}};
        for (const auto& [text, expected] : cases) {
            d.SetItemText(IDC_ABOUT_VERSION, text);
            EXPECT_EQ(d.ItemInt(IDC_ABOUT_VERSION), expected) << text;
        }
        d.SetItemText(IDC_ABOUT_VERSION, "ソ表");  // trail bytes 0x5C survive the round trip
        EXPECT_EQ(d.ItemText(IDC_ABOUT_VERSION), "ソ表");
        d.ClickButton(IDCANCEL);
    });
    TAboutDialog about;
    EXPECT_EQ(vantor.RunModal(about), IDCANCEL);
}

// The help button and the help menu open the manual's page for the dialog,
// the settings dialog's for the tab shown, through the shell (the user's
// browser); a help file of the program's own still wins; with neither the
// user is told what is missing.
TEST_F(DialogBaseTest, HelpOpensTheManualsPageOfTheDialogOrSaysWhatIsMissing) {
    TVantor& vantor = Start();
    TShownHook hook([](TDialog& d) {
        d.ClickButton(IDHELP);
        d.ClickButton(IDCANCEL);
    });
    std::string arguments;
    EXPECT_FALSE(RunWithArgumentsDialog(MainWindowHost(vantor), arguments, {}));
    ASSERT_EQ(Desktop->Boxes.size(), 1u);
    EXPECT_EQ(Desktop->Boxes[0], "\"" + Folder.Path() + "manual\\run-with-arguments.html\"が見つかりません。");
    EXPECT_TRUE(Desktop->StartedItems.empty());

    const std::string manual = Folder / "manual\\";
    MakeFolder(manual);
    for (const char* page : {"index.html", "run-with-arguments.html", "settings-layout.html"})
        WriteTextFile(manual + page, "<!DOCTYPE html>");
    EXPECT_FALSE(RunWithArgumentsDialog(MainWindowHost(vantor), arguments, {}));
    TShownHook onLayoutTab([](TDialog& d) {
        static_cast<TSettingsDialog&>(d).SelectPage(spLayout);
        d.ClickButton(IDHELP);
        d.ClickButton(IDCANCEL);
    });
    RunSettingsDialog(vantor);
    vantor.Commands().Run(ActionHelp);
    EXPECT_EQ(Desktop->StartedItems,
              (std::vector<std::string>{manual + "run-with-arguments.html", manual + "settings-layout.html",
                                        manual + "index.html"}));

    WriteTextFile(Folder / "Vantor.hlp", "help");
    vantor.Commands().Run(ActionHelp);
    EXPECT_EQ(Desktop->StartedItems.back(), Folder / "Vantor.hlp");
    EXPECT_EQ(Desktop->Boxes.size(), 1u);
}

// The entry menu's command over a real page: the dialog shows the entry's
// own arguments and the history, and the entry starts with what was typed.
TEST_F(DialogBaseTest, RunWithArgumentsStartsOnceWithTheTextAndKeepsTheHistory) {
    const std::string target = Folder / "tool.exe";
    WriteTextFile(target, "MZ");
    {
        TVantorManager pages(Platform);
        pages.Clear();
        pages.AddPage("ページ", 0);
        pages.Pages(0)->Add(target, "ツール", "", "/stored", "", 5, false, "", 0);
        pages.SaveToFile(Data + "Main.pag");
    }
    TVantor& vantor = Start();
    vantor.CurrentButton = 0;

    std::string typed = "/Fast";
    std::vector<std::string> offered;
    std::string shownText;
    TShownHook hook([&](TDialog& d) {
        RECT client{};
        GetClientRect(d.Handle(), &client);
        EXPECT_EQ(client.right, 385);
        EXPECT_EQ(client.bottom, 111);
        shownText = d.ItemText(IDC_RUN_ARGUMENTS);
        offered.clear();
        HWND combo = d.Item(IDC_RUN_ARGUMENTS);
        const int count = static_cast<int>(SendMessageW(combo, CB_GETCOUNT, 0, 0));
        for (int i = 0; i < count; ++i) {
            wchar_t text[64] = {};
            SendMessageW(combo, CB_GETLBTEXT, i, reinterpret_cast<LPARAM>(text));
            offered.push_back(Narrow(text));
        }
        d.SetItemText(IDC_RUN_ARGUMENTS, typed);
        d.ClickButton(typed == "cancel" ? IDCANCEL : IDOK);
    });
    vantor.Commands().Run(ActionExecuteWithArg);
    ASSERT_TRUE(vantor.Probe().FinishAll());
    EXPECT_EQ(shownText, "/stored");
    EXPECT_TRUE(offered.empty());
    ASSERT_EQ(Desktop->Parameters.size(), 1u);
    EXPECT_EQ(Desktop->Parameters[0], "/Fast");
    EXPECT_EQ(Desktop->StartedItems[0], target);

    typed = "/FAST";
    vantor.Commands().Run(ActionExecuteWithArg);
    ASSERT_TRUE(vantor.Probe().FinishAll());
    EXPECT_EQ(offered, std::vector<std::string>{"/Fast"});
    typed = "";  // starts without arguments
    vantor.Commands().Run(ActionExecuteWithArg);
    ASSERT_TRUE(vantor.Probe().FinishAll());
    ASSERT_EQ(Desktop->Parameters.size(), 3u);
    EXPECT_EQ(Desktop->Parameters[2], "");
    typed = "cancel";  // starts nothing
    vantor.Commands().Run(ActionExecuteWithArg);
    ASSERT_TRUE(vantor.Probe().FinishAll());
    EXPECT_EQ(Desktop->Parameters.size(), 3u);
    // One item for both spellings (which spelling stays is the command's).
    ASSERT_EQ(vantor.Document().ArgumentHistory().size(), 1u);
    EXPECT_TRUE(SameText(vantor.Document().ArgumentHistory()[0], "/fast"));
    EXPECT_EQ(vantor.MainPages().Pages(0)->Buttons(0)->Arguments, "/stored");
}
