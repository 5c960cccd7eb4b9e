// The main window's start-up, saving and launching, with message boxes, the
// Ctrl key, random draws and the shell's starts replaced by recorders.
#include "app/vantor.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <map>
#include <memory>

#include "base/handles.h"
#include "base/modal_gate.h"
#include "base/win_text.h"
#include "settings/name_value.h"
#include "shell/shortcut_link.h"
#include "shell/win_platform.h"
#include "text/text.h"
#include "win_test_util.h"

namespace {

struct TRecordedBox {
    std::string Text;
    UINT Type;
    int GateDepth;
};

struct TRecordedStart {
    std::string Verb, File, Parameters, Directory;
    int ShowCmd;
    std::string ItemPath;  // the shell item's path, when one was given
    bool HasItem;
};

class TFakeDesktop : public TDesktopServices {
public:
    TVantor* Owner = nullptr;
    std::vector<TRecordedBox> Boxes;
    std::vector<TRecordedStart> Starts;
    std::vector<std::string> Sounds;
    std::map<TSpecialFolder, std::string> Folders;
    int Answer = IDYES;
    bool CtrlDown = false;
    int Draw = 0;
    // Runs while a box is open (after it was recorded).
    std::function<void()> DuringBox;

    int ShowMessage(HWND, const std::string& text, UINT type) override {
        Boxes.push_back({text, type, ModalGate().Depth()});
        if (DuringBox) DuringBox();
        return Answer;
    }
    bool IsCtrlDown() override { return CtrlDown; }
    void SeedRandom() override {}
    int Random(int) override { return Draw; }
    void StartShell(HWND, const TShellRequest& r) override {
        Starts.push_back({r.Verb, r.File, r.Parameters, r.Directory, r.ShowCmd,
                          r.Item ? IDListToPath(r.Item) : std::string(), r.Item != nullptr});
    }
    void PlaySoundValue(const std::string& value) override { Sounds.push_back(value); }
    std::string SpecialFolderPath(TSpecialFolder kind) override {
        auto it = Folders.find(kind);
        return it == Folders.end() ? std::string() : it->second;
    }
};

class VantorTest : public testing::Test {
protected:
    TTempFolder Folder{"vantor-main"};
    std::string Data = Folder / "Data\\";
    TWinPlatform Platform;
    TFakeDesktop* Desktop = nullptr;
    std::unique_ptr<TVantor> Vantor;

    void SetUp() override { MakeFolder(Data); }
    void TearDown() override { Vantor.reset(); }

    TVantor& Start() {
        auto desktop = std::make_unique<TFakeDesktop>();
        Desktop = desktop.get();
        Desktop->Folders[sfDesktop] = ExcludeTrailingBackslash(Folder / "Desktop");
        Desktop->Folders[sfPrograms] = ExcludeTrailingBackslash(Folder / "Programs");
        Vantor = std::make_unique<TVantor>(Platform, Folder.Path(), Data, std::move(desktop));
        Vantor->QuitOnDestroy = false;
        Desktop->Owner = Vantor.get();
        EXPECT_TRUE(Vantor->Create());
        return *Vantor;
    }
    void Stop() { Vantor.reset(); }
    // A start waits for the probe's look at its target.
    void Settle() { ASSERT_TRUE(Vantor->Probe().FinishAll()); }

    void MakeShortcut(const std::string& lnk, const std::string& target) {
        MakeFolder(ExtractFileDir(lnk));
        TShortCutLink link;
        link.FileName = target;
        link.Save(lnk);
    }

    TVantorPage& MainPage() { return *Vantor->MainPages().Pages(0); }
    TVantorPage& History() { return *Vantor->Document().History().Pages(0); }
};

std::vector<std::string> Captions(TVantorManager& pages) {
    std::vector<std::string> captions;
    for (int32_t i = 0; i < pages.Count(); ++i) captions.push_back(pages.Pages(i)->Caption);
    return captions;
}

}  // namespace

