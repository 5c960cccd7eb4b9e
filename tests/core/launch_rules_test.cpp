// The portable half of starting entries: folders under each filer setting,
// arguments for dropped files, and the history of starts.
#include "launch/launch_rules.h"

#include <gtest/gtest.h>

#include "fake_platform.h"

TEST(LaunchRules, FolderOpensAsTheFilerSettingSays) {
    auto open = FolderStart(0, "", false, "C:\\Data", 3);
    ASSERT_TRUE(open);
    EXPECT_EQ(open->Verb, "open");
    EXPECT_EQ(open->File, "C:\\Data");
    EXPECT_EQ(open->ShowCmd, 3);
    EXPECT_EQ(FolderStart(1, "", false, "C:\\Data", 5)->Verb, "explore");
    auto filer = FolderStart(2, "C:\\Tools\\Filer.exe", true, "C:\\Program Files\\x", 5);
    EXPECT_EQ(filer->File, "C:\\Tools\\Filer.exe");
    EXPECT_EQ(filer->Parameters, "\"C:\\Program Files\\x\"");  // one argument
    EXPECT_EQ(FolderStart(2, "C:\\Tools\\Filer.exe", true, "C:\\", 5)->Parameters, "\"C:\\\\\"");
    // A filer that has gone falls back to opening the folder.
    auto gone = FolderStart(2, "C:\\Tools\\Filer.exe", false, "C:\\Data", 5);
    EXPECT_EQ(gone->File, "C:\\Data");
    EXPECT_TRUE(gone->Parameters.empty());
    EXPECT_FALSE(FolderStart(7, "", false, "C:\\Data", 5));
}

TEST(LaunchRules, StartFolderAndQuoting) {
    EXPECT_EQ(StartFolder("D:\\Work", "C:\\App\\a.exe"), "D:\\Work");
    EXPECT_EQ(StartFolder("", "C:\\App\\a.exe"), "C:\\App");
    EXPECT_EQ(StartFolder("", ""), "");
    // 表 ends in the byte 0x5C: not a backslash of the path.
    EXPECT_EQ(StartFolder("", "C:\\表\\a.exe"), "C:\\表");
    EXPECT_EQ(QuotedFileName("C:\\a b.txt"), "\"C:\\a b.txt\"");
    EXPECT_EQ(QuotedFileName("C:\\"), "\"C:\\\\\"");
    EXPECT_EQ(QuotedFileName("C:\\表"), "\"C:\\表\"");
}

TEST(LaunchRules, DroppedFilesGoToAProgramOneByOneOrAllAtOnce) {
    const std::vector<std::string> files{"C:\\a.txt", "D:\\"};
    EXPECT_EQ(DropArguments("-x", files, false), (std::vector<std::string>{"-x \"C:\\a.txt\"", "-x \"D:\\\\\""}));
    EXPECT_EQ(DropArguments("-x", files, true), (std::vector<std::string>{"-x \"C:\\a.txt\" \"D:\\\\\""}));
    EXPECT_TRUE(IsProgramTarget("C:\\App\\TOOL.EXE"));
    EXPECT_FALSE(IsProgramTarget("C:\\App\\readme.txt"));
    std::vector<std::string> names{"b.txt", "A.txt", "a.doc"};
    SortDroppedNames(names);
    EXPECT_EQ(names, (std::vector<std::string>{"a.doc", "A.txt", "b.txt"}));
}

TEST(LaunchRules, HistoryKeepsSixteenMostRecentWithoutDuplicates) {
    TFakePlatform platform;
    TVantorPage history(platform);
    TVantorButton entry;
    for (int i = 0; i < 20; ++i) {
        entry.LinkTo = "C:\\App\\" + std::to_string(i) + ".exe";
        entry.Title = "App" + std::to_string(i);
        ASSERT_TRUE(AddToHistoryPage(history, entry));
    }
    EXPECT_EQ(history.Count(), HistoryLimit);
    EXPECT_EQ(history.Buttons(0)->Title, "App19");
    EXPECT_EQ(history.Buttons(15)->Title, "App4");
    // Started again (the target compared ignoring case): moves up, no copy.
    entry.LinkTo = "c:\\app\\10.EXE";
    entry.Title = "App10";
    ASSERT_TRUE(AddToHistoryPage(history, entry));
    EXPECT_EQ(history.Count(), HistoryLimit);
    EXPECT_EQ(history.Buttons(0)->LinkTo, "C:\\App\\10.exe");
    EXPECT_EQ(history.Buttons(1)->Title, "App19");
}
