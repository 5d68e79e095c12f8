#include "platform/d3d8/gl/gl_state_cache.h"

GlStateCache::GlStateCache() {
  glUseProgram(0);
  glBindFramebuffer(GL_FRAMEBUFFER, 0);
  glViewport(0, 0, 0, 0);
  glDepthRangef(viewport_.minZ, viewport_.maxZ);
  glDisable(GL_BLEND);
  glBlendFunc(sourceFactor_, destFactor_);
  glDisable(GL_DEPTH_TEST);
  glDepthFunc(depthFunc_);
  glDepthMask(GL_TRUE);
  glDisable(GL_CULL_FACE);
  glCullFace(cullFace_);
  // Targets are drawn upside down, so GL's counter-clockwise is clockwise as seen.
  glFrontFace(GL_CCW);
  glColorMask(GL_TRUE, GL_TRUE, GL_TRUE, GL_TRUE);
  glDisable(GL_SCISSOR_TEST);
  glActiveTexture(GL_TEXTURE0);
  glBindTexture(GL_TEXTURE_2D, 0);
  glBindTexture(GL_TEXTURE_2D_ARRAY, 0);
  glBindSampler(0, 0);
  glBindBuffer(GL_ARRAY_BUFFER, 0);
  // Rows of 16-bit texels of odd widths are not 4-byte aligned.
  glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
  glPixelStorei(GL_PACK_ALIGNMENT, 1);
}

bool GlStateCache::UseProgram(GLuint program) {
  if (program == program_) return false;
  glUseProgram(program);
  program_ = program;
  return true;
}

void GlStateCache::BindDrawFramebuffer(GLuint framebuffer) {
  if (framebuffer == drawFramebuffer_) return;
  glBindFramebuffer(GL_DRAW_FRAMEBUFFER, framebuffer);
  drawFramebuffer_ = framebuffer;
}

void GlStateCache::SetViewport(const ViewportState& viewport) {
  if (viewport.x != viewport_.x || viewport.y != viewport_.y || viewport.width != viewport_.width ||
      viewport.height != viewport_.height) {
    glViewport(viewport.x, viewport.y, viewport.width, viewport.height);
  }
  if (viewport.minZ != viewport_.minZ || viewport.maxZ != viewport_.maxZ) {
    glDepthRangef(viewport.minZ, viewport.maxZ);
  }
  viewport_ = viewport;
}

void GlStateCache::SetRaster(const RasterState& raster) {
  SetCapability(GL_BLEND, raster.blend, &blend_);
  if (raster.blend && (raster.sourceFactor != sourceFactor_ || raster.destFactor != destFactor_)) {
    glBlendFunc(raster.sourceFactor, raster.destFactor);
    sourceFactor_ = raster.sourceFactor;
    destFactor_ = raster.destFactor;
  }
  SetCapability(GL_DEPTH_TEST, raster.depthTest, &depthTest_);
  if (raster.depthTest) {
    if (raster.depthFunc != depthFunc_) {
      glDepthFunc(raster.depthFunc);
      depthFunc_ = raster.depthFunc;
    }
    SetDepthMask(raster.depthWrite);
  }
  SetCapability(GL_CULL_FACE, raster.cullFace != GL_NONE, &cull_);
  if (raster.cullFace != GL_NONE && raster.cullFace != cullFace_) {
    glCullFace(raster.cullFace);
    cullFace_ = raster.cullFace;
  }
  SetColorMask(raster.colorMask);
}

void GlStateCache::SetColorMask(uint8_t mask) {
  if (mask == colorMask_) return;
  glColorMask((mask & 1) != 0, (mask & 2) != 0, (mask & 4) != 0, (mask & 8) != 0);
  colorMask_ = mask;
}

void GlStateCache::SetDepthMask(bool write) {
  if (write == depthWrite_) return;
  glDepthMask(write ? GL_TRUE : GL_FALSE);
  depthWrite_ = write;
}

void GlStateCache::SetScissor(const D3DRECT* area) {
  SetCapability(GL_SCISSOR_TEST, area != nullptr, &scissor_);
  if (!area) return;
  const D3DRECT& a = *area;
  if (a.x1 == scissorArea_.x1 && a.y1 == scissorArea_.y1 && a.x2 == scissorArea_.x2 &&
      a.y2 == scissorArea_.y2) {
    return;
  }
  // Row y of the picture is row y of the target's storage: no flip.
  glScissor(a.x1, a.y1, a.x2 - a.x1, a.y2 - a.y1);
  scissorArea_ = a;
}

void GlStateCache::BindTexture(GLenum target, GLuint texture) {
  Rebind(target == GL_TEXTURE_2D_ARRAY ? textureArray_ : texture2D_, texture, glBindTexture,
         target);
}

void GlStateCache::BindSampler(GLuint sampler) {
  Rebind(sampler_, sampler, glBindSampler, 0u);
}

void GlStateCache::BindBuffer(GLenum target, GLuint buffer) {
  Rebind(target == GL_ELEMENT_ARRAY_BUFFER ? elementBuffer_ : arrayBuffer_, buffer, glBindBuffer,
         target);
}

void GlStateCache::ForgetTexture(GLuint texture) {
  if (texture2D_ == texture) texture2D_ = 0;
  if (textureArray_ == texture) textureArray_ = 0;
}

void GlStateCache::ForgetBuffer(GLuint buffer) {
  if (arrayBuffer_ == buffer) arrayBuffer_ = 0;
  if (elementBuffer_ == buffer) elementBuffer_ = 0;
}

void GlStateCache::ForgetFramebuffer(GLuint framebuffer) {
  if (drawFramebuffer_ == framebuffer) drawFramebuffer_ = 0;
}

template <typename Bind>
void GlStateCache::Rebind(GLuint& bound, GLuint object, Bind bind, GLenum point) {
  if (object == bound) return;
  bind(point, object);
  bound = object;
}

void GlStateCache::SetCapability(GLenum capability, bool enabled, bool* current) {
  if (enabled == *current) return;
  if (enabled) {
    glEnable(capability);
  } else {
    glDisable(capability);
  }
  *current = enabled;
}
