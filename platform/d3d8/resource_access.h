#pragma once
// What the device and its backends see of resources below the Direct3D interface: a texture's
// levels, a surface's texels, a buffer's bytes, the numbers copies are keyed on, and the calls by
// which resources and the device tell each other they go away. The interfaces keep all of this
// private, with this class as their one friend, so the program sees only Direct3D 8's calls.
#include <cstdint>

#include "platform/d3d8.h"

class ResourceAccess {
 public:
  // Surfaces: texture levels, the back buffer and the depth buffer.
  static IDirect3DTexture8* Container(const IDirect3DSurface8& s) { return s.texture_; }
  static UINT Level(const IDirect3DSurface8& s) { return s.level_; }
  static const D3DSURFACE_DESC& Desc(const IDirect3DSurface8& s) { return s.desc_; }
  static UINT Pitch(const IDirect3DSurface8& s) { return s.pitch_; }
  static const uint8_t* Bits(const IDirect3DSurface8& s) { return s.bits_.data(); }
  // Bumped by every unlock: a backend's copy is stale when it differs.
  static uint64_t Version(const IDirect3DSurface8& s) { return s.version_; }

  static const IDirect3DSurface8& LevelSurface(const IDirect3DTexture8& t, UINT level) {
    return *t.levels_[level];
  }
  static bool IsRenderTarget(const IDirect3DTexture8& t) {
    return (t.usage_ & D3DUSAGE_RENDERTARGET) != 0;
  }
  static D3DFORMAT Format(const IDirect3DTexture8& t) { return t.format_; }
  // A number no other texture (or buffer) of this run has: backends key their copies on it.
  static uint64_t Id(const IDirect3DTexture8& t) { return t.id_; }

  static const uint8_t* Bytes(const BufferResource& b) { return b.bytes_.data(); }
  static UINT Size(const BufferResource& b) { return static_cast<UINT>(b.bytes_.size()); }
  static DWORD Usage(const BufferResource& b) { return b.usage_; }
  static uint64_t Id(const BufferResource& b) { return b.id_; }
  static uint64_t Version(const BufferResource& b) { return b.version_; }

  // The device is going away first: the resource lives on without it.
  static void DetachDevice(IDirect3DTexture8& t) { t.device_ = nullptr; }
  static void DetachDevice(BufferResource& b) { b.device_ = nullptr; }
  // A resource is going away: the device forgets it and tells its backend.
  template <typename Resource>
  static void Destroyed(IDirect3DDevice8& device, const Resource* resource) {
    device.ResourceDestroyed(resource);
  }
  static DeviceBackend& Backend(IDirect3DDevice8& device) { return *device.backend_; }
  static uint64_t NextResourceId();
};
