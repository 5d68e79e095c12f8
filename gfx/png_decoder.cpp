#include "gfx/png_decoder.h"

#include <png.h>

#include <algorithm>
#include <bit>
#include <string_view>

#include "platform/byte_reader.h"

namespace {

// Deflate packs at most 1032 bytes into one, and the thinnest PNG pixel is one bit: a header
// that claims more pixels than that allows is not backed by the file.
constexpr uint64_t kMaxPixelsPerByte = 1032 * 8;

// BGRA bytes in memory read back as D3DCOLOR words on a little-endian machine.
static_assert(std::endian::native == std::endian::little);

// A paletted file's PLTE entries with their tRNS alphas: libpng's simplified reader gives only
// the pixels. Both chunks come before the image data.
void ReadPalette(std::span<const uint8_t> file, DecodedImage* image) {
  std::vector<PALETTEENTRY>& palette = image->palette;
  for (size_t at = 8; at + 12 <= file.size();) {
    const uint32_t length = LoadBe32(&file[at]);
    if (length > file.size() - at - 12) break;
    const std::string_view type(reinterpret_cast<const char*>(&file[at + 4]), 4);
    const uint8_t* data = &file[at + 8];
    if (type == "IDAT") break;
    if (type == "PLTE") {
      palette = BlackPalette();
      image->paletteColors = std::min(length / 3, kPaletteSize);
      for (uint32_t i = 0; i < image->paletteColors; ++i) {
        palette[i] = PALETTEENTRY{data[3 * i], data[3 * i + 1], data[3 * i + 2], 0xFF};
      }
    } else if (type == "tRNS" && !palette.empty()) {
      for (uint32_t i = 0; i < std::min(length, kPaletteSize); ++i) palette[i].peFlags = data[i];
    }
    at += size_t{12} + length;
  }
}

struct PngImage {
  png_image image{};
  ~PngImage() { png_image_free(&image); }
};

}  // namespace

bool PngImageSize(std::span<const uint8_t> head, ImageSize* size) {
  // The signature, then the header chunk: its length (13), "IHDR", width and height.
  constexpr size_t kIhdrEnd = 8 + 8 + 8;
  if (head.size() < kIhdrEnd || LoadBe32(&head[8]) != 13) return false;
  if (std::string_view(reinterpret_cast<const char*>(&head[12]), 4) != "IHDR") return false;
  *size = {LoadBe32(&head[16]), LoadBe32(&head[20])};
  return true;
}

bool DecodePng(std::span<const uint8_t> file, DecodedImage* image) {
  PngImage png;
  png.image.version = PNG_IMAGE_VERSION;
  if (!png_image_begin_read_from_memory(&png.image, file.data(), file.size())) return false;
  const uint32_t width = png.image.width, height = png.image.height;
  if (!IsAcceptableSize(width, height)) return false;
  if (uint64_t{width} * height > file.size() * kMaxPixelsPerByte) return false;

  image->fileFormat = D3DXIFF_PNG;
  image->hasAlpha = (png.image.format & PNG_FORMAT_FLAG_ALPHA) != 0;
  if (png.image.format & PNG_FORMAT_FLAG_COLORMAP) ReadPalette(file, image);
  png.image.format = PNG_FORMAT_BGRA;
  AllocatePixels(image, width, height);
  return png_image_finish_read(&png.image, nullptr, image->pixels.data(), 0, nullptr) != 0;
}
