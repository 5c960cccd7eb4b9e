// Shortcut files through the shell's link object, item identifier lists and
// special folders.
#include <gtest/gtest.h>
#include <windows.h>

#include "base/handles.h"
#include "base/win_text.h"
#include "model/vantor_classes.h"
#include "shell/id_list.h"
#include "shell/shortcut_link.h"
#include "shell/win_platform.h"
#include "shell_link_file.h"
#include "text/text.h"
#include "win_test_util.h"

namespace {

// 表 and ソ end in the byte 0x5C: a path split on a trail byte would break.
const char kTargetName[] = "表示ソフト.exe";

TShortCutLink SampleLink(const TTempFolder& folder) {
    TShortCutLink link;
    link.FileName = folder / kTargetName;
    link.Arguments = "/x \"a b\" & c";
    link.WorkingDirectory = folder / "作業";
    link.ShowCmd = SW_SHOWMAXIMIZED;
    link.IconLocation = folder / "アイコン.ico";
    link.IconIndex = 2;
    link.HotKey = 0x4000 | 0x8000 | 'L';  // Ctrl+Alt+L
    return link;
}

}  // namespace

TEST(ShortCutLink, WrittenShortcutReadsBackFieldForField) {
    TTempFolder folder;
    WriteTextFile(folder / kTargetName, "MZ");
    MakeFolder(folder / "作業");
    TShortCutLink written = SampleLink(folder);
    std::string lnk = folder / "ショートカット.lnk";
    written.Save(lnk);  // sfNone: the name is the full path

    TShortCutLink read;
    read.SpecialFolder = sfDesktop;
    read.Load(lnk);
    EXPECT_TRUE(SameText(read.FileName, written.FileName)) << read.FileName;
    EXPECT_EQ(read.Arguments, written.Arguments);
    EXPECT_EQ(read.WorkingDirectory, written.WorkingDirectory);
    EXPECT_EQ(read.ShowCmd, SW_SHOWMAXIMIZED);
    EXPECT_EQ(read.IconLocation, written.IconLocation);
    EXPECT_EQ(read.IconIndex, 2);
    EXPECT_EQ(read.HotKey, written.HotKey);
    EXPECT_EQ(read.SpecialFolder, sfNone);

    // Saved again unchanged, it goes back to its own path.
    EXPECT_TRUE(SameText(read.TargetPath(lnk), lnk));
}

TEST(ShortCutLink, EmptyWorkingFolderBecomesTheTargetsFolder) {
    TTempFolder folder;
    TShortCutLink link;
    link.FileName = folder / kTargetName;
    WriteTextFile(link.FileName, "MZ");
    link.Save(folder / "a.lnk");
    TShortCutLink read;
    read.Load(folder / "a.lnk");
    EXPECT_EQ(read.WorkingDirectory, ExcludeTrailingBackslash(folder.Path()));
    EXPECT_EQ(read.IconLocation, "");
    EXPECT_EQ(read.ShowCmd, SW_SHOW);
}

TEST(ShortCutLink, FailuresRaiseWithTheirMessages) {
    TTempFolder folder;
    WriteTextFile(folder / "broken.lnk", "not a shortcut at all");
    TShortCutLink link;
    try {
        link.Load(folder / "broken.lnk");
        FAIL() << "no exception";
    } catch (const EShortCutLink& e) {
        EXPECT_EQ(std::string(e.what()), "ショートカットを読み込めません.");
    }
    link.FileName = folder / kTargetName;
    try {
        link.Save(folder / "missing folder\\x.lnk");
        FAIL() << "no exception";
    } catch (const EShortCutLink& e) {
        EXPECT_EQ(std::string(e.what()), "ショートカットを作成できません.");
    }
}

TEST(ShortCutLink, HotKeysConvertFlagByFlag) {
    EXPECT_EQ(HotKeyToShell(0x2000 | 'A'), (HOTKEYF_SHIFT << 8) | 'A');
    EXPECT_EQ(HotKeyToShell(0x4000 | 0x8000 | VK_F5), ((HOTKEYF_CONTROL | HOTKEYF_ALT) << 8) | VK_F5);
    for (uint16_t key : {0, 0x2000 | 'Z', 0x4000 | '1', 0x8000 | VK_HOME, 0xE000 | 'Q'})
        EXPECT_EQ(HotKeyFromShell(HotKeyToShell(key)), key);
}

TEST(ShortCutLink, AddFileTakesTheShortcutsFields) {
    TTempFolder folder;
    WriteTextFile(folder / kTargetName, "MZ");
    MakeFolder(folder / "作業");
    TShortCutLink link = SampleLink(folder);
    link.Save(folder / "私のプログラム.lnk");
    link.ShowCmd = SW_SHOWMINNOACTIVE;                                // not one of the three kept states
    link.WorkingDirectory = ExcludeTrailingBackslash(folder.Path());  // the target's own folder
    link.Save(folder / "最小化.lnk");
    WriteTextFile(folder / "壊れた.lnk", "garbage");

    TWinPlatform platform;
    TVantorPage page(platform);
    ASSERT_TRUE(page.AddFile(CanonicalPath(folder / "私のプログラム.lnk")));
    ASSERT_TRUE(page.AddFile(CanonicalPath(folder / "最小化.lnk")));
    ASSERT_TRUE(page.AddFile(folder / "壊れた.lnk"));

    const TVantorButton& full = *page.Buttons(0);
    EXPECT_TRUE(SameText(full.LinkTo, folder / kTargetName)) << full.LinkTo;
    EXPECT_EQ(full.Title, "私のプログラム");
    EXPECT_EQ(full.Keyword, "表示ソフト");
    EXPECT_EQ(full.Arguments, link.Arguments);
    EXPECT_EQ(full.WorkingDir, folder / "作業");
    EXPECT_EQ(full.ShowCmd, 3);
    EXPECT_EQ(full.IconPath, link.IconLocation);
    EXPECT_EQ(full.IconIndex, 2);
    EXPECT_FALSE(full.Forbidden);

    const TVantorButton& minimised = *page.Buttons(1);
    EXPECT_EQ(minimised.ShowCmd, 5);
    EXPECT_EQ(minimised.WorkingDir, "");  // equal to the target's folder

    const TVantorButton& broken = *page.Buttons(2);
    EXPECT_EQ(broken.LinkTo, folder / "壊れた.lnk");
    EXPECT_EQ(broken.Title, "壊れた");
    EXPECT_EQ(broken.Keyword, "壊れた");
    EXPECT_EQ(broken.ShowCmd, 5);
}

