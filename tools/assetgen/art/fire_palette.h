#pragma once
#include "tools/assetgen/formats/indexed_image.h"

namespace assetgen {

// The console fire's colour ramp, carried as the palette of a small 8-bit picture (only the
// palette is read): index 0 black, through dark red, red, orange and yellow to near white.
// The picture shows the ramp itself, one column per index.
class FirePalette {
 public:
  static constexpr int kWidth = 256;
  static constexpr int kHeight = 16;

  static IndexedImage Picture();
};

}  // namespace assetgen
