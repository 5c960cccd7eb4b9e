#include "menus/folder_menu_model.h"

#include <gtest/gtest.h>

#include "menus/system_button_rules.h"
#include "settings/folder_history.h"

TEST(FolderMenuModel, FoldersComeFirstAndFilesStopAt63) {
    TFolderListing listing;
    for (int i = 99; i >= 0; --i) EXPECT_EQ(listing.Add("C:\\D\\f" + std::to_string(i) + ".txt", false, i), i >= 37);
    listing.Add("C:\\D\\b", true, 200);
    listing.Add("C:\\D\\A", true, 201);  // case ignored: A before b
    std::vector<TFolderListingItem> items = listing.Sorted();
    ASSERT_EQ(items.size(), 65u);
    EXPECT_TRUE(listing.Capped());
    EXPECT_EQ(items[0].Payload, 201);
    EXPECT_EQ(items[1].Payload, 200);
    // The first 63 enumerated are kept, whatever their names.
    EXPECT_EQ(items[2].Path, "C:\\D\\f37.txt");
    EXPECT_EQ(items.back().Path, "C:\\D\\f99.txt");
    // Folders are never capped.
    TFolderListing folders;
    for (int i = 0; i < 100; ++i) EXPECT_TRUE(folders.Add("C:\\" + std::to_string(i), true, i));
}

TEST(FolderMenuModel, FilesListedByExtension) {
    TSortedTextList exts;
    exts.Add(".txt");
    EXPECT_TRUE(FolderMenuListsFile("C:\\A\\Run.EXE", true, exts));
    EXPECT_FALSE(FolderMenuListsFile("C:\\A\\Run.exe", false, exts));
    EXPECT_TRUE(FolderMenuListsFile("C:\\A\\Read.TXT", false, exts));
    EXPECT_FALSE(FolderMenuListsFile("C:\\A.txt\\noext", true, exts));  // the dot is in a folder name
    // "表" ends in the byte 0x5C: not a backslash, the extension stays.
    EXPECT_TRUE(FolderMenuListsFile("C:\\表.lnk", true, exts));
    EXPECT_FALSE(FolderMenuWantsFiles(false, TSortedTextList()));
}

TEST(FolderMenuModel, ColumnBreaksEveryScreenfulIncludingTheCommands) {
    EXPECT_EQ(FolderMenuColumnBreaks(4 + 100, 50, true), (std::vector<int32_t>{50, 100}));
    // The last column holds no more than a screenful either.
    EXPECT_EQ(FolderMenuColumnBreaks(102, 50, true), (std::vector<int32_t>{50, 100}));
    EXPECT_EQ(FolderMenuColumnBreaks(50, 50, true), std::vector<int32_t>{});
    EXPECT_TRUE(FolderMenuColumnBreaks(104, 50, false).empty());
    EXPECT_TRUE(FolderMenuColumnBreaks(104, 0, true).empty());
}

TEST(FolderMenuModel, CaptionsOfFoldersAndObjects) {
    const std::string at32 = "C:\\" + std::string(24, 'x') + "\\Folder";  // 3 + 24 + 7 = 34
    EXPECT_EQ(ShortenFolderPath(at32), "C:\\...\\Folder");
    EXPECT_EQ(ShortenFolderPath(at32.substr(2)), at32.substr(2));  // 32: as it is
    EXPECT_EQ(ShortenFolderPath("C:\\" + std::string(30, 'y') + "\\"), "C:\\...\\" + std::string(30, 'y'));
    // Characters, not bytes, and a double-byte one is never cut.
    const std::string kanji = "表示ソ\\";
    std::string longKanji = kanji;
    while (longKanji.size() < 70) longKanji += "表示ソ\\";
    longKanji += "最後";
    EXPECT_EQ(ShortenFolderPath(longKanji), "表示ソ...\\最後");
    EXPECT_EQ(ShortenFolderPath(kanji + kanji + kanji + kanji), kanji + kanji + kanji + kanji);

    EXPECT_EQ(FolderObjectCaption("C:\\Dir\\Tool.exe", true, false, "Tool.exe"), "Tool");
    EXPECT_EQ(FolderObjectCaption("C:\\Dir\\v1.2", true, true, "v1.2"), "v1.2");
    EXPECT_EQ(FolderObjectCaption("C:\\", true, true, "Local Disk (C:)"), "Local Disk (C:)");
    EXPECT_EQ(FolderObjectCaption("", false, true, "コントロールパネル"), "コントロールパネル");
    EXPECT_EQ(ProgramFilesFolderFor("D:\\WINNT\\system32"), "D:\\Program Files");
}

