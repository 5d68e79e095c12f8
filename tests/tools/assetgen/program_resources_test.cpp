// The icon and cursor source the generator writes, compiled against the program's header.
#include "app/program_resources.h"

#include <gtest/gtest.h>

namespace assetgen::tests {

namespace {
constexpr int kSize = IconPixels::kSize;

TEST(AssetgenProgramResources, IconStaysInItsSixteenColoursAndIsSeeThroughRoundTheCone) {
  for (uint8_t index : kVolcanoIcon.index) ASSERT_LT(index, 16);
  EXPECT_EQ(kVolcanoIcon.palette[kVolcanoIcon.index[0]] >> 24, 0u);          // top-left clear
  EXPECT_EQ(kVolcanoIcon.palette[kVolcanoIcon.index[kSize - 1]] >> 24, 0u);  // top-right clear
  for (int x = 0; x < kSize; ++x) {  // the sea along the bottom is opaque
    EXPECT_EQ(kVolcanoIcon.palette[kVolcanoIcon.index[(kSize - 1) * kSize + x]] >> 24, 0xFFu);
  }
}

TEST(AssetgenProgramResources, CursorIsAWhiteArrowInABlackRimWithItsTipAtTheHotSpot) {
  EXPECT_EQ(std::pair(kArrowCursor.hotX, kArrowCursor.hotY), std::pair(0, 0));
  auto pixel = [](int x, int y) {
    if (x < 0 || y < 0 || x >= kSize || y >= kSize) return CursorPixels::kClear;
    return static_cast<CursorPixels::Pixel>(kArrowCursor.pixel[y * kSize + x]);
  };
  EXPECT_EQ(pixel(0, 0), CursorPixels::kBlack);
  int white = 0;
  for (int y = 0; y < kSize; ++y) {
    for (int x = 0; x < kSize; ++x) {
      if (pixel(x, y) != CursorPixels::kWhite) continue;
      ++white;
      // The rim is closed: white never touches the clear background.
      for (auto [dx, dy] : {std::pair{1, 0}, {-1, 0}, {0, 1}, {0, -1}})
        EXPECT_NE(pixel(x + dx, y + dy), CursorPixels::kClear) << x << "," << y;
    }
  }
  EXPECT_GT(white, 40);
}
}  // namespace

}  // namespace assetgen::tests
