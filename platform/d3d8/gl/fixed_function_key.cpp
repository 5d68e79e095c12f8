#include "platform/d3d8/gl/fixed_function_key.h"

namespace {

constexpr DWORD kSourceMask = FixedFunctionKey::kArgumentSourceMask;
constexpr DWORD kModifierMask = D3DTA_COMPLEMENT | D3DTA_ALPHAREPLICATE;

struct StageOperation {
  uint8_t op;
  uint8_t arg1;
  uint8_t arg2;
};

// The diffuse colour, unchanged: a disabled stage, and the alpha of a colour-only stage.
constexpr StageOperation kDiffuse{D3DTOP_SELECTARG1, D3DTA_DIFFUSE, D3DTA_DIFFUSE};

bool ReadsFirst(DWORD op) {
  return op != D3DTOP_SELECTARG2;
}
bool ReadsSecond(DWORD op) {
  return op != D3DTOP_SELECTARG1;
}

bool Reads(const StageOperation& operation, DWORD source) {
  return (ReadsFirst(operation.op) && (operation.arg1 & kSourceMask) == source) ||
         (ReadsSecond(operation.op) && (operation.arg2 & kSourceMask) == source);
}

// At stage 0 the current colour is the diffuse colour. Sources beyond the texture factor
// (specular, temporaries) are not kept by this device and read as diffuse too.
uint8_t Argument(DWORD arg) {
  DWORD source = arg & kSourceMask;
  if (source != D3DTA_TEXTURE && source != D3DTA_TFACTOR) source = D3DTA_DIFFUSE;
  return static_cast<uint8_t>(source | (arg & kModifierMask));
}

// Arguments an operation ignores are set alike, so that they choose no program of their own.
// Operations beyond these modulate, the stage's default.
StageOperation Operation(DWORD op, DWORD arg1, DWORD arg2) {
  if (op < D3DTOP_SELECTARG1 || op > D3DTOP_ADDSIGNED) op = D3DTOP_MODULATE;
  StageOperation result{static_cast<uint8_t>(op), Argument(arg1), Argument(arg2)};
  if (!ReadsFirst(op)) result.arg1 = D3DTA_DIFFUSE;
  if (!ReadsSecond(op)) result.arg2 = D3DTA_DIFFUSE;
  return result;
}

}  // namespace

FixedFunctionKey FixedFunctionKey::For(const PipelineState& state, bool pretransformed,
                                       bool pointList, bool textureBound) {
  // Lighting is not modelled: vertices keep their diffuse colour. The program turns lighting
  // off; with it on, its vertices carry no normals, and unlit diffuse is what it shows.
  StageOperation color = Operation(state.Stage(0, D3DTSS_COLOROP), state.Stage(0, D3DTSS_COLORARG1),
                                   state.Stage(0, D3DTSS_COLORARG2));
  StageOperation alpha = Operation(state.Stage(0, D3DTSS_ALPHAOP), state.Stage(0, D3DTSS_ALPHAARG1),
                                   state.Stage(0, D3DTSS_ALPHAARG2));
  // A stage whose colour reads a texture that is not there acts as disabled, as drivers do.
  if (state.Stage(0, D3DTSS_COLOROP) == D3DTOP_DISABLE ||
      (Reads(color, D3DTA_TEXTURE) && !textureBound)) {
    color = alpha = kDiffuse;
  } else if (state.Stage(0, D3DTSS_ALPHAOP) == D3DTOP_DISABLE) {
    alpha = kDiffuse;
  }

  FixedFunctionKey key;
  key.pretransformed = pretransformed;
  key.pointQuads = pointList;
  key.spriteTexCoords = pointList && state.Render(D3DRS_POINTSPRITEENABLE) != FALSE;
  key.texture = textureBound && (Reads(color, D3DTA_TEXTURE) || Reads(alpha, D3DTA_TEXTURE))
                    ? TextureKind::k2D
                    : TextureKind::kNone;
  const bool orthographic = state.projection._34 == 0.0f && state.projection._44 == 1.0f;
  key.screenSpace = key.texture != TextureKind::kNone && (pretransformed || orthographic);
  key.colorOp = color.op;
  key.colorArg1 = color.arg1;
  key.colorArg2 = color.arg2;
  key.alphaOp = alpha.op;
  key.alphaArg1 = alpha.arg1;
  key.alphaArg2 = alpha.arg2;
  const DWORD func = state.Render(D3DRS_ALPHAFUNC);
  const bool validFunc = func >= D3DCMP_NEVER && func <= D3DCMP_ALWAYS;
  key.alphaFunc = state.Render(D3DRS_ALPHATESTENABLE) != FALSE && validFunc
                      ? static_cast<uint8_t>(func)
                      : static_cast<uint8_t>(D3DCMP_ALWAYS);
  return key;
}

bool FixedFunctionKey::ReadsTextureFactor() const {
  return Reads({colorOp, colorArg1, colorArg2}, D3DTA_TFACTOR) ||
         Reads({alphaOp, alphaArg1, alphaArg2}, D3DTA_TFACTOR);
}
