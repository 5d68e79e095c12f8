#include "tools/assetgen/audio/coloured_noise.h"

#include <bit>
#include <cstddef>

namespace assetgen {

ColouredNoise::ColouredNoise(uint64_t seed) : random_(seed) {}

float ColouredNoise::White() {
  return static_cast<float>(random_.Uniform(-1, 1));
}

float ColouredNoise::Pink() {
  ++counter_;
  // The octave whose turn it is: the lowest set bit of the counter.
  size_t octave = static_cast<size_t>(std::countr_zero(counter_));
  if (octave < octaves_.size()) octaves_[octave] = White();
  float sum = White();
  for (float value : octaves_) sum += value;
  return sum / (octaves_.size() + 1) * 2.5f;
}

float ColouredNoise::Brown() {
  // A leaky integrator keeps the walk from drifting off.
  brownLevel_ = brownLevel_ * 0.996f + White() * 0.06f;
  return brownLevel_ * 2.f;
}

}  // namespace assetgen
