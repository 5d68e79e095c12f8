#pragma once
// What a draw takes from the pipeline state besides its vertices, its world transform and its
// texture, in GL's terms: the part that draws merged into one must share.
#include <array>

#include "platform/d3d8/gl/fixed_function_key.h"
#include "platform/d3d8/gl/gl_state_cache.h"
#include "platform/d3d8/gl/sampler_cache.h"
#include "platform/d3d8/gl/shader_program.h"

// A D3DCOLOR's red, green, blue and alpha, from 0 to 1.
std::array<float, 4> ColorChannels(D3DCOLOR color);

struct DrawSettings {
  FixedFunctionKey program;
  RasterState raster;
  SamplerKey sampler;
  ViewportState viewport;
  const IDirect3DSurface8* colorTarget = nullptr;
  const IDirect3DSurface8* depthTarget = nullptr;  // null: no depth test
  ProgramUniforms uniforms;  // worldView holds the view alone; each draw puts its world first
  float pointSize = 0.0f;    // D3DRS_POINTSIZE, for points without a size of their own

  // Settings that play no part in the draw are left at their defaults, so that they never
  // keep draws apart.
  static DrawSettings For(const PipelineState& state, bool pretransformed, D3DPRIMITIVETYPE type,
                          bool textureBound);

  bool operator==(const DrawSettings&) const = default;
};
