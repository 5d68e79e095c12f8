#include "tools/assetgen/audio/crackle_train.h"

#include <algorithm>
#include <cmath>

#include "tools/assetgen/audio/sound.h"

namespace assetgen {

CrackleTrain::CrackleTrain(uint64_t seed, float brightnessHz)
    : noise_(seed),
      random_(seed + 1),
      brightness_(BiquadFilter::Shape::kHighPass, brightnessHz, 0.7f, Sound::kSampleRate) {}

float CrackleTrain::Next(float ratePerSecond) {
  if (random_.Uniform() < ratePerSecond / Sound::kSampleRate) {
    double loudness = random_.Uniform();
    level_ = std::max(level_, static_cast<float>(0.15 + 0.85 * loudness * loudness * loudness));
    float lengthSeconds = static_cast<float>(random_.Uniform(0.001, 0.006));
    decay_ = std::exp(-1.f / (lengthSeconds * Sound::kSampleRate));
  }
  level_ *= decay_;
  return brightness_.Process(noise_.White() * level_);
}

}  // namespace assetgen
