#pragma once
// The GLSL of the fixed-function pipeline: one vertex and one fragment source for every state
// combination, specialised by #defines that a FixedFunctionKey chooses.
#include <string>

#include "platform/d3d8/gl/fixed_function_key.h"

// Vertex attribute locations shared by the shaders and the vertex input.
enum VertexAttribute : unsigned {
  kPositionAttribute,
  kDiffuseAttribute,
  kTexCoordAttribute,
  kPointSizeAttribute,
  kLayerAttribute,
  kAttributeCount,
};

class FixedFunctionShader {
 public:
  static std::string VertexSource(const FixedFunctionKey& key);
  static std::string FragmentSource(const FixedFunctionKey& key);
};
