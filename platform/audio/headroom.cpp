#include "platform/audio/headroom.h"

#include <algorithm>
#include <cmath>
#include <numeric>

namespace audio {
namespace {

// Long enough for the gain to glide down over a blast's first crack without a click; short
// enough that the output's delay goes unnoticed.
constexpr float kLookAheadSeconds = 0.002f;
// The gain's way back up after a peak: slow enough not to pump with the rumble's swell.
constexpr float kReleaseSeconds = 0.25f;

}  // namespace

void ScaleVoice(int16_t* samples, size_t count, float soundGain) {
  const float gain = soundGain * kMasterGain;
  for (size_t i = 0; i < count; ++i) samples[i] = int16_t(std::lrintf(samples[i] * gain));
}

PeakLimiter::PeakLimiter(int sampleRate)
    : releasePerFrame_(1.0f - std::exp(-1.0f / (kReleaseSeconds * float(sampleRate)))) {
  const auto window = size_t(std::max(1L, std::lround(kLookAheadSeconds * float(sampleRate))));
  required_.assign(window, 1.0f);
  held_.assign(window, 1.0f);
  delayed_.assign(2 * window, 0.0f);
}

// The envelope never rises above the lowest gain the window needs, and the gain is the mean of
// the envelope over the window: each value in that mean was taken while the frame now leaving
// the window was in it, so that frame gets no more gain than it can take.
float PeakLimiter::NextGain(float required) {
  required_[newest_] = required;
  const float lowest = *std::min_element(required_.begin(), required_.end());
  envelope_ = std::min(lowest, envelope_ + (1.0f - envelope_) * releasePerFrame_);
  held_[newest_] = envelope_;
  return std::accumulate(held_.begin(), held_.end(), 0.0f) / float(held_.size());
}

void PeakLimiter::Process(int16_t* interleavedStereo, int frames) {
  for (int f = 0; f < frames; ++f) {
    int16_t* frame = interleavedStereo + 2 * f;
    const float left = frame[0] * kMakeUpGain, right = frame[1] * kMakeUpGain;
    const float peak = std::max(std::abs(left), std::abs(right));
    const float gain = NextGain(peak > kCeiling ? kCeiling / peak : 1.0f);
    // The frame goes in at the newest slot; the oldest, next after it, comes out.
    delayed_[2 * newest_] = left;
    delayed_[2 * newest_ + 1] = right;
    newest_ = (newest_ + 1) % required_.size();
    for (int c = 0; c < 2; ++c) {
      // The clamp only catches the float mean's last rounding.
      const float out = std::clamp(delayed_[2 * newest_ + c] * gain, -kCeiling, kCeiling);
      frame[c] = int16_t(std::lrintf(out));
    }
  }
}

}  // namespace audio
