#include "launch/native_system_folder.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

TEST(NativeSystemPathTest, PathsInSystem32GoThroughSysnativeAndEveryOtherPathStaysAsWritten) {
    const std::string windows = "C:\\Windows";
    EXPECT_EQ(NativeSystemPath("C:\\Windows\\System32\\notepad.exe", windows), "C:\\Windows\\Sysnative\\notepad.exe");
    // Any case, either separator, the rest of the path as the user wrote it.
    EXPECT_EQ(NativeSystemPath("c:\\WINDOWS\\system32\\Drivers\\ETC\\hosts", windows),
              "c:\\WINDOWS\\Sysnative\\Drivers\\ETC\\hosts");
    EXPECT_EQ(NativeSystemPath("C:/Windows/System32/cmd.exe", windows), "C:/Windows/Sysnative/cmd.exe");
    // The folder itself, as a working folder is written.
    EXPECT_EQ(NativeSystemPath("C:\\Windows\\System32", windows), "C:\\Windows\\Sysnative");
    EXPECT_EQ(NativeSystemPath("C:\\Windows\\System32\\", windows + "\\"), "C:\\Windows\\Sysnative\\");

    for (const char* other :
         {"C:\\Windows\\System32x\\a.exe", "C:\\Windows\\SysWOW64\\cmd.exe", "C:\\Windows\\notepad.exe",
          "D:\\Windows\\System32\\a.exe", "C:\\Tools\\Windows\\System32", "\\\\server\\Windows\\System32\\a.exe",
          "C:\\Windows\\System3", "", "System32"}) {
        EXPECT_EQ(NativeSystemPath(other, windows), other);
    }
    EXPECT_EQ(NativeSystemPath("C:\\Windows\\System32\\a.exe", ""), "C:\\Windows\\System32\\a.exe");
}

TEST(NativeSystemPathTest, AWindowsFolderWithJapaneseNameIsMatchedCharacterByCharacter) {
    // 表 ends in the byte of a backslash; ア and ヂ differ only in a trail
    // byte that reads as 'A' or 'a', which no case folding may equate.
    EXPECT_EQ(NativeSystemPath("C:\\表\\system32\\a.exe", "C:\\表"), "C:\\表\\Sysnative\\a.exe");
    EXPECT_EQ(NativeSystemPath("C:\\ア\\System32\\a.exe", "C:\\ア\\"), "C:\\ア\\Sysnative\\a.exe");
    EXPECT_EQ(NativeSystemPath("C:\\ヂ\\System32\\a.exe", "C:\\ア"), "C:\\ヂ\\System32\\a.exe");
}

TEST(NativeSystemPathTest, AStartHandsOverProgramsNativelyAndWhatAnotherProgramOpensAsWrittenWhileSeen) {
    const std::string windows = "C:\\Windows";
    std::vector<std::string> looked;
    bool seen = true;
    auto look = [&](const std::string& path) {
        looked.push_back(path);
        return seen;
    };
    // A program starts here: the native one, whether or not SysWOW64 has one too.
    EXPECT_EQ(NativeStartPath("C:\\Windows\\System32\\CMD.EXE", windows, look), "C:\\Windows\\Sysnative\\CMD.EXE");
    EXPECT_TRUE(looked.empty());
    // A working folder or a document goes to a 64-bit program, which reads
    // System32 natively: as written while this process sees it too...
    EXPECT_EQ(NativeStartPath("C:\\Windows\\System32", windows, look), "C:\\Windows\\System32");
    EXPECT_EQ(NativeStartPath("C:\\Windows\\System32\\compmgmt.msc", windows, look),
              "C:\\Windows\\System32\\compmgmt.msc");
    EXPECT_EQ(looked, (std::vector<std::string>{"C:\\Windows\\System32", "C:\\Windows\\System32\\compmgmt.msc"}));
    // ...and through the alias when only the native folder has it.
    seen = false;
    EXPECT_EQ(NativeStartPath("C:\\Windows\\System32\\native only", windows, look),
              "C:\\Windows\\Sysnative\\native only");
    // Anything outside System32 is never looked at.
    looked.clear();
    EXPECT_EQ(NativeStartPath("C:\\Tools\\notes.txt", windows, look), "C:\\Tools\\notes.txt");
    EXPECT_TRUE(looked.empty());
}
