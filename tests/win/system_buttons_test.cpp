// The folder menu over a real folder tree, the AutoRun policy in the registry,
// and the screen-saver, shutdown and restart paths of the main window with
// the desktop services replaced.
//
// The folder menu's timing runs on request only:
//   vantor_win_tests.exe --gtest_also_run_disabled_tests --gtest_filter=*FolderMenuTiming*
#include <gtest/gtest.h>
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <functional>
#include <vector>

#include "app/vantor.h"
#include "base/menu_images.h"
#include "base/win_text.h"
#include "controls_test_support.h"
#include "menus/folder_menu.h"
#include "recording_desktop.h"
#include "shell/auto_run.h"
#include "shell/shortcut_link.h"
#include "shell/win_platform.h"
#include "text/text.h"
#include "win_test_util.h"

namespace {

class TMenuHost : public TFolderMenuHost {
public:
    explicit TMenuHost(TPlatform& platform) : Pages(platform) {}
    TVantorManager Pages;
    TFolderHistory History;
    std::vector<std::string> Errors;
    std::vector<std::string> Executed;
    int PageChanges = 0;
    HWND Owner = nullptr;

    HWND FolderMenuOwner() override { return Owner; }
    TVantorManager& FolderMenuPages() override { return Pages; }
    TFolderHistory& FolderMenuHistory() override { return History; }
    void FolderMenuPageChanged() override { ++PageChanges; }
    void FolderMenuError(const std::string& text) override { Errors.push_back(text); }
    void FolderMenuExecute(LPCITEMIDLIST item) override { Executed.push_back(IDListToPath(item)); }
};

std::vector<std::string> Captions(const TPopupMenu& menu) {
    std::vector<std::string> captions;
    for (int i = 0; i < menu.Count(); ++i) captions.push_back(menu.IsSeparator(i) ? "-" : menu.Caption(i));
    return captions;
}

// Opens an object item's submenu as the menu loop would and returns it.
TPopupMenu& Open(TPopupMenu& parent, const std::string& caption) {
    const int position = parent.Find(caption);
    EXPECT_GE(position, 0) << caption;
    TPopupMenu* submenu = parent.Submenu(position < 0 ? 0 : position);
    EXPECT_NE(submenu, nullptr) << caption;
    submenu->InitPopup();
    return *submenu;
}

void Choose(TPopupMenu& menu, const std::string& caption) {
    const int position = menu.Find(caption);
    ASSERT_GE(position, 0) << caption;
    ASSERT_TRUE(menu.RunCommand(menu.ItemId(position)));
}

class FolderMenuTest : public testing::Test {
protected:
    TTempFolder Folder{"vantor-folder-menu"};
    std::string Root = ExcludeTrailingBackslash(Folder.Path());
    TWinPlatform Platform;
    TMenuHost Host{Platform};
    TFolderMenu Menu{Host};

    void SetUp() override {
        // 表 and ソ end in the byte 0x5C.
        MakeFolder(Folder / "b_folder");
        MakeFolder(Folder / "A表示");
        MakeFolder(Folder / "empty");
        WriteTextFile(Folder / "A表示\\内側.exe", "MZ");
        WriteTextFile(Folder / "ソフト.txt", "text");
        WriteTextFile(Folder / "prog.exe", "MZ");
        WriteTextFile(Folder / "data.dat", "not listed");
        TShortCutLink link;
        link.FileName = Folder / "prog.exe";
        link.Save(Folder / "リンク.lnk");
        // Only the test's folders at the root, apart from the drives.
        Host.Pages.VisibleFolders = TVisibleFolders{false, false, false, false, false, false, false, false,
                                                    false, false, false, false, false, false, false};
        Host.Pages.SetDefaultCustomExts();
        Host.Pages.CustomFolders.Add(Root);
        Host.Pages.CustomFolders.Add(Folder / "gone");
    }
    void TearDown() override { Menu.Close(); }
};

}  // namespace

