#include "gfx/render_target_scope.h"

RenderTargetScope::RenderTargetScope(IDirect3DDevice8* device) : device_(device) {
  device_->GetRenderTarget(&savedTarget_);
  device_->GetDepthStencilSurface(&savedDepth_);
  device_->GetViewport(&savedViewport_);
}

RenderTargetScope::~RenderTargetScope() {
  if (switched_) {
    device_->SetRenderTarget(savedTarget_, savedDepth_);
    // Switching targets resets the viewport to the whole target; the frame's may be smaller.
    device_->SetViewport(&savedViewport_);
  }
  SafeRelease(savedTarget_);
  SafeRelease(savedDepth_);
}

bool RenderTargetScope::DrawInto(IDirect3DTexture8* texture) {
  IDirect3DSurface8* level = nullptr;
  if (!savedTarget_ || !texture || FAILED(texture->GetSurfaceLevel(0, &level))) return false;
  const bool switched = SUCCEEDED(device_->SetRenderTarget(level, nullptr));
  level->Release();  // the device holds the target while it is set
  switched_ = switched_ || switched;
  return switched;
}
