#include <gtest/gtest.h>

#include "dialogs/organise.h"
#include "dialogs/properties.h"
#include "fake_platform.h"

namespace {

void Fill(TVantorPage& page, int count, const std::string& prefix = "E") {
    for (int i = 0; i < count; ++i)
        ASSERT_TRUE(page.Add("C:\\" + prefix + std::to_string(i) + ".exe", prefix + std::to_string(i), "", "", "",
                             ShowNormal, false, "", 0));
}

std::vector<std::string> Titles(const TVantorPage& page) {
    std::vector<std::string> titles;
    for (int32_t i = 0; i < page.Count(); ++i) titles.push_back(page.Buttons(i)->Title);
    return titles;
}

}  // namespace

TEST(OrganiseDialog, ListFileLinesAndImport) {
    EXPECT_EQ(ParseListFile("a.exe\r\n\r\n  b.exe \rc.exe\n\n\t\ne.exe"),
              (std::vector<std::string>{"a.exe", "b.exe", "c.exe", "e.exe"}));
    EXPECT_EQ(ParseListFile(std::string("d\0x\ne.exe", 9)), (std::vector<std::string>{"e.exe"}));
    // A trail byte 0x5C ("表") at the end is no separator to trim.
    EXPECT_EQ(ParseListFile("C:\\表\r\n"), (std::vector<std::string>{"C:\\表"}));

    TFakePlatform fake;
    TVantorManager set(fake);
    std::string text;
    for (int i = 0; i < 200; ++i) text += "C:\\Tools\\p" + std::to_string(i) + ".exe\r\n\r\n";
    fake.AddFile("C:\\Lists\\道具.txt", text);
    ASSERT_TRUE(ImportListPage(set, fake, "C:\\Lists\\道具.txt"));
    ASSERT_EQ(set.Count(), 2);
    EXPECT_EQ(set.Pages(1)->Caption, "道具");
    EXPECT_EQ(set.Pages(1)->Count(), MaxButtonsPerPage);
    EXPECT_EQ(set.Pages(1)->Buttons(127)->LinkTo, "C:\\Tools\\p127.exe");

    // An unreadable file changes nothing.
    const std::string before = set.SaveToBytes();
    EXPECT_FALSE(ImportListPage(set, fake, "C:\\Lists\\missing.txt"));
    EXPECT_EQ(set.SaveToBytes(), before);
    EXPECT_EQ(ImportFailedMessage("C:\\x.txt"), "\"C:\\x.txt\"のインポートに失敗しました。");
}

TEST(OrganiseDialog, CommandsFollowTheSelection) {
    TOrganiseSelection smart{true, 1, 0, false, true};
    TOrganiseCommands c = OrganiseCommands(smart);
    EXPECT_FALSE(c.PageAdd || c.PageChange || c.PageDelete);
    EXPECT_TRUE(c.EntryAdd);

    c = OrganiseCommands({false, 2, 0, false, false});
    EXPECT_TRUE(c.PageAdd && c.PageChange && c.PageDelete);
    EXPECT_FALSE(c.EntryAdd || c.EntryChange || c.EntryDelete);
    EXPECT_FALSE(c.EntryPaste);  // no single page to paste into

    c = OrganiseCommands({false, 1, 2, true, false});
    EXPECT_FALSE(c.EntryChange);
    EXPECT_TRUE(c.EntryDelete && c.EntryPaste);
}

TEST(OrganiseDialog, DeletingPagesAndEntries) {
    TFakePlatform fake;
    TVantorManager set(fake);
    ASSERT_TRUE(set.AddPage("二", 0));
    ASSERT_TRUE(set.AddPage("三", 0));
    set.SetCurrentPage(2);
    const std::string before = set.SaveToBytes();
    EXPECT_FALSE(DeletePages(set, {0, 1, 2}));
    EXPECT_EQ(set.SaveToBytes(), before);
    EXPECT_EQ(DeletePagesQuestion(set, {1}), "ページ\"二\"を削除してもよろしいですか？");
    EXPECT_EQ(DeletePagesQuestion(set, {0, 2}), "これら2個のページを削除してもよろしいですか？");
    ASSERT_TRUE(DeletePages(set, {1, 2}));
    EXPECT_EQ(set.Count(), 1);
    EXPECT_EQ(set.CurrentPage(), 0);

    TVantorPage& page = *set.Pages(0);
    Fill(page, 3);
    EXPECT_EQ(InsertSeparator(page, {}), 0);  // none selected: at the top
    EXPECT_EQ(InsertSeparator(page, {2, 3}), 2);
    EXPECT_EQ(DeleteEntriesQuestion(page, {0}), "このセパレータを削除してもよろしいですか？");
    EXPECT_EQ(DeleteEntriesQuestion(page, {1}), "ボタン\"E0\"を削除してもよろしいですか？");
    DeleteEntries(page, {0, 2});
    EXPECT_EQ(Titles(page), (std::vector<std::string>{"E0", "E1", "E2"}));
    DeleteEntries(page, {2});
    EXPECT_EQ(SelectionAfterDelete(page, 2), 1);  // the last one was deleted
    EXPECT_EQ(SelectionAfterDelete(page, 0), 0);
}

