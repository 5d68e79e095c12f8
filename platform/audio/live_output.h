#pragma once
// The live output on SDL2_mixer. The mixer's own volumes (0 to 128) are too coarse for hundredths
// of a decibel: at -40 dB one step is 6 dB. So they stay at full, and every instance runs through
// a gain effect that reads its sound's gain as it mixes and also applies the master gain; a peak
// limiter runs over the finished mix.
#include <memory>
#include <vector>

#include "platform/audio/headroom.h"
#include "platform/audio/sound_output.h"

struct Mix_Chunk;

namespace audio {

class LiveOutput final : public SoundOutput {
 public:
  LiveOutput() = default;
  // Stops everything and closes the device.
  ~LiveOutput() override;
  LiveOutput(const LiveOutput&) = delete;
  LiveOutput& operator=(const LiveOutput&) = delete;

  // Opens the default device: kOpened, or kSilent when there is none, or kFailed when the mixer
  // can't be set up; unless kOpened, *reason says why in one line.
  OpenResult Open(std::string* reason);

  bool Add(SoundId id, const MixerSound& sound, std::string* reason) override;
  bool Play(SoundId id, bool loop) override;
  void Stop(SoundId id) override;
  void StopAll() override;

 private:
  struct Entry {
    Mix_Chunk* chunk = nullptr;  // over the sound's samples
    const MixerSound* sound = nullptr;
  };
  bool open_ = false;
  std::vector<Entry> sounds_;             // by id
  std::unique_ptr<PeakLimiter> limiter_;  // runs on the mixing thread
};

}  // namespace audio
