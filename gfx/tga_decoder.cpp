#include "gfx/tga_decoder.h"

#include "gfx/channel_masks.h"
#include "platform/byte_reader.h"

namespace {

enum ImageType : uint8_t {
  kColorMapped = 1,
  kTrueColor = 2,
  kGrey = 3,
  kRleFlag = 8,
};

constexpr uint8_t kRightToLeft = 0x10;
constexpr uint8_t kTopToBottom = 0x20;
constexpr uint8_t kAlphaBitsMask = 0x0F;

struct TgaHeader {
  uint8_t idLength = 0;
  uint8_t colorMapType = 0;
  uint8_t imageType = 0;
  uint16_t mapFirst = 0;
  uint16_t mapLength = 0;
  uint8_t mapEntryBits = 0;
  uint16_t width = 0;
  uint16_t height = 0;
  uint8_t pixelBits = 0;
  uint8_t descriptor = 0;

  uint8_t BaseType() const { return imageType & ~kRleFlag; }
  bool IsRle() const { return (imageType & kRleFlag) != 0; }
  bool UsesAlpha() const { return (descriptor & kAlphaBitsMask) != 0; }
};

bool ReadHeader(ByteReader& r, TgaHeader* h) {
  h->idLength = r.U8();
  h->colorMapType = r.U8();
  h->imageType = r.U8();
  h->mapFirst = r.U16();
  h->mapLength = r.U16();
  h->mapEntryBits = r.U8();
  r.Skip(4);  // origin
  h->width = r.U16();
  h->height = r.U16();
  h->pixelBits = r.U8();
  h->descriptor = r.U8();
  return r.Ok();
}

bool IsColorBitCount(uint8_t bits) {
  return bits == 15 || bits == 16 || bits == 24 || bits == 32;
}

bool IsSupported(const TgaHeader& h) {
  if (h.colorMapType > 1 || (h.imageType & ~(kRleFlag | 3)) != 0) return false;
  if (h.colorMapType == 1 && !IsColorBitCount(h.mapEntryBits)) return false;
  switch (h.BaseType()) {
    case kColorMapped:
      return h.colorMapType == 1 && h.pixelBits == 8;
    case kTrueColor:
      return IsColorBitCount(h.pixelBits);
    case kGrey:
      return h.pixelBits == 8;
    default:
      return false;
  }
}

// 15- and 16-bit colours are 5-5-5 with an optional attribute bit taken as alpha.
ChannelMasks ColorMasks(uint8_t bits, bool useAlpha) {
  if (bits <= 16) return ChannelMasks(0x7C00, 0x03E0, 0x001F, useAlpha ? 0x8000 : 0);
  return ChannelMasks(0xFF0000, 0x00FF00, 0x0000FF, bits == 32 && useAlpha ? 0xFF000000 : 0);
}

// Map entries land at their index (first entry index onward); indices without one stay black.
bool ReadColorMap(ByteReader& r, const TgaHeader& h, DecodedImage* image) {
  const unsigned entryBytes = (h.mapEntryBits + 7) / 8;
  const auto bytes = r.Bytes(uint64_t{h.mapLength} * entryBytes);
  if (!r.Ok()) return false;
  if (h.BaseType() != kColorMapped) return true;  // a map a true-colour image doesn't use

  const ChannelMasks masks = ColorMasks(h.mapEntryBits, h.UsesAlpha());
  image->palette = BlackPalette();
  uint32_t i = 0;
  for (; i < h.mapLength && h.mapFirst + i < kPaletteSize; ++i) {
    const D3DCOLOR c = masks.Expand(LoadLe(&bytes[size_t{i} * entryBytes], entryBytes));
    image->palette[h.mapFirst + i] =
        PALETTEENTRY{static_cast<BYTE>(c >> 16), static_cast<BYTE>(c >> 8), static_cast<BYTE>(c),
                     static_cast<BYTE>(c >> 24)};
  }
  image->paletteColors = i;
  image->hasAlpha = masks.HasAlpha();
  return true;
}

// Masks for the pixel values themselves; colour-mapped pixels are indices and use none.
ChannelMasks PixelMasks(const TgaHeader& h) {
  switch (h.BaseType()) {
    case kGrey:
      return ChannelMasks(0xFF, 0xFF, 0xFF, 0);
    case kTrueColor:
      return ColorMasks(h.pixelBits, h.UsesAlpha());
    default:
      return ChannelMasks(0, 0, 0, 0);
  }
}

class PixelConverter {
 public:
  PixelConverter(const TgaHeader& h, const DecodedImage& image)
      : type_(h.BaseType()), masks_(PixelMasks(h)), palette_(image.palette) {}

