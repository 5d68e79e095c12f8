#include "tools/assetgen/audio/one_pole_filter.h"

#include <cmath>
#include <numbers>

namespace assetgen {

OnePoleFilter::OnePoleFilter(float cutoffHz, float sampleRate) {
  setCutoff(cutoffHz, sampleRate);
}

void OnePoleFilter::setCutoff(float cutoffHz, float sampleRate) {
  coefficient_ = 1 - std::exp(-2 * std::numbers::pi_v<float> * cutoffHz / sampleRate);
}

float OnePoleFilter::lowPass(float input) {
  state_ += coefficient_ * (input - state_);
  return state_;
}

}  // namespace assetgen
