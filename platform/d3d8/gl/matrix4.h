#pragma once
// A Direct3D matrix as the GL side keeps it: sixteen floats in Direct3D's row-major order.
// Uploaded untransposed, GL reads it as the transpose, which multiplies column vectors exactly
// as the Direct3D matrix multiplies row vectors.
#include <array>

#include "platform/d3d8.h"

struct Matrix4 {
  std::array<float, 16> m{};

  static Matrix4 From(const D3DMATRIX& matrix);
  static Matrix4 Identity();
  // this * other, in Direct3D's row-vector order: the result applies this first.
  Matrix4 Then(const Matrix4& other) const;
  // The point (x, y, z, 1) times this matrix, without the w column.
  std::array<float, 3> TransformPoint(float x, float y, float z) const;
  // Whether the last column is (0, 0, 0, 1), so points stay points without a divide.
  bool IsAffine() const;

  bool operator==(const Matrix4&) const = default;
};
