#pragma once
// The GL state the backend last set, so that each draw changes only what differs. Every binding
// and switch that a draw depends on goes through here. Three are made directly because no draw
// depends on them: the read framebuffer (bound by Present and ReadBackBuffer for their one
// copy), renderbuffers (bound only while their storage is made) and the one vertex array
// (bound once, for good, when the backend starts).
#include <epoxy/gl.h>

#include <cstdint>

#include "platform/d3d8.h"

// Blending, depth and culling of a draw in GL's terms.
struct RasterState {
  bool blend = false;
  GLenum sourceFactor = GL_ONE;
  GLenum destFactor = GL_ZERO;
  bool depthTest = false;
  GLenum depthFunc = GL_LESS;
  bool depthWrite = false;
  GLenum cullFace = GL_NONE;  // GL_FRONT, GL_BACK, or GL_NONE for no culling
  uint8_t colorMask = 0xF;    // bits: red, green, blue, alpha

  bool operator==(const RasterState&) const = default;
};

struct ViewportState {
  GLint x = 0;
  GLint y = 0;
  GLsizei width = 0;
  GLsizei height = 0;
  float minZ = 0.0f;
  float maxZ = 1.0f;

  bool operator==(const ViewportState&) const = default;
};

class GlStateCache {
 public:
  // Puts GL into the state the cache starts from.
  GlStateCache();

  // True when the program changed.
  bool UseProgram(GLuint program);
  void BindDrawFramebuffer(GLuint framebuffer);
  void SetViewport(const ViewportState& viewport);
  void SetRaster(const RasterState& raster);
  void SetColorMask(uint8_t mask);
  void SetDepthMask(bool write);
  // Limits clears to area (rows counted from the target's top); null clears without a limit.
  void SetScissor(const D3DRECT* area);
  // Texture unit 0, the only one stage 0 needs.
  void BindTexture(GLenum target, GLuint texture);
  void BindSampler(GLuint sampler);
  void BindBuffer(GLenum target, GLuint buffer);

  // The object is being deleted: GL drops its bindings, and so does the cache.
  void ForgetTexture(GLuint texture);
  void ForgetBuffer(GLuint buffer);
  void ForgetFramebuffer(GLuint framebuffer);

 private:
  void SetCapability(GLenum capability, bool enabled, bool* current);
  // Calls bind(point, object) unless object is what is bound there already.
  template <typename Bind>
  void Rebind(GLuint& bound, GLuint object, Bind bind, GLenum point);

  GLuint program_ = 0;
  GLuint drawFramebuffer_ = 0;
  ViewportState viewport_;
  bool blend_ = false;
  GLenum sourceFactor_ = GL_ONE;
  GLenum destFactor_ = GL_ZERO;
  bool depthTest_ = false;
  GLenum depthFunc_ = GL_LESS;
  bool depthWrite_ = true;
  bool cull_ = false;
  GLenum cullFace_ = GL_BACK;
  uint8_t colorMask_ = 0xF;
  bool scissor_ = false;
  D3DRECT scissorArea_{};
  GLuint texture2D_ = 0;
  GLuint textureArray_ = 0;
  GLuint sampler_ = 0;
  GLuint arrayBuffer_ = 0;
  GLuint elementBuffer_ = 0;
};
