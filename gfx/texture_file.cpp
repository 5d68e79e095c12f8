#include "gfx/texture_file.h"

#include "gfx/d3dx_texture.h"

bool ReloadTexture(IDirect3DDevice8* device, const char* fileName, IDirect3DTexture8** held) {
  IDirect3DTexture8* loaded = nullptr;
  if (!fileName || FAILED(D3DXCreateTextureFromFileA(device, fileName, &loaded))) return false;
  SafeRelease(*held);
  *held = loaded;
  return true;
}
