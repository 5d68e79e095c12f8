#include "tests/tools/assetgen/readers/bmp_file.h"

#include <stdexcept>
#include <string>

#include "gfx/image_decoder.h"
#include "tests/tools/assetgen/generated_folder.h"

namespace assetgen::tests {

BmpFile::BmpFile(const std::filesystem::path& path) {
  const std::string bytes = GeneratedFolder::Contents(path);
  if (!DecodeImage({reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size()}, &image_)) {
    throw std::runtime_error("the program cannot decode " + path.string());
  }
}

std::array<uint8_t, 3> BmpFile::ColourAt(int x, int y) const {
  if (x < 0 || y < 0 || x >= Width() || y >= Height()) throw std::out_of_range("pixel outside");
  const D3DCOLOR c = image_.At(static_cast<uint32_t>(x), static_cast<uint32_t>(y));
  return {static_cast<uint8_t>(c >> 16), static_cast<uint8_t>(c >> 8), static_cast<uint8_t>(c)};
}

std::array<uint8_t, 3> BmpFile::PaletteEntry(int index) const {
  const PALETTEENTRY& e = image_.palette.at(static_cast<size_t>(index));
  return {e.peRed, e.peGreen, e.peBlue};
}

}  // namespace assetgen::tests
