#include "world/random_numbers.h"

#include <gtest/gtest.h>

#include <set>

namespace {

// The C standard's example generator: from seed 1 it gives 16838, 5758, 10113, ...
TEST(RandomNumbers, FromSeedOneTheDocumentedValuesAndEqualBoundsDrawNothing) {
  SeedRand(1);
  EXPECT_EQ(RandomInt(4, 4), 4);  // equal bounds give lo without drawing,
  EXPECT_EQ(RandomFloat(2.5f, 2.5f), 2.5f);
  EXPECT_EQ(Rand(), 16838);                                // so this is still the first number
  EXPECT_EQ(RandomInt(-3, 3), 1);                          // -3 + 5758 % 7
  EXPECT_NEAR(RandomFloat(1.0f, -1.0f), 1.61726f, 1e-5f);  // 1 + 2 x 10113 / 32767
}

TEST(RandomNumbers, ResultsSpanTheirRangeUpwardFromLo) {
  SeedRand(7);
  std::set<int> ints;
  float low = 3, high = 1;
  for (int i = 0; i < 2000; ++i) {
    ints.insert(RandomInt(-3, 3));
    const float r = RandomFloat(1.0f, -1.0f);  // whatever the order: 1 to 3
    low = std::min(low, r);
    high = std::max(high, r);
  }
  EXPECT_EQ(ints, (std::set<int>{-3, -2, -1, 0, 1, 2, 3}));
  EXPECT_TRUE(low >= 1.0f && low < 1.01f) << low;
  EXPECT_TRUE(high > 2.99f && high <= 3.0f) << high;
}

}  // namespace
