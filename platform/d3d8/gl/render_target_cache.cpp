#include "platform/d3d8/gl/render_target_cache.h"

#include <algorithm>

#include "platform/d3d8/gl/texel_converter.h"
#include "platform/d3d8/resource_access.h"

RenderTargetCache::RenderTargetCache(GlStateCache& state, TextureCache& textures)
    : state_(state), textures_(textures) {}

RenderTargetCache::~RenderTargetCache() {
  for (const auto& [key, framebuffer] : framebuffers_) {
    state_.ForgetFramebuffer(framebuffer);
    glDeleteFramebuffers(1, &framebuffer);
  }
  state_.ForgetFramebuffer(resolveFramebuffer_);
  glDeleteFramebuffers(1, &resolveFramebuffer_);
  for (GLuint buffer : {colorBuffer_, depthBuffer_, resolveBuffer_, textureDepthBuffer_}) {
    glDeleteRenderbuffers(1, &buffer);
  }
}

bool RenderTargetCache::CreateDeviceBuffers(const BackBufferSpec& spec, UINT width, UINT height,
                                            std::string* error) {
  colorFormat_ = static_cast<GLenum>(TexelConverter::TargetFormat(spec.colorFormat).internalFormat);
  if (spec.depthFormat != D3DFMT_UNKNOWN) {
    const bool stencil = spec.depthFormat == D3DFMT_D24S8;
    depthFormat_ = stencil ? GL_DEPTH24_STENCIL8 : GL_DEPTH_COMPONENT16;
    depthAttachment_ = stencil ? GL_DEPTH_STENCIL_ATTACHMENT : GL_DEPTH_ATTACHMENT;
  }
  GLint maxSamples = 0;
  glGetIntegerv(GL_MAX_SAMPLES, &maxSamples);
  samples_ = std::min(static_cast<GLsizei>(spec.samples), static_cast<GLsizei>(maxSamples));
  logicalWidth_ = static_cast<GLsizei>(spec.width);
  logicalHeight_ = static_cast<GLsizei>(spec.height);
  glGenRenderbuffers(1, &colorBuffer_);
  if (depthFormat_) glGenRenderbuffers(1, &depthBuffer_);
  if (samples_ > 0) {
    glGenRenderbuffers(1, &resolveBuffer_);
    glGenFramebuffers(1, &resolveFramebuffer_);
  }
  return ResizeBackBuffer(width, height, error);
}

bool RenderTargetCache::ResizeBackBuffer(UINT width, UINT height, std::string* error) {
  GLint largest = 0;
  glGetIntegerv(GL_MAX_RENDERBUFFER_SIZE, &largest);
  if (width > UINT(largest) || height > UINT(largest)) {
    *error = "the driver draws at most " + std::to_string(largest) + " pixels on a side";
    return false;
  }
  width_ = static_cast<GLsizei>(width);
  height_ = static_cast<GLsizei>(height);
  resolved_ = false;
  Allocate(colorBuffer_, colorFormat_, samples_);
  if (depthBuffer_) Allocate(depthBuffer_, depthFormat_, samples_);
  if (resolveBuffer_) {
    Allocate(resolveBuffer_, colorFormat_, 0);
    state_.BindDrawFramebuffer(resolveFramebuffer_);
    glFramebufferRenderbuffer(GL_DRAW_FRAMEBUFFER, GL_COLOR_ATTACHMENT0, GL_RENDERBUFFER,
                              resolveBuffer_);
  }
  state_.BindDrawFramebuffer(Framebuffer(Key{0, 0, depthBuffer_ != 0}, nullptr));
  if (glCheckFramebufferStatus(GL_DRAW_FRAMEBUFFER) != GL_FRAMEBUFFER_COMPLETE) {
    *error = "the back buffer framebuffer is incomplete";
    return false;
  }
  // GL leaves new storage undefined; every run starts from the same black and far depth.
  state_.SetScissor(nullptr);
  state_.SetColorMask(0xF);
  state_.SetDepthMask(true);
  glClearColor(0.0f, 0.0f, 0.0f, 0.0f);
  glClearDepthf(1.0f);
  glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
  return true;
}

