// The device's frames: the surfaces drawn into, their clears, the scene's bracket, the
// presentation and what the last presented frame showed and cost.
#include <algorithm>

#include "platform/d3d8.h"
#include "platform/d3d8/device_backend.h"
#include "platform/d3d8/pipeline_state.h"
#include "platform/d3d8/resource_access.h"

HRESULT IDirect3DDevice8::GetRenderTarget(IDirect3DSurface8** surface) {
  if (!surface) return D3DERR_INVALIDCALL;
  *surface = state_->renderTarget;
  (*surface)->AddRef();
  return D3D_OK;
}

HRESULT IDirect3DDevice8::GetDepthStencilSurface(IDirect3DSurface8** surface) {
  if (!surface) return D3DERR_INVALIDCALL;
  if (!state_->depthStencil) return D3DERR_NOTFOUND;
  *surface = state_->depthStencil;
  (*surface)->AddRef();
  return D3D_OK;
}

HRESULT IDirect3DDevice8::SetRenderTarget(IDirect3DSurface8* renderTarget,
                                          IDirect3DSurface8* depthStencil) {
  IDirect3DSurface8* target = renderTarget ? renderTarget : state_->renderTarget;
  bool validTarget = target == backBuffer_.get() ||
                     (ResourceAccess::Container(*target) &&
                      ResourceAccess::IsRenderTarget(*ResourceAccess::Container(*target)));
  bool validDepth =
      !depthStencil ||
      (depthStencil == depthBuffer_.get() &&
       ResourceAccess::Desc(*depthStencil).Width >= ResourceAccess::Desc(*target).Width &&
       ResourceAccess::Desc(*depthStencil).Height >= ResourceAccess::Desc(*target).Height);
  if (!validTarget || !validDepth) return D3DERR_INVALIDCALL;
  HoldSurface(target);
  DropSurface(state_->renderTarget);
  state_->renderTarget = target;
  state_->depthStencil = depthStencil;
  // A new target is drawn whole until the program says otherwise.
  state_->viewport = {
      0, 0, ResourceAccess::Desc(*target).Width, ResourceAccess::Desc(*target).Height, 0.0f, 1.0f};
  backend_->RenderTargetChanged(target, depthStencil);
  return D3D_OK;
}

HRESULT IDirect3DDevice8::Clear(DWORD count, const D3DRECT* rects, DWORD flags, D3DCOLOR color,
                                float z, DWORD /*stencil*/) {
  const DWORD known = D3DCLEAR_TARGET | D3DCLEAR_ZBUFFER | D3DCLEAR_STENCIL;
  const IDirect3DSurface8* depth = state_->depthStencil;
  if ((flags & ~known) != 0 || flags == 0 || (count > 0 && !rects) ||
      ((flags & (D3DCLEAR_ZBUFFER | D3DCLEAR_STENCIL)) && !depth) ||
      ((flags & D3DCLEAR_STENCIL) && ResourceAccess::Desc(*depth).Format != D3DFMT_D24S8)) {
    return D3DERR_INVALIDCALL;
  }
  // Clears never reach outside the viewport.
  const D3DVIEWPORT8& v = state_->viewport;
  const D3DRECT view{static_cast<LONG>(v.X), static_cast<LONG>(v.Y),
                     static_cast<LONG>(v.X + v.Width), static_cast<LONG>(v.Y + v.Height)};
  auto clearWithin = [&](const D3DRECT& r) {
    D3DRECT clipped{std::max(r.x1, view.x1), std::max(r.y1, view.y1), std::min(r.x2, view.x2),
                    std::min(r.y2, view.y2)};
    if (clipped.x1 < clipped.x2 && clipped.y1 < clipped.y2) {
      backend_->Clear(*state_, clipped, flags, color, z);
    }
  };
  if (count == 0) {
    clearWithin(view);
  } else {
    for (DWORD i = 0; i < count; ++i) clearWithin(rects[i]);
  }
  return D3D_OK;
}

HRESULT IDirect3DDevice8::BeginScene() {
  if (inScene_) return D3DERR_INVALIDCALL;
  inScene_ = true;
  return D3D_OK;
}

HRESULT IDirect3DDevice8::EndScene() {
  if (!inScene_) return D3DERR_INVALIDCALL;
  inScene_ = false;
  return D3D_OK;
}

HRESULT IDirect3DDevice8::Present(const void* /*sourceRect*/, const void* /*destRect*/,
                                  HWND /*destWindowOverride*/, const RGNDATA* /*dirtyRegion*/) {
  if (inScene_) return D3DERR_INVALIDCALL;
  backend_->Present();
  lastFrameCounters_ = frameCounters_;
  lastFrameCounters_.liveTextures = static_cast<uint32_t>(liveTextures_.size());
  lastFrameCounters_.liveBuffers = static_cast<uint32_t>(liveBuffers_.size());
  backend_->AddCounters(&lastFrameCounters_);
  frameCounters_ = {};
  backend_->ResetCounters();
  if (onPresent_) onPresent_();
  return D3D_OK;
}

HRESULT IDirect3DDevice8::ReadBackBuffer(BackBufferImage* image) {
  if (!image) return D3DERR_INVALIDCALL;
  return backend_->ReadBackBuffer(image) ? D3D_OK : E_FAIL;
}

HRESULT IDirect3DDevice8::GetCounters(DeviceCounters* counters) {
  if (!counters) return D3DERR_INVALIDCALL;
  *counters = lastFrameCounters_;
  return D3D_OK;
}
