#include "gfx/d3dx_vector3.h"

#include <cmath>

#include "gfx/d3dx_matrix.h"

float D3DXVec3Length(const D3DXVECTOR3* v) {
  return std::sqrt(D3DXVec3Dot(v, v));
}

D3DXVECTOR3* D3DXVec3Cross(D3DXVECTOR3* out, const D3DXVECTOR3* a, const D3DXVECTOR3* b) {
  const D3DXVECTOR3 cross(a->y * b->z - a->z * b->y, a->z * b->x - a->x * b->z,
                          a->x * b->y - a->y * b->x);
  *out = cross;
  return out;
}

D3DXVECTOR3* D3DXVec3Normalize(D3DXVECTOR3* out, const D3DXVECTOR3* v) {
  const float length = D3DXVec3Length(v);
  *out = length > 0.0f ? *v * (1.0f / length) : D3DXVECTOR3();
  return out;
}

D3DXVECTOR3* D3DXVec3TransformNormal(D3DXVECTOR3* out, const D3DXVECTOR3* v, const D3DXMATRIX* m) {
  const D3DXVECTOR3 in = *v;
  out->x = in.x * m->_11 + in.y * m->_21 + in.z * m->_31;
  out->y = in.x * m->_12 + in.y * m->_22 + in.z * m->_32;
  out->z = in.x * m->_13 + in.y * m->_23 + in.z * m->_33;
  return out;
}
