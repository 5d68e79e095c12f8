#pragma once
#include <cstdint>

#include "tools/assetgen/audio/sound.h"
#include "tools/assetgen/procedural/gradient_noise.h"

namespace assetgen {

// The ambient loops the camera position mixes: wind over the sea, surf on the shore and the
// crackling fires. Each loops without a seam.
class AmbienceSynth {
 public:
  explicit AmbienceSynth(uint64_t seed);

  Sound Wind() const;
  Sound Surf() const;
  Sound Fire() const;

 private:
  float Wander(float seconds, float ratePerSecond, float lane) const;  // smooth, 0..1

  uint64_t seed_;
  GradientNoise noise_;
};

}  // namespace assetgen
