// The slot bookkeeping shared by pages (entries) and page sets (pages).
#include "model/slotted_list.h"

#include <gtest/gtest.h>

#include <stdexcept>

namespace {

struct TItem {
    int32_t SlotIndex = 0;
    int Value = 0;
};

using TList = TSlottedList<TItem, 3>;

std::unique_ptr<TItem> Item(int32_t slot, int value = 0) { return std::make_unique<TItem>(TItem{slot, value}); }

TEST(SlottedList, SlotsAreTakenLowestFirstAndFreedOnDelete) {
    TList list;
    EXPECT_EQ(list.LowestFreeSlot(), 0);
    ASSERT_TRUE(list.Insert(0, Item(0, 10)));
    ASSERT_TRUE(list.Insert(1, Item(1, 11)));
    ASSERT_TRUE(list.Insert(2, Item(2, 12)));
    EXPECT_TRUE(list.IsFull());
    EXPECT_EQ(list.LowestFreeSlot(), -1);
    EXPECT_FALSE(list.Insert(0, Item(0)));  // full: nothing changes
    EXPECT_EQ(list.Count(), 3);

    list.Delete(1);
    EXPECT_EQ(list.Slot(1), nullptr);
    EXPECT_EQ(list.LowestFreeSlot(), 1);
    EXPECT_EQ(list.At(1)->Value, 12);
}

TEST(SlottedList, RefusesATakenOrInvalidSlot) {
    TList list;
    ASSERT_TRUE(list.Insert(0, Item(1)));
    EXPECT_FALSE(list.Insert(0, Item(1)));
    EXPECT_FALSE(list.Insert(0, Item(3)));
    EXPECT_FALSE(list.Insert(0, Item(-1)));
    EXPECT_FALSE(list.Insert(0, nullptr));
    EXPECT_EQ(list.Count(), 1);
}

TEST(SlottedList, SlotsFollowTheItemsThroughMovesAndSorts) {
    TList list;
    list.Insert(0, Item(0, 3));
    list.Insert(1, Item(1, 1));
    list.Insert(2, Item(2, 2));
    list.Move(0, 2);
    EXPECT_EQ(list.At(2)->Value, 3);
    EXPECT_EQ(list.Slot(0), list.At(2));
    list.StableSort([](const TItem& a, const TItem& b) { return a.Value < b.Value; });
    EXPECT_EQ(list.At(0)->Value, 1);
    EXPECT_EQ(list.Slot(1), list.At(0));
}

TEST(SlottedList, FreeAtLeavesAHoleUntilPack) {
    TList list;
    list.Insert(0, Item(0, 1));
    list.Insert(1, Item(1, 2));
    list.FreeAt(0);
    EXPECT_EQ(list.Count(), 2);
    EXPECT_EQ(list.At(0), nullptr);
    EXPECT_EQ(list.Slot(0), nullptr);
    list.StableSort([](const TItem& a, const TItem& b) { return a.Value < b.Value; });
    EXPECT_EQ(list.At(1), nullptr);  // holes go last
    list.Pack();
    EXPECT_EQ(list.Count(), 1);
    EXPECT_EQ(list.LowestFreeSlot(), 0);
}

TEST(SlottedList, ClearFreesEverySlot) {
    TList list;
    list.Insert(0, Item(2));
    list.Clear();
    EXPECT_EQ(list.Count(), 0);
    EXPECT_EQ(list.Slot(2), nullptr);
    EXPECT_EQ(list.LowestFreeSlot(), 0);
}

}  // namespace
