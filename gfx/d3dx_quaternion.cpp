#include "gfx/d3dx_quaternion.h"

#include <cmath>

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
