#include <gtest/gtest.h>

#include "fake_platform.h"
#include "model/vantor_classes.h"

static bool AddTitled(TVantorPage& page, const std::string& title, const std::string& linkTo = "C:\\a.exe") {
    return page.Add(linkTo, title, "", "", "", ShowNormal, false, "", 0);
}

static std::vector<std::string> Titles(const TVantorPage& page) {
    std::vector<std::string> titles;
    for (int32_t i = 0; i < page.Count(); ++i) titles.push_back(page.Buttons(i)->Title);
    return titles;
}

TEST(Model, EntrySlotsAreReusedLowestFirst) {
    TFakePlatform fake;
    TVantorPage page(fake);
    for (int i = 0; i < 3; ++i) ASSERT_TRUE(AddTitled(page, ""));
    EXPECT_EQ(Titles(page), (std::vector<std::string>{"ボタン1", "ボタン2", "ボタン3"}));

    page.Move(0, 2);  // reordering keeps slots
    EXPECT_EQ(page.Buttons(2)->SlotIndex, 0);
    page.Delete(2);
    ASSERT_TRUE(page.Insert(0, "C:\\b.exe", "", "", "", "", ShowNormal, false, "", 0));
    EXPECT_EQ(page.Buttons(0)->Title, "ボタン1");
    EXPECT_EQ(page.Buttons(0)->SlotIndex, 0);
    EXPECT_EQ(page.Slot(0), page.Buttons(0));

    // Several freed at once, then compacted.
    page.FreeAt(0);
    page.FreeAt(2);
    EXPECT_EQ(page.Buttons(0), nullptr);
    page.Pack();
    ASSERT_EQ(page.Count(), 1);
    EXPECT_EQ(page.Buttons(0)->Title, "ボタン2");
    ASSERT_TRUE(AddTitled(page, ""));
    EXPECT_EQ(page.Buttons(1)->Title, "ボタン1");

    page.Clear();
    ASSERT_TRUE(AddTitled(page, ""));
    EXPECT_EQ(page.Buttons(0)->SlotIndex, 0);
}

TEST(Model, PageHoldsAtMost128Entries) {
    TFakePlatform fake;
    TVantorPage page(fake);
    for (int i = 0; i < MaxButtonsPerPage; ++i) ASSERT_TRUE(AddTitled(page, ""));
    EXPECT_EQ(page.Buttons(127)->Title, "ボタン128");
    TVantorButton other;
    other.LinkTo = "C:\\x.exe";
    EXPECT_FALSE(AddTitled(page, "x"));
    EXPECT_FALSE(page.Insert(0, "C:\\x.exe", "x", "", "", "", ShowNormal, false, "", 0));
    EXPECT_FALSE(page.AddCopy(other));
    EXPECT_FALSE(page.AddFile("C:\\x.exe"));
    EXPECT_EQ(page.Count(), MaxButtonsPerPage);
    EXPECT_EQ(page.Buttons(0)->Title, "ボタン1");

    // AppendPage stops at the first entry that does not fit; copies stay.
    TVantorPage target(fake);
    for (int i = 0; i < 120; ++i) ASSERT_TRUE(AddTitled(target, "t"));
    EXPECT_FALSE(target.AppendPage(page));
    EXPECT_EQ(target.Count(), MaxButtonsPerPage);
    EXPECT_EQ(target.Buttons(127)->Title, "ボタン8");
}

