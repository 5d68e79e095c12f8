#pragma once
// Framebuffers for every pair of colour target and depth surface drawn into: the back buffer
// (an offscreen renderbuffer at the size drawn, multisampled where asked, since Present resolves
// it and flips and scales it onto the window) or a level of a render-target texture, with a depth
// buffer of its own size or none. Row 0 of every target is the top of its picture.
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

  // Makes the back buffer and the depth buffer the device was created with, drawn at that size
  // with that many samples a pixel (0: none, or fewer where the driver has fewer to offer).
  bool CreateDeviceBuffers(const BackBufferSpec& spec, UINT width, UINT height, std::string* error);
  // Draws the back buffer at another size from now on: its contents start black again.
  bool ResizeBackBuffer(UINT width, UINT height, std::string* error);
  void SetDeviceSurfaces(const IDirect3DSurface8* backBuffer, const IDirect3DSurface8* depth);
  bool IsBackBuffer(const IDirect3DSurface8* color) const { return color == backBufferSurface_; }
  // The back buffer's size in pixels, as drawn.
  GLsizei DrawnWidth() const { return width_; }
  GLsizei DrawnHeight() const { return height_; }
  // Binds the framebuffer that draws into color, with the depth buffer when depth is set.
  void Bind(const IDirect3DSurface8* color, const IDirect3DSurface8* depth);
  // The back buffer's finished picture, its samples resolved, as a framebuffer to read from:
  // resolved once however often it is read (presented, then captured or encoded).
  GLuint ResolvedBackBuffer();
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
  // Gives the renderbuffer storage of the format at the back buffer's size and samples.
  void Allocate(GLuint renderbuffer, GLenum format, GLsizei samples) const;
  // The depth buffer of render-target textures: of the program's back buffer size, one sample.
  GLuint TextureDepthBuffer();

  GlStateCache& state_;
  TextureCache& textures_;
  GLenum colorFormat_ = GL_RGBA8;
  GLenum depthFormat_ = 0;  // none
  GLenum depthAttachment_ = GL_DEPTH_ATTACHMENT;
  GLsizei samples_ = 0;
  GLsizei width_ = 0, height_ = 0;
  GLsizei logicalWidth_ = 0, logicalHeight_ = 0;
  GLuint colorBuffer_ = 0;
  GLuint depthBuffer_ = 0;
  GLuint resolveBuffer_ = 0;  // with samples: the finished picture
  GLuint resolveFramebuffer_ = 0;
  bool resolved_ = false;  // the resolve buffer holds what the back buffer has had drawn
  GLuint textureDepthBuffer_ = 0;
  const IDirect3DSurface8* backBufferSurface_ = nullptr;
  std::map<Key, GLuint> framebuffers_;
};
