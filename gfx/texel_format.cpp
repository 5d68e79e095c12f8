#include "gfx/texel_format.h"

#include <bit>
#include <cstring>

namespace {

// Texels are stored as little-endian words, which is how this machine stores them.
static_assert(std::endian::native == std::endian::little);

uint32_t Quantize(uint32_t channel, uint32_t max) {
  return (channel * max + 127) / 255;
}
uint32_t Red(D3DCOLOR c) {
  return (c >> 16) & 0xFF;
}
uint32_t Green(D3DCOLOR c) {
  return (c >> 8) & 0xFF;
}
uint32_t Blue(D3DCOLOR c) {
  return c & 0xFF;
}

// One format per call: the conversion is inlined into the loop.
template <typename Word, typename Convert>
void PackWords(std::span<const D3DCOLOR> pixels, uint8_t* dst, Convert convert) {
  for (D3DCOLOR c : pixels) {
    const Word texel = static_cast<Word>(convert(c));
    std::memcpy(dst, &texel, sizeof texel);
    dst += sizeof texel;
  }
}

void PackRgb24(std::span<const D3DCOLOR> pixels, uint8_t* dst) {
  for (D3DCOLOR c : pixels) {
    *dst++ = static_cast<uint8_t>(Blue(c));
    *dst++ = static_cast<uint8_t>(Green(c));
    *dst++ = static_cast<uint8_t>(Red(c));
  }
}

uint32_t Pack555(D3DCOLOR c, uint32_t alphaBit) {
  return alphaBit | Quantize(Red(c), 31) << 10 | Quantize(Green(c), 31) << 5 |
         Quantize(Blue(c), 31);
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
  switch (format) {
    case D3DFMT_A8R8G8B8:
      std::memcpy(dst, pixels.data(), pixels.size_bytes());
      break;
    case D3DFMT_X8R8G8B8:
      PackWords<uint32_t>(pixels, dst, [](D3DCOLOR c) { return c | 0xFF000000; });
      break;
    case D3DFMT_R8G8B8:
      PackRgb24(pixels, dst);
      break;
    case D3DFMT_R5G6B5:
      PackWords<uint16_t>(pixels, dst, [](D3DCOLOR c) {
        return Quantize(Red(c), 31) << 11 | Quantize(Green(c), 63) << 5 | Quantize(Blue(c), 31);
      });
      break;
    case D3DFMT_X1R5G5B5:
      PackWords<uint16_t>(pixels, dst, [](D3DCOLOR c) { return Pack555(c, 0x8000); });
      break;
    case D3DFMT_A1R5G5B5:
      PackWords<uint16_t>(pixels, dst,
                          [](D3DCOLOR c) { return Pack555(c, (c >> 24) >= 128 ? 0x8000 : 0); });
      break;
    case D3DFMT_A4R4G4B4:
      PackWords<uint16_t>(pixels, dst, [](D3DCOLOR c) {
        return Quantize(c >> 24, 15) << 12 | Quantize(Red(c), 15) << 8 |
               Quantize(Green(c), 15) << 4 | Quantize(Blue(c), 15);
      });
      break;
    default:
      break;
  }
}
