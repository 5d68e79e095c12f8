#pragma once
// GL copies of vertex and index buffers, keyed by the buffer's id and brought up to date when
// its version moves on (a dynamic buffer refilled every frame is sent again every frame).
#include <epoxy/gl.h>

#include <unordered_map>

#include "platform/d3d8.h"
#include "platform/d3d8/gl/gl_state_cache.h"

class BufferCache {
 public:
  BufferCache(GlStateCache& state, DeviceCounters& counters);
  ~BufferCache();
  BufferCache(const BufferCache&) = delete;
  BufferCache& operator=(const BufferCache&) = delete;

  // The buffer's GL copy, current and bound to target (GL_ARRAY_BUFFER for vertices,
  // GL_ELEMENT_ARRAY_BUFFER for indices; a buffer is always used as the same kind).
  GLuint Current(const BufferResource& buffer, GLenum target);
  // Deletes the buffer's copy and returns the GL name it had (0 if there was none).
  GLuint Forget(uint64_t bufferId);

 private:
  struct Copy {
    GLuint name = 0;
    uint64_t version = 0;
  };

  void Delete(const Copy& copy);

  GlStateCache& state_;
  DeviceCounters& counters_;
  std::unordered_map<uint64_t, Copy> copies_;
};
