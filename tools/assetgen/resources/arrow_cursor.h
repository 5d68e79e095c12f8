#pragma once
#include "tools/assetgen/resources/resource_pictures.h"

namespace assetgen {

// A white arrow with a black rim, pointing up and to the left; the tip is the hot spot.
class ArrowCursor {
 public:
  static CursorPicture Draw();

 private:
  static bool InsideArrow(float x, float y);
};

}  // namespace assetgen
