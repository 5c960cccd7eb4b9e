// The menus' enabling rules and the editing commands' effect on the model.
#include <gtest/gtest.h>

#include "commands/guide_texts.h"
#include "commands/menu_rules.h"
#include "commands/page_editing.h"
#include "commands/shortcut_rules.h"
#include "fake_platform.h"
#include "settings/keys.h"

namespace {

void Fill(TVantorPage& page, int count) {
    for (int i = 0; i < count; ++i)
        ASSERT_TRUE(page.Add("C:\\x" + std::to_string(i) + ".exe", "x", "", "", "", 5, false, "", 0));
}

}  // namespace

TEST(MenuRulesTest, MainMenuOffersEntriesWhereUserPagesShowAndPagesOnlyInTheMainWindow) {
    const TMainMenuEnabling main = MainMenuEnabling(TMenuOwner::Main);
    EXPECT_TRUE(main.Edit && main.AddButton && main.AddSeparator && main.Paste);
    EXPECT_TRUE(main.AddPage && main.ChangePage && main.DeletePage);
    const TMainMenuEnabling smart = MainMenuEnabling(TMenuOwner::SmartBar);
    EXPECT_TRUE(smart.Edit && smart.AddButton && smart.AddSeparator && smart.Paste);
    EXPECT_FALSE(smart.AddPage || smart.ChangePage || smart.DeletePage);
    for (TMenuOwner bar : {TMenuOwner::KeywordBar, TMenuOwner::HistoryBar, TMenuOwner::ResourceBar}) {
        const TMainMenuEnabling state = MainMenuEnabling(bar);
        EXPECT_FALSE(state.Edit || state.AddButton || state.AddSeparator || state.Paste || state.AddPage ||
                     state.ChangePage || state.DeletePage);
    }
}

TEST(MenuRulesTest, EntryMenuOffersTheFilesBesideTheTargetThatExist) {
    TFakePlatform fs;
    fs.AddFile("C:\\Tools\\app.exe");
    fs.AddFile("C:\\Tools\\app.chm");
    fs.AddFile("C:\\Tools\\Readme.txt");
    TEntryMenuState state = EntryMenuState(fs, TMenuOwner::Main, false, "C:\\Tools\\app.exe");
    EXPECT_TRUE(state.ExecuteWithArg && state.ChangeButton && state.DeleteButton && state.CutButton);
    EXPECT_TRUE(state.OpenThisFolder && state.MakeShortCut);
    EXPECT_EQ(state.HelpCaption, "app.chm -ヘルプ(&H)");
    EXPECT_EQ(state.ReadMeCaption, "Readme.txt -リードミー(&R)");
    EXPECT_EQ(state.ReadMeFile, "C:\\Tools\\Readme.txt");
    EXPECT_EQ(state.Folder, "C:\\Tools\\");

    // A .hlp wins over a .chm; only a document: the read-me is the document.
    fs.AddFile("C:\\Tools\\app.hlp");
    EXPECT_EQ(EntryMenuState(fs, TMenuOwner::Main, false, "C:\\Tools\\app.exe").HelpFile, "C:\\Tools\\app.hlp");
    fs.AddFile("D:\\Solo\\run.exe");
    fs.AddFile("D:\\Solo\\run & go.doc");
    fs.AddFile("D:\\Solo\\run.doc");
    state = EntryMenuState(fs, TMenuOwner::Main, false, "D:\\Solo\\run.exe");
    EXPECT_TRUE(state.HelpFile.empty());
    EXPECT_EQ(state.ReadMeCaption, "run.doc -リードミー(&R)");
    // A "&" in a file name is shown, not taken for a mnemonic.
    fs.AddFile("D:\\Amp\\a&b.exe");
    fs.AddFile("D:\\Amp\\a&b.txt");
    EXPECT_EQ(EntryMenuState(fs, TMenuOwner::Main, false, "D:\\Amp\\a&b.exe").ReadMeCaption,
              "a&&b.txt -リードミー(&R)");
    // A help file as the target offers no help beside it.
    EXPECT_TRUE(EntryMenuState(fs, TMenuOwner::Main, false, "C:\\Tools\\app.hlp").HelpFile.empty());
}

