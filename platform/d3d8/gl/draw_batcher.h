#pragma once
// Merges runs of small DrawPrimitiveUP draws that differ only in their world transform and in
// which small texture of one size and format they sample (the console's glyph quads). Their
// vertices are transformed on the CPU and carry their texture's layer in a shared array; the
// run is drawn as one triangle list when something else comes along.
#include <cstdint>
#include <vector>

#include "platform/d3d8/device_backend.h"
#include "platform/d3d8/gl/draw_settings.h"
#include "platform/d3d8/gl/matrix4.h"
#include "platform/d3d8/gl/texture_array_pool.h"
#include "platform/d3d8/gl/vertex_input.h"

// A vertex of a merged draw: world position, D3DCOLOR, texture coordinates, texture layer.
struct MergedVertex {
  float x, y, z;
  uint32_t diffuse;
  float u, v;
  float layer;
};

class DrawBatcher {
 public:
  // Triangles of a few untransformed vertices from the caller's memory, under an affine world
  // transform: cheap to transform here, costly to draw one by one.
  static bool Suits(const DrawCall& call, const VertexLayout& layout);
  static const AttributeLayout& Layout();

  // Whether a draw with these settings, sampling a texture of that class, joins the run.
  bool Continues(const DrawSettings& settings, const TextureClass& textureClass) const;
  void Start(const DrawSettings& settings, const TextureClass& textureClass);
  // Adds the draw's triangles as a list, in their order and winding.
  void Append(const DrawCall& call, const VertexLayout& layout, UINT texCoordSet,
              const Matrix4& world, float layer);

  bool Empty() const { return vertices_.empty(); }
  const DrawSettings& Settings() const { return settings_; }
  const TextureClass& Class() const { return textureClass_; }
  const std::vector<MergedVertex>& Vertices() const { return vertices_; }
  void Clear() { vertices_.clear(); }

 private:
  void Emit(UINT a, UINT b, UINT c);

  DrawSettings settings_;
  TextureClass textureClass_;
  std::vector<MergedVertex> corners_;  // the current draw's vertices, transformed
  std::vector<MergedVertex> vertices_;
};
