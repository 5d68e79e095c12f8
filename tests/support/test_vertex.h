#pragma once
// The vertex the device and backend tests draw with: position, diffuse colour, one texture
// coordinate pair.
#include "platform/d3d8.h"

struct TestVertex {
  float x, y, z;
  D3DCOLOR diffuse;
  float u, v;
};
constexpr DWORD kTestVertexFormat = D3DFVF_XYZ | D3DFVF_DIFFUSE | D3DFVF_TEX1;
