#include "tools/assetgen/art/terrain_painter.h"

#include <algorithm>
#include <cmath>

#include "tools/assetgen/art/terrain_frame.h"
#include "tools/assetgen/procedural/shaping.h"

namespace assetgen {

namespace {
constexpr float kDetailHeight = 0.012f;  // fine bumps the mesh is too coarse to carry
constexpr float kDetailScale = 40.f;

const Rgb kDrySand{0.72f, 0.66f, 0.50f};
const Rgb kBlackSand{0.22f, 0.21f, 0.20f};
const Rgb kShallows{0.38f, 0.42f, 0.34f};
const Rgb kGrass{0.23f, 0.37f, 0.12f};
const Rgb kForest{0.12f, 0.24f, 0.08f};
const Rgb kScrub{0.40f, 0.38f, 0.20f};
const Rgb kSoil{0.42f, 0.34f, 0.25f};
const Rgb kRust{0.40f, 0.25f, 0.17f};
const Rgb kGreyRock{0.34f, 0.32f, 0.30f};
const Rgb kBasalt{0.13f, 0.12f, 0.12f};
const Rgb kAsh{0.40f, 0.39f, 0.38f};
const Rgb kScoria{0.36f, 0.17f, 0.11f};
const Rgb kSulphur{0.70f, 0.64f, 0.26f};
const Rgb kEmber{0.55f, 0.14f, 0.03f};
const Rgb kSkyLight{0.50f, 0.54f, 0.64f};
const Rgb kSunLight{0.95f, 0.90f, 0.80f};
}  // namespace

TerrainPainter::TerrainPainter(const IslandShape::Island& island, Rgb farSea, uint64_t seed)
    : island_(island), lighting_(island.heights, SunDirection()), farSea_(farSea), noise_(seed) {}

Vec3 TerrainPainter::SunDirection() {
  // High in the south-south-west: the flanks the intro looks at are lit, with relief.
  return Vec3{-0.35f, 1.0f, -0.8f}.Normalized();
}

TerrainPainter::Ground TerrainPainter::GroundAt(float u, float v) const {
  Ground g;
  g.x = TerrainFrame::WorldX(u);
  g.z = TerrainFrame::WorldZ(v);
  HeightField::Slope slope = island_.heights.SlopeAt(u, v);
  // The fine relief's slope, by finite differences of the detail noise.
  float e = 0.5f / kDetailScale;
  auto detail = [&](float x, float z) {
    return kDetailHeight * noise_.Fbm(x * kDetailScale, z * kDetailScale, 3);
  };
  float base = detail(g.x, g.z);
  float alongX = slope.alongU + (detail(g.x + e, g.z) - base) / e;
  float alongZ = -slope.alongV + (detail(g.x, g.z + e) - base) / e;
  g.height = island_.heights.Sample(u, v) + base;
  g.normal = Vec3{-alongX, 1.f, -alongZ}.Normalized();
  g.wetness = island_.wetness.Sample(u, v);
  g.craterDistance = std::hypot(g.x - TerrainFrame::kCraterX, g.z - TerrainFrame::kCraterZ);
  return g;
}

Rgb TerrainPainter::Underwater(const Ground& g) const {
  float depth = TerrainFrame::kSeaLevel - g.height;
  float ripple = 0.06f * noise_.Fbm(g.x * 8.f, g.z * 8.f, 3);
  return Mix(kDrySand * 0.6f, kShallows, Smoothstep(0.f, 0.2f, depth + ripple));
}

Rgb TerrainPainter::Beach(const Ground& g) const {
  float grain = 0.05f * noise_.Fbm(g.x * 30.f, g.z * 30.f, 2);
  float dryness = Smoothstep(1.0f, 1.06f, g.height);
  // Stretches of dark volcanic sand between the pale coves.
  float volcanic = Smoothstep(-0.1f, 0.3f, noise_.Fbm(g.x * 1.5f + 30.f, g.z * 1.5f, 3));
  Rgb sand = Mix(kDrySand, kBlackSand, volcanic);
  return Mix(sand * 0.7f, sand, dryness) * (1 + grain);
}

Rgb TerrainPainter::BareRock(const Ground& g) const {
  float steep = 1 - g.normal.y;
  float patches = noise_.Fbm(g.x * 3.f, g.z * 3.f, 4);
  float streaks = noise_.Fbm(g.x * 14.f, g.z * 14.f, 3);
  Rgb low = Mix(kSoil, kGreyRock, Smoothstep(0.2f, 0.6f, steep));
  Rgb middle = Mix(kRust, kGreyRock, Smoothstep(-0.3f, 0.4f, patches));
  Rgb high = Mix(kBasalt, kAsh, Smoothstep(0.45f, 0.15f, steep) * Smoothstep(-0.2f, 0.4f, patches));
  high = Mix(high, kScoria, 0.5f * Smoothstep(0.2f, 0.6f, streaks));
  float h = g.height + 0.5f * patches;
  Rgb rock = Mix(low, middle, Smoothstep(2.2f, 3.4f, h));
  rock = Mix(rock, high, Smoothstep(4.2f, 5.4f, h));
  // Old flows and ash settle in the gullies: darker streaks down the slopes.
  return rock * (1 - 0.35f * g.wetness * Smoothstep(1.5f, 3.f, g.height));
}

Rgb TerrainPainter::CraterFloor(const Ground& g, Rgb rock) const {
  float inside =
      Smoothstep(IslandShape::kRimRadius * 0.95f, IslandShape::kRimRadius * 0.6f, g.craterDistance);
  float vents = Smoothstep(0.35f, 0.7f, noise_.Fbm(g.x * 18.f, g.z * 18.f, 3));
  Rgb floor = Mix(kBasalt * 0.7f, kSulphur, 0.6f * vents);
  floor += kEmber * Smoothstep(0.2f, 0.f, g.craterDistance);
  return Mix(rock, floor, inside);
}

float TerrainPainter::VegetationCover(const Ground& g) const {
  float patches = noise_.Fbm(g.x * 2.5f + 50.f, g.z * 2.5f, 4);
  float treeline = 2.4f + 0.9f * patches + 0.8f * g.wetness;
  float cover = Smoothstep(1.12f, 1.3f, g.height) * Smoothstep(treeline, treeline - 0.7f, g.height);
  cover *= Smoothstep(0.85f, 0.6f, 1 - g.normal.y);
  return std::clamp(cover * (0.7f + patches + 0.6f * g.wetness), 0.f, 1.f);
}

Rgb TerrainPainter::GroundColour(const Ground& g) const {
  if (g.height < TerrainFrame::kSeaLevel) return Underwater(g);
  float shore = 1.1f + 0.06f * noise_.Fbm(g.x * 5.f, g.z * 5.f, 2);
  if (g.height < shore) return Beach(g);
  Rgb rock = CraterFloor(g, BareRock(g));
  float clumps = noise_.Fbm(g.x * 25.f, g.z * 25.f, 2);
  Rgb plants = Mix(Mix(kScrub, kGrass, Smoothstep(-0.4f, 0.2f, clumps)), kForest,
                   Smoothstep(0.f, 0.5f, clumps + 0.4f * g.wetness));
  return Mix(rock, plants, VegetationCover(g));
}

Rgb TerrainPainter::Light(const Ground& g, float u, float v) const {
  float sky = lighting_.OpenSky().Sample(u, v);
  float sun = lighting_.Sunlight().Sample(u, v) * std::max(0.f, g.normal.Dot(SunDirection()));
  return kSkyLight * sky + kSunLight * sun;
}

Rgb TerrainPainter::Shade(const Ground& g, float u, float v) const {
  Rgb lit = GroundColour(g) * Light(g, u, v);
  // Deep ground fades to what the open sea shows beneath the water.
  float depth = TerrainFrame::kSeaLevel - g.height;
  return Mix(lit, farSea_, Smoothstep(0.15f, 0.5f, depth));
}

Image TerrainPainter::Paint(int size) const {
  Image image(size, size);
  for (int j = 0; j < size; ++j) {
    for (int i = 0; i < size; ++i) {
      float u = static_cast<float>(i) / (size - 1);
      float v = static_cast<float>(j) / (size - 1);
      image.At(i, j) = Shade(GroundAt(u, v), u, v).Clamped();
    }
  }
  return image;
}

}  // namespace assetgen
