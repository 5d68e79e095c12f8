#pragma once
// Framebuffers for every pair of colour target and depth surface drawn into: the back buffer
// (an offscreen renderbuffer, since Present flips and scales it onto the window) or a level of
// a render-target texture, with the device's depth buffer or none. Row 0 of every target is
// the top of its picture.
#include <epoxy/gl.h>

#include <compare>
#include <map>
#include <string>

#include "platform/d3d8/device_backend.h"
#include "platform/d3d8/gl/gl_state_cache.h"
#include "platform/d3d8/gl/texture_cache.h"

class RenderTargetCache {
 public:
  RenderTargetCache(GlStateCache& state, TextureCache& textures);
  ~RenderTargetCache();
  RenderTargetCache(const RenderTargetCache&) = delete;
  RenderTargetCache& operator=(const RenderTargetCache&) = delete;

  // Makes the back buffer and the depth buffer the device was created with.
  bool CreateDeviceBuffers(const BackBufferSpec& spec, std::string* error);
  void SetDeviceSurfaces(const IDirect3DSurface8* backBuffer, const IDirect3DSurface8* depth);
  // Binds the framebuffer that draws into color, with the depth buffer when depth is set.
  void Bind(const IDirect3DSurface8* color, const IDirect3DSurface8* depth);
  // The back buffer's framebuffer, to read from.
  GLuint BackBuffer();
  // The texture is going away: so are the framebuffers that draw into it.
  void Forget(uint64_t textureId);

 private:
  struct Key {
    uint64_t textureId = 0;  // 0: the back buffer
    UINT level = 0;
    bool depth = false;
    auto operator<=>(const Key&) const = default;
  };

  GLuint Framebuffer(const Key& key, const IDirect3DSurface8* color);
  GLuint Create(const Key& key, const IDirect3DSurface8* color);

  GlStateCache& state_;
  TextureCache& textures_;
  GLuint colorBuffer_ = 0;
  GLuint depthBuffer_ = 0;
  GLenum depthAttachment_ = GL_DEPTH_ATTACHMENT;
  const IDirect3DSurface8* backBufferSurface_ = nullptr;
  std::map<Key, GLuint> framebuffers_;
};
