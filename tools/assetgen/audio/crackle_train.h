#pragma once
#include <cstdint>

#include "audio/biquad_filter.h"
#include "audio/coloured_noise.h"
#include "procedural/random_stream.h"

// Random short clicks of bright noise, mostly faint with the odd loud snap: burning wood,
// falling grit.
class CrackleTrain {
 public:
  CrackleTrain(uint64_t seed, float brightnessHz);

  // One sample; ratePerSecond is how many crackles start per second on average.
  float next(float ratePerSecond);

 private:
  ColouredNoise noise_;
  RandomStream random_;
  BiquadFilter brightness_;
  float level_ = 0;
  float decay_ = 0;
};
