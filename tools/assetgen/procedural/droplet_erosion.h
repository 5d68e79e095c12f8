#pragma once
#include <cstdint>
#include <optional>
#include <vector>

#include "tools/assetgen/procedural/height_field.h"
#include "tools/assetgen/procedural/random_stream.h"

namespace assetgen {

struct ErosionSettings {
  int droplets = 60000;
  int maxSteps = 80;
  int brushRadius = 2;     // cells
  float inertia = 0.15f;   // how much a droplet keeps its direction
  float capacity = 3.0f;   // sediment carried per unit of slope, speed and water
  float minSlope = 0.05f;  // keeps flat stretches carrying a little
  float erodeRate = 0.3f;
  float depositRate = 0.2f;
  float evaporation = 0.02f;  // share of water lost per step
  float gravity = 0.4f;       // speed gained per unit of slope
  float startAbove = 1.0f;    // droplets fall only where the ground is higher than this
};

// Rain droplets that run downhill, picking up material on steep ground and dropping it where
// they slow down: this carves gullies between the ridges and fans out sediment at their feet.
class DropletErosion {
 public:
  DropletErosion(const ErosionSettings& settings, uint64_t seed);

  void Run(HeightField& heights);
  // How much water passed each cell, normalised to 0..1 (a wetness map for the painters).
  const HeightField& Flow() const { return *flow_; }

 private:
  struct Droplet {
    float x, y;  // grid position
    float dx = 0, dy = 0;
    float speed = 1, water = 1, sediment = 0;
  };
  struct Surface {
    float height, gradientX, gradientY;
  };

  void Simulate(HeightField& heights, Droplet drop);
  Surface SurfaceAt(const HeightField& heights, float x, float y) const;
  void Deposit(HeightField& heights, float x, float y, float amount) const;
  void Erode(HeightField& heights, float x, float y, float amount) const;
  void BuildBrush();
  void NormaliseFlow();

  ErosionSettings settings_;
  RandomStream random_;
  struct BrushTap {
    int di, dj;
    float weight;
  };
  std::vector<BrushTap> brush_;
  std::optional<HeightField> flow_;
};

}  // namespace assetgen
