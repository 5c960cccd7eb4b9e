#include <gtest/gtest.h>
#include <windows.h>

#include <set>
#include <string>
#include <vector>

#include "base/handles.h"
#include "controls/launcher_button.h"
#include "controls_test_support.h"

namespace {

const std::string Notepad = "C:\\windows\\system32\\notepad.exe";
const std::string Winecfg = "C:\\windows\\system32\\winecfg.exe";
const std::string Shell32 = "C:\\windows\\system32\\shell32.dll";
const std::string WindowsFolder = "C:\\windows";

}  // namespace

TEST(LauncherIcons, ProgramsFoldersAndWebAddressesGetIconsOfTheRequestedSize) {
    for (const std::string& path : {Notepad, WindowsFolder, std::string("http://www.example.com/")}) {
        TIcon large(ExtractLauncherIcon(path, true, -1));
        TIcon small(ExtractLauncherIcon(path, false, -1));
        ASSERT_TRUE(large) << path;
        ASSERT_TRUE(small) << path;
        EXPECT_EQ(IconImageSize(large.Get()).cx, GetSystemMetrics(SM_CXICON)) << path;
        EXPECT_EQ(IconImageSize(small.Get()).cx, GetSystemMetrics(SM_CXSMICON)) << path;
    }
    TIcon indexed(ExtractLauncherIcon(Shell32, false, 3));
    ASSERT_TRUE(indexed);
    EXPECT_EQ(IconImageSize(indexed.Get()).cx, GetSystemMetrics(SM_CXSMICON));
    TIcon huge(ExtractLauncherIcon64(Shell32, 3));
    ASSERT_TRUE(huge);
    EXPECT_EQ(IconImageSize(huge.Get()).cx, 64);
    EXPECT_FALSE(ExtractLauncherIcon("C:\\no\\such\\file.exe", true, 0));
}

TEST(LauncherIcons, WebAddressesShareOneShortcutFileThatIsCreatedOnce) {
    const std::wstring file = WebShortcutIconFile();
    DeleteFileW(file.c_str());
    TIcon lower(ExtractLauncherIcon("http://a.example/", true, -1));
    ASSERT_NE(GetFileAttributesW(file.c_str()), INVALID_FILE_ATTRIBUTES);
    // Something in the file must survive the next request: it is not made again.
    {
        TFileHandle h(CreateFileW(file.c_str(), GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, 0, nullptr));
        DWORD written = 0;
        WriteFile(h.Get(), "x", 1, &written, nullptr);
    }
    TIcon upper(ExtractLauncherIcon("HTTP://B.EXAMPLE/", true, -1));
    EXPECT_TRUE(lower);
    EXPECT_TRUE(upper);
    WIN32_FILE_ATTRIBUTE_DATA data{};
    ASSERT_TRUE(GetFileAttributesExW(file.c_str(), GetFileExInfoStandard, &data));
    EXPECT_EQ(data.nFileSizeLow, 1u);
    DeleteFileW(file.c_str());
}

TEST(LauncherButtonCache, HandsOutCopiesAndKeysOnPathSizeAndIndex) {
    TLauncherButtonCache cache;
    HICON first = cache.GetIcon(Notepad, true, -1);
    ASSERT_TRUE(first);
    EXPECT_EQ(cache.Used(), 1);
    const HICON held = cache.SlotIcon(0);
    EXPECT_NE(first, held);
    // The caller's copy is its own: destroying it leaves the cached icon.
    DestroyIcon(first);
    EXPECT_TRUE(IconAlive(held));

    TIcon again(cache.GetIcon(Notepad, true, -1));
    EXPECT_EQ(cache.Used(), 1);
    EXPECT_EQ(cache.SlotIcon(0), held);  // a hit extracts nothing

    TIcon small(cache.GetIcon(Notepad, false, -1));
    TIcon indexed(cache.GetIcon(Notepad, true, 0));
    TIcon otherCase(cache.GetIcon("C:\\WINDOWS\\system32\\notepad.exe", true, -1));
    EXPECT_EQ(cache.Used(), 4);
    EXPECT_EQ(IconImageSize(small.Get()).cx, GetSystemMetrics(SM_CXSMICON));
}

