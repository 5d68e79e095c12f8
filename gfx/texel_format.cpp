#include "gfx/texel_format.h"

namespace {

uint32_t Quantize(uint32_t channel, uint32_t max) {
  return (channel * max + 127) / 255;
}

uint32_t PackTexel(D3DCOLOR c, D3DFORMAT format) {
  const uint32_t a = c >> 24, r = (c >> 16) & 0xFF, g = (c >> 8) & 0xFF, b = c & 0xFF;
  switch (format) {
    case D3DFMT_A8R8G8B8:
      return c;
    case D3DFMT_X8R8G8B8:
    case D3DFMT_R8G8B8:
      return c | 0xFF000000;
    case D3DFMT_R5G6B5:
      return Quantize(r, 31) << 11 | Quantize(g, 63) << 5 | Quantize(b, 31);
    case D3DFMT_X1R5G5B5:
    case D3DFMT_A1R5G5B5: {
      const uint32_t alpha = format == D3DFMT_X1R5G5B5 || a >= 128 ? 0x8000 : 0;
      return alpha | Quantize(r, 31) << 10 | Quantize(g, 31) << 5 | Quantize(b, 31);
    }
    case D3DFMT_A4R4G4B4:
      return Quantize(a, 15) << 12 | Quantize(r, 15) << 8 | Quantize(g, 15) << 4 | Quantize(b, 15);
    default:
      return 0;
  }
}

}  // namespace

unsigned TexelBytes(D3DFORMAT format) {
  switch (format) {
    case D3DFMT_A8R8G8B8:
    case D3DFMT_X8R8G8B8:
      return 4;
    case D3DFMT_R8G8B8:
      return 3;
    case D3DFMT_R5G6B5:
    case D3DFMT_X1R5G5B5:
    case D3DFMT_A1R5G5B5:
    case D3DFMT_A4R4G4B4:
      return 2;
    default:
      return 0;
  }
}

void PackTexels(std::span<const D3DCOLOR> pixels, D3DFORMAT format, uint8_t* dst) {
  const unsigned bytes = TexelBytes(format);
  for (D3DCOLOR c : pixels) {
    const uint32_t texel = PackTexel(c, format);
    for (unsigned i = 0; i < bytes; ++i) *dst++ = static_cast<uint8_t>(texel >> (8 * i));
  }
}
