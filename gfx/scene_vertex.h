#pragma once
// The vertex of every world mesh and textured quad: position, colour, one texture coordinate.
#include "platform/d3d8.h"

struct SceneVertex {
  float x, y, z;
  D3DCOLOR diffuse;
  float tu, tv;
};
static_assert(sizeof(SceneVertex) == 24, "SceneVertex is drawn with a 24-byte stride");

constexpr DWORD kSceneVertexFormat = D3DFVF_XYZ | D3DFVF_DIFFUSE | D3DFVF_TEX1;  // 0x142
