#pragma once
// Where a screen-space quad (a glyph, the console's backdrop) landed, worked out from the
// vertices and transforms the recording device saw at its draw.
#include "gfx/d3dx_matrix.h"
#include "gfx/scene_vertex.h"
#include "platform/d3d8/record/recording_backend.h"

// Pixels from the viewport's top-left corner.
struct DrawnQuad {
  float left, top, right, bottom;
};

inline DrawnQuad DrawnQuadOf(const RecordedDraw& draw) {
  const D3DXMATRIX m = D3DXMATRIX(draw.state.world) * D3DXMATRIX(draw.state.view) *
                       D3DXMATRIX(draw.state.projection);
  const D3DVIEWPORT8& vp = draw.state.viewport;
  auto pixel = [&](UINT i, bool horizontal) {
    const SceneVertex v = draw.VertexAt<SceneVertex>(i);
    const float x = v.x * m._11 + v.y * m._21 + m._41, y = v.x * m._12 + v.y * m._22 + m._42;
    return horizontal ? (x + 1) * vp.Width / 2 : (1 - y) * vp.Height / 2;
  };
  // A strip's vertex 1 is the bottom-left corner and vertex 2 the top-right.
  return {pixel(1, true), pixel(2, false), pixel(2, true), pixel(1, false)};
}
