#include "tools/assetgen/audio/eruption_synth.h"

#include <cmath>
#include <numbers>

#include "tools/assetgen/audio/biquad_filter.h"
#include "tools/assetgen/audio/coloured_noise.h"
#include "tools/assetgen/audio/crackle_train.h"
#include "tools/assetgen/audio/envelope.h"

namespace assetgen {

namespace {
constexpr float kRate = Sound::kSampleRate;
constexpr float kTwoPi = 2 * std::numbers::pi_v<float>;
using Shape = BiquadFilter::Shape;
}  // namespace

EruptionSynth::EruptionSynth(uint64_t seed) : seed_(seed), noise_(seed) {}

Sound EruptionSynth::Rumble() const {
  Sound sound(2.5f);
  ColouredNoise noise(seed_);
  // Two sections in a row: a steep slope that leaves only the ground's depth.
  BiquadFilter deep(Shape::kLowPass, 110, 0.7f, kRate);
  BiquadFilter deeper(Shape::kLowPass, 110, 0.7f, kRate);
  // Rock grinding a little higher up: small speakers can play this part.
  BiquadFilter grit(Shape::kBandPass, 300, 1.f, kRate);
  const Envelope swell{{0.f, 0.f}, {0.5f, 0.8f}, {1.6f, 1.f}, {2.2f, 0.9f}, {2.5f, 0.f}};
  float phase = 0;
  for (size_t i = 0; i < sound.Size(); ++i) {
    float t = sound.Seconds(i);
    phase += kTwoPi * (36 + 6 * noise_.At(t * 2, 0.5f)) / kRate;
    float grinding = 0.6f + 0.4f * noise_.Fbm(t * 9, 4.5f, 2);
    float ground = deeper.Process(deep.Process(noise.Brown()));
    sound[i] = swell.At(t) * grinding *
               (ground * 2.f + grit.Process(noise.Brown()) * 0.5f + std::sin(phase) * 0.35f);
  }
  sound.Normalise(0.9f);
  return sound;
}

Sound EruptionSynth::Blast() const {
  Sound sound(6.5f);
  ColouredNoise noise(seed_ + 1);
  BiquadFilter body(Shape::kLowPass, 5000, 0.8f, kRate);
  BiquadFilter tail(Shape::kLowPass, 140, 0.8f, kRate);
  BiquadFilter tailSteeper(Shape::kLowPass, 140, 0.8f, kRate);
  CrackleTrain debris(seed_ + 2, 2000);
  const Envelope ending{{6.0f, 1.f}, {6.5f, 0.f}};
  float phase = 0;
  for (size_t i = 0; i < sound.Size(); ++i) {
    float t = sound.Seconds(i);
    float crack = noise.White() * std::exp(-t / 0.012f);
    // The blast's roar closes down from bright to dull within the first second.
    body.Tune(200 + 4800 * std::exp(-t / 0.35f), 0.8f, kRate);
    float roar = body.Process(noise.Pink()) * std::exp(-t / 0.6f);
    phase += kTwoPi * (30 + 45 * std::exp(-t / 0.25f)) / kRate;
    float thump = std::sin(phase) * (1 - std::exp(-t / 0.005f)) * std::exp(-t / 0.7f);
    float lowTail = tailSteeper.Process(tail.Process(noise.Brown())) * 3.f *
                    (1 - std::exp(-t / 0.15f)) * std::exp(-t / 1.8f) *
                    (0.7f + 0.3f * noise_.Fbm(t * 6, 7.5f, 2));
    float grit = debris.Next(t > 0.2f ? 40 * std::exp(-t / 1.0f) : 0);
    sound[i] = ending.At(t) * (crack * 0.6f + roar * 0.9f + thump + lowTail + grit * 0.3f);
  }
  sound.Normalise(0.95f);
  return sound;
}

}  // namespace assetgen
