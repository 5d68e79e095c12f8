#include "world/volcano_terrain.h"

#include "gfx/render_state_block.h"
#include "gfx/scene_vertex.h"
#include "gfx/surface_drawing.h"
#include "gfx/texture_file.h"
#include "world/grid_mesh.h"

VolcanoTerrain::~VolcanoTerrain() {
  ReleaseMesh();
  SafeRelease(texture_);
}

void VolcanoTerrain::ReleaseMesh() {
  SafeRelease(indexBuffer_);
  SafeRelease(vertexBuffer_);
}

bool VolcanoTerrain::Generate(const char* heightMapFile, const char* textureFile, int xExtent,
                              int zExtent, float heightScale, IDirect3DDevice8* device) {
  // A texture that doesn't load is no failure: the terrain then draws with whatever
  // stage 0 holds.
  ReloadTexture(device, textureFile, &texture_);
  heightScale_ = heightScale;
  ReleaseMesh();
  triangleCount_ = 0;
  if (!heights_.Load(heightMapFile, heightScale)) return false;
  int a = heights_.Width(), b = heights_.Height();
  if (!BuildGrid(&vertexBuffer_, &indexBuffer_, xExtent, zExtent, a, b, 0xFFFFFFFF, device)) {
    return false;
  }
  triangleCount_ = 2 * (a - 1) * (b - 1);
  return true;
}

bool VolcanoTerrain::BuildGrid(IDirect3DVertexBuffer8** vertexBuffer,
                               IDirect3DIndexBuffer8** indexBuffer, int xExtent, int zExtent, int a,
                               int b, D3DCOLOR color, IDirect3DDevice8* device) {
  // The grid takes its heights from the map, so it can't have more vertices than samples.
  if (!device || !vertexBuffer || !indexBuffer || !IsBuildableGrid(a, b) ||
      int64_t{a} * b > VertexCount()) {
    return false;
  }
  IDirect3DVertexBuffer8* vb = nullptr;
  IDirect3DIndexBuffer8* ib = nullptr;
  if (!CreateGridBuffers(device, a, b, &vb, &ib)) return false;
  BYTE* data = nullptr;
  bool written = SUCCEEDED(vb->Lock(0, 0, &data, 0));
  if (written) {
    auto* vertex = reinterpret_cast<SceneVertex*>(data);
    const std::vector<float>& heights = heights_.Samples();
    for (int column = 0; column < a; ++column) {
      for (int row = 0; row < b; ++row, ++vertex) {
        *vertex = {GridX(xExtent, column, a),
                   heights[size_t(column) * b + row],
                   GridZ(zExtent, row, b),
                   color,
                   static_cast<float>(column) / static_cast<float>(a - 1),
                   static_cast<float>(row) / static_cast<float>(b - 1)};
      }
    }
    written = SUCCEEDED(vb->Unlock()) && WriteGridIndices(ib, a, b);
  }
  if (!written) {
    vb->Release();
    ib->Release();
    return false;
  }
  *vertexBuffer = vb;
  *indexBuffer = ib;
  return true;
}

bool VolcanoTerrain::Render(IDirect3DDevice8* device) {
  const RenderStateBlock saved(device, kBlendStates);
  UseAlphaBlending(device);
  // Colour from the texture, alpha from the vertices, which are opaque white.
  UseTextureColourDiffuseAlpha(device);
  if (texture_) device->SetTexture(0, texture_);
  return SUCCEEDED(device->SetVertexShader(kSceneVertexFormat)) &&
         SUCCEEDED(device->SetStreamSource(0, vertexBuffer_, sizeof(SceneVertex))) &&
         SUCCEEDED(device->SetIndices(indexBuffer_, 0)) &&
         SUCCEEDED(
             device->DrawIndexedPrimitive(D3DPT_TRIANGLELIST, 0, VertexCount(), 0, triangleCount_));
}

void VolcanoTerrain::ReplaceTexture(IDirect3DTexture8* texture) {
  // Taking the new reference first makes handing over the same texture harmless.
  if (texture) texture->AddRef();
  SafeRelease(texture_);
  texture_ = texture;
}
