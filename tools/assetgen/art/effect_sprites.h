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

  Image smokePuff(int size) const;     // soft grey billow
  Image lavaBlob(int size) const;      // molten blob, white-hot core
  Image rockFragment(int size) const;  // a dark broken stone with glowing cracks and rim
  // The shock-wave band: u runs along the ring and tiles, v from the outer edge (top row)
  // to the inner edge (bottom row), bright in the middle and black at both edges.
  Image shockBand(int width, int height) const;

 private:
  float outline(float angle, float base, float roughness, float offset) const;
  float fragmentRadius(float angle) const;

  GradientNoise noise_;
};

}  // namespace assetgen
