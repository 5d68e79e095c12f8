#include "tests/tools/assetgen/readers/bmp_file.h"

#include <stdexcept>

namespace assetgen::tests {

BmpFile::BmpFile(const std::filesystem::path& path) : bytes_(ByteReader::FromFile(path)) {
  if (bytes_.Text(0, 2) != "BM") throw std::runtime_error(path.string() + " is not a bitmap");
}

size_t BmpFile::PixelAt(int x, int y) const {
  if (x < 0 || y < 0 || x >= Width() || y >= Height()) throw std::out_of_range("pixel outside");
  size_t stride = (static_cast<size_t>(Width()) * BitsPerPixel() / 8 + 3) & ~size_t{3};
  size_t storedRow = static_cast<size_t>(Height() - 1 - y);  // bottom row first
  return PixelOffset() + storedRow * stride + static_cast<size_t>(x) * BitsPerPixel() / 8;
}

uint8_t BmpFile::Index(int x, int y) const {
  return bytes_.U8(PixelAt(x, y));
}

std::array<uint8_t, 3> BmpFile::PaletteEntry(int index) const {
  size_t at = 14 + bytes_.U32(14) + static_cast<size_t>(index) * 4;
  return {bytes_.U8(at + 2), bytes_.U8(at + 1), bytes_.U8(at)};
}

std::array<uint8_t, 3> BmpFile::ColourAt(int x, int y) const {
  if (BitsPerPixel() == 8) return PaletteEntry(Index(x, y));
  size_t at = PixelAt(x, y);
  return {bytes_.U8(at + 2), bytes_.U8(at + 1), bytes_.U8(at)};
}

}  // namespace assetgen::tests
