// The bookkeeping shared by a page's entries and a set's pages: an ordered
// list of owned items, each holding one of N fixed slots (the slot gives the
// default caption "ボタン%d" / "ページ%d" and survives moves and sorts). The
// slot table only ever points at items the list holds.
#pragma once

#include <algorithm>
#include <array>
#include <cassert>
#include <cstdint>
#include <memory>
#include <vector>

template <class T, int32_t N>
class TSlottedList {
public:
    int32_t Count() const { return static_cast<int32_t>(FItems.size()); }
    bool IsFull() const { return Count() >= N; }
    // Item at a list position; null only between FreeAt and Pack.
    T* At(int32_t index) const { return FItems[index].get(); }
    // Item occupying a slot, or null.
    T* Slot(int32_t slot) const { return FSlots[slot]; }

    // In list order; elements emptied by FreeAt read as null.
    auto begin() const { return FItems.begin(); }
    auto end() const { return FItems.end(); }
    T* back() const { return FItems.back().get(); }

    // -1 when every slot is taken.
    int32_t LowestFreeSlot() const {
        for (int32_t i = 0; i < N; ++i)
            if (!FSlots[i]) return i;
        return -1;
    }

    // Inserts at `index` (0..Count) into the slot `item->SlotIndex`, which
    // must be free. False, with nothing changed, on a full list or a taken slot.
    bool Insert(int32_t index, std::unique_ptr<T> item) {
        assert(index >= 0 && index <= Count());
        const int32_t slot = item ? item->SlotIndex : -1;
        if (IsFull() || slot < 0 || slot >= N || FSlots[slot]) return false;
        T* added = item.get();
        // Into the list first: if that throws, the slot stays free.
        FItems.insert(FItems.begin() + index, std::move(item));
        FSlots[slot] = added;
        return true;
    }

    void Delete(int32_t index) {
        FreeAt(index);
        FItems.erase(FItems.begin() + index);
    }

    // Frees the item but leaves an empty element; call Pack once afterwards.
    void FreeAt(int32_t index) {
        assert(index >= 0 && index < Count());
        if (FItems[index]) ReleaseSlot(*FItems[index]);
        FItems[index].reset();
    }

    void Pack() { FItems.erase(std::remove(FItems.begin(), FItems.end(), nullptr), FItems.end()); }

    void Clear() {
        FItems.clear();
        FSlots.fill(nullptr);
    }

    void Move(int32_t from, int32_t to) {
        assert(from >= 0 && from < Count() && to >= 0 && to < Count());
        auto item = std::move(FItems[from]);
        FItems.erase(FItems.begin() + from);
        FItems.insert(FItems.begin() + to, std::move(item));
    }

    // A stable sort by `less`; elements emptied by FreeAt go last.
    template <class FLess>
    void StableSort(FLess less) {
        std::stable_sort(FItems.begin(), FItems.end(), [&](const std::unique_ptr<T>& a, const std::unique_ptr<T>& b) {
            if (!a || !b) return a && !b;
            return less(*a, *b);
        });
    }

private:
    void ReleaseSlot(const T& item) {
        if (item.SlotIndex >= 0 && item.SlotIndex < N && FSlots[item.SlotIndex] == &item)
            FSlots[item.SlotIndex] = nullptr;
    }

    std::vector<std::unique_ptr<T>> FItems;
    std::array<T*, N> FSlots{};
};
