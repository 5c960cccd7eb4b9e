// The entry menu for real files, the editing commands through the command
// table with message boxes recorded, shortcut files read back through the
// shell, the edit box's own keys, and the hint viewer's data block.
#include <gtest/gtest.h>
#include <windows.h>

#include "app/key_definitions.h"
#include "app/shortcut_commands.h"
#include "app/vantor.h"
#include "base/win_text.h"
#include "commands/page_editing.h"
#include "recording_desktop.h"
#include "shell/shortcut_link.h"
#include "shell/win_platform.h"
#include "text/text.h"
#include "win_test_util.h"

namespace {

class MenuCommandsTest : public testing::Test {
protected:
    TTempFolder Folder{"vantor-menus"};
    std::string Data = Folder / "Data\\";
    TWinPlatform Platform;
    TRecordingDesktop* Desktop = nullptr;
    std::unique_ptr<TVantor> Vantor;

    void SetUp() override { MakeFolder(Data); }
    void TearDown() override { Vantor.reset(); }

    TVantor& Start() {
        auto desktop = std::make_unique<TRecordingDesktop>();
        Desktop = desktop.get();
        Desktop->Answer = IDYES;
        Vantor = std::make_unique<TVantor>(Platform, Folder.Path(), Data, std::move(desktop));
        Vantor->QuitOnDestroy = false;
        EXPECT_TRUE(Vantor->Create());
        return *Vantor;
    }
    TVantorPage& Page(int index) { return *Vantor->MainPages().Pages(index); }
    void AddEntry(TVantorPage& page, const std::string& link, const std::string& title) {
        ASSERT_TRUE(page.Add(link, title, "", "", "", ShowNormal, false, "", 0));
    }
};

// A window the test makes and destroys.
struct TTestWindow {
    explicit TTestWindow(HWND wnd) : Handle(wnd) {}
    ~TTestWindow() { Reset(); }
    void Reset() {
        if (Handle) DestroyWindow(Handle);
        Handle = nullptr;
    }
    HWND Get() const { return Handle; }
    HWND Handle;
};

std::vector<std::string> Captions(const TPopupMenu& menu) {
    std::vector<std::string> captions;
    for (int i = 0; i < menu.Count(); ++i) captions.push_back(menu.IsSeparator(i) ? "-" : menu.Caption(i));
    return captions;
}

bool Enabled(const TPopupMenu& menu, const std::string& caption) {
    const int position = menu.Find(caption);
    EXPECT_GE(position, 0) << caption;
    return position >= 0 && menu.IsEnabled(position);
}

}  // namespace

