#include "platform/d3d8/gl/buffer_cache.h"

#include "platform/d3d8/resource_access.h"

BufferCache::BufferCache(GlStateCache& state, DeviceCounters& counters)
    : state_(state), counters_(counters) {}

BufferCache::~BufferCache() {
  for (const auto& [id, copy] : copies_) Delete(copy);
}

GLuint BufferCache::Current(const BufferResource& buffer, GLenum target) {
  Copy& copy = copies_[ResourceAccess::Id(buffer)];
  if (copy.name == 0) glGenBuffers(1, &copy.name);
  state_.BindBuffer(target, copy.name);
  if (copy.version != ResourceAccess::Version(buffer)) {
    const GLenum usage =
        (ResourceAccess::Usage(buffer) & D3DUSAGE_DYNAMIC) ? GL_DYNAMIC_DRAW : GL_STATIC_DRAW;
    glBufferData(target, ResourceAccess::Size(buffer), ResourceAccess::Bytes(buffer), usage);
    copy.version = ResourceAccess::Version(buffer);
    counters_.bytesUploaded += ResourceAccess::Size(buffer);
  }
  return copy.name;
}

GLuint BufferCache::Forget(uint64_t bufferId) {
  auto found = copies_.find(bufferId);
  if (found == copies_.end()) return 0;
  const GLuint name = found->second.name;
  Delete(found->second);
  copies_.erase(found);
  return name;
}

void BufferCache::Delete(const Copy& copy) {
  state_.ForgetBuffer(copy.name);
  glDeleteBuffers(1, &copy.name);
}
