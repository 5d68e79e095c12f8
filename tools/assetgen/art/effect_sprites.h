#pragma once
#include <cstdint>

#include "tools/assetgen/formats/image.h"
#include "tools/assetgen/procedural/gradient_noise.h"

namespace assetgen {

// Sprites of the smoke and the eruption. The particles and the ring are drawn additively, so
// black is see-through and every sprite fades to black at its edges.
class EffectSprites {
 public:
  explicit EffectSprites(uint64_t seed);

  Image SmokePuff(int size) const;     // soft grey billow
  Image LavaBlob(int size) const;      // round molten blob, white-hot core
  Image RockFragment(int size) const;  // smaller glowing fragment with darker crust
  // The shock-wave band: u runs along the ring and tiles, v from the outer edge (top row)
  // to the inner edge (bottom row), bright in the middle and black at both edges.
  Image ShockBand(int width, int height) const;

 private:
  float Outline(float angle, float base, float roughness, float offset) const;
  // A round glowing body, white-hot in the middle and black from radius (of the half-width) on;
  // mottling darkens patches of its cooler parts, lane picks the patches.
  Image Ember(int size, float radius, float mottling, float lane) const;

  GradientNoise noise_;
};

}  // namespace assetgen
