#pragma once
// Where the program's sounds go: the live mixer on the audio device, nowhere at all, or the
// offline mix of a recording. The audio calls pick their outputs once, as they open, and hand
// every start and stop to each of them; a sound's volume is its gain, which every output reads as
// it mixes.
#include <atomic>
#include <cstdint>
#include <string>
#include <vector>

#include "platform/audio.h"

namespace audio {

// Instances that can play at once. The program plays five at the most: the waves and wind loops,
// the fire loop, the rumble and the explosion; the other three are room to spare.
constexpr int kVoices = 8;

// A loaded sound in the mixer's format, interleaved 16-bit stereo at kMixRate in the machine's
// byte order, with the linear gain that every instance of it follows.
struct MixerSound {
  std::vector<uint8_t> samples;
  std::atomic<float> gain{1.0f};  // read while mixing, on the device's thread too

  size_t Frames() const { return samples.size() / (2 * sizeof(int16_t)); }
};

class SoundOutput {
 public:
  virtual ~SoundOutput() = default;
  // Takes note of a sound, which stays where it is until the output is gone; false with the
  // reason when the output can't play it.
  virtual bool Add(SoundId id, const MixerSound& sound, std::string* reason) = 0;
  // Starts another instance at once, looped for ever or once; false when none can start.
  virtual bool Play(SoundId id, bool loop) = 0;
  // Stops every instance of the sound.
  virtual void Stop(SoundId id) = 0;
  virtual void StopAll() = 0;
};

}  // namespace audio