TEST(OrganiseDialog, MovingEntriesStopsAtAFullPage) {
    TFakePlatform fake;
    TVantorManager set(fake);
    ASSERT_TRUE(set.AddPage("満", 0));
    TVantorPage& source = *set.Pages(0);
    TVantorPage& target = *set.Pages(1);
    Fill(source, 12, "S");
    Fill(target, MaxButtonsPerPage - 6, "T");
    EXPECT_FALSE(MoveEntriesToPage(source, {0, 1, 2, 3, 4, 5, 6, 7, 8, 9}, target));
    EXPECT_EQ(target.Count(), MaxButtonsPerPage);
    EXPECT_EQ(target.Buttons(MaxButtonsPerPage - 6)->Title, "S0");
    EXPECT_EQ(target.Buttons(MaxButtonsPerPage - 1)->Title, "S5");
    EXPECT_EQ(Titles(source), (std::vector<std::string>{"S6", "S7", "S8", "S9", "S10", "S11"}));
    EXPECT_EQ(MoveIncompleteMessage(target),
              "ページ\"満\"の空きが不足しているため、ボタンまたはセパレータの移動が完了しませんでした。");

    // Onto its own full page: moved to the end, nothing lost.
    EXPECT_TRUE(MoveEntriesToPage(target, {0, 2}, target));
    EXPECT_EQ(target.Count(), MaxButtonsPerPage);
    EXPECT_EQ(target.Buttons(126)->Title, "T0");
    EXPECT_EQ(target.Buttons(127)->Title, "T2");
    EXPECT_EQ(target.Buttons(1)->Title, "T3");
}

TEST(OrganiseDialog, CancelRestoresTheSetWhileTheClipboardKeepsTheCut) {
    TFakePlatform fake;
    TVantorManager set(fake);
    ASSERT_TRUE(set.AddPage("二", 3));
    Fill(*set.Pages(0), 5);
    Fill(*set.Pages(1), 2, "F");
    set.Pages(1)->Margin = 7;
    set.Pages(0)->Buttons(1)->Forbidden = true;
    TVantorManager copy(fake);
    copy.Assign(set);
    const std::string before = set.SaveToBytes();

    TVantorPage clipboard(fake);
    CutEntries(*set.Pages(0), {1, 2, 4}, clipboard);
    EXPECT_EQ(Titles(clipboard), (std::vector<std::string>{"E1", "E2", "E4"}));
    EXPECT_TRUE(clipboard.Buttons(0)->Forbidden);
    PasteEntries(*set.Pages(1), clipboard);
    EXPECT_EQ(Titles(*set.Pages(1)), (std::vector<std::string>{"F0", "F1", "E1", "E2", "E4"}));
    set.Pages(0)->SortButtons();
    set.Move(0, 1);
    ASSERT_TRUE(DeletePages(set, {0}));

    set.Assign(copy);
    EXPECT_EQ(set.SaveToBytes(), before);
    EXPECT_EQ(clipboard.Count(), 3);

    CopyEntries(*set.Pages(1), {0}, clipboard);  // emptied first
    EXPECT_EQ(Titles(clipboard), (std::vector<std::string>{"F0"}));
}

TEST(EntryProperties, SeveralEntriesChangeOnlyWhatWasTouched) {
    TFakePlatform fake;
    TVantorPage page(fake);
    Fill(page, 3);
    page.Buttons(0)->Keyword = "a";
    page.Buttons(1)->Keyword = "b";
    for (int i = 0; i < 3; ++i) page.Buttons(i)->Arguments = "/x";
    page.Buttons(2)->Forbidden = true;
    page.Buttons(1)->ShowCmd = ShowMaximized;

    TEntryFields shared = SharedEntryFields(page, {0, 1});
    EXPECT_EQ(shared.Keyword, "");
    EXPECT_EQ(shared.Arguments, "/x");
    EXPECT_EQ(shared.ShowItem, -1);
    EXPECT_EQ(shared.Forbidden, TCheckState::Off);
    EXPECT_EQ(SharedEntryFields(page, {0, 2}).Forbidden, TCheckState::Mixed);
    EXPECT_EQ(SharedEntryFields(page, {0, 2}).ShowItem, 0);

    // Untouched differing keywords and a mixed check stay each entry's own.
    shared = SharedEntryFields(page, {0, 1, 2});
    shared.WorkingDir = "C:\\Work";
    ApplyEntryFields(shared, {false, false, true}, page, {0, 1, 2});
    EXPECT_EQ(page.Buttons(1)->Keyword, "b");
    EXPECT_TRUE(page.Buttons(2)->Forbidden);
    EXPECT_EQ(page.Buttons(1)->ShowCmd, ShowMaximized);
    EXPECT_EQ(page.Buttons(0)->WorkingDir, "C:\\Work");

    // A keyword box emptied by the user clears them; a chosen state applies.
    shared.Keyword.clear();
    shared.ShowItem = 2;
    shared.Forbidden = TCheckState::Off;
    ApplyEntryFields(shared, {true, false, false}, page, {0, 1});
    EXPECT_EQ(page.Buttons(0)->Keyword, "");
    EXPECT_EQ(page.Buttons(1)->Keyword, "");
    EXPECT_EQ(page.Buttons(1)->ShowCmd, ShowMinimized);
    EXPECT_EQ(page.Buttons(2)->ShowCmd, ShowNormal);
}

