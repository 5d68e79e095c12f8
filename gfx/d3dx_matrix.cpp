#include "gfx/d3dx_matrix.h"

#include <cmath>

D3DXMATRIX::D3DXMATRIX(float m11, float m12, float m13, float m14, float m21, float m22, float m23,
                       float m24, float m31, float m32, float m33, float m34, float m41, float m42,
                       float m43, float m44)
    : D3DMATRIX{} {
  _11 = m11, _12 = m12, _13 = m13, _14 = m14;
  _21 = m21, _22 = m22, _23 = m23, _24 = m24;
  _31 = m31, _32 = m32, _33 = m33, _34 = m34;
  _41 = m41, _42 = m42, _43 = m43, _44 = m44;
}

D3DXMATRIX D3DXMATRIX::operator*(const D3DXMATRIX& rhs) const {
  D3DXMATRIX product;
  D3DXMatrixMultiply(&product, this, &rhs);
  return product;
}

D3DXMATRIX* D3DXMatrixIdentity(D3DXMATRIX* out) {
  return D3DXMatrixScaling(out, 1, 1, 1);
}

D3DXMATRIX* D3DXMatrixMultiply(D3DXMATRIX* out, const D3DXMATRIX* m1, const D3DXMATRIX* m2) {
  // Formed apart first: out may be one of the inputs.
  D3DXMATRIX product;
  for (int i = 0; i < 4; ++i) {
    for (int j = 0; j < 4; ++j) {
      double sum = 0.0;
      for (int k = 0; k < 4; ++k) sum += double{m1->m[i][k]} * m2->m[k][j];
      product.m[i][j] = static_cast<float>(sum);
    }
  }
  *out = product;
  return out;
}

D3DXMATRIX* D3DXMatrixScaling(D3DXMATRIX* out, float sx, float sy, float sz) {
  *out = D3DXMATRIX();
  out->_11 = sx;
  out->_22 = sy;
  out->_33 = sz;
  out->_44 = 1.0f;
  return out;
}

D3DXMATRIX* D3DXMatrixTranslation(D3DXMATRIX* out, float x, float y, float z) {
  D3DXMatrixIdentity(out);
  out->_41 = x;
  out->_42 = y;
  out->_43 = z;
  return out;
}

namespace {

// Determinant of the 3x3 matrix left when row `row` and column `col` are struck out.
double Minor(const D3DXMATRIX& m, int row, int col) {
  int rows[3], cols[3];
  for (int i = 0, r = 0, c = 0; i < 4; ++i) {
    if (i != row) rows[r++] = i;
    if (i != col) cols[c++] = i;
  }
  auto at = [&](int r, int c) { return double{m.m[rows[r]][cols[c]]}; };
  return at(0, 0) * (at(1, 1) * at(2, 2) - at(1, 2) * at(2, 1)) -
         at(0, 1) * (at(1, 0) * at(2, 2) - at(1, 2) * at(2, 0)) +
         at(0, 2) * (at(1, 0) * at(2, 1) - at(1, 1) * at(2, 0));
}

}  // namespace

D3DXMATRIX* D3DXMatrixInverse(D3DXMATRIX* out, float* determinant, const D3DXMATRIX* m) {
  double cofactor[4][4];
  for (int i = 0; i < 4; ++i) {
    for (int j = 0; j < 4; ++j) cofactor[i][j] = ((i + j) % 2 ? -1.0 : 1.0) * Minor(*m, i, j);
  }
  double det = 0.0;
  for (int j = 0; j < 4; ++j) det += double{m->m[0][j]} * cofactor[0][j];

  const float singleDet = static_cast<float>(det);
  if (determinant) *determinant = singleDet;
  if (!std::isfinite(1.0f / singleDet)) return nullptr;
  // The inverse is the transposed cofactor matrix over the determinant.
  for (int i = 0; i < 4; ++i) {
    for (int j = 0; j < 4; ++j) out->m[i][j] = static_cast<float>(cofactor[j][i] / det);
  }
  return out;
}

