#pragma once
#include <cstdint>
#include <vector>

namespace assetgen {

// PNG files with an alpha channel, through libpng.
class PngWriter {
 public:
  // width x height ARGB pixels, rows top to bottom.
  static std::vector<uint8_t> EncodeArgb(int width, int height, const std::vector<uint32_t>& argb);
};

}  // namespace assetgen
