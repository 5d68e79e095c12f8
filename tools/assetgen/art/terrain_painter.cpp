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
    : island_(island), lighting_(island.heights, sunDirection()), farSea_(farSea), noise_(seed) {}

Vec3 TerrainPainter::sunDirection() {
  // High in the south-south-west: the flanks the intro looks at are lit, with relief.
  return Vec3{-0.35f, 1.0f, -0.8f}.normalized();
}

TerrainPainter::Ground TerrainPainter::groundAt(float u, float v) const {
  Ground g;
  g.x = TerrainFrame::worldX(u);
  g.z = TerrainFrame::worldZ(v);
  HeightField::Slope slope = island_.heights.slope(u, v);
  // The fine relief's slope, by finite differences of the detail noise.
  float e = 0.5f / kDetailScale;
  auto detail = [&](float x, float z) {
    return kDetailHeight * noise_.fbm(x * kDetailScale, z * kDetailScale, 3);
  };
  float base = detail(g.x, g.z);
  float alongX = slope.alongU + (detail(g.x + e, g.z) - base) / e;
  float alongZ = -slope.alongV + (detail(g.x, g.z + e) - base) / e;
  g.height = island_.heights.sample(u, v) + base;
  g.normal = Vec3{-alongX, 1.f, -alongZ}.normalized();
  g.wetness = island_.wetness.sample(u, v);
  g.craterDistance = std::hypot(g.x - TerrainFrame::kCraterX, g.z - TerrainFrame::kCraterZ);
  return g;
}

Rgb TerrainPainter::underwater(const Ground& g) const {
  float depth = TerrainFrame::kSeaLevel - g.height;
  float ripple = 0.06f * noise_.fbm(g.x * 8.f, g.z * 8.f, 3);
  return mix(kDrySand * 0.6f, kShallows, smoothstep(0.f, 0.2f, depth + ripple));
}

Rgb TerrainPainter::beach(const Ground& g) const {
  float grain = 0.05f * noise_.fbm(g.x * 30.f, g.z * 30.f, 2);
  float dryness = smoothstep(1.0f, 1.06f, g.height);
  // Stretches of dark volcanic sand between the pale coves.
  float volcanic = smoothstep(-0.1f, 0.3f, noise_.fbm(g.x * 1.5f + 30.f, g.z * 1.5f, 3));
  Rgb sand = mix(kDrySand, kBlackSand, volcanic);
  return mix(sand * 0.7f, sand, dryness) * (1 + grain);
}

Rgb TerrainPainter::bareRock(const Ground& g) const {
  float steep = 1 - g.normal.y;
  float patches = noise_.fbm(g.x * 3.f, g.z * 3.f, 4);
  float streaks = noise_.fbm(g.x * 14.f, g.z * 14.f, 3);
  Rgb low = mix(kSoil, kGreyRock, smoothstep(0.2f, 0.6f, steep));
  Rgb middle = mix(kRust, kGreyRock, smoothstep(-0.3f, 0.4f, patches));
  Rgb high = mix(kBasalt, kAsh, smoothstep(0.45f, 0.15f, steep) * smoothstep(-0.2f, 0.4f, patches));
  high = mix(high, kScoria, 0.5f * smoothstep(0.2f, 0.6f, streaks));
  float h = g.height + 0.5f * patches;
  Rgb rock = mix(low, middle, smoothstep(2.2f, 3.4f, h));
  rock = mix(rock, high, smoothstep(4.2f, 5.4f, h));
  // Old flows and ash settle in the gullies: darker streaks down the slopes.
  return rock * (1 - 0.35f * g.wetness * smoothstep(1.5f, 3.f, g.height));
}

Rgb TerrainPainter::craterFloor(const Ground& g, Rgb rock) const {
  float inside =
      smoothstep(IslandShape::kRimRadius * 0.95f, IslandShape::kRimRadius * 0.6f, g.craterDistance);
  float vents = smoothstep(0.35f, 0.7f, noise_.fbm(g.x * 18.f, g.z * 18.f, 3));
  Rgb floor = mix(kBasalt * 0.7f, kSulphur, 0.6f * vents);
  floor += kEmber * smoothstep(0.2f, 0.f, g.craterDistance);
  return mix(rock, floor, inside);
}

float TerrainPainter::vegetationCover(const Ground& g) const {
  float patches = noise_.fbm(g.x * 2.5f + 50.f, g.z * 2.5f, 4);
  float treeline = 2.4f + 0.9f * patches + 0.8f * g.wetness;
  float cover = smoothstep(1.12f, 1.3f, g.height) * smoothstep(treeline, treeline - 0.7f, g.height);
  cover *= smoothstep(0.85f, 0.6f, 1 - g.normal.y);
  return std::clamp(cover * (0.7f + patches + 0.6f * g.wetness), 0.f, 1.f);
}

Rgb TerrainPainter::groundColour(const Ground& g) const {
  if (g.height < TerrainFrame::kSeaLevel) return underwater(g);
  float shore = 1.1f + 0.06f * noise_.fbm(g.x * 5.f, g.z * 5.f, 2);
  if (g.height < shore) return beach(g);
  Rgb rock = craterFloor(g, bareRock(g));
  float clumps = noise_.fbm(g.x * 25.f, g.z * 25.f, 2);
  Rgb plants = mix(mix(kScrub, kGrass, smoothstep(-0.4f, 0.2f, clumps)), kForest,
                   smoothstep(0.f, 0.5f, clumps + 0.4f * g.wetness));
  return mix(rock, plants, vegetationCover(g));
}

Rgb TerrainPainter::light(const Ground& g, float u, float v) const {
  float sky = lighting_.openSky().sample(u, v);
  float sun = lighting_.sunlight().sample(u, v) * std::max(0.f, g.normal.dot(sunDirection()));
  return kSkyLight * sky + kSunLight * sun;
}

Rgb TerrainPainter::shade(const Ground& g, float u, float v) const {
  Rgb lit = groundColour(g) * light(g, u, v);
  // Deep ground fades to what the open sea shows beneath the water.
  float depth = TerrainFrame::kSeaLevel - g.height;
  return mix(lit, farSea_, smoothstep(0.15f, 0.5f, depth));
}

Image TerrainPainter::paint(int size) const {
  Image image(size, size);
  for (int j = 0; j < size; ++j) {
    for (int i = 0; i < size; ++i) {
      float u = static_cast<float>(i) / (size - 1);
      float v = static_cast<float>(j) / (size - 1);
      image.at(i, j) = shade(groundAt(u, v), u, v).clamped();
    }
  }
  return image;
}

}  // namespace assetgen