TEST_F(FolderMenuTest, RootListsDrivesUserFoldersAndHistoryAndForgetsVanishedFolders) {
    Host.History.Items = {Folder / "b_folder", Folder / "vanished", Root};
    Menu.BuildRoot();
    TPopupMenu& root = Menu.Menu();
    std::vector<std::string> captions = Captions(root);
    // Drive C: of the prefix comes first; the user folder that no longer
    // exists is not shown but stays in the list.
    ASSERT_GE(captions.size(), 5u);
    const int separator = root.Find(ShortenFolderPath(Root)) - 1;
    ASSERT_GT(separator, 0);
    EXPECT_TRUE(root.IsSeparator(separator));
    EXPECT_EQ(Host.Pages.CustomFolders.Count(), 2u);
    EXPECT_EQ(root.Count(), separator + 4);  // the folder, a separator, the history
    EXPECT_EQ(captions.back(), FolderMenuRecent);
    EXPECT_GE(root.Image(separator + 1), 0);

    TPopupMenu& recent = *root.Submenu(root.Count() - 1);
    EXPECT_EQ(Captions(recent), (std::vector<std::string>{"b_folder", ExtractFileName(Root)}));
    EXPECT_EQ(Host.History.Items, (std::vector<std::string>{Folder / "b_folder", Root}));
    Menu.Close();
    EXPECT_EQ(Menu.Menu().Count(), 0);
}

TEST_F(FolderMenuTest, SubmenusListFoldersThenChosenFilesOnceEachAndRunTheirCommands) {
    Menu.BuildRoot();
    TPopupMenu& folder = Open(Menu.Menu(), ShortenFolderPath(Root));
    EXPECT_EQ(Captions(folder), (std::vector<std::string>{FolderMenuOpen, FolderMenuAddButton, FolderMenuAddToMenu, "-",
                                                          "A表示", "b_folder", "empty", "prog", "ソフト", "リンク"}));
    folder.InitPopup();  // opened again: listed once per drop-down
    EXPECT_EQ(folder.Count(), 10);

    // A file's commands: no "add to the menu", and it is never listed.
    TPopupMenu& file = Open(folder, "ソフト");
    EXPECT_EQ(Captions(file), (std::vector<std::string>{FolderMenuExecute, FolderMenuAddButton}));
    TPopupMenu& nested = Open(folder, "A表示");
    EXPECT_EQ(Captions(nested).back(), "内側");
    // An empty folder holds its commands alone.
    EXPECT_EQ(Open(folder, "empty").Count(), 3);

    // Executing records the file's folder at the top of the history.
    Choose(file, FolderMenuExecute);
    EXPECT_EQ(Host.Executed, std::vector<std::string>{Folder / "ソフト.txt"});
    EXPECT_EQ(Host.History.Items, std::vector<std::string>{Root});
    // A shortcut becomes an entry for its target.
    Choose(Open(folder, "リンク"), FolderMenuAddButton);
    TVantorPage& page = *Host.Pages.Pages(0);
    ASSERT_EQ(page.Count(), 1);
    EXPECT_TRUE(SameText(page.Buttons(0)->LinkTo, Folder / "prog.exe"));
    EXPECT_EQ(page.Buttons(0)->Title, "リンク");
    EXPECT_EQ(Host.PageChanges, 1);
    Choose(Open(folder, "A表示"), FolderMenuAddToMenu);
    EXPECT_GE(Host.Pages.CustomFolders.IndexOf(Folder / "A表示"), 0);
    EXPECT_TRUE(Host.Errors.empty());
}

TEST_F(FolderMenuTest, CommandsKeepTheirLimits) {
    TVantorPage& page = *Host.Pages.Pages(0);
    while (!page.IsFull()) page.Add(Folder / "prog.exe", "x", "", "", "", 5, false, "", 0);
    for (int i = 0; Host.Pages.CustomFolders.Count() < 32; ++i)
        Host.Pages.CustomFolders.Add("C:\\F" + std::to_string(i));
    Menu.BuildRoot();
    TPopupMenu& folder = Open(Menu.Menu(), ShortenFolderPath(Root));
    Choose(Open(folder, "prog"), FolderMenuAddButton);
    Choose(Open(folder, "b_folder"), FolderMenuAddToMenu);
    EXPECT_EQ(Host.Errors, (std::vector<std::string>{"1つのページに登録できるボタンまたはセパレータは128個までです。",
                                                     "登録できるフォルダは32個までです。"}));
    EXPECT_EQ(page.Count(), 128);
    EXPECT_EQ(Host.Pages.CustomFolders.IndexOf(Folder / "b_folder"), -1);
}

