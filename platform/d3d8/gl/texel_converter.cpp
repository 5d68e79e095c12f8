#include "platform/d3d8/gl/texel_converter.h"

#include <cstring>

#include "platform/d3d8/format_info.h"

namespace {

uint16_t Load16(const uint8_t* p) {
  uint16_t value;
  std::memcpy(&value, p, 2);
  return value;
}

void Store16(uint8_t* p, uint16_t value) {
  std::memcpy(p, &value, 2);
}

}  // namespace

GlTexelFormat TexelConverter::UploadFormat(D3DFORMAT format) {
  switch (format) {
    case D3DFMT_R5G6B5:
      return {GL_RGB565, GL_RGB, GL_UNSIGNED_SHORT_5_6_5, 2};
    case D3DFMT_A4R4G4B4:
      return {GL_RGBA4, GL_RGBA, GL_UNSIGNED_SHORT_4_4_4_4, 2};
    default:
      return {GL_RGBA8, GL_RGBA, GL_UNSIGNED_BYTE, 4};
  }
}

GlTexelFormat TexelConverter::TargetFormat(D3DFORMAT format) {
  switch (format) {
    case D3DFMT_R5G6B5:
      return UploadFormat(format);
    case D3DFMT_X8R8G8B8:
      return {GL_RGB8, GL_RGB, GL_UNSIGNED_BYTE, 3};
    default:
      return {GL_RGBA8, GL_RGBA, GL_UNSIGNED_BYTE, 4};
  }
}

const std::vector<uint8_t>& TexelConverter::Convert(const IDirect3DSurface8& level) {
  const D3DSURFACE_DESC& desc = level.Desc();
  const D3DFORMAT format = desc.Format;
  const UINT outRow = desc.Width * UploadFormat(format).bytesPerTexel;
  const size_t inRow = size_t{desc.Width} * BytesPerPixel(format);
  texels_.assign(size_t{outRow} * desc.Height, 0);
  const bool whole = level.Bits() && inRow > 0 && level.Pitch() >= inRow &&
                     size_t{level.Pitch()} * desc.Height <= desc.Size;
  if (!whole) return texels_;
  for (UINT y = 0; y < desc.Height; ++y) {
    ConvertRow(format, level.Bits() + size_t{y} * level.Pitch(),
               texels_.data() + size_t{y} * outRow, desc.Width);
  }
  return texels_;
}

void TexelConverter::ConvertRow(D3DFORMAT format, const uint8_t* source, uint8_t* target,
                                UINT width) const {
  switch (format) {
    case D3DFMT_A8R8G8B8:
    case D3DFMT_X8R8G8B8:
      // Memory order B, G, R, A.
      for (UINT x = 0; x < width; ++x, source += 4, target += 4) {
        target[0] = source[2];
        target[1] = source[1];
        target[2] = source[0];
        target[3] = format == D3DFMT_X8R8G8B8 ? 0xFF : source[3];
      }
      break;
    case D3DFMT_R5G6B5:
      // r << 11 | g << 5 | b is GL's 5_6_5 packing already.
      std::memcpy(target, source, size_t{width} * 2);
      break;
    case D3DFMT_A4R4G4B4:
      // a << 12 | r << 8 | g << 4 | b becomes r << 12 | g << 8 | b << 4 | a.
      for (UINT x = 0; x < width; ++x, source += 2, target += 2) {
        uint16_t texel = Load16(source);
        Store16(target, static_cast<uint16_t>((texel << 4) | (texel >> 12)));
      }
      break;
    default:
      break;
  }
}
