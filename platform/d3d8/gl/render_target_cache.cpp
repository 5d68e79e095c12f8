#include "platform/d3d8/gl/render_target_cache.h"

#include "platform/d3d8/gl/texel_converter.h"
#include "platform/d3d8/resource_access.h"

RenderTargetCache::RenderTargetCache(GlStateCache& state, TextureCache& textures)
    : state_(state), textures_(textures) {}

RenderTargetCache::~RenderTargetCache() {
  for (const auto& [key, framebuffer] : framebuffers_) {
    state_.ForgetFramebuffer(framebuffer);
    glDeleteFramebuffers(1, &framebuffer);
  }
  glDeleteRenderbuffers(1, &colorBuffer_);
  glDeleteRenderbuffers(1, &depthBuffer_);
}

bool RenderTargetCache::CreateDeviceBuffers(const BackBufferSpec& spec, std::string* error) {
  const auto width = static_cast<GLsizei>(spec.width);
  const auto height = static_cast<GLsizei>(spec.height);
  glGenRenderbuffers(1, &colorBuffer_);
  glBindRenderbuffer(GL_RENDERBUFFER, colorBuffer_);
  glRenderbufferStorage(
      GL_RENDERBUFFER,
      static_cast<GLenum>(TexelConverter::TargetFormat(spec.colorFormat).internalFormat), width,
      height);
  if (spec.depthFormat != D3DFMT_UNKNOWN) {
    const bool stencil = spec.depthFormat == D3DFMT_D24S8;
    glGenRenderbuffers(1, &depthBuffer_);
    glBindRenderbuffer(GL_RENDERBUFFER, depthBuffer_);
    glRenderbufferStorage(GL_RENDERBUFFER, stencil ? GL_DEPTH24_STENCIL8 : GL_DEPTH_COMPONENT16,
                          width, height);
    depthAttachment_ = stencil ? GL_DEPTH_STENCIL_ATTACHMENT : GL_DEPTH_ATTACHMENT;
  }
  state_.BindDrawFramebuffer(Framebuffer(Key{0, 0, depthBuffer_ != 0}, nullptr));
  if (glCheckFramebufferStatus(GL_DRAW_FRAMEBUFFER) != GL_FRAMEBUFFER_COMPLETE) {
    *error = "the back buffer framebuffer is incomplete";
    return false;
  }
  // GL leaves new storage undefined; every run starts from the same black and far depth.
  glClearColor(0.0f, 0.0f, 0.0f, 0.0f);
  glClearDepthf(1.0f);
  glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
  return true;
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
  state_.BindDrawFramebuffer(Framebuffer(key, color));
}

GLuint RenderTargetCache::BackBuffer() {
  return Framebuffer(Key{}, backBufferSurface_);
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
    glFramebufferRenderbuffer(GL_DRAW_FRAMEBUFFER, depthAttachment_, GL_RENDERBUFFER, depthBuffer_);
  }
  return framebuffer;
}
