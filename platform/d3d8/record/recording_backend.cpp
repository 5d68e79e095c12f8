#include "platform/d3d8/record/recording_backend.h"

#include <algorithm>

#include "platform/d3d8/resource_access.h"

RecordedDraw::RecordedDraw(const DrawCall& call)
    : type(call.type),
      primitiveCount(call.primitiveCount),
      fvf(call.fvf),
      stride(call.stride),
      indexed(call.indices.data != nullptr),
      userPointer(call.vertices.buffer == nullptr),
      firstVertex(call.firstVertex),
      vertexCount(call.vertexCount),
      state(*call.state),
      textureId(call.state->textures[0] ? ResourceAccess::Id(*call.state->textures[0]) : 0) {
  // The last vertex need not fill a whole stride.
  size_t begin = size_t{call.firstVertex} * call.stride;
  size_t end = std::min<size_t>(begin + size_t{call.vertexCount} * call.stride, call.vertices.size);
  vertexBytes.assign(call.vertices.data + begin, call.vertices.data + end);
  vertexBytes.resize(size_t{call.vertexCount} * call.stride);
  if (indexed) {
    const uint8_t* first = call.indices.data + size_t{call.firstIndex} * 2;
    for (UINT i = 0; i < call.indexCount; ++i) {
      indices.push_back(static_cast<uint16_t>(first[2 * i] | (first[2 * i + 1] << 8)));
    }
  }
}

void RecordingBackend::Clear(const PipelineState& state, const D3DRECT& area, DWORD flags,
                             D3DCOLOR color, float z) {
  recording.events.push_back({RecordedEvent::kClear, recording.clears.size()});
  recording.clears.push_back({area, flags, color, z, state.renderTarget});
}

void RecordingBackend::Draw(const DrawCall& call) {
  recording.events.push_back({RecordedEvent::kDraw, recording.draws.size()});
  recording.draws.emplace_back(call);
  ++frameDraws_;
}

void RecordingBackend::RenderTargetChanged(const IDirect3DSurface8* renderTarget,
                                           const IDirect3DSurface8* /*depthStencil*/) {
  recording.events.push_back({RecordedEvent::kTargetSwitch, recording.targetSwitches.size()});
  recording.targetSwitches.push_back(renderTarget);
}

void RecordingBackend::Present() {
  recording.events.push_back({RecordedEvent::kPresent, static_cast<size_t>(recording.presents)});
  ++recording.presents;
}

bool RecordingBackend::ReadBackBuffer(BackBufferImage* /*image*/) {
  return false;
}

void RecordingBackend::TextureDestroyed(const IDirect3DTexture8* texture) {
  recording.destroyedTextures.push_back(ResourceAccess::Id(*texture));
}

void RecordingBackend::BufferDestroyed(const BufferResource* buffer) {
  recording.destroyedBuffers.push_back(ResourceAccess::Id(*buffer));
}

void RecordingBackend::AddCounters(DeviceCounters* counters) const {
  counters->backendDraws += frameDraws_;
}

IDirect3DDevice8* CreateRecordingDevice(UINT width, UINT height) {
  D3DPRESENT_PARAMETERS pp{};
  pp.BackBufferWidth = width;
  pp.BackBufferHeight = height;
  pp.BackBufferFormat = D3DFMT_X8R8G8B8;
  pp.BackBufferCount = 1;
  pp.SwapEffect = D3DSWAPEFFECT_COPY;
  pp.Windowed = TRUE;
  pp.EnableAutoDepthStencil = TRUE;
  pp.AutoDepthStencilFormat = D3DFMT_D16;
  IDirect3D8* d3d = new IDirect3D8();
  auto* device =
      new IDirect3DDevice8(d3d, std::make_unique<RecordingBackend>(), pp, width, height, nullptr);
  d3d->Release();  // the device holds its own reference
  return device;
}

Recording& RecordingOf(IDirect3DDevice8* device) {
  return static_cast<RecordingBackend&>(ResourceAccess::Backend(*device)).recording;
}

uint64_t RecordedTextureId(const IDirect3DTexture8* texture) {
  return texture ? ResourceAccess::Id(*texture) : 0;
}