TEST(MenuRulesTest, EntryMenuOfSeparatorsBarsWebAddressesAndMissingTargets) {
    TFakePlatform fs;
    fs.AddFile("C:\\Tools\\app.exe");
    fs.AddFile("C:\\Tools\\Readme.txt");
    TEntryMenuState state = EntryMenuState(fs, TMenuOwner::Main, true, SeparatorLink);
    EXPECT_FALSE(state.ChangeButton || state.OpenThisFolder || state.MakeShortCut || state.ExecuteWithArg);
    EXPECT_TRUE(state.DeleteButton && state.CutButton && state.CopyButton);
    EXPECT_TRUE(state.HelpFile.empty() && state.ReadMeFile.empty() && state.Folder.empty());

    for (TMenuOwner bar : {TMenuOwner::HistoryBar, TMenuOwner::KeywordBar}) {
        state = EntryMenuState(fs, bar, false, "C:\\Tools\\app.exe");
        EXPECT_TRUE(state.ChangeButton && state.OpenThisFolder);
        EXPECT_FALSE(state.DeleteButton || state.CutButton);
    }
    state = EntryMenuState(fs, TMenuOwner::SmartBar, false, "https://example.com/a.exe");
    EXPECT_FALSE(state.OpenThisFolder || state.MakeShortCut);
    EXPECT_TRUE(state.ReadMeFile.empty());
    // A target that is gone: nothing beside it is offered.
    state = EntryMenuState(fs, TMenuOwner::Main, false, "E:\\Gone\\app.exe");
    EXPECT_FALSE(state.MakeShortCut);
    EXPECT_TRUE(state.HelpFile.empty() && state.ReadMeFile.empty() && state.Folder.empty());
    // A folder target is its own folder.
    EXPECT_EQ(EntryMenuState(fs, TMenuOwner::Main, false, "C:\\Tools").ReadMeFile, "C:\\Tools\\Readme.txt");
}

TEST(PageEditingTest, EntriesAndSeparatorsStopAt128WithTheMessage) {
    TFakePlatform fs;
    TVantorPage page(fs);
    Fill(page, 127);
    TEditResult added = AppendSeparator(page);
    ASSERT_TRUE(added.Done);
    EXPECT_EQ(added.Index, 127);
    EXPECT_TRUE(page.Buttons(127)->IsSeparator());
    added = AppendNewEntry(page);
    EXPECT_FALSE(added.Done);
    EXPECT_EQ(added.Error, "1つのページに登録できるボタンまたはセパレータは128個までです。");
    EXPECT_EQ(page.Count(), 128);

    TVantorPage fresh(fs);
    Fill(fresh, 2);
    added = AppendNewEntry(fresh);
    const TVantorButton& entry = *fresh.Buttons(added.Index);
    EXPECT_EQ(entry.Title, "ボタン3");
    EXPECT_TRUE(entry.LinkTo.empty());
    EXPECT_EQ(entry.ShowCmd, ShowNormal);
    EXPECT_EQ(entry.IconIndex, -1);
}

TEST(PageEditingTest, CutCopyAndPasteThroughTheClipboard) {
    TFakePlatform fs;
    TVantorPage page(fs), other(fs), clipboard(fs);
    Fill(page, 3);
    page.Buttons(1)->Title = "one";
    // Copy, delete, paste twice: two copies, the clipboard keeps its entry.
    ASSERT_TRUE(CopyEntry(page, 1, clipboard));
    ASSERT_TRUE(DeleteEntry(page, 1));
    EXPECT_EQ(PasteEntries(other, clipboard), 1);
    EXPECT_EQ(PasteEntries(other, clipboard), 1);
    ASSERT_EQ(other.Count(), 2);
    EXPECT_EQ(other.Buttons(1)->Title, "one");
    // Cut replaces the clipboard's content and takes the entry off its page.
    ASSERT_TRUE(CutEntry(page, 0, clipboard));
    EXPECT_EQ(page.Count(), 1);
    EXPECT_EQ(clipboard.Count(), 1);
    EXPECT_EQ(clipboard.Buttons(0)->LinkTo, "C:\\x0.exe");
    // Indexes outside the page change nothing.
    EXPECT_FALSE(CutEntry(page, 5, clipboard));
    EXPECT_FALSE(CopyEntry(page, -1, clipboard));
    EXPECT_FALSE(DeleteEntry(page, 1));
    EXPECT_EQ(clipboard.Count(), 1);
    EXPECT_EQ(page.Count(), 1);
    // An empty clipboard adds nothing; a nearly full page takes what fits.
    TVantorPage empty(fs), full(fs), five(fs);
    EXPECT_EQ(PasteEntries(page, empty), 0);
    Fill(full, 126);
    Fill(five, 5);
    EXPECT_EQ(PasteEntries(full, five), 2);
    EXPECT_EQ(full.Count(), 128);
    EXPECT_EQ(PasteEntries(clipboard, clipboard), 0);
}

