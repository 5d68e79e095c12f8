#include "gfx/d3dx_quaternion.h"

#include <cmath>

#include "gfx/d3dx_matrix.h"

D3DXQUATERNION* D3DXQuaternionRotationYawPitchRoll(D3DXQUATERNION* out, float yaw, float pitch,
                                                   float roll) {
  const double sy = std::sin(yaw * 0.5), cy = std::cos(yaw * 0.5);
  const double sp = std::sin(pitch * 0.5), cp = std::cos(pitch * 0.5);
  const double sr = std::sin(roll * 0.5), cr = std::cos(roll * 0.5);
  out->x = static_cast<float>(cr * cy * sp + sr * sy * cp);
  out->y = static_cast<float>(cr * sy * cp - sr * cy * sp);
  out->z = static_cast<float>(sr * cy * cp - cr * sy * sp);
  out->w = static_cast<float>(sr * sy * sp + cr * cy * cp);
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
