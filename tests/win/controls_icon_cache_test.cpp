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

TEST(LauncherButtonCache, SharesTheCachedIconAndKeysOnPathSizeAndIndex) {
    TLauncherButtonCache cache;
    TSharedIcon first = cache.GetIcon(Notepad, true, -1);
    ASSERT_TRUE(first && *first);
    EXPECT_EQ(cache.Used(), 1);
    const HICON held = cache.SlotIcon(0);
    EXPECT_EQ(first->Get(), held);  // shared, not copied
    // Letting go of a shared icon leaves the cached one.
    first.reset();
    EXPECT_TRUE(IconAlive(held));

    TSharedIcon again = cache.GetIcon(Notepad, true, -1);
    EXPECT_EQ(cache.Used(), 1);
    EXPECT_EQ(again->Get(), held);  // a hit extracts nothing

    TSharedIcon small = cache.GetIcon(Notepad, false, -1);
    TSharedIcon indexed = cache.GetIcon(Notepad, true, 0);
    TSharedIcon otherCase = cache.GetIcon("C:\\WINDOWS\\system32\\notepad.exe", true, -1);
    EXPECT_EQ(cache.Used(), 4);
    EXPECT_EQ(IconImageSize(small->Get()).cx, GetSystemMetrics(SM_CXSMICON));
    EXPECT_NE(otherCase->Get(), held);
}

TEST(LauncherButtonCache, AnIconLivesExactlyAsLongAsTheCacheOrAHolderKeepsIt) {
    std::set<HICON> seen;
    std::vector<TSharedIcon> holders;  // every tenth icon handed out, as a button keeps it
    std::set<HICON> heldByHolders;
    {
        TLauncherButtonCache cache;
        cache.SetCacheSize(4);
        for (int i = 0; i < 300; ++i) {
            TSharedIcon icon = cache.GetIcon(Shell32, i % 2 == 0, i % 40);
            ASSERT_TRUE(icon) << i;
            if (i % 10 == 0) {
                holders.push_back(icon);
                heldByHolders.insert(icon->Get());
            }
            for (int slot = 0; slot < 4; ++slot) seen.insert(cache.SlotIcon(slot));
        }
        EXPECT_EQ(cache.Used(), 4);
        EXPECT_GT(seen.size(), 40u);
        std::set<HICON> current;
        for (int slot = 0; slot < TLauncherButtonCache::SlotCount; ++slot) {
            if (HICON h = cache.SlotIcon(slot)) current.insert(h);
        }
        ASSERT_EQ(current.size(), 4u);
        // Evicted icons that a holder keeps are still there; the rest are gone.
        for (HICON h : seen) {
            const bool kept = current.count(h) || heldByHolders.count(h);
            EXPECT_EQ(IconAlive(h), kept);
        }
        holders.resize(holders.size() / 2);
        for (HICON h : seen) {
            bool kept = current.count(h) != 0;
            for (const TSharedIcon& icon : holders) kept = kept || icon->Get() == h;
            EXPECT_EQ(IconAlive(h), kept);
        }
    }
    // The cache is gone: only what the remaining holders keep lives on.
    for (const TSharedIcon& icon : holders) EXPECT_TRUE(IconAlive(icon->Get()));
    holders.clear();
    for (HICON h : seen) EXPECT_FALSE(IconAlive(h));
}

TEST(LauncherButtonCache, AlternatingFilesInASingleSlotEvictEveryMissAndHitARepeat) {
    TLauncherButtonCache cache;
    cache.SetCacheSize(0);  // becomes 1
    EXPECT_EQ(cache.CacheSize(), 1);
    TSharedIcon a = cache.GetIcon(Notepad, true, -1);
    const HICON heldA = cache.SlotIcon(0);
    TSharedIcon b = cache.GetIcon(Winecfg, true, -1);
    const HICON heldB = cache.SlotIcon(0);
    EXPECT_NE(heldB, heldA);
    EXPECT_TRUE(IconAlive(heldA));  // evicted, but `a` still shows it
    a.reset();
    EXPECT_FALSE(IconAlive(heldA));
    TSharedIcon b2 = cache.GetIcon(Winecfg, true, -1);
    EXPECT_EQ(cache.SlotIcon(0), heldB);
    EXPECT_EQ(b2, b);
    EXPECT_EQ(cache.Used(), 1);
}