TEST_F(VantorTest, FirstStartBuildsPagesFromTheShortcutFoldersAndSavesEverything) {
    std::string target = Folder / "target.exe";
    WriteTextFile(target, "MZ");
    MakeShortcut(Folder / "Desktop\\ゼータ.lnk", target);
    MakeShortcut(Folder / "Desktop\\アルファ.lnk", target);
    WriteTextFile(Folder / "Desktop\\readme.txt", "not a shortcut");
    MakeShortcut(Folder / "Programs\\ｱｸｾｻﾘ\\メモ帳.lnk", target);
    MakeFolder(Folder / "Programs\\ｱｸｾｻﾘ\\ｼｽﾃﾑ ﾂｰﾙ");  // empty: no page

    TVantor& vantor = Start();
    EXPECT_EQ(Captions(vantor.MainPages()), (std::vector<std::string>{"デスクトップ", "アクセサリ"}));
    TVantorPage& desktop = MainPage();
    ASSERT_EQ(desktop.Count(), 2);
    EXPECT_EQ(desktop.Buttons(0)->Title, "アルファ");  // sorted
    EXPECT_EQ(desktop.Buttons(1)->Title, "ゼータ");
    EXPECT_TRUE(SameText(desktop.Buttons(0)->LinkTo, target));
    EXPECT_EQ(Captions(vantor.Document().Smart()), std::vector<std::string>{"スマートバー"});
    EXPECT_EQ(Captions(vantor.Document().History()), std::vector<std::string>{"履歴バー"});

    vantor.MainPages().AutoSave = false;  // the final save happens anyway
    Stop();
    for (const char* name : {"Main.pag", "Smart.pag", "History.pag", "Vantor.ini"})
        EXPECT_TRUE(PathExists(Data + name)) << name;

    // The second start reads what the first wrote and builds nothing new.
    RemoveTree(Folder / "Desktop");
    TVantor& again = Start();
    EXPECT_EQ(Captions(again.MainPages()), (std::vector<std::string>{"デスクトップ", "アクセサリ"}));
    EXPECT_FALSE(again.MainPages().AutoSave);
}

TEST_F(VantorTest, WithoutShortcutsAndFilesThereIsOnePage) {
    TVantor& vantor = Start();
    EXPECT_EQ(Captions(vantor.MainPages()), std::vector<std::string>{"ページ1"});
    EXPECT_EQ(vantor.MainPages().Pages(0)->ViewStyle, 0);
}

TEST_F(VantorTest, UnreadablePageFilesAreKeptAsideAndTheBarsLoadOnTheirOwn) {
    WriteTextFile(Data + "Main.pag", "XX not a page file");
    {
        TVantorManager history(Platform);
        history.Pages(0)->Add("C:\\a.exe", "A", "", "", "", 5, false, "", 0);
        history.AddPage("second page is dropped", 1);
        history.SaveToFile(Data + "History.pag");
    }
    TVantor& vantor = Start();
    EXPECT_EQ(Captions(vantor.MainPages()), std::vector<std::string>{"ページ1"});
    EXPECT_EQ(ReadTextFile(Data + "Main.pag.bak"), "XX not a page file");
    ASSERT_EQ(Captions(vantor.Document().History()), std::vector<std::string>{"履歴バー"});
    EXPECT_EQ(History().Count(), 1);
    EXPECT_EQ(Captions(vantor.Document().Smart()), std::vector<std::string>{"スマートバー"});
    EXPECT_FALSE(PathExists(Data + "Smart.pag.bak"));  // missing is not damaged
}

TEST_F(VantorTest, DataFilesThatCannotBeReadAreNotSavedOver) {
    // Locked while the program starts, as a scanner at log-on might hold them.
    WriteTextFile(Data + "Main.pag", "pages of the user");
    WriteTextFile(Data + "Vantor.ini", "[Settings]\r\nHideWidth=9\r\n");
    auto lock = [](const std::string& path) {
        return TFileHandle(CreateFileW(Widen(path).c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr));
    };
    {
        TFileHandle main = lock(Data + "Main.pag");
        TFileHandle ini = lock(Data + "Vantor.ini");
        ASSERT_TRUE(main && ini);
        Start();
    }
    Vantor->SaveAll();
    Stop();
    EXPECT_EQ(ReadTextFile(Data + "Main.pag"), "pages of the user");
    EXPECT_EQ(ReadTextFile(Data + "Vantor.ini"), "[Settings]\r\nHideWidth=9\r\n");
    EXPECT_TRUE(PathExists(Data + "Smart.pag"));  // the readable rest is saved
}