TEST(EntryProperties, OneEntryFieldsAndChecks) {
    TFakePlatform fake;
    TVantorButton entry;
    entry.LinkTo = "C:\\a.exe";
    entry.ShowCmd = 7;  // no list item: shows the first, stored only after a choice
    entry.IconIndex = 4;
    TEntryFields f = EntryFieldsOf(entry);
    EXPECT_EQ(f.ShowItem, 0);
    EXPECT_EQ(f.IconIndex, 0);  // no icon file: the index shows 0
    EXPECT_FALSE(EntryOkEnabled(true, "t", "l", 0));
    EXPECT_FALSE(EntryOkEnabled(false, "", "l", 0));
    EXPECT_FALSE(EntryOkEnabled(false, "t", "l", -1));

    fake.AddFile("C:\\Tools\\a.exe");
    f.LinkTo = "HTTP://example.com/";
    f.WorkingDir = "C:\\NoSuchFolder";
    EXPECT_TRUE(CheckEntryFields(f, true, fake).Ok());
    f.LinkTo = "C:\\Tools\\b.exe";
    TEntryCheck check = CheckEntryFields(f, true, fake);
    EXPECT_EQ(check.Field, TEntryField::LinkTo);
    EXPECT_EQ(check.Message, "\"C:\\Tools\\b.exe\"が見つかりません。");
    EXPECT_TRUE(CheckEntryFields(f, false, fake).Ok());  // several entries: no target
    f.LinkTo = "C:\\Tools";
    f.WorkingDir = "C:\\Tools\\a.exe";
    EXPECT_EQ(CheckEntryFields(f, true, fake).Field, TEntryField::WorkingDir);
    f.WorkingDir = "";
    f.IconPath = "C:\\Tools\\none.ico";
    EXPECT_EQ(CheckEntryFields(f, true, fake).Field, TEntryField::IconPath);

    EXPECT_EQ(SpinValue("abc", IconIndexMin, IconIndexMax, 3), 3);
    EXPECT_EQ(SpinValue("99999999", IconIndexMin, IconIndexMax, 3), IconIndexMax);
    EXPECT_EQ(SpinValue("-7", IconIndexMin, IconIndexMax, 3), -7);
}

TEST(PageProperties, FieldsDefaultsAndSeveralPages) {
    TFakePlatform fake;
    TVantorManager set(fake);
    ASSERT_TRUE(set.AddPage("", 0));
    ASSERT_TRUE(set.AddPage("", 2));
    TPageFields f = PageFieldsOf(*set.Pages(1));  // a new page has no sizes yet
    EXPECT_EQ(f.ButtonWidth, 38);
    EXPECT_EQ(f.Margin, 2);
    EXPECT_EQ(f.TitleWidth, 54);
    ChooseViewStyle(f, 6);  // also while the standard layout is on
    EXPECT_TRUE(f.DefaultLayout);
    EXPECT_EQ(f.ButtonWidth, 70);
    f.Margin = 99;
    f.Caption = "新";
    StorePageFields(f, *set.Pages(1));
    EXPECT_EQ(set.Pages(1)->ViewStyle, 6);
    EXPECT_EQ(set.Pages(1)->Margin, MarginMax);
    EXPECT_EQ(set.Pages(1)->Caption, "新");
    EXPECT_FALSE(PageOkEnabled(true, "", 1));
    EXPECT_FALSE(PageOkEnabled(false, "", -1));
    EXPECT_TRUE(PageOkEnabled(false, "", 0));

    ApplyViewStyle(4, set, {0, 2});
    EXPECT_EQ(set.Pages(0)->ViewStyle, 4);
    EXPECT_EQ(set.Pages(1)->ViewStyle, 6);
    EXPECT_EQ(set.Pages(2)->ViewStyle, 4);
}

TEST(EntryProperties, ProgramsTakenAndListed) {
    TEntryFields f;
    TakeProgram(f, "C:\\Program Files\\表計算\\Calc.v2.exe");
    EXPECT_EQ(f.LinkTo, "C:\\Program Files\\表計算\\Calc.v2.exe");
    EXPECT_EQ(f.Title, "Calc.v2");
    EXPECT_EQ(f.Keyword, "Calc.v2");

    const std::vector<TProgramItem> items =
        ProgramList({"C:\\W\\notepad.exe", "C:\\A\\Zed.exe", "C:\\W\\notepad.exe", "C:\\B\\notepad.exe", ""});
    ASSERT_EQ(items.size(), 3u);
    EXPECT_EQ(items[0].Name, "notepad.exe");
    EXPECT_EQ(items[0].Folder, "C:\\W\\");
    EXPECT_EQ(items[1].Folder, "C:\\B\\");
    EXPECT_EQ(items[2].Name, "Zed.exe");
}
