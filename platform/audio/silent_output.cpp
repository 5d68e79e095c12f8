#include "platform/audio/silent_output.h"

namespace audio {

bool SilentOutput::Add(SoundId, const MixerSound&, std::string*) {
  return true;
}

bool SilentOutput::Play(SoundId, bool) {
  return true;
}

void SilentOutput::Stop(SoundId) {}

void SilentOutput::StopAll() {}

}  // namespace audio
