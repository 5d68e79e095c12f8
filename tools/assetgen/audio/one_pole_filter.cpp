#include "tools/assetgen/audio/one_pole_filter.h"

#include <cmath>
#include <numbers>

namespace assetgen {

OnePoleFilter::OnePoleFilter(float cutoffHz, float sampleRate) {
  SetCutoff(cutoffHz, sampleRate);
}

void OnePoleFilter::SetCutoff(float cutoffHz, float sampleRate) {
  coefficient_ = 1 - std::exp(-2 * std::numbers::pi_v<float> * cutoffHz / sampleRate);
}

float OnePoleFilter::LowPass(float input) {
  state_ += coefficient_ * (input - state_);
  return state_;
}

}  // namespace assetgen
