#pragma once
// The grid that the terrain, the sea plane and the ocean share: A x B vertices, vertex
// a x B + b at column a (along +x) and row b (along -z), two counter-clockwise triangles
// (seen from above) per cell.
#include <cstdint>

#include "platform/d3d8.h"

// Largest grid the 16-bit indices can address.
constexpr int kMaxGridVertices = 65536;

// Whether an A x B grid can be built: at least 2 x 2 and addressable.
bool IsBuildableGrid(int a, int b);
// Rest position of grid column a and row b over extents centred on half(extent), the
// integer half: an extent of 5 spans -2 to 3.
float GridX(int xExtent, int a, int columns);
float GridZ(int zExtent, int b, int rows);
// Vertex and index buffers for an A x B grid, sized as the drawing code expects: A x B
// vertices and room for 6 x A x B indices. Both or neither are returned.
bool CreateGridBuffers(IDirect3DDevice8* device, int a, int b, IDirect3DVertexBuffer8** vertices,
                       IDirect3DIndexBuffer8** indices);
// Writes the grid's triangle list, cell by cell (rows outer, columns inner): p, q, s, p, s, r.
bool WriteGridIndices(IDirect3DIndexBuffer8* indices, int a, int b);
