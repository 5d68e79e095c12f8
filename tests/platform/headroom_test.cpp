// The limiter over the summed mix, on steady levels whose gain can be read off the output.
#include "platform/audio/headroom.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <vector>

namespace {

constexpr int kRate = 22050;
constexpr int kBurstStart = 5000, kBurstEnd = 6000;

// A second of stereo: 3000 (-21 dBFS), then a burst of 30000, then 3000 again.
std::vector<int16_t> QuietBurstQuiet() {
  std::vector<int16_t> samples;
  for (int f = 0; f < kRate; ++f) {
    const int16_t level = f >= kBurstStart && f < kBurstEnd ? 30000 : 3000;
    samples.insert(samples.end(), {level, int16_t(-level)});
  }
  return samples;
}

TEST(PeakLimiter, GlidesUnderTheCeilingForABurstRecoversAfterItAndIgnoresBlockSizes) {
  const std::vector<int16_t> in = QuietBurstQuiet();
  std::vector<int16_t> whole = in, blocks = in;
  audio::PeakLimiter one(kRate), other(kRate);
  one.Process(whole.data(), kRate);
  for (int f = 0, size = 1; f < kRate; f += size, size = size % 600 + 7) {
    other.Process(blocks.data() + 2 * f, std::min(size, kRate - f));
  }
  EXPECT_EQ(whole, blocks);
  // Late by the look-ahead; the quiet part raised by the make-up gain.
  const auto delay = size_t(std::find_if(whole.begin(), whole.end(), [](int16_t s) { return s; }) -
                            whole.begin()) /
                     2;
  ASSERT_GT(delay, 0u);
  ASSERT_LT(delay, kRate / 100u);
  EXPECT_EQ(whole[2 * delay], std::lrint(3000 * audio::PeakLimiter::kMakeUpGain));
  float previous = 1.0f, lowest = 1.0f;
  for (size_t f = 0; f + delay < kRate; ++f) {
    const float gain = whole[2 * (f + delay)] / (in[2 * f] * audio::PeakLimiter::kMakeUpGain);
    ASSERT_EQ(whole[2 * (f + delay) + 1], -whole[2 * (f + delay)]) << f;
    ASSERT_LE(std::abs(whole[2 * (f + delay)]), audio::PeakLimiter::kCeiling) << f;
    ASSERT_LT(std::abs(gain - previous), 0.02f) << f;  // no jump: a glide down and back
    previous = gain;
    lowest = std::min(lowest, gain);
  }
  EXPECT_NEAR(whole[2 * (kBurstEnd - 1 + delay)], audio::PeakLimiter::kCeiling, 1.0);
  EXPECT_LT(lowest, 0.7f);
  EXPECT_GT(previous, 0.9f);  // most of the way back within three quarters of a second
}

}  // namespace
