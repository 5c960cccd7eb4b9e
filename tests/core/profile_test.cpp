#include "settings/profile.h"

#include <gtest/gtest.h>

#include "errors.h"
#include "fake_platform.h"
#include "settings/settings.h"

static TProfile ProfileOf(const std::string& text) {
    TProfile ini;
    ini.LoadFromBytes(text);
    return ini;
}

TEST(Profile, ReadsOddFilesLikeTheProfileFunctions) {
    std::string text =
        "Orphan=1\n"
        "; a comment line\r\n"
        "\r\n"
        "[Main]\r\n"
        "  Name  =  Value with spaces  \r\n"
        "name=second\n"
        "Path=C:\\a=b\n"
        "Double=\"quoted \"\n"
        "Single=' x '\n"
        "Mixed=\"x'\n"
        "Lone=\"\n"
        "Empty=\n"
        "NoEquals\n"
        "\tTabbed\t=\t1\t\n"
        "Wide=\x81\x40w\x81\x40\n";
    text += std::string("Nul=ab\0cd\n", 10);
    text +=
        "[main]\r\nOnlyInSecond=1\r\n"
        "[ Spaced ]\nK=1\n"
        "[Tail]junk\nK=tail\n"
        "[Broken\nK=broken\n"
        "[ゾ]\nK=zo\n"
        "[Last]\nK=no final newline";
    TProfile ini = ProfileOf(text);
    EXPECT_EQ(ini.ReadString("Main", "Name", "d"), "Value with spaces");
    EXPECT_EQ(ini.ReadString("MAIN", "NAME", "d"), "Value with spaces");  // first key of the name wins
    EXPECT_EQ(ini.ReadString("Main", "Path", "d"), "C:\\a=b");
    EXPECT_EQ(ini.ReadString("Main", "Double", "d"), "quoted ");
    EXPECT_EQ(ini.ReadString("Main", "Single", "d"), " x ");
    EXPECT_EQ(ini.ReadString("Main", "Mixed", "d"), "\"x'");
    EXPECT_EQ(ini.ReadString("Main", "Lone", "d"), "\"");
    EXPECT_EQ(ini.ReadString("Main", "Empty", "d"), "");
    EXPECT_TRUE(ini.ValueExists("Main", "Empty"));
    EXPECT_EQ(ini.ReadString("Main", "NoEquals", "d"), "d");
    EXPECT_FALSE(ini.ValueExists("Main", "NoEquals"));
    EXPECT_EQ(ini.ReadString("Main", "Tabbed", "d"), "1");
    EXPECT_EQ(ini.ReadString("Main", "Wide", "d"), "w");
    EXPECT_EQ(ini.ReadString("Main", "Nul", "d"), "ab");
    EXPECT_EQ(ini.ReadString("Main", "Missing", "dflt  "), "dflt");
    EXPECT_EQ(ini.ReadString("Main", "Missing", "\"q\""), "q");
    EXPECT_EQ(ini.ReadString("Main", "", "d"), "");
    // Only the first section of a name is read; keys before any section belong to none.
    EXPECT_EQ(ini.ReadString("Main", "OnlyInSecond", "d"), "d");
    EXPECT_EQ(ini.ReadString("", "Orphan", "d"), "d");
    EXPECT_EQ(ini.ReadString("Spaced", "K", "d"), "1");  // spaces inside the brackets do not count
    EXPECT_EQ(ini.ReadString(" Spaced ", "K", "d"), "1");
    EXPECT_EQ(ini.ReadString("Tail", "K", "d"), "tail");
    EXPECT_FALSE(ini.SectionExists("Broken"));
    EXPECT_EQ(ini.ReadString("Tail", "[Broken", "d"), "d");  // a key line without '='
    EXPECT_EQ(ini.ReadString("ゾ", "K", "d"), "zo");         // trail byte ']' does not close the name
    EXPECT_EQ(ini.ReadString("Last", "K", "d"), "no final newline");
}

TEST(Profile, LeadBytesAndByteOrderMark) {
    // A lead byte takes the line feed with it, as the code page conversion does.
    TProfile ini = ProfileOf("\xEF\xBB\xBF[S]\nA=x\x81\nB=1\nC=2\x81");
    EXPECT_EQ(ini.ReadString("S", "A", "d"), "x\x81\nB=1");
    EXPECT_EQ(ini.ReadString("S", "B", "d"), "d");
    EXPECT_EQ(ini.ReadString("S", "C", "d"), "2");  // a dangling lead byte at the end is dropped
}

