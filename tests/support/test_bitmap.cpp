#include "test_bitmap.h"

#include <fstream>

namespace {

void Put16(std::vector<uint8_t>& out, size_t at, uint16_t v) {
  out[at] = static_cast<uint8_t>(v);
  out[at + 1] = static_cast<uint8_t>(v >> 8);
}

void Put32(std::vector<uint8_t>& out, size_t at, uint32_t v) {
  for (int i = 0; i < 4; ++i) out[at + i] = static_cast<uint8_t>(v >> (8 * i));
}

}  // namespace

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
  std::vector<uint8_t> bytes(b.dataOffset, 0);
  bytes[0] = 'B';
  bytes[1] = 'M';
  Put32(bytes, 2, static_cast<uint32_t>(b.dataOffset + b.pixels.size()));
  Put32(bytes, 10, b.dataOffset);
  Put32(bytes, 14, 40);
  Put32(bytes, 18, static_cast<uint32_t>(b.width));
  Put32(bytes, 22, static_cast<uint32_t>(b.height));
  Put16(bytes, 26, 1);
  Put16(bytes, 28, b.bitsPerPixel);
  Put32(bytes, 30, b.compression);
  Put32(bytes, 34, static_cast<uint32_t>(b.pixels.size()));
  if (b.bitsPerPixel == 8 && b.dataOffset >= 54 + 1024) {
    for (size_t i = 0; i < 256; ++i) {
      Put32(bytes, 54 + 4 * i, i < b.palette.size() ? b.palette[i] : 0x00FF0000u);
    }
  }
  bytes.insert(bytes.end(), b.pixels.begin(), b.pixels.end());
  std::ofstream(path, std::ios::binary)
      .write(reinterpret_cast<const char*>(bytes.data()),
             static_cast<std::streamsize>(bytes.size()));
}
