#include "tools/assetgen/audio/sound.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace assetgen {

Sound::Sound(float seconds) : samples_(static_cast<size_t>(seconds * kSampleRate), 0.f) {}

void Sound::Normalise(float peak) {
  float loudest = 0;
  for (float s : samples_) loudest = std::max(loudest, std::fabs(s));
  if (loudest <= 0) return;
  for (float& s : samples_) s *= peak / loudest;
}

void Sound::MakeSeamlessLoop(float fadeSeconds) {
  size_t fade = std::min(samples_.size() / 2, static_cast<size_t>(fadeSeconds * kSampleRate));
  size_t loop = samples_.size() - fade;
  for (size_t i = 0; i < fade; ++i) {
    float t = (i + 0.5f) / fade * std::numbers::pi_v<float> / 2;
    samples_[i] = samples_[i] * std::sin(t) + samples_[loop + i] * std::cos(t);
  }
  samples_.resize(loop);
}

}  // namespace assetgen
