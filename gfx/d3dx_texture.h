#pragma once
// Texture creation with the D3DX helper names: empty textures, and textures loaded from BMP,
// TGA, DDS, PNG or JPEG files (recognised by their contents) with a full mip chain. Each returns
// D3D_OK or a failure code; on failure *texture is left as it was and no texture exists.
#include <string>

#include "gfx/decoded_image.h"
#include "platform/d3d8.h"

// "Use the default": for sizes the file's own (or 256 for an empty texture), for mip levels a
// full chain, for filters the defaults below.
constexpr UINT D3DX_DEFAULT = 0xFFFFFFFF;

constexpr DWORD D3DX_FILTER_NONE = 1;
constexpr DWORD D3DX_FILTER_POINT = 2;
constexpr DWORD D3DX_FILTER_LINEAR = 3;
constexpr DWORD D3DX_FILTER_TRIANGLE = 4;
constexpr DWORD D3DX_FILTER_BOX = 5;
constexpr DWORD D3DX_FILTER_MIRROR_U = 0x00010000;
constexpr DWORD D3DX_FILTER_MIRROR_V = 0x00020000;
constexpr DWORD D3DX_FILTER_MIRROR_W = 0x00040000;
constexpr DWORD D3DX_FILTER_MIRROR = 0x00070000;
constexpr DWORD D3DX_FILTER_DITHER = 0x00080000;

constexpr HRESULT D3DXERR_INVALIDDATA = static_cast<HRESULT>(0x88760B59);

struct D3DXIMAGE_INFO {
  UINT Width;
  UINT Height;
  UINT Depth;
  UINT MipLevels;
  D3DFORMAT Format;  // the format the file's pixels were decoded to
  D3DRESOURCETYPE ResourceType;
  D3DXIMAGE_FILEFORMAT ImageFileFormat;
};

// Nothing when textures of that many bytes fit the device's texture memory left, else how much
// more they take ("12.0 MiB, more than the 2.0 MiB left of ...") for a message.
std::string TextureMemoryShortfall(IDirect3DDevice8* device, uint64_t bytes);

// An empty texture. Sizes of 0 or D3DX_DEFAULT take the other side's, or 256 when both do;
// D3DFMT_UNKNOWN means A8R8G8B8.
HRESULT D3DXCreateTexture(IDirect3DDevice8* device, UINT width, UINT height, UINT mipLevels,
                          DWORD usage, D3DFORMAT format, D3DPOOL pool, IDirect3DTexture8** texture);

// The file at its own size and in its own kind of format (A8R8G8B8 with alpha, else X8R8G8B8),
// full mip chain, managed pool.
HRESULT D3DXCreateTextureFromFileA(IDirect3DDevice8* device, const char* fileName,
                                   IDirect3DTexture8** texture);

// A file that doesn't load is named once on standard error with the reason: missing, no
// picture, or a texture beyond its budget (kMaxTextureBytes) or the device's memory left.
//
// Every choice explicit. width/height 0 or D3DX_DEFAULT: the file's own; mipLevels 0 or
// D3DX_DEFAULT: a full chain; D3DFMT_UNKNOWN: from the file. A non-zero colorKey turns pixels of
// exactly that colour into transparent black. Resizing and mip levels always use area (box)
// averaging, whichever filter is named. srcInfo, when given, describes the file; palette, when
// given and the file is paletted, receives its 256 entries.
HRESULT D3DXCreateTextureFromFileExA(IDirect3DDevice8* device, const char* fileName, UINT width,
                                     UINT height, UINT mipLevels, DWORD usage, D3DFORMAT format,
                                     D3DPOOL pool, DWORD filter, DWORD mipFilter, D3DCOLOR colorKey,
                                     D3DXIMAGE_INFO* srcInfo, PALETTEENTRY* palette,
                                     IDirect3DTexture8** texture);
