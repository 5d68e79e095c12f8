#pragma once
// What the device knows about pixel formats.
#include "platform/d3d8.h"

// Bytes per pixel of a colour format the device stores, or 0.
UINT BytesPerPixel(D3DFORMAT format);
bool IsTextureFormat(D3DFORMAT format);
// Formats a back buffer or a render-target texture can have.
bool IsRenderTargetFormat(D3DFORMAT format);
bool IsDepthFormat(D3DFORMAT format);
// The description of a width x height surface.
D3DSURFACE_DESC SurfaceDesc(D3DFORMAT format, DWORD usage, D3DPOOL pool, UINT width, UINT height);
