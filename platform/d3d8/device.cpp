// The device: validates calls and keeps the pipeline state; the backend does the work. Its
// frames (targets, clears, presentation) are in device_frame.cpp.
#include <algorithm>

#include "platform/d3d8.h"
#include "platform/d3d8/device_backend.h"
#include "platform/d3d8/format_info.h"
#include "platform/d3d8/pipeline_state.h"
#include "platform/d3d8/resource_access.h"
#include "platform/d3d8/vertex_format.h"

namespace {

constexpr UINT kMaxTextureSize = 16384;
constexpr UINT kMaxBufferLength = 256u << 20;

// Vertices a primitive count needs, or 0 for an unknown type or no primitives.
uint64_t VerticesFor(D3DPRIMITIVETYPE type, UINT primitives) {
  if (primitives == 0) return 0;
  uint64_t n = primitives;
  switch (type) {
    case D3DPT_POINTLIST:
      return n;
    case D3DPT_LINELIST:
      return 2 * n;
    case D3DPT_LINESTRIP:
      return n + 1;
    case D3DPT_TRIANGLELIST:
      return 3 * n;
    case D3DPT_TRIANGLESTRIP:
    case D3DPT_TRIANGLEFAN:
      return n + 2;
    default:
      return 0;
  }
}

D3DMATRIX* TransformSlot(PipelineState& state, D3DTRANSFORMSTATETYPE type) {
  switch (type) {
    case D3DTS_WORLD:
      return &state.world;
    case D3DTS_VIEW:
      return &state.view;
    case D3DTS_PROJECTION:
      return &state.projection;
    default:
      if (type >= D3DTS_TEXTURE0 && type < D3DTS_TEXTURE0 + kTextureStageCount) {
        return &state.textureTransforms[type - D3DTS_TEXTURE0];
      }
      return nullptr;
  }
}

template <typename T>
void Rebind(T*& slot, T* object) {
  if (object) object->AddRef();
  if (slot) slot->Release();
  slot = object;
}

// Vertices [0, n) of a stream whose last vertex must lie wholly inside size bytes.
uint64_t VerticesIn(UINT size, UINT stride, UINT vertexSize) {
  return size < vertexSize ? 0 : (size - vertexSize) / stride + 1;
}

}  // namespace

// What the device holds on to besides the pipeline state.
struct IDirect3DDevice8::Bindings {
  IDirect3DVertexBuffer8* stream = nullptr;
  UINT stride = 0;
  IDirect3DIndexBuffer8* indices = nullptr;
  UINT baseVertex = 0;
  // The last index range checked, so a static mesh's indices are scanned once.
  uint64_t checkedId = 0;
  uint64_t checkedVersion = 0;
  UINT checkedFirst = 0;
  UINT checkedCount = 0;
  UINT checkedHighest = 0;
};

IDirect3DDevice8::IDirect3DDevice8(IDirect3D8* d3d, std::unique_ptr<DeviceBackend> backend,
                                   const D3DPRESENT_PARAMETERS& parameters, UINT width, UINT height,
                                   void (*onPresent)())
    : d3d_(d3d),
      backend_(std::move(backend)),
      onPresent_(onPresent),
      parameters_(parameters),
      state_(std::make_unique<PipelineState>(parameters.EnableAutoDepthStencil != FALSE)),
      bindings_(std::make_unique<Bindings>()) {
  parameters_.BackBufferWidth = width;
  parameters_.BackBufferHeight = height;
  backBuffer_.reset(
      new IDirect3DSurface8(this, nullptr, 0,
                            SurfaceDesc(parameters.BackBufferFormat, D3DUSAGE_RENDERTARGET,
                                        D3DPOOL_DEFAULT, width, height),
                            false));
  if (parameters.EnableAutoDepthStencil) {
    depthBuffer_.reset(
        new IDirect3DSurface8(this, nullptr, 0,
                              SurfaceDesc(parameters.AutoDepthStencilFormat, D3DUSAGE_DEPTHSTENCIL,
                                          D3DPOOL_DEFAULT, width, height),
                              false));
  }
  state_->viewport = {0, 0, width, height, 0.0f, 1.0f};
  state_->renderTarget = backBuffer_.get();
  state_->depthStencil = depthBuffer_.get();
  backend_->SetDeviceSurfaces(backBuffer_.get(), depthBuffer_.get());
  // The device keeps the Direct3D object alive, whatever order they are released in.
  d3d_->AddRef();
}