TEST_F(FolderMenuTest, ASlowFolderIsGivenUpWithAnItemThatSaysSo) {
    Menu.BuildRoot();
    TPopupMenu& root = Menu.Menu();
    Menu.ListingTimeoutMs = 100;
    Menu.BeforeListing = [] { Sleep(1000); };
    const DWORD start = GetTickCount();
    TPopupMenu& folder = Open(root, ShortenFolderPath(Root));
    EXPECT_LT(GetTickCount() - start, 800u);
    ASSERT_EQ(folder.Count(), 5);
    EXPECT_EQ(folder.Caption(4), TFolderMenu::NotResponding);
    EXPECT_FALSE(folder.IsEnabled(4));
}

namespace {

BOOL CALLBACK AddShownMenu(HWND window, LPARAM list) {
    wchar_t name[16] = {};
    GetClassNameW(window, name, 16);
    if (IsWindowVisible(window) && lstrcmpW(name, L"#32768") == 0)
        reinterpret_cast<std::vector<HWND>*>(list)->push_back(window);
    return TRUE;
}

// The menus of this thread shown on the screen.
std::vector<HWND> ShownMenus() {
    std::vector<HWND> menus;
    EnumThreadWindows(GetCurrentThreadId(), AddShownMenu, reinterpret_cast<LPARAM>(&menus));
    return menus;
}

// Drives a shown menu from its own loop, as the user's keys would, and looks
// at it once the submenu opened by the keys is on the screen.
struct TMenuDriver {
    static inline TMenuDriver* Active = nullptr;
    std::function<void()> Look;
    int Ticks = 0;
    int SubmenuSeen = 0;
    bool Looked = false;

    static void CALLBACK Tick(HWND, UINT, UINT_PTR, DWORD) {
        TMenuDriver& d = *Active;
        const std::vector<HWND> menus = ShownMenus();
        if (++d.Ticks > 200) {
            EndMenu();
        } else if (d.Ticks == 2 && menus.size() == 1) {
            // The last item of the root is the test's folder: into it.
            PostMessageW(menus[0], WM_KEYDOWN, VK_UP, 0);
            PostMessageW(menus[0], WM_KEYDOWN, VK_RIGHT, 0);
        } else if (menus.size() == 2 && ++d.SubmenuSeen == 2) {
            // Seen on two ticks: it has painted in between.
            d.Look();
            d.Looked = true;
            EndMenu();
        }
    }
};

// The first column of a row of the screen that is not the menu's background.
int FirstInk(HDC screen, const RECT& row) {
    const COLORREF back = GetSysColor(COLOR_MENU);
    for (int x = row.left; x < row.right; ++x)
        for (int y = row.top + 1; y < row.bottom - 1; ++y)
            if (GetPixel(screen, x, y) != back) return x;
    return row.right;
}

}  // namespace

