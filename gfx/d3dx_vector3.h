#pragma once
// Three-component vector with the D3DX helper names. Left-handed, y up; vectors are rows.

struct D3DXVECTOR3 {
  float x = 0.0f;
  float y = 0.0f;
  float z = 0.0f;

  D3DXVECTOR3() = default;
  constexpr D3DXVECTOR3(float vx, float vy, float vz) : x(vx), y(vy), z(vz) {}

  D3DXVECTOR3& operator+=(const D3DXVECTOR3& v) {
    x += v.x;
    y += v.y;
    z += v.z;
    return *this;
  }
  D3DXVECTOR3& operator-=(const D3DXVECTOR3& v) {
    x -= v.x;
    y -= v.y;
    z -= v.z;
    return *this;
  }
  D3DXVECTOR3& operator*=(float s) {
    x *= s;
    y *= s;
    z *= s;
    return *this;
  }
  friend D3DXVECTOR3 operator+(D3DXVECTOR3 a, const D3DXVECTOR3& b) { return a += b; }
  friend D3DXVECTOR3 operator-(D3DXVECTOR3 a, const D3DXVECTOR3& b) { return a -= b; }
  friend D3DXVECTOR3 operator*(D3DXVECTOR3 v, float s) { return v *= s; }
  friend D3DXVECTOR3 operator*(float s, D3DXVECTOR3 v) { return v *= s; }
  friend bool operator==(const D3DXVECTOR3&, const D3DXVECTOR3&) = default;
};

inline float D3DXVec3Dot(const D3DXVECTOR3* a, const D3DXVECTOR3* b) {
  return a->x * b->x + a->y * b->y + a->z * b->z;
}

float D3DXVec3Length(const D3DXVECTOR3* v);
// out may be a or b.
D3DXVECTOR3* D3DXVec3Cross(D3DXVECTOR3* out, const D3DXVECTOR3* a, const D3DXVECTOR3* b);
// A zero vector normalizes to zero. out may be v.
D3DXVECTOR3* D3DXVec3Normalize(D3DXVECTOR3* out, const D3DXVECTOR3* v);