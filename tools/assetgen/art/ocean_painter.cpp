#include "tools/assetgen/art/ocean_painter.h"

#include <algorithm>
#include <cmath>
#include <numbers>

#include "tools/assetgen/procedural/shaping.h"

namespace assetgen {

namespace {
constexpr float kTwoPi = 2 * std::numbers::pi_v<float>;

struct WaveTrain {
  int cyclesX, cyclesY;  // whole wave lengths across the tile, so it wraps
  float amplitude;
  float phase;
};

// Spread over about ninety degrees round the wind, so crests interfere into short,
// broken wave fronts instead of long lines.
constexpr WaveTrain kTrains[] = {
    {13, 4, 1.0f, 0.0f},  {11, 8, 0.85f, 1.3f},  {15, -1, 0.8f, 2.9f}, {8, 10, 0.6f, 4.1f},
    {19, 5, 0.55f, 0.7f}, {17, 12, 0.45f, 5.2f}, {21, -4, 0.4f, 3.3f}, {26, 9, 0.3f, 2.2f},
    {31, 3, 0.25f, 1.1f}, {27, 18, 0.2f, 4.6f},
};

const Rgb kDeep{0.02f, 0.14f, 0.23f};
const Rgb kBody{0.05f, 0.28f, 0.37f};
const Rgb kCrest{0.30f, 0.62f, 0.66f};
const Rgb kFoam{0.80f, 0.90f, 0.90f};
}  // namespace

OceanPainter::OceanPainter(uint64_t seed) : noise_(seed) {}

float OceanPainter::Swell(float x, float y) const {
  // The noise bends the wave fronts so they don't look ruled.
  float bend = 2.5f * noise_.Fbm(x * 6, y * 6, 3, 6);
  float sum = 0, total = 0;
  for (const WaveTrain& t : kTrains) {
    float s = std::sin(kTwoPi * (t.cyclesX * x + t.cyclesY * y) + t.phase + bend);
    // Sharp crests and wide troughs, like wind waves.
    float crest = 2 * std::pow(0.5f + 0.5f * s, 2.5f) - 1;
    sum += crest * t.amplitude;
    total += t.amplitude;
  }
  float gusts = 0.6f + 0.4f * noise_.Fbm(x * 3, y * 3, 2, 3);
  return sum / total * gusts;
}

float OceanPainter::Foam(float x, float y, float crest) const {
  float flecks = noise_.Fbm(x * 32, y * 32, 3, 32);
  return Smoothstep(0.4f, 0.8f, crest + 0.4f * flecks);
}

Image OceanPainter::Paint(int size) const {
  Image image(size, size);
  for (int j = 0; j < size; ++j) {
    for (int i = 0; i < size; ++i) {
      float x = static_cast<float>(i) / size;
      float y = static_cast<float>(j) / size;
      float depthTint = 0.5f + 0.5f * noise_.Fbm(x * 2, y * 2, 3, 2);
      float crest = Swell(x, y);
      Rgb water = Mix(kDeep, kBody, depthTint);
      water = Mix(water, kCrest, Smoothstep(-0.1f, 0.6f, crest));
      water = Mix(water, kDeep * 0.7f, Smoothstep(-0.2f, -0.7f, crest) * 0.7f);
      image.At(i, j) = Mix(water, kFoam, 0.7f * Foam(x, y, crest)).Clamped();
    }
  }
  return image;
}

}  // namespace assetgen