IDirect3DDevice8::~IDirect3DDevice8() {
  for (IDirect3DTexture8*& texture : state_->textures) SafeRelease(texture);
  SafeRelease(bindings_->stream);
  SafeRelease(bindings_->indices);
  DropSurface(state_->renderTarget);
  // Resources the program still holds outlive the device; they no longer report to it.
  for (const auto& [texture, bytes] : liveTextures_) ResourceAccess::DetachDevice(*texture);
  for (BufferResource* buffer : liveBuffers_) ResourceAccess::DetachDevice(*buffer);
  backend_.reset();
  d3d_->Release();
}

void IDirect3DDevice8::ResourceDestroyed(const IDirect3DTexture8* texture) {
  const auto live = liveTextures_.find(const_cast<IDirect3DTexture8*>(texture));
  textureBytes_ -= live->second;
  liveTextures_.erase(live);
  backend_->TextureDestroyed(texture);
}

void IDirect3DDevice8::ResourceDestroyed(const BufferResource* buffer) {
  liveBuffers_.erase(const_cast<BufferResource*>(buffer));
  backend_->BufferDestroyed(buffer);
}

// Texture levels bound as targets keep their texture alive; the device's own surfaces are
// part of the device and hold nothing.
void IDirect3DDevice8::HoldSurface(IDirect3DSurface8* surface) {
  if (surface && ResourceAccess::Container(*surface)) surface->AddRef();
}

void IDirect3DDevice8::DropSurface(IDirect3DSurface8* surface) {
  if (surface && ResourceAccess::Container(*surface)) surface->Release();
}

