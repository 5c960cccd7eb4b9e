#include "text/text.h"

#include <gtest/gtest.h>

// "表" is 0x95 0x5C and "ソ" is 0x83 0x5C: their trail byte is a backslash.
static const std::string kHyo = "表";
static const std::string kSo = "ソ";

TEST(Text, LiteralsAreCodePage932) {
    ASSERT_EQ(kHyo, std::string("\x95\x5C"));
    ASSERT_EQ(kSo, std::string("\x83\x5C"));
}

TEST(Text, PathPartsStepOverTrailBackslash) {
    std::string path = "C:\\" + kHyo + "\\" + kSo + ".txt";
    EXPECT_EQ(ExtractFileName(path), kSo + ".txt");
    EXPECT_EQ(ExtractFilePath(path), "C:\\" + kHyo + "\\");
    EXPECT_EQ(ExtractFileDir(path), "C:\\" + kHyo);
    EXPECT_EQ(ExtractFileExt(path), ".txt");
    // A folder whose name ends in a trail backslash has no trailing backslash.
    EXPECT_FALSE(HasTrailingBackslash("C:\\" + kHyo));
    EXPECT_EQ(IncludeTrailingBackslash("C:\\" + kHyo), "C:\\" + kHyo + "\\");
    EXPECT_EQ(ExcludeTrailingBackslash("C:\\" + kHyo), "C:\\" + kHyo);
    EXPECT_EQ(ExtractFileName(kHyo), kHyo);
}

TEST(Text, PathPartsOfRootsAndBareNames) {
    EXPECT_EQ(ExtractFileDir("C:\\a.txt"), "C:\\");
    EXPECT_EQ(ExtractFileDir("C:\\a\\b.txt"), "C:\\a");
    EXPECT_EQ(ExtractFilePath("notepad.exe"), "");
    EXPECT_EQ(ExtractFilePath("http://x/"), "http:");  // a web address has a folder part
    EXPECT_EQ(ExtractFileExt("C:\\dir.d\\file"), "");
    EXPECT_EQ(ChangeFileExt("C:\\a\\b.txt", ""), "C:\\a\\b");
    EXPECT_EQ(ChangeFileExt("C:\\a.d\\b", ".x"), "C:\\a.d\\b.x");
}

TEST(Text, AnsiLowerCaseCoversFullWidthGreekCyrillic) {
    EXPECT_EQ(AnsiLowerCase("ABC xyz"), "abc xyz");
    EXPECT_EQ(AnsiLowerCase("ＡＺ"), "ａｚ");
    EXPECT_EQ(AnsiLowerCase("ΑΩ"), "αω");
    EXPECT_EQ(AnsiLowerCase("АЁНОЯ"), "аёноя");
    // Trail bytes that look like ASCII capitals stay: "ア" is 0x83 0x41.
    EXPECT_EQ(AnsiLowerCase("ア"), "ア");
    EXPECT_TRUE(SameText("C:\\Program Files\\ＡＢ", "c:\\PROGRAM FILES\\ａｂ"));
    EXPECT_LT(CompareText("a", "B"), 0);
}

TEST(Text, CutDoubleByteAtEndIsSafe) {
    std::string cut = "a\x95";
    EXPECT_EQ(AnsiLowerCase(cut), cut);
    EXPECT_EQ(ExtractFileName(cut), cut);
    EXPECT_EQ(RemoveLastChar("a" + kHyo), "a");
    EXPECT_EQ(RemoveLastChar(kHyo + "b"), kHyo);
    EXPECT_EQ(RemoveLastChar(""), "");
}

TEST(Text, WebAddress) {
    EXPECT_TRUE(IsWebAddress("HTTP://example.com"));
    EXPECT_TRUE(IsWebAddress("http://"));
    EXPECT_FALSE(IsWebAddress("http:/"));
    // The secure scheme is as much a web address, in any letter case.
    EXPECT_TRUE(IsWebAddress("https://example.com"));
    EXPECT_TRUE(IsWebAddress("HttpS://example.com"));
    EXPECT_TRUE(IsWebAddress("https://"));
    EXPECT_FALSE(IsWebAddress("https:/"));
    EXPECT_FALSE(IsWebAddress("https:example.com"));
    EXPECT_FALSE(IsWebAddress("httpx://example.com"));
    EXPECT_FALSE(IsWebAddress("C:\\https:\\x"));
}

TEST(Text, IntegerSyntax) {
    int32_t v = 0;
    EXPECT_TRUE(TryStrToInt(" 42 ", v));
    EXPECT_EQ(v, 42);
    EXPECT_TRUE(TryStrToInt("-7", v));
    EXPECT_EQ(v, -7);
    EXPECT_TRUE(TryStrToInt("$8000000F", v));
    EXPECT_EQ(static_cast<uint32_t>(v), 0x8000000Fu);
    EXPECT_TRUE(TryStrToInt("0x1f", v));
    EXPECT_EQ(v, 31);
    EXPECT_FALSE(TryStrToInt("", v));
    EXPECT_FALSE(TryStrToInt("12a", v));
    EXPECT_FALSE(TryStrToInt("$", v));
    EXPECT_FALSE(TryStrToInt("99999999999", v));
    EXPECT_FALSE(TryStrToInt("$123456789", v));
}

TEST(Text, Format) {
    EXPECT_EQ(Format("ボタン%d", 3), "ボタン3");
    EXPECT_EQ(Format("\"%s\"が見つかりません。", "C:\\表"), "\"C:\\表\"が見つかりません。");
    EXPECT_EQ(Format("100%% %d", -1), "100% -1");
    EXPECT_EQ(Format("%d %s"), "%d %s");
}
