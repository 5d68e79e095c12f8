#pragma once
// The island: a static height-field mesh from a BMP height map, covered by one colour
// texture and drawn unlit as a single indexed triangle list.
#include <vector>

#include "platform/d3d8.h"
#include "world/height_map.h"

class VolcanoTerrain {
 public:
  // The island's colours, which the lava also spreads over.
  static constexpr const char* kTextureFile = "textures\\volcanotex.bmp";

  VolcanoTerrain() = default;
  ~VolcanoTerrain();
  VolcanoTerrain(const VolcanoTerrain&) = delete;
  VolcanoTerrain& operator=(const VolcanoTerrain&) = delete;

  // Loads the colour texture (optional) and the height map, and builds the island's grid.
  bool Generate(const char* heightMapFile, const char* textureFile, int xExtent, int zExtent,
                float heightScale, IDirect3DDevice8* device);
  // Builds an A x B grid over the extents whose heights are this terrain's first A x B
  // samples, into two new buffers that belong to the caller.
  bool BuildGrid(IDirect3DVertexBuffer8** vertexBuffer, IDirect3DIndexBuffer8** indexBuffer,
                 int xExtent, int zExtent, int a, int b, D3DCOLOR color, IDirect3DDevice8* device);
  bool Render(IDirect3DDevice8* device);
  // Draws with texture from now on; the terrain keeps a reference of its own.
  void ReplaceTexture(IDirect3DTexture8* texture);

  IDirect3DTexture8* Texture() const { return texture_; }
  const std::vector<float>& Heights() const { return heights_.Samples(); }
  int VertexCount() const { return heights_.Width() * heights_.Height(); }
  int TriangleCount() const { return triangleCount_; }

 private:
  void ReleaseMesh();

  IDirect3DIndexBuffer8* indexBuffer_ = nullptr;
  IDirect3DVertexBuffer8* vertexBuffer_ = nullptr;
  IDirect3DTexture8* texture_ = nullptr;
  HeightMap heights_;
  float heightScale_ = 0.0f;
  int triangleCount_ = 0;
};