TEST_F(MenuCommandsTest, TheEntryMenuOffersWhatLiesBesideTheTargetAndBrowsesItsFolder) {
    TVantor& vantor = Start();
    const std::string tools = Folder / "Tools";
    MakeFolder(tools);
    WriteTextFile(tools + "\\app.exe", "MZ");
    WriteTextFile(tools + "\\app.chm", "help");
    WriteTextFile(tools + "\\Readme.txt", "read me");
    TVantorButton entry;
    entry.LinkTo = tools + "\\app.exe";
    entry.Title = "app";
    TEntryMenu& menu = vantor.EntryMenu();
    // What lies beside the target is offered once the probe has looked.
    menu.Build(TMenuOwner::Main, entry);
    ASSERT_TRUE(vantor.Probe().FinishAll());
    menu.Build(TMenuOwner::Main, entry);
    const std::vector<std::string> captions = Captions(menu.Menu());
    ASSERT_EQ(captions.size(), 13u);
    EXPECT_EQ(captions[0], "引数を指定して実行(&A)...");
    EXPECT_EQ(captions[7], "app.chm -ヘルプ(&H)");
    EXPECT_EQ(captions[8], "Readme.txt -リードミー(&R)");
    EXPECT_EQ(captions[11], "このフォルダを開く(&F)");
    EXPECT_EQ(captions[12], "Tools");  // the folder's own submenu
    EXPECT_NE(menu.Menu().Submenu(12), nullptr);
    EXPECT_TRUE(Enabled(menu.Menu(), "引数を指定して実行(&A)..."));
    EXPECT_TRUE(Enabled(menu.Menu(), "ショートカットの作成(&S)"));

    // In the history bar: look, don't touch.
    menu.Build(TMenuOwner::HistoryBar, entry);
    EXPECT_FALSE(Enabled(menu.Menu(), "削除(&D)"));
    EXPECT_FALSE(Enabled(menu.Menu(), "切り取り(&T)"));
    EXPECT_TRUE(Enabled(menu.Menu(), "プロパティ(&P)..."));

    // A separator has no files, no shortcut and no folder.
    TVantorButton separator;
    separator.LinkTo = SeparatorLink;
    menu.Build(TMenuOwner::Main, separator);
    EXPECT_EQ(menu.Menu().Find("Readme.txt -リードミー(&R)"), -1);
    EXPECT_FALSE(Enabled(menu.Menu(), "ショートカットの作成(&S)"));
    EXPECT_FALSE(Enabled(menu.Menu(), "このフォルダを開く(&F)"));
    EXPECT_FALSE(Enabled(menu.Menu(), "プロパティ(&P)..."));
    EXPECT_EQ(Captions(menu.Menu()).back(), "このフォルダを開く(&F)");
}

TEST_F(MenuCommandsTest, CutPasteDeleteAndPagesThroughTheCommandTableWithTheirQuestions) {
    TVantor& vantor = Start();
    TVantorManager& pages = vantor.MainPages();
    ASSERT_TRUE(pages.AddPage("二", 1));
    AddEntry(Page(0), "C:\\a.exe", "A");
    AddEntry(Page(0), "C:\\b.exe", "B");
    pages.SetCurrentPage(0);
    vantor.RefreshTabsAndFonts();
    vantor.RebuildPage();
    TCommandTable& commands = vantor.Commands();

    // Cut B from the first page, paste it twice on the second.
    vantor.CurrentButton = 1;
    ASSERT_TRUE(commands.Run(ActionCutButton));
    EXPECT_EQ(Page(0).Count(), 1);
    EXPECT_TRUE(Desktop->Boxes.empty());
    vantor.TabSet.SetTabIndex(1);
    ASSERT_EQ(pages.CurrentPage(), 1);
    commands.Run(ActionPasteButton);
    commands.Run(ActionPasteButton);
    ASSERT_EQ(Page(1).Count(), 2);
    EXPECT_EQ(Page(1).Buttons(1)->Title, "B");
    EXPECT_EQ(vantor.MainView().Button(1)->Tag, 1);  // the view shows them at once

    // Delete asks, with the entry's title; No keeps it.
    vantor.CurrentButton = 0;
    Desktop->Answer = IDNO;
    commands.Run(ActionDeleteButton);
    EXPECT_EQ(Page(1).Count(), 2);
    EXPECT_EQ(Desktop->Boxes.back(), "ボタン\"B\"を削除してもよろしいですか？");
    Desktop->Answer = IDYES;
    commands.Run(ActionDeleteButton);
    EXPECT_EQ(Page(1).Count(), 1);

    // A separator, then a full page refuses with the limit.
    commands.Run(ActionAddSeparator);
    EXPECT_TRUE(Page(1).Buttons(1)->IsSeparator());
    while (Page(1).Count() < MaxButtonsPerPage) AddEntry(Page(1), "C:\\x.exe", "x");
    commands.Run(ActionAddButton);
    EXPECT_EQ(Page(1).Count(), MaxButtonsPerPage);
    EXPECT_EQ(Desktop->Boxes.back(), PageFullMessage());

    // Deleting the current page asks with its caption; the last one stays.
    commands.Run(ActionDeletePage);
    EXPECT_EQ(Desktop->Boxes.back(), "ページ\"二\"を削除してもよろしいですか？");
    ASSERT_EQ(pages.Count(), 1);
    EXPECT_EQ(pages.CurrentPage(), 0);
    EXPECT_EQ(vantor.TabSet.Tabs().Count(), 1);
    commands.Run(ActionDeletePage);
    EXPECT_EQ(Desktop->Boxes.back(), LastPageMessage());
    EXPECT_EQ(pages.Count(), 1);

    // A cancelled new page leaves no tab behind.
    vantor.Editing().EditNewPage = [](TVantorPage&) { return false; };
    commands.Run(ActionAddPage);
    EXPECT_EQ(pages.Count(), 1);
    vantor.Editing().EditNewPage = nullptr;
    commands.Run(ActionAddPage);
    EXPECT_EQ(pages.Count(), 2);
    EXPECT_EQ(vantor.TabSet.Tabs().Count(), 2);
    EXPECT_EQ(pages.CurrentPage(), 0);

    // On a strip too short for every tab, the new page's tab comes into sight.
    while (pages.Count() < 12) commands.Run(ActionAddPage);
    EXPECT_TRUE(vantor.TabSet.Geometry().IsTabVisible(11));
    EXPECT_GT(vantor.TabSet.FirstVisible(), 0);
    EXPECT_EQ(pages.CurrentPage(), 0);
}

