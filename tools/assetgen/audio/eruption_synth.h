#pragma once
#include <cstdint>

#include "tools/assetgen/audio/sound.h"
#include "tools/assetgen/procedural/gradient_noise.h"

namespace assetgen {

// The eruption's one-shot sounds: the ground's rumble before it, and the blast with its long
// low tail.
class EruptionSynth {
 public:
  explicit EruptionSynth(uint64_t seed);

  Sound Rumble() const;  // about two and a half seconds
  Sound Blast() const;

 private:
  uint64_t seed_;
  GradientNoise noise_;
};

}  // namespace assetgen
