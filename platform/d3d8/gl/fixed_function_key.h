#pragma once
// The fixed-function states that choose a shader program: how positions arrive, whether
// points become quads, what stage 0 samples and combines, and the alpha test. Values are
// normalised, so that combinations drawing alike share one program.
#include <compare>
#include <cstdint>

#include "platform/d3d8/pipeline_state.h"

enum class TextureKind : uint8_t {
  kNone,
  k2D,
  kArrayLayer,  // a layer of a shared texture array (merged draws)
};

struct FixedFunctionKey {
  // The bits of a D3DTA_* argument that name its source; the rest are modifiers.
  static constexpr DWORD kArgumentSourceMask = 0x0F;

  bool pretransformed = false;   // D3DFVF_XYZRHW
  bool pointQuads = false;       // a point list, each point drawn as a square
  bool spriteTexCoords = false;  // the squares' corners give the texture coordinates
  TextureKind texture = TextureKind::kNone;
  // Textured in the target's own pixels (pretransformed, or under an orthographic projection):
  // on a back buffer drawn larger than the program's pixels, sampled as at those pixels, so that
  // text keeps the edges the program gave it.
  bool screenSpace = false;
  uint8_t colorOp = D3DTOP_SELECTARG1;
  uint8_t colorArg1 = D3DTA_DIFFUSE;
  uint8_t colorArg2 = D3DTA_DIFFUSE;
  uint8_t alphaOp = D3DTOP_SELECTARG1;
  uint8_t alphaArg1 = D3DTA_DIFFUSE;
  uint8_t alphaArg2 = D3DTA_DIFFUSE;
  uint8_t alphaFunc = D3DCMP_ALWAYS;

  // The program for a draw with this state. textureBound: stage 0 has a texture.
  static FixedFunctionKey For(const PipelineState& state, bool pretransformed, bool pointList,
                              bool textureBound);

  bool ReadsTextureFactor() const;
  bool AlphaTested() const { return alphaFunc != D3DCMP_ALWAYS; }

  auto operator<=>(const FixedFunctionKey&) const = default;
};
