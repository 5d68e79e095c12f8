#include "tools/assetgen/formats/png_writer.h"

#include <png.h>

#include <stdexcept>

namespace assetgen {

std::vector<uint8_t> PngWriter::EncodeArgb(int width, int height,
                                           const std::vector<uint32_t>& argb) {
  std::vector<uint8_t> rgba;
  rgba.reserve(argb.size() * 4);
  for (uint32_t pixel : argb) {
    for (int shift : {16, 8, 0, 24}) rgba.push_back(static_cast<uint8_t>(pixel >> shift));
  }
  png_image image{};
  image.version = PNG_IMAGE_VERSION;
  image.width = static_cast<png_uint_32>(width);
  image.height = static_cast<png_uint_32>(height);
  image.format = PNG_FORMAT_RGBA;
  png_alloc_size_t size = 0;
  if (!png_image_write_get_memory_size(image, size, 0, rgba.data(), 0, nullptr)) {
    throw std::runtime_error(std::string("cannot encode a PNG: ") + image.message);
  }
  std::vector<uint8_t> bytes(size);
  if (!png_image_write_to_memory(&image, bytes.data(), &size, 0, rgba.data(), 0, nullptr)) {
    throw std::runtime_error(std::string("cannot encode a PNG: ") + image.message);
  }
  bytes.resize(size);
  return bytes;
}

}  // namespace assetgen