TEST(Profile, IntegersAndBooleans) {
    TProfile ini = ProfileOf("[N]\nDec=-42\nDollar=$1F\nHex=0x10\nBig=$8000000F\nBad=12abc\nEmpty=\nOn=2\nOff=0\n");
    EXPECT_EQ(ini.ReadInteger("N", "Dec", 7), -42);
    EXPECT_EQ(ini.ReadInteger("N", "Dollar", 7), 31);
    EXPECT_EQ(ini.ReadInteger("N", "Hex", 7), 16);
    EXPECT_EQ(static_cast<uint32_t>(ini.ReadInteger("N", "Big", 7)), 0x8000000Fu);
    EXPECT_EQ(ini.ReadInteger("N", "Bad", 7), 7);
    EXPECT_EQ(ini.ReadInteger("N", "Empty", 7), 7);
    EXPECT_EQ(ini.ReadInteger("N", "Missing", 7), 7);
    EXPECT_TRUE(ini.ReadBool("N", "On", false));
    EXPECT_FALSE(ini.ReadBool("N", "Off", true));
    EXPECT_TRUE(ini.ReadBool("N", "Bad", true));
}

TEST(Profile, WritingKeepsEverythingElse) {
    TProfile ini = ProfileOf("; top comment\n[A]\nkey = old ; not a comment\n  Other=1\n\n[B]\nX=1\n[a]\nkey=dup\n");
    ini.WriteString("A", "KEY", "new");
    ini.WriteString("A", "Added", "2");
    ini.WriteInteger("C", "N", -5);
    ini.WriteBool("B", "Flag", true);
    EXPECT_EQ(ini.SaveToBytes(),
              "; top comment\r\n[A]\r\nkey=new\r\n  Other=1\r\nAdded=2\r\n\r\n[B]\r\nX=1\r\nFlag=1\r\n"
              "[a]\r\nkey=dup\r\n[C]\r\nN=-5\r\n");

    ini.EraseSection("a");  // every section of the name goes
    ini.DeleteKey("B", "x");
    EXPECT_EQ(ini.SaveToBytes(), "; top comment\r\n[B]\r\nFlag=1\r\n[C]\r\nN=-5\r\n");
}

TEST(Profile, WrittenValuesReadBackUnchanged) {
    const std::string values[] = {"plain", "  lead",       "trail\t", "\"quoted\"", "'single'",         "\"",
                                  "\"\"",  "\x81\x40wide", "a=b=c",   "[x]",        "\x83\x5d\x83\x5d", ""};
    TProfile ini;
    for (const auto& value : values) {
        ini.WriteString("S", "K", value);
        TProfile again = ProfileOf(ini.SaveToBytes());
        EXPECT_EQ(again.ReadString("S", "K", "default"), value) << value;
    }
    // A value can never add lines to the file.
    ini.WriteString("S", "K", std::string("one\ntwo\0three", 13));
    TProfile again = ProfileOf(ini.SaveToBytes());
    EXPECT_EQ(again.ReadString("S", "K", ""), "one two");
    ini.WriteString("S", "K", "x\x81");
    EXPECT_EQ(ProfileOf(ini.SaveToBytes()).ReadString("S", "K", ""), "x");
}

TEST(Profile, FileThroughPlatform) {
    TFakePlatform platform;
    TProfile ini;
    EXPECT_FALSE(ini.LoadFromFile(platform, "C:\\Data\\Vantor.ini"));
    EXPECT_EQ(ini.SaveToBytes(), "");

    platform.AddFile("C:\\Data\\Vantor.ini", "[S]\nK=old\n");
    ASSERT_TRUE(ini.LoadFromFile(platform, "C:\\Data\\Vantor.ini"));
    ini.WriteString("S", "K", "new");
    platform.FailWrites = true;
    EXPECT_THROW(ini.SaveToFile(platform, "C:\\Data\\Vantor.ini"), EVantorError);
    std::string bytes;
    ASSERT_TRUE(platform.ReadWholeFile("C:\\Data\\Vantor.ini", bytes));
    EXPECT_EQ(bytes, "[S]\nK=old\n");

    platform.FailWrites = false;
    ini.SaveToFile(platform, "C:\\Data\\Vantor.ini");
    ASSERT_TRUE(platform.ReadWholeFile("C:\\Data\\Vantor.ini", bytes));
    EXPECT_EQ(bytes, "[S]\r\nK=new\r\n");
}

