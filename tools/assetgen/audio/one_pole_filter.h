#pragma once

namespace assetgen {

// The simplest smoothing filter: 6 dB per octave above the cutoff. Its complement is a gentle
// high-pass.
class OnePoleFilter {
 public:
  OnePoleFilter(float cutoffHz, float sampleRate);

  void setCutoff(float cutoffHz, float sampleRate);
  float lowPass(float input);
  float highPass(float input) { return input - lowPass(input); }

 private:
  float coefficient_ = 0;
  float state_ = 0;
};

}  // namespace assetgen
