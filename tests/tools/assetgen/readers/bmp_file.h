#pragma once
// A generated picture as the program's own image decoder reads it: what the demo will show.
#include <array>
#include <cstdint>
#include <filesystem>

#include "gfx/decoded_image.h"

namespace assetgen::tests {

class BmpFile {
 public:
  // Throws when the program's decoder refuses the file.
  explicit BmpFile(const std::filesystem::path& path);

  int Width() const { return static_cast<int>(image_.width); }
  int Height() const { return static_cast<int>(image_.height); }
  bool Paletted() const { return !image_.palette.empty(); }
  // Pixel (x, y) from the top-left corner, and a palette entry: red, green, blue.
  std::array<uint8_t, 3> ColourAt(int x, int y) const;
  std::array<uint8_t, 3> PaletteEntry(int index) const;

 private:
  DecodedImage image_;
};

}  // namespace assetgen::tests
