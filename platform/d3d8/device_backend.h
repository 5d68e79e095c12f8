#pragma once
// What a device needs from the machinery below it. The device validates every call and keeps
// the state; a backend only carries out work that is already known to be valid and in bounds.
#include "platform/d3d8.h"
#include "platform/d3d8/pipeline_state.h"

// Vertex or index data of a draw. buffer is null for DrawPrimitiveUP's data.
struct DrawSource {
  const BufferResource* buffer = nullptr;
  const uint8_t* data = nullptr;  // the whole buffer (or the caller's array)
  UINT size = 0;                  // bytes at data
};

struct DrawCall {
  D3DPRIMITIVETYPE type = D3DPT_TRIANGLELIST;
  UINT primitiveCount = 0;
  DWORD fvf = 0;
  UINT stride = 0;
  DrawSource vertices;
  // Non-indexed: the vertices firstVertex .. firstVertex + vertexCount - 1 are drawn in order.
  // Indexed: each index i names vertex firstVertex + i (firstVertex is the base vertex), and
  // every such vertex lies below firstVertex + vertexCount.
  UINT firstVertex = 0;
  UINT vertexCount = 0;
  DrawSource indices;   // 16-bit indices; data is null for non-indexed draws
  UINT firstIndex = 0;  // in indices, not bytes
  UINT indexCount = 0;
  const PipelineState* state = nullptr;
};

// The back buffer a device draws into.
struct BackBufferSpec {
  // The back buffer in the program's coordinates, as the device knows it.
  UINT width = 0;
  UINT height = 0;
  // The picture the backend draws, onto which the program's coordinates are mapped: of a fixed
  // size, or (0 x 0) the window's own, which it follows; and the samples of each pixel (0: none).
  UINT drawnWidth = 0;
  UINT drawnHeight = 0;
  UINT samples = 0;
  D3DFORMAT colorFormat = D3DFMT_X8R8G8B8;
  D3DFORMAT depthFormat = D3DFMT_UNKNOWN;  // none
  bool fullScreen = false;
  bool vsync = false;
};

class DeviceBackend {
 public:
  virtual ~DeviceBackend() = default;

  // The device's own surfaces, made once at creation: the back buffer and the depth buffer
  // (null when there is none). Targets in draws and clears are these or texture levels of
  // render-target textures.
  virtual void SetDeviceSurfaces(const IDirect3DSurface8* backBuffer,
                                 const IDirect3DSurface8* depthBuffer) = 0;
  // Clears area (in target pixels, inside the viewport) of state's render target and/or depth.
  virtual void Clear(const PipelineState& state, const D3DRECT& area, DWORD flags, D3DCOLOR color,
                     float z) = 0;
  virtual void Draw(const DrawCall& call) = 0;
  // SetRenderTarget was called (the new targets are in the next draws' and clears' state).
  virtual void RenderTargetChanged(const IDirect3DSurface8* renderTarget,
                                   const IDirect3DSurface8* depthStencil) = 0;
  virtual void Present() = 0;
  virtual bool ReadBackBuffer(BackBufferImage* image) = 0;
  // The resource is going away: drop any copy of it.
  virtual void TextureDestroyed(const IDirect3DTexture8* texture) = 0;
  virtual void BufferDestroyed(const BufferResource* buffer) = 0;
  // Adds the backend's share of the frame's counters (backendDraws, programSwitches, uploads).
  virtual void AddCounters(DeviceCounters* counters) const = 0;
  virtual void ResetCounters() = 0;
};