HRESULT IDirect3DDevice8::SetRenderState(D3DRENDERSTATETYPE state, DWORD value) {
  if (!PipelineState::IsRenderState(state)) return D3DERR_INVALIDCALL;
  state_->SetRender(state, value);
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
  state_->SetStage(stage, type, value);
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

HRESULT IDirect3DDevice8::SetTransform(D3DTRANSFORMSTATETYPE type, const D3DMATRIX* matrix) {
  D3DMATRIX* slot = TransformSlot(*state_, type);
  if (!slot || !matrix) return D3DERR_INVALIDCALL;
  *slot = *matrix;
  return D3D_OK;
}

HRESULT IDirect3DDevice8::GetTransform(D3DTRANSFORMSTATETYPE type, D3DMATRIX* matrix) {
  D3DMATRIX* slot = TransformSlot(*state_, type);
  if (!slot || !matrix) return D3DERR_INVALIDCALL;
  *matrix = *slot;
  return D3D_OK;
}

HRESULT IDirect3DDevice8::SetTexture(DWORD stage, IDirect3DTexture8* texture) {
  if (stage >= kTextureStageCount) return D3DERR_INVALIDCALL;
  Rebind(state_->textures[stage], texture);
  return D3D_OK;
}

HRESULT IDirect3DDevice8::SetVertexShader(DWORD fvf) {
  VertexLayout layout;
  if (!DescribeVertexFormat(fvf, &layout)) return D3DERR_INVALIDCALL;
  state_->fvf = fvf;
  return D3D_OK;
}

HRESULT IDirect3DDevice8::SetStreamSource(UINT stream, IDirect3DVertexBuffer8* buffer,
                                          UINT stride) {
  if (stream != 0 || (buffer && stride == 0)) return D3DERR_INVALIDCALL;
  Rebind(bindings_->stream, buffer);
  bindings_->stride = buffer ? stride : 0;
  return D3D_OK;
}

HRESULT IDirect3DDevice8::SetIndices(IDirect3DIndexBuffer8* buffer, UINT baseVertexIndex) {
  Rebind(bindings_->indices, buffer);
  bindings_->baseVertex = baseVertexIndex;
  return D3D_OK;
}

HRESULT IDirect3DDevice8::SetViewport(const D3DVIEWPORT8* viewport) {
  if (!viewport) return D3DERR_INVALIDCALL;
  const D3DSURFACE_DESC& target = ResourceAccess::Desc(*state_->renderTarget);
  uint64_t right = uint64_t{viewport->X} + viewport->Width;
  uint64_t bottom = uint64_t{viewport->Y} + viewport->Height;
  if (viewport->Width == 0 || viewport->Height == 0 || right > target.Width ||
      bottom > target.Height ||
      !(viewport->MinZ >= 0.0f && viewport->MinZ <= viewport->MaxZ && viewport->MaxZ <= 1.0f)) {
    return D3DERR_INVALIDCALL;
  }
  state_->viewport = *viewport;
  return D3D_OK;
}

HRESULT IDirect3DDevice8::GetViewport(D3DVIEWPORT8* viewport) {
  if (!viewport) return D3DERR_INVALIDCALL;
  *viewport = state_->viewport;
  return D3D_OK;
}

// The size of one vertex of the current format, if a stride of that many bytes can hold it.
bool IDirect3DDevice8::VertexSize(UINT stride, UINT* size) const {
  VertexLayout layout;
  if (!DescribeVertexFormat(state_->fvf, &layout) || stride < layout.size) return false;
  *size = layout.size;
  return true;
}

HRESULT IDirect3DDevice8::Submit(DrawCall& call, D3DPRIMITIVETYPE type, UINT primitiveCount,
                                 UINT stride) {
  call.type = type;
  call.primitiveCount = primitiveCount;
  call.fvf = state_->fvf;
  call.stride = stride;
  call.state = state_.get();
  ++frameCounters_.draws;
  backend_->Draw(call);
  return D3D_OK;
}

HRESULT IDirect3DDevice8::DrawPrimitive(D3DPRIMITIVETYPE type, UINT startVertex,
                                        UINT primitiveCount) {
  uint64_t count = VerticesFor(type, primitiveCount);
  IDirect3DVertexBuffer8* buffer = bindings_->stream;
  UINT stride = bindings_->stride;
  UINT vertexSize = 0;
  if (!inScene_ || count == 0 || !buffer || !VertexSize(stride, &vertexSize) ||
      startVertex + count > VerticesIn(ResourceAccess::Size(*buffer), stride, vertexSize)) {
    return D3DERR_INVALIDCALL;
  }
  DrawCall call;
  call.vertices = {buffer, ResourceAccess::Bytes(*buffer), ResourceAccess::Size(*buffer)};
  call.firstVertex = startVertex;
  call.vertexCount = static_cast<UINT>(count);
  return Submit(call, type, primitiveCount, stride);
}

bool IDirect3DDevice8::IndicesInRange(UINT firstIndex, UINT indexCount, UINT vertexLimit,
                                      UINT* vertexCount) {
  Bindings& b = *bindings_;
  const IDirect3DIndexBuffer8* buffer = b.indices;
  bool known = b.checkedId == ResourceAccess::Id(*buffer) &&
               b.checkedVersion == ResourceAccess::Version(*buffer) &&
               b.checkedFirst == firstIndex && b.checkedCount == indexCount;
  if (!known) {
    const uint8_t* bytes = ResourceAccess::Bytes(*buffer) + size_t{firstIndex} * 2;
    UINT highest = 0;
    for (UINT i = 0; i < indexCount; ++i) {
      highest = std::max<UINT>(highest, bytes[2 * i] | (bytes[2 * i + 1] << 8));
    }
    b.checkedId = ResourceAccess::Id(*buffer);
    b.checkedVersion = ResourceAccess::Version(*buffer);
    b.checkedFirst = firstIndex;
    b.checkedCount = indexCount;
    b.checkedHighest = highest;
  }
  *vertexCount = b.checkedHighest + 1;
  return b.checkedHighest < vertexLimit;
}

HRESULT IDirect3DDevice8::DrawIndexedPrimitive(D3DPRIMITIVETYPE type, UINT /*minIndex*/,
                                               UINT /*numVertices*/, UINT startIndex,
                                               UINT primitiveCount) {
  uint64_t count = VerticesFor(type, primitiveCount);
  IDirect3DVertexBuffer8* vertices = bindings_->stream;
  IDirect3DIndexBuffer8* indices = bindings_->indices;
  UINT stride = bindings_->stride;
  UINT base = bindings_->baseVertex;
  UINT vertexSize = 0;
  if (!inScene_ || count == 0 || !vertices || !indices || !VertexSize(stride, &vertexSize) ||
      startIndex + count > ResourceAccess::Size(*indices) / 2) {
    return D3DERR_INVALIDCALL;
  }
  uint64_t available = VerticesIn(ResourceAccess::Size(*vertices), stride, vertexSize);
  UINT used = 0;
  // The minimum index and vertex count are only hints: every index is checked instead.
  if (base >= available || !IndicesInRange(startIndex, static_cast<UINT>(count),
                                           static_cast<UINT>(available - base), &used)) {
    return D3DERR_INVALIDCALL;
  }
  DrawCall call;
  call.vertices = {vertices, ResourceAccess::Bytes(*vertices), ResourceAccess::Size(*vertices)};
  call.firstVertex = base;
  call.vertexCount = used;
  call.indices = {indices, ResourceAccess::Bytes(*indices), ResourceAccess::Size(*indices)};
  call.firstIndex = startIndex;
  call.indexCount = static_cast<UINT>(count);
  return Submit(call, type, primitiveCount, stride);
}

HRESULT IDirect3DDevice8::DrawPrimitiveUP(D3DPRIMITIVETYPE type, UINT primitiveCount,
                                          const void* vertices, UINT stride) {
  uint64_t count = VerticesFor(type, primitiveCount);
  UINT vertexSize = 0;
  if (!inScene_ || count == 0 || !vertices || !VertexSize(stride, &vertexSize) ||
      (count - 1) * stride + vertexSize > kMaxBufferLength) {
    return D3DERR_INVALIDCALL;
  }
  DrawCall call;
  call.vertices = {nullptr, static_cast<const uint8_t*>(vertices),
                   static_cast<UINT>((count - 1) * stride + vertexSize)};
  call.vertexCount = static_cast<UINT>(count);
  HRESULT result = Submit(call, type, primitiveCount, stride);
  // As in Direct3D, the stream source is unset afterwards.
  SetStreamSource(0, nullptr, 0);
  return result;
}

HRESULT IDirect3DDevice8::CreateTexture(UINT width, UINT height, UINT levels, DWORD usage,
                                        D3DFORMAT format, D3DPOOL pool,
                                        IDirect3DTexture8** texture) {
  bool renderTarget = usage == D3DUSAGE_RENDERTARGET;
  UINT fullChain = FullMipChain(width, height);
  // Render targets are single images in video memory.
  bool valid =
      texture && width > 0 && height > 0 && width <= kMaxTextureSize && height <= kMaxTextureSize &&
      levels <= fullChain && (usage == 0 || renderTarget) && pool != D3DPOOL_SCRATCH &&
      (renderTarget ? IsRenderTargetFormat(format) && pool == D3DPOOL_DEFAULT && levels <= 1
                    : IsTextureFormat(format));
  if (!valid) return D3DERR_INVALIDCALL;
  if (levels == 0) levels = fullChain;
  const uint64_t bytes = TextureBytes(width, height, levels, format);
  if (bytes > GetAvailableTextureMem()) return D3DERR_OUTOFVIDEOMEMORY;
  *texture = new IDirect3DTexture8(this, width, height, levels, usage, format, pool);
  liveTextures_.emplace(*texture, bytes);
  textureBytes_ += bytes;
  return D3D_OK;
}

UINT IDirect3DDevice8::GetAvailableTextureMem() {
  return static_cast<UINT>(kTextureMemoryBytes - textureBytes_);
}

HRESULT IDirect3DDevice8::CreateVertexBuffer(UINT length, DWORD usage, DWORD fvf, D3DPOOL pool,
                                             IDirect3DVertexBuffer8** buffer) {
  const DWORD known = D3DUSAGE_WRITEONLY | D3DUSAGE_DYNAMIC | D3DUSAGE_POINTS |
                      D3DUSAGE_SOFTWAREPROCESSING | D3DUSAGE_DONOTCLIP;
  VertexLayout layout;
  if (!buffer || length == 0 || length > kMaxBufferLength || (usage & ~known) != 0 ||
      pool == D3DPOOL_SCRATCH || (fvf != 0 && !DescribeVertexFormat(fvf, &layout))) {
    return D3DERR_INVALIDCALL;
  }
  *buffer = new IDirect3DVertexBuffer8(this, length, usage);
  liveBuffers_.insert(*buffer);
  return D3D_OK;
}

HRESULT IDirect3DDevice8::CreateIndexBuffer(UINT length, DWORD usage, D3DFORMAT format,
                                            D3DPOOL pool, IDirect3DIndexBuffer8** buffer) {
  const DWORD known =
      D3DUSAGE_WRITEONLY | D3DUSAGE_DYNAMIC | D3DUSAGE_SOFTWAREPROCESSING | D3DUSAGE_DONOTCLIP;
  if (!buffer || length < 2 || length > kMaxBufferLength || (usage & ~known) != 0 ||
      pool == D3DPOOL_SCRATCH) {
    return D3DERR_INVALIDCALL;
  }
  if (format != D3DFMT_INDEX16) return D3DERR_NOTAVAILABLE;  // 16-bit indices only
  *buffer = new IDirect3DIndexBuffer8(this, length, usage);
  liveBuffers_.insert(*buffer);
  return D3D_OK;
}
