#include <algorithm>

#include "platform/d3d8.h"
#include "platform/d3d8/format_info.h"
#include "platform/d3d8/resource_access.h"

IDirect3DTexture8::IDirect3DTexture8(IDirect3DDevice8* device, UINT width, UINT height, UINT levels,
                                     DWORD usage, D3DFORMAT format, D3DPOOL pool)
    : device_(device), usage_(usage), format_(format), id_(ResourceAccess::NextResourceId()) {
  // Render targets live on the GPU only; everything else keeps a CPU copy to lock.
  bool lockable = (usage & D3DUSAGE_RENDERTARGET) == 0;
  for (UINT level = 0; level < levels; ++level) {
    D3DSURFACE_DESC desc = SurfaceDesc(format, usage, pool, std::max(width >> level, 1u),
                                       std::max(height >> level, 1u));
    levels_.emplace_back(new IDirect3DSurface8(this, this, level, desc, lockable));
  }
}

IDirect3DTexture8::~IDirect3DTexture8() {
  if (device_) ResourceAccess::Destroyed(*device_, this);
}

DWORD IDirect3DTexture8::GetLevelCount() {
  return static_cast<DWORD>(levels_.size());
}

HRESULT IDirect3DTexture8::GetLevelDesc(UINT level, D3DSURFACE_DESC* desc) {
  if (level >= levels_.size()) return D3DERR_INVALIDCALL;
  return levels_[level]->GetDesc(desc);
}

HRESULT IDirect3DTexture8::GetSurfaceLevel(UINT level, IDirect3DSurface8** surface) {
  if (!surface || level >= levels_.size()) return D3DERR_INVALIDCALL;
  *surface = levels_[level].get();
  AddRef();
  return D3D_OK;
}

HRESULT IDirect3DTexture8::LockRect(UINT level, D3DLOCKED_RECT* locked, const RECT* rect,
                                    DWORD flags) {
  if (level >= levels_.size()) return D3DERR_INVALIDCALL;
  return levels_[level]->LockRect(locked, rect, flags);
}

HRESULT IDirect3DTexture8::UnlockRect(UINT level) {
  if (level >= levels_.size()) return D3DERR_INVALIDCALL;
  return levels_[level]->UnlockRect();
}