TEST_F(VantorTest, MessageBoxesAreTitledByTheirKindAndHoldTheModalGate) {
    TVantor& vantor = Start();
    vantor.ErrorBox("e");
    vantor.InfoBox("i");
    Desktop->Answer = IDNO;
    EXPECT_FALSE(vantor.ConfirmBox("q"));
    Desktop->Answer = IDYES;
    EXPECT_TRUE(vantor.ConfirmBox("q"));
    ASSERT_EQ(Desktop->Boxes.size(), 4u);
    EXPECT_EQ(Desktop->Boxes[0].Type, static_cast<UINT>(MB_OK | MB_ICONERROR));
    EXPECT_EQ(Desktop->Boxes[1].Type, static_cast<UINT>(MB_OK | MB_ICONINFORMATION));
    EXPECT_EQ(Desktop->Boxes[2].Type, static_cast<UINT>(MB_YESNOCANCEL | MB_ICONQUESTION));
    for (const TRecordedBox& box : Desktop->Boxes) EXPECT_EQ(box.GateDepth, 1);
    EXPECT_FALSE(ModalGate().Held());
}

TEST_F(VantorTest, ExecuteStartsThroughTheShellOrSaysWhatIsMissing) {
    TVantor& vantor = Start();
    std::string missing = Folder / "ありません.exe";
    vantor.Launcher().Execute(missing, "", 5, "");
    Settle();
    ASSERT_EQ(Desktop->Boxes.size(), 1u);
    EXPECT_EQ(Desktop->Boxes[0].Text, "\"" + missing + "\"が見つかりません。");
    EXPECT_TRUE(Desktop->Starts.empty());

    vantor.Launcher().Execute("HTTP://example.com/", "a b", 3, "C:\\");
    Settle();
    ASSERT_EQ(Desktop->Starts.size(), 1u);
    EXPECT_EQ(Desktop->Starts[0].Verb, "open");
    EXPECT_EQ(Desktop->Starts[0].File, "HTTP://example.com/");
    EXPECT_EQ(Desktop->Starts[0].Parameters, "a b");

    // A file: its shell item, the arguments untouched (never a command line
    // to parse), the working folder or else the file's folder.
    std::string program = Folder / "prog.exe";
    WriteTextFile(program, "MZ");
    vantor.Launcher().Execute(program, "\"x y\" & del *", 6, "");
    Settle();
    vantor.Launcher().Execute(program, "", 5, "C:\\work");
    Settle();
    ASSERT_EQ(Desktop->Starts.size(), 3u);
    const TRecordedStart& start = Desktop->Starts[1];
    EXPECT_TRUE(start.HasItem);
    EXPECT_TRUE(SameText(start.ItemPath, program));
    EXPECT_EQ(start.Verb, "");
    EXPECT_EQ(start.File, "");
    EXPECT_EQ(start.Parameters, "\"x y\" & del *");
    EXPECT_TRUE(SameText(start.Directory, ExcludeTrailingBackslash(Folder.Path())));
    EXPECT_EQ(start.ShowCmd, 6);
    EXPECT_EQ(Desktop->Starts[2].Directory, "C:\\work");
}

TEST_F(VantorTest, FoldersOpenAsFilerTypeSays) {
    TVantor& vantor = Start();
    std::string folder = ExcludeTrailingBackslash(Folder / "開く");
    MakeFolder(folder);
    std::string filer = Folder / "filer.exe";
    auto openWith = [&](int filerType, const std::string& filerName) {
        Desktop->Starts.clear();
        vantor.MainPages().SetFilerType(filerType);
        vantor.MainPages().FilerName = filerName;
        vantor.Launcher().Execute(folder, "ignored", 3, "ignored");
        Settle();
        return Desktop->Starts;
    };
    auto starts = openWith(0, "");
    ASSERT_EQ(starts.size(), 1u);
    EXPECT_EQ(starts[0].Verb, "open");
    EXPECT_TRUE(SameText(starts[0].File, folder));
    EXPECT_EQ(starts[0].Parameters, "");
    EXPECT_EQ(starts[0].Directory, "");
    EXPECT_EQ(starts[0].ShowCmd, 3);

    starts = openWith(1, "");
    ASSERT_EQ(starts.size(), 1u);
    EXPECT_EQ(starts[0].Verb, "explore");

    starts = openWith(2, filer);  // the filer does not exist
    ASSERT_EQ(starts.size(), 1u);
    EXPECT_TRUE(SameText(starts[0].File, folder));

    // (Another name: the probe keeps its answer about the first for a while.)
    const std::string installed = Folder / "filer2.exe";
    WriteTextFile(installed, "MZ");
    starts = openWith(2, installed);
    ASSERT_EQ(starts.size(), 1u);
    EXPECT_EQ(starts[0].File, installed);
    EXPECT_TRUE(SameText(starts[0].Parameters, "\"" + folder + "\""));

    EXPECT_TRUE(openWith(3, installed).empty());
}

