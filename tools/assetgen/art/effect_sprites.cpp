#include "tools/assetgen/art/effect_sprites.h"

#include <algorithm>
#include <cmath>
#include <numbers>

#include "tools/assetgen/art/heat_ramp.h"
#include "tools/assetgen/procedural/shaping.h"

namespace assetgen {

namespace {
constexpr float kPi = std::numbers::pi_v<float>;

// Corners of the stone fragment: angle (radians) and distance from the middle.
constexpr float kFragmentCorners[][2] = {{0.0f, 0.60f}, {0.8f, 0.50f}, {1.6f, 0.62f},
                                         {2.4f, 0.55f}, {3.1f, 0.42f}, {3.8f, 0.60f},
                                         {4.6f, 0.50f}, {5.4f, 0.62f}};

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

Image EffectSprites::LavaBlob(int size) const {
  return PaintCentred(size, [this](Point p) {
    float edge = Outline(p.angle, 0.62f, 0.16f, 5.f);
    float inside = Smoothstep(edge, edge - 0.22f, p.radius);
    float core = 1 - p.radius / edge;
    float crust = 0.3f * Smoothstep(0.5f, 0.85f, noise_.Ridged(p.x * 3.f, p.y * 3.f, 3));
    float heat = inside * (0.62f + 0.45f * core - crust);
    Rgb halo = HeatRamp::Colour(0.3f) * (0.35f * std::exp(-p.radius * p.radius / 0.25f));
    return (HeatRamp::Colour(heat) + halo * (1 - inside)).Clamped() *
           Smoothstep(1.f, 0.85f, p.radius);
  });
}

float EffectSprites::FragmentRadius(float angle) const {
  // Straight edges between the corners give the stone its broken, angular look.
  constexpr int kCorners = std::size(kFragmentCorners);
  float a = angle < 0 ? angle + 2 * kPi : angle;
  for (int k = 0; k < kCorners; ++k) {
    const float* from = kFragmentCorners[k];
    const float* to = kFragmentCorners[(k + 1) % kCorners];
    float end = k + 1 < kCorners ? to[0] : to[0] + 2 * kPi;
    if (a < from[0] || a > end) continue;
    // Where the ray at this angle meets the edge between the two corners.
    float ax = from[1] * std::cos(from[0]), ay = from[1] * std::sin(from[0]);
    float bx = to[1] * std::cos(to[0]), by = to[1] * std::sin(to[0]);
    float dx = std::cos(a), dy = std::sin(a);
    float ex = bx - ax, ey = by - ay;
    return (ax * ey - ay * ex) / (dx * ey - dy * ex);
  }
  return kFragmentCorners[0][1];
}

Image EffectSprites::RockFragment(int size) const {
  return PaintCentred(size, [this](Point p) {
    float edge = FragmentRadius(p.angle);
    float inside = Smoothstep(edge + 0.03f, edge - 0.03f, p.radius);
    float cracks = Smoothstep(0.7f, 0.9f, noise_.Ridged(p.x * 3.f + 3.f, p.y * 3.f, 3));
    float core = 1 - p.radius / edge;
    float crust = 0.06f * noise_.Fbm(p.x * 6.f, p.y * 6.f, 3);
    // Glowing all through: drawn additively, a dark stone would vanish and leave only its rim.
    float heat = 0.3f + 0.3f * core + 0.3f * cracks - crust;
    Rgb halo = HeatRamp::Colour(0.35f) * (0.3f * std::exp(-p.radius * p.radius / 0.3f));
    return (HeatRamp::Colour(heat) * inside + halo * (1 - inside)) *
           Smoothstep(1.f, 0.85f, p.radius);
  });
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
