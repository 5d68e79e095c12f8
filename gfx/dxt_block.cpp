#include "gfx/dxt_block.h"

#include "platform/byte_reader.h"

namespace {

struct Rgb {
  uint32_t r, g, b;
};

Rgb Expand565(uint16_t c) {
  const uint32_t r = c >> 11, g = (c >> 5) & 0x3F, b = c & 0x1F;
  return {(r << 3) | (r >> 2), (g << 2) | (g >> 4), (b << 3) | (b >> 2)};
}

// (wa * a + wb * b) / (wa + wb), rounded.
uint32_t Mix(uint32_t a, uint32_t wa, uint32_t b, uint32_t wb) {
  return (wa * a + wb * b + (wa + wb) / 2) / (wa + wb);
}

Rgb Mix(const Rgb& a, uint32_t wa, const Rgb& b, uint32_t wb) {
  return {Mix(a.r, wa, b.r, wb), Mix(a.g, wa, b.g, wb), Mix(a.b, wa, b.b, wb)};
}

D3DCOLOR Opaque(const Rgb& c) {
  return 0xFF000000u | c.r << 16 | c.g << 8 | c.b;
}

// The colour half: two 5-6-5 end points and two bits per texel. DXT1 blocks whose first end
// point is not the larger have three colours and transparent black.
void DecodeColors(const uint8_t* block, bool threeColorMode, DxtTexels* texels) {
  const uint16_t c0 = LoadLe16(block), c1 = LoadLe16(block + 2);
  const Rgb e0 = Expand565(c0), e1 = Expand565(c1);
  D3DCOLOR colors[4] = {Opaque(e0), Opaque(e1)};
  const bool threeColors = threeColorMode && c0 <= c1;
  if (threeColors) {
    colors[2] = Opaque(Mix(e0, 1, e1, 1));
    colors[3] = 0;
  } else {
    colors[2] = Opaque(Mix(e0, 2, e1, 1));
    colors[3] = Opaque(Mix(e0, 1, e1, 2));
  }
  const uint32_t indices = LoadLe32(block + 4);
  for (int i = 0; i < 16; ++i) (*texels)[i] = colors[(indices >> (2 * i)) & 3];
}

void SetAlpha(DxtTexels* texels, int i, uint32_t alpha) {
  (*texels)[i] = ((*texels)[i] & 0x00FFFFFF) | alpha << 24;
}

// Explicit alpha: four bits per texel.
void DecodeExplicitAlpha(const uint8_t* block, DxtTexels* texels) {
  for (int i = 0; i < 16; ++i) {
    const uint32_t nibble = (block[i / 2] >> (4 * (i % 2))) & 0xF;
    SetAlpha(texels, i, nibble * 17);
  }
}

// Interpolated alpha: two end points and three bits per texel; with the first end point not the
// larger, six steps plus 0 and 255.
void DecodeInterpolatedAlpha(const uint8_t* block, DxtTexels* texels) {
  const uint32_t a0 = block[0], a1 = block[1];
  uint32_t alphas[8] = {a0, a1};
  if (a0 > a1) {
    for (uint32_t i = 2; i < 8; ++i) alphas[i] = Mix(a0, 8 - i, a1, i - 1);
  } else {
    for (uint32_t i = 2; i < 6; ++i) alphas[i] = Mix(a0, 6 - i, a1, i - 1);
    alphas[6] = 0;
    alphas[7] = 255;
  }
  uint64_t indices = 0;
  for (int i = 0; i < 6; ++i) indices |= uint64_t{block[2 + i]} << (8 * i);
  for (int i = 0; i < 16; ++i) SetAlpha(texels, i, alphas[(indices >> (3 * i)) & 7]);
}

}  // namespace

unsigned DxtBlockBytes(DxtFormat format) {
  return format == DxtFormat::kDxt1 ? 8 : 16;
}

void DecodeDxtBlock(DxtFormat format, const uint8_t* block, DxtTexels* texels) {
  switch (format) {
    case DxtFormat::kDxt1:
      DecodeColors(block, true, texels);
      break;
    case DxtFormat::kDxt3:
      DecodeColors(block + 8, false, texels);
      DecodeExplicitAlpha(block, texels);
      break;
    case DxtFormat::kDxt5:
      DecodeColors(block + 8, false, texels);
      DecodeInterpolatedAlpha(block, texels);
      break;
  }
}
