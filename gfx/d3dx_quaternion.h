#pragma once
// Rotation quaternion (x, y, z, w) with the D3DX helper names.

struct D3DXQUATERNION {
  float x = 0.0f;
  float y = 0.0f;
  float z = 0.0f;
  float w = 0.0f;

  D3DXQUATERNION() = default;
  constexpr D3DXQUATERNION(float qx, float qy, float qz, float qw) : x(qx), y(qy), z(qz), w(qw) {}
  friend bool operator==(const D3DXQUATERNION&, const D3DXQUATERNION&) = default;
};

// Yaw turns about y, pitch about x, roll about z; applied roll, then pitch, then yaw.
D3DXQUATERNION* D3DXQuaternionRotationYawPitchRoll(D3DXQUATERNION* out, float yaw, float pitch,
                                                   float roll);