TEST_F(MenuCommandsTest, ShortcutsAreWrittenThroughTheShellAndUnsafeNamesRefused) {
    TVantor& vantor = Start();
    TVantorButton entry;
    entry.LinkTo = "C:\\windows\\notepad.exe";
    entry.Arguments = "/a \"b c\"";
    entry.ShowCmd = ShowMinimized;
    entry.IconIndex = 3;  // no icon file: the target's own icon
    const std::string name = "VantorMenusTest";
    const std::string file = IncludeTrailingBackslash(SpecialFolderPath(sfDesktop)) + name + ".lnk";
    DeleteFileW(Widen(file).c_str());
    ASSERT_TRUE(MakeShortCut(vantor, sfDesktop, name, entry));
    TShortCutLink link;
    link.Load(file);
    EXPECT_TRUE(SameText(link.FileName, entry.LinkTo)) << link.FileName;
    EXPECT_EQ(link.Arguments, entry.Arguments);
    EXPECT_TRUE(SameText(link.WorkingDirectory, "C:\\windows")) << link.WorkingDirectory;
    EXPECT_EQ(link.ShowCmd, ShowMinimized);
    EXPECT_TRUE(link.IconLocation.empty());
    EXPECT_TRUE(DeleteFileW(Widen(file).c_str()));
    EXPECT_TRUE(Desktop->Boxes.empty());

    for (const char* bad : {"a:b", "..\\escape", "what?"}) {
        EXPECT_FALSE(MakeShortCut(vantor, sfDesktop, bad, entry));
        EXPECT_EQ(Desktop->Boxes.back(), "ショートカットファイルの作成に失敗しました。");
    }
    EXPECT_FALSE(PathExists(IncludeTrailingBackslash(SpecialFolderPath(sfDesktop)) + "..\\escape.lnk"));
}

