#include "test_bitmap.h"

#include <fstream>

#include "patched.h"

TestBitmap GreyRamp24(int width, int height, int step) {
  TestBitmap b;
  b.width = width;
  b.height = height;
  for (int k = 0; k < width * height; ++k) {
    uint8_t grey = static_cast<uint8_t>(k * step);
    b.pixels.insert(b.pixels.end(), {grey, grey, grey});
  }
  return b;
}

void WriteBitmap(const std::string& path, const TestBitmap& b) {
  const uint32_t size = uint32_t(b.pixels.size()), width = b.width, height = b.height;
  std::string bytes = "BM" + std::string(b.dataOffset - 2, '\0');
  // From offset 2: the file's size, reserved, the data's offset, the header's size, width,
  // height, planes and bits a pixel, compression and the data's size.
  size_t at = 2;
  for (uint32_t field : {b.dataOffset + size, 0u, b.dataOffset, 40u, width, height,
                         1u | b.bitsPerPixel << 16u, b.compression, size}) {
    bytes = Patched(bytes, at, field);
    at += 4;
  }
  if (b.bitsPerPixel == 8 && b.dataOffset >= 54 + 1024) {
    for (size_t i = 0; i < 256; ++i) {
      bytes = Patched(bytes, 54 + 4 * i, i < b.palette.size() ? b.palette[i] : 0x00FF0000u);
    }
  }
  std::ofstream(path, std::ios::binary) << bytes + std::string(b.pixels.begin(), b.pixels.end());
}
