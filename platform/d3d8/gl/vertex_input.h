#pragma once
// The vertex array the backend draws with: which buffer and offset each shader attribute
// reads, set only where it changed. Draws start at their first vertex through the attribute
// offsets (OpenGL ES 3.0 has no base-vertex draws).
#include <epoxy/gl.h>

#include <array>

#include "platform/d3d8/gl/fixed_function_shader.h"
#include "platform/d3d8/gl/gl_state_cache.h"
#include "platform/d3d8/vertex_format.h"

// Where each shader attribute lies in a vertex; offset -1: not there.
struct AttributeLayout {
  struct Attribute {
    int offset = -1;
    GLint components = 0;
    GLenum type = GL_FLOAT;
    bool normalized = false;

    bool operator==(const Attribute&) const = default;
  };

  std::array<Attribute, kAttributeCount> attributes;
  GLsizei stride = 0;

  // A flexible-vertex-format vertex, stage 0 reading texture coordinate set texCoordSet.
  static AttributeLayout ForVertices(const VertexLayout& layout, UINT stride, UINT texCoordSet);
};

class VertexInput {
 public:
  explicit VertexInput(GlStateCache& state);
  ~VertexInput();
  VertexInput(const VertexInput&) = delete;
  VertexInput& operator=(const VertexInput&) = delete;

  // Points the attributes at the vertices in buffer from byte base on, advancing per vertex,
  // or per instance for point squares. Attributes the layout lacks read constants: a white
  // diffuse colour, texture coordinates 0, pointSize, layer 0.
  void Bind(const AttributeLayout& layout, GLuint buffer, GLintptr base, bool perInstance,
            float pointSize);
  // The buffer is being deleted: attributes that read it must be pointed again.
  void ForgetBuffer(GLuint buffer);

 private:
  struct Source {
    AttributeLayout::Attribute attribute;
    GLuint buffer = 0;
    GLintptr pointer = 0;
    GLsizei stride = 0;

    bool operator==(const Source&) const = default;
  };

  void BindArray(unsigned location, const Source& source, GLuint divisor);
  void BindConstant(unsigned location, const std::array<float, 4>& value);

  GlStateCache& state_;
  GLuint vertexArray_ = 0;
  std::array<Source, kAttributeCount> sources_{};
  std::array<GLuint, kAttributeCount> divisors_{};
  std::array<std::array<float, 4>, kAttributeCount> constants_{};
};