TEST_F(VantorTest, LaunchButtonRefusesForbiddenEntriesFourTimesInFiveAndRecordsStarts) {
    TVantor& vantor = Start();
    std::string program = Folder / "game.exe";
    WriteTextFile(program, "MZ");
    vantor.MainPages().Sounds = {"Launch=*SystemStart"};
    MainPage().Add(program, "ゲーム", "", "-fast", "", 5, true, "", 0);

    Desktop->Draw = 3;
    vantor.Launcher().LaunchButton(TBarKind::Main, 0);
    Settle();
    ASSERT_EQ(Desktop->Boxes.size(), 1u);
    EXPECT_EQ(Desktop->Boxes[0].Text, "本業に集中しなさい！");
    EXPECT_TRUE(Desktop->Starts.empty());
    EXPECT_TRUE(Desktop->Sounds.empty());
    EXPECT_EQ(History().Count(), 0);

    Desktop->Draw = 0;
    vantor.Launcher().LaunchButton(TBarKind::Main, 0);
    Settle();
    ASSERT_EQ(Desktop->Starts.size(), 1u);
    EXPECT_EQ(Desktop->Starts[0].Parameters, "-fast");
    EXPECT_EQ(Desktop->Sounds, std::vector<std::string>{"*SystemStart"});
    ASSERT_EQ(History().Count(), 1);
    EXPECT_EQ(History().Buttons(0)->Title, "ゲーム");
    EXPECT_EQ(vantor.CurrentButton, 0);

    // With Ctrl held the folder of the target opens instead.
    Desktop->CtrlDown = true;
    vantor.Launcher().LaunchButton(TBarKind::Main, 0);
    Settle();
    ASSERT_EQ(Desktop->Starts.size(), 2u);
    EXPECT_TRUE(SameText(Desktop->Starts[1].File, ExcludeTrailingBackslash(Folder.Path())));
    EXPECT_EQ(History().Count(), 1);
}

TEST_F(VantorTest, SecureWebAddressesStartThroughTheShellsOpenVerb) {
    TVantor& vantor = Start();
    MainPage().Add("https://example.com/a?b=c", "Web", "", "", "", 5, false, "", 0);
    vantor.Launcher().LaunchButton(TBarKind::Main, 0);
    Settle();
    EXPECT_TRUE(Desktop->Boxes.empty());  // not "…が見つかりません。"
    ASSERT_EQ(Desktop->Starts.size(), 1u);
    EXPECT_EQ(Desktop->Starts[0].Verb, "open");
    EXPECT_EQ(Desktop->Starts[0].File, "https://example.com/a?b=c");
    EXPECT_FALSE(Desktop->Starts[0].HasItem);
    vantor.Launcher().Execute("HTTPS://EXAMPLE.COM/", "", 5, "");
    Settle();
    ASSERT_EQ(Desktop->Starts.size(), 2u);
    EXPECT_EQ(Desktop->Starts[1].Verb, "open");
}

TEST_F(VantorTest, TheScreenSaverComesBackOnOnlyIfTheProgramTurnedItOff) {
    const bool before = TScreenSaverSwitch::SystemActive();
    auto setActive = [](bool on) { SystemParametersInfoW(SPI_SETSCREENSAVEACTIVE, on ? TRUE : FALSE, nullptr, 0); };

    // A user who keeps it off finds it off after the program ends.
    setActive(false);
    ASSERT_FALSE(TScreenSaverSwitch::SystemActive());
    TVantor& first = Start();
    first.ScreenSaver.Suspend();  // nothing to turn off
    EXPECT_FALSE(first.ScreenSaver.Suspended());
    first.ScreenSaver.Resume();
    Stop();
    EXPECT_FALSE(TScreenSaverSwitch::SystemActive());

    // Turned off by the program: on again when it ends.
    setActive(true);
    TVantor& second = Start();
    second.ScreenSaver.Suspend();
    EXPECT_TRUE(second.ScreenSaver.Suspended());
    EXPECT_FALSE(TScreenSaverSwitch::SystemActive());
    Stop();
    EXPECT_TRUE(TScreenSaverSwitch::SystemActive());

    setActive(before);
}

