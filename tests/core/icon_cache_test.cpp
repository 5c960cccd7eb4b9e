#include "layout/icon_cache.h"

#include <gtest/gtest.h>

#include "layout/button_geometry.h"

using TCache = TLauncherButtonCachePolicy<uint32_t>;

namespace {

// Fills the cache the way GetIcon does, giving each miss the next handle id.
uint32_t Get(TCache& cache, const std::string& path, bool large, int index, uint32_t& nextId,
             std::optional<uint32_t>* evicted = nullptr) {
    TCache::TGetResult r = cache.GetIcon(path, large, index, [&] { return nextId++; });
    if (evicted) *evicted = r.Evicted;
    return r.Handle;
}

}  // namespace

TEST(IconCache, KeysAndHits) {
    TCache cache;
    cache.SetCacheSize(256);
    uint32_t next = 1;
    int extractions = 0;
    auto extract = [&] {
        ++extractions;
        return next++;
    };
    EXPECT_FALSE(cache.GetIcon("C:\\a.exe", true, -1, extract).Hit);
    EXPECT_FALSE(cache.GetIcon("C:\\a.exe", false, -1, extract).Hit);  // other size, other slot
    EXPECT_FALSE(cache.GetIcon("C:\\A.exe", true, -1, extract).Hit);   // paths are case-sensitive
    EXPECT_FALSE(cache.GetIcon("C:\\a.exe", true, 2, extract).Hit);
    const TCache::TGetResult hit = cache.GetIcon("C:\\a.exe", true, -1, extract);
    EXPECT_TRUE(hit.Hit);
    EXPECT_EQ(hit.Handle, 1u);
    EXPECT_EQ(extractions, 4);
    EXPECT_EQ(cache.Used(), 4);
    EXPECT_EQ(cache.Slot(0).HitCount, 1);
    EXPECT_EQ(cache.Slot(1).HitCount, 0);
}

TEST(IconCache, EvictsLeastUsedThenOldestThenLowestSlot) {
    TCache cache;
    cache.SetCacheSize(3);
    uint32_t next = 1;
    Get(cache, "a", true, -1, next);  // slot 0, handle 1
    Get(cache, "b", true, -1, next);  // slot 1, handle 2
    Get(cache, "c", true, -1, next);  // slot 2, handle 3
    Get(cache, "c", true, -1, next);
    Get(cache, "b", true, -1, next);
    Get(cache, "a", true, -1, next);
    Get(cache, "a", true, -1, next);

    // b and c were hit once each; c's last use is older.
    std::optional<uint32_t> evicted;
    EXPECT_EQ(Get(cache, "d", true, -1, next, &evicted), 4u);
    EXPECT_EQ(evicted, 3u);
    EXPECT_EQ(cache.Slot(2).Key.FileName, "d");  // the freed slot is the first free one

    // A new entry has no hits, so it goes first.
    Get(cache, "e", true, -1, next, &evicted);
    EXPECT_EQ(evicted, 4u);

    // Equal counts: the one used longest ago goes.
    TCache fresh;
    fresh.SetCacheSize(2);
    next = 1;
    Get(fresh, "x", true, -1, next);
    Get(fresh, "y", true, -1, next);
    EXPECT_EQ(fresh.Evict(), 1u);
}

TEST(IconCache, CacheSizeChanges) {
    TCache cache;
    EXPECT_EQ(cache.CacheSize(), 32);
    EXPECT_TRUE(cache.SetCacheSize(0).empty());
    EXPECT_EQ(cache.CacheSize(), 1);
    uint32_t next = 1;
    std::optional<uint32_t> evicted;

    // With room for one, alternating files evicts on every miss.
    Get(cache, "a", true, -1, next, &evicted);
    EXPECT_FALSE(evicted);
    Get(cache, "b", true, -1, next, &evicted);
    EXPECT_EQ(evicted, 1u);
    Get(cache, "a", true, -1, next, &evicted);
    EXPECT_EQ(evicted, 2u);
    EXPECT_TRUE(cache.GetIcon("a", true, -1, [] { return 0u; }).Hit);

    // Shrinking evicts (old - new) times, the least-used first.
    cache.SetCacheSize(1000);
    EXPECT_EQ(cache.CacheSize(), 256);
    for (int i = 0; i < 9; ++i) Get(cache, "f" + std::to_string(i), true, -1, next);
    EXPECT_EQ(cache.Used(), 10);
    const std::vector<uint32_t> gone = cache.SetCacheSize(250);
    EXPECT_EQ(gone.size(), 6u);
    EXPECT_EQ(cache.Used(), 4);
    EXPECT_TRUE(cache.GetIcon("a", true, -1, [] { return 0u; }).Hit);  // the only one with hits stays

    EXPECT_EQ(cache.Clear().size(), 4u);
    EXPECT_EQ(cache.Used(), 0);
    EXPECT_FALSE(cache.Evict());
}

TEST(IconCache, IconSizeAndPlacement) {
    EXPECT_EQ(IconDrawSize(true, 70), 64);
    EXPECT_EQ(IconDrawSize(true, 66), 64);
    EXPECT_EQ(IconDrawSize(true, 65), 32);
    EXPECT_EQ(IconDrawSize(false, 70), 16);
    EXPECT_EQ(NotFoundIconSize(true), 32);
    EXPECT_EQ(NotFoundIconSize(false), 16);
    EXPECT_EQ(IconPlacement(38, 38, 32, false), (TBounds{3, 3, 32, 32}));
    EXPECT_EQ(IconPlacement(38, 38, 32, true), (TBounds{4, 4, 32, 32}));
    EXPECT_EQ(IconPlacement(22, 22, 16, false), (TBounds{3, 3, 16, 16}));
}
