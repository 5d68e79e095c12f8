#include "platform/d3d8/resource_access.h"

#include <atomic>

uint64_t ResourceAccess::NextResourceId() {
  static std::atomic<uint64_t> next{1};
  return next++;
}