TEST_F(MenuCommandsTest, TheMainMenuOffersPagesOnlyInTheMainWindowAndEditBoxesKeepTheirKeys) {
    TVantor& vantor = Start();
    SetFocus(vantor.Handle());
    vantor.MainMenu.InitPopup();
    for (const char* caption : {"編集(&E)...", "貼り付け(&T)", "ページの追加(&G)...", "ページの削除(&D)"})
        EXPECT_TRUE(Enabled(vantor.MainMenu, caption)) << caption;
    EXPECT_GE(vantor.MainMenu.Find("設定(&O)..."), 0);
    EXPECT_GE(vantor.MainMenu.Find("ヘルプ(&H)"), 0);

    // Del in an edit box deletes text, not the focused entry.
    TTestWindow edit(CreateWindowExW(0, L"Edit", L"", WS_CHILD, 0, 0, 50, 20, vantor.Handle(), nullptr,
                                     GetModuleHandleW(nullptr), nullptr));
    TKeyDefinitions keys;
    int runs = 0;
    keys.OnShortCut = [&runs](int32_t) { return ++runs, true; };
    std::vector<std::string> definitions;
    keys.Apply(definitions);
    MSG msg{};
    msg.message = WM_KEYDOWN;
    msg.wParam = VK_DELETE;
    msg.hwnd = edit.Get();
    EXPECT_FALSE(keys.TranslateShortCut(msg, vantor.Handle()));
    msg.hwnd = vantor.Handle();
    EXPECT_TRUE(keys.TranslateShortCut(msg, vantor.Handle()));
    EXPECT_EQ(runs, 1);
}

namespace {

std::vector<std::string> g_received;

LRESULT CALLBACK ViewerProc(HWND wnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg == WM_COPYDATA) {
        const auto* data = reinterpret_cast<const COPYDATASTRUCT*>(lParam);
        g_received.emplace_back(static_cast<const char*>(data->lpData), data->cbData);
        return TRUE;
    }
    return DefWindowProcW(wnd, msg, wParam, lParam);
}

}  // namespace

TEST_F(MenuCommandsTest, GuideTextsReachTheViewerAndTitlesShowOncePerPlace) {
    TVantor& vantor = Start();
    SendHintText(vantor.Handle(), "nobody listens");  // no viewer: nothing happens
    WNDCLASSW cls{};
    cls.lpfnWndProc = ViewerProc;
    cls.hInstance = GetModuleHandleW(nullptr);
    cls.lpszClassName = L"VantorHint";
    ASSERT_TRUE(RegisterClassW(&cls));
    TTestWindow viewer(CreateWindowExW(0, L"VantorHint", L"", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr,
                                       GetModuleHandleW(nullptr), nullptr));
    g_received.clear();
    SendHintText(vantor.Handle(), GuideText(TGuide::HistoryBar));
    SendHintText(vantor.Handle(), "");
    ASSERT_EQ(g_received.size(), 2u);
    EXPECT_EQ(g_received[0], HintBlock(GuideText(TGuide::HistoryBar)));
    EXPECT_EQ(g_received[1], std::string(1, '\0'));
    viewer.Reset();
    UnregisterClassW(L"VantorHint", GetModuleHandleW(nullptr));

    TExtHintWindow& title = vantor.Hints().TitleWindow();
    title.ShowTitle(vantor.Handle(), 100, 100, 0, "off", vantor.WindowFont());
    EXPECT_FALSE(title.Showing());
    title.ShowTitle(vantor.Handle(), 100, 100, 3, "メモ帳", vantor.WindowFont());
    ASSERT_TRUE(title.Showing());
    EXPECT_TRUE(IsWindowVisible(title.Handle()));
    EXPECT_EQ(title.Style(), 3);
    // It never takes the activation.
    EXPECT_NE(GetActiveWindow(), title.Handle());
    // A message box hides it first.
    vantor.InfoBox("x");
    EXPECT_FALSE(title.Showing());
    EXPECT_FALSE(IsWindowVisible(title.Handle()));

    // The system buttons, pictures only, name themselves under the pointer.
    vantor.Show();
    const TBounds shutdown = vantor.SystemButtons[sbShutdown].Bounds();
    SendMessageW(vantor.Handle(), WM_MOUSEMOVE, 0, MAKELPARAM(shutdown.Left + 2, shutdown.Top + 2));
    ASSERT_TRUE(title.Showing());
    EXPECT_EQ(title.Text(), "Windowsの終了");
    SendMessageW(vantor.Handle(), WM_MOUSEMOVE, 0, MAKELPARAM(shutdown.Left - 40, shutdown.Top + 2));
    EXPECT_FALSE(title.Showing());
}
