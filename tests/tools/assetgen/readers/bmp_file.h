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

  uint32_t FileSize() const { return bytes_.U32(2); }
  uint32_t PixelOffset() const { return bytes_.U32(10); }
  int32_t Width() const { return bytes_.I32(18); }
  int32_t Height() const { return bytes_.I32(22); }
  uint16_t BitsPerPixel() const { return bytes_.U16(28); }
  uint32_t Compression() const { return bytes_.U32(30); }
  uint32_t PixelBytes() const { return bytes_.U32(34); }
  size_t ActualSize() const { return bytes_.Size(); }
  const ByteReader& Bytes() const { return bytes_; }

  // Pixel (x, y), y counted from the top of the picture: red, green, blue. 8-bit pictures
  // go through their palette.
  std::array<uint8_t, 3> ColourAt(int x, int y) const;
  uint8_t Index(int x, int y) const;  // 8-bit pictures only
  std::array<uint8_t, 3> PaletteEntry(int index) const;

 private:
  size_t PixelAt(int x, int y) const;

  ByteReader bytes_;
};

}  // namespace assetgen::tests
