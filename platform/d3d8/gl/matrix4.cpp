#include "platform/d3d8/gl/matrix4.h"

#include <cstring>

Matrix4 Matrix4::From(const D3DMATRIX& matrix) {
  Matrix4 result;
  std::memcpy(result.m.data(), &matrix.m[0][0], sizeof result.m);
  return result;
}

Matrix4 Matrix4::Identity() {
  Matrix4 result;
  result.m[0] = result.m[5] = result.m[10] = result.m[15] = 1.0f;
  return result;
}

Matrix4 Matrix4::Then(const Matrix4& other) const {
  Matrix4 result;
  for (int row = 0; row < 4; ++row) {
    for (int column = 0; column < 4; ++column) {
      float sum = 0.0f;
      for (int k = 0; k < 4; ++k) sum += m[row * 4 + k] * other.m[k * 4 + column];
      result.m[row * 4 + column] = sum;
    }
  }
  return result;
}

std::array<float, 3> Matrix4::TransformPoint(float x, float y, float z) const {
  std::array<float, 3> result;
  for (int column = 0; column < 3; ++column) {
    result[column] = x * m[column] + y * m[4 + column] + z * m[8 + column] + m[12 + column];
  }
  return result;
}

bool Matrix4::IsAffine() const {
  return m[3] == 0.0f && m[7] == 0.0f && m[11] == 0.0f && m[15] == 1.0f;
}