D3DXMATRIX* D3DXMatrixRotationQuaternion(D3DXMATRIX* out, const D3DXQUATERNION* q) {
  const float x = q->x, y = q->y, z = q->z, w = q->w;
  *out =
      D3DXMATRIX(1 - 2 * (y * y + z * z), 2 * (x * y + z * w), 2 * (x * z - y * w), 0,
                 2 * (x * y - z * w), 1 - 2 * (x * x + z * z), 2 * (y * z + x * w), 0,
                 2 * (x * z + y * w), 2 * (y * z - x * w), 1 - 2 * (x * x + y * y), 0, 0, 0, 0, 1);
  return out;
}

D3DXVECTOR3* D3DXVec3TransformNormal(D3DXVECTOR3* out, const D3DXVECTOR3* v, const D3DXMATRIX* m) {
  const D3DXVECTOR3 in = *v;
  out->x = in.x * m->_11 + in.y * m->_21 + in.z * m->_31;
  out->y = in.x * m->_12 + in.y * m->_22 + in.z * m->_32;
  out->z = in.x * m->_13 + in.y * m->_23 + in.z * m->_33;
  return out;
}

D3DXMATRIX* D3DXMatrixAffineTransformation(D3DXMATRIX* out, float scaling,
                                           const D3DXVECTOR3* rotationCenter,
                                           const D3DXQUATERNION* rotation,
                                           const D3DXVECTOR3* translation) {
  D3DXMATRIX result;
  D3DXMatrixScaling(&result, scaling, scaling, scaling);
  if (rotation) {
    const D3DXVECTOR3 centre = rotationCenter ? *rotationCenter : D3DXVECTOR3();
    result._41 -= centre.x;
    result._42 -= centre.y;
    result._43 -= centre.z;
    D3DXMATRIX turn;
    D3DXMatrixMultiply(&result, &result, D3DXMatrixRotationQuaternion(&turn, rotation));
    result._41 += centre.x;
    result._42 += centre.y;
    result._43 += centre.z;
  }
  if (translation) {
    result._41 += translation->x;
    result._42 += translation->y;
    result._43 += translation->z;
  }
  *out = result;
  return out;
}

D3DXMATRIX* D3DXMatrixLookAtLH(D3DXMATRIX* out, const D3DXVECTOR3* eye, const D3DXVECTOR3* at,
                               const D3DXVECTOR3* up) {
  D3DXVECTOR3 zaxis = *at - *eye, xaxis, yaxis;
  D3DXVec3Normalize(&zaxis, &zaxis);
  D3DXVec3Normalize(&xaxis, D3DXVec3Cross(&xaxis, up, &zaxis));
  D3DXVec3Cross(&yaxis, &zaxis, &xaxis);
  *out = D3DXMATRIX(xaxis.x, yaxis.x, zaxis.x, 0,  //
                    xaxis.y, yaxis.y, zaxis.y, 0,  //
                    xaxis.z, yaxis.z, zaxis.z, 0,  //
                    -D3DXVec3Dot(&xaxis, eye), -D3DXVec3Dot(&yaxis, eye), -D3DXVec3Dot(&zaxis, eye),
                    1);
  return out;
}

D3DXMATRIX* D3DXMatrixPerspectiveFovLH(D3DXMATRIX* out, float fovY, float aspect, float zn,
                                       float zf) {
  const double yScale = std::cos(fovY / 2.0) / std::sin(fovY / 2.0);
  const double depth = double{zf} - zn;
  *out = D3DXMATRIX();
  out->_11 = static_cast<float>(yScale / aspect);
  out->_22 = static_cast<float>(yScale);
  out->_33 = static_cast<float>(zf / depth);
  out->_34 = 1.0f;
  out->_43 = static_cast<float>(-double{zn} * zf / depth);
  return out;
}

D3DXMATRIX* D3DXMatrixOrthoLH(D3DXMATRIX* out, float w, float h, float zn, float zf) {
  const double depth = double{zf} - zn;
  *out = D3DXMATRIX();
  out->_11 = 2.0f / w;
  out->_22 = 2.0f / h;
  out->_33 = static_cast<float>(1.0 / depth);
  out->_43 = static_cast<float>(-zn / depth);
  out->_44 = 1.0f;
  return out;
}
