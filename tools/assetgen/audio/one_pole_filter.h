#pragma once

namespace assetgen {

// The simplest smoothing filter: 6 dB per octave above the cutoff. Its complement is a gentle
// high-pass.
class OnePoleFilter {
 public:
  OnePoleFilter(float cutoffHz, float sampleRate);

  void SetCutoff(float cutoffHz, float sampleRate);
  float LowPass(float input);
  float HighPass(float input) { return input - LowPass(input); }

 private:
  float coefficient_ = 0;
  float state_ = 0;
};

}  // namespace assetgen
