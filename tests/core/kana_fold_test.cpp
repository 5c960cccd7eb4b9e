#include "text/kana_fold.h"

#include <gtest/gtest.h>

#include "fake_platform.h"
#include "search/keyword_search.h"

TEST(KanaFold, EveryWayOfTypingAWordFoldsAlike) {
    const std::string memo = KanaFold("メモ");
    EXPECT_EQ(KanaFold("めも"), memo);
    EXPECT_EQ(KanaFold("ﾒﾓ"), memo);
    // Voiced and semi-voiced marks join their half-width letter; ヴ too.
    EXPECT_EQ(KanaFold("ｶﾞｲﾄﾞ"), KanaFold("がいど"));
    EXPECT_EQ(KanaFold("ﾎﾟｽﾄ"), KanaFold("ポスト"));
    EXPECT_EQ(KanaFold("ｳﾞｧ"), KanaFold("ヴァ"));
    // The hiragana after み skip the katakana gap at trail byte 0x7F.
    EXPECT_EQ(KanaFold("むん"), KanaFold("ムン"));
    EXPECT_EQ(KanaFold("ﾒｰﾙ"), KanaFold("メール"));
    // Full-width letters and digits are ASCII, letters lower-case.
    EXPECT_EQ(KanaFold("Ｗｉｎ１０"), "win10");
    EXPECT_EQ(KanaFold("WIN10"), "win10");
    // Everything else stays as it is, trail bytes 0x5C included.
    EXPECT_EQ(KanaFold("表ソ\\"), "表ソ\\");
    EXPECT_EQ(KanaFold("ﾞ"), KanaFold("゛"));  // a mark on its own
    EXPECT_EQ(KanaFold("a\x83"), "a\x83");     // a lone lead byte at the end
}

TEST(KanaBlindSearch, FindsTheKeywordHoweverItIsTypedAndCompletesAfterTheCoveredPart) {
    TFakePlatform platform;
    TVantorManager main{platform};
    ASSERT_TRUE(main.Pages(0)->Add("C:\\memo.exe", "メモ帳", "メモ帳", "", "", 1, false, "", 0));
    ASSERT_TRUE(main.Pages(0)->Add("C:\\guide.exe", "ガイド", "ガイド", "", "", 1, false, "", 0));
    TVantorPage matches{platform};
    for (const char* typed : {"めも", "ﾒﾓ", "メモ"}) {
        FindKeywordMatches(typed, {&main}, matches, true);
        ASSERT_EQ(matches.Count(), 1) << typed;
        EXPECT_EQ(matches.Buttons(0)->Title, "メモ帳");
    }
    // Off, the search is exactly the plain one.
    FindKeywordMatches("めも", {&main}, matches, false);
    EXPECT_EQ(matches.Count(), 0);

    // "ｶﾞｲ" is three characters typed but covers two of "ガイド".
    TKeywordBox box;
    box.Text = "ｶﾞｲ";
    box.Caret = box.SelStart = 3;
    ASSERT_TRUE(KeywordSearch(box, {&main}, matches, true));
    EXPECT_EQ(box.Text, "ガイド");
    EXPECT_EQ(box.SelStart, 2);
    EXPECT_EQ(box.SelLength, 1);
}