TEST(Model, InsertNormalisesEntries) {
    TFakePlatform fake;
    fake.AddFile("C:\\WINDOWS\\notepad.exe");
    TVantorPage page(fake);
    auto add = [&](const std::string& link, const std::string& dir = "", int32_t show = ShowNormal,
                   const std::string& icon = "") {
        EXPECT_TRUE(page.Add(link, "t", "k", "a", dir, show, true, icon, 4));
        return page.Buttons(page.Count() - 1);
    };

    TVantorButton* sep = add(SeparatorLink);
    EXPECT_TRUE(sep->IsSeparator());
    EXPECT_EQ(sep->Title, "セパレータ");
    TVantorButton* lowerSep = add("*separator");
    EXPECT_FALSE(lowerSep->IsSeparator());
    EXPECT_EQ(lowerSep->Title, "t");

    EXPECT_EQ(add("notepad.exe")->LinkTo, "C:\\WINDOWS\\notepad.exe");    // exists in Windows
    EXPECT_EQ(add("calc.exe")->LinkTo, "C:\\WINDOWS\\SYSTEM\\calc.exe");  // only elsewhere
    EXPECT_EQ(add("c:\\windows\\calc.exe")->LinkTo, "C:\\WINDOWS\\SYSTEM\\calc.exe");
    EXPECT_EQ(add("D:\\x\\calc.exe")->LinkTo, "D:\\x\\calc.exe");
    EXPECT_EQ(add("http://example.com/")->LinkTo, "http://example.com/");
    EXPECT_EQ(add("C:\\a.exe", "", ShowNormal, "shell32.dll")->IconPath, "C:\\WINDOWS\\SYSTEM\\shell32.dll");
    EXPECT_EQ(add("C:\\a.exe")->IconPath, "");

    EXPECT_EQ(add("D:\\Tools\\a.exe", "D:\\Tools")->WorkingDir, "");
    EXPECT_EQ(add("D:\\Tools\\a.exe", "d:\\tools")->WorkingDir, "d:\\tools");
    EXPECT_EQ(add("D:\\a.exe", "D:\\")->WorkingDir, "");
    // Compared with the target as given: a bare name has no folder.
    EXPECT_EQ(add("notepad.exe", "C:\\WINDOWS")->WorkingDir, "C:\\WINDOWS");

    EXPECT_EQ(add("C:\\a.exe", "", 7)->ShowCmd, ShowNormal);
    EXPECT_EQ(add("C:\\a.exe", "", 0)->ShowCmd, ShowNormal);
    EXPECT_EQ(add("C:\\a.exe", "", 3)->ShowCmd, 3);
    EXPECT_EQ(add("C:\\a.exe", "", 6)->ShowCmd, 6);

    TVantorButton* b = add("C:\\a.exe");
    EXPECT_EQ(b->Keyword, "k");
    EXPECT_EQ(b->Arguments, "a");
    EXPECT_TRUE(b->Forbidden);
    EXPECT_EQ(b->IconIndex, 4);
}

