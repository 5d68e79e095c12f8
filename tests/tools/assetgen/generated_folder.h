#pragma once
// The data folder the build generated for these tests (fresh, default config.ini), its pictures
// and sounds read by the program's own image decoder and WAV reader: what the demo shows and
// plays.
#include <array>
#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

#include "gfx/decoded_image.h"

namespace assetgen::tests {

std::filesystem::path GeneratedFile(const std::string& name);

// Red, green, blue.
using Pixel = std::array<uint8_t, 3>;

class Picture {
 public:
  // Throws when the program's decoder refuses the file.
  explicit Picture(const std::string& name);

  int Width() const { return static_cast<int>(image_.width); }
  int Height() const { return static_cast<int>(image_.height); }
  bool Paletted() const { return !image_.palette.empty(); }
  // Pixel (x, y) from the top-left corner, and a palette entry.
  Pixel ColourAt(int x, int y) const;
  Pixel PaletteEntry(int index) const;

 private:
  DecodedImage image_;
};

struct GeneratedSound {
  // Throws when the program's WAV reader refuses the file.
  explicit GeneratedSound(const std::string& name);

  int sampleRate = 0;
  int channels = 0;
  int bitsPerSample = 0;
  std::vector<int16_t> samples;  // when 16-bit

  double Seconds() const { return static_cast<double>(samples.size()) / sampleRate; }
};

}  // namespace assetgen::tests
