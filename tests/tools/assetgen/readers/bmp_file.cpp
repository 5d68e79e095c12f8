#include "tests/tools/assetgen/readers/bmp_file.h"

#include <stdexcept>

namespace assetgen::tests {

BmpFile::BmpFile(const std::filesystem::path& path) : bytes_(ByteReader::fromFile(path)) {
  if (bytes_.text(0, 2) != "BM") throw std::runtime_error(path.string() + " is not a bitmap");
}

size_t BmpFile::pixelAt(int x, int y) const {
  if (x < 0 || y < 0 || x >= width() || y >= height()) throw std::out_of_range("pixel outside");
  size_t stride = (static_cast<size_t>(width()) * bitsPerPixel() / 8 + 3) & ~size_t{3};
  size_t storedRow = static_cast<size_t>(height() - 1 - y);  // bottom row first
  return pixelOffset() + storedRow * stride + static_cast<size_t>(x) * bitsPerPixel() / 8;
}

uint8_t BmpFile::index(int x, int y) const {
  return bytes_.u8(pixelAt(x, y));
}

std::array<uint8_t, 3> BmpFile::paletteEntry(int index) const {
  size_t at = 14 + bytes_.u32(14) + static_cast<size_t>(index) * 4;
  return {bytes_.u8(at + 2), bytes_.u8(at + 1), bytes_.u8(at)};
}

std::array<uint8_t, 3> BmpFile::rgb(int x, int y) const {
  if (bitsPerPixel() == 8) return paletteEntry(index(x, y));
  size_t at = pixelAt(x, y);
  return {bytes_.u8(at + 2), bytes_.u8(at + 1), bytes_.u8(at)};
}

}  // namespace assetgen::tests