TEST_F(VantorTest, HistoryKeepsSixteenDistinctEntriesNewestFirst) {
    TVantor& vantor = Start();
    auto entry = [](int i) {
        TVantorButton b;
        b.LinkTo = Format("C:\\p%d.exe", i);
        b.Title = Format("P%d", i);
        return b;
    };
    for (int i = 0; i < 17; ++i) vantor.Launcher().AddToHistory(entry(i));
    ASSERT_EQ(History().Count(), 16);
    EXPECT_EQ(History().Buttons(0)->Title, "P16");
    EXPECT_EQ(History().Buttons(15)->Title, "P1");  // P0, the oldest, is gone

    vantor.Launcher().AddToHistory(entry(1));  // already 16th: moves up
    ASSERT_EQ(History().Count(), 16);
    EXPECT_EQ(History().Buttons(0)->Title, "P1");
    EXPECT_EQ(History().Buttons(15)->Title, "P2");

    TVantorButton sameTargetOtherTitle = entry(1);
    sameTargetOtherTitle.Title = "other";
    vantor.Launcher().AddToHistory(sameTargetOtherTitle);
    EXPECT_EQ(History().Buttons(0)->Title, "other");
    EXPECT_EQ(History().Buttons(1)->Title, "P1");
}

TEST_F(VantorTest, FilesDroppedOnAFolderEntryMoveOrWithCtrlCopy) {
    TVantor& vantor = Start();
    std::string target = ExcludeTrailingBackslash(Folder / "入れ物");
    MakeFolder(target);
    MainPage().Add(target, "入れ物", "", "", "", 5, false, "", 0);
    std::vector<std::string> files = {Folder / "二.txt", Folder / "一.txt"};
    for (const std::string& file : files) WriteTextFile(file, ExtractFileName(file));

    vantor.Launcher().DropFilesOnPage(files, 0, TBarKind::Main, MainPage());
    Settle();
    for (const std::string& file : files) {
        EXPECT_FALSE(PathExists(file)) << file;
        EXPECT_EQ(ReadTextFile(target + "\\" + ExtractFileName(file)), ExtractFileName(file));
    }

    std::vector<std::string> copies = {Folder / "三.txt", Folder / "四 five.txt"};
    for (const std::string& file : copies) WriteTextFile(file, "copy");
    Desktop->CtrlDown = true;
    vantor.Launcher().DropFilesOnPage(copies, 0, TBarKind::Main, MainPage());
    Settle();
    for (const std::string& file : copies) {
        EXPECT_TRUE(PathExists(file)) << file;
        EXPECT_EQ(ReadTextFile(target + "\\" + ExtractFileName(file)), "copy");
    }
    EXPECT_TRUE(Desktop->Starts.empty());
}

