#include "platform/d3d8.h"
#include "platform/d3d8/format_info.h"

IDirect3DSurface8::IDirect3DSurface8(IUnknown* owner, IDirect3DTexture8* texture, UINT level,
                                     const D3DSURFACE_DESC& desc, bool lockable)
    : owner_(owner), texture_(texture), level_(level), desc_(desc) {
  if (lockable) {
    pitch_ = desc.Width * BytesPerPixel(desc.Format);
    bits_.assign(size_t{pitch_} * desc.Height, 0);
  }
  desc_.Size = static_cast<UINT>(bits_.size());
}

// A surface lives as long as the object it belongs to: its references are that object's.
ULONG IDirect3DSurface8::AddRef() {
  return owner_->AddRef();
}

ULONG IDirect3DSurface8::Release() {
  return owner_->Release();
}

HRESULT IDirect3DSurface8::GetDesc(D3DSURFACE_DESC* desc) {
  if (!desc) return D3DERR_INVALIDCALL;
  *desc = desc_;
  return D3D_OK;
}

HRESULT IDirect3DSurface8::LockRect(D3DLOCKED_RECT* locked, const RECT* rect, DWORD flags) {
  if (!locked || bits_.empty() || locked_) return D3DERR_INVALIDCALL;
  RECT whole{0, 0, static_cast<LONG>(desc_.Width), static_cast<LONG>(desc_.Height)};
  const RECT& r = rect ? *rect : whole;
  if (r.left < 0 || r.top < 0 || r.left >= r.right || r.top >= r.bottom || r.right > whole.right ||
      r.bottom > whole.bottom) {
    return D3DERR_INVALIDCALL;
  }
  locked->Pitch = static_cast<int32_t>(pitch_);
  locked->pBits = bits_.data() + size_t{pitch_} * static_cast<size_t>(r.top) +
                  size_t{BytesPerPixel(desc_.Format)} * static_cast<size_t>(r.left);
  locked_ = true;
  readOnlyLock_ = (flags & D3DLOCK_READONLY) != 0;
  return D3D_OK;
}

HRESULT IDirect3DSurface8::UnlockRect() {
  if (!locked_) return D3DERR_INVALIDCALL;
  locked_ = false;
  if (!readOnlyLock_) ++version_;
  return D3D_OK;
}