// A folder's submenu holds its commands above its listing, and with short
// names listed "メニューに追加(&M)" is its widest caption. Every caption
// starts after the listing's pictures, so the menu must be wide enough for
// the whole of it there.
TEST_F(FolderMenuTest, ACommandWiderThanTheNamesListedIsShownWhole) {
    TTempFolder small("vantor-folder-menu-short");
    WriteTextFile(small / "a.txt", "short");
    Host.Pages.CustomFolders.Clear();
    Host.Pages.CustomFolders.Add(ExcludeTrailingBackslash(small.Path()));
    TTestTopWindow owner;
    ASSERT_TRUE(owner.Create(100, 100));
    ShowWindow(owner.Handle(), SW_SHOWNOACTIVATE);
    Host.Owner = owner.Handle();
    TMenuDriver driver;
    driver.Look = [&] {
        TPopupMenu& root = Menu.Menu();
        TPopupMenu* folder = root.Submenu(root.Count() - 1);
        ASSERT_NE(folder, nullptr);
        EXPECT_EQ(Captions(*folder),
                  (std::vector<std::string>{FolderMenuOpen, FolderMenuAddButton, FolderMenuAddToMenu, "-", "a"}));
        const int position = folder->Find(FolderMenuAddToMenu);
        RECT item{};
        ASSERT_TRUE(GetMenuItemRect(nullptr, folder->Handle(), static_cast<UINT>(position), &item));
        NONCLIENTMETRICSW metrics{};
        metrics.cbSize = sizeof(metrics);
        SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof(metrics), &metrics, 0);
        HDC screen = GetDC(nullptr);
        HFONT font = CreateFontIndirectW(&metrics.lfMenuFont);
        HGDIOBJ old = SelectObject(screen, font);
        const std::wstring caption = Widen("メニューに追加(M)");
        SIZE text{};
        GetTextExtentPoint32W(screen, caption.c_str(), static_cast<int>(caption.size()), &text);
        const int start = FirstInk(screen, item);
        SelectObject(screen, old);
        DeleteObject(font);
        ReleaseDC(nullptr, screen);
        EXPECT_LE(start + text.cx, item.right) << "the caption starts at " << start << " and is " << text.cx
                                               << " pixels long in an item ending at " << item.right;
    };
    TMenuDriver::Active = &driver;
    const UINT_PTR timer = SetTimer(nullptr, 0, 50, &TMenuDriver::Tick);
    Menu.DropDown(POINT{200, 200});
    KillTimer(nullptr, timer);
    TMenuDriver::Active = nullptr;
    EXPECT_TRUE(driver.Looked) << "the folder's submenu never showed";
}

TEST(AutoRunPolicy, TheCdRomBitIsWrittenAndReadBackAndOtherBitsStay) {
    const std::wstring key = L"Software\\VantorTests\\AutoRun";
    RegDeleteTreeW(HKEY_CURRENT_USER, L"Software\\VantorTests");
    TAutoRunPolicy policy(key);
    EXPECT_TRUE(policy.IsEnabled());  // no key
    EXPECT_TRUE(policy.SetEnabled(true));
    HKEY handle = nullptr;
    EXPECT_NE(RegOpenKeyExW(HKEY_CURRENT_USER, key.c_str(), 0, KEY_READ, &handle), ERROR_SUCCESS);  // nothing to write
    // No key and no value, as on a system nobody has set it on: made with the
    // system's default for the other drive types.
    EXPECT_TRUE(policy.SetEnabled(false));
    EXPECT_FALSE(policy.IsEnabled());
    ASSERT_EQ(RegCreateKeyExW(HKEY_CURRENT_USER, key.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &handle, nullptr),
              ERROR_SUCCESS);
    auto read = [&] {
        DWORD value = 0, size = sizeof(value);
        RegQueryValueExW(handle, TAutoRunPolicy::ValueName, nullptr, nullptr, reinterpret_cast<BYTE*>(&value), &size);
        return value;
    };
    EXPECT_EQ(read(), 0xB1u);
    DWORD value = 0x91;
    RegSetValueExW(handle, TAutoRunPolicy::ValueName, 0, REG_DWORD, reinterpret_cast<BYTE*>(&value), sizeof(value));
    EXPECT_TRUE(policy.IsEnabled());
    EXPECT_TRUE(policy.SetEnabled(false));
    EXPECT_EQ(read(), 0xB1u);
    EXPECT_FALSE(policy.IsEnabled());
    EXPECT_TRUE(policy.SetEnabled(true));
    EXPECT_EQ(read(), 0x91u);
    RegSetValueExW(handle, TAutoRunPolicy::ValueName, 0, REG_SZ, reinterpret_cast<const BYTE*>(L"32"), 6);
    EXPECT_TRUE(policy.IsEnabled());
    EXPECT_FALSE(policy.SetEnabled(false));
    RegCloseKey(handle);
    RegDeleteTreeW(HKEY_CURRENT_USER, L"Software\\VantorTests");
}

