#include "gfx/bmp_decoder.h"

#include <algorithm>
#include <cstdlib>

#include "gfx/channel_masks.h"
#include "platform/byte_reader.h"

namespace {

constexpr uint32_t kFileHeaderSize = 14;
constexpr uint32_t kCoreHeaderSize = 12;  // the OS/2 header: 16-bit sizes, 3-byte palette
constexpr uint32_t kInfoHeaderSize = 40;

enum Compression : uint32_t {
  kRgb = 0,
  kRle8 = 1,
  kRle4 = 2,
  kBitFields = 3,
  kAlphaBitFields = 6,
};

struct BmpHeader {
  uint32_t dataOffset = 0;
  uint32_t headerSize = 0;
  int64_t width = 0;
  int64_t height = 0;  // negative: rows stored top-down
  uint32_t bitCount = 0;
  uint32_t compression = kRgb;
  uint32_t colorsUsed = 0;
  uint32_t masks[4] = {};  // red, green, blue, alpha
};

bool ReadHeader(ByteReader& r, BmpHeader* h) {
  if (r.U8() != 'B' || r.U8() != 'M') return false;
  r.Skip(8);  // file size and reserved words: not trusted, not needed
  h->dataOffset = r.U32();
  h->headerSize = r.U32();
  if (h->headerSize == kCoreHeaderSize) {
    h->width = r.U16();
    h->height = r.U16();
    r.Skip(2);  // planes
    h->bitCount = r.U16();
    return r.Ok();
  }
  if (h->headerSize < kInfoHeaderSize) return false;
  h->width = r.S32();
  h->height = r.S32();
  r.Skip(2);  // planes
  h->bitCount = r.U16();
  h->compression = r.U32();
  r.Skip(12);  // image size and resolution
  h->colorsUsed = r.U32();
  r.Skip(4);  // important colours
  if (h->compression == kBitFields || h->compression == kAlphaBitFields) {
    // Masks follow the 40-byte header whether or not a larger header makes room for them.
    const int count = h->compression == kAlphaBitFields || h->headerSize >= 56 ? 4 : 3;
    for (int i = 0; i < count; ++i) h->masks[i] = r.U32();
  }
  return r.Ok();
}

bool IsSupportedEncoding(const BmpHeader& h) {
  switch (h.compression) {
    case kRgb:
      return h.bitCount == 1 || h.bitCount == 4 || h.bitCount == 8 || h.bitCount == 16 ||
             h.bitCount == 24 || h.bitCount == 32;
    case kRle8:
    case kRle4:
      // Run-length images are always bottom-up.
      return h.bitCount == (h.compression == kRle8 ? 8u : 4u) && h.height > 0;
    case kBitFields:
    case kAlphaBitFields:
      return h.bitCount == 16 || h.bitCount == 32;
    default:
      return false;
  }
}

// Palette entries sit right after the header (and its masks); entries beyond the file's count
// stay black.
bool ReadPalette(ByteReader& r, const BmpHeader& h, DecodedImage* image) {
  const uint32_t capacity = 1u << h.bitCount;
  const uint32_t count = h.colorsUsed == 0 || h.colorsUsed > capacity ? capacity : h.colorsUsed;
  const uint32_t entrySize = h.headerSize == kCoreHeaderSize ? 3 : 4;
  const auto bytes = r.Bytes(uint64_t{count} * entrySize);
  if (!r.Ok()) return false;
  image->palette = BlackPalette();
  for (uint32_t i = 0; i < count; ++i) {
    const uint8_t* e = &bytes[size_t{i} * entrySize];
    image->palette[i] = PALETTEENTRY{e[2], e[1], e[0], 0xFF};
  }
  image->paletteColors = count;
  image->paletteOverlapsPixels = r.Offset() > h.dataOffset;
  return true;
}

uint32_t PaletteIndex(const uint8_t* row, uint32_t x, uint32_t bitCount) {
  const uint32_t bit = x * bitCount;
  const uint32_t shift = 8 - bitCount - bit % 8;
  return (row[bit / 8] >> shift) & ((1u << bitCount) - 1);
}

ChannelMasks MasksFor(const BmpHeader& h) {
  if (h.compression == kRgb) {
    return h.bitCount == 16 ? ChannelMasks(0x7C00, 0x03E0, 0x001F, 0)
                            : ChannelMasks(0xFF0000, 0x00FF00, 0x0000FF, 0);
  }
  return ChannelMasks(h.masks[0], h.masks[1], h.masks[2], h.masks[3]);
}

void DecodeRow(const BmpHeader& h, const ChannelMasks& masks, const uint8_t* row,
               DecodedImage* image, uint32_t y) {
  const uint32_t width = image->width;
  if (h.bitCount <= 8) {
    for (uint32_t x = 0; x < width; ++x) {
      image->At(x, y) = PaletteColor(image->palette[PaletteIndex(row, x, h.bitCount)]);
    }
  } else if (h.bitCount == 24) {
    for (uint32_t x = 0; x < width; ++x, row += 3) {
      image->At(x, y) = PackArgb(0xFF, row[2], row[1], row[0]);
    }
  } else {
    const unsigned bytes = h.bitCount / 8;
    for (uint32_t x = 0; x < width; ++x, row += bytes) {
      image->At(x, y) = masks.Expand(LoadLe(row, bytes));
    }
  }
}

bool DecodeUncompressed(std::span<const uint8_t> data, const BmpHeader& h, bool topDown,
                        DecodedImage* image) {
  const uint64_t width = static_cast<uint64_t>(h.width);
  const uint64_t rowBytes = (width * h.bitCount + 7) / 8;
  const uint64_t stride = (rowBytes + 3) / 4 * 4;
  const uint64_t height = static_cast<uint64_t>(std::llabs(h.height));
  // The last row may lack its padding.
  if (data.size() < stride * (height - 1) + rowBytes) return false;

  AllocatePixels(image, static_cast<uint32_t>(width), static_cast<uint32_t>(height));
  const ChannelMasks masks = MasksFor(h);
  for (uint32_t i = 0; i < image->height; ++i) {
    const uint32_t y = topDown ? i : image->height - 1 - i;
    DecodeRow(h, masks, data.data() + i * stride, image, y);
  }
  return true;
}

// Pixels of a run-length image, placed from the bottom-left. Pixels a run puts past the end of
// its row are dropped: some writers let runs overshoot into the row's padding.
class RunPlacer {
 public:
  explicit RunPlacer(DecodedImage* image) : image_(image) {}

