#include "tools/assetgen/procedural/gradient_noise.h"

#include <algorithm>
#include <cmath>
#include <numbers>

#include "tools/assetgen/procedural/random_stream.h"

namespace assetgen {

namespace {
float Fade(float t) {
  return t * t * t * (t * (t * 6 - 15) + 10);
}

int Wrap(int value, int period) {
  if (period <= 0) return value;
  int r = value % period;
  return r < 0 ? r + period : r;
}

// Whole-cell shifts keep the octaves from all vanishing at the origin without breaking the period.
float OctaveShift(int octave) {
  return 37.f * octave;
}

// Unit gradients reach about +-0.7 in two dimensions; this brings the range near +-1.
constexpr float kRangeScale = 1.41f;
}  // namespace

GradientNoise::GradientNoise(uint64_t seed) {
  for (int i = 0; i < 256; ++i) permutation_[i] = static_cast<uint8_t>(i);
  RandomStream random(seed);
  for (int i = 255; i > 0; --i) std::swap(permutation_[i], permutation_[random.Below(i + 1)]);
  for (size_t k = 0; k < gradients_.size(); ++k) {
    double angle = (k + 0.5) * 2 * std::numbers::pi / gradients_.size();
    gradients_[k] = {static_cast<float>(std::cos(angle)), static_cast<float>(std::sin(angle))};
  }
}

float GradientNoise::CornerContribution(int ix, int iy, float dx, float dy) const {
  int hash = permutation_[(permutation_[ix & 255] + iy) & 255];
  const auto& g = gradients_[hash & 15];
  return g[0] * dx + g[1] * dy;
}

float GradientNoise::At(float x, float y, int period) const {
  float fx = std::floor(x);
  float fy = std::floor(y);
  int x0 = static_cast<int>(fx);
  int y0 = static_cast<int>(fy);
  float dx = x - fx;
  float dy = y - fy;
  int xa = Wrap(x0, period), xb = Wrap(x0 + 1, period);
  int ya = Wrap(y0, period), yb = Wrap(y0 + 1, period);
  float n00 = CornerContribution(xa, ya, dx, dy);
  float n10 = CornerContribution(xb, ya, dx - 1, dy);
  float n01 = CornerContribution(xa, yb, dx, dy - 1);
  float n11 = CornerContribution(xb, yb, dx - 1, dy - 1);
  float u = Fade(dx);
  float v = Fade(dy);
  float bottom = n00 + (n10 - n00) * u;
  float top = n01 + (n11 - n01) * u;
  return (bottom + (top - bottom) * v) * kRangeScale;
}

float GradientNoise::Fbm(float x, float y, int octaves, int period) const {
  float sum = 0, amplitude = 1, total = 0;
  for (int o = 0; o < octaves; ++o) {
    sum += At(x + OctaveShift(o), y, period) * amplitude;
    total += amplitude;
    x *= 2;
    y *= 2;
    period *= 2;
    amplitude *= 0.5f;
  }
  return sum / total;
}

float GradientNoise::Ridged(float x, float y, int octaves, int period) const {
  // Each octave is weighted by the crest of the one before, so detail gathers on the ridges.
  float sum = 0, amplitude = 1, total = 0, weight = 1;
  for (int o = 0; o < octaves; ++o) {
    float crest = 1 - std::fabs(At(x + OctaveShift(o), y, period));
    crest *= crest;
    sum += crest * amplitude * weight;
    total += amplitude;
    weight = std::clamp(crest * 1.5f, 0.f, 1.f);
    x *= 2;
    y *= 2;
    period *= 2;
    amplitude *= 0.5f;
  }
  return std::clamp(sum / total, 0.f, 1.f);
}

}  // namespace assetgen
