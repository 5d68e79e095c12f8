#pragma once
// Row-major 4x4 matrix with the D3DX helper names. It is a D3DMATRIX (same memory layout), so a
// pointer to one goes to SetTransform unchanged. Vectors are rows: p' = p * M, translation in
// _41.._43, and M1 * M2 applies M1 first. Every function returns its out pointer.
#include "gfx/d3dx_quaternion.h"
#include "gfx/d3dx_vector3.h"
#include "platform/d3d8.h"

struct D3DXMATRIX : D3DMATRIX {
  // All zero.
  D3DXMATRIX() : D3DMATRIX{} {}
  D3DXMATRIX(const D3DMATRIX& m) : D3DMATRIX(m) {}
  D3DXMATRIX(float m11, float m12, float m13, float m14, float m21, float m22, float m23, float m24,
             float m31, float m32, float m33, float m34, float m41, float m42, float m43,
             float m44);

  D3DXMATRIX operator*(const D3DXMATRIX& rhs) const;
};
static_assert(sizeof(D3DXMATRIX) == sizeof(D3DMATRIX));

D3DXMATRIX* D3DXMatrixIdentity(D3DXMATRIX* out);
// out = m1 * m2; out may be m1 or m2.
D3DXMATRIX* D3DXMatrixMultiply(D3DXMATRIX* out, const D3DXMATRIX* m1, const D3DXMATRIX* m2);
D3DXMATRIX* D3DXMatrixScaling(D3DXMATRIX* out, float sx, float sy, float sz);
D3DXMATRIX* D3DXMatrixTranslation(D3DXMATRIX* out, float x, float y, float z);
// The rotation matrix of a unit quaternion, for row vectors.
D3DXMATRIX* D3DXMatrixRotationQuaternion(D3DXMATRIX* out, const D3DXQUATERNION* q);
// Stores the determinant when determinant is not null. Returns null and leaves out untouched
// when the matrix has no inverse (1 / determinant is not finite).
D3DXMATRIX* D3DXMatrixInverse(D3DXMATRIX* out, float* determinant, const D3DXMATRIX* m);
// Scaling, then rotation about rotationCenter (or the origin), then translation. Any pointer may
// be null.
D3DXMATRIX* D3DXMatrixAffineTransformation(D3DXMATRIX* out, float scaling,
                                           const D3DXVECTOR3* rotationCenter,
                                           const D3DXQUATERNION* rotation,
                                           const D3DXVECTOR3* translation);
D3DXMATRIX* D3DXMatrixLookAtLH(D3DXMATRIX* out, const D3DXVECTOR3* eye, const D3DXVECTOR3* at,
                               const D3DXVECTOR3* up);
// Maps view depth zn..zf to 0..1 with w = view z.
D3DXMATRIX* D3DXMatrixPerspectiveFovLH(D3DXMATRIX* out, float fovY, float aspect, float zn,
                                       float zf);
D3DXMATRIX* D3DXMatrixOrthoLH(D3DXMATRIX* out, float w, float h, float zn, float zf);
// The 3x3 part of m applied to the row vector v, no translation. out may be v.
D3DXVECTOR3* D3DXVec3TransformNormal(D3DXVECTOR3* out, const D3DXVECTOR3* v, const D3DXMATRIX* m);