TEST(IDList, HelpersCopyJoinAndConvert) {
    TTempFolder folder;
    WriteTextFile(folder / kTargetName, "MZ");
    TIDList item(PathToIDList(folder / kTargetName));
    ASSERT_TRUE(item);
    EXPECT_TRUE(SameText(IDListToPath(item.get()), folder / kTargetName));
    EXPECT_EQ(IDListSize(nullptr), 0u);
    EXPECT_EQ(IDListToPath(nullptr), "");
    EXPECT_EQ(PathToIDList(folder / "no such file.txt"), nullptr);

    TIDList copy(CopyIDList(item.get()));
    ASSERT_EQ(IDListSize(copy.get()), IDListSize(item.get()));
    EXPECT_EQ(memcmp(copy.get(), item.get(), IDListSize(item.get())), 0);

    // A null parent gives a copy of the child; parent + its relative child
    // gives the whole path again.
    TIDList joined(ConcatIDLists(nullptr, item.get()));
    EXPECT_EQ(IDListSize(joined.get()), IDListSize(item.get()));
    TIDList parent(PathToIDList(ExcludeTrailingBackslash(folder.Path())));
    ASSERT_TRUE(parent);
    LPCITEMIDLIST last = item.get();
    for (LPCITEMIDLIST at = item.get(); at->mkid.cb != 0; at = NextIDListItem(at)) last = at;
    TIDList rebuilt(ConcatIDLists(parent.get(), last));
    EXPECT_TRUE(SameText(IDListToPath(rebuilt.get()), folder / kTargetName));
}

TEST(IDList, SpecialFolders) {
    EXPECT_EQ(SpecialFolderPath(sfNone), "");
    EXPECT_EQ(SpecialFolderIDList(sfNone), nullptr);
    EXPECT_EQ(SpecialFolderIDList(static_cast<TSpecialFolder>(40)), nullptr);
    EXPECT_NE(SpecialFolderPath(sfDesktop), "");
    EXPECT_NE(SpecialFolderPath(sfPrograms), "");
    // Virtual folders have an item but no file-system path.
    TIDList controls(SpecialFolderIDList(sfControls));
    EXPECT_TRUE(controls);
    EXPECT_EQ(IDListToPath(controls.get()), "");
}

// Shortcuts as a Unicode system writes them, to targets code page 932 spells
// only in part: no entry could start such a target by a name of its own, so
// the shortcut file itself is the entry and the shell follows it.
TEST(ShortCutLink, TargetOutsideCodePage932LeavesTheShortcutAsTheEntry) {
    TTempFolder folder;
    const std::wstring base = Widen(folder.Path());
    const std::wstring spellable = Widen(folder / "表示ソフト.exe");
    const std::wstring unspellable[] = {
        base + L"\u00A0\\\u00A0.exe",      // no-break spaces
        base + L"\u8FD9\u4E2A\\tool.exe",  // Chinese outside JIS
        base + L"Caf\u00E9\\app.exe",      // an accented letter
    };
    for (const std::wstring& target : unspellable) {
        CreateDirectoryW(target.substr(0, target.rfind(L'\\')).c_str(), nullptr);
        TFileHandle(CreateFileW(target.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr));
    }
    TFileHandle(CreateFileW(spellable.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr));
    const std::string links[] = {"空白.lnk",         "中国語.lnk", "アクセント.lnk",
                                 "別のドライブ.lnk", "引数.lnk",   "日本語.lnk"};
    const TShellLinkFile files[] = {
        {unspellable[0], L""},
        {unspellable[1], L""},
        {unspellable[2], L""},
        {L"E:\\\u00A0\\\u00A0.exe", L""},  // not there either
        {spellable, L"/open \u8FD9.txt"},  // arguments it cannot hold
        {spellable, Widen("/open 表.txt")},
    };
    for (size_t i = 0; i < std::size(links); ++i) ASSERT_TRUE(WriteShellLinkFile(Widen(folder / links[i]), files[i]));

    TWinPlatform platform;
    TVantorPage page(platform);
    for (const std::string& lnk : links) ASSERT_TRUE(page.AddFile(folder / lnk));
    for (int i = 0; i < 5; ++i) {
        const TVantorButton& entry = *page.Buttons(i);
        EXPECT_EQ(entry.LinkTo, folder / links[i]);
        EXPECT_EQ(entry.Title + ".lnk", links[i]);
        EXPECT_EQ(entry.Arguments, "");
        EXPECT_EQ(entry.WorkingDir, "");
    }
    const TVantorButton& japanese = *page.Buttons(5);
    EXPECT_TRUE(SameText(japanese.LinkTo, folder / "表示ソフト.exe")) << japanese.LinkTo;
    EXPECT_EQ(japanese.Keyword, "表示ソフト");
    EXPECT_EQ(japanese.Arguments, "/open 表.txt");
}
