#pragma once
#include <cstdint>

#include "tools/assetgen/procedural/gradient_noise.h"
#include "tools/assetgen/procedural/height_field.h"

namespace assetgen {

// The volcano: a steep cone with a crater round (0.5, 0.5), radial ridges and gullies, a
// beach shelf near sea level and a flat sea floor towards the corners of the map.
class IslandShape {
 public:
  static constexpr float kRimRadius = 0.42f;
  static constexpr float kFloorHeight = 5.85f;
  static constexpr float kSeaFloor = 0.45f;

  explicit IslandShape(uint64_t seed);

  float BaseHeight(float x, float z) const;  // before erosion, world units

  struct Island {
    HeightField heights;
    HeightField wetness;  // 0..1, where the rain ran
  };
  Island Build(int size) const;

 private:
  float RimHeight(float angle) const;
  float CraterProfile(float distance, float rim) const;
  float ConeProfile(float distance, float rim) const;
  float Ridges(float x, float z, float distance, float angle) const;
  float SeaFloor(float x, float z, float distance) const;

  uint64_t seed_;
  GradientNoise noise_;
};

}  // namespace assetgen