TEST(LauncherButtonCache, EvictedAndReleasedIconsAreDestroyed) {
    std::set<HICON> seen;
    {
        TLauncherButtonCache cache;
        cache.SetCacheSize(4);
        for (int i = 0; i < 300; ++i) {
            TIcon copy(cache.GetIcon(Shell32, i % 2 == 0, i % 40));
            ASSERT_TRUE(copy) << i;
            for (int slot = 0; slot < 4; ++slot) seen.insert(cache.SlotIcon(slot));
        }
        EXPECT_EQ(cache.Used(), 4);
        // Every icon that left the cache is gone; only the four in it live.
        std::vector<HICON> current;
        for (int slot = 0; slot < TLauncherButtonCache::SlotCount; ++slot) {
            if (HICON h = cache.SlotIcon(slot)) current.push_back(h);
        }
        ASSERT_EQ(current.size(), 4u);
        int alive = 0;
        for (HICON h : seen) alive += IconAlive(h) ? 1 : 0;
        EXPECT_EQ(alive, 4);
        EXPECT_GT(seen.size(), 40u);
    }
    for (HICON h : seen) EXPECT_FALSE(IconAlive(h));
}

TEST(LauncherButtonCache, AlternatingFilesInASingleSlotEvictEveryMissAndHitARepeat) {
    TLauncherButtonCache cache;
    cache.SetCacheSize(0);  // becomes 1
    EXPECT_EQ(cache.CacheSize(), 1);
    TIcon a(cache.GetIcon(Notepad, true, -1));
    const HICON heldA = cache.SlotIcon(0);
    TIcon b(cache.GetIcon(Winecfg, true, -1));
    EXPECT_FALSE(IconAlive(heldA));
    const HICON heldB = cache.SlotIcon(0);
    TIcon b2(cache.GetIcon(Winecfg, true, -1));
    EXPECT_EQ(cache.SlotIcon(0), heldB);
    EXPECT_EQ(cache.Used(), 1);
}

TEST(LauncherButtonCache, ShrinkingEvictsTheLeastUsed) {
    TLauncherButtonCache cache;
    cache.SetCacheSize(256);
    for (int i = 0; i < 10; ++i) TIcon(cache.GetIcon(Shell32, true, i));
    // Entries 6..9 are used again, so 0..5 are the least used.
    for (int i = 6; i < 10; ++i) TIcon(cache.GetIcon(Shell32, true, i));
    std::vector<HICON> held;
    for (int slot = 0; slot < 10; ++slot) held.push_back(cache.SlotIcon(slot));
    cache.SetCacheSize(250);
    EXPECT_EQ(cache.Used(), 4);
    for (int slot = 0; slot < 6; ++slot) EXPECT_FALSE(IconAlive(held[slot])) << slot;
    for (int slot = 6; slot < 10; ++slot) EXPECT_TRUE(IconAlive(held[slot])) << slot;
    cache.SetCacheSize(1000);
    EXPECT_EQ(cache.CacheSize(), 256);
}

TEST(LauncherButtonCache, WideButtonsGetTheSixtyFourPixelImageFromTheSameSlot) {
    TLauncherButtonCache cache;
    TIcon normal(cache.GetIcon(Shell32, true, 3, 32));
    TIcon huge(cache.GetIcon(Shell32, true, 3, 64));
    EXPECT_EQ(cache.Used(), 1);
    EXPECT_EQ(IconImageSize(normal.Get()).cx, GetSystemMetrics(SM_CXICON));
    EXPECT_EQ(IconImageSize(huge.Get()).cx, 64);
    // Small icons never grow.
    TIcon small(cache.GetIcon(Shell32, false, 3, 64));
    EXPECT_EQ(IconImageSize(small.Get()).cx, GetSystemMetrics(SM_CXSMICON));
}
