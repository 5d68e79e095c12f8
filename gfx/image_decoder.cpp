#include "gfx/image_decoder.h"

#include <algorithm>

#include "gfx/bmp_decoder.h"
#include "gfx/dds_decoder.h"
#include "gfx/jpeg_decoder.h"
#include "gfx/png_decoder.h"
#include "gfx/tga_decoder.h"

namespace {

bool StartsWith(std::span<const uint8_t> file, std::initializer_list<uint8_t> signature) {
  return file.size() >= signature.size() &&
         std::equal(signature.begin(), signature.end(), file.begin());
}

}  // namespace

bool DecodeImage(std::span<const uint8_t> file, DecodedImage* image) {
  if (StartsWith(file, {'B', 'M'})) return DecodeBmp(file, image);
  if (StartsWith(file, {'D', 'D', 'S', ' '})) return DecodeDds(file, image);
  if (StartsWith(file, {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'}))
    return DecodePng(file, image);
  if (StartsWith(file, {0xFF, 0xD8, 0xFF})) return DecodeJpeg(file, image);
  return DecodeTga(file, image);
}
