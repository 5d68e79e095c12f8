#pragma once
#include <algorithm>
#include <cmath>
#include <cstdint>

namespace assetgen {

// A linear colour with float channels, nominally 0..1.
struct Rgb {
  float r = 0, g = 0, b = 0;

  Rgb operator+(Rgb o) const { return {r + o.r, g + o.g, b + o.b}; }
  Rgb operator-(Rgb o) const { return {r - o.r, g - o.g, b - o.b}; }
  Rgb operator*(Rgb o) const { return {r * o.r, g * o.g, b * o.b}; }
  Rgb operator*(float s) const { return {r * s, g * s, b * s}; }
  Rgb& operator+=(Rgb o) { return *this = *this + o; }

  Rgb Clamped() const {
    return {std::clamp(r, 0.f, 1.f), std::clamp(g, 0.f, 1.f), std::clamp(b, 0.f, 1.f)};
  }
};

inline Rgb Mix(Rgb a, Rgb b, float t) {
  return a + (b - a) * t;
}

// One channel as a byte, rounded to nearest.
inline uint8_t ToByte(float channel) {
  return static_cast<uint8_t>(std::lround(std::clamp(channel, 0.f, 1.f) * 255.f));
}

}  // namespace assetgen
