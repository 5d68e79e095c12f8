#include "gfx/image_decoder.h"

#include <algorithm>

#include "gfx/bmp_decoder.h"
#include "gfx/dds_decoder.h"
#include "gfx/jpeg_decoder.h"
#include "gfx/png_decoder.h"
#include "gfx/tga_decoder.h"

namespace {

constexpr std::initializer_list<uint8_t> kPngSignature = {0x89, 'P',  'N',  'G',
                                                          '\r', '\n', 0x1A, '\n'};
constexpr std::initializer_list<uint8_t> kJpegSignature = {0xFF, 0xD8, 0xFF};

bool StartsWith(std::span<const uint8_t> file, std::initializer_list<uint8_t> signature) {
  return file.size() >= signature.size() &&
         std::equal(signature.begin(), signature.end(), file.begin());
}

}  // namespace

bool ReadImageSize(std::span<const uint8_t> head, ImageSize* size) {
  if (StartsWith(head, {'B', 'M'})) return BmpImageSize(head, size);
  if (StartsWith(head, {'D', 'D', 'S', ' '})) return DdsImageSize(head, size);
  if (StartsWith(head, kPngSignature)) return PngImageSize(head, size);
  if (StartsWith(head, kJpegSignature)) return JpegImageSize(head, size);
  return TgaImageSize(head, size);
}

bool DecodeImage(std::span<const uint8_t> file, DecodedImage* image) {
  *image = DecodedImage();
  if (StartsWith(file, {'B', 'M'})) return DecodeBmp(file, image);
  if (StartsWith(file, {'D', 'D', 'S', ' '})) return DecodeDds(file, image);
  if (StartsWith(file, kPngSignature)) return DecodePng(file, image);
  if (StartsWith(file, kJpegSignature)) return DecodeJpeg(file, image);
  return DecodeTga(file, image);
}
