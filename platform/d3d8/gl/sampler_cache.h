#pragma once
// One GL sampler object per combination of stage 0's filters and address modes. Trilinear
// sampling is also anisotropic where the driver offers it, so that the sea and the island stay
// sharp seen at a grazing angle.
#include <epoxy/gl.h>

#include <map>
#include <tuple>

#include "platform/d3d8/pipeline_state.h"

struct SamplerKey {
  GLenum magFilter = GL_NEAREST;
  GLenum minFilter = GL_NEAREST;
  GLenum wrapS = GL_REPEAT;
  GLenum wrapT = GL_REPEAT;

  // Stage 0's sampling as GL names it.
  static SamplerKey ForStage0(const PipelineState& state);

  auto operator<=>(const SamplerKey&) const = default;
};

class SamplerCache {
 public:
  SamplerCache() = default;
  ~SamplerCache();
  SamplerCache(const SamplerCache&) = delete;
  SamplerCache& operator=(const SamplerCache&) = delete;

  GLuint Sampler(const SamplerKey& key);

 private:
  // The driver's largest anisotropy up to kAnisotropy, or 1 without the extension; asked once.
  float Anisotropy();

  std::map<SamplerKey, GLuint> samplers_;
  float anisotropy_ = 0.0f;  // 0: not asked yet
};
