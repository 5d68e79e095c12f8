#pragma once

namespace assetgen {

// Where the island sits in the world. The terrain mesh spans 5 x 5 units, x from -2 to 3 and
// z from 3 down to -2; its colour texture and the painters' grids map u to +x and v to -z.
struct TerrainFrame {
  static constexpr float kMinX = -2.f;
  static constexpr float kMaxZ = 3.f;
  static constexpr float kExtent = 5.f;
  static constexpr float kSeaLevel = 1.f;
  static constexpr float kCraterX = 0.5f;
  static constexpr float kCraterZ = 0.5f;
  // A 24-bit height sample is (b + g + r) * kSampleUnit * kHeightScale.
  static constexpr float kHeightScale = 15.f;
  static constexpr float kSampleUnit = 0.0013037809f;
  static constexpr int kHeightMapSize = 256;

  static constexpr float WorldX(float u) { return kMinX + kExtent * u; }
  static constexpr float WorldZ(float v) { return kMaxZ - kExtent * v; }
};

}  // namespace assetgen
