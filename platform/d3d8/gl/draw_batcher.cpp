#include "platform/d3d8/gl/draw_batcher.h"

#include <cstddef>
#include <cstring>

namespace {

constexpr UINT kMaxMergedVertices = 64;

float FloatAt(const uint8_t* bytes) {
  float value;
  std::memcpy(&value, bytes, sizeof value);
  return value;
}

AttributeLayout MergedLayout() {
  AttributeLayout layout;
  layout.stride = sizeof(MergedVertex);
  layout.attributes[kPositionAttribute] = {offsetof(MergedVertex, x), 3, GL_FLOAT, false};
  layout.attributes[kDiffuseAttribute] = {offsetof(MergedVertex, diffuse), 4, GL_UNSIGNED_BYTE,
                                          true};
  layout.attributes[kTexCoordAttribute] = {offsetof(MergedVertex, u), 2, GL_FLOAT, false};
  layout.attributes[kLayerAttribute] = {offsetof(MergedVertex, layer), 1, GL_FLOAT, false};
  return layout;
}

}  // namespace

bool DrawBatcher::Suits(const DrawCall& call, const VertexLayout& layout) {
  const bool triangles = call.type == D3DPT_TRIANGLELIST || call.type == D3DPT_TRIANGLESTRIP ||
                         call.type == D3DPT_TRIANGLEFAN;
  return triangles && call.vertices.buffer == nullptr && call.indices.data == nullptr &&
         !layout.transformed && call.vertexCount <= kMaxMergedVertices &&
         Matrix4::From(call.state->world).IsAffine();
}

const AttributeLayout& DrawBatcher::Layout() {
  static const AttributeLayout layout = MergedLayout();
  return layout;
}

bool DrawBatcher::Continues(const DrawSettings& settings, const TextureClass& textureClass) const {
  return !Empty() && settings == settings_ && textureClass == textureClass_;
}

void DrawBatcher::Start(const DrawSettings& settings, const TextureClass& textureClass) {
  settings_ = settings;
  textureClass_ = textureClass;
  vertices_.clear();
}

void DrawBatcher::Append(const DrawCall& call, const VertexLayout& layout, UINT texCoordSet,
                         const Matrix4& world, float layer) {
  corners_.resize(call.vertexCount);
  const uint8_t* vertex = call.vertices.data + size_t{call.firstVertex} * call.stride;
  for (MergedVertex& corner : corners_) {
    const uint8_t* position = vertex + layout.position;
    const auto [x, y, z] =
        world.TransformPoint(FloatAt(position), FloatAt(position + 4), FloatAt(position + 8));
    corner = {x, y, z, 0xFFFFFFFF, 0.0f, 0.0f, layer};
    if (layout.diffuse >= 0) std::memcpy(&corner.diffuse, vertex + layout.diffuse, 4);
    if (texCoordSet < layout.texCoordCount) {
      corner.u = FloatAt(vertex + layout.texCoords[texCoordSet]);
      corner.v = FloatAt(vertex + layout.texCoords[texCoordSet] + 4);
    }
    vertex += call.stride;
  }
  for (UINT k = 0; k < call.primitiveCount; ++k) {
    switch (call.type) {
      case D3DPT_TRIANGLESTRIP:
        // Every second triangle of a strip runs the other way; swapping two keeps its winding.
        k % 2 == 0 ? Emit(k, k + 1, k + 2) : Emit(k + 1, k, k + 2);
        break;
      case D3DPT_TRIANGLEFAN:
        Emit(0, k + 1, k + 2);
        break;
      default:
        Emit(3 * k, 3 * k + 1, 3 * k + 2);
        break;
    }
  }
}

void DrawBatcher::Emit(UINT a, UINT b, UINT c) {
  vertices_.push_back(corners_[a]);
  vertices_.push_back(corners_[b]);
  vertices_.push_back(corners_[c]);
}
