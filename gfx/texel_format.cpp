#include "gfx/texel_format.h"

#include <bit>
#include <cstring>

#include "platform/d3d8/format_info.h"

namespace {

// Texels are stored as little-endian words, which is how this machine stores them.
static_assert(std::endian::native == std::endian::little);

// One channel of a D3DCOLOR, rounded to the nearest step of a mask's width and put in place.
struct ChannelPacker {
  unsigned from = 0;  // the channel's shift in a D3DCOLOR
  unsigned to = 0;    // the mask's shift in the texel
  uint32_t max = 0;   // the mask's largest value; 0 for a channel the format lacks

  ChannelPacker(unsigned colorShift, uint32_t mask)
      : from(colorShift),
        to(mask ? static_cast<unsigned>(std::countr_zero(mask)) : 0),
        max(mask >> to) {}
  uint32_t Pack(D3DCOLOR c) const { return ((((c >> from) & 0xFF) * max + 127) / 255) << to; }
};

}  // namespace

unsigned TexelBytes(D3DFORMAT format) {
  return IsTextureFormat(format) ? BytesPerPixel(format) : 0;
}

void PackTexels(std::span<const D3DCOLOR> pixels, D3DFORMAT format, uint8_t* dst) {
  const FormatInfo* info = FindFormat(format);
  if (!info || !info->texture) return;
  const ChannelPacker channels[] = {
      {24, info->alphaMask}, {16, info->redMask}, {8, info->greenMask}, {0, info->blueMask}};
  for (D3DCOLOR c : pixels) {
    uint32_t texel = info->oneBits;
    for (const ChannelPacker& channel : channels) texel |= channel.Pack(c);
    std::memcpy(dst, &texel, info->bytesPerTexel);
    dst += info->bytesPerTexel;
  }
}
