#include "gfx/png_decoder.h"

#include <png.h>

#include <bit>

namespace {

// Deflate packs at most 1032 bytes into one, and the thinnest PNG pixel is one bit: a header
// that claims more pixels than that allows is not backed by the file.
constexpr uint64_t kMaxPixelsPerByte = 1032 * 8;

// BGRA bytes in memory read back as D3DCOLOR words on a little-endian machine.
static_assert(std::endian::native == std::endian::little);

struct PngImage {
  png_image image{};
  ~PngImage() { png_image_free(&image); }
};

}  // namespace

bool DecodePng(std::span<const uint8_t> file, DecodedImage* image) {
  PngImage png;
  png.image.version = PNG_IMAGE_VERSION;
  if (!png_image_begin_read_from_memory(&png.image, file.data(), file.size())) return false;
  const uint32_t width = png.image.width, height = png.image.height;
  if (!IsAcceptableSize(width, height)) return false;
  if (uint64_t{width} * height > file.size() * kMaxPixelsPerByte) return false;

  image->fileFormat = D3DXIFF_PNG;
  image->hasAlpha = (png.image.format & PNG_FORMAT_FLAG_ALPHA) != 0;
  png.image.format = PNG_FORMAT_BGRA;
  AllocatePixels(image, width, height);
  return png_image_finish_read(&png.image, nullptr, image->pixels.data(), 0, nullptr) != 0;
}
