#include "platform/d3d8/gl/sampler_cache.h"

#include <algorithm>
#include <cstring>

namespace {

// GL_EXT_texture_filter_anisotropic's names, which OpenGL ES 3.0's header lacks.
constexpr GLenum kMaxAnisotropy = 0x84FE;
constexpr GLenum kMaxAnisotropyLimit = 0x84FF;
// Enough for the sea seen along its surface; more costs a software rasteriser dearly.
constexpr float kAnisotropy = 8.0f;

bool HasAnisotropicFiltering() {
  GLint count = 0;
  glGetIntegerv(GL_NUM_EXTENSIONS, &count);
  for (GLint i = 0; i < count; ++i) {
    const auto* name = reinterpret_cast<const char*>(glGetStringi(GL_EXTENSIONS, GLuint(i)));
    if (name && (std::strcmp(name, "GL_EXT_texture_filter_anisotropic") == 0 ||
                 std::strcmp(name, "GL_ARB_texture_filter_anisotropic") == 0)) {
      return true;
    }
  }
  return false;
}

GLenum Wrap(DWORD address) {
  switch (address) {
    case D3DTADDRESS_MIRROR:
      return GL_MIRRORED_REPEAT;
    // OpenGL ES 3.0 has no border colour: clamp to the edge texels instead.
    case D3DTADDRESS_CLAMP:
    case D3DTADDRESS_BORDER:
      return GL_CLAMP_TO_EDGE;
    default:
      return GL_REPEAT;
  }
}

bool Linear(DWORD filter) {
  return filter == D3DTEXF_LINEAR || filter == D3DTEXF_ANISOTROPIC;
}

// D3DTEXF_NONE as a minification filter samples like POINT; as a mip filter it means no mips.
GLenum MinFilter(DWORD minFilter, DWORD mipFilter) {
  const bool linear = Linear(minFilter);
  if (mipFilter == D3DTEXF_POINT)
    return linear ? GL_LINEAR_MIPMAP_NEAREST : GL_NEAREST_MIPMAP_NEAREST;
  if (Linear(mipFilter)) return linear ? GL_LINEAR_MIPMAP_LINEAR : GL_NEAREST_MIPMAP_LINEAR;
  return linear ? GL_LINEAR : GL_NEAREST;
}

}  // namespace

SamplerKey SamplerKey::ForStage0(const PipelineState& state) {
  SamplerKey key;
  key.magFilter = Linear(state.Stage(0, D3DTSS_MAGFILTER)) ? GL_LINEAR : GL_NEAREST;
  key.minFilter = MinFilter(state.Stage(0, D3DTSS_MINFILTER), state.Stage(0, D3DTSS_MIPFILTER));
  key.wrapS = Wrap(state.Stage(0, D3DTSS_ADDRESSU));
  key.wrapT = Wrap(state.Stage(0, D3DTSS_ADDRESSV));
  return key;
}

SamplerCache::~SamplerCache() {
  for (const auto& [key, sampler] : samplers_) glDeleteSamplers(1, &sampler);
}

GLuint SamplerCache::Sampler(const SamplerKey& key) {
  auto found = samplers_.find(key);
  if (found != samplers_.end()) return found->second;
  GLuint sampler = 0;
  glGenSamplers(1, &sampler);
  glSamplerParameteri(sampler, GL_TEXTURE_MAG_FILTER, static_cast<GLint>(key.magFilter));
  glSamplerParameteri(sampler, GL_TEXTURE_MIN_FILTER, static_cast<GLint>(key.minFilter));
  glSamplerParameteri(sampler, GL_TEXTURE_WRAP_S, static_cast<GLint>(key.wrapS));
  glSamplerParameteri(sampler, GL_TEXTURE_WRAP_T, static_cast<GLint>(key.wrapT));
  if (key.minFilter == GL_LINEAR_MIPMAP_LINEAR && Anisotropy() > 1.0f) {
    glSamplerParameterf(sampler, kMaxAnisotropy, Anisotropy());
  }
  samplers_.emplace(key, sampler);
  return sampler;
}

float SamplerCache::Anisotropy() {
  if (anisotropy_ > 0.0f) return anisotropy_;
  anisotropy_ = 1.0f;
  if (HasAnisotropicFiltering()) {
    GLfloat limit = 1.0f;
    glGetFloatv(kMaxAnisotropyLimit, &limit);
    anisotropy_ = std::clamp(limit, 1.0f, kAnisotropy);
  }
  return anisotropy_;
}