TEST(Model, AddFileReadsShortcuts) {
    TFakePlatform fake;
    TShortcutInfo toFile;
    toFile.Path = "D:\\Editor\\edit.exe";
    toFile.Arguments = "-n";
    toFile.WorkingDir = "D:\\Work";
    toFile.IconLocation = "D:\\Editor\\icons.dll";
    toFile.IconIndex = 2;
    toFile.ShowCmd = 7;
    fake.AddShortcut("C:\\Menu\\My Editor.lnk", toFile);
    TShortcutInfo toItem;
    toItem.IconLocation = "D:\\i.ico";
    toItem.IconIndex = 1;
    toItem.ShowCmd = 3;
    fake.AddShortcut("C:\\Menu\\Printers.LNK", toItem);
    TShortcutInfo sameFolder = toFile;
    sameFolder.WorkingDir = "D:\\Editor";
    fake.AddShortcut("C:\\Menu\\Same.pif", sameFolder);

    TVantorPage page(fake);
    ASSERT_TRUE(page.AddFile("D:\\Docs\\read.me.txt"));
    ASSERT_TRUE(page.AddFile("C:\\Menu\\Broken.lnk"));
    ASSERT_TRUE(page.AddFile("C:\\Menu\\Printers.LNK"));
    ASSERT_TRUE(page.AddFile("C:\\Menu\\My Editor.lnk"));
    ASSERT_TRUE(page.AddFile("C:\\Menu\\Same.pif"));

    auto fields = [](const TVantorButton* b) {
        return std::vector<std::string>{b->LinkTo,
                                        b->Title,
                                        b->Keyword,
                                        b->Arguments,
                                        b->WorkingDir,
                                        std::to_string(b->ShowCmd),
                                        b->IconPath,
                                        std::to_string(b->IconIndex),
                                        b->Forbidden ? "1" : "0"};
    };
    using V = std::vector<std::string>;
    EXPECT_EQ(fields(page.Buttons(0)), (V{"D:\\Docs\\read.me.txt", "read.me", "read.me", "", "", "5", "", "0", "0"}));
    EXPECT_EQ(fields(page.Buttons(1)), (V{"C:\\Menu\\Broken.lnk", "Broken", "Broken", "", "", "5", "", "0", "0"}));
    EXPECT_EQ(fields(page.Buttons(2)),
              (V{"C:\\Menu\\Printers.LNK", "Printers", "Printers", "", "", "5", "D:\\i.ico", "1", "0"}));
    EXPECT_EQ(fields(page.Buttons(3)), (V{"D:\\Editor\\edit.exe", "My Editor", "edit", "-n", "D:\\Work", "5",
                                          "D:\\Editor\\icons.dll", "2", "0"}));
    EXPECT_EQ(page.Buttons(4)->WorkingDir, "");
}

TEST(Model, CopyAssignAndFind) {
    TFakePlatform fake;
    TVantorPage source(fake);
    source.Caption = "src";
    source.ViewStyle = 3;
    source.DefaultLayout = false;
    source.ButtonWidth = 40;
    source.Margin = 5;
    source.TitleWidth = 100;
    ASSERT_TRUE(source.Add("C:\\Tools\\a.exe", "A", "ka", "-x", "C:\\Work", 3, true, "C:\\i.ico", 7));
    ASSERT_TRUE(source.Add(SeparatorLink, "", "", "", "", ShowNormal, false, "", 0));
    // A working folder equal to the normalised target's folder survives a copy.
    source.Buttons(0)->WorkingDir = "C:\\Tools";

    TVantorPage copy(fake);
    AddTitled(copy, "old");
    copy.Assign(source);
    EXPECT_EQ(copy.Caption, "src");
    EXPECT_EQ(copy.ViewStyle, 3);
    EXPECT_FALSE(copy.DefaultLayout);
    EXPECT_EQ(copy.ButtonWidth, 40);
    EXPECT_EQ(copy.Margin, 5);
    EXPECT_EQ(copy.TitleWidth, 100);
    ASSERT_EQ(copy.Count(), 2);
    EXPECT_EQ(copy.Buttons(0)->WorkingDir, "C:\\Tools");
    EXPECT_EQ(copy.Buttons(0)->IconIndex, 7);
    EXPECT_TRUE(copy.Buttons(1)->IsSeparator());
    copy.Assign(copy);
    EXPECT_EQ(copy.Count(), 2);

    TVantorButton probe;
    probe.LinkTo = "c:\\tools\\A.EXE";
    probe.Title = "A";
    probe.IconPath = "c:\\I.ICO";
    probe.IconIndex = 7;
    EXPECT_EQ(copy.IndexOfButton(probe), 0);
    probe.Title = "a";  // titles compare exactly
    EXPECT_EQ(copy.IndexOfButton(probe), -1);
    probe.Title = "A";
    probe.IconIndex = 0;
    EXPECT_EQ(copy.IndexOfButton(probe), -1);
}

