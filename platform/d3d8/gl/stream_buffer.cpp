#include "platform/d3d8/gl/stream_buffer.h"

#include <algorithm>

namespace {

constexpr size_t kInitialCapacity = size_t{1} << 20;
// Every write starts at a multiple of this, so float attributes stay aligned.
constexpr size_t kAlignment = 16;

}  // namespace

StreamBuffer::StreamBuffer(GlStateCache& state, DeviceCounters& counters)
    : state_(state), counters_(counters) {
  glGenBuffers(1, &buffer_);
  Orphan(kInitialCapacity);
}

StreamBuffer::~StreamBuffer() {
  state_.ForgetBuffer(buffer_);
  glDeleteBuffers(1, &buffer_);
}

GLintptr StreamBuffer::Write(const void* data, size_t size) {
  size_t start = (cursor_ + kAlignment - 1) / kAlignment * kAlignment;
  if (start + size > capacity_) {
    Orphan(std::max(capacity_, size * 2));
    start = 0;
  } else {
    state_.BindBuffer(GL_ARRAY_BUFFER, buffer_);
  }
  glBufferSubData(GL_ARRAY_BUFFER, static_cast<GLintptr>(start), static_cast<GLsizeiptr>(size),
                  data);
  cursor_ = start + size;
  counters_.bytesUploaded += size;
  return static_cast<GLintptr>(start);
}

void StreamBuffer::Orphan(size_t capacity) {
  state_.BindBuffer(GL_ARRAY_BUFFER, buffer_);
  glBufferData(GL_ARRAY_BUFFER, static_cast<GLsizeiptr>(capacity), nullptr, GL_STREAM_DRAW);
  capacity_ = capacity;
  cursor_ = 0;
}
