// libFuzzer entry for the WAV reader. Sanitizers catch bad memory use; a file that reads must
// also give a sound the mixer takes (one or two channels of 8 or 16 bits at a bounded rate,
// whole samples) that lies within the file, and a file that doesn't must say why.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "services/wav_file.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  audio::PcmSound sound;
  std::string reason;
  if (!ParseWav({data, size}, &sound, &reason)) {
    if (reason.empty()) std::abort();
    return 0;
  }
  const size_t block = size_t(sound.channels) * size_t(sound.bitsPerSample / 8);
  const bool playable = (sound.channels == 1 || sound.channels == 2) &&
                        (sound.bitsPerSample == 8 || sound.bitsPerSample == 16) &&
                        sound.sampleRate >= 8000 && sound.sampleRate <= 96000;
  if (!playable || sound.samples.empty() || sound.samples.size() % block != 0 ||
      sound.samples.size() > size) {
    std::abort();
  }
  return 0;
}
