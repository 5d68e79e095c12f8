#pragma once
#include <string>

#include "tools/assetgen/formats/indexed_image.h"

namespace assetgen {

// The console's and the captions' 8 x 8 font: the printable ASCII characters 32 to 126 side
// by side in one strip (palette index 0 background, 1 ink), and the description the loader
// reads with it: the glyph count and cell size, then at once the characters in strip order.
class FontSheet {
 public:
  static constexpr int kFirstCharacter = 32;
  static constexpr int kGlyphCount = 95;
  static constexpr int kCellSize = 8;

  static IndexedImage Strip();
  static std::string Description();
  static bool Inked(char character, int column, int row);
};

}  // namespace assetgen
