#include "tools/assetgen/art/terrain_lighting.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace assetgen {

namespace {
constexpr int kSkyDirections = 12;
constexpr float kSkyReach = 0.6f;      // world units searched for a higher horizon
constexpr float kPenumbra = 12.f;      // larger: harder shadow edges
constexpr float kHighestGround = 8.f;  // nothing shades from above this
}  // namespace

TerrainLighting::TerrainLighting(const HeightField& heights, Vec3 sun)
    : sun_(sun.Normalized()),
      openSky_(heights.Size(), heights.Spacing()),
      sunlight_(heights.Size(), heights.Spacing()) {
  for (int j = 0; j < heights.Size(); ++j) {
    for (int i = 0; i < heights.Size(); ++i) {
      openSky_.At(i, j) = OpenSkyAt(heights, i, j);
      sunlight_.At(i, j) = SunlightAt(heights, i, j);
    }
  }
}

float TerrainLighting::OpenSkyAt(const HeightField& heights, int i, int j) const {
  float here = heights.At(i, j);
  float blocked = 0;
  for (int k = 0; k < kSkyDirections; ++k) {
    double angle = 2 * std::numbers::pi * k / kSkyDirections;
    float ci = static_cast<float>(std::cos(angle));
    float cj = static_cast<float>(std::sin(angle));
    float steepest = 0;
    // Steps grow geometrically: near ground matters most.
    for (float reach = heights.Spacing(); reach < kSkyReach; reach *= 1.4f) {
      float cells = reach / heights.Spacing();
      float there = heights.ClampedAt(i + static_cast<int>(std::lround(ci * cells)),
                                      j + static_cast<int>(std::lround(cj * cells)));
      steepest = std::max(steepest, (there - here) / reach);
    }
    blocked += steepest / std::sqrt(1 + steepest * steepest);  // sine of the horizon angle
  }
  return 1 - blocked / kSkyDirections;
}

float TerrainLighting::SunlightAt(const HeightField& heights, int i, int j) const {
  // March towards the sun over the grid: u follows +x, v follows -z.
  float across = std::hypot(sun_.x, sun_.z);
  float stepI = sun_.x / across;
  float stepJ = -sun_.z / across;
  float climb = sun_.y / across * heights.Spacing();  // ray rise per cell
  float last = static_cast<float>(heights.Size() - 1);
  float rayHeight = heights.At(i, j) + 0.01f;
  float light = 1;
  float x = static_cast<float>(i), y = static_cast<float>(j);
  for (int step = 1; rayHeight < kHighestGround; ++step) {
    x += stepI;
    y += stepJ;
    rayHeight += climb;
    if (x < 0 || y < 0 || x > last || y > last) break;
    float ground = heights.Sample(x / last, y / last);
    float clearance = (rayHeight - ground) / (step * heights.Spacing());
    light = std::min(light, std::clamp(clearance * kPenumbra, 0.f, 1.f));
    if (light <= 0) break;
  }
  return light;
}

}  // namespace assetgen