TEST(Model, SortPutsSeparatorsLastAndCapitalsFirst) {
    TFakePlatform fake;
    TVantorPage page(fake);
    page.Add(SeparatorLink, "", "", "", "", ShowNormal, false, "", 0);
    AddTitled(page, "b");
    AddTitled(page, "B", "C:\\2.exe");
    AddTitled(page, "B", "C:\\1.exe");
    AddTitled(page, "a");
    page.Add(SeparatorLink, "", "", "", "", ShowNormal, false, "", 0);
    page.SortButtons();
    EXPECT_EQ(Titles(page), (std::vector<std::string>{"a", "B", "B", "b", "セパレータ", "セパレータ"}));
    EXPECT_EQ(page.Buttons(1)->LinkTo, "C:\\1.exe");
    EXPECT_EQ(page.Buttons(2)->LinkTo, "C:\\2.exe");
}

TEST(Model, DefaultLayoutTable) {
    TFakePlatform fake;
    TVantorPage page(fake);
    const int32_t expected[8][2] = {{38, 54}, {22, 54}, {38, 54}, {22, 86}, {22, 30}, {22, 54}, {70, 54}, {70, 70}};
    for (uint8_t style = 0; style < 8; ++style) {
        page.ViewStyle = style;
        page.ApplyDefaultLayout();
        EXPECT_EQ(page.Margin, 2);
        EXPECT_EQ(page.ButtonWidth, expected[style][0]) << int(style);
        EXPECT_EQ(page.TitleWidth, expected[style][1]) << int(style);
    }
}

TEST(Model, PageSetLimitsSlotsAndCurrentPage) {
    TFakePlatform fake;
    TVantorManager set(fake);
    ASSERT_EQ(set.Count(), 1);
    EXPECT_EQ(set.Pages(0)->Caption, "ページ1");
    EXPECT_EQ(set.Pages(0)->ViewStyle, 1);
    EXPECT_TRUE(set.Pages(0)->DefaultLayout);
    EXPECT_EQ(set.Pages(0)->ButtonWidth, 0);
    EXPECT_EQ(set.CurrentPage(), 0);
    EXPECT_EQ(set.ReservedValue, 0);

    for (int i = 1; i < MaxPagesPerSet; ++i) ASSERT_TRUE(set.AddPage("", 0));
    EXPECT_EQ(set.Pages(31)->Caption, "ページ32");
    EXPECT_FALSE(set.AddPage("x", 0));
    EXPECT_FALSE(set.AddFolderPage("C:\\Apps", false));
    EXPECT_EQ(set.Count(), MaxPagesPerSet);

    set.DeletePage(4);
    set.FreePageAt(1);
    set.PackPages();
    ASSERT_TRUE(set.AddPage("", 2));
    EXPECT_EQ(set.Pages(30)->Caption, "ページ2");
    EXPECT_EQ(set.Pages(30)->SlotIndex, 1);
    EXPECT_EQ(set.Slot(1), set.Pages(30));
    set.Move(30, 0);
    EXPECT_EQ(set.Pages(0)->SlotIndex, 1);
    ASSERT_TRUE(set.AddPage("named", 2));
    EXPECT_EQ(set.Pages(31)->Caption, "named");
    EXPECT_EQ(set.Pages(31)->SlotIndex, 4);

    TVantorManager three(fake);
    three.AddPage("", 0);
    three.AddPage("", 0);
    three.SetCurrentPage(5);
    EXPECT_EQ(three.CurrentPage(), 2);
    three.SetCurrentPage(-4);
    EXPECT_EQ(three.CurrentPage(), 0);
    three.Clear();
    three.SetCurrentPage(3);
    EXPECT_EQ(three.CurrentPage(), -1);
    three.SetCurrentPage(-1);
    EXPECT_EQ(three.CurrentPage(), 0);
    ASSERT_TRUE(three.AddPage("", 0));
    EXPECT_EQ(three.Pages(0)->Caption, "ページ1");
}

