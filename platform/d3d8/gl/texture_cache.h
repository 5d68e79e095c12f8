#pragma once
// GL copies of textures, keyed by the texture's id. A level is sent again when its version
// moves on (every unlock); render-target textures have no CPU copy and are only drawn into.
#include <epoxy/gl.h>

#include <unordered_map>
#include <vector>

#include "platform/d3d8.h"
#include "platform/d3d8/gl/gl_state_cache.h"
#include "platform/d3d8/gl/texel_converter.h"

class TextureCache {
 public:
  TextureCache(GlStateCache& state, DeviceCounters& counters);
  ~TextureCache();
  TextureCache(const TextureCache&) = delete;
  TextureCache& operator=(const TextureCache&) = delete;

  // The texture's GL copy with every level current, bound to GL_TEXTURE_2D.
  GLuint Sampled(IDirect3DTexture8& texture);
  // The GL texture that a render-target texture's levels are drawn into.
  GLuint Target(IDirect3DTexture8& texture);
  void Forget(uint64_t textureId);

 private:
  struct Copy {
    GLuint name = 0;
    std::vector<uint64_t> levelVersions;  // 0: never sent
  };

  Copy& Find(IDirect3DTexture8& texture);
  void Allocate(IDirect3DTexture8& texture, Copy* copy);
  void Upload(const IDirect3DSurface8& level, const GlTexelFormat& format);
  void Delete(const Copy& copy);

  GlStateCache& state_;
  DeviceCounters& counters_;
  TexelConverter converter_;
  std::unordered_map<uint64_t, Copy> copies_;
};
