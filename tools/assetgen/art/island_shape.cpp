#include "tools/assetgen/art/island_shape.h"

#include <algorithm>
#include <cmath>
#include <numbers>

#include "tools/assetgen/art/terrain_frame.h"
#include "tools/assetgen/procedural/droplet_erosion.h"
#include "tools/assetgen/procedural/shaping.h"

namespace assetgen {

namespace {
constexpr float kPi = std::numbers::pi_v<float>;
constexpr float kBaseRadius = 3.3f;       // where the cone's flank would meet zero height
constexpr float kBreachAngle = -kPi / 2;  // the rim's low notch faces -z, the intro's side
constexpr float kMeanRim = 6.88f;

float SmoothMax(float a, float b, float softness) {
  float h = std::clamp(0.5f + 0.5f * (a - b) / softness, 0.f, 1.f);
  return b + (a - b) * h + softness * h * (1 - h);
}

float BorderDistance(float x, float z) {
  float minZ = TerrainFrame::kMaxZ - TerrainFrame::kExtent;
  float maxX = TerrainFrame::kMinX + TerrainFrame::kExtent;
  return std::min({x - TerrainFrame::kMinX, maxX - x, z - minZ, TerrainFrame::kMaxZ - z});
}

float AngleBetween(float a, float b) {
  float d = std::fmod(std::fabs(a - b), 2 * kPi);
  return d > kPi ? 2 * kPi - d : d;
}

// Flattens the land around the waterline into a shelf where a beach can lie.
float BeachShelf(float height) {
  constexpr float kLow = 0.6f, kSpan = 1.0f, kStrength = 0.45f;
  if (height <= kLow || height >= kLow + kSpan) return height;
  float t = (height - kLow) / kSpan;
  return height + kStrength * kSpan * std::sin(2 * kPi * t) / (2 * kPi);
}
}  // namespace

IslandShape::IslandShape(uint64_t seed) : seed_(seed), noise_(seed) {}

float IslandShape::RimHeight(float angle) const {
  float wobble = noise_.Fbm(std::cos(angle) * 1.5f + 11.f, std::sin(angle) * 1.5f + 7.f, 3);
  float breach = std::exp(-std::pow(AngleBetween(angle, kBreachAngle) / 0.35f, 2.f));
  return kMeanRim + 0.12f * wobble - 0.33f * breach;
}

float IslandShape::CraterProfile(float distance, float rim) const {
  float t = distance / kRimRadius;
  return kFloorHeight + (rim - kFloorHeight) * t * t * t;
}

float IslandShape::ConeProfile(float distance, float rim) const {
  float s = std::clamp((distance - kRimRadius) / (kBaseRadius - kRimRadius), 0.f, 1.f);
  return rim * (1 - s) * (1 - s);  // concave: steep near the top, wide skirts
}

float IslandShape::Ridges(float x, float z, float distance, float angle) const {
  // Ridged noise laid out around the cone: whole periods round the circle, so no seam.
  constexpr int kAroundCells = 20;
  float wander = 0.25f * noise_.Fbm(x * 1.3f, z * 1.3f + 40.f, 3);
  float around = (angle + wander) / (2 * kPi) * kAroundCells;
  float crest = noise_.Ridged(around, distance * 1.5f, 4, kAroundCells);
  float strength = 0.55f * Smoothstep(kRimRadius, kRimRadius + 0.35f, distance) *
                   (1 - Smoothstep(1.6f, 2.3f, distance));
  return strength * (crest - 0.45f);
}

float IslandShape::SeaFloor(float x, float z, float distance) const {
  // Flat towards the corners: the first pixels of the map carry the far sea plane.
  float relief = 1 - Smoothstep(2.9f, 3.3f, distance);
  return kSeaFloor + 0.12f * noise_.Fbm(x * 1.2f + 80.f, z * 1.2f, 3) * relief;
}

float IslandShape::BaseHeight(float x, float z) const {
  float dx = x - TerrainFrame::kCraterX;
  float dz = z - TerrainFrame::kCraterZ;
  float distance = std::hypot(dx, dz);
  float angle = std::atan2(dz, dx);
  float rim = RimHeight(angle);
  if (distance < kRimRadius) return CraterProfile(distance, rim);

  // An irregular coast: the flanks are warped more the further they lie from the crater.
  float warp =
      0.55f * noise_.Fbm(x * 0.5f + 20.f, z * 0.5f - 20.f, 3) * Smoothstep(0.5f, 1.6f, distance);
  float flank = ConeProfile(distance + warp, rim) + Ridges(x, z, distance, angle);
  float land = 1 - Smoothstep(2.0f, 2.6f, distance + warp);
  flank += 0.06f * noise_.Fbm(x * 6.f, z * 6.f, 4) * land;
  flank *= Smoothstep(0.f, 0.5f, BorderDistance(x, z));  // the map's edges lie under the sea
  return SmoothMax(BeachShelf(flank), SeaFloor(x, z, distance), 0.15f);
}

IslandShape::Island IslandShape::Build(int size) const {
  HeightField heights(size, TerrainFrame::kExtent / (size - 1));
  for (int j = 0; j < size; ++j) {
    for (int i = 0; i < size; ++i) {
      float u = static_cast<float>(i) / (size - 1);
      float v = static_cast<float>(j) / (size - 1);
      heights.At(i, j) = BaseHeight(TerrainFrame::WorldX(u), TerrainFrame::WorldZ(v));
    }
  }
  ErosionSettings settings;
  settings.startAbove = TerrainFrame::kSeaLevel;
  DropletErosion erosion(settings, seed_ + 1);
  erosion.Run(heights);
  return {heights, erosion.Flow()};
}

}  // namespace assetgen
