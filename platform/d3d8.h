#pragma once
// The Direct3D 8-style interfaces the program calls, with Direct3D 8's names; their types and
// constants are in platform/d3d8_types.h. The device keeps its pipeline state in plain C++ and
// hands the work to a backend (OpenGL in platform/d3d8/gl/).
#include <cstdint>
#include <memory>
#include <unordered_map>
#include <unordered_set>
#include <vector>

#include "platform/d3d8_types.h"

// Reference counting as COM does it: objects start at one and are freed at zero. Parts of a
// larger object (a texture's levels, the device's back buffer) count on their owner instead.
class IUnknown {
 public:
  virtual ULONG AddRef();
  virtual ULONG Release();

 protected:
  IUnknown() = default;
  virtual ~IUnknown() = default;
  IUnknown(const IUnknown&) = delete;
  IUnknown& operator=(const IUnknown&) = delete;

 private:
  ULONG refCount_ = 1;
};

// Releases an interface the caller holds, if any, and forgets it.
template <typename T>
void SafeRelease(T*& object) {
  if (object) object->Release();
  object = nullptr;
}

class DeviceBackend;
struct DrawCall;
struct PipelineState;
class IDirect3DDevice8;
class IDirect3DTexture8;

class IDirect3D8 : public IUnknown {
 public:
  HRESULT GetAdapterDisplayMode(UINT adapter, D3DDISPLAYMODE* mode);
  HRESULT CheckDeviceFormat(UINT adapter, D3DDEVTYPE deviceType, D3DFORMAT adapterFormat,
                            DWORD usage, D3DRESOURCETYPE resourceType, D3DFORMAT checkFormat);
  HRESULT CreateDevice(UINT adapter, D3DDEVTYPE deviceType, HWND focusWindow, DWORD behaviorFlags,
                       D3DPRESENT_PARAMETERS* presentationParameters, IDirect3DDevice8** device);
};

// A 2D image: a texture level, the back buffer or the depth buffer. Only texture levels of
// lockable textures hold a CPU copy, in Direct3D's memory layout.
class IDirect3DSurface8 : public IUnknown {
 public:
  ULONG AddRef() override;
  ULONG Release() override;
  HRESULT GetDesc(D3DSURFACE_DESC* desc);
  HRESULT LockRect(D3DLOCKED_RECT* locked, const RECT* rect, DWORD flags);
  HRESULT UnlockRect();

 private:
  friend class IDirect3DTexture8;
  friend class IDirect3DDevice8;
  friend class ResourceAccess;
  IDirect3DSurface8(IUnknown* owner, IDirect3DTexture8* texture, UINT level,
                    const D3DSURFACE_DESC& desc, bool lockable);

  IUnknown* owner_;
  IDirect3DTexture8* texture_;
  UINT level_;
  D3DSURFACE_DESC desc_;
  UINT pitch_ = 0;
  std::vector<uint8_t> bits_;
  bool locked_ = false;
  bool readOnlyLock_ = false;
  uint64_t version_ = 1;
};

class IDirect3DTexture8 : public IUnknown {
 public:
  DWORD GetLevelCount();
  HRESULT GetLevelDesc(UINT level, D3DSURFACE_DESC* desc);
  HRESULT GetSurfaceLevel(UINT level, IDirect3DSurface8** surface);
  HRESULT LockRect(UINT level, D3DLOCKED_RECT* locked, const RECT* rect, DWORD flags);
  HRESULT UnlockRect(UINT level);

 private:
  friend class IDirect3DDevice8;
  friend class ResourceAccess;
  IDirect3DTexture8(IDirect3DDevice8* device, UINT width, UINT height, UINT levels, DWORD usage,
                    D3DFORMAT format, D3DPOOL pool);
  ~IDirect3DTexture8() override;

  IDirect3DDevice8* device_;
  DWORD usage_;
  D3DFORMAT format_;
  uint64_t id_;
  std::vector<std::unique_ptr<IDirect3DSurface8>> levels_;
};

// Vertex and index buffers keep their contents on the CPU; backends copy them when they change.
class BufferResource : public IUnknown {
 public:
  HRESULT Lock(UINT offset, UINT size, BYTE** data, DWORD flags);
  HRESULT Unlock();

 protected:
  BufferResource(IDirect3DDevice8* device, UINT length, DWORD usage);
  ~BufferResource() override;

 private:
  friend class ResourceAccess;
  IDirect3DDevice8* device_;
  DWORD usage_;
  uint64_t id_;
  std::vector<uint8_t> bytes_;
  bool locked_ = false;
  bool readOnlyLock_ = false;
  uint64_t version_ = 1;
};

// Vertices are read by the format set at the draw, indices are always 16-bit: neither buffer
// keeps what it was created with.
class IDirect3DVertexBuffer8 : public BufferResource {
 private:
  friend class IDirect3DDevice8;
  using BufferResource::BufferResource;
};

class IDirect3DIndexBuffer8 : public BufferResource {
 private:
  friend class IDirect3DDevice8;
  using BufferResource::BufferResource;
};

