#pragma once
#include <array>
#include <cstdint>
#include <vector>

#include "tools/assetgen/formats/rgb.h"

namespace assetgen {

// A picture of palette indices, row 0 at the top, with a full 256-entry palette.
struct IndexedImage {
  int width = 0;
  int height = 0;
  std::vector<uint8_t> indices;  // width * height, row by row
  std::array<Rgb, 256> palette{};
};

}  // namespace assetgen
