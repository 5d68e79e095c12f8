#include "tools/assetgen/resources/arrow_cursor.h"

#include <iterator>

namespace assetgen {

namespace {
// The arrow's outline in pixel units, the tip at the top-left corner.
constexpr float kOutline[][2] = {{0, 0},        {0, 17}, {4.2f, 13}, {7, 19.5f},
                                 {9.8f, 18.3f}, {7, 12}, {12.2f, 12}};
}  // namespace

bool ArrowCursor::InsideArrow(float x, float y) {
  // Even-odd rule: count the outline's edges crossed by a ray to the right.
  bool inside = false;
  constexpr size_t kCorners = std::size(kOutline);
  for (size_t a = 0, b = kCorners - 1; a < kCorners; b = a++) {
    float ax = kOutline[a][0], ay = kOutline[a][1];
    float bx = kOutline[b][0], by = kOutline[b][1];
    if ((ay > y) != (by > y) && x < ax + (y - ay) * (bx - ax) / (by - ay)) inside = !inside;
  }
  return inside;
}

CursorPicture ArrowCursor::Draw() {
  CursorPicture cursor;
  auto covered = [](int x, int y) {
    // The tip's own pixel counts as covered, so the hot spot is part of the arrow.
    return InsideArrow(x + 0.5f, y + 0.5f) || (x == 0 && y == 0);
  };
  for (int y = 0; y < kResourceSize; ++y) {
    for (int x = 0; x < kResourceSize; ++x) {
      if (!covered(x, y)) continue;
      bool rim = x == 0 || y == 0 || !covered(x - 1, y) || !covered(x + 1, y) ||
                 !covered(x, y - 1) || !covered(x, y + 1);
      cursor.pixel[y * kResourceSize + x] = rim ? CursorPicture::kBlack : CursorPicture::kWhite;
    }
  }
  cursor.hotX = 0;
  cursor.hotY = 0;
  return cursor;
}

}  // namespace assetgen