  bool HasAlpha() const { return masks_.HasAlpha(); }
  D3DCOLOR operator()(uint32_t value) const {
    return type_ == kColorMapped ? PaletteColor(palette_[value]) : masks_.Expand(value);
  }

 private:
  uint8_t type_;
  ChannelMasks masks_;
  const std::vector<PALETTEENTRY>& palette_;
};

// Pixels arrive in file order: rows from the bottom unless flagged top-to-bottom, columns from
// the left unless flagged right-to-left.
class PixelPlacer {
 public:
  PixelPlacer(const TgaHeader& h, DecodedImage* image)
      : image_(image),
        topDown_((h.descriptor & kTopToBottom) != 0),
        rightToLeft_((h.descriptor & kRightToLeft) != 0) {}

  size_t Left() const { return image_->pixels.size() - next_; }
  void Put(D3DCOLOR c) {
    const uint32_t w = image_->width;
    const uint32_t row = static_cast<uint32_t>(next_ / w), col = static_cast<uint32_t>(next_ % w);
    ++next_;
    image_->At(rightToLeft_ ? w - 1 - col : col, topDown_ ? row : image_->height - 1 - row) = c;
  }

 private:
  DecodedImage* image_;
  bool topDown_;
  bool rightToLeft_;
  size_t next_ = 0;
};

// count raw pixels.
bool DecodeRaw(ByteReader& r, unsigned pixelBytes, const PixelConverter& convert,
               PixelPlacer& placer, size_t count) {
  for (size_t i = 0; i < count; ++i) {
    const auto bytes = r.Bytes(pixelBytes);
    if (!r.Ok()) return false;
    placer.Put(convert(LoadLe(bytes.data(), pixelBytes)));
  }
  return true;
}

// Packets: a header byte with the count less one in its low seven bits; the high bit marks a
// run of one repeated pixel, otherwise that many raw pixels follow. Packets may span rows.
bool DecodeRle(ByteReader& r, unsigned pixelBytes, const PixelConverter& convert,
               PixelPlacer& placer) {
  while (placer.Left() > 0) {
    const uint8_t packet = r.U8();
    const uint32_t count = (packet & 0x7F) + 1u;
    if (!r.Ok() || count > placer.Left()) return false;
    if (packet & 0x80) {
      const auto bytes = r.Bytes(pixelBytes);
      if (!r.Ok()) return false;
      const D3DCOLOR color = convert(LoadLe(bytes.data(), pixelBytes));
      for (uint32_t i = 0; i < count; ++i) placer.Put(color);
    } else if (!DecodeRaw(r, pixelBytes, convert, placer, count)) {
      return false;
    }
  }
  return true;
}

}  // namespace

bool TgaImageSize(std::span<const uint8_t> head, ImageSize* size) {
  ByteReader r(head);
  TgaHeader h;
  if (!ReadHeader(r, &h) || !IsSupported(h)) return false;
  *size = {h.width, h.height};
  return true;
}

bool DecodeTga(std::span<const uint8_t> file, DecodedImage* image) {
  ByteReader r(file);
  TgaHeader h;
  if (!ReadHeader(r, &h) || !IsSupported(h) || !IsAcceptableSize(h.width, h.height)) return false;
  r.Skip(h.idLength);
  if (h.colorMapType == 1 && !ReadColorMap(r, h, image)) return false;
  if (!r.Ok()) return false;

  // Raw data needs every pixel's bytes; a run-length packet of two or more bytes gives at most
  // 128 pixels.
  const unsigned pixelBytes = (h.pixelBits + 7) / 8;
  const uint64_t pixels = uint64_t{h.width} * h.height;
  const uint64_t minimumBytes = h.IsRle() ? pixels * (1 + pixelBytes) / 128 : pixels * pixelBytes;
  if (r.Remaining() < minimumBytes) return false;

  image->fileFormat = D3DXIFF_TGA;
  AllocatePixels(image, h.width, h.height);
  const PixelConverter convert(h, *image);
  image->hasAlpha = image->hasAlpha || convert.HasAlpha();
  PixelPlacer placer(h, image);
  return h.IsRle() ? DecodeRle(r, pixelBytes, convert, placer)
                   : DecodeRaw(r, pixelBytes, convert, placer, placer.Left());
}
