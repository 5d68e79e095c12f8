// The device: validates calls and keeps the pipeline state; the backend does the work.
#include <algorithm>

#include "platform/d3d8.h"
#include "platform/d3d8/device_backend.h"
#include "platform/d3d8/pipeline_state.h"
#include "platform/host.h"

IDirect3DDevice8::IDirect3DDevice8(IDirect3D8* d3d, std::unique_ptr<DeviceBackend> backend,
                                   const D3DPRESENT_PARAMETERS& parameters, UINT width,
                                   UINT height)
    : d3d_(d3d),
      backend_(std::move(backend)),
      parameters_(parameters),
      viewport_{0, 0, width, height, 0.0f, 1.0f},
      state_(std::make_unique<PipelineState>(parameters.EnableAutoDepthStencil != FALSE)) {
  parameters_.BackBufferWidth = width;
  parameters_.BackBufferHeight = height;
  // The device keeps the Direct3D object alive, whatever order they are released in.
  d3d_->AddRef();
}

IDirect3DDevice8::~IDirect3DDevice8() {
  backend_.reset();
  d3d_->Release();
}

HRESULT IDirect3DDevice8::SetRenderState(D3DRENDERSTATETYPE state, DWORD value) {
  if (!PipelineState::IsRenderState(state)) return D3DERR_INVALIDCALL;
  state_->renderStates[state] = value;
  return D3D_OK;
}

HRESULT IDirect3DDevice8::GetRenderState(D3DRENDERSTATETYPE state, DWORD* value) {
  if (!value || !PipelineState::IsRenderState(state)) return D3DERR_INVALIDCALL;
  *value = state_->renderStates[state];
  return D3D_OK;
}

HRESULT IDirect3DDevice8::SetTextureStageState(DWORD stage, D3DTEXTURESTAGESTATETYPE type,
                                               DWORD value) {
  if (stage >= kTextureStageCount || !PipelineState::IsStageState(type)) {
    return D3DERR_INVALIDCALL;
  }
  state_->stageStates[stage][type] = value;
  return D3D_OK;
}

HRESULT IDirect3DDevice8::GetTextureStageState(DWORD stage, D3DTEXTURESTAGESTATETYPE type,
                                               DWORD* value) {
  if (!value || stage >= kTextureStageCount || !PipelineState::IsStageState(type)) {
    return D3DERR_INVALIDCALL;
  }
  *value = state_->stageStates[stage][type];
  return D3D_OK;
}

HRESULT IDirect3DDevice8::GetViewport(D3DVIEWPORT8* viewport) {
  if (!viewport) return D3DERR_INVALIDCALL;
  *viewport = viewport_;
  return D3D_OK;
}

HRESULT IDirect3DDevice8::Clear(DWORD count, const D3DRECT* rects, DWORD flags, D3DCOLOR color,
                                float z, DWORD /*stencil*/) {
  const DWORD known = D3DCLEAR_TARGET | D3DCLEAR_ZBUFFER | D3DCLEAR_STENCIL;
  if ((flags & ~known) != 0 || (count > 0 && !rects)) return D3DERR_INVALIDCALL;
  bool hasDepth = parameters_.EnableAutoDepthStencil != FALSE;
  if ((flags & (D3DCLEAR_ZBUFFER | D3DCLEAR_STENCIL)) && !hasDepth) return D3DERR_INVALIDCALL;
  if ((flags & D3DCLEAR_STENCIL) && parameters_.AutoDepthStencilFormat != D3DFMT_D24S8) {
    return D3DERR_INVALIDCALL;
  }
  // Clears never reach outside the viewport.
  const D3DRECT view{static_cast<LONG>(viewport_.X), static_cast<LONG>(viewport_.Y),
                     static_cast<LONG>(viewport_.X + viewport_.Width),
                     static_cast<LONG>(viewport_.Y + viewport_.Height)};
  auto clearWithin = [&](const D3DRECT& r) {
    D3DRECT clipped{std::max(r.x1, view.x1), std::max(r.y1, view.y1), std::min(r.x2, view.x2),
                    std::min(r.y2, view.y2)};
    if (clipped.x1 < clipped.x2 && clipped.y1 < clipped.y2) backend_->Clear(clipped, flags, color, z);
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
  host::AdvanceVirtualClock();
  return D3D_OK;
}

HRESULT IDirect3DDevice8::ReadBackBuffer(BackBufferImage* image) {
  if (!image) return D3DERR_INVALIDCALL;
  return backend_->ReadBackBuffer(image) ? D3D_OK : E_FAIL;
}
