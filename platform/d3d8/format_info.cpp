#include "platform/d3d8/format_info.h"

UINT BytesPerPixel(D3DFORMAT format) {
  switch (format) {
    case D3DFMT_A8R8G8B8:
    case D3DFMT_X8R8G8B8:
      return 4;
    case D3DFMT_R5G6B5:
    case D3DFMT_A4R4G4B4:
      return 2;
    default:
      return 0;
  }
}

bool IsTextureFormat(D3DFORMAT format) {
  return BytesPerPixel(format) != 0;
}

bool IsRenderTargetFormat(D3DFORMAT format) {
  return format == D3DFMT_A8R8G8B8 || format == D3DFMT_X8R8G8B8 || format == D3DFMT_R5G6B5;
}

bool IsDepthFormat(D3DFORMAT format) {
  return format == D3DFMT_D16 || format == D3DFMT_D24S8;
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