TEST(PageEditingTest, PagesStopAt32AndTheLastOneStays) {
    TFakePlatform fs;
    TVantorManager set(fs);
    set.SetCurrentPage(0);
    TEditResult added = AppendNewPage(set);
    ASSERT_TRUE(added.Done);
    EXPECT_EQ(set.Pages(1)->Caption, "ページ2");
    EXPECT_EQ(set.CurrentPage(), 0);
    while (set.Count() < 32) ASSERT_TRUE(AppendNewPage(set).Done);
    added = AppendNewPage(set);
    EXPECT_FALSE(added.Done);
    EXPECT_EQ(added.Error, "登録できるページは32個までです。");
    EXPECT_EQ(set.Count(), 32);

    // Deleting the last page selects the one before it.
    set.SetCurrentPage(31);
    ASSERT_TRUE(DeletePageAt(set, 31).Done);
    EXPECT_EQ(set.CurrentPage(), 30);
    EXPECT_FALSE(DeletePageAt(set, 40).Done);
    EXPECT_EQ(set.Count(), 31);
    while (set.Count() > 1) ASSERT_TRUE(DeletePageAt(set, 0).Done);
    const TEditResult last = DeletePageAt(set, 0);
    EXPECT_FALSE(last.Done);
    EXPECT_EQ(last.Error, "ページは最低1つ必要です。");
    EXPECT_EQ(set.Count(), 1);
    EXPECT_EQ(DeletePageQuestion("仕事"), "ページ\"仕事\"を削除してもよろしいですか？");
}

// What a question was asked about is found again after it, moved or not, and
// nothing else is taken for it.
TEST(PageEditingTest, AnEntryIsFoundAgainByItsSlotsAndOnlyWhileItIsThere) {
    TFakePlatform fs;
    TVantorManager set(fs);
    ASSERT_TRUE(set.AddPage("二", 1));
    TVantorPage& page = *set.Pages(1);
    Fill(page, 3);
    page.Buttons(2)->Title = "two";
    const TEntryRef asked = EntryRefOf(TBarKind::Main, page, 2);
    page.Move(2, 0);
    set.Move(1, 0);
    TEntryPlace found = FindEntryRef(set, asked);
    EXPECT_EQ(found.Page, &page);
    EXPECT_EQ(found.Index, 0);
    // Deleted, its slot goes to the next entry added: that one is not it.
    ASSERT_TRUE(DeleteEntry(page, 0));
    ASSERT_TRUE(page.Add("C:\\x2.exe", "other", "", "", "", 5, false, "", 0));
    EXPECT_EQ(page.Buttons(2)->SlotIndex, asked.EntrySlot);
    EXPECT_EQ(FindEntryRef(set, asked).Page, nullptr);
    // Nor is anything found for an index outside the page or a page gone.
    EXPECT_EQ(FindEntryRef(set, EntryRefOf(TBarKind::Main, page, 3)).Page, nullptr);
    const TEntryRef first = EntryRefOf(TBarKind::Main, page, 0);
    ASSERT_NE(FindEntryRef(set, first).Page, nullptr);
    ASSERT_TRUE(DeletePageAt(set, 0).Done);
    EXPECT_EQ(FindEntryRef(set, first).Page, nullptr);
}

TEST(PageEditingTest, ArgumentHistoryKeepsTheLatestOnTop) {
    std::vector<std::string> history;
    RememberArgument(history, "A");
    RememberArgument(history, "B");
    EXPECT_EQ(history, (std::vector<std::string>{"B", "A"}));
    RememberArgument(history, "a");
    EXPECT_EQ(history, (std::vector<std::string>{"A", "B"}));  // as first typed
    RememberArgument(history, "");
    EXPECT_EQ(history.size(), 2u);
}

