#pragma once
// Direct3D texels in GL's layout. OpenGL ES 3.0 has no BGRA uploads, so 32-bit texels are
// reordered to RGBA; the 16-bit formats keep their size (A4R4G4B4 moves alpha to the low nibble).
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
  void ConvertRow(D3DFORMAT format, const uint8_t* source, uint8_t* target, UINT width) const;

  std::vector<uint8_t> texels_;
};
