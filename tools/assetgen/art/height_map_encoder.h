#pragma once
#include "tools/assetgen/formats/image.h"
#include "tools/assetgen/procedural/height_field.h"

namespace assetgen {

// The terrain's 24-bit height map. The loader sums blue, green and red of pixel (row r from
// the bottom, column c) into the height at x = -2 + 5r/255, z = 3 - 5c/255: rows run along x,
// so the picture is the island turned on its side.
class HeightMapEncoder {
 public:
  static Image Encode(const HeightField& heights);
  // The byte sum that comes closest to a height.
  static int SampleSum(float height);
};

}  // namespace assetgen
