#pragma once
// What a device needs from the machinery below it. The device validates every call and keeps
// the state; a backend only carries out work that is already known to be valid.
#include "platform/d3d8.h"

class DeviceBackend {
 public:
  virtual ~DeviceBackend() = default;

  // Clears the rectangle (in back-buffer pixels) of the colour and/or depth target.
  virtual void Clear(const D3DRECT& area, DWORD flags, D3DCOLOR color, float z) = 0;
  virtual void Present() = 0;
  virtual bool ReadBackBuffer(BackBufferImage* image) = 0;
};

// The back buffer a device draws into.
struct BackBufferSpec {
  UINT width = 0;
  UINT height = 0;
  D3DFORMAT colorFormat = D3DFMT_X8R8G8B8;
  D3DFORMAT depthFormat = D3DFMT_UNKNOWN;  // none
  bool fullScreen = false;
  bool vsync = false;
};
