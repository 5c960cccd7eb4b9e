#include "search/keyword_search.h"

#include <gtest/gtest.h>

#include "fake_platform.h"
#include "launch/launch_rules.h"

namespace {

void AddEntry(TVantorPage& page, const std::string& keyword, const std::string& title,
              const std::string& linkTo = std::string()) {
    const std::string target = linkTo.empty() ? "C:\\Apps\\" + title + ".exe" : linkTo;
    ASSERT_TRUE(page.Add(target, title, keyword, "", "", ShowNormal, false, "", 0));
}

std::vector<std::string> Titles(const TVantorPage& page) {
    std::vector<std::string> titles;
    for (int32_t i = 0; i < page.Count(); ++i) titles.push_back(page.Buttons(i)->Title);
    return titles;
}

struct KeywordSearchTest : ::testing::Test {
    TFakePlatform platform;
    TVantorManager main{platform}, smart{platform}, history{platform};
    TVantorPage matches{platform};

    std::vector<std::string> Find(const std::string& typed) {
        FindKeywordMatches(typed, {&main, &smart, &history}, matches);
        return Titles(matches);
    }
    TKeywordBox Typed(const std::string& text) {
        TKeywordBox box;
        box.Text = text;
        box.Caret = box.SelStart = CharCount(text);
        return box;
    }
};

}  // namespace

TEST(KeywordPositions, DoubleByteCharactersAreOnePosition) {
    const std::string text = "aソ表b";  // ソ and 表 end in 0x5C
    EXPECT_EQ(CharCount(text), 4);
    EXPECT_EQ(ByteOffsetOfChar(text, 2), 3u);
    EXPECT_EQ(ByteOffsetOfChar(text, 9), text.size());
    EXPECT_EQ(CharPosOfByte(text, 2), 1);  // inside ソ
    EXPECT_EQ(CharPosOfByte(text, 5), 3);
    EXPECT_EQ(CharCount("a\x83"), 2);  // a lone lead byte at the end
}

TEST_F(KeywordSearchTest, PrefixIgnoresCaseAndSortsByTitle) {
    AddEntry(*main.Pages(0), "Notepad", "Notepad");
    AddEntry(*main.Pages(0), "notes", "Memo");
    AddEntry(*main.Pages(0), "calc", "Calculator");
    AddEntry(*main.Pages(0), "", "NoKeyword");
    EXPECT_EQ(Find("NO"), (std::vector<std::string>{"Memo", "Notepad"}));
    EXPECT_EQ(Find("x"), std::vector<std::string>{});
    EXPECT_EQ(Find(""), std::vector<std::string>{});
    EXPECT_EQ(Find("calculator"), std::vector<std::string>{});  // longer than the keyword
}

TEST_F(KeywordSearchTest, DoubleByteKeywordsCompareWholeCharacters) {
    AddEntry(*main.Pages(0), "ソフト", "soft");
    AddEntry(*main.Pages(0), "表計算", "sheet");
    AddEntry(*main.Pages(0), "アプリ", "app");    // ア = 0x83 0x41
    AddEntry(*main.Pages(0), "ヂーム", "dim");    // ヂ = 0x83 0x61, ア with its trail lower-cased
    AddEntry(*main.Pages(0), "ＡＢＣ", "wide");   // full-width capitals lower-case
    AddEntry(*main.Pages(0), "\\tool", "slash");  // a real backslash
    EXPECT_EQ(Find("ソ"), std::vector<std::string>{"soft"});
    EXPECT_EQ(Find("表"), std::vector<std::string>{"sheet"});
    EXPECT_EQ(Find("ア"), std::vector<std::string>{"app"});
    EXPECT_EQ(Find("ａｂ"), std::vector<std::string>{"wide"});
    EXPECT_EQ(Find("\\"), std::vector<std::string>{"slash"});  // never the trail byte of ソ or 表
    EXPECT_EQ(Find("\x83"), std::vector<std::string>{});       // half a character matches nothing
}

TEST_F(KeywordSearchTest, EqualEntriesAreListedOnceAcrossSets) {
    AddEntry(*main.Pages(0), "edit", "Editor", "C:\\Apps\\edit.exe");
    AddEntry(*history.Pages(0), "edit", "Editor", "c:\\apps\\EDIT.EXE");  // same entry
    AddEntry(*smart.Pages(0), "edit", "Editor 2", "C:\\Apps\\edit.exe");  // another title
    EXPECT_EQ(Find("ed"), (std::vector<std::string>{"Editor", "Editor 2"}));
    EXPECT_EQ(matches.Buttons(0)->LinkTo, "C:\\Apps\\edit.exe");  // the first one found
}

