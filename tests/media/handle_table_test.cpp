// SPDX-License-Identifier: GPL-3.0-or-later
#include "media/handle_table.h"

#include <gtest/gtest.h>

using media_detail::HandleKind;
using media_detail::HandleTable;

namespace {

HandleTable<int> SmallTable(int capacity = 4) { return HandleTable<int>(HandleKind::Sound, capacity); }

int Add(HandleTable<int>& table, int value) { return table.Add(std::make_unique<int>(value)); }

}  // namespace

TEST(HandleTable, HandleCarriesKindCheckNumberAndSlot) {
    auto table = SmallTable();
    const int first = Add(table, 10);
    const int second = Add(table, 20);
    EXPECT_EQ(first, (2 << 27) | (0 << 16) | 0);
    EXPECT_EQ(second, (2 << 27) | (1 << 16) | 1);
    EXPECT_EQ(*table.Get(second), 20);
}

TEST(HandleTable, RefusesOtherKindsStaleAndFreeHandles) {
    auto table = SmallTable();
    const int h = Add(table, 1);
    EXPECT_EQ(table.Get(h & ~(0xF << 27)), nullptr);          // kind 0
    EXPECT_EQ(table.Get((h & ~(0xF << 27)) | (1 << 27)), nullptr);  // image kind
    EXPECT_EQ(table.Get(-1), nullptr);
    EXPECT_EQ(table.Get(h + 1), nullptr);  // free slot
    ASSERT_TRUE(table.Remove(h));
    EXPECT_EQ(table.Get(h), nullptr);
    EXPECT_FALSE(table.Remove(h));
    const int again = Add(table, 2);  // same slot, new check number
    EXPECT_EQ(again & 0xFFFF, h & 0xFFFF);
    EXPECT_NE(again, h);
    EXPECT_EQ(table.Get(h), nullptr);
}

TEST(HandleTable, TakesSlotAfterHighestThenLowestFree) {
    auto table = SmallTable(4);
    int h[4];
    for (int i = 0; i < 4; ++i) h[i] = Add(table, i);
    ASSERT_TRUE(table.Remove(h[1]));
    // Slot 3 is the highest in use and the table ends there: the lowest free slot is taken.
    EXPECT_EQ(Add(table, 9) & 0xFFFF, 1);
    EXPECT_EQ(Add(table, 9), -1);  // full
    // Removing the highest lowers the mark, so the next one goes right after slot 2.
    ASSERT_TRUE(table.Remove(h[3]));
    EXPECT_EQ(table.HighestSlot(), 2);
    EXPECT_EQ(Add(table, 5) & 0xFFFF, 3);
}

TEST(HandleTable, CheckNumberWrapsAfter2048Creations) {
    auto table = SmallTable(1);
    const int first = Add(table, 0);
    ASSERT_TRUE(table.Remove(first));
    int h = -1;
    for (int i = 1; i <= 2048; ++i) {
        h = Add(table, i);
        if (i < 2048) {
            ASSERT_TRUE(table.Remove(h));
        }
    }
    EXPECT_EQ(h, first);  // the slot was reused 2048 creations later
}
