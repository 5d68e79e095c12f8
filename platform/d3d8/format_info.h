#pragma once
// What a pixel format is, one row per format, read by the device (sizes, what it can make), the
// texture loader (how to pack colours) and the GL backend (how to upload texels). A new format is
// one row here.
#include <cstdint>
#include <span>

#include "platform/d3d8.h"

struct FormatInfo {
  D3DFORMAT format;
  UINT bytesPerTexel;  // 0 for depth formats, which have no CPU copy
  // Each channel's bits in a texel read as a little-endian word; 0 for a channel it lacks.
  uint32_t alphaMask, redMask, greenMask, blueMask;
  uint32_t oneBits;   // bits written as ones whatever the colour: the X of X8R8G8B8
  bool texture;       // textures can have it
  bool renderTarget;  // back buffers and render-target textures can have it
  bool depth;
};

// The row of a format, or null for one the device doesn't know.
const FormatInfo* FindFormat(D3DFORMAT format);
// Every row.
std::span<const FormatInfo> KnownFormats();

// Bytes per texel of a colour format the device stores, or 0.
UINT BytesPerPixel(D3DFORMAT format);
bool IsTextureFormat(D3DFORMAT format);
bool IsRenderTargetFormat(D3DFORMAT format);
bool IsDepthFormat(D3DFORMAT format);
// The number of levels in a full mip chain: down to 1 x 1, halving each side.
UINT FullMipChain(UINT width, UINT height);
// Bytes of a texture's levels, whether or not they keep a CPU copy.
uint64_t TextureBytes(UINT width, UINT height, UINT levels, D3DFORMAT format);
// The description of a width x height surface.
D3DSURFACE_DESC SurfaceDesc(D3DFORMAT format, DWORD usage, D3DPOOL pool, UINT width, UINT height);