TEST(FolderMenuModel, RootFoldersInTheirFixedOrder) {
    std::vector<TRootFolder> shown = VisibleRootFolders(TVisibleFolders());
    ASSERT_EQ(shown.size(), 6u);
    EXPECT_EQ(shown[0].Kind, TRootFolderKind::ControlPanel);
    EXPECT_EQ(shown[5].Kind, TRootFolderKind::MyDocuments);
    TVisibleFolders all{true, true, true, true, true, true, true, true, true, true, true, true, true, true, true};
    EXPECT_EQ(VisibleRootFolders(all).size(), 14u);  // the dial-up flag adds nothing
}

TEST(FolderMenuModel, FolderListAndHistoryKeepTheirLimitsWithoutDuplicates) {
    TSortedTextList folders;
    EXPECT_EQ(AddCustomFolder(folders, "C:\\B"), TAddFolderResult::Added);
    EXPECT_EQ(AddCustomFolder(folders, "c:\\b"), TAddFolderResult::AlreadyThere);
    for (int i = 0; i < 40; ++i) AddCustomFolder(folders, "C:\\F" + std::to_string(i));
    EXPECT_EQ(folders.Count(), 32u);
    EXPECT_EQ(AddCustomFolder(folders, "C:\\Zzz"), TAddFolderResult::Full);
    EXPECT_EQ(folders.IndexOf("C:\\Zzz"), -1);

    TFolderHistory history;
    for (int i = 0; i < 17; ++i) history.Add("C:\\H" + std::to_string(i));
    history.Add("c:\\h10");
    ASSERT_EQ(history.Items.size(), 16u);
    EXPECT_EQ(history.Items[0], "c:\\h10");
    EXPECT_EQ(history.Items[15], "C:\\H1");
}

TEST(SystemButtonRules, MenuPointPointerNudgeRestartAndAutoRunLine) {
    EXPECT_EQ(SystemMenuPoint(1, 100, 0, 22, 22), (TPoint{100, 24}));
    EXPECT_EQ(SystemMenuPoint(2, 100, 500, 22, 22), (TPoint{100, 498}));
    EXPECT_EQ(SystemMenuPoint(4, 900, 10, 22, 22), (TPoint{921, 34}));
    EXPECT_FALSE(SystemMenuPoint(0, 0, 0, 22, 22));

    EXPECT_EQ(ScreenSaverPointerNudge(0, 0, 1280, 1024), (TPoint{1, 0}));
    EXPECT_EQ(ScreenSaverPointerNudge(1279, 1023, 1280, 1024), (TPoint{1278, 1023}));
    EXPECT_FALSE(ScreenSaverPointerNudge(0, 500, 1280, 1024));

    EXPECT_TRUE(UseRestartProgram(false, true, false));
    EXPECT_FALSE(UseRestartProgram(true, true, true));

    TAutoRunStart plain = AutoRunStartFor("E:\\", "setup.exe");
    EXPECT_EQ(plain.File, "E:\\setup.exe");
    EXPECT_EQ(plain.Arguments, "");
    TAutoRunStart quoted = AutoRunStartFor("E:\\", "\"my setup.exe\" \"/a b\"");
    EXPECT_EQ(quoted.File, "E:\\my setup.exe");
    EXPECT_EQ(quoted.Arguments, "\"/a b\"");
    EXPECT_EQ(AutoRunStartFor("E:\\", "My Setup.exe /x").File, "E:\\My Setup.exe");

    EXPECT_EQ(AutoRunPolicyValue(0x91, false), 0xB1u);
    EXPECT_EQ(AutoRunPolicyValue(0xB1, true), 0x91u);
}
