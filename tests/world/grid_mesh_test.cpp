#include "world/grid_mesh.h"

#include <gtest/gtest.h>

namespace {

TEST(GridMesh, PositionsSpanTheExtentsFromTheirIntegerHalves) {
  EXPECT_FLOAT_EQ(GridX(5, 0, 256), -2.0f);  // half(5) = 2: -2 to 3
  EXPECT_FLOAT_EQ(GridX(5, 255, 256), 3.0f);
  EXPECT_FLOAT_EQ(GridZ(5, 0, 256), 3.0f);  // rows run toward -z
  EXPECT_FLOAT_EQ(GridZ(5, 255, 256), -2.0f);
  EXPECT_FLOAT_EQ(GridX(25, 9, 10), 13.0f);
  EXPECT_FLOAT_EQ(GridZ(25, 9, 10), -12.0f);
}

TEST(GridMesh, OnlyAddressableGridsOfAtLeastOneCell) {
  EXPECT_TRUE(IsBuildableGrid(2, 2));
  EXPECT_TRUE(IsBuildableGrid(256, 256));
  EXPECT_FALSE(IsBuildableGrid(1, 100));  // would divide by zero
  EXPECT_FALSE(IsBuildableGrid(257, 256));
  EXPECT_FALSE(IsBuildableGrid(-4, -4));
}

}  // namespace
