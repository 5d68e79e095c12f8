#include "platform/d3d8/gl/draw_settings.h"

namespace {

GLenum BlendFactor(DWORD blend, GLenum otherwise) {
  switch (blend) {
    case D3DBLEND_ZERO:
      return GL_ZERO;
    case D3DBLEND_ONE:
      return GL_ONE;
    case D3DBLEND_SRCCOLOR:
      return GL_SRC_COLOR;
    case D3DBLEND_INVSRCCOLOR:
      return GL_ONE_MINUS_SRC_COLOR;
    case D3DBLEND_SRCALPHA:
      return GL_SRC_ALPHA;
    case D3DBLEND_INVSRCALPHA:
      return GL_ONE_MINUS_SRC_ALPHA;
    case D3DBLEND_DESTALPHA:
      return GL_DST_ALPHA;
    case D3DBLEND_INVDESTALPHA:
      return GL_ONE_MINUS_DST_ALPHA;
    case D3DBLEND_DESTCOLOR:
      return GL_DST_COLOR;
    case D3DBLEND_INVDESTCOLOR:
      return GL_ONE_MINUS_DST_COLOR;
    case D3DBLEND_SRCALPHASAT:
      return GL_SRC_ALPHA_SATURATE;
    default:
      return otherwise;
  }
}

GLenum CompareFunction(DWORD func) {
  switch (func) {
    case D3DCMP_NEVER:
      return GL_NEVER;
    case D3DCMP_LESS:
      return GL_LESS;
    case D3DCMP_EQUAL:
      return GL_EQUAL;
    case D3DCMP_LESSEQUAL:
      return GL_LEQUAL;
    case D3DCMP_GREATER:
      return GL_GREATER;
    case D3DCMP_NOTEQUAL:
      return GL_NOTEQUAL;
    case D3DCMP_GREATEREQUAL:
      return GL_GEQUAL;
    default:
      return GL_ALWAYS;
  }
}

// Targets are drawn upside down, which turns what is clockwise on screen into GL's
// counter-clockwise, its front face.
GLenum CulledFace(DWORD cull) {
  switch (cull) {
    case D3DCULL_CW:
      return GL_FRONT;
    case D3DCULL_CCW:
      return GL_BACK;
    default:
      return GL_NONE;
  }
}

RasterState Raster(const PipelineState& state, bool pointList) {
  RasterState raster;
  raster.blend = state.Render(D3DRS_ALPHABLENDENABLE) != FALSE;
  if (raster.blend) {
    raster.sourceFactor = BlendFactor(state.Render(D3DRS_SRCBLEND), GL_ONE);
    raster.destFactor = BlendFactor(state.Render(D3DRS_DESTBLEND), GL_ZERO);
  }
  raster.depthTest = state.depthStencil != nullptr && state.Render(D3DRS_ZENABLE) != D3DZB_FALSE;
  if (raster.depthTest) {
    raster.depthFunc = CompareFunction(state.Render(D3DRS_ZFUNC));
    raster.depthWrite = state.Render(D3DRS_ZWRITEENABLE) != FALSE;
  }
  // Points are never culled.
  raster.cullFace = pointList ? GL_NONE : CulledFace(state.Render(D3DRS_CULLMODE));
  raster.colorMask = static_cast<uint8_t>(state.Render(D3DRS_COLORWRITEENABLE) & 0xF);
  return raster;
}

}  // namespace

std::array<float, 4> ColorChannels(D3DCOLOR color) {
  auto channel = [color](int shift) {
    return static_cast<float>((color >> shift) & 0xFF) / 255.0f;
  };
  return {channel(16), channel(8), channel(0), channel(24)};
}

DrawSettings DrawSettings::For(const PipelineState& state, bool pretransformed,
                               D3DPRIMITIVETYPE type, bool textureBound) {
  const bool pointList = type == D3DPT_POINTLIST;
  DrawSettings settings;
  settings.program = FixedFunctionKey::For(state, pretransformed, pointList, textureBound);
  settings.raster = Raster(state, pointList);
  if (settings.program.texture != TextureKind::kNone) {
    settings.sampler = SamplerKey::ForStage0(state);
  }
  const D3DVIEWPORT8& v = state.viewport;
  settings.viewport = {static_cast<GLint>(v.X),
                       static_cast<GLint>(v.Y),
                       static_cast<GLsizei>(v.Width),
                       static_cast<GLsizei>(v.Height),
                       v.MinZ,
                       v.MaxZ};
  settings.colorTarget = state.renderTarget;
  settings.depthTarget = state.depthStencil;

  ProgramUniforms& u = settings.uniforms;
  if (!pretransformed) {
    u.worldView = Matrix4::From(state.view);
    u.projection = Matrix4::From(state.projection);
  }
  u.viewport = {static_cast<float>(v.X), static_cast<float>(v.Y), static_cast<float>(v.Width),
                static_cast<float>(v.Height)};
  if (pointList) {
    const bool scaled = state.Render(D3DRS_POINTSCALEENABLE) != FALSE;
    u.pointLimits = {state.RenderFloat(D3DRS_POINTSIZE_MIN), state.RenderFloat(D3DRS_POINTSIZE_MAX),
                     scaled ? 1.0f : 0.0f};
    if (scaled) {
      u.pointScale = {state.RenderFloat(D3DRS_POINTSCALE_A), state.RenderFloat(D3DRS_POINTSCALE_B),
                      state.RenderFloat(D3DRS_POINTSCALE_C)};
    }
    settings.pointSize = state.RenderFloat(D3DRS_POINTSIZE);
  }
  if (settings.program.ReadsTextureFactor()) {
    u.textureFactor = ColorChannels(state.Render(D3DRS_TEXTUREFACTOR));
  }
  if (settings.program.AlphaTested()) {
    u.alphaRef = static_cast<float>(state.Render(D3DRS_ALPHAREF) & 0xFF);
  }
  return settings;
}
