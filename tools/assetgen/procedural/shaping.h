#pragma once
#include <algorithm>

namespace assetgen {

// 0 below edge0, 1 above edge1, a smooth S between (edges may be given in either order).
inline float Smoothstep(float edge0, float edge1, float x) {
  float t = std::clamp((x - edge0) / (edge1 - edge0), 0.f, 1.f);
  return t * t * (3 - 2 * t);
}

}  // namespace assetgen
