#pragma once
// Room above the loudest moment of the mix. The mixer adds its voices with saturation, so a sum
// that went past full scale cannot be repaired afterwards: every voice is first scaled down by
// one master gain, and the finished sum is brought back up and run through a peak limiter that
// keeps it below full scale. The live output and any offline mix apply both stages alike.
#include <cstddef>
#include <cstdint>
#include <vector>

namespace audio {

// On every voice before the voices are summed (-4 dB): the eruption's sounds and both ambient
// loops at full volume together still sum below full scale.
constexpr float kMasterGain = 0.631f;

// A voice's samples at its sound's gain and the master gain, before the voices are summed.
void ScaleVoice(int16_t* samples, size_t count, float soundGain);

// Keeps every sample of interleaved 16-bit stereo at or below the ceiling. Looks a couple of
// milliseconds ahead (the output is that much late), so the gain glides down before a peak
// arrives instead of jumping at it, and recovers slowly afterwards. Both channels share one
// gain, so the stereo image holds. The state runs frame by frame: any split of the stream into
// blocks gives the same output.
class PeakLimiter {
 public:
  // -1 dBFS of 16-bit full scale, rounded down.
  static constexpr float kCeiling = 29203.0f;
  // On the sum before limiting: gives the master gain back, so everything below the ceiling
  // plays at the sounds' own level.
  static constexpr float kMakeUpGain = 1.0f / kMasterGain;

  explicit PeakLimiter(int sampleRate);
  void Process(int16_t* interleavedStereo, int frames);

 private:
  // The gain for the frame leaving the window, given the gain the newest frame needs.
  float NextGain(float required);

  float releasePerFrame_;
  float envelope_ = 1.0f;
  size_t newest_ = 0;
  std::vector<float> required_;  // each frame of the window: the gain that brings it down
  std::vector<float> held_;      // the envelope over the window, averaged into the gain
  std::vector<float> delayed_;   // the window's frames after the make-up gain, two samples each
};

}  // namespace audio