  bool InPicture() const { return y_ < image_->height; }
  void Put(uint8_t index) {
    if (x_ < image_->width) {
      image_->At(x_++, image_->height - 1 - y_) = PaletteColor(image_->palette[index]);
    }
  }
  void NextRow() {
    x_ = 0;
    ++y_;
  }
  bool Jump(uint32_t right, uint32_t up) {
    x_ += right;
    y_ += up;
    return x_ <= image_->width && y_ <= image_->height;
  }

 private:
  DecodedImage* image_;
  uint32_t x_ = 0;
  uint32_t y_ = 0;
};

// Palette index i of a run: 8-bit runs repeat one byte, 4-bit runs alternate its two nibbles,
// high first.
uint8_t RunIndex(uint8_t value, uint32_t i, unsigned bitCount) {
  if (bitCount == 8) return value;
  return i % 2 == 0 ? value >> 4 : value & 0x0F;
}

// Each two-byte code is a run (count, indices) or, with count 0, an escape: end of line, end of
// bitmap, a jump, or a literal run of that many pixels padded to an even number of bytes.
bool DecodeRle(std::span<const uint8_t> data, unsigned bitCount, DecodedImage* image) {
  RunPlacer placer(image);
  ByteReader r(data);
  while (true) {
    const uint8_t count = r.U8();
    const uint8_t value = r.U8();
    if (!r.Ok()) return !placer.InPicture();  // no end marker, but every row was given
    if (count > 0) {
      if (!placer.InPicture()) return false;
      for (uint32_t i = 0; i < count; ++i) placer.Put(RunIndex(value, i, bitCount));
    } else if (value == 0) {
      placer.NextRow();
    } else if (value == 1) {
      return true;
    } else if (value == 2) {
      const uint8_t right = r.U8(), up = r.U8();
      if (!r.Ok() || !placer.Jump(right, up)) return false;
    } else {
      const uint32_t bytes = (uint32_t{value} * bitCount + 7) / 8;
      const auto literal = r.Bytes(bytes);
      if (!r.Ok() || !placer.InPicture()) return false;
      for (uint32_t i = 0; i < value; ++i) {
        placer.Put(RunIndex(literal[i * bitCount / 8], i, bitCount));
      }
      if (bytes % 2) r.Skip(1);
    }
  }
}

// A run-length code covers at most 255 pixels per two bytes, but jumps and the end
// marker may leave the rest of the picture untouched; a header that claims more than this per
// byte of data is not a real picture.
constexpr uint64_t kMaxRlePixelsPerByte = 8192;

}  // namespace

bool BmpImageSize(std::span<const uint8_t> head, ImageSize* size) {
  ByteReader r(head);
  BmpHeader h;
  if (!ReadHeader(r, &h) || !IsSupportedEncoding(h) || h.width <= 0) return false;
  *size = {static_cast<uint32_t>(h.width), static_cast<uint32_t>(std::llabs(h.height))};
  return true;
}

bool DecodeBmp(std::span<const uint8_t> file, DecodedImage* image) {
  ByteReader r(file);
  BmpHeader h;
  if (!ReadHeader(r, &h) || !IsSupportedEncoding(h)) return false;
  const uint64_t height = static_cast<uint64_t>(std::llabs(h.height));
  if (h.width <= 0 || !IsAcceptableSize(static_cast<uint64_t>(h.width), height)) return false;
  r.Seek(kFileHeaderSize + uint64_t{h.headerSize});  // the palette follows the whole header
  if (h.bitCount <= 8 && !ReadPalette(r, h, image)) return false;
  if (h.dataOffset < kFileHeaderSize || h.dataOffset > file.size()) return false;

  image->fileFormat = D3DXIFF_BMP;
  image->hasAlpha = h.compression != kRgb && h.masks[3] != 0;
  const auto data = file.subspan(h.dataOffset);
  if (h.compression != kRle8 && h.compression != kRle4) {
    return DecodeUncompressed(data, h, h.height < 0, image);
  }

  const uint64_t pixels = static_cast<uint64_t>(h.width) * height;
  if (pixels > data.size() * kMaxRlePixelsPerByte) return false;
  AllocatePixels(image, static_cast<uint32_t>(h.width), static_cast<uint32_t>(height));
  std::fill(image->pixels.begin(), image->pixels.end(), PaletteColor(image->palette[0]));
  return DecodeRle(data, h.bitCount, image);
}
