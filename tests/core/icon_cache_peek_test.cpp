// Looking into the icon cache without using it: the worker's requests ask
// what the cache lacks before any button takes an icon.
#include <gtest/gtest.h>

#include "layout/icon_cache.h"

using TCache = TLauncherButtonCachePolicy<int>;

TEST(IconCachePeek, SeesTheKeyWithoutCountingAUseSoEvictionOrderStays) {
    TCache cache;
    cache.SetCacheSize(2);
    cache.Insert("C:\\a.exe", true, -1, 1);
    cache.Insert("C:\\b.exe", true, -1, 2);
    // Peeking at "a" many times must not save it from eviction: it is still
    // the oldest unused entry.
    for (int i = 0; i < 5; ++i) {
        const int* h = cache.Peek("C:\\a.exe", true, -1);
        ASSERT_NE(h, nullptr);
        EXPECT_EQ(*h, 1);
    }
    EXPECT_EQ(cache.Slot(0).HitCount, 0);
    EXPECT_EQ(cache.Peek("C:\\a.exe", false, -1), nullptr);  // other size
    EXPECT_EQ(cache.Peek("C:\\A.exe", true, -1), nullptr);   // paths are case-sensitive
    EXPECT_EQ(cache.Peek("C:\\a.exe", true, 0), nullptr);    // other index
    const auto evicted = cache.Insert("C:\\c.exe", true, -1, 3);
    ASSERT_TRUE(evicted.has_value());
    EXPECT_EQ(*evicted, 1);
    EXPECT_EQ(cache.Peek("C:\\a.exe", true, -1), nullptr);
}

TEST(IconCachePeek, AFindAfterPeekCountsOnce) {
    TCache cache;
    cache.Insert("C:\\a.exe", false, 3, 7);
    ASSERT_NE(cache.Peek("C:\\a.exe", false, 3), nullptr);
    ASSERT_NE(cache.Find("C:\\a.exe", false, 3), nullptr);
    EXPECT_EQ(cache.Slot(0).HitCount, 1);
    const TCache& constCache = cache;
    EXPECT_NE(constCache.Peek("C:\\a.exe", false, 3), nullptr);  // usable on a const cache
}
