// The set of 64-bit hashes a reader notes every key in.
#include "entry/hash_set.h"

#include <gtest/gtest.h>

#include <cstdint>

namespace {

TEST(HashSetTest, InsertTellsANewHashFromOneSeenBefore) {
  HashSet64 set;
  EXPECT_FALSE(set.Holds(0));
  EXPECT_TRUE(set.Insert(0));  // 0 is a hash like any other
  EXPECT_FALSE(set.Insert(0));
  EXPECT_TRUE(set.Insert(~std::uint64_t{0}));
  EXPECT_TRUE(set.Holds(0));
  EXPECT_TRUE(set.Holds(~std::uint64_t{0}));
  EXPECT_FALSE(set.Holds(1));
  set.Clear();
  EXPECT_FALSE(set.Holds(0));
  EXPECT_TRUE(set.Insert(0));
}

// Hashes alike in their low bits all want one slot; in numbers that grow
// the table many times, each is still told apart.
TEST(HashSetTest, CrowdedHashesStayApartAsTheTableGrows) {
  HashSet64 set;
  const std::uint64_t kHashes = 20000;
  for (std::uint64_t h = 0; h < kHashes; h++) ASSERT_TRUE(set.Insert(h << 40)) << h;
  for (std::uint64_t h = 0; h < kHashes; h++) ASSERT_FALSE(set.Insert(h << 40)) << h;
  EXPECT_FALSE(set.Holds(kHashes << 40));
  EXPECT_FALSE(set.Holds(1));
}

}  // namespace