TEST(Profile, SplitTextLines) {
    EXPECT_EQ(SplitTextLines("a\r\nb\rc\n\nd"), (std::vector<std::string>{"a", "b", "c", "d"}));
    EXPECT_EQ(SplitTextLines(std::string("a\nb\0c\nd", 7)), (std::vector<std::string>{"a", "b"}));
    EXPECT_TRUE(SplitTextLines("").empty());
}

// The look-ups by name must stay true while lines come and go.
TEST(Profile, LookupsStayTrueThroughChanges) {
    TProfile ini;
    ini.LoadFromBytes("top=0\r\n[A]\r\nk=1\r\nK=2\r\n\r\n[B]\r\nx=1\r\n[a]\r\nk=3\r\n");
    EXPECT_EQ(ini.ReadString("A", "k", ""), "1");
    EXPECT_EQ(ini.ReadString("", "top", "none"), "none");  // lines before any section belong to none
    ini.WriteString("A", "new", "n");
    ini.DeleteKey("A", "K");
    EXPECT_EQ(ini.ReadString("A", "k", ""), "2");  // the second line of the name now counts
    ini.WriteString("a", "k", "4");
    ini.WriteString("A", "more", "m");
    EXPECT_EQ(ini.ReadString("A", "new", ""), "n");
    EXPECT_EQ(ini.SaveToBytes(), "top=0\r\n[A]\r\nK=4\r\nnew=n\r\nmore=m\r\n\r\n[B]\r\nx=1\r\n[a]\r\nk=3\r\n");

    ini.EraseSection(" a ");
    EXPECT_FALSE(ini.SectionExists("A"));
    ini.WriteString("A", "k", "5");
    ini.WriteString("B", "y", "2");
    EXPECT_EQ(ini.ReadString("A", "k", ""), "5");
    EXPECT_EQ(ini.SaveToBytes(), "top=0\r\n[B]\r\nx=1\r\ny=2\r\n[A]\r\nk=5\r\n");
}

// A damaged file with a hundred thousand copies of one section: the whole
// save (every list section erased and written again) must still be right,
// and it must not take minutes (bench_profile measures it).
TEST(Profile, ManyCopiesOfASectionSaveWhole) {
    std::string text = "[Settings]\r\nVersion=768\r\nAutoHide=0\r\n";
    for (int i = 0; i < 100000; ++i)
        text += "[Exts]\r\nCustomExt0=.x" + std::to_string(i) + "\r\n[Other]\r\nKeep=1\r\n";
    TFakePlatform platform;
    platform.AddFile("C:\\Vantor.ini", text);
    TProfile ini;
    ASSERT_TRUE(ini.LoadFromFile(platform, "C:\\Vantor.ini"));
    EXPECT_EQ(ini.ReadString("Exts", "CustomExt0", ""), ".x0");  // the first copy counts

    TVantorSettings settings(platform);
    settings.ReadSettings(ini, TSettingsReadOptions());
    EXPECT_FALSE(settings.AutoHide);
    EXPECT_EQ(settings.CustomExts.Items(), std::vector<std::string>{".x0"});
    settings.WriteSettings(ini, 0, TFolderHistory());
    ini.SaveToFile(platform, "C:\\Vantor.ini");

    std::string saved;
    ASSERT_TRUE(platform.ReadWholeFile("C:\\Vantor.ini", saved));
    auto count = [&](const std::string& what) {
        size_t n = 0;
        for (size_t at = saved.find(what); at != std::string::npos; at = saved.find(what, at + 1)) ++n;
        return n;
    };
    EXPECT_EQ(count("[Exts]"), 1u);
    EXPECT_EQ(count("[Other]\r\nKeep=1\r\n"), 100000u);  // what is not ours stays
    EXPECT_EQ(count("CustomExt0=.x0\r\n"), 1u);
    EXPECT_NE(saved.find("AutoHide=0\r\n"), std::string::npos);
    TProfile reread;
    reread.LoadFromBytes(saved);
    EXPECT_EQ(reread.ReadString("Exts", "CustomExt0", ""), ".x0");
    EXPECT_EQ(reread.SaveToBytes(), saved);
}
