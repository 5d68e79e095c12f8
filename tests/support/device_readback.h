#pragma once
// What a device holds, read back in one call: its current states and a texture level's texels.
#include <cstdint>
#include <vector>

#include "platform/d3d8.h"

inline DWORD RenderStateOf(IDirect3DDevice8* device, D3DRENDERSTATETYPE state) {
  DWORD value = 0xDEADBEEF;
  device->GetRenderState(state, &value);
  return value;
}

inline DWORD StageStateOf(IDirect3DDevice8* device, DWORD stage, D3DTEXTURESTAGESTATETYPE type) {
  DWORD value = 0xDEADBEEF;
  device->GetTextureStageState(stage, type, &value);
  return value;
}

// The level's texels as little-endian words of the format's size (two bytes for the 16-bit
// formats, four otherwise), top row first; none when the level can't be locked.
inline std::vector<uint32_t> LevelTexels(IDirect3DTexture8* texture, UINT level = 0) {
  D3DSURFACE_DESC desc{};
  D3DLOCKED_RECT locked{};
  std::vector<uint32_t> texels;
  if (texture->GetLevelDesc(level, &desc) != D3D_OK ||
      texture->LockRect(level, &locked, nullptr, D3DLOCK_READONLY) != D3D_OK) {
    return texels;
  }
  const bool sixteenBits = desc.Format == D3DFMT_R5G6B5 || desc.Format == D3DFMT_A4R4G4B4 ||
                           desc.Format == D3DFMT_X1R5G5B5 || desc.Format == D3DFMT_A1R5G5B5;
  const UINT bytes = sixteenBits ? 2 : 4;
  for (UINT y = 0; y < desc.Height; ++y) {
    const auto* row = static_cast<const uint8_t*>(locked.pBits) + size_t{y} * locked.Pitch;
    for (UINT x = 0; x < desc.Width; ++x) {
      uint32_t texel = 0;
      for (UINT i = 0; i < bytes; ++i) texel |= uint32_t{row[x * bytes + i]} << (8 * i);
      texels.push_back(texel);
    }
  }
  texture->UnlockRect(level);
  return texels;
}
