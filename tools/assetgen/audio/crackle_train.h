#pragma once
#include <cstdint>

#include "tools/assetgen/audio/biquad_filter.h"
#include "tools/assetgen/audio/coloured_noise.h"
#include "tools/assetgen/procedural/random_stream.h"

namespace assetgen {

// Random short clicks of bright noise, mostly faint with the odd loud snap: burning wood,
// falling grit.
class CrackleTrain {
 public:
  CrackleTrain(uint64_t seed, float brightnessHz);

  // One sample; ratePerSecond is how many crackles start per second on average.
  float Next(float ratePerSecond);

 private:
  ColouredNoise noise_;
  RandomStream random_;
  BiquadFilter brightness_;
  float level_ = 0;
  float decay_ = 0;
};

}  // namespace assetgen
