#pragma once
// Where each element of a flexible-vertex-format vertex lies.
#include "platform/d3d8.h"

struct VertexLayout {
  UINT size = 0;      // bytes per vertex
  int position = -1;  // float x, y, z (xyzrhw adds a float w)
  // D3DFVF_XYZRHW: already in target pixels, pixel x covering [x, x + 1) as for every draw.
  bool transformed = false;
  int normal = -1;                                      // 3 floats
  int pointSize = -1;                                   // 1 float
  int diffuse = -1;                                     // D3DCOLOR
  int specular = -1;                                    // D3DCOLOR
  int texCoords[8] = {-1, -1, -1, -1, -1, -1, -1, -1};  // 2 floats each
  UINT texCoordCount = 0;
};

// False for formats the device does not draw: no position, unknown bits, more than eight
// texture coordinate sets, or anything but two-component texture coordinates.
bool DescribeVertexFormat(DWORD fvf, VertexLayout* layout);
