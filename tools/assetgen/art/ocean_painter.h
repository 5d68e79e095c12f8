#pragma once
#include <cstdint>

#include "tools/assetgen/formats/image.h"
#include "tools/assetgen/procedural/gradient_noise.h"

namespace assetgen {

// The water texture: deep blue-green with wave crests and a little foam. Every pattern in it
// has whole periods across the picture, so it tiles without a seam; the ocean stretches one
// tile over about 47 world units, so the waves are many and small.
class OceanPainter {
 public:
  explicit OceanPainter(uint64_t seed);
  Image Paint(int size) const;

 private:
  float Swell(float x, float y) const;  // -1..1, crests high
  float Foam(float x, float y, float swell) const;

  GradientNoise noise_;
};

}  // namespace assetgen