TEST_F(KeywordSearchTest, MoreThan128MatchesKeepTheFirstFound) {
    ASSERT_TRUE(main.AddPage("two", 0));
    for (int i = 0; i < 100; ++i) AddEntry(*main.Pages(0), "k", "a" + std::to_string(1000 + i));
    for (int i = 0; i < 100; ++i) AddEntry(*main.Pages(1), "k", "b" + std::to_string(1000 + i));
    AddEntry(*history.Pages(0), "k", "0first by title");
    const auto titles = Find("k");
    ASSERT_EQ(titles.size(), 128u);
    EXPECT_EQ(titles.front(), "a1000");
    EXPECT_EQ(titles.back(), "b1027");
}

TEST_F(KeywordSearchTest, SearchCompletesAndKeysEditWholeCharacters) {
    AddEntry(*main.Pages(0), "Notepad", "A");
    AddEntry(*main.Pages(0), "notes", "B");
    AddEntry(*main.Pages(0), "ソフト表", "C");

    TKeywordBox box = Typed("no");
    ASSERT_TRUE(KeywordSearch(box, {&main}, matches));
    EXPECT_EQ(box.Text, "Notepad");  // the typed part takes the keyword's case
    EXPECT_EQ(box.SelStart, 2);
    EXPECT_EQ(box.SelLength, 5);
    EXPECT_FALSE(KeywordSearch(box, {&main}, matches));  // a selection stops the search

    // Backspace removes the completion and one typed character, then completes again.
    ASSERT_TRUE(KeywordBackspace(box));
    EXPECT_EQ(box.Text, "N");
    EXPECT_EQ(box.SelStart, 1);
    ASSERT_TRUE(KeywordSearch(box, {&main}, matches));
    EXPECT_EQ(box.Text, "Notepad");
    EXPECT_EQ(box.SelStart, 1);

    box = Typed("ソフ");
    ASSERT_TRUE(KeywordSearch(box, {&main}, matches));
    EXPECT_EQ(box.Text, "ソフト表");
    EXPECT_EQ(box.SelStart, 2);
    EXPECT_EQ(box.SelLength, 2);
    EXPECT_EQ(box.Caret, 4);
    ASSERT_TRUE(KeywordBackspace(box));
    EXPECT_EQ(box.Text, "ソ");

    // Delete at the caret; at the end there is nothing to delete.
    box = Typed("ソフト表");
    box.SelStart = box.Caret = 1;
    ASSERT_TRUE(KeywordDelete(box));
    EXPECT_EQ(box.Text, "ソト表");
    box.SelStart = 3;
    EXPECT_FALSE(KeywordDelete(box));

    // Nothing matches: the text stays as typed and the list empties.
    box = Typed("zz");
    ASSERT_TRUE(KeywordSearch(box, {&main}, matches));
    EXPECT_EQ(box.Text, "zz");
    EXPECT_EQ(box.SelLength, 0);
    EXPECT_EQ(matches.Count(), 0);
}

TEST_F(KeywordSearchTest, UpAndDownRotateTheMatches) {
    AddEntry(*main.Pages(0), "alpha", "A");
    AddEntry(*main.Pages(0), "al", "B");
    AddEntry(*main.Pages(0), "alps", "C");
    TKeywordBox box = Typed("al");
    ASSERT_TRUE(KeywordSearch(box, {&main}, matches));

    ASSERT_TRUE(KeywordRotate(box, matches, true));
    EXPECT_EQ(Titles(matches), (std::vector<std::string>{"B", "C", "A"}));
    EXPECT_EQ(box.Text, "al");  // the keyword equals the typed text: nothing selected
    EXPECT_EQ(box.SelLength, 0);

    ASSERT_TRUE(KeywordRotate(box, matches, false));
    ASSERT_TRUE(KeywordRotate(box, matches, false));
    EXPECT_EQ(Titles(matches), (std::vector<std::string>{"C", "A", "B"}));
    EXPECT_EQ(box.Text, "alps");
    EXPECT_EQ(box.SelStart, 2);

    // A caret moved past the next keyword's end stays inside the text.
    box.SelStart = box.Caret = 4;
    box.SelLength = 0;
    ASSERT_TRUE(KeywordRotate(box, matches, true));
    EXPECT_EQ(box.Text, "alpha");
    ASSERT_TRUE(KeywordRotate(box, matches, true));
    EXPECT_EQ(box.Text, "al");
    EXPECT_EQ(box.SelStart, 2);

    FindKeywordMatches("alph", {&main}, matches);
    EXPECT_FALSE(KeywordRotate(box, matches, true));  // one match
}

TEST(HistoryRule, RepeatsMoveUpAndOtherTitlesStaySeparate) {
    TFakePlatform platform;
    TVantorPage history(platform);
    TVantorButton a, b, a2;
    a.LinkTo = b.LinkTo = a2.LinkTo = "C:\\Apps\\tool.exe";
    a.Title = "Tool";
    b.Title = "Other";
    a2.Title = "Tool";
    a2.LinkTo = "c:\\apps\\TOOL.exe";
    for (const TVantorButton* e : {&a, &b, &a2}) ASSERT_TRUE(AddToHistoryPage(history, *e));
    EXPECT_EQ(Titles(history), (std::vector<std::string>{"Tool", "Other"}));
}
