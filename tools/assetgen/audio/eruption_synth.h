#pragma once
#include <cstdint>

#include "audio/sound.h"
#include "procedural/gradient_noise.h"

// The eruption's one-shot sounds: the ground's rumble before it, and the blast with its long
// low tail.
class EruptionSynth {
 public:
  explicit EruptionSynth(uint64_t seed);

  Sound rumble() const;  // about two and a half seconds
  Sound blast() const;

 private:
  uint64_t seed_;
  GradientNoise noise_;
};
