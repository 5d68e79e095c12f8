#pragma once
// A backend without GL or a window that remembers everything it is asked to do, so tests of
// drawing code can check what was drawn, with which state, and in what order.
#include <cstring>
#include <vector>

#include "platform/d3d8/device_backend.h"

struct RecordedDraw {
  explicit RecordedDraw(const DrawCall& call);

  // Vertex i of the drawn range (an index value for indexed draws) as the caller's layout.
  template <typename Vertex>
  Vertex VertexAt(UINT i) const {
    Vertex v;
    std::memcpy(&v, vertexBytes.data() + size_t{i} * stride, sizeof v);
    return v;
  }

  D3DPRIMITIVETYPE type;
  UINT primitiveCount;
  DWORD fvf;
  UINT stride;
  bool indexed;
  bool userPointer;  // from DrawPrimitiveUP
  UINT firstVertex;
  UINT vertexCount;
  std::vector<uint8_t> vertexBytes;  // vertices firstVertex .. firstVertex + vertexCount - 1
  std::vector<uint16_t> indices;     // the draw's own indices
  PipelineState state;               // in force at the draw
  uint64_t textureId;                // stage 0's texture, 0 for none
};

struct RecordedClear {
  D3DRECT area;
  DWORD flags;
  D3DCOLOR color;
  float z;
  const IDirect3DSurface8* target;
};

struct RecordedEvent {
  enum Kind { kClear, kDraw, kTargetSwitch, kPresent } kind;
  size_t index;  // into clears, draws or targetSwitches
};

struct Recording {
  std::vector<RecordedDraw> draws;
  std::vector<RecordedClear> clears;
  std::vector<const IDirect3DSurface8*> targetSwitches;
  std::vector<RecordedEvent> events;
  std::vector<uint64_t> destroyedTextures;
  std::vector<uint64_t> destroyedBuffers;
  int presents = 0;

  void Reset() { *this = Recording(); }
};

class RecordingBackend final : public DeviceBackend {
 public:
  void SetDeviceSurfaces(const IDirect3DSurface8*, const IDirect3DSurface8*) override {}
  void Clear(const PipelineState& state, const D3DRECT& area, DWORD flags, D3DCOLOR color,
             float z) override;
  void Draw(const DrawCall& call) override;
  void RenderTargetChanged(const IDirect3DSurface8* renderTarget,
                           const IDirect3DSurface8* depthStencil) override;
  void Present() override;
  bool ReadBackBuffer(BackBufferImage* image) override;
  void TextureDestroyed(const IDirect3DTexture8* texture) override;
  void BufferDestroyed(const BufferResource* buffer) override;
  void AddCounters(DeviceCounters* counters) const override;
  void ResetCounters() override { frameDraws_ = 0; }

  Recording recording;

 private:
  uint32_t frameDraws_ = 0;
};

// A device with a width x height X8R8G8B8 back buffer and a 16-bit depth buffer that records
// instead of rendering.
IDirect3DDevice8* CreateRecordingDevice(UINT width, UINT height);
// The recording of a device made by CreateRecordingDevice.
Recording& RecordingOf(IDirect3DDevice8* device);
// The number a recording knows a texture by (RecordedDraw::textureId, destroyedTextures); 0 for
// none.
uint64_t RecordedTextureId(const IDirect3DTexture8* texture);
