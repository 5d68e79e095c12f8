#pragma once
// Draws into a texture for the length of a pass and puts the frame's render target, depth
// buffer and viewport back when the scope ends, on every way out of the pass.
#include "platform/d3d8.h"

class RenderTargetScope {
 public:
  explicit RenderTargetScope(IDirect3DDevice8* device);
  ~RenderTargetScope();
  RenderTargetScope(const RenderTargetScope&) = delete;
  RenderTargetScope& operator=(const RenderTargetScope&) = delete;

  // Makes level 0 of a render-target texture the target, without a depth buffer (so without a
  // depth test). False, with the target unchanged, when that can't be done.
  bool DrawInto(IDirect3DTexture8* texture);

 private:
  IDirect3DDevice8* device_;
  IDirect3DSurface8* savedTarget_ = nullptr;
  IDirect3DSurface8* savedDepth_ = nullptr;  // null when the frame has none
  D3DVIEWPORT8 savedViewport_{};
  bool switched_ = false;
};
