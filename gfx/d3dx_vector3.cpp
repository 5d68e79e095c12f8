#include "gfx/d3dx_vector3.h"

#include <cmath>

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
