// The system as the core sees it, and saves that survive being cut short.
#include "shell/win_platform.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <algorithm>

#include "base/handles.h"
#include "base/win_text.h"
#include "errors.h"
#include "model/vantor_classes.h"
#include "text/text.h"
#include "win_test_util.h"

TEST(WinPlatform, FilesFoldersAndListings) {
    TTempFolder folder;
    TWinPlatform platform;
    WriteTextFile(folder / "表示.txt", "x");
    MakeFolder(folder / "ソフト");
    EXPECT_TRUE(platform.FileExists(folder / "表示.txt"));
    EXPECT_FALSE(platform.FileExists(folder / "ソフト"));
    EXPECT_TRUE(platform.DirectoryExists(folder / "ソフト"));
    EXPECT_TRUE(platform.DirectoryExists(folder / "ソフト\\"));
    EXPECT_FALSE(platform.DirectoryExists(folder / "表示.txt"));

    std::vector<TFindItem> items = platform.FindFiles(folder / "*.*");
    auto has = [&](const std::string& name, bool isFolder) {
        return std::any_of(items.begin(), items.end(),
                           [&](const TFindItem& i) { return i.Name == name && i.IsFolder == isFolder; });
    };
    EXPECT_TRUE(has("表示.txt", false));
    EXPECT_TRUE(has("ソフト", true));
    EXPECT_TRUE(platform.FindFiles(folder / "nothing\\*.*").empty());

    std::string data;
    EXPECT_FALSE(platform.ReadWholeFile(folder / "missing.pag", data));
    EXPECT_TRUE(platform.RemoveFile(folder / "表示.txt"));
    EXPECT_FALSE(platform.RemoveFile(folder / "表示.txt"));

    std::string windows = platform.WindowsFolder();
    EXPECT_FALSE(windows.empty());
    EXPECT_FALSE(HasTrailingBackslash(windows));
    EXPECT_TRUE(platform.DirectoryExists(platform.SystemFolder()));
    EXPECT_FALSE(platform.IsFontInstalled("No Such Font Family"));
    EXPECT_FALSE(platform.IsFontInstalled(""));
}

TEST(WinPlatform, WriteWholeFileReplacesOrFailsCleanly) {
    TTempFolder folder;
    TWinPlatform platform;
    std::string file = folder / "Main.pag";
    std::string big(3 * 1024 * 1024 + 7, '\x81');
    platform.WriteWholeFile(file, "old");
    platform.WriteWholeFile(file, big);
    std::string data;
    ASSERT_TRUE(platform.ReadWholeFile(file, data));
    EXPECT_EQ(data, big);
    EXPECT_FALSE(PathExists(TemporarySaveName(file)));

    // A target that cannot be replaced (a folder of that name): the save
    // fails, says so, and leaves no temporary file behind.
    MakeFolder(folder / "Smart.pag");
    EXPECT_THROW(platform.WriteWholeFile(folder / "Smart.pag", "data"), EVantorError);
    EXPECT_FALSE(PathExists(TemporarySaveName(folder / "Smart.pag")));
    EXPECT_THROW(platform.WriteWholeFile(folder / "no folder\\x.pag", "data"), EVantorError);
}

namespace {

uint64_t FileSize(const std::string& path) {
    WIN32_FILE_ATTRIBUTE_DATA info{};
    if (!GetFileAttributesExW(Widen(path).c_str(), GetFileExInfoStandard, &info)) return 0;
    return (static_cast<uint64_t>(info.nFileSizeHigh) << 32) | info.nFileSizeLow;
}

}  // namespace

// A child process saves two page sets of different sizes in turn as fast as
// it can and is killed at varied moments; whatever the moment, the file then
// is one of the two versions, complete, and loads.
TEST(WinPlatform, SaveKilledAtAnyMomentLeavesOneWholeVersion) {
    TTempFolder folder;
    TWinPlatform platform;
    std::string file = folder / "Main.pag";
    const std::string versions[2] = {SaveLoopVersion(0), SaveLoopVersion(1)};
    ASSERT_NE(versions[0].size(), versions[1].size());

    for (int round = 0; round < 16; ++round) {
        platform.WriteWholeFile(file, versions[1]);
        std::wstring commandLine = L"\"" + Widen(TestExecutable()) + L"\" --save-loop \"" + Widen(file) + L"\"";
        STARTUPINFOW startup{};
        startup.cb = sizeof(startup);
        PROCESS_INFORMATION process{};
        ASSERT_TRUE(CreateProcessW(nullptr, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                                   &process));
        TKernelHandle processHandle(process.hProcess);
        TKernelHandle threadHandle(process.hThread);
        // Killed only once it has saved: a child slow to start on a busy
        // machine would otherwise be killed before its first save every time.
        // Watched by its size, never opened: a reader would make the save fail.
        bool saved = false;
        const DWORD start = GetTickCount();
        while (!(saved = FileSize(file) == versions[0].size()) && GetTickCount() - start < 30000) Sleep(5);
        if (!saved) TerminateProcess(processHandle.Get(), 9);
        ASSERT_TRUE(saved) << "round " << round << ": the child never saved";
        // From its first save to several saves in.
        Sleep(round * 37);
        TerminateProcess(processHandle.Get(), 9);
        WaitForSingleObject(processHandle.Get(), 10000);

        std::string data;
        ASSERT_TRUE(platform.ReadWholeFile(file, data)) << "round " << round;
        bool isFirst = data == versions[0];
        bool isSecond = data == versions[1];
        ASSERT_TRUE(isFirst || isSecond) << "round " << round << ": " << data.size() << " bytes";
        TVantorManager pages(platform);
        ASSERT_NO_THROW(pages.LoadFromFile(file));
        EXPECT_EQ(pages.Count(), isFirst ? 32 : 21);
    }
}