class IDirect3DDevice8 : public IUnknown {
 public:
  HRESULT SetRenderState(D3DRENDERSTATETYPE state, DWORD value);
  HRESULT GetRenderState(D3DRENDERSTATETYPE state, DWORD* value);
  HRESULT SetTextureStageState(DWORD stage, D3DTEXTURESTAGESTATETYPE type, DWORD value);
  HRESULT GetTextureStageState(DWORD stage, D3DTEXTURESTAGESTATETYPE type, DWORD* value);
  HRESULT SetTransform(D3DTRANSFORMSTATETYPE state, const D3DMATRIX* matrix);
  HRESULT GetTransform(D3DTRANSFORMSTATETYPE state, D3DMATRIX* matrix);
  HRESULT SetTexture(DWORD stage, IDirect3DTexture8* texture);
  HRESULT SetVertexShader(DWORD fvf);
  HRESULT SetStreamSource(UINT stream, IDirect3DVertexBuffer8* buffer, UINT stride);
  HRESULT SetIndices(IDirect3DIndexBuffer8* buffer, UINT baseVertexIndex);
  HRESULT SetViewport(const D3DVIEWPORT8* viewport);
  HRESULT GetViewport(D3DVIEWPORT8* viewport);

  HRESULT DrawPrimitive(D3DPRIMITIVETYPE type, UINT startVertex, UINT primitiveCount);
  HRESULT DrawIndexedPrimitive(D3DPRIMITIVETYPE type, UINT minIndex, UINT numVertices,
                               UINT startIndex, UINT primitiveCount);
  HRESULT DrawPrimitiveUP(D3DPRIMITIVETYPE type, UINT primitiveCount, const void* vertices,
                          UINT stride);

  // Fails with D3DERR_OUTOFVIDEOMEMORY when the texture would pass kTextureMemoryBytes.
  HRESULT CreateTexture(UINT width, UINT height, UINT levels, DWORD usage, D3DFORMAT format,
                        D3DPOOL pool, IDirect3DTexture8** texture);
  // Bytes of texture memory left: what textures still alive leave of kTextureMemoryBytes.
  UINT GetAvailableTextureMem();
  HRESULT CreateVertexBuffer(UINT length, DWORD usage, DWORD fvf, D3DPOOL pool,
                             IDirect3DVertexBuffer8** buffer);
  HRESULT CreateIndexBuffer(UINT length, DWORD usage, D3DFORMAT format, D3DPOOL pool,
                            IDirect3DIndexBuffer8** buffer);
  HRESULT GetRenderTarget(IDirect3DSurface8** surface);
  HRESULT GetDepthStencilSurface(IDirect3DSurface8** surface);
  HRESULT SetRenderTarget(IDirect3DSurface8* renderTarget, IDirect3DSurface8* depthStencil);

  HRESULT Clear(DWORD count, const D3DRECT* rects, DWORD flags, D3DCOLOR color, float z,
                DWORD stencil);
  HRESULT BeginScene();
  HRESULT EndScene();
  HRESULT Present(const void* sourceRect, const void* destRect, HWND destWindowOverride,
                  const RGNDATA* dirtyRegion);

  // Extensions: what the last Present showed, and what the last presented frame cost.
  HRESULT ReadBackBuffer(BackBufferImage* image);
  HRESULT GetCounters(DeviceCounters* counters);

 private:
  friend class IDirect3D8;
  friend class ResourceAccess;
  friend IDirect3DDevice8* CreateRecordingDevice(UINT width, UINT height);
  IDirect3DDevice8(IDirect3D8* d3d, std::unique_ptr<DeviceBackend> backend,
                   const D3DPRESENT_PARAMETERS& parameters, UINT width, UINT height,
                   void (*onPresent)());
  ~IDirect3DDevice8() override;

  struct Bindings;
  void ResourceDestroyed(const IDirect3DTexture8* texture);
  void ResourceDestroyed(const BufferResource* buffer);
  void HoldSurface(IDirect3DSurface8* surface);
  void DropSurface(IDirect3DSurface8* surface);
  bool IndicesInRange(UINT firstIndex, UINT indexCount, UINT vertexLimit, UINT* vertexCount);
  bool VertexSize(UINT stride, UINT* size) const;
  HRESULT Submit(DrawCall& call, D3DPRIMITIVETYPE type, UINT primitiveCount, UINT stride);

  IDirect3D8* d3d_;
  std::unique_ptr<DeviceBackend> backend_;
  void (*onPresent_)();  // what else a presented frame moves on, or null
  D3DPRESENT_PARAMETERS parameters_;
  std::unique_ptr<IDirect3DSurface8> backBuffer_;
  std::unique_ptr<IDirect3DSurface8> depthBuffer_;
  std::unique_ptr<PipelineState> state_;
  std::unique_ptr<Bindings> bindings_;
  bool inScene_ = false;
  DeviceCounters frameCounters_;
  DeviceCounters lastFrameCounters_;
  // Found by address, so that releasing one of many thousands costs no search.
  std::unordered_map<IDirect3DTexture8*, uint64_t> liveTextures_;  // with the memory each takes
  std::unordered_set<BufferResource*> liveBuffers_;
  uint64_t textureBytes_ = 0;
};

IDirect3D8* Direct3DCreate8(UINT sdkVersion);
