#pragma once
// The output's voices mixed again on demand, at the caller's pace instead of the device's, so that
// a recording follows the program's clock. It mixes as SDL2_mixer does: voice by voice in voice
// order, each scaled by its sound's gain and the master gain and added to the sum with 16-bit
// saturation; then the sum goes through the same peak limiter as the output's.
#include <atomic>
#include <cstddef>
#include <cstdint>
#include <vector>

#include "platform/audio.h"
#include "platform/audio/headroom.h"

namespace audio {

class OfflineMixer {
 public:
  // Interleaved 16-bit stereo frames in the mixer's byte order, and the linear gain that every
  // voice of the sound follows as it mixes.
  struct Source {
    SoundId sound = kNoSound;
    const uint8_t* samples = nullptr;
    size_t frames = 0;
    const std::atomic<float>* gain = nullptr;
  };

  OfflineMixer(int voices, int sampleRate);

  // Starts a voice on the first free one, as the output does; false when all are busy.
  bool Play(const Source& source, bool loop);
  void Stop(SoundId sound);
  void StopAll();
  // The next frames of the mix.
  void Mix(int16_t* interleavedStereo, int frames);

 private:
  struct Voice {
    Source source;
    size_t position = 0;  // frames played
    bool loop = false;
    bool playing = false;
  };
  void MixVoice(Voice* voice, int16_t* interleavedStereo, int frames) const;

  std::vector<Voice> voices_;
  PeakLimiter limiter_;
};

}  // namespace audio
