#pragma once
#include <cmath>

namespace assetgen {

struct Vec3 {
  float x = 0, y = 0, z = 0;

  Vec3 operator+(Vec3 o) const { return {x + o.x, y + o.y, z + o.z}; }
  Vec3 operator-(Vec3 o) const { return {x - o.x, y - o.y, z - o.z}; }
  Vec3 operator*(float s) const { return {x * s, y * s, z * s}; }

  float dot(Vec3 o) const { return x * o.x + y * o.y + z * o.z; }
  Vec3 cross(Vec3 o) const { return {y * o.z - z * o.y, z * o.x - x * o.z, x * o.y - y * o.x}; }
  float length() const { return std::sqrt(dot(*this)); }
  Vec3 normalized() const {
    float l = length();
    return l > 0 ? *this * (1.f / l) : *this;
  }
};

}  // namespace assetgen
