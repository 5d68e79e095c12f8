#include "gfx/image_texture.h"

#include <algorithm>
#include <vector>

#include "gfx/box_filter.h"
#include "gfx/texel_format.h"

namespace {

HRESULT WriteLevel(IDirect3DTexture8* texture, UINT level, std::span<const D3DCOLOR> pixels,
                   PixelRect size, D3DFORMAT format) {
  D3DLOCKED_RECT locked{};
  HRESULT hr = texture->LockRect(level, &locked, nullptr, 0);
  if (FAILED(hr)) return hr;
  const uint64_t rowBytes = uint64_t{size.width} * TexelBytes(format);
  if (!locked.pBits || locked.Pitch < 0 || static_cast<uint64_t>(locked.Pitch) < rowBytes) {
    texture->UnlockRect(level);
    return D3DERR_INVALIDCALL;
  }
  auto* bits = static_cast<uint8_t*>(locked.pBits);
  for (uint32_t y = 0; y < size.height; ++y) {
    PackTexels(pixels.subspan(size_t{y} * size.width, size.width), format,
               bits + size_t{y} * locked.Pitch);
  }
  return texture->UnlockRect(level);
}

HRESULT FillLevels(IDirect3DTexture8* texture, const DecodedImage& image,
                   const TextureLayout& layout) {
  PixelRect size{layout.width, layout.height};
  std::vector<D3DCOLOR> level, next;
  std::span<const D3DCOLOR> pixels = image.pixels;
  if (size.width != image.width || size.height != image.height) {
    level.resize(size_t{size.width} * size.height);
    BoxFilter(image.pixels, {image.width, image.height}, level, size);
    pixels = level;
  }
  for (UINT i = 0; i < layout.levels; ++i) {
    if (i > 0) {
      const PixelRect half{std::max(1u, size.width / 2), std::max(1u, size.height / 2)};
      next.resize(size_t{half.width} * half.height);
      BoxFilter(pixels, size, next, half);
      level.swap(next);
      pixels = level;
      size = half;
    }
    const HRESULT hr = WriteLevel(texture, i, pixels, size, layout.format);
    if (FAILED(hr)) return hr;
  }
  return D3D_OK;
}

}  // namespace

HRESULT CreateTextureFromImage(IDirect3DDevice8* device, const DecodedImage& image,
                               const TextureLayout& layout, IDirect3DTexture8** texture) {
  if (TexelBytes(layout.format) == 0) return D3DERR_NOTAVAILABLE;
  IDirect3DTexture8* created = nullptr;
  HRESULT hr = device->CreateTexture(layout.width, layout.height, layout.levels, layout.usage,
                                     layout.format, layout.pool, &created);
  if (FAILED(hr)) return hr;
  hr = FillLevels(created, image, layout);
  if (FAILED(hr)) {
    created->Release();
    return hr;
  }
  *texture = created;
  return D3D_OK;
}
