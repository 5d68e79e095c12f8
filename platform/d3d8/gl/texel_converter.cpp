#include "platform/d3d8/gl/texel_converter.h"

#include <bit>
#include <cstring>

#include "platform/d3d8/format_info.h"
#include "platform/d3d8/resource_access.h"

namespace {

// The packings GL shares with Direct3D formats, by their masks: alpha, red, green, blue.
bool Is565(const FormatInfo& f) {
  return f.alphaMask == 0 && f.redMask == 0xF800 && f.greenMask == 0x07E0 && f.blueMask == 0x1F;
}
bool Is4444(const FormatInfo& f) {
  return f.alphaMask == 0xF000 && f.redMask == 0x0F00 && f.greenMask == 0x00F0 &&
         f.blueMask == 0x000F;
}

constexpr GlTexelFormat kRgb565{GL_RGB565, GL_RGB, GL_UNSIGNED_SHORT_5_6_5, 2};
constexpr GlTexelFormat kRgba4{GL_RGBA4, GL_RGBA, GL_UNSIGNED_SHORT_4_4_4_4, 2};
constexpr GlTexelFormat kRgba8{GL_RGBA8, GL_RGBA, GL_UNSIGNED_BYTE, 4};
constexpr GlTexelFormat kRgb8{GL_RGB8, GL_RGB, GL_UNSIGNED_BYTE, 3};

// One channel of a texel as a byte: its bits widened by repeating them, or `absent` for a channel
// the format lacks.
class ChannelUnpacker {
 public:
  ChannelUnpacker(uint32_t mask, uint8_t absent)
      : mask_(mask),
        shift_(mask ? static_cast<unsigned>(std::countr_zero(mask)) : 0),
        bits_(static_cast<int>(std::popcount(mask))),
        absent_(absent) {}

  uint8_t operator()(uint32_t texel) const {
    if (mask_ == 0) return absent_;
    const uint32_t value = (texel & mask_) >> shift_;
    if (bits_ == 8) return static_cast<uint8_t>(value);
    uint32_t out = 0;
    for (int free = 8; free > 0; free -= bits_) {
      out |= free >= bits_ ? value << (free - bits_) : value >> (bits_ - free);
    }
    return static_cast<uint8_t>(out);
  }

 private:
  uint32_t mask_;
  unsigned shift_;
  int bits_;
  uint8_t absent_;
};

void ConvertRow(const FormatInfo& f, const uint8_t* source, uint8_t* target, UINT width) {
  if (Is565(f)) {
    std::memcpy(target, source, size_t{width} * 2);  // r << 11 | g << 5 | b: GL's packing too
    return;
  }
  if (Is4444(f)) {
    // a << 12 | r << 8 | g << 4 | b becomes r << 12 | g << 8 | b << 4 | a.
    for (UINT x = 0; x < width; ++x, source += 2, target += 2) {
      uint16_t texel;
      std::memcpy(&texel, source, 2);
      texel = static_cast<uint16_t>((texel << 4) | (texel >> 12));
      std::memcpy(target, &texel, 2);
    }
    return;
  }
  const ChannelUnpacker red(f.redMask, 0), green(f.greenMask, 0), blue(f.blueMask, 0),
      alpha(f.alphaMask, 0xFF);
  for (UINT x = 0; x < width; ++x, source += f.bytesPerTexel) {
    uint32_t texel = 0;
    std::memcpy(&texel, source, f.bytesPerTexel);
    *target++ = red(texel);
    *target++ = green(texel);
    *target++ = blue(texel);
    *target++ = alpha(texel);
  }
}

}  // namespace

GlTexelFormat TexelConverter::UploadFormat(D3DFORMAT format) {
  const FormatInfo* info = FindFormat(format);
  if (info && Is565(*info)) return kRgb565;
  if (info && Is4444(*info)) return kRgba4;
  return kRgba8;
}

GlTexelFormat TexelConverter::TargetFormat(D3DFORMAT format) {
  const FormatInfo* info = FindFormat(format);
  if (info && Is565(*info)) return kRgb565;
  if (info && info->alphaMask == 0) return kRgb8;
  return kRgba8;
}

const std::vector<uint8_t>& TexelConverter::Convert(const IDirect3DSurface8& level) {
  const D3DSURFACE_DESC& desc = ResourceAccess::Desc(level);
  const FormatInfo* info = FindFormat(desc.Format);
  const UINT outRow = desc.Width * UploadFormat(desc.Format).bytesPerTexel;
  texels_.assign(size_t{outRow} * desc.Height, 0);
  const size_t inRow = info ? size_t{desc.Width} * info->bytesPerTexel : 0;
  const bool whole = ResourceAccess::Bits(level) && inRow > 0 &&
                     ResourceAccess::Pitch(level) >= inRow &&
                     size_t{ResourceAccess::Pitch(level)} * desc.Height <= desc.Size;
  if (!whole) return texels_;
  for (UINT y = 0; y < desc.Height; ++y) {
    ConvertRow(*info, ResourceAccess::Bits(level) + size_t{y} * ResourceAccess::Pitch(level),
               texels_.data() + size_t{y} * outRow, desc.Width);
  }
  return texels_;
}
