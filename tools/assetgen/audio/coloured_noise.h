#pragma once
#include <array>
#include <cstdint>

#include "tools/assetgen/procedural/random_stream.h"

namespace assetgen {

// Noise sources: white (flat, -1..1), pink (equal energy per octave: wind, surf) and
// brown (falling 6 dB per octave: rumbles); the coloured ones swing somewhat wider.
class ColouredNoise {
 public:
  explicit ColouredNoise(uint64_t seed);

  float White();
  float Pink();
  float Brown();

 private:
  RandomStream random_;
  // Pink: one held random value per octave, the k-th renewed every 2^k samples.
  std::array<float, 10> octaves_{};
  uint32_t counter_ = 0;
  float brownLevel_ = 0;
};

}  // namespace assetgen
