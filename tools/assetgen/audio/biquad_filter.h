#pragma once

namespace assetgen {

// A second-order filter section (the usual audio cookbook designs): 12 dB per octave, with a
// resonance control. Coefficients can change per sample for sweeps.
class BiquadFilter {
 public:
  enum class Shape { kLowPass, kHighPass, kBandPass };

  BiquadFilter(Shape shape, float frequencyHz, float q, float sampleRate);

  void Tune(float frequencyHz, float q, float sampleRate);
  float Process(float input);

 private:
  Shape shape_;
  float b0_ = 0, b1_ = 0, b2_ = 0, a1_ = 0, a2_ = 0;
  float x1_ = 0, x2_ = 0, y1_ = 0, y2_ = 0;
};

}  // namespace assetgen
