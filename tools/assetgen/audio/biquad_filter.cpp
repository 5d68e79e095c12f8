#include "tools/assetgen/audio/biquad_filter.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace assetgen {

BiquadFilter::BiquadFilter(Shape shape, float frequencyHz, float q, float sampleRate)
    : shape_(shape) {
  Tune(frequencyHz, q, sampleRate);
}

void BiquadFilter::Tune(float frequencyHz, float q, float sampleRate) {
  float nyquistSafe = std::clamp(frequencyHz, 1.f, sampleRate * 0.45f);
  float w = 2 * std::numbers::pi_v<float> * nyquistSafe / sampleRate;
  float cosW = std::cos(w);
  float alpha = std::sin(w) / (2 * q);
  float a0 = 1 + alpha;
  switch (shape_) {
    case Shape::kLowPass:
      b0_ = b2_ = (1 - cosW) / 2;
      b1_ = 1 - cosW;
      break;
    case Shape::kHighPass:
      b0_ = b2_ = (1 + cosW) / 2;
      b1_ = -(1 + cosW);
      break;
    case Shape::kBandPass:  // peak gain 1 at the centre
      b0_ = alpha;
      b1_ = 0;
      b2_ = -alpha;
      break;
  }
  b0_ /= a0;
  b1_ /= a0;
  b2_ /= a0;
  a1_ = -2 * cosW / a0;
  a2_ = (1 - alpha) / a0;
}

float BiquadFilter::Process(float input) {
  float output = b0_ * input + b1_ * x1_ + b2_ * x2_ - a1_ * y1_ - a2_ * y2_;
  x2_ = x1_;
  x1_ = input;
  y2_ = y1_;
  y1_ = output;
  return output;
}

}  // namespace assetgen
