// The data folder's watch: a file replaced there (as a synchronising tool
// does) reaches the window as one message, and the watch ends cleanly.
#include "shell/folder_watch.h"

#include <gtest/gtest.h>
#include <windows.h>

#include "base/handles.h"
#include "shell/win_platform.h"
#include "win_test_util.h"

namespace {

constexpr UINT FolderChanged = WM_APP + 17;

// Waits for the message, however long the machine takes, up to a limit that
// only a watch that never posts reaches.
bool ReceivedWithin(HWND window, DWORD limitMs) {
    const DWORD start = GetTickCount();
    for (;;) {
        MSG msg;
        if (PeekMessageW(&msg, window, FolderChanged, FolderChanged, PM_REMOVE)) return true;
        const DWORD elapsed = GetTickCount() - start;
        if (elapsed >= limitMs) return false;
        MsgWaitForMultipleObjects(0, nullptr, FALSE, limitMs - elapsed, QS_POSTMESSAGE);
    }
}

struct TWindowTraits {
    static HWND Invalid() { return nullptr; }
    static void Close(HWND h) { DestroyWindow(h); }
};

}  // namespace

TEST(FolderWatch, AFileReplacedInTheFolderIsToldAndTheWatchStopsCleanly) {
    TTempFolder folder("vantor-watch");
    WriteTextFile(folder / "Main.pag", "before");
    TUniqueHandle<HWND, TWindowTraits> window(
        CreateWindowExW(0, L"STATIC", L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, nullptr, nullptr));
    ASSERT_TRUE(window);

    TFolderWatch watch;
    ASSERT_TRUE(watch.Start(folder.Path(), window.Get(), FolderChanged));
    ASSERT_TRUE(watch.WaitUntilSetUp(20000));
    EXPECT_TRUE(watch.Watching());
    TWinPlatform platform;
    platform.WriteWholeFile(folder / "Main.pag", "after, from the other computer");
    EXPECT_TRUE(ReceivedWithin(window.Get(), 20000));

    watch.Stop();
    EXPECT_FALSE(watch.Watching());
    // Started again, as after the data folder moved; the destructor ends it.
    ASSERT_TRUE(watch.Start(folder.Path(), window.Get(), FolderChanged));
    ASSERT_TRUE(watch.WaitUntilSetUp(20000));
    platform.WriteWholeFile(folder / "Smart.pag", "new");
    EXPECT_TRUE(ReceivedWithin(window.Get(), 20000));

    // A folder that is not there cannot be watched, quietly.
    TFolderWatch missing;
    missing.Start(folder / "gone\\", window.Get(), FolderChanged);
    EXPECT_FALSE(missing.WaitUntilSetUp(20000));
    EXPECT_FALSE(missing.Watching());
}
