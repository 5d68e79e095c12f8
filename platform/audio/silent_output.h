#pragma once
// The output where no audio device opens: it takes every sound and every start, and nothing is
// heard, so a machine without sound runs the program unchanged.
#include "platform/audio/sound_output.h"

namespace audio {

class SilentOutput final : public SoundOutput {
 public:
  bool Add(SoundId id, const MixerSound& sound, std::string* reason) override;
  bool Play(SoundId id, bool loop) override;
  void Stop(SoundId id) override;
  void StopAll() override;
};

}  // namespace audio