TEST(LauncherButtonCache, ShrinkingEvictsTheLeastUsed) {
    TLauncherButtonCache cache;
    cache.SetCacheSize(256);
    for (int i = 0; i < 10; ++i) cache.GetIcon(Shell32, true, i);
    // Entries 6..9 are used again, so 0..5 are the least used.
    for (int i = 6; i < 10; ++i) cache.GetIcon(Shell32, true, i);
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
    TSharedIcon normal = cache.GetIcon(Shell32, true, 3, 32);
    TSharedIcon huge = cache.GetIcon(Shell32, true, 3, 64);
    EXPECT_EQ(cache.Used(), 1);
    EXPECT_EQ(IconImageSize(normal->Get()).cx, GetSystemMetrics(SM_CXICON));
    EXPECT_EQ(IconImageSize(huge->Get()).cx, 64);
    // Small icons at their own size are the system's; on a screen of another
    // DPI they get an image at the size drawn, not a stretched one.
    TSharedIcon small = cache.GetIcon(Shell32, false, 3, 16);
    EXPECT_EQ(IconImageSize(small->Get()).cx, GetSystemMetrics(SM_CXSMICON));
    EXPECT_EQ(IconImageSize(cache.GetIcon(Shell32, false, 3, 24)->Get()).cx, 24);
    small.reset();
    // Both images of an evicted slot stay while shown.
    const HICON normalHandle = normal->Get();
    const HICON hugeHandle = huge->Get();
    cache.SetCacheSize(1);  // evicts 31 times: both entries go
    EXPECT_EQ(cache.Used(), 0);
    EXPECT_TRUE(IconAlive(normalHandle));
    EXPECT_TRUE(IconAlive(hugeHandle));
    normal.reset();
    EXPECT_FALSE(IconAlive(normalHandle));
    EXPECT_TRUE(IconAlive(hugeHandle));
    huge.reset();
    EXPECT_FALSE(IconAlive(hugeHandle));
}

TEST(LauncherButtonCache, ButtonsKeepShowingIconsTheCacheEvictedAndFreeThemWhenDone) {
    HICON notepadIcon = nullptr;
    HICON winecfgIcon = nullptr;
    {
        TLauncherButtonCache cache;
        cache.SetCacheSize(1);
        TLauncherButton a;
        TLauncherButton b;
        a.SetCache(&cache);
        b.SetCache(&cache);
        a.SetIconSource(Notepad, -1);
        notepadIcon = a.IconHandle();
        b.SetIconSource(Winecfg, -1);  // evicts the notepad icon from the only slot
        winecfgIcon = b.IconHandle();
        ASSERT_EQ(cache.SlotIcon(0), winecfgIcon);
        ASSERT_TRUE(IconAlive(notepadIcon));
        EXPECT_EQ(a.IconHandle(), notepadIcon);
        // Still drawn, not the "not found" picture.
        a.ApplyButtonStyleSetting(1);
        TTestCanvas shown(40, 40, RGB(1, 2, 3));
        a.Paint(shown.DC());
        TTestCanvas direct(40, 40, RGB(1, 2, 3));
        DrawIconEx(direct.DC(), 4, 4, notepadIcon, 32, 32, 0, nullptr, DI_NORMAL);
        for (int y = 4; y < 36; y += 3) {
            for (int x = 4; x < 36; x += 3) ASSERT_EQ(shown.Pixel(x, y), direct.Pixel(x, y)) << x << "," << y;
        }
        a.SetFileName("");
        EXPECT_FALSE(IconAlive(notepadIcon));  // nobody holds it any more
        EXPECT_TRUE(IconAlive(winecfgIcon));
    }
    EXPECT_FALSE(IconAlive(winecfgIcon));
}

namespace {

std::vector<COLORREF> IconPixels(HICON icon, int size) {
    TTestCanvas canvas(size, size);
    DrawIconEx(canvas.DC(), 0, 0, icon, size, size, 0, nullptr, DI_NORMAL);
    std::vector<COLORREF> pixels;
    for (int y = 0; y < size; ++y)
        for (int x = 0; x < size; ++x) pixels.push_back(canvas.Pixel(x, y));
    return pixels;
}

}  // namespace

// Windows' shell shows a program's own first icon; a shell that answers with
// a generic program icon (Wine's) must not make every program look alike.
TEST(LauncherIcons, ProgramsShowTheirOwnFirstIcon) {
    const int size = GetSystemMetrics(SM_CXICON);
    for (const std::string& program : {Notepad, Winecfg}) {
        TIcon shown(ExtractLauncherIcon(program, true, -1));
        TIcon own(ExtractLauncherIcon(program, true, 0));
        ASSERT_TRUE(shown) << program;
        ASSERT_TRUE(own) << program;
        EXPECT_EQ(IconPixels(shown.Get(), size), IconPixels(own.Get(), size)) << program;
    }
    TIcon notepad(ExtractLauncherIcon(Notepad, true, -1));
    TIcon winecfg(ExtractLauncherIcon(Winecfg, true, -1));
    EXPECT_NE(IconPixels(notepad.Get(), size), IconPixels(winecfg.Get(), size));
}