TEST_F(VantorTest, FilesDroppedOnAProgramStartItQuotedOrAreAdded) {
    TVantor& vantor = Start();
    std::string program = Folder / "edit.EXE";
    WriteTextFile(program, "MZ");
    MainPage().Add(program, "edit", "", "-n", "", 5, false, "", 0);
    std::string b = Folder / "b file.txt", a = Folder / "A.txt";
    WriteTextFile(a, "a");
    WriteTextFile(b, "b");

    vantor.Launcher().DropFilesOnPage({b, a}, 0, TBarKind::Main, MainPage());
    Settle();
    ASSERT_EQ(Desktop->Starts.size(), 2u);  // once per file, sorted by name
    EXPECT_TRUE(SameText(Desktop->Starts[0].Parameters, "-n \"" + a + "\"")) << Desktop->Starts[0].Parameters;
    EXPECT_TRUE(SameText(Desktop->Starts[1].Parameters, "-n \"" + b + "\""));
    EXPECT_EQ(History().Count(), 1);

    Desktop->CtrlDown = true;
    vantor.Launcher().DropFilesOnPage({b, a}, 0, TBarKind::Main, MainPage());
    Settle();
    ASSERT_EQ(Desktop->Starts.size(), 3u);  // once with both
    EXPECT_TRUE(SameText(Desktop->Starts[2].Parameters, "-n \"" + a + "\" \"" + b + "\""));
    // A drive root keeps its closing quote a quote.
    Desktop->CtrlDown = false;
    vantor.Launcher().DropFilesOnPage({"C:\\"}, 0, TBarKind::Main, MainPage());
    Settle();
    ASSERT_EQ(Desktop->Starts.size(), 4u);
    EXPECT_EQ(Desktop->Starts[3].Parameters, "-n \"C:\\\\\"");

    // On no entry: added to the page, but never to the history bar's.
    vantor.Launcher().DropFilesOnPage({b, a}, -1, TBarKind::HistoryBar, History());
    EXPECT_EQ(History().Count(), 1);
    vantor.Launcher().DropFilesOnPage({b, a}, -1, TBarKind::Main, MainPage());
    ASSERT_EQ(MainPage().Count(), 3);
    EXPECT_EQ(MainPage().Buttons(1)->Title, "A");
    EXPECT_EQ(MainPage().Buttons(2)->Title, "b file");
}

TEST_F(VantorTest, ActionsRunTheirOneCommandWhicheverWayTheyAreAsked) {
    TVantor& vantor = Start();
    const std::string program = Folder / "tool.exe";
    WriteTextFile(program, "MZ");
    MainPage().Add(program, "道具", "", "", "", 5, false, "", 0);
    vantor.Launcher().LaunchButton(TBarKind::Main, 0);
    Settle();
    ASSERT_EQ(History().Count(), 1);
    Desktop->Starts.clear();

    // Clearing the history asks first; No keeps it.
    Desktop->Answer = IDNO;
    EXPECT_TRUE(vantor.Commands().Run(ActionClearHistory));
    ASSERT_EQ(Desktop->Boxes.size(), 1u);
    EXPECT_EQ(Desktop->Boxes[0].Text, "履歴をクリアしてもよろしいですか？");
    EXPECT_EQ(History().Count(), 1);
    Desktop->Answer = IDYES;
    vantor.Desktop().ExecuteAction(ActionClearHistory);
    EXPECT_EQ(History().Count(), 0);
    EXPECT_EQ(vantor.Document().History().Count(), 1);  // the page itself stays

    // A hot key for the focused entry's folder opens it, as the menu would.
    vantor.CurrentButton = 0;
    vantor.Desktop().ExecuteAction(ActionOpenThisFolder);
    Settle();
    ASSERT_EQ(Desktop->Starts.size(), 1u);
    EXPECT_TRUE(SameText(Desktop->Starts[0].File, ExcludeTrailingBackslash(Folder.Path())));

    // Actions without a command, and -1 (a corner with nothing chosen), do
    // nothing. (About has its dialog now: it is unbound here.)
    vantor.Commands().Bind(ActionAbout, nullptr);
    const size_t boxes = Desktop->Boxes.size();
    vantor.Desktop().ExecuteAction(ActionAbout);
    vantor.Desktop().ExecuteAction(-1);
    EXPECT_EQ(Desktop->Boxes.size(), boxes);
    EXPECT_EQ(Desktop->Starts.size(), 1u);

    // Exit closes the window, and the final save writes the data files.
    vantor.Desktop().ExecuteAction(ActionExit);
    EXPECT_FALSE(IsWindow(vantor.Handle()));
    EXPECT_TRUE(PathExists(Data + "Main.pag"));
}

