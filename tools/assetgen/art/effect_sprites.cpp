#include "tools/assetgen/art/effect_sprites.h"

#include <algorithm>
#include <cmath>

#include "tools/assetgen/art/heat_ramp.h"
#include "tools/assetgen/procedural/shaping.h"

namespace assetgen {

namespace {
const Rgb kSmokeTint{1.0f, 0.97f, 0.93f};

struct Point {
  float x, y, radius, angle;  // centred: -1..1 across the sprite
};

// A square sprite, each texel shaded from its position relative to the middle.
template <typename Shade>
Image PaintCentred(int size, Shade shade) {
  Image image(size, size);
  for (int j = 0; j < size; ++j) {
    for (int i = 0; i < size; ++i) {
      float x = (i + 0.5f) / size * 2 - 1;
      float y = (j + 0.5f) / size * 2 - 1;
      image.At(i, j) = shade(Point{x, y, std::hypot(x, y), std::atan2(y, x)});
    }
  }
  return image;
}
}  // namespace

EffectSprites::EffectSprites(uint64_t seed) : noise_(seed) {}

float EffectSprites::Outline(float angle, float base, float roughness, float offset) const {
  // Noise sampled round a circle: the outline closes on itself without a seam.
  return base + roughness * noise_.Fbm(std::cos(angle) * 1.7f + offset, std::sin(angle) * 1.7f, 3);
}

Image EffectSprites::SmokePuff(int size) const {
  return PaintCentred(size, [this](Point p) {
    float edge = Outline(p.angle, 0.72f, 0.18f, 0.f);
    float density = Smoothstep(edge, edge * 0.25f, p.radius);
    density *= 0.7f + 0.3f * noise_.Fbm(p.x * 3.f + 9.f, p.y * 3.f, 4);
    density *= Smoothstep(1.f, 0.9f, p.radius);  // nothing reaches the sprite's border
    // Kept dim: a hundred puffs overlap in the column and add up.
    return kSmokeTint * (0.45f * std::pow(density, 1.2f));
  });
}

// Added onto blue sea and sky, orange turns pink and any outline shows; a core hot in all three
// channels stays white-hot over anything, and a rim that cools smoothly to black shows none.
Image EffectSprites::Ember(int size, float radius, float mottling, float lane) const {
  return PaintCentred(size, [=, this](Point p) {
    float t = p.radius / radius;  // 0 in the middle, 1 at the rim
    float patches = 0.5f + 0.5f * noise_.Fbm(p.x * 4.f + lane, p.y * 4.f, 3);
    // Darker crust only away from the core, so the middle stays white-hot; the red of the
    // cooling rim kept dim and narrow, or it would ring the blob in pink.
    float heat = 1.05f * (1 - t * t * t) - mottling * patches * Smoothstep(0.2f, 0.7f, t);
    return HeatRamp::Colour(heat) * Smoothstep(1.f, 0.5f, t);
  });
}

Image EffectSprites::LavaBlob(int size) const {
  return Ember(size, 0.62f, 0.15f, 5.f);
}

// Smaller and more broken up than the spray's blobs.
Image EffectSprites::RockFragment(int size) const {
  return Ember(size, 0.5f, 0.3f, 3.f);
}

Image EffectSprites::ShockBand(int width, int height) const {
  constexpr int kStreakPeriod = 16;
  Image image(width, height);
  for (int j = 0; j < height; ++j) {
    for (int i = 0; i < width; ++i) {
      float u = static_cast<float>(i) / width;
      float v = (j + 0.5f) / height;
      float band = std::exp(-std::pow((v - 0.5f) / 0.17f, 2.f)) * Smoothstep(0.f, 0.15f, v) *
                   Smoothstep(1.f, 0.85f, v);
      // Streaks across the band, whole periods along u so that the segments join up.
      float streaks = 0.7f + 0.3f * noise_.Fbm(u * kStreakPeriod, v * 3.f, 3, kStreakPeriod);
      image.At(i, j) = HeatRamp::Colour(0.95f * band * streaks);
    }
  }
  return image;
}

}  // namespace assetgen
