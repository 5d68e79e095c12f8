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

float smoothMax(float a, float b, float softness) {
  float h = std::clamp(0.5f + 0.5f * (a - b) / softness, 0.f, 1.f);
  return b + (a - b) * h + softness * h * (1 - h);
}

float borderDistance(float x, float z) {
  float minZ = TerrainFrame::kMaxZ - TerrainFrame::kExtent;
  float maxX = TerrainFrame::kMinX + TerrainFrame::kExtent;
  return std::min({x - TerrainFrame::kMinX, maxX - x, z - minZ, TerrainFrame::kMaxZ - z});
}

float angleBetween(float a, float b) {
  float d = std::fmod(std::fabs(a - b), 2 * kPi);
  return d > kPi ? 2 * kPi - d : d;
}

// Flattens the land around the waterline into a shelf where a beach can lie.
float beachShelf(float height) {
  constexpr float kLow = 0.6f, kSpan = 1.0f, kStrength = 0.45f;
  if (height <= kLow || height >= kLow + kSpan) return height;
  float t = (height - kLow) / kSpan;
  return height + kStrength * kSpan * std::sin(2 * kPi * t) / (2 * kPi);
}
}  // namespace

IslandShape::IslandShape(uint64_t seed) : seed_(seed), noise_(seed) {}

float IslandShape::rimHeight(float angle) const {
  float wobble = noise_.fbm(std::cos(angle) * 1.5f + 11.f, std::sin(angle) * 1.5f + 7.f, 3);
  float breach = std::exp(-std::pow(angleBetween(angle, kBreachAngle) / 0.35f, 2.f));
  return kMeanRim + 0.12f * wobble - 0.33f * breach;
}

float IslandShape::craterProfile(float distance, float rim) const {
  float t = distance / kRimRadius;
  return kFloorHeight + (rim - kFloorHeight) * t * t * t;
}

float IslandShape::coneProfile(float distance, float rim) const {
  float s = std::clamp((distance - kRimRadius) / (kBaseRadius - kRimRadius), 0.f, 1.f);
  return rim * (1 - s) * (1 - s);  // concave: steep near the top, wide skirts
}

float IslandShape::ridges(float x, float z, float distance, float angle) const {
  // Ridged noise laid out around the cone: whole periods round the circle, so no seam.
  constexpr int kAroundCells = 20;
  float wander = 0.25f * noise_.fbm(x * 1.3f, z * 1.3f + 40.f, 3);
  float around = (angle + wander) / (2 * kPi) * kAroundCells;
  float crest = noise_.ridged(around, distance * 1.5f, 4, kAroundCells);
  float strength = 0.55f * smoothstep(kRimRadius, kRimRadius + 0.35f, distance) *
                   (1 - smoothstep(1.6f, 2.3f, distance));
  return strength * (crest - 0.45f);
}

float IslandShape::seaFloor(float x, float z, float distance) const {
  // Flat towards the corners: the first pixels of the map carry the far sea plane.
  float relief = 1 - smoothstep(2.9f, 3.3f, distance);
  return kSeaFloor + 0.12f * noise_.fbm(x * 1.2f + 80.f, z * 1.2f, 3) * relief;
}

float IslandShape::baseHeight(float x, float z) const {
  float dx = x - TerrainFrame::kCraterX;
  float dz = z - TerrainFrame::kCraterZ;
  float distance = std::hypot(dx, dz);
  float angle = std::atan2(dz, dx);
  float rim = rimHeight(angle);
  if (distance < kRimRadius) return craterProfile(distance, rim);

  // An irregular coast: the flanks are warped more the further they lie from the crater.
  float warp =
      0.55f * noise_.fbm(x * 0.5f + 20.f, z * 0.5f - 20.f, 3) * smoothstep(0.5f, 1.6f, distance);
  float flank = coneProfile(distance + warp, rim) + ridges(x, z, distance, angle);
  float land = 1 - smoothstep(2.0f, 2.6f, distance + warp);
  flank += 0.06f * noise_.fbm(x * 6.f, z * 6.f, 4) * land;
  flank *= smoothstep(0.f, 0.5f, borderDistance(x, z));  // the map's edges lie under the sea
  return smoothMax(beachShelf(flank), seaFloor(x, z, distance), 0.15f);
}

IslandShape::Island IslandShape::build(int size) const {
  HeightField heights(size, TerrainFrame::kExtent / (size - 1));
  for (int j = 0; j < size; ++j) {
    for (int i = 0; i < size; ++i) {
      float u = static_cast<float>(i) / (size - 1);
      float v = static_cast<float>(j) / (size - 1);
      heights.at(i, j) = baseHeight(TerrainFrame::worldX(u), TerrainFrame::worldZ(v));
    }
  }
  ErosionSettings settings;
  settings.startAbove = TerrainFrame::kSeaLevel;
  DropletErosion erosion(settings, seed_ + 1);
  erosion.run(heights);
  return {heights, erosion.flow()};
}

}  // namespace assetgen
