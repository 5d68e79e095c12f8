#include "platform/d3d8/gl/vertex_input.h"

AttributeLayout AttributeLayout::ForVertices(const VertexLayout& layout, UINT stride,
                                             UINT texCoordSet) {
  AttributeLayout result;
  result.stride = static_cast<GLsizei>(stride);
  result.attributes[kPositionAttribute] = {layout.position, layout.transformed ? 4 : 3, GL_FLOAT,
                                           false};
  if (layout.diffuse >= 0) {
    result.attributes[kDiffuseAttribute] = {layout.diffuse, 4, GL_UNSIGNED_BYTE, true};
  }
  if (texCoordSet < layout.texCoordCount) {
    result.attributes[kTexCoordAttribute] = {layout.texCoords[texCoordSet], 2, GL_FLOAT, false};
  }
  if (layout.pointSize >= 0) {
    result.attributes[kPointSizeAttribute] = {layout.pointSize, 1, GL_FLOAT, false};
  }
  return result;
}

VertexInput::VertexInput(GlStateCache& state) : state_(state) {
  glGenVertexArrays(1, &vertexArray_);
  glBindVertexArray(vertexArray_);
  for (unsigned location = 0; location < kAttributeCount; ++location) {
    glVertexAttrib4f(location, 0.0f, 0.0f, 0.0f, 1.0f);
    constants_[location] = {0.0f, 0.0f, 0.0f, 1.0f};
  }
}

VertexInput::~VertexInput() {
  glDeleteVertexArrays(1, &vertexArray_);
}

void VertexInput::Bind(const AttributeLayout& layout, GLuint buffer, GLintptr base,
                       bool perInstance, float pointSize) {
  for (unsigned location = 0; location < kAttributeCount; ++location) {
    const AttributeLayout::Attribute& attribute = layout.attributes[location];
    if (attribute.offset >= 0) {
      BindArray(location, {attribute, buffer, base + attribute.offset, layout.stride},
                perInstance ? 1u : 0u);
      continue;
    }
    BindArray(location, Source{}, 0);
    if (location == kDiffuseAttribute) {
      BindConstant(location, {1.0f, 1.0f, 1.0f, 1.0f});
    } else if (location == kPointSizeAttribute) {
      BindConstant(location, {pointSize, 0.0f, 0.0f, 1.0f});
    } else {
      BindConstant(location, {0.0f, 0.0f, 0.0f, 1.0f});
    }
  }
}

void VertexInput::ForgetBuffer(GLuint buffer) {
  for (Source& source : sources_) {
    if (source.buffer == buffer) source.buffer = 0;
  }
}

// A Source without an attribute turns the array off.
void VertexInput::BindArray(unsigned location, const Source& source, GLuint divisor) {
  const bool enabled = source.attribute.offset >= 0;
  if (enabled && divisor != divisors_[location]) {
    glVertexAttribDivisor(location, divisor);
    divisors_[location] = divisor;
  }
  Source& bound = sources_[location];
  if (source == bound) return;
  if (enabled != (bound.attribute.offset >= 0)) {
    enabled ? glEnableVertexAttribArray(location) : glDisableVertexAttribArray(location);
  }
  if (enabled) {
    state_.BindBuffer(GL_ARRAY_BUFFER, source.buffer);
    glVertexAttribPointer(location, source.attribute.components, source.attribute.type,
                          source.attribute.normalized ? GL_TRUE : GL_FALSE, source.stride,
                          reinterpret_cast<const void*>(source.pointer));
  }
  bound = source;
}

void VertexInput::BindConstant(unsigned location, const std::array<float, 4>& value) {
  if (value == constants_[location]) return;
  glVertexAttrib4fv(location, value.data());
  constants_[location] = value;
}
