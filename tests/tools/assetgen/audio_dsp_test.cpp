// The sound building blocks: noise colours, filters, envelopes and seamless loops.
#include <gtest/gtest.h>

#include <cmath>
#include <numbers>
#include <vector>

#include "tools/assetgen/audio/biquad_filter.h"
#include "tools/assetgen/audio/coloured_noise.h"
#include "tools/assetgen/audio/envelope.h"
#include "tools/assetgen/audio/one_pole_filter.h"
#include "tools/assetgen/audio/sound.h"

namespace assetgen::tests {

namespace {
constexpr float kRate = Sound::kSampleRate;

// Amplitude left of a unit sine after the filter has settled.
template <typename Filter>
float GainAt(Filter filter, float hz) {
  float peak = 0;
  for (int n = 0; n < 8000; ++n) {
    float out = filter(std::sin(2 * std::numbers::pi_v<float> * hz * n / kRate));
    if (n > 4000) peak = std::max(peak, std::fabs(out));
  }
  return peak;
}

float LagOneCorrelation(const std::vector<float>& x) {
  double same = 0, next = 0;
  for (size_t k = 1; k < x.size(); ++k) {
    same += x[k] * x[k];
    next += x[k] * x[k - 1];
  }
  return static_cast<float>(next / same);
}

TEST(AssetgenColouredNoise, PinkAndBrownLeanTowardsLowFrequencies) {
  ColouredNoise noise(3);
  std::vector<float> white, pink, brown;
  for (int k = 0; k < 50000; ++k) {
    white.push_back(noise.White());
    pink.push_back(noise.Pink());
    brown.push_back(noise.Brown());
  }
  EXPECT_NEAR(LagOneCorrelation(white), 0.f, 0.05f);
  EXPECT_GT(LagOneCorrelation(pink), 0.3f);
  EXPECT_GT(LagOneCorrelation(brown), 0.9f);
  for (float s : brown) ASSERT_LT(std::fabs(s), 4.f) << "the brown walk drifts off";
}

TEST(AssetgenFilters, PassTheirBandAndAttenuateTheRest) {
  using Shape = BiquadFilter::Shape;
  auto biquad = [](Shape shape, float hz) {
    return [f = BiquadFilter(shape, hz, 0.707f, kRate)](float x) mutable { return f.Process(x); };
  };
  EXPECT_NEAR(GainAt(biquad(Shape::kLowPass, 500), 50), 1.f, 0.05f);
  EXPECT_LT(GainAt(biquad(Shape::kLowPass, 500), 5000), 0.02f);
  EXPECT_NEAR(GainAt(biquad(Shape::kHighPass, 2000), 8000), 1.f, 0.05f);
  EXPECT_LT(GainAt(biquad(Shape::kHighPass, 2000), 100), 0.01f);
  auto band = [f = BiquadFilter(Shape::kBandPass, 1000, 4, kRate)](float x) mutable {
    return f.Process(x);
  };
  EXPECT_NEAR(GainAt(band, 1000), 1.f, 0.05f);
  EXPECT_LT(GainAt(band, 200), 0.1f);

  auto onePoleLow = [f = OnePoleFilter(200, kRate)](float x) mutable { return f.LowPass(x); };
  EXPECT_LT(GainAt(onePoleLow, 4000), 0.07f);
  // A step reaches 63% after one time constant, 1 / (2 pi fc).
  OnePoleFilter step(200, kRate);
  float response = 0;
  int timeConstant = static_cast<int>(std::lround(kRate / (2 * std::numbers::pi_v<float> * 200)));
  for (int n = 0; n < timeConstant; ++n) response = step.LowPass(1.f);
  EXPECT_NEAR(response, 0.632f, 0.02f);
}

TEST(AssetgenEnvelope, InterpolatesBetweenPointsAndHoldsOutside) {
  Envelope envelope{{0.5f, 0.f}, {1.f, 1.f}, {3.f, 0.5f}};
  EXPECT_FLOAT_EQ(envelope.At(0.f), 0.f);
  EXPECT_FLOAT_EQ(envelope.At(0.75f), 0.5f);
  EXPECT_FLOAT_EQ(envelope.At(2.f), 0.75f);
  EXPECT_FLOAT_EQ(envelope.At(10.f), 0.5f);
}

TEST(AssetgenSound, SeamlessLoopRunsItsEndIntoItsStart) {
  Sound ramp(1.f);
  for (size_t k = 0; k < ramp.Size(); ++k) ramp[k] = static_cast<float>(k) / ramp.Size();
  size_t full = ramp.Size();
  ramp.MakeSeamlessLoop(0.25f);
  size_t fade = full / 4;
  ASSERT_EQ(ramp.Size(), full - fade);
  float stepSize = 1.f / full;
  // The last kept sample is followed, on repeat, by what came right after it.
  EXPECT_NEAR(ramp[0], static_cast<float>(full - fade) / full, 2 * stepSize);
  EXPECT_NEAR(ramp[ramp.Size() - 1], static_cast<float>(full - fade - 1) / full, 1e-6f);

  ramp.Normalise(0.5f);
  float loudest = 0;
  for (float s : ramp.Samples()) loudest = std::max(loudest, std::fabs(s));
  EXPECT_FLOAT_EQ(loudest, 0.5f);
}
}  // namespace

}  // namespace assetgen::tests
