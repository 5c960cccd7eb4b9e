// What lies only in the native System32 of a 64-bit system, seen from either
// build: the 32-bit one runs under WOW64, where System32 means SysWOW64, and
// must still find it, show its icon and start it from there.
#include "shell/native_system_folder.h"

#include <gtest/gtest.h>
#include <windows.h>

#include "base/handles.h"
#include "base/win_text.h"
#include "controls/launcher_button.h"
#include "shell/link_checker.h"
#include "shell/target_probe.h"
#include "win_test_util.h"

namespace {

bool RunsUnderWow64() {
    BOOL wow64 = FALSE;
    return IsWow64Process(GetCurrentProcess(), &wow64) && wow64;
}

std::string WindowsFolder() {
    wchar_t folder[MAX_PATH] = {};
    GetSystemWindowsDirectoryW(folder, MAX_PATH);
    return Narrow(folder);
}

// A program (this test executable, which carries icons) in the native
// System32 only, removed again when the object goes.
class TNativeOnlyProgram {
public:
    TNativeOnlyProgram()
        : FNativeFolder(WindowsFolder() + (RunsUnderWow64() ? "\\Sysnative\\" : "\\System32\\")),
          FCopy(FNativeFolder + kName) {
        Copied = CopyFileW(Widen(TestExecutable()).c_str(), Widen(FCopy).c_str(), FALSE) != 0;
    }
    ~TNativeOnlyProgram() { DeleteFileW(Widen(FCopy).c_str()); }
    // As the user writes it.
    std::string Path() const { return WindowsFolder() + "\\System32\\" + kName; }
    bool Copied = false;

private:
    static constexpr const char* kName = "vantor-native-only.exe";
    std::string FNativeFolder;
    std::string FCopy;
};

}  // namespace

TEST(NativeSystemFolder, AProgramOnlyInTheNativeSystem32IsFoundShownAndStartedFromThere) {
    TNativeOnlyProgram program;
    ASSERT_TRUE(program.Copied) << "could not put a program into the native System32";
    const std::string path = program.Path();
    const std::string system32 = WindowsFolder() + "\\System32";

    EXPECT_EQ(SystemTargetFileSystem().Look(path), TTargetKind::File);
    EXPECT_EQ(ProbeTarget(path, 2000), TLinkState::Present);
    TIcon icon(ExtractLauncherIcon(path, true, 0));
    EXPECT_NE(icon.Get(), nullptr) << "no icon from " << path;

    if (RunsUnderWow64()) {
        // The shell starts the program here, through the alias; the working
        // folder, which the started 64-bit program reads, stays as written.
        EXPECT_EQ(NativeStartPath(path), WindowsFolder() + "\\Sysnative\\vantor-native-only.exe");
        EXPECT_EQ(NativeStartPath(system32), system32);
        EXPECT_FALSE(PathExists(path)) << "SysWOW64 holds the program too: nothing is shown";
    } else {
        EXPECT_EQ(NativeStartPath(path), path);
        EXPECT_EQ(NativePath(path), path);
    }
}