namespace {

class SystemButtonsTest : public testing::Test {
protected:
    TTempFolder Folder{"vantor-system-buttons"};
    std::string Data = Folder / "Data\\";
    TWinPlatform Platform;
    TRecordingDesktop* Desktop = nullptr;
    std::unique_ptr<TVantor> Vantor;

    void SetUp() override { MakeFolder(Data); }
    void TearDown() override { Vantor.reset(); }

    TVantor& Start() {
        auto desktop = std::make_unique<TRecordingDesktop>();
        Desktop = desktop.get();
        Vantor = std::make_unique<TVantor>(Platform, Folder.Path(), Data, std::move(desktop));
        Vantor->QuitOnDestroy = false;
        EXPECT_TRUE(Vantor->Create());
        return *Vantor;
    }
};

}  // namespace

TEST_F(SystemButtonsTest, TheScreenSaverStopsForTheSessionAndStartsOnRequest) {
    TVantor& vantor = Start();
    TSystemButtons& buttons = vantor.SystemFunctions();
    TIconButton& button = vantor.SystemButtons[sbScreenSaver];
    EXPECT_EQ(button.ButtonType(), itCheck);
    buttons.MInvalidateScreenSaverClick();
    EXPECT_TRUE(button.Down());
    EXPECT_TRUE(buttons.ScreenSaverMenu().IsChecked(0));
    EXPECT_FALSE(Desktop->ScreenSaverOn);
    EXPECT_EQ(button.Icon(), MenuImages().Icon(miScreenSaverStopped));
    buttons.MInvalidateScreenSaverClick();
    EXPECT_FALSE(button.Down());
    EXPECT_TRUE(Desktop->ScreenSaverOn);
    EXPECT_EQ(button.Icon(), MenuImages().Icon(miScreenSaver));

    // The hot key and a Ctrl-click start it at once, without the menu.
    vantor.Desktop().ExecuteAction(ActionScreenSaver);
    Desktop->CtrlDown = true;
    buttons.BScreenSaverClick(true);
    EXPECT_EQ(Desktop->ScreenSaverStarts, 2);
    EXPECT_TRUE(vantor.SkipNextTopmost);
}

TEST_F(SystemButtonsTest, ShutdownAndRestartSaveFirstAndAskWhenTheSaveFails) {
    TVantor& vantor = Start();
    TSystemButtons& buttons = vantor.SystemFunctions();
    // No to the question: nothing is saved, nothing ends.
    Desktop->Answer = IDNO;
    buttons.BShutdownClick();
    ASSERT_EQ(Desktop->Boxes, std::vector<std::string>{"Windowsを終了します。よろしいですか？"});
    EXPECT_FALSE(PathExists(Data + "Main.pag"));
    EXPECT_TRUE(Desktop->ExitRequests.empty());

    Desktop->Answer = IDYES;
    buttons.BShutdownClick();
    EXPECT_TRUE(PathExists(Data + "Main.pag"));
    EXPECT_EQ(Desktop->ExitRequests, std::vector<UINT>{EWX_SHUTDOWN});

    // Without the question; a save that fails is told before Windows goes,
    // and Abort keeps it running.
    vantor.MainPages().ConfirmReboot = false;
    DeleteFileW(Widen(Data + "Smart.pag").c_str());
    MakeFolder(Data + "Smart.pag");
    Desktop->Boxes.clear();
    Desktop->Answer = IDABORT;
    buttons.BRebootClick();
    ASSERT_EQ(Desktop->Boxes.size(), 1u);
    EXPECT_NE(Desktop->Boxes[0].find("Windowsを再起動を取り消します"), std::string::npos);
    EXPECT_EQ(Desktop->ExitRequests.size(), 1u);
    Desktop->Answer = IDIGNORE;
    buttons.BRebootClick();
    EXPECT_EQ(Desktop->ExitRequests, (std::vector<UINT>{EWX_SHUTDOWN, EWX_REBOOT}));
    RemoveTree(Data + "Smart.pag");

    // Shift on the 95/98 family asks for the separate restart program.
    vantor.IsNT = false;
    Desktop->ShiftDown = true;
    Desktop->Boxes.clear();
    buttons.BRebootClick();
    ASSERT_TRUE(vantor.Probe().FinishAll());
    EXPECT_EQ(Desktop->Boxes, std::vector<std::string>{"\"" + Folder.Path() + "Restart.exe\"が見つかりません。"});
    WriteTextFile(Folder / "Restart.exe", "MZ");
    buttons.BRebootClick();
    ASSERT_TRUE(vantor.Probe().FinishAll());
    EXPECT_EQ(Desktop->StartedItems, std::vector<std::string>{Folder / "Restart.exe"});
    EXPECT_EQ(Desktop->ExitRequests.size(), 2u);
}

