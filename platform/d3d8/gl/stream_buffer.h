#pragma once
// One GL buffer that the vertices of DrawPrimitiveUP calls, merged draws and point lists are
// appended to. When it is full the next write orphans it (GL hands out fresh storage while
// draws still read the old) and starts again from the front; it only ever grows, so
// consecutive draws cost no allocation.
#include <epoxy/gl.h>

#include "platform/d3d8.h"
#include "platform/d3d8/gl/gl_state_cache.h"

class StreamBuffer {
 public:
  StreamBuffer(GlStateCache& state, DeviceCounters& counters);
  ~StreamBuffer();
  StreamBuffer(const StreamBuffer&) = delete;
  StreamBuffer& operator=(const StreamBuffer&) = delete;

  // Copies size bytes in and returns their offset; the buffer is left bound to GL_ARRAY_BUFFER.
  GLintptr Write(const void* data, size_t size);
  GLuint Name() const { return buffer_; }

 private:
  void Orphan(size_t capacity);

  GlStateCache& state_;
  DeviceCounters& counters_;
  GLuint buffer_ = 0;
  size_t capacity_ = 0;
  size_t cursor_ = 0;
};
