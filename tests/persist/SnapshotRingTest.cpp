// The previous-choice ring: eight bodies, newest first.
#include <gtest/gtest.h>

#include "persist/SnapshotRing.h"

TEST(SnapshotRing, TheNinthSnapshotDropsTheOldestAndTheNewestComesBackFirst) {
  CSnapshotRing ring;
  for (uint8_t i = 1; i <= 9; ++i) ring.Push({i});
  ASSERT_EQ(ring.Size(), CSnapshotRing::kCapacity);
  EXPECT_EQ(ring.At(0), std::vector<uint8_t>{9});
  EXPECT_EQ(ring.At(7), std::vector<uint8_t>{2});
  EXPECT_TRUE(ring.At(8).empty());
  ring.DropNewest();
  EXPECT_EQ(ring.At(0), std::vector<uint8_t>{8});
  EXPECT_EQ(ring.Size(), 7u);
  ring.Clear();
  EXPECT_TRUE(ring.IsEmpty());
  ring.DropNewest();
  EXPECT_TRUE(ring.IsEmpty());
}
