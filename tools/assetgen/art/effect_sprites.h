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
  Image LavaBlob(int size) const;      // molten blob, white-hot core
  Image RockFragment(int size) const;  // a broken, glowing stone with brighter cracks
  // The shock-wave band: u runs along the ring and tiles, v from the outer edge (top row)
  // to the inner edge (bottom row), bright in the middle and black at both edges.
  Image ShockBand(int width, int height) const;

 private:
  float Outline(float angle, float base, float roughness, float offset) const;
  float FragmentRadius(float angle) const;

  GradientNoise noise_;
};

}  // namespace assetgen