TEST_F(VantorTest, FilesDroppedFromTheShellOnTheEntryAreaBecomeEntries) {
    TVantor& vantor = Start();
    vantor.Show();
    const std::string a = Folder / "あ.txt";
    const std::string b = Folder / "b.txt";
    WriteTextFile(a, "a");
    WriteTextFile(b, "b");
    const int before = MainPage().Count();
    // Below every entry: the files are added to the current page, sorted.
    SendMessageW(vantor.ScrollBox.Handle(), WM_DROPFILES,
                 reinterpret_cast<WPARAM>(MakeDrop({Widen(a), Widen(b)}, POINT{5, 300})), 0);
    ASSERT_EQ(MainPage().Count(), before + 2);
    EXPECT_EQ(MainPage().Buttons(before)->Title, "b");
    EXPECT_EQ(MainPage().Buttons(before + 1)->Title, "あ");
    EXPECT_TRUE(Desktop->Boxes.empty());

    // On a separator: an entry that takes no files, so nothing happens.
    ASSERT_TRUE(vantor.Document().AddSeparator(TPageRef{TBarKind::Main, MainPage().SlotIndex}).Done);
    const int separator = MainPage().Count() - 1;
    const TBounds strip = vantor.MainView().Separator(separator)->Bounds();
    SendMessageW(vantor.ScrollBox.Handle(), WM_DROPFILES,
                 reinterpret_cast<WPARAM>(MakeDrop({Widen(a)}, POINT{strip.Left + 4, strip.Top + strip.Height / 2})),
                 0);
    Settle();
    EXPECT_EQ(MainPage().Count(), separator + 1);
    EXPECT_TRUE(Desktop->Starts.empty());
}

TEST_F(VantorTest, KeyDefinitionsRegisterTheHotKeysAndRunShortCutsOfTheMainWindow) {
    TVantor& vantor = Start();
    // A first start: every default key is there, and the hot keys are taken.
    EXPECT_EQ(vantor.Desktop().Keys().KeyOf(ActionActivate), KeyCtrl | KeyAlt | 'L');
    EXPECT_TRUE(vantor.Desktop().Keys().HotKeyRegistered(ActionActivate));
    EXPECT_FALSE(vantor.Desktop().Keys().HotKeyRegistered(ActionExit));  // a menu key, not a hot key

    SetListValue(vantor.MainPages().ShortCuts, "MClearHistory", "Ctrl+Q");
    vantor.Desktop().ApplyKeyDefinitions();
    Vantor->Launcher().AddToHistory(TVantorButton{});
    ASSERT_EQ(History().Count(), 1);
    BYTE keys[256]{};
    GetKeyboardState(keys);
    keys[VK_CONTROL] = 0x80;
    SetKeyboardState(keys);
    MSG press{vantor.ScrollBox.Handle(), WM_KEYDOWN, 'Q', 0, 0, {}};
    EXPECT_TRUE(vantor.Desktop().TranslateShortCut(press));
    EXPECT_EQ(History().Count(), 0);  // asked, and the answer was Yes
    // A key meant for another window is not the main window's.
    press.hwnd = GetDesktopWindow();
    EXPECT_FALSE(vantor.Desktop().TranslateShortCut(press));
    // An action without a command leaves its key to the window.
    vantor.Commands().Bind(ActionDeleteButton, nullptr);
    SetListValue(vantor.MainPages().ShortCuts, "MDeleteButton", "Ctrl+W");
    vantor.Desktop().ApplyKeyDefinitions();
    MSG unbuilt{vantor.ScrollBox.Handle(), WM_KEYDOWN, 'W', 0, 0, {}};
    EXPECT_FALSE(vantor.Desktop().TranslateShortCut(unbuilt));
    keys[VK_CONTROL] = 0;
    SetKeyboardState(keys);
}

TEST_F(VantorTest, TheTrayIconFollowsShowIconAndTheMainMenuEndsTheProgram) {
    TVantor& vantor = Start();
    vantor.Show();
    EXPECT_TRUE(vantor.Desktop().StatusIcon().Visible());
    vantor.Desktop().ShowIcon(false);
    EXPECT_FALSE(vantor.Desktop().StatusIcon().Added());
    // The exit item is the last of the main menu: choosing it closes the
    // window, and the final save writes the files.
    const int items = vantor.MainMenu.Count();
    ASSERT_GE(items, 1);
    wchar_t caption[64]{};
    GetMenuStringW(vantor.MainMenu.Handle(), items - 1, caption, 64, MF_BYPOSITION);
    EXPECT_EQ(Narrow(caption), "終了(&X)");
    EXPECT_TRUE(vantor.MainMenu.RunCommand(GetMenuItemID(vantor.MainMenu.Handle(), items - 1)));
    EXPECT_FALSE(IsWindow(vantor.Handle()));
    EXPECT_TRUE(PathExists(Data + "Vantor.ini"));
}
