#include "gfx/dds_decoder.h"

#include <algorithm>

#include "gfx/channel_masks.h"
#include "gfx/dxt_block.h"
#include "platform/byte_reader.h"

namespace {

constexpr uint32_t kHeaderSize = 124;
constexpr uint32_t kPixelFormatSize = 32;

// Pixel format flags.
constexpr uint32_t kAlphaPixels = 0x1;
constexpr uint32_t kAlphaOnly = 0x2;
constexpr uint32_t kFourCc = 0x4;
constexpr uint32_t kRgb = 0x40;
constexpr uint32_t kLuminance = 0x20000;

// Second caps word.
constexpr uint32_t kCubeMap = 0x200;
constexpr uint32_t kVolume = 0x200000;

constexpr uint32_t FourCc(const char (&code)[5]) {
  return uint32_t(uint8_t(code[0])) | uint32_t(uint8_t(code[1])) << 8 |
         uint32_t(uint8_t(code[2])) << 16 | uint32_t(uint8_t(code[3])) << 24;
}

struct DdsHeader {
  uint32_t width = 0;
  uint32_t height = 0;
  uint32_t formatFlags = 0;
  uint32_t fourCc = 0;
  uint32_t bitCount = 0;
  uint32_t masks[4] = {};  // red, green, blue, alpha
  uint32_t caps2 = 0;
};

bool ReadHeader(ByteReader& r, DdsHeader* h) {
  if (r.U32() != FourCc("DDS ") || r.U32() != kHeaderSize) return false;
  r.Skip(4);  // flags: writers disagree on them; the pixel format says what matters
  h->height = r.U32();
  h->width = r.U32();
  r.Skip(4 + 4 + 4 + 44);  // pitch, depth, mip count, reserved
  if (r.U32() != kPixelFormatSize) return false;
  h->formatFlags = r.U32();
  h->fourCc = r.U32();
  h->bitCount = r.U32();
  for (uint32_t& mask : h->masks) mask = r.U32();
  r.Skip(4);  // caps
  h->caps2 = r.U32();
  r.Skip(12);  // caps3, caps4, reserved
  return r.Ok();
}

bool DxtFormatOf(uint32_t fourCc, DxtFormat* format) {
  if (fourCc == FourCc("DXT1"))
    *format = DxtFormat::kDxt1;
  else if (fourCc == FourCc("DXT3"))
    *format = DxtFormat::kDxt3;
  else if (fourCc == FourCc("DXT5"))
    *format = DxtFormat::kDxt5;
  else
    return false;
  return true;
}

bool DecodeCompressed(ByteReader& r, DxtFormat format, DecodedImage* image) {
  const uint32_t blocksWide = (image->width + 3) / 4, blocksHigh = (image->height + 3) / 4;
  const unsigned blockBytes = DxtBlockBytes(format);
  const auto data = r.Bytes(uint64_t{blocksWide} * blocksHigh * blockBytes);
  if (!r.Ok()) return false;

  AllocatePixels(image, image->width, image->height);
  const uint8_t* block = data.data();
  DxtTexels texels;
  for (uint32_t by = 0; by < blocksHigh; ++by) {
    for (uint32_t bx = 0; bx < blocksWide; ++bx, block += blockBytes) {
      DecodeDxtBlock(format, block, &texels);
      // Blocks on the right and bottom edges may hang over the picture.
      const uint32_t w = std::min(4u, image->width - bx * 4);
      const uint32_t h = std::min(4u, image->height - by * 4);
      for (uint32_t y = 0; y < h; ++y) {
        for (uint32_t x = 0; x < w; ++x) image->At(bx * 4 + x, by * 4 + y) = texels[y * 4 + x];
      }
    }
  }
  // DXT1 has alpha only where a texel of the picture came out transparent.
  image->hasAlpha =
      format != DxtFormat::kDxt1 || std::any_of(image->pixels.begin(), image->pixels.end(),
                                                [](D3DCOLOR c) { return (c >> 24) != 0xFF; });
  return true;
}

bool DecodeUncompressed(ByteReader& r, const DdsHeader& h, DecodedImage* image) {
  if (h.bitCount % 8 != 0 || h.bitCount < 8 || h.bitCount > 32) return false;
  const bool luminance = (h.formatFlags & kLuminance) != 0;
  const bool alpha = (h.formatFlags & (kAlphaPixels | kAlphaOnly)) != 0;
  const uint32_t red = h.masks[0];
  const ChannelMasks masks(red, luminance ? red : h.masks[1], luminance ? red : h.masks[2],
                           alpha ? h.masks[3] : 0);
  const unsigned pixelBytes = h.bitCount / 8;
  const auto data = r.Bytes(uint64_t{image->width} * image->height * pixelBytes);
  if (!r.Ok()) return false;

  AllocatePixels(image, image->width, image->height);
  image->hasAlpha = masks.HasAlpha();
  const uint8_t* p = data.data();
  for (D3DCOLOR& pixel : image->pixels) {
    pixel = masks.Expand(LoadLe(p, pixelBytes));
    p += pixelBytes;
  }
  return true;
}

}  // namespace

bool DdsImageSize(std::span<const uint8_t> head, ImageSize* size) {
  ByteReader r(head);
  DdsHeader h;
  if (!ReadHeader(r, &h)) return false;
  *size = {h.width, h.height};
  return true;
}

bool DecodeDds(std::span<const uint8_t> file, DecodedImage* image) {
  ByteReader r(file);
  DdsHeader h;
  if (!ReadHeader(r, &h) || !IsAcceptableSize(h.width, h.height)) return false;
  if ((h.caps2 & (kCubeMap | kVolume)) != 0) return false;

  image->fileFormat = D3DXIFF_DDS;
  image->width = h.width;
  image->height = h.height;
  DxtFormat dxt;
  if ((h.formatFlags & kFourCc) != 0) {
    return DxtFormatOf(h.fourCc, &dxt) && DecodeCompressed(r, dxt, image);
  }
  if ((h.formatFlags & (kRgb | kLuminance | kAlphaOnly)) == 0) return false;
  return DecodeUncompressed(r, h, image);
}
