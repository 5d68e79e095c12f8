#pragma once
// The output of a recording: the sounds mixed on demand, at the caller's pace instead of the
// device's, so that a recording follows the program's clock. It mixes as SDL2_mixer does: voice by
// voice in voice order, each scaled by its sound's gain and the master gain and added to the sum
// with 16-bit saturation; then the sum goes through the same peak limiter as the live output's.
#include <cstddef>
#include <cstdint>
#include <vector>

#include "platform/audio/headroom.h"
#include "platform/audio/sound_output.h"

namespace audio {

class OfflineMixer final : public SoundOutput {
 public:
  OfflineMixer(int voices, int sampleRate);

  bool Add(SoundId id, const MixerSound& sound, std::string* reason) override;
  // Starts a voice on the first free one, as the live output does; false when all are busy.
  bool Play(SoundId id, bool loop) override;
  void Stop(SoundId id) override;
  void StopAll() override;
  // The next frames of the mix.
  void Mix(int16_t* interleavedStereo, int frames);

 private:
  struct Voice {
    SoundId sound = kNoSound;
    size_t position = 0;  // frames played
    bool loop = false;
    bool playing = false;
  };
  void MixVoice(Voice* voice, int16_t* interleavedStereo, int frames) const;

  std::vector<const MixerSound*> sounds_;  // by id
  std::vector<Voice> voices_;
  PeakLimiter limiter_;
};

}  // namespace audio
