#include "platform/d3d8.h"
#include "platform/d3d8/resource_access.h"

BufferResource::BufferResource(IDirect3DDevice8* device, UINT length, DWORD usage)
    : device_(device), usage_(usage), id_(ResourceAccess::NextResourceId()), bytes_(length) {}

BufferResource::~BufferResource() {
  if (device_) ResourceAccess::Destroyed(*device_, this);
}

HRESULT BufferResource::Lock(UINT offset, UINT size, BYTE** data, DWORD flags) {
  if (!data || locked_) return D3DERR_INVALIDCALL;
  uint64_t length = bytes_.size();
  uint64_t end = size == 0 ? length : uint64_t{offset} + size;  // size 0: to the end
  if (offset >= length || end > length) return D3DERR_INVALIDCALL;
  *data = bytes_.data() + offset;
  locked_ = true;
  readOnlyLock_ = (flags & D3DLOCK_READONLY) != 0;
  return D3D_OK;
}

HRESULT BufferResource::Unlock() {
  if (!locked_) return D3DERR_INVALIDCALL;
  locked_ = false;
  if (!readOnlyLock_) ++version_;
  return D3D_OK;
}
