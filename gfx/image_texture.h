#pragma once
// Turns a decoded picture into a texture through the device.
#include "gfx/decoded_image.h"
#include "platform/d3d8.h"

struct TextureLayout {
  UINT width;
  UINT height;
  UINT levels;
  DWORD usage;
  D3DFORMAT format;  // one TexelBytes knows
  D3DPOOL pool;
};

// Creates a texture of the layout and fills every level: level 0 is the picture box-filtered to
// the layout's size (or copied when the sizes agree), each further level the box-filtered half
// of the one above. *texture is set only on success.
HRESULT CreateTextureFromImage(IDirect3DDevice8* device, const DecodedImage& image,
                               const TextureLayout& layout, IDirect3DTexture8** texture);