void RenderTargetCache::Allocate(GLuint renderbuffer, GLenum format, GLsizei samples) const {
  glBindRenderbuffer(GL_RENDERBUFFER, renderbuffer);
  glRenderbufferStorageMultisample(GL_RENDERBUFFER, samples, format, width_, height_);
}

GLuint RenderTargetCache::ResolvedBackBuffer() {
  const GLuint drawn = Framebuffer(Key{}, backBufferSurface_);
  if (!resolveFramebuffer_) return drawn;
  if (!resolved_) {
    glBindFramebuffer(GL_READ_FRAMEBUFFER, drawn);
    state_.BindDrawFramebuffer(resolveFramebuffer_);
    state_.SetScissor(nullptr);
    glBlitFramebuffer(0, 0, width_, height_, 0, 0, width_, height_, GL_COLOR_BUFFER_BIT,
                      GL_NEAREST);
    resolved_ = true;
  }
  return resolveFramebuffer_;
}

GLuint RenderTargetCache::TextureDepthBuffer() {
  if (textureDepthBuffer_) return textureDepthBuffer_;
  glGenRenderbuffers(1, &textureDepthBuffer_);
  glBindRenderbuffer(GL_RENDERBUFFER, textureDepthBuffer_);
  glRenderbufferStorage(GL_RENDERBUFFER, depthFormat_, logicalWidth_, logicalHeight_);
  return textureDepthBuffer_;
}

void RenderTargetCache::SetDeviceSurfaces(const IDirect3DSurface8* backBuffer,
                                          const IDirect3DSurface8* /*depth*/) {
  backBufferSurface_ = backBuffer;
}

void RenderTargetCache::Bind(const IDirect3DSurface8* color, const IDirect3DSurface8* depth) {
  const IDirect3DTexture8* texture =
      color == backBufferSurface_ ? nullptr : ResourceAccess::Container(*color);
  Key key{texture ? ResourceAccess::Id(*texture) : 0, ResourceAccess::Level(*color),
          depth != nullptr && depthBuffer_ != 0};
  if (!texture) resolved_ = false;  // about to be drawn into
  state_.BindDrawFramebuffer(Framebuffer(key, color));
}

void RenderTargetCache::Forget(uint64_t textureId) {
  for (auto it = framebuffers_.begin(); it != framebuffers_.end();) {
    if (it->first.textureId != textureId) {
      ++it;
      continue;
    }
    state_.ForgetFramebuffer(it->second);
    glDeleteFramebuffers(1, &it->second);
    it = framebuffers_.erase(it);
  }
}

GLuint RenderTargetCache::Framebuffer(const Key& key, const IDirect3DSurface8* color) {
  auto found = framebuffers_.find(key);
  if (found != framebuffers_.end()) return found->second;
  GLuint framebuffer = Create(key, color);
  framebuffers_[key] = framebuffer;
  return framebuffer;
}

// Leaves the new framebuffer bound for drawing.
GLuint RenderTargetCache::Create(const Key& key, const IDirect3DSurface8* color) {
  GLuint framebuffer = 0;
  glGenFramebuffers(1, &framebuffer);
  state_.BindDrawFramebuffer(framebuffer);
  if (key.textureId == 0) {
    glFramebufferRenderbuffer(GL_DRAW_FRAMEBUFFER, GL_COLOR_ATTACHMENT0, GL_RENDERBUFFER,
                              colorBuffer_);
  } else {
    glFramebufferTexture2D(GL_DRAW_FRAMEBUFFER, GL_COLOR_ATTACHMENT0, GL_TEXTURE_2D,
                           textures_.Target(*ResourceAccess::Container(*color)),
                           static_cast<GLint>(key.level));
  }
  if (key.depth) {
    const GLuint depth = key.textureId == 0 ? depthBuffer_ : TextureDepthBuffer();
    glFramebufferRenderbuffer(GL_DRAW_FRAMEBUFFER, depthAttachment_, GL_RENDERBUFFER, depth);
  }
  return framebuffer;
}
