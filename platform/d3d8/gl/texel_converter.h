#pragma once
// Direct3D texels in GL's layout, chosen from the format table's channel masks. OpenGL ES 3.0 has
// no BGRA uploads, so texels are unpacked to RGBA bytes, except where GL has the format's own
// 16-bit packing (5-6-5 as it is; 4-4-4-4 with alpha moved to the low nibble).
#include <epoxy/gl.h>

#include <vector>

#include "platform/d3d8.h"

struct GlTexelFormat {
  GLint internalFormat = GL_RGBA8;
  GLenum format = GL_RGBA;
  GLenum type = GL_UNSIGNED_BYTE;
  UINT bytesPerTexel = 4;
};

class TexelConverter {
 public:
  // How texels of a texture format are uploaded and stored.
  static GlTexelFormat UploadFormat(D3DFORMAT format);
  // How a render target of that format is stored: without alpha where the format has none, so
  // that sampling and destination-alpha blending see it opaque.
  static GlTexelFormat TargetFormat(D3DFORMAT format);

  // The level's texels, rows packed tightly in GL's layout, valid until the next call. A level
  // without a CPU copy (or with less data than its size needs) converts to transparent black.
  const std::vector<uint8_t>& Convert(const IDirect3DSurface8& level);

 private:
  std::vector<uint8_t> texels_;
};