TEST(Model, AssignCopiesPagesNotSettings) {
    TFakePlatform fake;
    TVantorManager source(fake);
    source.Pages(0)->Caption = "one";
    source.AddPage("two", 4);
    AddTitled(*source.Pages(1), "x");
    source.SetCurrentPage(1);
    source.ShortCuts = {"Launch=Ctrl+L"};

    TVantorManager copy(fake);
    copy.AddPage("", 0);
    copy.AddPage("", 0);
    copy.Assign(source);
    ASSERT_EQ(copy.Count(), 2);
    EXPECT_EQ(copy.Pages(0)->Caption, "one");
    EXPECT_EQ(copy.Pages(1)->Caption, "two");
    EXPECT_EQ(copy.Pages(1)->ViewStyle, 4);
    EXPECT_EQ(copy.Pages(1)->Buttons(0)->Title, "x");
    EXPECT_EQ(copy.Pages(1)->SlotIndex, 1);
    EXPECT_EQ(copy.CurrentPage(), 1);
    EXPECT_NE(copy.ShortCuts, source.ShortCuts);

    source.Pages(1)->Clear();  // the copy owns its own entries
    EXPECT_EQ(copy.Pages(1)->Count(), 1);
    copy.Assign(copy);
    EXPECT_EQ(copy.Count(), 2);
}

TEST(Model, FolderPageScansBreadthFirstUpTo128Sorted) {
    TFakePlatform fake;
    for (int i = 0; i < 100; ++i) fake.AddFile(Format("C:\\Apps\\a%d.exe", 199 - i));
    for (int i = 0; i < 200; ++i) fake.AddFile(Format("C:\\Many\\p%d.exe", 1000 + i));
    for (int i = 0; i < 50; ++i) fake.AddFile(Format("C:\\Apps\\Sub\\b%d.EXE", i));
    fake.AddFile("C:\\Apps\\Sub\\Deep\\c.exe");
    fake.AddFile("C:\\Apps\\readme.txt");
    TShortcutInfo link;
    link.Path = "D:\\Target\\tool.exe";
    fake.AddShortcut("C:\\Apps\\Sub\\Tool.lnk", link);

    TVantorManager set(fake);
    ASSERT_TRUE(set.AddFolderPage("C:\\Apps", true));
    TVantorPage& page = *set.Pages(1);
    EXPECT_EQ(page.Caption, "Apps");
    EXPECT_EQ(page.ViewStyle, 0);
    ASSERT_EQ(page.Count(), MaxButtonsPerPage);
    int fromRoot = 0, fromSub = 0;
    for (int32_t i = 0; i < page.Count(); ++i) {
        const std::string& link = page.Buttons(i)->LinkTo;
        fromRoot += ExtractFileDir(link) == "C:\\Apps";
        fromSub += ExtractFileDir(link) == "C:\\Apps\\Sub" || link == "D:\\Target\\tool.exe";
        EXPECT_NE(link, "C:\\Apps\\Sub\\Deep\\c.exe");
        if (i > 0) {
            EXPECT_LE(CompareButtons(*page.Buttons(i - 1), *page.Buttons(i)), 0);
        }
    }
    EXPECT_EQ(fromRoot, 100);  // the whole first level before any of the second
    EXPECT_EQ(fromSub, 28);

    ASSERT_TRUE(set.AddFolderPage("C:\\Apps\\Sub\\", false));
    TVantorPage& flat = *set.Pages(2);
    EXPECT_EQ(flat.Caption, "ページ3");  // empty last component
    EXPECT_EQ(flat.Count(), 51);
    EXPECT_EQ(flat.Buttons(0)->Title, "b0");
    EXPECT_EQ(flat.Buttons(50)->Title, "Tool");

    ASSERT_TRUE(set.AddFolderPage("C:\\Many", false));
    EXPECT_EQ(set.Pages(3)->Count(), MaxButtonsPerPage);
    EXPECT_EQ(set.Pages(3)->Buttons(127)->Title, "p1127");

    ASSERT_TRUE(set.AddFolderPage("C:\\", true));
    EXPECT_EQ(set.Pages(4)->Caption, "C:\\");
}
