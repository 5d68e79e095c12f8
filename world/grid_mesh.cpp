#include "world/grid_mesh.h"

#include <cstring>

#include "gfx/scene_vertex.h"

bool IsBuildableGrid(int a, int b) {
  return a >= 2 && b >= 2 && int64_t{a} * b <= kMaxGridVertices;
}

float GridX(int xExtent, int a, int columns) {
  return static_cast<float>(xExtent) * static_cast<float>(a) / static_cast<float>(columns - 1) -
         static_cast<float>(xExtent / 2);
}

float GridZ(int zExtent, int b, int rows) {
  return static_cast<float>(zExtent) * static_cast<float>(rows - 1 - b) /
             static_cast<float>(rows - 1) -
         static_cast<float>(zExtent / 2);
}

bool CreateGridBuffers(IDirect3DDevice8* device, int a, int b, IDirect3DVertexBuffer8** vertices,
                       IDirect3DIndexBuffer8** indices) {
  UINT count = static_cast<UINT>(a * b);
  IDirect3DVertexBuffer8* vb = nullptr;
  IDirect3DIndexBuffer8* ib = nullptr;
  if (FAILED(device->CreateVertexBuffer(count * sizeof(SceneVertex), 0, kSceneVertexFormat,
                                        D3DPOOL_MANAGED, &vb))) {
    return false;
  }
  if (FAILED(device->CreateIndexBuffer(count * 12, D3DUSAGE_WRITEONLY, D3DFMT_INDEX16,
                                       D3DPOOL_MANAGED, &ib))) {
    vb->Release();
    return false;
  }
  *vertices = vb;
  *indices = ib;
  return true;
}

bool WriteGridIndices(IDirect3DIndexBuffer8* indices, int a, int b) {
  BYTE* data = nullptr;
  if (FAILED(indices->Lock(0, 0, &data, 0))) return false;
  auto vertex = [b](int column, int row) { return static_cast<uint16_t>(column * b + row); };
  uint16_t* out = reinterpret_cast<uint16_t*>(data);
  for (int row = 0; row < b - 1; ++row) {
    for (int column = 0; column < a - 1; ++column) {
      uint16_t p = vertex(column, row), q = vertex(column, row + 1);
      uint16_t r = vertex(column + 1, row), s = vertex(column + 1, row + 1);
      const uint16_t cell[6] = {p, q, s, p, s, r};
      std::memcpy(out, cell, sizeof cell);
      out += 6;
    }
  }
  return SUCCEEDED(indices->Unlock());
}