TEST(ShortcutRulesTest, NamesThatLeadElsewhereOrCannotBeFilesAreRefused) {
    EXPECT_TRUE(IsValidShortcutName("メモ帳"));
    EXPECT_TRUE(IsValidShortcutName("表"));  // trail byte 0x5C is no backslash
    EXPECT_TRUE(IsValidShortcutName("a.b c"));
    for (const char* bad : {"", ".", "..", "..\\x", "a/b", "C:x", "what?", "a*", "a|b", "a<b", "\"q\"", "end.", "end "})
        EXPECT_FALSE(IsValidShortcutName(bad)) << bad;
}

TEST(ShortcutRulesTest, TheArgumentsFollowTheProgramNameAsTyped) {
    EXPECT_EQ(CommandLineArguments("\"C:\\Program Files\\Vantor\\Vantor.exe\" /d \"D:\\My Data\""),
              "/d \"D:\\My Data\"");
    EXPECT_EQ(CommandLineArguments("C:\\V\\Vantor.exe   /d  X"), "/d  X");
    EXPECT_EQ(CommandLineArguments("\"C:\\V\\Vantor.exe\""), "");
    EXPECT_EQ(CommandLineArguments("Vantor.exe"), "");
    EXPECT_EQ(CommandLineArguments("\"unterminated"), "");
}

TEST(KeyRulesTest, EditBoxesKeepTheirEditingKeys) {
    EXPECT_TRUE(IsTextEditingKey(0x2E));             // Delete
    EXPECT_TRUE(IsTextEditingKey(KeyCtrl | 'X'));    // cut text
    EXPECT_TRUE(IsTextEditingKey(KeyShift | 0x2D));  // Shift+Insert pastes
    EXPECT_FALSE(IsTextEditingKey('X'));
    EXPECT_FALSE(IsTextEditingKey(KeyCtrl | 'O'));
    EXPECT_FALSE(IsTextEditingKey(KeyAlt | 0x2E));
    EXPECT_FALSE(IsTextEditingKey(0x70));  // F1
}

TEST(GuideTextsTest, BarsEndWithTheirTailAndTheBlockNeverSplitsACharacter) {
    const std::string smart = GuideText(TGuide::SmartBar);
    EXPECT_EQ(smart.substr(0, smart.find("||")), "スマートバー");
    const std::string tail =
        "・右クリックすると、ポップアップメニューが開きます。\r・メインウィンドウ付近までドラッグすると、"
        "ドッキングさせることができます。\r・メインウィンドウから離れた位置までドラッグすると、"
        "フローティングさせることができます。";
    for (TGuide bar : {TGuide::SmartBar, TGuide::KeywordBar, TGuide::HistoryBar, TGuide::ResourceBar}) {
        const std::string text = GuideText(bar);
        ASSERT_GT(text.size(), tail.size());
        EXPECT_EQ(text.substr(text.size() - tail.size()), tail);
    }
    EXPECT_NE(GuideText(TGuide::Entry).find("Vantor"), std::string::npos);

    EXPECT_EQ(HintBlock(""), std::string(1, '\0'));
    EXPECT_EQ(HintBlock("ab"), std::string("ab\0", 3));
    // 1021 single bytes, then a double-byte character that does not fit whole.
    const std::string cut = HintBlock(std::string(1021, 'a') + "漢字");
    EXPECT_EQ(cut.size(), 1022u);
    EXPECT_EQ(cut.back(), '\0');
    EXPECT_EQ(HintBlock(std::string(2000, 'b')).size(), 1023u);
}

TEST(GuideTextsTest, TitlesPopUpWhereTheViewHidesThem) {
    EXPECT_TRUE(ShowsTitlePopup(false, 3, false));  // bars
    EXPECT_TRUE(ShowsTitlePopup(true, 0, false));
    EXPECT_TRUE(ShowsTitlePopup(true, 6, false));
    EXPECT_FALSE(ShowsTitlePopup(true, 3, false));
    EXPECT_TRUE(ShowsTitlePopup(true, 3, true));  // cut short
    EXPECT_EQ(TitlePopupTop(100, 32, 768), 136);
    EXPECT_EQ(TitlePopupTop(720, 32, 768), 698);  // above it near the bottom
}