TEST_F(SystemButtonsTest, TheAutoRunButtonShowsTheRegistryAndAFailedWriteChangesNothing) {
    TVantor& vantor = Start();
    TSystemButtons& buttons = vantor.SystemFunctions();
    RegDeleteTreeW(HKEY_CURRENT_USER, L"Software\\VantorTests");
    buttons.AutoRun = TAutoRunPolicy(L"Software\\VantorTests\\AutoRun");
    HKEY handle = nullptr;
    RegCreateKeyExW(HKEY_CURRENT_USER, L"Software\\VantorTests\\AutoRun", 0, nullptr, 0, KEY_ALL_ACCESS, nullptr,
                    &handle, nullptr);
    // A value of another program's making that is not a number is not replaced.
    RegSetValueExW(handle, TAutoRunPolicy::ValueName, 0, REG_SZ, reinterpret_cast<const BYTE*>(L"32"), 6);
    buttons.ShowAutoRunState(!buttons.AutoRun.IsEnabled(), false);
    EXPECT_FALSE(vantor.SystemButtons[sbStopAutoRun].Down());
    buttons.MInvalidateAutoRunClick();
    EXPECT_EQ(Desktop->Boxes, std::vector<std::string>{"AutoRunの停止に失敗しました。"});
    EXPECT_FALSE(vantor.SystemButtons[sbStopAutoRun].Down());
    EXPECT_FALSE(buttons.AutoRunMenu().IsChecked(0));

    DWORD value = 0x91;
    RegSetValueExW(handle, TAutoRunPolicy::ValueName, 0, REG_DWORD, reinterpret_cast<BYTE*>(&value), sizeof(value));
    RegCloseKey(handle);
    buttons.MInvalidateAutoRunClick();
    EXPECT_TRUE(vantor.SystemButtons[sbStopAutoRun].Down());
    EXPECT_TRUE(buttons.AutoRunMenu().IsChecked(0));
    EXPECT_EQ(vantor.SystemButtons[sbStopAutoRun].Icon(), MenuImages().Icon(miAutoRunStopped));
    EXPECT_FALSE(buttons.AutoRun.IsEnabled());
    // The drive list is made as the menu opens; no CD-ROM, nothing to run.
    buttons.AutoRunMenu().InitPopup();
    EXPECT_EQ(buttons.AutoRunMenu().IsEnabled(1), buttons.AutoRunMenu().Submenu(1)->Count() > 0);
    RegDeleteTreeW(HKEY_CURRENT_USER, L"Software\\VantorTests");
}

