// The reference count every interface object keeps (declared in platform/d3d8.h).
#include "platform/d3d8.h"

ULONG IUnknown::AddRef() {
  return ++refCount_;
}

ULONG IUnknown::Release() {
  ULONG remaining = --refCount_;
  if (remaining == 0) delete this;
  return remaining;
}
