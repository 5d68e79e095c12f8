#include "platform/d3d8/format_info.h"

#include <algorithm>

namespace {

constexpr FormatInfo kFormats[] = {
    // format, bytes, alpha, red, green, blue, ones, texture, target, depth
    {D3DFMT_A8R8G8B8, 4, 0xFF000000, 0xFF0000, 0xFF00, 0xFF, 0, true, true, false},
    {D3DFMT_X8R8G8B8, 4, 0, 0xFF0000, 0xFF00, 0xFF, 0xFF000000, true, true, false},
    {D3DFMT_R5G6B5, 2, 0, 0xF800, 0x07E0, 0x001F, 0, true, true, false},
    {D3DFMT_A4R4G4B4, 2, 0xF000, 0x0F00, 0x00F0, 0x000F, 0, true, false, false},
    {D3DFMT_D16, 0, 0, 0, 0, 0, 0, false, false, true},
    {D3DFMT_D24S8, 0, 0, 0, 0, 0, 0, false, false, true},
};

}  // namespace

const FormatInfo* FindFormat(D3DFORMAT format) {
  for (const FormatInfo& info : kFormats) {
    if (info.format == format) return &info;
  }
  return nullptr;
}

std::span<const FormatInfo> KnownFormats() {
  return kFormats;
}

UINT BytesPerPixel(D3DFORMAT format) {
  const FormatInfo* info = FindFormat(format);
  return info ? info->bytesPerTexel : 0;
}

bool IsTextureFormat(D3DFORMAT format) {
  const FormatInfo* info = FindFormat(format);
  return info && info->texture;
}

bool IsRenderTargetFormat(D3DFORMAT format) {
  const FormatInfo* info = FindFormat(format);
  return info && info->renderTarget;
}

bool IsDepthFormat(D3DFORMAT format) {
  const FormatInfo* info = FindFormat(format);
  return info && info->depth;
}

UINT FullMipChain(UINT width, UINT height) {
  UINT levels = 1;
  for (UINT side = std::max(width, height); side > 1; side /= 2) ++levels;
  return levels;
}

uint64_t TextureBytes(UINT width, UINT height, UINT levels, D3DFORMAT format) {
  uint64_t bytes = 0;
  for (UINT level = 0; level < levels; ++level) {
    bytes += uint64_t{std::max(width >> level, 1u)} * std::max(height >> level, 1u) *
             BytesPerPixel(format);
  }
  return bytes;
}

D3DSURFACE_DESC SurfaceDesc(D3DFORMAT format, DWORD usage, D3DPOOL pool, UINT width, UINT height) {
  D3DSURFACE_DESC desc{};
  desc.Format = format;
  desc.Type = D3DRTYPE_SURFACE;
  desc.Usage = usage;
  desc.Pool = pool;
  desc.MultiSampleType = D3DMULTISAMPLE_NONE;
  desc.Width = width;
  desc.Height = height;
  return desc;
}
