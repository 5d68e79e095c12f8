#include "tools/assetgen/audio/ambience_synth.h"

#include <algorithm>
#include <cmath>

#include "tools/assetgen/audio/biquad_filter.h"
#include "tools/assetgen/audio/coloured_noise.h"
#include "tools/assetgen/audio/crackle_train.h"
#include "tools/assetgen/audio/envelope.h"
#include "tools/assetgen/audio/one_pole_filter.h"

namespace assetgen {

namespace {
constexpr float kRate = Sound::kSampleRate;
using Shape = BiquadFilter::Shape;

// Plays a voice (one sample per call, given the time) for the loop's length plus the fade,
// then folds the fade over the start so the loop repeats without a seam.
template <typename Voice>
Sound RecordLoop(float loopSeconds, float fadeSeconds, float peak, Voice voice) {
  Sound sound(loopSeconds + fadeSeconds);
  for (size_t i = 0; i < sound.Size(); ++i) sound[i] = voice(sound.Seconds(i));
  sound.MakeSeamlessLoop(fadeSeconds);
  sound.Normalise(peak);
  return sound;
}
}  // namespace

AmbienceSynth::AmbienceSynth(uint64_t seed) : seed_(seed), noise_(seed) {}

float AmbienceSynth::Wander(float seconds, float ratePerSecond, float lane) const {
  return std::clamp(0.5f + noise_.Fbm(seconds * ratePerSecond, lane, 3), 0.f, 1.f);
}

Sound AmbienceSynth::Wind() const {
  ColouredNoise noise(seed_);
  BiquadFilter rush(Shape::kLowPass, 600, 0.7f, kRate);
  BiquadFilter whistle(Shape::kBandPass, 600, 6, kRate);
  OnePoleFilter rumble(150, kRate);
  return RecordLoop(8.f, 1.5f, 0.7f, [&](float t) {
    float gust = Wander(t, 0.3f, 3.5f);
    float strength = gust * gust;
    // Gusts swell, brighten and whistle higher; lulls fall to a dull murmur.
    rush.Tune(300 + 900 * gust, 0.7f, kRate);
    whistle.Tune(400 + 700 * gust, 6, kRate);
    float air = noise.Pink();
    return rush.Process(air) * (0.15f + strength) + whistle.Process(air) * 2.f * strength +
           rumble.LowPass(noise.Brown()) * 0.1f;
  });
}

Sound AmbienceSynth::Surf() const {
  constexpr float kBreakers[] = {2.0f, 6.9f};  // seconds; clear of the cross-fade at the start
  ColouredNoise noise(seed_ + 1);
  BiquadFilter crash(Shape::kLowPass, 4000, 0.7f, kRate);
  BiquadFilter fizz(Shape::kHighPass, 2500, 0.7f, kRate);
  OnePoleFilter swell(250, kRate);
  OnePoleFilter sea(300, kRate);
  const Envelope rise{{-1.6f, 0.f}, {0.f, 0.45f}, {0.6f, 0.2f}, {2.f, 0.f}};
  const Envelope impact{{0.f, 0.f}, {0.08f, 1.f}, {1.0f, 0.3f}, {3.f, 0.f}};
  const Envelope wash{{0.3f, 0.f}, {0.8f, 0.45f}, {2.5f, 0.2f}, {4.f, 0.f}};
  return RecordLoop(10.f, 1.5f, 0.8f, [&](float t) {
    float building = 0, breaking = 0, receding = 0, sinceBreak = 10;
    for (float at : kBreakers) {
      building += rise.At(t - at);
      breaking += impact.At(t - at);
      receding += wash.At(t - at);
      if (t >= at) sinceBreak = std::min(sinceBreak, t - at);
    }
    // The breaking wave's roar darkens as it spends itself.
    crash.Tune(1200 + 3800 * std::exp(-sinceBreak / 0.5f), 0.7f, kRate);
    float flutter = 0.7f + 0.3f * Wander(t, 12.f, 9.5f);
    return swell.LowPass(noise.Brown()) * building * 1.5f +
           crash.Process(noise.Pink()) * breaking * 0.8f +
           fizz.Process(noise.White()) * receding * flutter * 0.5f +
           sea.LowPass(noise.Brown()) * 0.35f;
  });
}

Sound AmbienceSynth::Fire() const {
  ColouredNoise noise(seed_ + 2);
  OnePoleFilter roar(400, kRate);
  BiquadFilter flutter(Shape::kBandPass, 150, 1.5f, kRate);
  BiquadFilter hiss(Shape::kHighPass, 4000, 0.7f, kRate);
  CrackleTrain crackles(seed_ + 3, 1500);
  CrackleTrain pops(seed_ + 4, 500);
  return RecordLoop(4.f, 0.5f, 0.8f, [&](float t) {
    float draught = 0.5f + 0.5f * Wander(t, 3.f, 15.5f);
    return roar.LowPass(noise.Brown()) * 0.8f * draught +
           flutter.Process(noise.Pink()) * 0.25f * draught + crackles.Next(30) * 0.6f +
           pops.Next(3) * 0.9f + hiss.Process(noise.White()) * 0.03f;
  });
}

}  // namespace assetgen
