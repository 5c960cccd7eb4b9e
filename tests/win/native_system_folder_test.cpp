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

// A file in the native System32 only (a copy of `source`), removed again
// when the object goes.
class TNativeOnlyFile {
public:
    TNativeOnlyFile(const std::string& name, const std::string& source)
        : FName(name), FCopy(WindowsFolder() + (RunsUnderWow64() ? "\\Sysnative\\" : "\\System32\\") + name) {
        Copied = CopyFileW(Widen(source).c_str(), Widen(FCopy).c_str(), FALSE) != 0;
    }
    ~TNativeOnlyFile() { DeleteFileW(Widen(FCopy).c_str()); }
    // As the user writes it.
    std::string Path() const { return WindowsFolder() + "\\System32\\" + FName; }
    bool Copied = false;

private:
    std::string FName;
    std::string FCopy;
};

}  // namespace

TEST(NativeSystemFolder, AProgramOnlyInTheNativeSystem32IsFoundShownAndStartedFromThere) {
    // This test executable, which carries icons; and a file of no icon of
    // its own, whose icon the shell gives by its type.
    TNativeOnlyFile program("vantor-native-only.exe", TestExecutable());
    TTempFolder folder;
    WriteTextFile(folder / "notes.txt", "メモ");
    TNativeOnlyFile document("vantor-native-only.txt", folder / "notes.txt");
    ASSERT_TRUE(program.Copied && document.Copied) << "could not put files into the native System32";
    const std::string path = program.Path();
    const std::string system32 = WindowsFolder() + "\\System32";

    EXPECT_EQ(SystemTargetFileSystem().Look(path), TTargetKind::File);
    EXPECT_EQ(ProbeTarget(path, 2000), TLinkState::Present);
    TIcon icon(ExtractLauncherIcon(path, true, 0));
    EXPECT_NE(icon.Get(), nullptr) << "no icon from " << path;
    TIcon typeIcon(ExtractLauncherIcon(document.Path(), true, -1));
    EXPECT_NE(typeIcon.Get(), nullptr) << "no icon for " << document.Path();

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
