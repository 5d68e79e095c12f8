// The limiter over the summed mix: a burst far above its ceiling between quiet stretches.
#include "platform/audio/headroom.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <vector>

namespace {

// Never above the ceiling, with one gain on both channels that glides down and back without a
// jump; and the same output however the stream is cut into blocks, which the offline mix of a
// recording relies on to sound as the live output does.
TEST(PeakLimiter, StaysUnderItsCeilingWithoutAJumpWhateverTheBlocks) {
  constexpr int kRate = 22050;
  std::vector<int16_t> in;  // the right channel twice the left, and of the other sign
  for (int f = 0; f < kRate; ++f) {
    const int16_t level = f >= 5000 && f < 6000 ? 30000 : 3000;
    in.insert(in.end(), {int16_t(level / 2), int16_t(-level)});
  }
  std::vector<int16_t> whole = in, blocks = in;
  audio::PeakLimiter one(kRate), other(kRate);
  one.Process(whole.data(), kRate);
  for (int f = 0, size = 1; f < kRate; f += size, size = size % 600 + 7) {
    other.Process(blocks.data() + 2 * f, std::min(size, kRate - f));
  }
  EXPECT_EQ(whole, blocks);
  // Late by its look-ahead: the first frames out are silent.
  const auto delay =
      size_t(std::find_if(whole.begin(), whole.end(), [](int s) { return s; }) - whole.begin()) / 2;
  std::vector<float> gains;
  for (size_t i = 0; i + 2 * delay < in.size(); i += 2) {
    const float out = whole[i + 2 * delay], right = whole[i + 2 * delay + 1];
    gains.push_back(out / (in[i] * audio::PeakLimiter::kMakeUpGain));
    ASSERT_NEAR(right, -2 * out, 2.0f) << i;
    ASSERT_LE(std::abs(right), audio::PeakLimiter::kCeiling) << i;
    ASSERT_LT(std::abs(gains.back() - gains[gains.size() > 1 ? gains.size() - 2 : 0]), 0.02f) << i;
  }
  EXPECT_GE(-*std::min_element(whole.begin(), whole.end()), audio::PeakLimiter::kCeiling - 1);
  // Slowly back up after the burst: not halfway within 50 ms, most of the way by the end.
  EXPECT_LT(gains[6000 + kRate / 20], 0.85f);
  EXPECT_GT(gains.back(), 0.95f);
}

}  // namespace
