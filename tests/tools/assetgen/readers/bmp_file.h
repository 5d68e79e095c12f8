#pragma once
// The header fields of an uncompressed Windows bitmap and its pixels, read independently of
// the generator's writer.
#include <array>
#include <cstdint>
#include <filesystem>

#include "tests/tools/assetgen/readers/byte_reader.h"

namespace assetgen::tests {

class BmpFile {
 public:
  explicit BmpFile(const std::filesystem::path& path);

  uint32_t fileSize() const { return bytes_.u32(2); }
  uint32_t pixelOffset() const { return bytes_.u32(10); }
  int32_t width() const { return bytes_.i32(18); }
  int32_t height() const { return bytes_.i32(22); }
  uint16_t bitsPerPixel() const { return bytes_.u16(28); }
  uint32_t compression() const { return bytes_.u32(30); }
  uint32_t pixelBytes() const { return bytes_.u32(34); }
  size_t actualSize() const { return bytes_.size(); }
  const ByteReader& bytes() const { return bytes_; }

  // Pixel (x, y), y counted from the top of the picture: red, green, blue. 8-bit pictures
  // go through their palette.
  std::array<uint8_t, 3> rgb(int x, int y) const;
  uint8_t index(int x, int y) const;  // 8-bit pictures only
  std::array<uint8_t, 3> paletteEntry(int index) const;

 private:
  size_t pixelAt(int x, int y) const;

  ByteReader bytes_;
};

}  // namespace assetgen::tests
