// The slot policy of the launcher icon cache (TLauncherButtonCache): a fixed
// table of 256 slots keyed by (path, large, index), filled in slot order and
// emptied least-used first. The handle type is whatever the window side keeps
// per icon; evicted handles are handed back so that side can free them.
#pragma once

#include <algorithm>
#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

struct TIconCacheKey {
    std::string FileName;  // compared case-sensitively
    bool Large = true;
    int IconIndex = -1;

    bool Matches(std::string_view fileName, bool large, int iconIndex) const {
        return Large == large && IconIndex == iconIndex && FileName == fileName;
    }
};

template <class THandle>
class TLauncherButtonCachePolicy {
public:
    static constexpr int SlotCount = 256;
    static constexpr int DefaultCacheSize = 32;

    struct TSlot {
        bool Free = true;
        TIconCacheKey Key;
        THandle Handle{};
        int HitCount = 0;
        uint64_t LastUse = 0;  // a use counter: it orders insertions and hits without a clock
    };

    // What GetIcon did: the slot's handle (copy it for the caller) and the
    // handle that made room for it, which the caller frees.
    struct TGetResult {
        THandle Handle{};
        bool Hit = false;
        std::optional<THandle> Evicted;
    };

    int CacheSize() const { return FCacheSize; }
    int Used() const { return FUsed; }
    const TSlot& Slot(int i) const { return FSlots[i]; }

    // The handle of the first used slot with this key; a hit counts as a use.
    const THandle* Find(std::string_view fileName, bool large, int iconIndex) {
        const int i = IndexOf(fileName, large, iconIndex);
        if (i < 0) return nullptr;
        TSlot& s = FSlots[i];
        ++s.HitCount;
        s.LastUse = NextUse();
        return &s.Handle;
    }

    // The handle of the first used slot with this key, without counting a use.
    const THandle* Peek(std::string_view fileName, bool large, int iconIndex) const {
        const int i = IndexOf(fileName, large, iconIndex);
        return i < 0 ? nullptr : &FSlots[i].Handle;
    }

    // Stores a new icon in the first free slot, evicting one first when the
    // cache is full. Returns the evicted handle.
    std::optional<THandle> Insert(std::string_view fileName, bool large, int iconIndex, THandle handle) {
        std::optional<THandle> evicted;
        Store(fileName, large, iconIndex, std::move(handle), evicted);
        return evicted;
    }

    // Lookup, or extraction and insertion on a miss; `extract` runs only on a miss.
    template <class FExtract>
    TGetResult GetIcon(std::string_view fileName, bool large, int iconIndex, FExtract&& extract) {
        TGetResult r;
        if (const THandle* h = Find(fileName, large, iconIndex)) {
            r.Handle = *h;
            r.Hit = true;
            return r;
        }
        r.Handle = FSlots[Store(fileName, large, iconIndex, extract(), r.Evicted)].Handle;
        return r;
    }

    // Frees the least-used slot: smallest HitCount, then earliest LastUse,
    // then lowest slot. Nothing when the cache is empty.
    std::optional<THandle> Evict() {
        if (FUsed <= 0) return std::nullopt;
        int victim = -1;
        for (int i = 0; i < SlotCount; ++i) {
            const TSlot& s = FSlots[i];
            if (s.Free) continue;
            if (victim < 0 || IsLessUsed(s, FSlots[victim])) victim = i;
        }
        TSlot& s = FSlots[victim];
        std::optional<THandle> handle(std::move(s.Handle));
        s = TSlot{};
        --FUsed;
        return handle;
    }

    // Values below 1 become 1 and above 256 become 256. Shrinking evicts
    // (old - new) times, whatever the cache holds.
    std::vector<THandle> SetCacheSize(int size) {
        const int newSize = std::clamp(size, 1, SlotCount);
        std::vector<THandle> evicted;
        for (int n = FCacheSize - newSize; n > 0; --n) {
            if (std::optional<THandle> h = Evict()) evicted.push_back(std::move(*h));
        }
        FCacheSize = newSize;
        return evicted;
    }

    // Empties every slot and hands back all handles (the cache's destruction).
    std::vector<THandle> Clear() {
        std::vector<THandle> handles;
        for (TSlot& s : FSlots) {
            if (!s.Free) handles.push_back(std::move(s.Handle));
            s = TSlot{};
        }
        FUsed = 0;
        return handles;
    }

private:
    int IndexOf(std::string_view fileName, bool large, int iconIndex) const {
        for (int i = 0; i < SlotCount; ++i) {
            if (!FSlots[i].Free && FSlots[i].Key.Matches(fileName, large, iconIndex)) return i;
        }
        return -1;
    }

    // A full cache makes room first, so a free slot always exists here.
    int Store(std::string_view fileName, bool large, int iconIndex, THandle handle, std::optional<THandle>& evicted) {
        if (FUsed >= FCacheSize) evicted = Evict();
        int i = 0;
        while (!FSlots[i].Free) ++i;
        TSlot& s = FSlots[i];
        s.Free = false;
        s.Key = TIconCacheKey{std::string(fileName), large, iconIndex};
        s.Handle = std::move(handle);
        s.HitCount = 0;
        s.LastUse = NextUse();
        ++FUsed;
        return i;
    }

    static bool IsLessUsed(const TSlot& a, const TSlot& b) {
        if (a.HitCount != b.HitCount) return a.HitCount < b.HitCount;
        return a.LastUse < b.LastUse;  // equal: keep the lower slot
    }

    uint64_t NextUse() { return ++FUseCounter; }

    std::array<TSlot, SlotCount> FSlots{};
    int FCacheSize = DefaultCacheSize;
    int FUsed = 0;
    uint64_t FUseCounter = 0;
};
