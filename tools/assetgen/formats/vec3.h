#pragma once
#include <cmath>

namespace assetgen {

struct Vec3 {
  float x = 0, y = 0, z = 0;

  Vec3 operator+(Vec3 o) const { return {x + o.x, y + o.y, z + o.z}; }
  Vec3 operator-(Vec3 o) const { return {x - o.x, y - o.y, z - o.z}; }
  Vec3 operator*(float s) const { return {x * s, y * s, z * s}; }

  float Dot(Vec3 o) const { return x * o.x + y * o.y + z * o.z; }
  Vec3 Cross(Vec3 o) const { return {y * o.z - z * o.y, z * o.x - x * o.z, x * o.y - y * o.x}; }
  float Length() const { return std::sqrt(Dot(*this)); }
  Vec3 Normalized() const {
    float l = Length();
    return l > 0 ? *this * (1.f / l) : *this;
  }
};

}  // namespace assetgen
