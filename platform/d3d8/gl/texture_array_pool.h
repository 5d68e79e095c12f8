#pragma once
// Small one-level textures of one size and format share a GL texture array, a layer each, so
// that draws differing only in which of them they sample can become one GL draw (the console
// draws every glyph with its own 8 x 8 texture). Each array has all its layers from the start,
// so that placing a texture never moves the ones that pending draws sample.
#include <epoxy/gl.h>

#include <compare>
#include <map>
#include <unordered_map>
#include <vector>

#include "platform/d3d8.h"
#include "platform/d3d8/gl/gl_state_cache.h"
#include "platform/d3d8/gl/texel_converter.h"

struct TextureClass {
  UINT width = 0;
  UINT height = 0;
  D3DFORMAT format = D3DFMT_UNKNOWN;

  static TextureClass Of(const IDirect3DTexture8& texture);
  auto operator<=>(const TextureClass&) const = default;
};

class TextureArrayPool {
 public:
  TextureArrayPool(GlStateCache& state, DeviceCounters& counters);
  ~TextureArrayPool();
  TextureArrayPool(const TextureArrayPool&) = delete;
  TextureArrayPool& operator=(const TextureArrayPool&) = delete;

  // Whether the texture is small enough to share an array and has a layer there.
  bool CanHold(IDirect3DTexture8& texture) const;
  // Whether the texture has a layer whose texels it has changed since: placing it rewrites one
  // that draws may still sample.
  bool IsStale(const IDirect3DTexture8& texture) const;
  // The texture's layer, its texels sent if they are not there yet.
  float Place(const IDirect3DTexture8& texture);
  // Binds the array of a class to GL_TEXTURE_2D_ARRAY.
  void Bind(const TextureClass& textureClass);
  void Forget(uint64_t textureId);

 private:
  struct LayeredArray {
    GLuint name = 0;
    std::vector<bool> used;
  };
  struct Slot {
    TextureClass textureClass;
    UINT layer = 0;
    uint64_t version = 0;
  };

  LayeredArray& ArrayOf(const TextureClass& textureClass);
  void Upload(const IDirect3DTexture8& texture, UINT layer);

  GlStateCache& state_;
  DeviceCounters& counters_;
  TexelConverter converter_;
  std::map<TextureClass, LayeredArray> arrays_;
  std::unordered_map<uint64_t, Slot> slots_;
};