// A stock Windows 10 or 11 has no NoDriveTypeAutoRun under the user's
// policies (nor, often, the key): stopping AutoRun there makes them, on the
// prefix's real registry, and tells of no failure. What was there is put back.
TEST_F(SystemButtonsTest, StoppingAutoRunWhereNoPolicyWasEverSetMakesIt) {
    const std::wstring key = TAutoRunPolicy::DefaultKey;
    const std::wstring policies = key.substr(0, key.rfind(L'\\'));
    HKEY handle = nullptr;
    const bool hadPolicies = RegOpenKeyExW(HKEY_CURRENT_USER, policies.c_str(), 0, KEY_READ, &handle) == ERROR_SUCCESS;
    if (handle) RegCloseKey(handle);
    handle = nullptr;
    const bool hadKey = RegOpenKeyExW(HKEY_CURRENT_USER, key.c_str(), 0, KEY_ALL_ACCESS, &handle) == ERROR_SUCCESS;
    DWORD before = 0, type = 0, size = sizeof(before);
    const bool hadValue = hadKey && RegQueryValueExW(handle, TAutoRunPolicy::ValueName, nullptr, &type,
                                                     reinterpret_cast<BYTE*>(&before), &size) == ERROR_SUCCESS;
    if (hadValue) RegDeleteValueW(handle, TAutoRunPolicy::ValueName);
    if (handle) RegCloseKey(handle);

    TVantor& vantor = Start();
    TSystemButtons& buttons = vantor.SystemFunctions();
    buttons.ShowAutoRunState(!buttons.AutoRun.IsEnabled(), false);
    buttons.MInvalidateAutoRunClick();
    EXPECT_TRUE(Desktop->Boxes.empty());
    EXPECT_TRUE(vantor.SystemButtons[sbStopAutoRun].Down());
    EXPECT_FALSE(TAutoRunPolicy().IsEnabled());

    ASSERT_EQ(RegOpenKeyExW(HKEY_CURRENT_USER, key.c_str(), 0, KEY_ALL_ACCESS, &handle), ERROR_SUCCESS);
    DWORD value = 0;
    size = sizeof(value);
    EXPECT_EQ(
        RegQueryValueExW(handle, TAutoRunPolicy::ValueName, nullptr, &type, reinterpret_cast<BYTE*>(&value), &size),
        ERROR_SUCCESS);
    EXPECT_EQ(type, static_cast<DWORD>(REG_DWORD));
    EXPECT_EQ(value & 0x20u, 0x20u);
    if (hadValue)
        RegSetValueExW(handle, TAutoRunPolicy::ValueName, 0, type, reinterpret_cast<BYTE*>(&before), sizeof(before));
    else
        RegDeleteValueW(handle, TAutoRunPolicy::ValueName);
    RegCloseKey(handle);
    if (!hadKey) RegDeleteKeyW(HKEY_CURRENT_USER, key.c_str());
    if (!hadPolicies) RegDeleteKeyW(HKEY_CURRENT_USER, policies.c_str());
}

// What a user waits for when a folder of 10,000 files opens in the folder
// menu: the listing on its worker and the submenu's items. Runs on request
// only (bench/folder_menu_wine.sh).
TEST_F(FolderMenuTest, DISABLED_FolderMenuTiming) {
    const std::string big = Folder / "big";
    MakeFolder(big);
    for (int i = 0; i < 10000; ++i) {
        const std::string number = std::to_string(100000 + i).substr(1);
        TFileHandle file(CreateFileW(Widen(big + "\\ファイル" + number + ".txt").c_str(), GENERIC_WRITE, 0, nullptr,
                                     CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr));
        ASSERT_TRUE(file);
    }
    Host.Pages.CustomFolders.Clear();
    Host.Pages.CustomFolders.Add(big);
    std::vector<DWORD> times;
    for (int run = 0; run < 7; ++run) {
        Menu.BuildRoot();
        const DWORD start = GetTickCount();
        TPopupMenu& folder = Open(Menu.Menu(), ShortenFolderPath(big));
        times.push_back(GetTickCount() - start);
        EXPECT_EQ(folder.Count(), 4 + MaxFolderMenuFiles);
        Menu.Close();
    }
    std::sort(times.begin(), times.end());
    std::printf("folder of 10000 files: submenu filled in %lu ms (median of 7, %lu..%lu)\n",
                static_cast<unsigned long>(times[3]), static_cast<unsigned long>(times.front()),
                static_cast<unsigned long>(times.back()));
}
