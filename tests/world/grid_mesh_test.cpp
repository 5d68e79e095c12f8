#include "world/grid_mesh.h"

#include <gtest/gtest.h>

namespace {

// Where grid points lie is judged through the ocean's and the terrain's vertices.
TEST(GridMesh, OnlyAddressableGridsOfAtLeastOneCell) {
  EXPECT_TRUE(IsBuildableGrid(2, 2));
  EXPECT_TRUE(IsBuildableGrid(256, 256));
  EXPECT_FALSE(IsBuildableGrid(1, 100));  // would divide by zero
  EXPECT_FALSE(IsBuildableGrid(257, 256));
  EXPECT_FALSE(IsBuildableGrid(-4, -4));
}

}  // namespace
