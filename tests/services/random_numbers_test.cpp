#include "services/random_numbers.h"

#include <gtest/gtest.h>

namespace {

// The C standard's example generator: from seed 1 it gives 16838, 5758, 10113, ... Results run
// upward from lo over the bounds' distance, both ends included.
TEST(RandomNumbers, FromSeedOneTheDocumentedValuesAndEqualBoundsDrawNothing) {
  SeedRand(1);
  EXPECT_EQ(RandomInt(4, 4), 4);  // equal bounds give lo without drawing,
  EXPECT_EQ(RandomFloat(2.5f, 2.5f), 2.5f);
  EXPECT_EQ(Rand(), 16838);                                // so this is still the first number
  EXPECT_EQ(RandomInt(-3, 6), 5);                          // -3 + 5758 % 10
  EXPECT_NEAR(RandomFloat(1.0f, -1.0f), 1.61726f, 1e-5f);  // 1 + 2 x 10113 / 32767
}

}  // namespace
