// Vector, quaternion and matrix operations: the values and conventions the drawing code relies
// on (row vectors, left-handed, translation in the last row).
#include <gtest/gtest.h>

#include <numbers>
#include <tuple>

#include "gfx/d3dx_matrix.h"

namespace {

constexpr float kPi = std::numbers::pi_v<float>;

D3DXMATRIX Sample(float offset) {
  D3DXMATRIX m;
  for (int i = 0; i < 16; ++i) m.m[i / 4][i % 4] = offset + static_cast<float>(i * i % 7) - 2.5f;
  return m;
}

void ExpectNear(const D3DXMATRIX& actual, const D3DXMATRIX& expected, float tolerance = 1e-5f) {
  for (int i = 0; i < 4; ++i) {
    for (int j = 0; j < 4; ++j) {
      EXPECT_NEAR(actual.m[i][j], expected.m[i][j], tolerance) << "element " << i + 1 << j + 1;
    }
  }
}

D3DXVECTOR3 TransformPoint(const D3DXVECTOR3& p, const D3DXMATRIX& m) {
  D3DXVECTOR3 v;
  D3DXVec3TransformNormal(&v, &p, &m);
  return v + D3DXVECTOR3(m._41, m._42, m._43);
}

void ExpectNear(const D3DXVECTOR3& actual, const D3DXVECTOR3& expected, float tolerance = 1e-5f) {
  EXPECT_NEAR(actual.x, expected.x, tolerance);
  EXPECT_NEAR(actual.y, expected.y, tolerance);
  EXPECT_NEAR(actual.z, expected.z, tolerance);
}

D3DXMATRIX YawPitchRoll(float yaw, float pitch, float roll) {
  D3DXQUATERNION q;
  D3DXMATRIX m;
  D3DXQuaternionRotationYawPitchRoll(&q, yaw, pitch, roll);
  return *D3DXMatrixRotationQuaternion(&m, &q);
}

TEST(MatrixMultiply, LeftAppliesFirstAndSafeWhenTheOutputIsAnInput) {
  D3DXMATRIX scale, move;
  D3DXMatrixScaling(&scale, 2, 3, 4);
  D3DXMatrixTranslation(&move, 5, 6, 7);
  ExpectNear(scale * move, D3DXMATRIX(2, 0, 0, 0, 0, 3, 0, 0, 0, 0, 4, 0, 5, 6, 7, 1));
  // Row vectors: moved first, then scaled, the move is scaled too.
  ExpectNear(move * scale, D3DXMATRIX(2, 0, 0, 0, 0, 3, 0, 0, 0, 0, 4, 0, 10, 18, 28, 1));
  const D3DXMATRIX a = Sample(0.0f), b = Sample(1.0f), expected = a * b;
  D3DXMATRIX left = a, right = b;
  ExpectNear(*D3DXMatrixMultiply(&left, &left, &b), expected);
  ExpectNear(*D3DXMatrixMultiply(&right, &a, &right), expected);
}

TEST(MatrixProjections, OrthographicAndThirtyDegreePerspective) {
  D3DXMATRIX m;
  D3DXMatrixOrthoLH(&m, 800, 600, 1, 101);
  ExpectNear(m,
             D3DXMATRIX(2.0f / 800, 0, 0, 0, 0, 2.0f / 600, 0, 0, 0, 0, 0.01f, 0, 0, 0, -0.01f, 1));
  const float cot15 = 3.7320507f, depth = 1000.0f / 999.0f;
  D3DXMatrixPerspectiveFovLH(&m, 0.5235988f, 1.0f, 1.0f, 1000.0f);
  ExpectNear(m, D3DXMATRIX(cot15, 0, 0, 0, 0, cot15, 0, 0, 0, 0, depth, 1, 0, 0, -depth, 0));
  D3DXMatrixPerspectiveFovLH(&m, kPi / 2, 2.0f, 1.0f, 1000.0f);  // the aspect narrows x
  ExpectNear(m, D3DXMATRIX(0.5f, 0, 0, 0, 0, 1, 0, 0, 0, 0, depth, 1, 0, 0, -depth, 0));
}

// A singular matrix gives null and leaves the output alone.
TEST(MatrixInverse, InvertsReportingTheDeterminantOrRefusesSingularMatrices) {
  D3DXMATRIX scale, move;
  D3DXMatrixScaling(&scale, 2, 4, 0.5f);
  D3DXMatrixTranslation(&move, 3, -1, 7);
  const D3DXMATRIX m = scale * YawPitchRoll(0.7f, 0, 0) * move;
  D3DXMATRIX inverse, identity;
  float determinant = 0;
  ASSERT_EQ(D3DXMatrixInverse(&inverse, &determinant, &m), &inverse);
  EXPECT_FLOAT_EQ(determinant, 4.0f);
  ExpectNear(m * inverse, *D3DXMatrixIdentity(&identity));  // so inverse * m is too
  D3DXMATRIX flat, out = Sample(9.0f);
  D3DXMatrixScaling(&flat, 1, 0, 1);
  EXPECT_EQ(D3DXMatrixInverse(&out, &determinant, &flat), nullptr);
  EXPECT_EQ(determinant, 0.0f);
  ExpectNear(out, Sample(9.0f), 0.0f);
}

TEST(Vec3TransformNormal, UsesTheThreeByThreePartOnlyEvenInPlace) {
  const D3DXMATRIX m(1, 2, 3, 100, 4, 5, 6, 100, 7, 8, 9, 100, 50, 50, 50, 1);
  D3DXVECTOR3 v(1, 2, 3);
  EXPECT_EQ(D3DXVec3TransformNormal(&v, &v, &m), &v);  // every component reads the original
  EXPECT_EQ(v, D3DXVECTOR3(30, 36, 42));
}

// Left-handed quarter turns: yaw takes +z to +x, pitch takes +z to -y, roll takes +x to +y; a
// turn about all three applies the roll first, then the pitch, then the yaw.
TEST(QuaternionYawPitchRoll, TurnsLeftHandedRollThenPitchThenYaw) {
  ExpectNear(TransformPoint({0, 0, 1}, YawPitchRoll(kPi / 2, 0, 0)), {1, 0, 0});
  ExpectNear(TransformPoint({0, 0, 1}, YawPitchRoll(0, kPi / 2, 0)), {0, -1, 0});
  ExpectNear(TransformPoint({1, 0, 0}, YawPitchRoll(0, 0, kPi / 2)), {0, 1, 0});
  for (const auto& [yaw, pitch, roll] : {std::tuple{0.3f, -1.1f, 2.0f}, {-2.5f, 0.4f, -0.9f}}) {
    SCOPED_TRACE(testing::Message() << yaw << " " << pitch << " " << roll);
    ExpectNear(YawPitchRoll(yaw, pitch, roll),
               YawPitchRoll(0, 0, roll) * YawPitchRoll(0, pitch, 0) * YawPitchRoll(yaw, 0, 0));
  }
}

TEST(MatrixAffineTransformation, ScalesRotatesAndMoves) {
  D3DXQUATERNION quarterYaw;
  D3DXQuaternionRotationYawPitchRoll(&quarterYaw, kPi / 2, 0, 0);
  const D3DXVECTOR3 move(0, 5, 0);
  D3DXMATRIX m;
  D3DXMatrixAffineTransformation(&m, 2, nullptr, nullptr, nullptr);
  ExpectNear(m, D3DXMATRIX(2, 0, 0, 0, 0, 2, 0, 0, 0, 0, 2, 0, 0, 0, 0, 1));
  // (1, 0, 1) scaled to (2, 0, 2), a quarter yaw makes it (2, 0, -2), then moved.
  D3DXMatrixAffineTransformation(&m, 2, nullptr, &quarterYaw, &move);
  ExpectNear(TransformPoint({1, 0, 1}, m), {2, 5, -2});
}

}  // namespace
